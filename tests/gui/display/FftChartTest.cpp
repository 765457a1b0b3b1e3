// The spectrum chart: what it sends to the control, and what the control then draws.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "ChartTestSupport.h"
#include "display/FftChartSetup.h"
#include "display/FftMSChart.h"

namespace {

const QRgb kGrey = Rgb(128, 128, 128);
const QRgb kRed = Rgb(255, 0, 0);
const QRgb kGreen = Rgb(0, 255, 0);
const QRgb kBlue = Rgb(0, 0, 255);
const QRgb kYellow = Rgb(255, 255, 0);

class SpectrumChart : public ::testing::Test {
protected:
    SpectrumChart() { chart.resize(340, 300); }

    void ShowBands(std::vector<float> bands, double verticalMax = 20.0)
    {
        chart.SetVerticalMax(verticalMax, 1);
        chart.SetCount(4);
        chart.SetData(bands);
        chart.Update(0);
    }

    void ShowBins(int binsPerHz, float value)
    {
        chart.SetBinsPerHz(binsPerHz);
        chart.SetCount(binsPerHz * 40);
        chart.SetData(std::vector<float>(static_cast<std::size_t>(binsPerHz) * 40, value));
        chart.Update(1);
    }

    // Colour runs along the row just above the x axis, over the axes box.
    std::vector<sRun> BaseRuns(const QImage& image) const
    {
        const QRect axes = chart.GetAxesRect();
        std::vector<sRun> runs = RowRuns(image, axes.bottom(), axes.left(), axes.right() + 1);
        std::erase_if(runs, [](const sRun& run) { return run.colour == Rgb(240, 240, 240); });
        return runs;
    }

    int BarTop(const QImage& image, int x) const
    {
        const QRect axes = chart.GetAxesRect();
        const QRgb colour = PixelAt(image, x, axes.bottom());
        int y = axes.bottom();
        while (y > 0 && PixelAt(image, x, y - 1) == colour)
            --y;
        return y;
    }

    CFftMSChart chart;
    const CChartState& state = chart.State();
};

}  // namespace

TEST_F(SpectrumChart, BandLayoutSendsFourColouredSeriesWithLegend)
{
    ShowBands({5.0f, 10.0f, 2.5f, 12.5f});
    ASSERT_EQ(state.GetChartData().GetRowCount(), 1);
    ASSERT_EQ(state.GetChartData().GetColumnCount(), 5);
    EXPECT_EQ(state.GetChartData().Cell(1, 1), "脳波FFT");
    EXPECT_EQ(state.GetChartData().Cell(1, 5), "12.500000");
    EXPECT_EQ(state.GetChartData().Cell(1, 4), "2.500000");

    const int labelColours[4][3] = {{128, 0, 0}, {0, 128, 0}, {0, 0, 128}, {192, 192, 0}};
    const char* legend[4] = {"δ波(1-4Hz)", "θ波(4-8Hz)", "α波(8-12Hz)", "β波(12-40Hz)"};
    for (int s = 1; s <= 4; ++s) {
        const sChartSeries& series = state.Series(s);
        const FftChart::sRgb bar = FftChart::BandColour(s);
        EXPECT_EQ(series.brush.fillColor.red, bar.red);
        EXPECT_EQ(series.brush.fillColor.blue, bar.blue);
        EXPECT_FALSE(series.brush.fillColor.automatic);
        EXPECT_EQ(series.dataPointLabel.fontColor.red, labelColours[s - 1][0]);
        EXPECT_EQ(series.dataPointLabel.fontColor.green, labelColours[s - 1][1]);
        EXPECT_EQ(series.dataPointLabel.fontColor.blue, labelColours[s - 1][2]);
        EXPECT_EQ(series.dataPointLabel.locationType, 1);
        EXPECT_EQ(series.label, legend[s - 1]);
    }
    EXPECT_TRUE(state.GetShowLegend());

    const sChartAxis& y = state.Axis(kAxisY);
    EXPECT_EQ(y.title.text, "\u03bcV^2");  // Greek mu, not the micro sign
    EXPECT_EQ(y.title.fontSize, 10.0f);
    EXPECT_EQ(y.title.orientation, 2);
    EXPECT_FALSE(y.valueScale.automatic);
    EXPECT_EQ(y.valueScale.maximum, 20.0);
    EXPECT_EQ(y.valueScale.majorDivision, 5);
    EXPECT_TRUE(state.Axis(kAxisY2).hide);
    EXPECT_EQ(state.Backdrop().fill.brush.fillColor.green, 240);
}

TEST_F(SpectrumChart, BinLayoutColoursEachBinByItsBandAndHidesTheLegend)
{
    ShowBands({1, 2, 3, 4});
    struct sCase {
        int binsPerHz;
        int grey, red, green, blue, yellow;
    };
    for (const sCase& c : {sCase{1, 1, 3, 4, 4, 28}, sCase{2, 2, 6, 8, 8, 56}, sCase{4, 4, 12, 16, 16, 112}}) {
        ShowBins(c.binsPerHz, 1.0f);
        ASSERT_EQ(state.GetSeriesCount(), c.binsPerHz * 40);
        int counts[5] = {};
        for (int s = 1; s <= state.GetSeriesCount(); ++s) {
            const sChartColor& colour = state.Series(s).brush.fillColor;
            const QRgb rgb = Rgb(colour.red, colour.green, colour.blue);
            const QRgb order[5] = {kGrey, kRed, kGreen, kBlue, kYellow};
            for (int k = 0; k < 5; ++k)
                counts[k] += rgb == order[k];
            EXPECT_EQ(state.Series(s).dataPointLabel.locationType, 0);
        }
        EXPECT_EQ(counts[0], c.grey) << c.binsPerHz;
        EXPECT_EQ(counts[1], c.red) << c.binsPerHz;
        EXPECT_EQ(counts[2], c.green) << c.binsPerHz;
        EXPECT_EQ(counts[3], c.blue) << c.binsPerHz;
        EXPECT_EQ(counts[4], c.yellow) << c.binsPerHz;
        EXPECT_FALSE(state.GetShowLegend());
    }
    // The bins at exactly 4, 8 and 12 Hz take the upper band's colour.
    EXPECT_EQ(FftChart::BinColour(4 * 4 + 1, 4), (FftChart::sRgb{0, 255, 0}));
    EXPECT_EQ(FftChart::BinColour(4 * 4, 4), (FftChart::sRgb{255, 0, 0}));
    EXPECT_EQ(FftChart::BinColour(12 * 4 + 1, 4), (FftChart::sRgb{255, 255, 0}));

    ShowBands({1, 2, 3, 4});
    EXPECT_TRUE(state.GetShowLegend());
    EXPECT_FALSE(chart.GetLegendRect().isEmpty());
}

TEST_F(SpectrumChart, BandBarsStandInOrderWithHeightsProportionalAndClippedAtTheMaximum)
{
    ShowBands({5.0f, 10.0f, 2.5f, 30.0f});  // the last one beyond the maximum of 20
    const QImage image = RenderChart(chart);
    const QRect axes = chart.GetAxesRect();

    const std::vector<sRun> runs = BaseRuns(image);
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[0].colour, kRed);
    EXPECT_EQ(runs[1].colour, kGreen);
    EXPECT_EQ(runs[2].colour, kBlue);
    EXPECT_EQ(runs[3].colour, kYellow);

    const int bottom = axes.top() + axes.height();
    const double values[3] = {5.0, 10.0, 2.5};
    for (int k = 0; k < 3; ++k) {
        const int expected = bottom - static_cast<int>(std::lround(values[k] / 20.0 * axes.height()));
        EXPECT_NEAR(BarTop(image, runs[k].first + runs[k].length / 2), expected, 1) << k;
    }
    EXPECT_EQ(BarTop(image, runs[3].first + runs[3].length / 2), axes.top());

    // The value labels stand above the bars in the darker band colours.
    const QRgb labelColours[3] = {Rgb(128, 0, 0), Rgb(0, 128, 0), Rgb(0, 0, 128)};
    for (int k = 0; k < 3; ++k) {
        const QRect above(runs[k].first, BarTop(image, runs[k].first + 1) - 20, runs[k].length, 20);
        int hits = 0;
        for (int y = above.top(); y <= above.bottom(); ++y)
            for (int x = above.left(); x <= above.right(); ++x)
                hits += PixelAt(image, x, y) == labelColours[k];
        EXPECT_GT(hits, 3) << k;
    }

    // Four swatches in the legend.
    const QRect legend = chart.GetLegendRect();
    for (const QRgb colour : {kRed, kGreen, kBlue, kYellow}) {
        int hits = 0;
        for (int y = legend.top(); y <= legend.bottom(); ++y)
            hits += PixelAt(image, legend.left() + 5, y) == colour;
        EXPECT_GE(hits, 6);
    }
}

TEST_F(SpectrumChart, DetailRunsFollowTheBandEdges)
{
    for (const int binsPerHz : {4, 32}) {
        ShowBins(binsPerHz, 1.0f);
        const std::vector<sRun> runs = BaseRuns(RenderChart(chart));
        ASSERT_EQ(runs.size(), 5u) << binsPerHz;
        const QRgb order[5] = {kGrey, kRed, kGreen, kBlue, kYellow};
        const int share[5] = {1, 3, 4, 4, 28};  // of 40 Hz
        int total = 0;
        for (const sRun& run : runs)
            total += run.length;
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(runs[static_cast<std::size_t>(k)].colour, order[k]) << binsPerHz << " run " << k;
            EXPECT_NEAR(runs[static_cast<std::size_t>(k)].length, total * share[k] / 40.0, 1.0) << binsPerHz << " run " << k;
        }
        EXPECT_TRUE(chart.GetLegendRect().isEmpty());
    }
}

TEST_F(SpectrumChart, NewMaximumShowsOnlyFromTheNextUpdate)
{
    ShowBands({5.0f, 10.0f, 2.5f, 12.5f});
    const QImage before = RenderChart(chart);
    chart.SetVerticalMax(40.0, 1);
    EXPECT_EQ(RenderChart(chart), before);

    chart.Update(0);
    const QImage after = RenderChart(chart);
    const QRect axes = chart.GetAxesRect();
    const std::vector<sRun> runs = BaseRuns(after);
    ASSERT_EQ(runs.size(), 4u);
    const int height = axes.top() + axes.height() - BarTop(after, runs[1].first + runs[1].length / 2);
    EXPECT_NEAR(height, axes.height() / 4, 1);  // 10 of 40
}

TEST_F(SpectrumChart, EmptyAndMissingValuesDrawNoBars)
{
    // 0 bins per hertz: a count of 0 gives a grid of the title alone and an empty chart.
    ShowBins(0, 1.0f);
    EXPECT_EQ(state.GetChartData().GetColumnCount(), 1);
    EXPECT_TRUE(BaseRuns(RenderChart(chart)).empty());

    // A count raised without data, and a non-finite value: no bar and no over-read.
    chart.SetCount(160);
    chart.Update(1);
    EXPECT_EQ(state.GetChartData().Cell(1, 161), "0.000000");
    ShowBands({std::numeric_limits<float>::quiet_NaN(), 5.0f, std::numeric_limits<float>::infinity(), 1e-7f});
    EXPECT_TRUE(std::isnan(state.GetValue(1, 1)));
    EXPECT_TRUE(std::isnan(state.GetValue(3, 1)));
    EXPECT_EQ(state.GetValue(4, 1), 0.0);  // "%f" turns a tiny power into a zero bar
    const std::vector<sRun> runs = BaseRuns(RenderChart(chart));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].colour, kGreen);
}
