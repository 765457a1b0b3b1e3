#pragma once
// Rendering and pixel probes shared by the graph tests.

#include <QImage>
#include <QPainter>

#include <cfloat>
#include <cmath>
#include <vector>

#include "display/Graph.h"
#include "display/GraphPainting.h"

// Renders a graph into an image of the given size (filled magenta first, so unpainted
// pixels stand out).
inline QImage RenderGraph(const CGraph& graph, int width = 800, int height = 200)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
    QPainter painter(&image);
    graph.Draw(painter, width, height);
    return image;
}

inline bool PixelIs(const QImage& image, int x, int y, QRgb colour)
{
    return (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
}

// Rows of column x (from y0 to y1 inclusive) that have the colour.
inline std::vector<int> RowsWithColour(const QImage& image, int x, QRgb colour, int y0 = 0, int y1 = -1)
{
    if (y1 < 0)
        y1 = image.height() - 1;
    std::vector<int> rows;
    for (int y = y0; y <= y1; ++y)
        if (PixelIs(image, x, y, colour))
            rows.push_back(y);
    return rows;
}

// Number of pixels with the colour inside the rectangle [x0, x1] × [y0, y1].
inline int CountColour(const QImage& image, QRgb colour, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            count += PixelIs(image, x, y, colour) ? 1 : 0;
    return count;
}

inline int CountColour(const QImage& image, QRgb colour)
{
    return CountColour(image, colour, 0, 0, image.width() - 1, image.height() - 1);
}

// The row of a value in the 800 × 200 graph with the y range ±200: the percent of the range
// first, then the row, in double precision as the graph's rule has it (20 µV gives 55.000…01 %
// and row 91, not 92).
inline int RowOfValue(double value)
{
    const double percent = (value + 200.0) / 400.0 * 100.0;
    return static_cast<int>(180.0 - 160.0 * percent / 100.0);
}

// A graph set up as the main window sets its graphs: a title, "[uV]", a time axis of
// 0..seconds in "[秒]" with "%2.0f" labels, and a voltage range of ±microvolts.
inline void SetUpSignalGraph(CGraph& graph, const QString& title, double seconds, int gridCount, double microvolts)
{
    graph.SetTitle(title, 0);
    graph.SetYLabel(QStringLiteral("[uV]"), 0);
    graph.SetXLabel(QStringLiteral("[秒]"), 0);
    graph.SetXMin(0.0, 0);
    graph.SetXMax(seconds, 0);
    graph.SetXGridCount(gridCount, 0);
    graph.SetXFormat(QStringLiteral("%2.0f"), 0);
    graph.SetYMax(microvolts, 0);
    graph.SetYMin(-microvolts, 0);
}

// The EEG graph for 30 s at ±200 µV.
inline void SetUpEegGraph(CGraph& graph)
{
    SetUpSignalGraph(graph, QStringLiteral("脳波データ"), 30.0, 5, 200.0);
}

// n samples of a sine of the given frequency and amplitude at 128 samples per second.
inline std::vector<float> Sine(int n, double hz, double amplitude, int firstSample = 0)
{
    std::vector<float> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        values[static_cast<std::size_t>(i)] =
            static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * (firstSample + i) / 128.0));
    return values;
}
