// Screenshots of both graphs in their typical states, written to <build>/screenshots for a
// person to look at: a 30 s EEG slice, a sweep half full, and an EMG review slice with a cursor.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>

#include <cmath>
#include <vector>

#include "GraphTestSupport.h"
#include "support/Screenshot.h"
#include "display/RealTimeGraph.h"

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 260;

QImage Grab(CRealTimeGraph& graph)
{
    graph.resize(kWidth, kHeight);
    return graph.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void ExpectSaved(const QImage& image, const QString& name)
{
    ASSERT_TRUE(SaveScreenshot(image, name)) << name.toStdString();
    EXPECT_TRUE(QFile::exists(ScreenshotPath(name)));
}

TEST(GraphScreenshotTest, EegSliceOfThirtySecondsOfATenHertzSine)
{
    CRealTimeGraph graph;
    SetUpEegGraph(graph);
    graph.AddData(Sine(30 * 128, 10.0, 100.0), 1);
    const QImage image = Grab(graph);
    // The sine fills the band between ±100 µV: rows 25 % and 75 % of the plot (26 .. 234).
    const sGraphPlotArea plot = GraphPlotArea(kWidth, kHeight);
    const int top = plot.top + plot.height / 4;
    const int bottom = plot.Bottom() - plot.height / 4;
    EXPECT_GT(CountColour(image, kGraphBlack, plot.left + 1, top, plot.Right() - 1, top + 2), 100);
    EXPECT_GT(CountColour(image, kGraphBlack, plot.left + 1, bottom - 2, plot.Right() - 1, bottom), 100);
    EXPECT_EQ(CountColour(image, kGraphBlack, plot.left + 1, plot.top + 1, plot.Right() - 1, top - 2), 0);
    ExpectSaved(image, QStringLiteral("graph_eeg_30s_sine"));
}

TEST(GraphScreenshotTest, SweepHalfFull)
{
    CRealTimeGraph graph;
    SetUpEegGraph(graph);
    for (int second = 0; second < 15; ++second)
        graph.AddData(Sine(128, 10.0, 100.0, second * 128), 0);
    EXPECT_EQ(graph.GetWriteIndex(), 1920);
    const QImage image = Grab(graph);
    // Nothing right of the newest sample: position 1919 lies at the middle of the plot.
    const sGraphPlotArea plot = GraphPlotArea(kWidth, kHeight);
    const int middle = plot.left + plot.width / 2;
    EXPECT_GT(CountColour(image, kGraphBlack, plot.left + 1, plot.top + 1, middle - 1, plot.Bottom() - 1), 1000);
    EXPECT_EQ(CountColour(image, kGraphBlack, middle + 2, plot.top + 1, plot.Right() - 1, plot.Bottom() - 1), 0);
    ExpectSaved(image, QStringLiteral("graph_sweep_half_full"));
}

TEST(GraphScreenshotTest, EmgReviewSliceWithACursor)
{
    CRealTimeGraph graph;
    SetUpSignalGraph(graph, QStringLiteral("筋電データ"), 10.0, 4, 100.0);
    // Ten seconds of muscle activity: bursts of 40 Hz over a slow drift.
    std::vector<float> values(10 * 128);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double t = static_cast<double>(i) / 128.0;
        const double burst = std::fmod(t, 3.0) < 1.0 ? 60.0 : 10.0;
        values[i] = static_cast<float>(burst * std::sin(2.0 * M_PI * 40.0 * t + 0.3) + 15.0 * std::sin(2.0 * M_PI * 0.3 * t));
    }
    graph.AddData(values, 1);
    graph.SetCursorFraction(0.4, 1);
    const QImage image = Grab(graph);
    const sGraphPlotArea plot = GraphPlotArea(kWidth, kHeight);
    const int cursor = plot.left + static_cast<int>(plot.width * 0.4);
    EXPECT_GE(RowsWithColour(image, cursor, kGraphBlack, plot.top + 1, plot.Bottom() - 1).size(),
              static_cast<std::size_t>(plot.height - 1));
    ExpectSaved(image, QStringLiteral("graph_emg_review_cursor"));
}

} // namespace
