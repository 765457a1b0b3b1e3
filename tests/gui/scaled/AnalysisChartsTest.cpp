// The analysis view's charts at every scale: the band trend's solid grid and the hypnogram's
// dotted one, their axes with minor ticks and their legend swatches, each one width in device
// pixels. (The spectrum chart and the graphs are checked where they stand in the main window.)
#include <gtest/gtest.h>

#include "ScaledLines.h"
#include "display/FftTrendMSChart.h"
#include "display/HypnogramMSChart.h"
#include "gui/display/ChartTestSupport.h"
#include "support/Screenshot.h"

TEST(LinesAtScales, AnalysisChartsGridAxesAndLegendSwatches)
{
    CFftTrendMSChart trend;
    CHypnogramMSChart hypnogram;
    const struct {
        CEpochMSChart* chart;
        int height;
        int gridLines;
        bool dotted;
        const char* name;
    } charts[] = {{&trend, 260, 5, false, "band_trend"}, {&hypnogram, 180, 1, true, "hypnogram"}};
    for (const auto& c : charts) {
        c.chart->resize(1000, c.height);
        c.chart->SetCount(240);
        c.chart->SetStartTime(LocalTime(2024, 3, 1, 23, 0));
        c.chart->SetData(SampleNight(240));
        c.chart->Update();
        for (const sScale& scale : kScales) {
            SCOPED_TRACE(std::string(c.name) + " " + scale.percent);
            const QImage image = GrabAtScale(*c.chart, scale);
            ASSERT_FALSE(image.isNull());
            const sChartLines lines = ChartLines(image, *c.chart, QPoint(), scale);
            ExpectChartLinesOfOneWidth(lines, c.gridLines, scale.lineWidth);
            if (!c.dotted) {
                EXPECT_EQ(lines.axisToGrid, 0);
            }
            if (scale.ratio == 1.25 || scale.ratio == 1.5) {
                EXPECT_TRUE(SaveScreenshot(image, QStringLiteral("scaled_chart_%1_%2").arg(c.name, scale.percent)));
            }
        }
    }
}
