#pragma once
// Where the chart control puts things, computed from its state and its size: the plot's
// location rectangle in pixels, the axes box inside it, the legend, the fonts, and the
// position of every bar and point. Drawing and hit-testing both work from this.

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <optional>

#include "display/ChartState.h"

// Sizes of the control's furniture, in pixels.
inline constexpr int kChartTickLength = 4;
inline constexpr int kChartMinorTickLength = 2;
inline constexpr int kChartLabelGap = 4;  // between a tick and its label, a title and the labels
inline constexpr int kLegendSwatch = 10;  // side of a legend entry's colour square
inline constexpr int kLegendGap = 6;      // between the square and its text

struct sChartFonts {
    QFont label;   // axis and data-point labels, legend
    QFont xTitle;
    QFont yTitle;
};

// The value range the y axis shows; empty when maximum ≤ minimum.
struct sChartScale {
    double minimum = 0.0;
    double maximum = 1.0;
    short majorDivision = 5;
    short minorDivision = 0;
    bool IsEmpty() const { return !(maximum > minimum); }
};

struct sChartGeometry {
    QRect control;   // the whole control
    QRect plot;      // location rectangle in pixels, inside the control
    QRect axes;      // data area; the y axis line lies left of it, the x axis line below it
    QRect legend;    // empty without a legend
    int legendEntries = 0;   // entries that fit in the legend
    int legendRowHeight = 0;
    int rows = 0;            // categories
    int series = 0;
    double categoryWidth = 0.0;
    sChartScale scale;
    sChartFonts fonts;
    double dpiX = 96.0;
    double dpiY = 96.0;
};

class CChartLayout {
public:
    // Lays out the state in a control of the given size; dpi converts twips and points.
    static sChartGeometry Compute(const CChartState& state, QSize size, double dpiX, double dpiY);

    // The plot rectangle of the automatic layout, in pixels.
    static QRect AutoPlotRect(const CChartState& state, QSize size, double dpiY);

    // The y pixel of a value (clamped into the axes box) and the bar height in pixels.
    static int ValueToY(const sChartGeometry& g, double value);
    // Left edge (inclusive) and right edge (exclusive) of a bar; at least one pixel wide.
    static std::pair<int, int> BarColumns(const sChartGeometry& g, int series, int row);
    // x of a line chart's point, at the middle of its category.
    static double CategoryCentre(const sChartGeometry& g, int row);

    // A bar's rectangle, or a line point's position; nothing for a cell without a point
    // (or a bar of no height).
    static std::optional<QRect> BarRect(const CChartState& state, const sChartGeometry& g, int series, int row);
    static std::optional<QPoint> PointPos(const CChartState& state, const sChartGeometry& g, int series, int row);

    // The (series, row) under a pixel, both from 1, or nothing.
    static std::optional<std::pair<int, int>> HitTest(const CChartState& state, const sChartGeometry& g, QPoint at);

    static sChartFonts Fonts(const CChartState& state, double dpiY);
    static sChartScale Scale(const CChartState& state);
    static bool IsLineChart(const CChartState& state) { return state.GetChartType() == kChartTypeLine2d; }
};
