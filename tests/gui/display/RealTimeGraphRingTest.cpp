// The sweep graph's ring: writing, wrapping, the gap ahead of the write position, resizing
// and reading back oldest first.
#include <gtest/gtest.h>

#include <cfloat>
#include <numeric>
#include <vector>

#include "display/RealTimeGraphRing.h"

namespace {

// The values first, first + 1, ..., first + n − 1.
std::vector<float> Ramp(int n, int first = 0)
{
    std::vector<float> values(static_cast<std::size_t>(n));
    std::iota(values.begin(), values.end(), static_cast<float>(first));
    return values;
}

TEST(SweepRingTest, StartsEmptyWithThirtySecondsOfPositions)
{
    CSweepRing ring;
    EXPECT_EQ(ring.Size(), 3840);
    EXPECT_EQ(ring.WriteIndex(), 0);
    EXPECT_EQ(ring.GapLength(), 38);
    EXPECT_EQ(ring.CopyChronological(), std::vector<float>(3840, 0.0f));
    for (float value : ring.Values())
        EXPECT_EQ(value, FLT_MAX);
}

TEST(SweepRingTest, OneBlockFillsTheStartAndTheGapFollowsIt)
{
    CSweepRing ring;
    ring.Append(Ramp(128, 1));
    EXPECT_EQ(ring.WriteIndex(), 128);
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(ring.ShownValue(i), i + 1.0f);
    for (int i = 128; i < 166; ++i)
        EXPECT_EQ(ring.ShownValue(i), FLT_MAX) << i;
    EXPECT_EQ(ring.Values()[166], FLT_MAX); // empty, not part of the gap
    // Oldest first: 3712 zeros, then the block.
    const std::vector<float> data = ring.CopyChronological();
    EXPECT_EQ(std::vector<float>(data.begin(), data.begin() + 3712), std::vector<float>(3712, 0.0f));
    EXPECT_EQ(std::vector<float>(data.begin() + 3712, data.end()), Ramp(128, 1));
}

TEST(SweepRingTest, ThirtiethBlockWrapsAndTheGapCoversTheStart)
{
    CSweepRing ring;
    for (int block = 0; block < 30; ++block)
        ring.Append(Ramp(128, block * 128));
    EXPECT_EQ(ring.WriteIndex(), 0);
    for (int i = 0; i < 38; ++i)
        EXPECT_EQ(ring.ShownValue(i), FLT_MAX) << i;
    EXPECT_EQ(ring.ShownValue(38), 38.0f);
    EXPECT_EQ(ring.ShownValue(3839), 3839.0f);
}

TEST(SweepRingTest, GapWrapsAcrossTheEnd)
{
    CSweepRing ring;
    ring.Append(Ramp(3820));
    EXPECT_EQ(ring.WriteIndex(), 3820);
    for (int i = 3820; i < 3840; ++i)
        EXPECT_EQ(ring.ShownValue(i), FLT_MAX) << i;
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(ring.ShownValue(i), FLT_MAX) << i;
    EXPECT_EQ(ring.ShownValue(18), 18.0f);
    EXPECT_EQ(ring.ShownValue(3819), 3819.0f);
}

TEST(SweepRingTest, ReadsBackOldestFirst)
{
    CSweepRing ring;
    ring.Append(Ramp(3900));
    EXPECT_EQ(ring.CopyChronological(), Ramp(3840, 60));
}

TEST(SweepRingTest, BlockLongerThanTheRingWrapsAsOftenAsNeeded)
{
    CSweepRing ring;
    ring.Append(Ramp(8000));
    EXPECT_EQ(ring.WriteIndex(), 320);
    EXPECT_EQ(ring.Values()[0], 7680.0f);
    EXPECT_EQ(ring.Values()[319], 7999.0f);
    EXPECT_EQ(ring.Values()[320], 4160.0f);
    EXPECT_EQ(ring.Values()[3839], 7679.0f);
    ring.Append({});
    EXPECT_EQ(ring.WriteIndex(), 320);
}

TEST(SweepRingTest, GrowingKeepsTheCurrentSweepAndItsWritePosition)
{
    CSweepRing ring;
    ring.Append(Ramp(1000));
    ASSERT_TRUE(ring.Resize(7680));
    EXPECT_EQ(ring.Size(), 7680);
    EXPECT_EQ(ring.WriteIndex(), 1000);
    EXPECT_EQ(ring.Values()[999], 999.0f);
    EXPECT_EQ(ring.Values()[1000], FLT_MAX);
    EXPECT_EQ(ring.Values()[7679], FLT_MAX);

    // After a wrap only the samples since the wrap survive.
    CSweepRing wrapped;
    wrapped.Append(Ramp(4000)); // write index 160
    ASSERT_TRUE(wrapped.Resize(7680));
    EXPECT_EQ(wrapped.WriteIndex(), 160);
    EXPECT_EQ(wrapped.Values()[0], 3840.0f);
    EXPECT_EQ(wrapped.Values()[159], 3999.0f);
    EXPECT_EQ(wrapped.Values()[160], FLT_MAX);
}

TEST(SweepRingTest, ResizingToTheSameSizeBlanksFromTheWritePosition)
{
    CSweepRing ring;
    ring.Append(Ramp(4000)); // positions 0..159 new, 160..3839 from the first sweep
    ASSERT_TRUE(ring.Resize(3840));
    EXPECT_EQ(ring.WriteIndex(), 160);
    EXPECT_EQ(ring.Values()[159], 3999.0f);
    EXPECT_EQ(ring.Values()[160], FLT_MAX);
    EXPECT_EQ(ring.Values()[3839], FLT_MAX);
}

TEST(SweepRingTest, ShrinkingKeepsThePartSinceTheLastMultipleOfTheNewSize)
{
    CSweepRing ring;
    ring.Append(Ramp(3000));
    ASSERT_TRUE(ring.Resize(1280));
    EXPECT_EQ(ring.Size(), 1280);
    EXPECT_EQ(ring.WriteIndex(), 440);
    EXPECT_EQ(ring.Values()[0], 2560.0f);
    EXPECT_EQ(ring.Values()[439], 2999.0f);
    EXPECT_EQ(ring.Values()[440], FLT_MAX);
    EXPECT_EQ(ring.GapLength(), 12);

    // Grow and shrink again in sequence.
    ASSERT_TRUE(ring.Resize(15360));
    EXPECT_EQ(ring.WriteIndex(), 440);
    ASSERT_TRUE(ring.Resize(256));
    EXPECT_EQ(ring.WriteIndex(), 440 - 256);
    EXPECT_EQ(ring.Values()[0], 2560.0f + 256.0f);
    EXPECT_EQ(ring.Values()[183], 2999.0f);
    EXPECT_EQ(ring.Values()[184], FLT_MAX);
}

TEST(SweepRingTest, SmallRingsShowNoGapAndBadSizesAreRefused)
{
    CSweepRing ring;
    ASSERT_TRUE(ring.Resize(99));
    EXPECT_EQ(ring.GapLength(), 0);
    ring.Append(Ramp(10));
    EXPECT_EQ(ring.ShownValue(10), FLT_MAX); // empty, as stored
    ring.Append(Ramp(99, 100));
    EXPECT_EQ(ring.ShownValue(10), 100.0f);

    EXPECT_FALSE(ring.Resize(0));
    EXPECT_FALSE(ring.Resize(-256));
    EXPECT_EQ(ring.Size(), 99);
    EXPECT_EQ(ring.WriteIndex(), 10);

    ASSERT_TRUE(ring.Resize(1));
    ring.Append(Ramp(5));
    EXPECT_EQ(ring.WriteIndex(), 0);
    EXPECT_EQ(ring.Values()[0], 4.0f);
}

TEST(SweepRingTest, ReadingIntoAShortBufferStopsAtItsEnd)
{
    CSweepRing ring;
    ring.Append(Ramp(3900));
    std::vector<float> buffer(20, -7.0f);
    EXPECT_EQ(ring.CopyChronological(std::span<float>(buffer.data(), 10)), 10u);
    EXPECT_EQ(std::vector<float>(buffer.begin(), buffer.begin() + 10), Ramp(10, 60));
    EXPECT_EQ(std::vector<float>(buffer.begin() + 10, buffer.end()), std::vector<float>(10, -7.0f));
    // A longer buffer gets only the ring's size.
    std::vector<float> longer(4000, -7.0f);
    EXPECT_EQ(ring.CopyChronological(longer), 3840u);
    EXPECT_EQ(longer[3839], 3899.0f);
    EXPECT_EQ(longer[3840], -7.0f);
}

TEST(SweepRingTest, ResetEmptiesAndKeepsTheGivenSize)
{
    CSweepRing ring;
    ring.Append(Ramp(500));
    ring.Reset(ring.Size());
    EXPECT_EQ(ring.Size(), 3840);
    EXPECT_EQ(ring.WriteIndex(), 0);
    EXPECT_EQ(ring.CopyChronological(), std::vector<float>(3840, 0.0f));
}

} // namespace
