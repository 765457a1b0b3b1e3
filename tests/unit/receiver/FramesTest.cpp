// The pure frame rules: sample conversion, sequence numbering and the link status.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "receiver/Frames.h"

namespace {

// The conversion as the receiver defines it, step by step: the position in double
// precision, then every step rounded to single precision.
float Stepwise(int raw, float gain)
{
    volatile double x = 3.0 * (raw / 16384.0) - 1.5;
    volatile float f = static_cast<float>(x);
    f = f * 1000.0f;
    f = f * 1000.0f;
    f = f / gain;
    return f;
}

}  // namespace

TEST(SampleConversion, EveryRawValueMatchesTheStepwiseRuleBitForBit)
{
    for (int raw = 0; raw < 65536; ++raw) {
        const std::uint8_t eeg[3] = {kEegMarker, std::uint8_t(raw >> 8), std::uint8_t(raw & 0xFF)};
        const std::uint8_t emg[3] = {kEmgMarker, std::uint8_t(raw >> 8), std::uint8_t(raw & 0xFF)};
        const float a = ConvertSample(eeg, 0), b = ConvertSample(emg, 1);
        const float ea = Stepwise(raw, 2000.0f), eb = Stepwise(raw, 141.0f);
        ASSERT_EQ(std::memcmp(&a, &ea, sizeof a), 0) << "EEG raw " << raw;
        ASSERT_EQ(std::memcmp(&b, &eb, sizeof b), 0) << "EMG raw " << raw;
    }
}

TEST(SampleConversion, KnownValuesAndWrongMarkers)
{
    auto eeg = [](int raw) {
        const std::uint8_t g[3] = {kEegMarker, std::uint8_t(raw >> 8), std::uint8_t(raw & 0xFF)};
        return ConvertSample(g, 0);
    };
    auto emg = [](int raw) {
        const std::uint8_t g[3] = {kEmgMarker, std::uint8_t(raw >> 8), std::uint8_t(raw & 0xFF)};
        return ConvertSample(g, 1);
    };
    EXPECT_EQ(eeg(8192), 0.0f);
    EXPECT_EQ(eeg(0), -750.0f);
    EXPECT_EQ(emg(0), -10638.2978515625f);
    EXPECT_EQ(eeg(16384), 750.0f);
    EXPECT_EQ(emg(16384), 10638.2978515625f);
    EXPECT_EQ(eeg(1), -749.908447265625f);
    // Values where a conversion in double precision would differ.
    EXPECT_EQ(emg(3), -10634.4013671875f);
    EXPECT_EQ(eeg(16), -748.5350952148438f);

    const std::uint8_t swapped[3] = {kEmgMarker, 0x10, 0x00};
    EXPECT_EQ(ConvertSample(swapped, 0), 0.0f);
    const std::uint8_t other[3] = {0x00, 0x10, 0x00};
    EXPECT_EQ(ConvertSample(other, 1), 0.0f);

    std::uint8_t block[kFrameBlockBytes];
    FillNeutralBlock(block, 1);
    for (int i = 0; i < kSampleRate; ++i)
        EXPECT_EQ(ConvertSample(block + 3 * i, 1), 0.0f);
}

TEST(SequenceNumbers, FollowTheSixteenBitNumberingAcrossWraps)
{
    const struct {
        int highest;
        unsigned s;
        int expected;
        const char* what;
    } table[] = {
        {-1, 0, 0, "first frame"},
        {-1, 65535, 65535, "first frame near the wrap is new, not 65536 below"},
        {-1, 65295, 65295, "first frame at the old edge"},
        {10, 11, 11, "next"},
        {10, 14, 14, "gap"},
        {10, 10, 10, "repeat"},
        {10, 7, 7, "late"},
        {65533, 65534, 65534, "before the wrap"},
        {65535, 0, 65536, "wrap"},
        {65536, 1, 65537, "after the wrap"},
        {65534, 0, 65536, "frame 65535 lost at the wrap"},
        {65536 + 3, 65530, 65530, "late across the wrap"},
        {65536 + 3, 65290, 65290, "249 behind across the wrap is late, not 18 hours ahead"},
        {65536, 65535, 65535, "late frame arriving after the wrap"},
        {3 * 65536 + 100, 90, 3 * 65536 + 90, "third cycle, late"},
        {3 * 65536 + 100, 200, 3 * 65536 + 200, "third cycle, gap"},
        {100, 32867, 32867, "forward jump up to 32767"},
    };
    for (const auto& row : table)
        EXPECT_EQ(ExtendSequence(row.highest, row.s), row.expected) << row.what;
}

TEST(LinkStatus, FromTheStatusBytesOfConsecutiveFrames)
{
    struct Step {
        std::uint8_t a, b;
        int status;
    };
    const std::vector<std::vector<Step>> runs = {
        {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 0}, {1, 0, 0}},
        {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}, {1, 1, 1}},
        {{0x11, 2, 0}, {0x11, 2, 0}, {0x11, 2, 0}, {0x11, 2, 3}},
        {{5, 5, 0}, {5, 5, 0}, {5, 5, 0}, {5, 5, 0}},
        {{0, 1, 0}, {0, 1, 0}, {0, 1, 0}, {0, 1, 2}, {0, 1, 2}},
        {{0x11, 0, 0}, {0x11, 0, 0}, {0x11, 0, 0}, {0x11, 0, 4}},
        {{0, 1, 0}, {0, 2, 0}, {1, 0, 0}, {0x11, 1, 2}},
    };
    for (std::size_t r = 0; r < runs.size(); ++r) {
        long long count = 0;
        for (std::size_t i = 0; i < runs[r].size(); ++i)
            EXPECT_EQ(StatusFromBytes(runs[r][i].a, runs[r][i].b, count), runs[r][i].status) << "run " << r << " frame " << i;
    }
}
