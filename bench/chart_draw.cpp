// Time to fill and draw the charts: the spectrum chart's detail layout at 32 bins per hertz
// (1,280 bars), its four band bars, and a hypnogram of 24 hours (2,880 epochs). Each round
// sends new values, runs Update and draws into an image of a typical on-screen size.
#include <QApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "display/FftMSChart.h"
#include "display/HypnogramMSChart.h"
#include "platform/qt/Fonts.h"

#include "BenchTiming.h"

namespace {

struct sFigures {
    double first;  // includes loading the fonts and filling the glyph cache
    double median;
    double worst;  // of the rounds after the first
};

sFigures TimeRounds(int rounds, const std::function<void(int)>& round)
{
    std::vector<double> ms = TimeEach(rounds, round);
    const double first = ms.front();
    ms.erase(ms.begin());
    const sTiming rest = Summarise(std::move(ms));
    return {first, rest.median, rest.worst};
}

void Draw(const CMschart& chart, QImage& image)
{
    QPainter painter(&image);
    chart.Draw(painter, chart.size());
}

void Print(const char* what, const sFigures& f)
{
    std::printf("%-42s median %7.3f ms   worst %7.3f ms   first round %7.3f ms\n", what, f.median, f.worst,
                f.first);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    constexpr int kRounds = 300;

    CFftMSChart spectrum;
    spectrum.resize(440, 480);
    QImage image(spectrum.size(), QImage::Format_RGB32);
    spectrum.SetVerticalMax(0.2, 1);

    std::vector<float> bins(1280);
    const sFigures detail = TimeRounds(kRounds, [&](int round) {
        for (std::size_t i = 0; i < bins.size(); ++i)
            bins[i] = static_cast<float>(0.1 / (1.0 + 0.01 * static_cast<double>(i)) + 0.001 * ((i + round) % 7));
        spectrum.SetBinsPerHz(32);
        spectrum.SetCount(1280);
        spectrum.SetData(bins);
        spectrum.Update(1);
        Draw(spectrum, image);
    });
    Print("spectrum detail, 1,280 bins, fill + draw", detail);

    const sFigures bands = TimeRounds(kRounds, [&](int round) {
        const float values[4] = {5.0f + round % 3, 10.0f, 2.5f, 12.5f};
        spectrum.SetCount(4);
        spectrum.SetData(values);
        spectrum.Update(0);
        Draw(spectrum, image);
    });
    Print("spectrum bands, 4 bars, fill + draw", bands);

    CHypnogramMSChart hypnogram;
    hypnogram.resize(1200, 200);
    QImage wide(hypnogram.size(), QImage::Format_RGB32);
    std::vector<std::int32_t> codes(2880);
    const sFigures night = TimeRounds(kRounds / 10, [&](int round) {
        for (std::size_t i = 0; i < codes.size(); ++i)
            codes[i] = static_cast<std::int32_t>(1 + (i / 40 + static_cast<std::size_t>(round)) % 4);
        hypnogram.SetCount(2880);
        hypnogram.SetStartTime(0);
        hypnogram.SetData(codes);
        hypnogram.Update();
        Draw(hypnogram, wide);
    });
    Print("hypnogram, 2,880 epochs, fill + draw", night);

    const bool ok = detail.median < 10.0;
    std::printf("detail spectrum under 10 ms: %s\n", ok ? "yes" : "NO");
    return ok ? 0 : 1;
}
