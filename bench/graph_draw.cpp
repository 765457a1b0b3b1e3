// Time to show four hours of one channel at 128 Hz (1,843,200 samples) in a graph: storing
// the values (decimated to at most 16384 points) plus drawing the whole graph into an image,
// once for a review slice handed over directly and once for a sweep write into a four-hour
// ring; and a second of live drawing, a sweep write into the ring of 30 s that a measurement
// shows. Each at device pixel ratios 1, 1.25 and 2 (an image of the graph's size times the
// ratio, as a scaled screen draws it). Prints the median and the worst of repeated runs in
// milliseconds.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <span>
#include <vector>

#include "display/RealTimeGraph.h"
#include "platform/qt/Fonts.h"

#include "BenchTiming.h"

namespace {

constexpr int kSamples = 4 * 3600 * 128;
constexpr int kRuns = 41;

sTiming Measure(const std::function<void()>& run)
{
    run(); // the first run loads the fonts
    return Summarise(TimeEach(kRuns, run));
}

void SetUp(CGraph& graph)
{
    graph.SetTitle(QStringLiteral("脳波データ"), 0);
    graph.SetYLabel(QStringLiteral("[uV]"), 0);
    graph.SetXLabel(QStringLiteral("[時間]"), 0);
    graph.SetXMax(4.0, 0);
    graph.SetXGridCount(3, 0);
    graph.SetYMax(200.0, 0);
    graph.SetYMin(-200.0, 0);
    graph.SetCursorFraction(0.5, 0);
}

void Print(const char* what, int width, int height, double ratio, const sTiming& timing)
{
    std::printf("%-40s %4d x %-4d at %4.2f  median %6.2f ms  worst %6.2f ms\n", what, width, height, ratio,
                timing.median, timing.worst);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    InstallFontSubstitutions();

    std::vector<float> samples(kSamples);
    for (int i = 0; i < kSamples; ++i)
        samples[static_cast<std::size_t>(i)] = static_cast<float>(
            120.0 * std::sin(2.0 * M_PI * 10.0 * i / 128.0) + 40.0 * std::sin(2.0 * M_PI * 0.7 * i / 128.0));
    const std::vector<float> block(samples.begin(), samples.begin() + 128);

    std::printf("graph_draw: %d samples per graph, %d runs each\n", kSamples, kRuns);
    for (double ratio : {1.0, 1.25, 2.0}) {
        for (auto [width, height] : {std::pair{800, 200}, {1600, 400}}) {
            QImage image(static_cast<int>(width * ratio), static_cast<int>(height * ratio), QImage::Format_RGB32);
            image.setDevicePixelRatio(ratio);

            // Each run hands the graph these values and draws it.
            const auto drawAfter = [&](const char* what, CRealTimeGraph& graph, std::span<const float> values,
                                       int direct) {
                Print(what, width, height, ratio, Measure([&] {
                          graph.AddData(values, direct);
                          QPainter painter(&image);
                          graph.Draw(painter, width, height);
                      }));
            };

            CRealTimeGraph review;
            SetUp(review);
            drawAfter("review slice (SetData + Draw)", review, samples, 1);

            CRealTimeGraph sweep;
            SetUp(sweep);
            sweep.SetSize(kSamples, 0);
            sweep.AddData(samples, 0);
            drawAfter("sweep write of 128 (AddData + Draw)", sweep, block, 0);

            CRealTimeGraph live;
            SetUp(live);
            live.SetXMax(30.0, 0);
            live.SetSize(30 * 128, 0);
            live.AddData(std::span<const float>(samples).first(30 * 128), 0);
            drawAfter("live second, 30-s ring (AddData + Draw)", live, block, 0);
        }
    }
    return 0;
}
