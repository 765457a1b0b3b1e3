// The line graph's pixel arithmetic, without drawing.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "display/GraphGeometry.h"

namespace {

TEST(GraphGeometryTest, PlotAreaTakesMarginsOfSevenAndAHalfAndTenPercent)
{
    const sGraphPlotArea plot = GraphPlotArea(800, 200);
    EXPECT_EQ(plot.left, 60);
    EXPECT_EQ(plot.top, 20);
    EXPECT_EQ(plot.width, 680);
    EXPECT_EQ(plot.height, 160);
    EXPECT_EQ(TickFontSize(plot), 12);
    EXPECT_EQ(AxisLabelFontSize(plot), 12);
    EXPECT_EQ(TitleFontSize(plot, 5), 12);

    // An odd margin puts its extra pixel on the right: mx = 121, left 60, pw 689.
    const sGraphPlotArea odd = GraphPlotArea(810, 201);
    EXPECT_EQ(odd.left, 60);
    EXPECT_EQ(odd.width, 689);
    EXPECT_EQ(odd.top, 20);
    EXPECT_EQ(odd.height, 161);
}

TEST(GraphGeometryTest, SmallClientsDropTickValuesButKeepTinyLabelsAndTitle)
{
    const sGraphPlotArea plot = GraphPlotArea(100, 40);
    EXPECT_EQ(TickFontSize(plot), 0);
    EXPECT_EQ(AxisLabelFontSize(plot), 2);
    EXPECT_EQ(TitleFontSize(plot, 5), 2);
    EXPECT_EQ(TitleFontSize(plot, 0), 0); // an empty title draws nothing
    EXPECT_EQ(TickFontSize(GraphPlotArea(0, 0)), 0);
}

TEST(GraphGeometryTest, TitleSizeUsesTheLengthInUtf16Units)
{
    // A title as long as the plot is wide gets a small font: s = min(2 × (pw / L), top).
    const sGraphPlotArea plot = GraphPlotArea(200, 200); // pw 170, top 20
    EXPECT_EQ(TitleFontSize(plot, 5), 12);
    EXPECT_EQ(TitleFontSize(plot, 34), 6);  // 2 × 5 = 10 → 6
    EXPECT_EQ(TitleFontSize(plot, 200), 0); // 2 × 0 → nothing
}

TEST(GraphGeometryTest, DecimationKeepsAtMost16384Points)
{
    EXPECT_EQ(DecimatedCount(0), 0);
    EXPECT_EQ(DecimatedCount(-5), 0);
    EXPECT_EQ(DecimatedCount(1), 1);
    EXPECT_EQ(DecimatedCount(16384), 16384);
    EXPECT_EQ(DecimationStep(16384), 1);
    EXPECT_EQ(DecimatedCount(16385), 8192);
    EXPECT_EQ(DecimationStep(16385), 2);
    EXPECT_EQ(DecimatedCount(38400), 12800);
    EXPECT_EQ(DecimationStep(38400), 3);
    // Four hours at 128 Hz.
    EXPECT_EQ(DecimationStep(1843200), 113);
    EXPECT_EQ(DecimatedCount(1843200), 16311);
}

TEST(GraphGeometryTest, PercentIsClampedAndGapsPassUnchanged)
{
    EXPECT_DOUBLE_EQ(ToPercent(0.0, -200.0, 400.0), 50.0);
    EXPECT_DOUBLE_EQ(ToPercent(1e6, -200.0, 400.0), 100.0);
    EXPECT_DOUBLE_EQ(ToPercent(-1e6, -200.0, 400.0), 0.0);
    EXPECT_DOUBLE_EQ(ToPercent(INFINITY, -200.0, 400.0), 100.0);
    EXPECT_DOUBLE_EQ(ToPercent(-INFINITY, -200.0, 400.0), 0.0);
    EXPECT_EQ(ToPercent(kGraphGap, -200.0, 400.0), kGraphGap);
    EXPECT_TRUE(std::isnan(ToPercent(NAN, -200.0, 400.0)));
    EXPECT_TRUE(IsGraphGap(kGraphGap));
    EXPECT_TRUE(IsGraphGap(NAN));
    EXPECT_FALSE(IsGraphGap(-kGraphGap));
    EXPECT_FALSE(IsGraphGap(INFINITY));
    // An empty range has no place for any value: no division by zero.
    EXPECT_DOUBLE_EQ(ToPercent(5.0, 10.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(ToPercent(5.0, 10.0, NAN), 0.0);
}

TEST(GraphGeometryTest, CursorFractionIsMeasuredAcrossThePlotOnly)
{
    EXPECT_DOUBLE_EQ(CursorFractionFor(0, 800), 0.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(59, 800), 0.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(60, 800), 0.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(400, 800), 0.5);
    EXPECT_DOUBLE_EQ(CursorFractionFor(740, 800), 1.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(741, 800), 1.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(749, 810), 1.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(-3, 0), 0.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(0, 0), 0.0);
    EXPECT_DOUBLE_EQ(CursorFractionFor(1, 0), 1.0);
}

TEST(GraphGeometryTest, TraceLiftsThePenAtGapsAndResumesWithAMove)
{
    const sGraphPlotArea plot = GraphPlotArea(800, 200);
    const std::vector<double> values = {kGraphGap, 100.0, NAN, 100.0, -100.0, kGraphGap, kGraphGap};
    const std::vector<sTracePoint> points = TracePoints(values, plot, -200.0, 400.0);
    ASSERT_EQ(points.size(), 3u);
    // x = 60 + trunc(680 / 6 × i)
    EXPECT_EQ(points[0].x, 173);
    EXPECT_EQ(points[0].y, 60);
    EXPECT_TRUE(points[0].move);
    EXPECT_EQ(points[1].x, 400);
    EXPECT_TRUE(points[1].move); // after the NaN: a move, not a line
    EXPECT_EQ(points[2].x, 513);
    EXPECT_EQ(points[2].y, 140);
    EXPECT_FALSE(points[2].move);

    EXPECT_TRUE(TracePoints(std::vector<double>(10, kGraphGap), plot, -200.0, 400.0).empty());
    EXPECT_TRUE(TracePoints(std::vector<double>{}, plot, -200.0, 400.0).empty());
    // Equal y limits: no trace at all.
    EXPECT_TRUE(TracePoints(std::vector<double>{1.0, 2.0}, plot, 5.0, 0.0).empty());
}

TEST(GraphGeometryTest, TraceSpansThePlotAndClampsToItsEdges)
{
    const sGraphPlotArea plot = GraphPlotArea(800, 200);
    const std::vector<double> values = {1e9, 0.0, -1e9};
    const std::vector<sTracePoint> points = TracePoints(values, plot, -200.0, 400.0);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].x, 60);
    EXPECT_EQ(points[0].y, 20);
    EXPECT_EQ(points[1].y, 100);
    EXPECT_EQ(points[2].x, 740);
    EXPECT_EQ(points[2].y, 180);

    // A single value stands on the left edge, one pixel long so that it shows.
    const std::vector<sTracePoint> single = TracePoints(std::vector<double>{0.0}, plot, -200.0, 400.0);
    ASSERT_EQ(single.size(), 2u);
    EXPECT_EQ(single[0].x, 60);
    EXPECT_TRUE(single[0].move);
    EXPECT_EQ(single[1].x, 61);
    EXPECT_EQ(single[1].y, 100);
}

TEST(GraphGeometryTest, PixelConversionsNeverOverflow)
{
    EXPECT_EQ(TruncToPixel(2.9), 2);
    EXPECT_EQ(TruncToPixel(-2.9), -2);
    EXPECT_EQ(TruncToPixel(NAN), 0);
    EXPECT_EQ(TruncToPixel(-5e38), -16777216);
    EXPECT_EQ(TruncToPixel(INFINITY), 16777216);
}

TEST(GraphGeometryTest, TickTextsUseThePrintfFormatWithoutTheLocale)
{
    // 0..30 in four steps; glibc rounds exact halves to even.
    EXPECT_EQ(FormatTickValue("%2.0f", 0.0), " 0");
    EXPECT_EQ(FormatTickValue("%2.0f", 7.5), " 8");
    EXPECT_EQ(FormatTickValue("%2.0f", 15.0), "15");
    EXPECT_EQ(FormatTickValue("%2.0f", 22.5), "22");
    EXPECT_EQ(FormatTickValue("%2.0f", 30.0), "30");
    EXPECT_EQ(FormatTickValue("%5.0f", 0.5), "    0");
    EXPECT_EQ(FormatTickValue("%5.0f", -0.5), "   -0");
    EXPECT_EQ(FormatTickValue("%1.1f", 0.5), "0.5");
    EXPECT_EQ(FormatTickValue("%lf s", 2.0), "2.000000 s");
    EXPECT_EQ(FormatTickValue("100%% %g", 1.0), "100% 1");
}

TEST(GraphGeometryTest, FormatsThatDoNotTakeOneDoublePrintNothing)
{
    for (const char* format : {"%d", "%s", "%n", "%f %f", "%*f", "%", "abc %", "%Lf", "%5.2"})
        EXPECT_EQ(FormatTickValue(format, 1.0), "") << format;
    EXPECT_FALSE(IsDoubleFormat(std::string("%f\0%s", 5)));
    EXPECT_FALSE(IsDoubleFormat("no conversion"));
    EXPECT_TRUE(IsDoubleFormat("%-+ #08.3e"));
    // A huge width is cut at the buffer, not written past it.
    EXPECT_EQ(FormatTickValue("%900f", 1.0).size(), 511u);
}

} // namespace
