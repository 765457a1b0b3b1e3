#pragma once
// Draws a chart control's state with QPainter: backdrop, grid, bars or lines, axes with
// their labels and titles, value labels and legend. Bars and lines are drawn in one pass
// straight from the state's values, with no object per bar.

#include <QColor>

#include "display/ChartLayout.h"
#include "display/ChartState.h"

class QPainter;

class CChartRenderer {
public:
    static void Paint(QPainter& painter, const CChartState& state, const sChartGeometry& geometry);

    // The colour a series is drawn in: its own, or the control's automatic colour for it.
    static QColor SeriesColour(const CChartState& state, int series);
    // The backdrop's fill colour (white when it has no fill).
    static QColor BackdropColour(const CChartState& state);
};
