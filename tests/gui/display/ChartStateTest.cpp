// The chart control's state and the values a chart stages, without drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "display/ChartState.h"
#include "display/ChartValues.h"
#include "display/FftChartSetup.h"

TEST(ChartState, GridCellsCountFromOneAndStayInside)
{
    CChartDataGrid grid(2, 3);
    grid.SetCell(2, 3, "7.5");
    EXPECT_EQ(grid.Cell(2, 3), "7.5");
    EXPECT_EQ(grid.Cell(1, 1), "");
    EXPECT_THROW(grid.Cell(0, 1), std::out_of_range);
    EXPECT_THROW(grid.Cell(3, 1), std::out_of_range);
    EXPECT_THROW(grid.SetCell(1, 4, "x"), std::out_of_range);
    EXPECT_EQ(CChartDataGrid(-1, 5).GetRowCount(), 0);
}

TEST(ChartState, SeriesAreTheColumnsAfterTheRowLabels)
{
    CChartState state;
    CChartDataGrid grid(2, 3);
    grid.SetCell(1, 1, "22:00");
    grid.SetCell(1, 2, "4");
    grid.SetCell(2, 3, "nan");
    state.SetChartData(grid);
    EXPECT_EQ(state.GetSeriesCount(), 2);
    EXPECT_EQ(state.GetRowLabel(1), "22:00");
    EXPECT_EQ(state.GetValue(1, 1), 4.0);
    EXPECT_TRUE(std::isnan(state.GetValue(2, 1)));  // empty cell
    EXPECT_TRUE(std::isnan(state.GetValue(2, 2)));  // "nan" draws nothing
    EXPECT_TRUE(std::isnan(state.GetValue(3, 1)));  // no such series

    // A grid with only the label column has no series; one with no rows has no points.
    state.SetChartData(CChartDataGrid(1, 1));
    EXPECT_EQ(state.GetSeriesCount(), 0);
    state.SetChartData(CChartDataGrid(0, 5));
    EXPECT_EQ(state.GetSeriesCount(), 4);
    EXPECT_TRUE(std::isnan(state.GetValue(1, 1)));
}

TEST(ChartState, SeriesPropertiesOutliveANewGrid)
{
    CChartState state;
    state.SetChartData(CChartDataGrid(1, 5));
    state.Series(3).brush.fillColor.Set(1, 2, 3);
    state.SetColumn(3);
    state.SetColumnLabel("α");
    state.SetChartData(CChartDataGrid(1, 2));
    state.SetChartData(CChartDataGrid(1, 5));
    EXPECT_FALSE(state.Series(3).brush.fillColor.automatic);
    EXPECT_EQ(state.Series(3).label, "α");
    EXPECT_THROW(state.Series(0), std::out_of_range);
}

TEST(ChartState, CellValuesParseWithoutTheLocaleAndRejectNonNumbers)
{
    EXPECT_EQ(ParseChartValue("12.500000"), 12.5);
    EXPECT_EQ(ParseChartValue(" 3 "), 3.0);
    EXPECT_EQ(ParseChartValue("-0.25"), -0.25);
    EXPECT_EQ(ParseChartValue("100000000000000000000.000000"), 1e20);
    for (const char* text : {"", "  ", "nan", "inf", "-inf", "12,5", "4x", "1e999"})
        EXPECT_TRUE(std::isnan(ParseChartValue(text))) << text;
}

TEST(ChartState, ValuesAreSentAsPercentFAndLabelledShort)
{
    EXPECT_EQ(FormatChartValue(12.5), "12.500000");
    EXPECT_EQ(FormatChartValue(1e-7), "0.000000");
    EXPECT_EQ(FormatChartValue(1e20), "100000000000000000000.000000");
    EXPECT_EQ(FormatChartLabel(12.5), "12.5");
    EXPECT_EQ(FormatChartLabel(0.04), "0.04");
    EXPECT_EQ(FormatChartLabel(-0.0), "0");
    EXPECT_EQ(FormatChartLabel(100.0), "100");
}

TEST(ChartState, TwipsAndPointsConvertByTheDeviceResolution)
{
    EXPECT_NEAR(TwipsToPixels(1000, 96), 66.667, 0.001);
    EXPECT_NEAR(TwipsToPixels(-720, 96), -48.0, 1e-9);
    EXPECT_NEAR(TwipsToPixels(1440, 120), 120.0, 1e-9);
    EXPECT_NEAR(PixelsToTwips(TwipsToPixels(130, 96), 96), 130.0, 1e-9);
    EXPECT_EQ(PixelsToTwips(10, 0), 0.0);
    EXPECT_NEAR(PointsToPixels(9, 96), 12.0, 1e-9);
}

TEST(ChartValues, NeverReadPastTheCallersArray)
{
    CChartValues<float> values(4);
    EXPECT_EQ(values.Value(3), 0.0f);

    values.SetCount(6);
    const float three[] = {1.0f, 2.0f, 3.0f};
    values.SetData(three);  // shorter than the count: the rest are zeros
    EXPECT_EQ(values.Value(2), 3.0f);
    EXPECT_EQ(values.Value(3), 0.0f);
    EXPECT_EQ(values.Value(5), 0.0f);

    values.SetCount(2);
    const float many[] = {9.0f, 8.0f, 7.0f, 6.0f};
    values.SetData(many);  // longer: only count values are taken
    EXPECT_EQ(values.Value(1), 8.0f);
    EXPECT_EQ(values.Value(2), 0.0f);

    values.SetCount(10);  // raised without new data: reads as zeros, never past the array
    EXPECT_EQ(values.Value(9), 0.0f);
    EXPECT_EQ(values.Value(-1), 0.0f);

    values.SetCount(-3);
    EXPECT_EQ(values.GetCount(), 0);
    values.SetData({});
    EXPECT_EQ(values.Value(0), 0.0f);
}
