#pragma once
// The lines of a graph and of a chart in an image taken at a scale, found from their layout.

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>

#include <utility>
#include <vector>

#include "display/ChartLayout.h"
#include "display/ChartRenderer.h"
#include "display/Graph.h"
#include "display/GraphPainting.h"
#include "display/MsChart.h"
#include "support/ScaledScreens.h"

// The device pixels between the end of one line and the start of the next along a band.
inline int GapBetween(const sLineRun& before, const sLineRun& after)
{
    return after.first - (before.first + before.width);
}

// A graph's lines, for a graph whose top left corner stands at `origin` in the image: the
// widths across the plot between its top and its first grid row (the frame's left and right
// lines and the grid columns), of the cursor across the plot between its last grid row and its
// bottom, down the plot between the frame and the first grid column (the frame's top and bottom
// lines and the grid rows in green, the zero line in red), and the gaps along the zero line
// between it and the frame's left and right lines.
struct sGraphLines {
    std::vector<int> across;
    std::vector<int> cursor;
    std::vector<int> down;
    std::vector<int> zero;
    std::pair<int, int> zeroToFrame{-1, -1};
};

inline sGraphLines GraphLines(const QImage& image, const CGraph& graph, QPoint origin, const sScale& scale)
{
    const QRect plot = graph.PlotRect().translated(origin);
    const int columnGap = plot.width() / (graph.GetXGridCount() + 1);
    const QRect top(plot.left(), plot.top() + 4, plot.width(), plot.height() / 4 - 8);
    const QRect across = DeviceRect(top, scale);
    const QRect below = DeviceRect(top.translated(0, plot.height() * 3 / 4), scale);
    const QRect down = DeviceRect(QRect(plot.left() + 4, plot.top(), columnGap - 8, plot.height()), scale);
    const std::vector<sLineRun> frameAndColumns = LinesAcross(image, across, kGraphGreen, Qt::Horizontal);
    const std::vector<sLineRun> zero = LinesAcross(image, down, kGraphRed, Qt::Vertical);
    sGraphLines lines{Widths(frameAndColumns), Widths(LinesAcross(image, below, kGraphBlack, Qt::Horizontal)),
                      Widths(LinesAcross(image, down, kGraphGreen, Qt::Vertical)), Widths(zero)};
    if (zero.size() == 1 && frameAndColumns.size() >= 2) {
        const QRect row(across.left(), zero[0].first, across.width(), zero[0].width);
        const std::vector<sLineRun> red = LinesAcross(image, row, kGraphRed, Qt::Horizontal);
        if (!red.empty())
            lines.zeroToFrame = {GapBetween(frameAndColumns.front(), red.front()), GapBetween(red.back(), frameAndColumns.back())};
    }
    return lines;
}

// A chart's lines, for a chart whose top left corner stands at `origin` in the image: the
// widths of the grid lines across the data area (bars and lines in front of parts of them), of
// the value axis one row above the category axis, of its ticks, of the category axis beside its
// first tick and of the sides of the first legend swatch; the gap between the value axis and
// the top grid line, and the gaps between the first swatch's colour and its sides.
struct sChartLines {
    std::vector<int> grid;
    std::vector<int> valueAxis;
    std::vector<int> ticks;
    std::vector<int> categoryAxis;
    std::vector<int> swatch;
    int axisToGrid = -1;
    std::pair<int, int> swatchToSides{-1, -1};
};

inline sChartLines ChartLines(const QImage& image, const CMschart& chart, QPoint origin, const sScale& scale)
{
    const sChartGeometry g = chart.Geometry();
    const QRect axes = g.axes.translated(origin);
    const QPoint legend = g.legend.topLeft() + origin;
    const int swatchMiddle = legend.y() + g.legendRowHeight / 2;
    const QRgb grey = qRgb(128, 128, 128);
    const QRgb black = qRgb(0, 0, 0);
    const auto widths = [&](const QRect& band, QRgb colour, Qt::Orientation along) {
        return Widths(LinesAcross(image, DeviceRect(band, scale), colour, along));
    };
    const std::vector<sLineRun> grid = LinesAcross(image, DeviceRect(axes.adjusted(2, -2, -2, 2), scale), grey, Qt::Vertical);
    const QRect acrossSwatch = DeviceRect(QRect(legend.x() - 2, swatchMiddle, kLegendSwatch + 4, 1), scale);
    const std::vector<sLineRun> sides = LinesAcross(image, acrossSwatch, qRgb(64, 64, 64), Qt::Horizontal);
    sChartLines lines{Widths(grid), widths(QRect(axes.left() - 5, axes.bottom(), 9, 1), black, Qt::Horizontal),
                      widths(QRect(axes.left() - 4, axes.top() - 2, 2, axes.height() + 4), black, Qt::Vertical),
                      widths(QRect(axes.left() + 3, axes.bottom() - 2, 1, 7), black, Qt::Vertical), Widths(sides)};
    const QRgb colour = CChartRenderer::SeriesColour(chart.State(), 1).rgb();
    const std::vector<sLineRun> inside = LinesAcross(image, acrossSwatch, colour, Qt::Horizontal);
    if (sides.size() == 2 && inside.size() == 1)
        lines.swatchToSides = {GapBetween(sides[0], inside[0]), GapBetween(inside[0], sides[1])};
    if (!grid.empty()) {
        const QRect besideAxis = DeviceRect(QRect(axes.left() - 3, 0, 6, 1), scale);
        const QRect row(besideAxis.left(), grid[0].first, besideAxis.width(), grid[0].width);
        const std::vector<sLineRun> axis = LinesAcross(image, row, black, Qt::Horizontal);
        const std::vector<sLineRun> line = LinesAcross(image, row, grey, Qt::Horizontal);
        if (!axis.empty() && !line.empty())
            lines.axisToGrid = GapBetween(axis.back(), line.front());
    }
    return lines;
}

// Every line of a chart one width w: gridLines grid lines, the axes, their ticks (two at least)
// and the first legend swatch's sides, which touch its colour.
inline void ExpectChartLinesOfOneWidth(const sChartLines& lines, int gridLines, int w)
{
    EXPECT_EQ(lines.grid, std::vector<int>(static_cast<std::size_t>(gridLines), w));
    EXPECT_EQ(lines.valueAxis, std::vector<int>{w});
    EXPECT_EQ(lines.ticks, std::vector<int>(lines.ticks.size(), w));
    EXPECT_GE(lines.ticks.size(), 2u);
    EXPECT_EQ(lines.categoryAxis, std::vector<int>{w});
    EXPECT_EQ(lines.swatch, (std::vector<int>{w, w}));
    EXPECT_EQ(lines.swatchToSides, std::make_pair(0, 0));
}
