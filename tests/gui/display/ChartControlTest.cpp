// The chart control itself: layout and its location rectangle, axes, legend, frame,
// automatic scales and hit-testing, driven through its state as a chart class would.
#include <gtest/gtest.h>

#include <QTest>

#include "ChartTestSupport.h"
#include "display/ChartRenderer.h"
#include "display/HypnogramMSChart.h"

namespace {

// A bar chart of three categories and two series.
class ChartControl : public ::testing::Test {
protected:
    ChartControl()
    {
        chart.resize(400, 300);
        CChartDataGrid grid(3, 3);
        const char* cells[3][3] = {{"a", "10", "20"}, {"b", "30", "40"}, {"c", "", "37"}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c)
                grid.SetCell(r, c, cells[r - 1][c - 1]);
        state.SetChartData(grid);
        state.Axis(kAxisY2).hide = true;
    }

    bool InkIn(const QImage& image, const QRect& area, QRgb colour = Rgb(0, 0, 0)) const
    {
        const QRect inside = area.intersected(image.rect());
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (PixelAt(image, x, y) == colour)
                    return true;
        return false;
    }

    CMschart chart;
    CChartState& state = chart.State();
};

}  // namespace

TEST_F(ChartControl, StoredLocationRectangleMovesThePlotAndLayoutRoundTrips)
{
    const QImage automatic = RenderChart(chart);
    const QRect autoPlot = chart.GetPlotRect();

    chart.Layout();  // stores the automatic rectangle; drawing it as fixed changes nothing
    state.SetAutoLayout(false);
    EXPECT_EQ(chart.GetPlotRect(), autoPlot);
    EXPECT_EQ(RenderChart(chart), automatic);

    // 1440 twips is 96 px: the plot's left edge follows the stored rectangle.
    state.LocationRect().min.x = 1440.0f;
    EXPECT_EQ(chart.GetPlotRect().left(), 96);
    EXPECT_GT(chart.GetAxesRect().left(), 96);

    // A rectangle reaching outside the control is clipped; one given backwards is turned round.
    state.LocationRect() = {{-3000.0f, -3000.0f}, {90000.0f, 90000.0f}};
    EXPECT_EQ(chart.GetPlotRect(), chart.rect());
    state.LocationRect() = {{4500.0f, 3000.0f}, {750.0f, 300.0f}};
    EXPECT_EQ(chart.GetPlotRect(), QRect(QPoint(50, 20), QPoint(299, 199)));
}

TEST_F(ChartControl, DegenerateSizesDrawWithoutFailing)
{
    chart.resize(0, 0);
    EXPECT_TRUE(chart.GetAxesRect().isEmpty());
    chart.Layout();
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    chart.Draw(painter, QSize(0, 0));
    chart.Draw(painter, QSize(30, 20));  // too small for axes: backdrop only

    // A hidden analysis chart is updated at zero size, then shown and updated again.
    CHypnogramMSChart hypnogram;
    hypnogram.resize(0, 0);
    hypnogram.SetCount(3);
    hypnogram.SetData(std::vector<std::int32_t>{4, 3, 2});
    hypnogram.Update();
    hypnogram.resize(800, 200);
    hypnogram.Update();
    EXPECT_FALSE(hypnogram.GetAxesRect().isEmpty());
    EXPECT_TRUE(hypnogram.GetPointPos(1, 1).has_value());
}

TEST_F(ChartControl, HiddenAxesLoseTheirLabelsAndTheSecondAxisMirrorsTheFirst)
{
    state.Axis(kAxisY).valueScale.automatic = false;
    state.Axis(kAxisY).valueScale.maximum = 50.0;
    QImage image = RenderChart(chart);
    QRect axes = chart.GetAxesRect();
    const QRect leftOfAxes(0, axes.top() - 6, axes.left() - 8, axes.height() + 12);
    EXPECT_TRUE(InkIn(image, leftOfAxes));

    state.Axis(kAxisY).hide = true;
    image = RenderChart(chart);
    axes = chart.GetAxesRect();
    EXPECT_FALSE(InkIn(image, QRect(0, axes.top() - 6, axes.left() - 2, axes.height() + 12)));

    state.Axis(kAxisY2).hide = false;
    image = RenderChart(chart);
    axes = chart.GetAxesRect();
    EXPECT_TRUE(InkIn(image, QRect(axes.right() + 6, axes.top() - 6, 40, axes.height() + 12)));
}

TEST_F(ChartControl, LegendOnlyWhenShownAndThePlotMakesRoomForIt)
{
    state.Series(1).label = "first";
    state.Series(2).label = "second";
    const QRect without = chart.GetPlotRect();
    EXPECT_TRUE(chart.GetLegendRect().isEmpty());

    state.SetShowLegend(true);
    const QRect legend = chart.GetLegendRect();
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_LT(chart.GetPlotRect().right(), legend.left());
    EXPECT_LT(chart.GetPlotRect().width(), without.width());
    const QImage image = RenderChart(chart);
    EXPECT_TRUE(InkIn(image, legend, CChartRenderer::SeriesColour(state, 1).rgb() & 0xFFFFFFu));
    EXPECT_TRUE(InkIn(image, legend, CChartRenderer::SeriesColour(state, 2).rgb() & 0xFFFFFFu));
}

TEST_F(ChartControl, FrameOfZeroWidthIsInvisible)
{
    state.Backdrop().frame.style = 3;
    state.Backdrop().frame.width = 0.0f;
    EXPECT_EQ(PixelAt(RenderChart(chart), 0, 150), Rgb(255, 255, 255));
    state.Backdrop().frame.width = 3.0f;  // 4 px at 96 dpi
    const QImage image = RenderChart(chart);
    EXPECT_EQ(PixelAt(image, 3, 150), Rgb(0, 0, 0));
    EXPECT_NE(PixelAt(image, 4, 150), Rgb(0, 0, 0));
}

TEST_F(ChartControl, AutomaticScaleReachesARoundNumberAboveTheData)
{
    const sChartScale scale = CChartLayout::Scale(state);
    EXPECT_EQ(scale.minimum, 0.0);
    EXPECT_EQ(scale.maximum, 50.0);  // largest value 40

    state.SetChartData(CChartDataGrid(2, 2));
    EXPECT_EQ(CChartLayout::Scale(state).maximum, 1.0);  // no data
}

TEST_F(ChartControl, ClicksHitBarsAndFallBackToTheChart)
{
    std::vector<std::pair<short, short>> points;
    int chartClicks = 0;
    QObject::connect(&chart, &CMschart::PointSelected,
                     [&](short s, short p, short, short*) { points.emplace_back(s, p); });
    QObject::connect(&chart, &CMschart::ChartSelected, [&](short, short*) { ++chartClicks; });

    const auto bar = chart.GetBarRect(2, 2);
    ASSERT_TRUE(bar.has_value());
    QTest::mouseClick(&chart, Qt::LeftButton, {}, bar->center());
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(bar->center().x(), bar->top() - 3));  // above it
    EXPECT_FALSE(chart.GetBarRect(1, 3).has_value());  // empty cell: no bar to hit
    QTest::mouseClick(&chart, Qt::RightButton, {}, bar->center());  // only the left button selects

    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], (std::pair<short, short>{2, 2}));
    EXPECT_EQ(chartClicks, 1);
}
