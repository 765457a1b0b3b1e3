// Screenshots of the three charts in their typical states, for a person to look at.
#include <gtest/gtest.h>

#include "ChartTestSupport.h"
#include "display/FftMSChart.h"
#include "display/FftTrendMSChart.h"
#include "display/HypnogramMSChart.h"
#include "support/Screenshot.h"

namespace {

void ShowSpectrum(CFftMSChart& chart, int binsPerHz, double verticalMax)
{
    const std::vector<float> spectrum = SampleSpectrum(binsPerHz);
    chart.SetVerticalMax(verticalMax, 1);
    chart.SetBinsPerHz(binsPerHz);
    chart.SetCount(binsPerHz * 40);
    chart.SetData(spectrum);
    chart.Update(1);
}

}  // namespace

TEST(ChartScreenshots, SpectrumChartBandsAndDetail)
{
    CFftMSChart chart;
    chart.resize(340, 300);
    const float bands[] = {5.0f, 10.0f, 2.5f, 12.5f};
    chart.SetVerticalMax(20.0, 1);
    chart.SetCount(4);
    chart.SetData(bands);
    chart.Update(0);
    EXPECT_TRUE(SaveScreenshot(RenderChart(chart), "chart_fft_bands"));

    ShowSpectrum(chart, 4, 0.2);
    EXPECT_TRUE(SaveScreenshot(RenderChart(chart), "chart_fft_detail_4"));
    ShowSpectrum(chart, 32, 0.2);
    EXPECT_TRUE(SaveScreenshot(RenderChart(chart), "chart_fft_detail_32"));
}

// Value labels of bars far beyond the maximum (the first seconds of a measurement), and of
// powers so small that their bars have no height.
TEST(ChartScreenshots, SpectrumChartLabelsOfHugeAndTinyBands)
{
    CFftMSChart chart;
    chart.resize(340, 300);
    const struct {
        float bands[4];
        const char* name;
    } cases[] = {{{5252.03f, 3272.98f, 8064.4f, 584.3f}, "chart_fft_bands_above_max"},
                 {{0.000779f, 0.00276f, 0.0005f, 0.0123f}, "chart_fft_bands_tiny"}};
    for (const auto& c : cases) {
        chart.SetVerticalMax(20.0, 1);
        chart.SetCount(4);
        chart.SetData(c.bands);
        chart.Update(0);
        EXPECT_TRUE(SaveScreenshot(RenderChart(chart), c.name));
    }
}

TEST(ChartScreenshots, HypnogramAndBandTrendOfTwoHours)
{
    const std::vector<std::int32_t> night = SampleNight(240);
    const std::time_t start = LocalTime(2024, 3, 1, 23, 0);
    CHypnogramMSChart hypnogram;
    CFftTrendMSChart trend;
    hypnogram.resize(1000, 180);
    trend.resize(1000, 260);
    for (CEpochMSChart* chart : {static_cast<CEpochMSChart*>(&hypnogram), static_cast<CEpochMSChart*>(&trend)}) {
        chart->SetCount(240);
        chart->SetStartTime(start);
        chart->SetData(night);
        chart->Update();
    }
    EXPECT_TRUE(SaveScreenshot(RenderChart(hypnogram), "chart_hypnogram_2h"));
    EXPECT_TRUE(SaveScreenshot(RenderChart(trend), "chart_band_trend_2h"));
}
