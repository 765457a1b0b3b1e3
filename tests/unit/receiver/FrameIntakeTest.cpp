// Data frames fed to the link's intake directly: splitting, garbage, damage, numbering,
// status bytes, the reset pattern, the frame queue and the sample fetch.
#include <gtest/gtest.h>

#include <cmath>

#include "LinkTestSupport.h"

namespace {

Bytes Frame(std::uint16_t seq, std::uint8_t a = 0, std::uint8_t b = 0, rsim::Damage damage = rsim::Damage::None,
            int damageAt = 0)
{
    return rsim::BuildFrame(seq, a, b, Ramp(seq, 7), Ramp(seq + 11, 13), damage, damageAt);
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::vector<float> Values(const sFrameSnapshot& f)
{
    return std::vector<float>(f.samples, f.samples + kBlockValues);
}

// Feeds frames numbered `seqs` one by one; returns the posted codes.
std::vector<int> FeedSequence(PortlessLink& l, std::initializer_list<int> seqs)
{
    l.sink.Clear();
    for (int s : seqs)
        l.Feed(Frame(std::uint16_t(s)));
    return l.sink.Codes();
}

}  // namespace

TEST(FrameIntake, SplitFramesGarbageAndTailWithHead)
{
    PortlessLink l;
    const Bytes a = Frame(1), b = Frame(2);
    l.Feed(Bytes {0x00, 0x53, 0x00, 0x11});  // garbage in front
    l.Feed(Bytes(a.begin(), a.begin() + 300));
    l.Feed(Bytes(a.begin() + 300, a.begin() + 700));
    EXPECT_TRUE(l.sink.Codes().empty());
    // The tail of one frame and the head of the next in one chunk.
    l.Feed(Join({Bytes(a.begin() + 700, a.end()), Bytes(b.begin(), b.begin() + 100)}));
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkNewFrame});
    sFrameSnapshot f;
    ASSERT_EQ(l.link.TakeFrame(f), 1);
    EXPECT_EQ(f.sequence, 1);
    EXPECT_EQ(Values(f), ExpectedValues(Ramp(1, 7), Ramp(12, 13)));
    l.Feed(Bytes(b.begin() + 100, b.end()));
    ASSERT_EQ(l.link.TakeFrame(f), 1);
    EXPECT_EQ(f.sequence, 2);
    EXPECT_EQ(Values(f), ExpectedValues(Ramp(2, 7), Ramp(13, 13)));
    EXPECT_EQ(l.link.TakeFrame(f), 0);
}

TEST(FrameIntake, EveryFrameOfAChunkIsTakenWithItsOwnSnapshot)
{
    PortlessLink l;
    l.Feed(Join({Frame(5), Frame(6), Frame(4)}));
    EXPECT_EQ(l.sink.Codes(), (std::vector<int> {kLinkNewFrame, kLinkNewFrame, kLinkLateFrame}));
    const int expected[][2] = {{5, 5}, {6, 6}, {4, 6}};
    for (const auto& e : expected) {
        sFrameSnapshot f;
        ASSERT_EQ(l.link.TakeFrame(f), 1);
        EXPECT_EQ(f.sequence, e[0]);
        EXPECT_EQ(f.highestSequence, e[1]);
        EXPECT_EQ(Values(f), ExpectedValues(Ramp(e[0], 7), Ramp(e[0] + 11, 13)));
    }
    // The sample fetch answers for the last frame taken.
    float out[kBlockValues];
    l.link.GetSamples(kSampleRate, out);
    EXPECT_EQ(std::vector<float>(out, out + kBlockValues), ExpectedValues(Ramp(4, 7), Ramp(15, 13)));
    EXPECT_EQ(l.link.GetSequence(), 4);
    EXPECT_EQ(l.link.GetLastSequence(), 6);
}

TEST(FrameIntake, DamagedFrames)
{
    PortlessLink l;
    // A wrong fixed byte: not a frame; the good frame behind it discards it.
    l.Feed(Frame(1, 0, 0, rsim::Damage::FixedByte, 778));
    l.Feed(Frame(2));
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkNewFrame});

    // A failed checksum near the highest: zeros, but number and status are used.
    for (int at : {9, 100, 776}) {
        l.sink.Clear();
        const int next = l.link.GetLastSequence() + 1;
        l.Feed(Frame(std::uint16_t(next), 0x01, 0x00, rsim::Damage::SampleByte, at));
        EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkNewFrame}) << at;
        sFrameSnapshot f;
        while (l.link.TakeFrame(f)) {
        }
        EXPECT_EQ(f.sequence, next);
        EXPECT_EQ(Values(f), std::vector<float>(kBlockValues, 0.0f));
    }
    l.sink.Clear();
    l.Feed(Frame(std::uint16_t(l.link.GetLastSequence() + 1), 0x01, 0, rsim::Damage::ChecksumByte));
    EXPECT_EQ(l.link.GetLinkStatus(), kLinkBatteryLow);  // the fourth status frame in a row

    const int highest = l.link.GetLastSequence();
    l.Feed(Frame(std::uint16_t(highest + 1)));
    // A wrong marker: that sample only reads 0.0.
    l.Feed(Frame(std::uint16_t(highest + 2), 0, 0, rsim::Damage::Marker, 9));
    sFrameSnapshot f;
    while (l.link.TakeFrame(f)) {
    }
    std::vector<float> expected = ExpectedValues(Ramp(highest + 2, 7), Ramp(highest + 13, 13));
    expected[9] = 0.0f;
    EXPECT_EQ(Values(f), expected);
}

// A damaged frame (its checksum fails) counts only as the exact next second; any other
// damaged frame is dropped, since its number may be the damaged part. A damaged first frame
// waits for the frame behind it to confirm its number.
TEST(FrameIntake, DamagedFramesNeverDecideTheNumbering)
{
    struct sCase {
        const char* name;
        std::vector<std::pair<int, bool>> frames;  // number as read, damaged
        std::vector<int> codes;
        int highest;
        std::vector<int> zeroSeconds;  // numbers announced with the neutral fill
        int firstSeen;                 // highest number seen with the first frame announced
    };
    const int N = kLinkNewFrame, L = kLinkLateFrame;
    const sCase cases[] = {
        {"damaged first frame, number far ahead", {{16484, true}, {101, false}, {102, false}}, {N, N}, 102, {}, 101},
        {"damaged first frame, number past the wrap", {{40000, true}, {101, false}}, {N}, 101, {}, 101},
        {"damaged first frame read as 0", {{0, true}, {5001, false}}, {N}, 5001, {}, 5001},
        {"damaged first frame, confirmed", {{100, true}, {101, false}}, {N, N}, 101, {100}, 101},
        {"damaged first frame, confirmed across the wrap", {{65535, true}, {0, false}}, {N, N}, 65536, {65535}, 65536},
        {"two damaged first frames, the second confirmed", {{99, true}, {100, true}, {101, false}}, {N, N}, 101, {100}, 101},
        {"damaged first frame, the next one lost", {{100, true}, {102, false}}, {N}, 102, {}, 102},
        {"damaged first frame, no good frame behind it", {{100, true}}, {}, -1, {}, 0},
        {"damaged, two ahead", {{100, false}, {102, true}, {101, false}}, {N, N}, 101, {}, 100},
        {"damaged inside the old window", {{100, false}, {101, false}, {229, true}, {102, false}}, {N, N, N}, 102, {}, 100},
        {"damaged, behind", {{100, false}, {101, false}, {99, true}, {100, true}}, {N, N}, 101, {}, 100},
        {"damaged repeat of the highest", {{100, false}, {101, false}, {101, true}}, {N, N}, 101, {}, 100},
        {"damaged next second", {{100, false}, {101, true}, {102, false}, {101, false}}, {N, N, N, L}, 102, {101}, 100},
        {"damaged next second across the wrap", {{65535, false}, {0, true}, {1, false}}, {N, N, N}, 65537, {65536}, 65535},
    };
    for (const sCase& c : cases) {
        PortlessLink l;
        for (const auto& [seq, damaged] : c.frames)
            l.Feed(Frame(std::uint16_t(seq), 0, 0, damaged ? rsim::Damage::SampleByte : rsim::Damage::None, 100));
        EXPECT_EQ(l.sink.Codes(), c.codes) << c.name;
        EXPECT_EQ(l.link.GetLastSequence(), c.highest) << c.name;
        std::vector<int> zeroSeconds;
        sFrameSnapshot f;
        int firstSeen = 0;
        for (int k = 0; l.link.TakeFrame(f); ++k) {
            if (k == 0)
                firstSeen = f.highestSequence;
            if (Values(f) == std::vector<float>(kBlockValues, 0.0f))
                zeroSeconds.push_back(f.sequence);
        }
        EXPECT_EQ(zeroSeconds, c.zeroSeconds) << c.name;
        EXPECT_EQ(firstSeen, c.firstSeen) << c.name;
    }
    // A start forgets a damaged frame held from before it.
    PortlessLink l;
    l.Feed(Frame(100, 0, 0, rsim::Damage::SampleByte, 100));
    l.link.BeginCommand(kCmdStart);
    l.Feed(rsim::BuildReply('B', true, {0x00}));
    l.sink.Clear();
    l.Feed(Frame(101));
    EXPECT_EQ(l.sink.Codes(), (std::vector<int> {kLinkFirstData, kLinkNewFrame}));
}

TEST(FrameIntake, NumberingAcrossTheWrapAndLateFrames)
{
    PortlessLink l;
    EXPECT_EQ(FeedSequence(l, {65534, 65535, 0, 1}), std::vector<int>(4, kLinkNewFrame));
    EXPECT_EQ(l.link.GetLastSequence(), 65537);
    // A late frame across the wrap and a repeated one.
    EXPECT_EQ(FeedSequence(l, {65530, 1, 2}), (std::vector<int> {kLinkLateFrame, kLinkLateFrame, kLinkNewFrame}));
    EXPECT_EQ(l.link.GetSequence(), 65538);

    // Frame 65535 lost at the wrap: the numbering goes on in the next cycle.
    PortlessLink lost;
    EXPECT_EQ(FeedSequence(lost, {65533, 65534, 0, 1}), std::vector<int>(4, kLinkNewFrame));
    EXPECT_EQ(lost.link.GetLastSequence(), 65537);

    // After a start the first frame is new whatever its number.
    PortlessLink start;
    FeedSequence(start, {100});
    start.link.BeginCommand(kCmdStart);
    start.Feed(rsim::BuildReply('B', true, {0x00}));
    EXPECT_EQ(FeedSequence(start, {65535, 0}), (std::vector<int> {kLinkFirstData, kLinkNewFrame, kLinkNewFrame}));
    EXPECT_EQ(start.link.GetLastSequence(), 65536);
}

TEST(FrameIntake, StatusBytesFirstDataAndTimeout)
{
    // Data in the same read as the start reply is taken in that read: a whole frame at once,
    // the head of one once its tail comes.
    const Bytes startReply = rsim::BuildReply('B', true, {0x00});
    const Bytes first = Frame(40);
    const struct {
        const char* what;
        std::size_t withReply;  // bytes of the first frame in the reply's read
        std::vector<int> atOnce;
    } inOneRead[] = {
        {"the reply alone", 0, {}},
        {"reply and a whole frame", first.size(), {kLinkFirstData, kLinkNewFrame}},
        {"reply and a frame's head", 300, {kLinkFirstData}},
    };
    for (const auto& row : inOneRead) {
        PortlessLink l;
        l.link.BeginCommand(kCmdStart);
        l.Feed(Join({startReply, Bytes(first.begin(), first.begin() + std::ptrdiff_t(row.withReply))}));
        EXPECT_EQ(l.sink.Codes(), row.atOnce) << row.what;
        l.Feed(Bytes(first.begin() + std::ptrdiff_t(row.withReply), first.end()));
        EXPECT_EQ(l.sink.Codes(), (std::vector<int>{kLinkFirstData, kLinkNewFrame})) << row.what;
        EXPECT_EQ(l.link.GetLastSequence(), 40) << row.what;
    }

    PortlessLink l;
    l.link.BeginCommand(kCmdStart);
    l.Feed(rsim::BuildReply('B', true, {0x00}));
    // The first chunk in data mode says data flows, even when it is garbage, and only once.
    l.Feed({0x77});
    l.Feed({0x78});
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkFirstData});

    for (int i = 0; i < 3; ++i) {
        l.Feed(Frame(std::uint16_t(i), 0x00, 0x02));
        EXPECT_EQ(l.link.GetLinkStatus(), kLinkOk);
    }
    l.Feed(Frame(3, 0x00, 0x02));
    EXPECT_EQ(l.link.GetLinkStatus(), kLinkNoiseError);
    sFrameSnapshot f;
    while (l.link.TakeFrame(f)) {
    }
    EXPECT_EQ(f.linkStatus, kLinkNoiseError);

    // Half a frame, a time-out that empties the buffer, the other half: no frame.
    const Bytes next = Frame(4);
    l.Feed(Bytes(next.begin(), next.begin() + 400));
    l.link.OnReceiveTimeout();
    EXPECT_EQ(l.link.GetLinkStatus(), kLinkNoDataStatus);
    l.sink.Clear();
    l.Feed(Bytes(next.begin() + 400, next.end()));
    EXPECT_TRUE(l.sink.Codes().empty());
    // The next frame sets the status from its bytes again.
    l.Feed(Frame(5));
    EXPECT_EQ(l.link.GetLinkStatus(), kLinkOk);
}

TEST(FrameIntake, ResetPatternIsReportedOncePerOccurrence)
{
    PortlessLink l;
    Bytes chunk {0x53, 0x01, 0x00};
    chunk.resize(780, 0x20);
    l.Feed(chunk);
    l.Feed(Bytes(100, 0x20));
    l.Feed(Bytes(900, 0x20));
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkTransmitterReset});

    // Two patterns and a frame behind them: each pattern once, then the frame.
    l.sink.Clear();
    l.Feed(Join({Bytes {0x53, 0x01, 0x00, 0x44}, Bytes {0x53, 0x01, 0x00}, Frame(9)}));
    EXPECT_EQ(l.sink.Codes(), (std::vector<int> {kLinkTransmitterReset, kLinkTransmitterReset, kLinkNewFrame}));
}

TEST(FrameIntake, SampleFetchStartsNeutralAndClampsItsCount)
{
    PortlessLink l;
    float out[kBlockValues + 8];
    std::fill(std::begin(out), std::end(out), 99.0f);
    EXPECT_EQ(l.link.GetSamples(500, out), 1);
    for (int i = 0; i < kBlockValues; ++i)
        ASSERT_EQ(out[i], 0.0f) << i;
    EXPECT_EQ(out[kBlockValues], 99.0f);

    l.Feed(rsim::BuildFrame(1, 0, 0, Filled(0x2000), Filled(0)));
    std::fill(std::begin(out), std::end(out), 99.0f);
    l.link.GetSamples(-3, out);
    EXPECT_EQ(out[0], 99.0f);
    l.link.GetSamples(kSampleRate, out);
    for (int i = 0; i < kSampleRate; ++i) {
        ASSERT_EQ(out[i], 0.0f);
        ASSERT_EQ(out[kSampleRate + i], -10638.2978515625f);
    }
    l.link.GetSamples(2, out);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_EQ(out[1], 0.0f);
    EXPECT_EQ(out[2], -10638.2978515625f);
    EXPECT_EQ(out[3], -10638.2978515625f);
}

TEST(FrameIntake, AFullQueueStopsAnnouncingFrames)
{
    PortlessLink l;
    for (int i = 0; i < kFrameQueueCapacity + 5; ++i)
        l.Feed(Frame(std::uint16_t(i)));
    EXPECT_EQ(l.sink.Count(kLinkNewFrame), kFrameQueueCapacity);
    EXPECT_EQ(l.link.GetLastSequence(), kFrameQueueCapacity + 4);
    sFrameSnapshot f;
    ASSERT_EQ(l.link.TakeFrame(f), 1);
    EXPECT_EQ(f.sequence, 0);
    l.Feed(Frame(std::uint16_t(kFrameQueueCapacity + 5)));
    EXPECT_EQ(l.sink.Count(kLinkNewFrame), kFrameQueueCapacity + 1);
}
