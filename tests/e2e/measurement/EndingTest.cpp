// How a measurement begins and ends through the window: a damaged first frame, the receiver
// vanishing in the middle, a stop that is never answered (with and without frames in front
// of the missing reply), a plain stop after the frame numbers wrapped, and measurements that
// store one second or none. Each time every second sent is in the files, in order, the
// recording is dated from its first second, and the files are closed; a measurement that
// stored nothing leaves no file.
#include <gtest/gtest.h>

#include "FileChecks.h"

using namespace e2e;

namespace {

struct sEndingCase {
    const char* name;
    int firstSeq;              // number of the first good frame (wrapping past 65535)
    int good = 6;              // good frames sent in a row
    int damagedFirst = -1;     // number of a damaged frame sent a second before them (-1: none)
    bool vanish = false;       // the receiver's terminal closes after the frames
    bool stopUnanswered = false;  // the receiver answers neither the stop nor its retry
    int framesAtStop = 0;      // frames it sends in front of each reply it keeps back
    const char* commands = "evnbe";  // what the receiver got
    std::vector<int> errors = {};
};

void PrintTo(const sEndingCase& c, std::ostream* os)
{
    *os << c.name;
}

class MeasurementEnding : public ::testing::TestWithParam<sEndingCase> {};

// Sends a frame early in a second of the wall clock later than `after`, so that it arrives
// and is handled within the second it was sent in; returns that second.
std::time_t SendEarlyInASecond(MeasurementRig& rig, const rsim::FrameSpec& spec, std::time_t after = 0)
{
    std::time_t second = 0;
    MeasurementRig::SpinUntil([&] {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
        second = static_cast<std::time_t>(ms / 1000);
        return second > after && ms % 1000 >= 20 && ms % 1000 < 300;
    });
    rig.sim.SendFrame(spec);
    return second;
}

}  // namespace

TEST_P(MeasurementEnding, KeepsEverySecondSentAndClosesTheFiles)
{
    const sEndingCase& c = GetParam();
    // The receiver's silence ends these: with the short time-out.
    MeasurementRig rig(sRigOptions{.link = c.vanish || c.stopUnanswered ? kShortTimeouts : kRoomyTimeouts});
    if (c.stopUnanswered) {
        rsim::Rule silent = rsim::On('e', rsim::Answer::Silent, 2);
        silent.skip = 1;  // the opening command is answered
        silent.framesBefore = c.framesAtStop;
        rig.sim.AddRule(silent);
    }
    ASSERT_TRUE(StartHeld(rig));
    // A damaged first frame is the first second only when the frame behind it confirms its
    // number; either way the recording starts a second before its first second arrived.
    const bool damagedKept = c.damagedFirst == c.firstSeq - 1;
    std::time_t firstSent = 0;
    if (c.damagedFirst >= 0) {
        rsim::FrameSpec damaged = Seq(c.damagedFirst);
        damaged.damage = rsim::Damage::SampleByte;
        damaged.damageAt = 100;
        const std::time_t damagedSent = SendEarlyInASecond(rig, damaged);
        ASSERT_TRUE(rig.WaitMode(CVelquinDlg::kModeMeasuring));
        firstSent = damagedSent;
        if (c.good > 0) {
            const std::time_t goodSent = SendEarlyInASecond(rig, Seq(c.firstSeq), damagedSent);
            firstSent = damagedKept ? damagedSent : goodSent;
        }
    } else {
        firstSent = SendEarlyInASecond(rig, Seq(c.firstSeq));
    }
    const std::size_t lead = damagedKept ? 1 : 0;
    ASSERT_TRUE(rig.WaitMode(CVelquinDlg::kModeMeasuring));
    // The files are open from the first data on.
    EXPECT_EQ(rig.Files().size(), 2u);
    // The first good frame went above; the others follow one by one.
    if (c.good > 0) {
        ASSERT_TRUE(rig.WaitStored(lead + 1));
    }
    for (int k = 1; k < c.good; ++k)
        ASSERT_TRUE(Send(rig, Seq(c.firstSeq + k), lead + static_cast<std::size_t>(k + 1)));

    if (c.vanish) {
        rig.sim.Hangup();
        // No data: the status line turns red while the window stays measuring.
        ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return rig.Probe().StatusColour() == QColor(255, 0, 0); }));
        EXPECT_EQ(rig.Text(1094), QString::fromUtf8("データを受信できていません"));
        EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeMeasuring);
    }
    rig.Click(1069);
    ASSERT_TRUE(rig.WaitMode(CVelquinDlg::kModeIdle));
    EXPECT_TRUE(rig.Received(c.commands));
    EXPECT_EQ(rig.prompter->Errors(), c.errors);
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 2, 1, 0}));
    if (c.good == 0) {
        // Nothing stored: the empty files are gone.
        EXPECT_EQ(rig.Stored(), 0u);
        EXPECT_TRUE(rig.Files().empty());
        return;
    }

    // Consecutive seconds: the kept damaged one as zeros, then every good frame sent (the
    // six, and those in front of the stops left unanswered), and no file left open.
    std::vector<int> expected;
    if (damagedKept)
        expected.push_back(c.damagedFirst);
    SentSeconds sent;
    for (const rsim::SentFrame& f : rig.sim.Frames()) {
        if (f.damage != rsim::Damage::None)
            continue;
        const int number = c.firstSeq + static_cast<int>(sent.size());
        expected.push_back(number);
        sent[number] = {f.eeg, f.emg};
    }
    EXPECT_EQ(sent.size(), static_cast<std::size_t>(c.good + 2 * c.framesAtStop));
    EXPECT_EQ(StoredSequences(rig), expected);
    ExpectRecordingMatches(rig, sent);
    EXPECT_FALSE(HeldOpen(rig.EdfPath()));
    EXPECT_FALSE(HeldOpen(rig.CsvPath()));

    // Dated the second before its first second was sent, and nothing else in the folder.
    const std::time_t start = firstSent - 1;
    EXPECT_EQ(rig.Files(), (std::vector<std::string>{LocalText(start, "%Y%m%d_%H%M%S.csv"),
                                                     LocalText(start, "%Y%m%d_%H%M%S.edf")}));
    EXPECT_EQ(recfiles::ReadAll(rig.EdfPath()).substr(168, 16), LocalText(start, "%d.%m.%y%H.%M.%S"));
}

INSTANTIATE_TEST_SUITE_P(
    E2e, MeasurementEnding,
    ::testing::Values(
        // The stop cannot reach a receiver that is gone: error 1, port and files closed.
        sEndingCase{.name = "ReceiverVanishes", .firstSeq = 100, .vanish = true, .commands = "evnb", .errors = {1}},
        // Stop, its retry, and the stop once more before closing, without a message.
        sEndingCase{.name = "StopNeverAnswered", .firstSeq = 100, .stopUnanswered = true, .commands = "evnbeee"},
        // The same while the receiver still streams: the frames in front of the missing
        // replies are the last seconds.
        sEndingCase{.name = "StopNeverAnsweredWhileStreaming", .firstSeq = 100, .stopUnanswered = true,
                    .framesAtStop = 1, .commands = "evnbeee"},
        sEndingCase{.name = "SequenceWraps", .firstSeq = 65533},
        // A damaged first frame whose number the next frame confirms is a second of zeros;
        // one whose number is off is dropped.
        sEndingCase{.name = "DamagedFirstFrameConfirmed", .firstSeq = 100, .damagedFirst = 99},
        sEndingCase{.name = "DamagedFirstFrameDropped", .firstSeq = 100, .damagedFirst = 16484},
        // A damaged first frame and nothing behind it stores no second: no file is left. One
        // second stored keeps both files.
        sEndingCase{.name = "OnlyADamagedFrame", .firstSeq = 100, .good = 0, .damagedFirst = 99},
        sEndingCase{.name = "OneSecond", .firstSeq = 100, .good = 1}),
    [](const ::testing::TestParamInfo<sEndingCase>& info) { return std::string(info.param.name); });
