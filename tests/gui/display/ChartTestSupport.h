#pragma once
// Helpers of the chart tests: render a chart as it would paint, and read colours back.

#include <QColor>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

#include "display/MsChart.h"
#include "support/CalendarTime.h"

inline QImage RenderChart(const CMschart& chart)
{
    QImage image(chart.size(), QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    chart.Draw(painter, chart.size());
    return image;
}

inline QRgb Rgb(int r, int g, int b)
{
    return qRgb(r, g, b) & 0xFFFFFFu;
}

inline QRgb PixelAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFFu;
}

// Colour runs along one row between two columns: (colour, first column, length).
struct sRun {
    QRgb colour;
    int first;
    int length;
};

inline std::vector<sRun> RowRuns(const QImage& image, int y, int from, int to)
{
    std::vector<sRun> runs;
    for (int x = from; x < to; ++x) {
        const QRgb c = PixelAt(image, x, y);
        if (!runs.empty() && runs.back().colour == c)
            ++runs.back().length;
        else
            runs.push_back({c, x, 1});
    }
    return runs;
}


// A made-up spectrum up to 40 Hz at b bins per hertz: falling with frequency, with an alpha peak.
inline std::vector<float> SampleSpectrum(int binsPerHz)
{
    std::vector<float> values(static_cast<std::size_t>(binsPerHz) * 40);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double f = static_cast<double>(i) / binsPerHz;
        values[i] = static_cast<float>(0.12 / (1.0 + 0.4 * f) + 0.06 * std::exp(-(f - 10.0) * (f - 10.0) / 1.5) +
                                       0.01 * std::sin(7.0 * f) * std::sin(7.0 * f));
    }
    return values;
}

// A made-up night of stage codes per 30-second epoch: cycles of light, deep, light and REM
// sleep with short wakes, and a few epochs with no stage.
inline std::vector<std::int32_t> SampleNight(int epochs)
{
    std::vector<std::int32_t> codes(static_cast<std::size_t>(epochs));
    for (int i = 0; i < epochs; ++i) {
        const int minute = (i / 2) % 90;
        std::int32_t code = minute < 10 ? 2 : minute < 35 ? 1 : minute < 55 ? 2 : minute < 80 ? 3 : 2;
        if (i < 16 || i % 97 == 0)
            code = 4;
        if (i % 151 == 5)
            code = 0;
        codes[static_cast<std::size_t>(i)] = code;
    }
    return codes;
}
