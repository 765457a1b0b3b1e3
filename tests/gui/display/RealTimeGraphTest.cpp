// The sweep graph drawn into images: where the sweep stands after n blocks, its gap, where
// the trace resumes, resizing, the direct mode, and reading the ring back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <cfloat>
#include <vector>

#include "GraphTestSupport.h"
#include "display/RealTimeGraph.h"

namespace {

std::vector<float> Constant(int n, float value)
{
    return std::vector<float>(static_cast<std::size_t>(n), value);
}

// The column of ring position i in an 800 × 200 graph with a ring of size n.
int ColumnOf(int i, int n)
{
    return 60 + static_cast<int>(680.0 / (n - 1) * i);
}

class RealTimeGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetUpEegGraph(graph);
        graph.SetCursorFraction(0.0, 0); // the cursor hides under the left edge
    }
    bool BlackInColumn(const QImage& image, int x) const
    {
        return !RowsWithColour(image, x, kGraphBlack, 21, 179).empty();
    }
    CRealTimeGraph graph;
};

TEST_F(RealTimeGraphTest, OneBlockDrawsAtTheLeftAndNothingElse)
{
    graph.AddData(Constant(128, 100.0f), 0);
    EXPECT_EQ(graph.GetWriteIndex(), 128);
    const QImage image = RenderGraph(graph);
    for (int x = 60; x <= 81; ++x)
        EXPECT_TRUE(PixelIs(image, x, 60, kGraphBlack)) << x;
    for (int x = 83; x <= 739; ++x)
        EXPECT_FALSE(BlackInColumn(image, x)) << x;
}

TEST_F(RealTimeGraphTest, AfterThirtyOneBlocksTheGapFollowsTheNewestBlock)
{
    // Block k holds the constant −150 + 10 k.
    auto value = [](int k) { return static_cast<float>(-150 + 10 * k); };
    for (int k = 1; k <= 31; ++k)
        graph.AddData(Constant(128, value(k)), 0);
    ASSERT_EQ(graph.GetWriteIndex(), 128);
    const QImage image = RenderGraph(graph);

    // Block 31 at positions 0..127 (x 60..82).
    EXPECT_EQ(RowsWithColour(image, 70, kGraphBlack, 21, 179), std::vector<int>{RowOfValue(value(31))});
    // The gap: positions 128..165, columns 83..88.
    for (int x = 83; x <= 88; ++x)
        EXPECT_FALSE(BlackInColumn(image, x)) << x;
    // The trace resumes at position 166 (x = 89) with block 2, not with a line from block 31.
    ASSERT_EQ(ColumnOf(166, 3840), 89);
    EXPECT_EQ(RowsWithColour(image, 89, kGraphBlack, 21, 179), std::vector<int>{RowOfValue(value(2))});
    // A staircase of blocks 3..30 after it: block k at positions (k − 1) × 128 ...
    for (int k = 3; k <= 30; ++k) {
        const int middle = ColumnOf((k - 1) * 128 + 64, 3840);
        EXPECT_EQ(RowsWithColour(image, middle, kGraphBlack, 21, 179), std::vector<int>{RowOfValue(value(k))}) << k;
    }
}

TEST_F(RealTimeGraphTest, ShrinkingShowsOnlyTheCurrentSweepFromTheLeft)
{
    graph.AddData(Constant(3000, 100.0f), 0);
    graph.SetSize(1280, 1);
    EXPECT_EQ(graph.GetSize(), 1280);
    EXPECT_EQ(graph.GetWriteIndex(), 440);
    const QImage image = RenderGraph(graph);
    // Old positions 2560..2999 at 0..439 (x 60..293), then the gap and empty positions.
    for (int x = 60; x < ColumnOf(439, 1280); ++x)
        EXPECT_TRUE(PixelIs(image, x, 60, kGraphBlack)) << x;
    for (int x = ColumnOf(439, 1280) + 1; x <= 739; ++x)
        EXPECT_FALSE(BlackInColumn(image, x)) << x;
}

TEST_F(RealTimeGraphTest, SetSizeRedrawsOnlyWithFlagOneAndIgnoresBadSizes)
{
    graph.AddData(Constant(3000, 100.0f), 0);
    const QImage before = RenderGraph(graph);
    graph.SetSize(1280, 2);
    EXPECT_EQ(graph.GetSize(), 1280);
    EXPECT_EQ(RenderGraph(graph), before) << "the shown points are not rebuilt";
    graph.SetSize(0, 1);
    graph.SetSize(-3840, 1);
    EXPECT_EQ(graph.GetSize(), 1280);
    EXPECT_EQ(graph.GetWriteIndex(), 440);
}

TEST_F(RealTimeGraphTest, DirectModeShowsTheValuesAndLeavesTheRingAlone)
{
    graph.AddData(Constant(1000, 100.0f), 0);
    const std::vector<float> ring = graph.GetData();
    graph.AddData(Constant(3840, -100.0f), 1);
    EXPECT_EQ(graph.GetData(), ring);
    EXPECT_EQ(graph.GetWriteIndex(), 1000);
    // The whole width, no gap.
    const QImage image = RenderGraph(graph);
    for (int x = 60; x < 740; ++x)
        EXPECT_EQ(RowsWithColour(image, x, kGraphBlack, 21, 179), std::vector<int>{RowOfValue(-100.0)}) << x;
    // The next sweep write continues the old sweep.
    graph.AddData(Constant(128, 50.0f), 0);
    EXPECT_EQ(graph.GetWriteIndex(), 1128);
    const QImage resumed = RenderGraph(graph);
    EXPECT_TRUE(PixelIs(resumed, ColumnOf(500, 3840), RowOfValue(100.0), kGraphBlack));
    EXPECT_TRUE(PixelIs(resumed, ColumnOf(1064, 3840), RowOfValue(50.0), kGraphBlack));
}

TEST_F(RealTimeGraphTest, FourHourRingIsDecimatedTo16311Points)
{
    graph.SetSize(1843200, 0);
    graph.AddData(Constant(128, 10.0f), 0);
    ASSERT_EQ(graph.GetStoredData().size(), 16311u);
    EXPECT_EQ(graph.GetStoredData()[0], 10.0);
    EXPECT_EQ(graph.GetStoredData()[1], 10.0);  // position 113
    EXPECT_EQ(graph.GetStoredData()[2], FLT_MAX); // position 226: in the gap
}

TEST_F(RealTimeGraphTest, ClearEmptiesTheRingAndKeepsItsSize)
{
    graph.SetSize(1280, 0);
    graph.AddData(Constant(500, 100.0f), 0);
    graph.Clear();
    EXPECT_EQ(graph.GetSize(), 1280);
    EXPECT_EQ(graph.GetWriteIndex(), 0);
    EXPECT_EQ(graph.GetData(), std::vector<float>(1280, 0.0f));
    EXPECT_TRUE(graph.GetStoredData().empty());
    EXPECT_FALSE(BlackInColumn(RenderGraph(graph), 100));
}

TEST_F(RealTimeGraphTest, GetDataNeverWritesPastTheCallersBuffer)
{
    graph.AddData(Constant(100, 3.0f), 0);
    EXPECT_EQ(graph.GetData().size(), 3840u);
    std::vector<float> buffer(300, -1.0f);
    // A buffer sized for a smaller ring than the present one.
    EXPECT_EQ(graph.GetData(std::span<float>(buffer.data(), 256)), 256u);
    EXPECT_EQ(buffer[255], 0.0f);
    EXPECT_EQ(buffer[256], -1.0f);
    const std::vector<float> data = graph.GetData();
    EXPECT_EQ(data[3739], 0.0f);
    EXPECT_EQ(data[3740], 3.0f);
}

TEST_F(RealTimeGraphTest, EmptyBlocksStillRedraw)
{
    graph.resize(300, 100);
    graph.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    graph.AddData({}, 0);
    EXPECT_EQ(graph.GetWriteIndex(), 0);
    EXPECT_EQ(graph.GetStoredData().size(), 3840u) << "the empty ring with its gap is shown";
}

} // namespace
