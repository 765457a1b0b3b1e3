#pragma once
// Where a bar chart's value labels go. A label stands just above its bar, centred on it, in
// the margin above the plot when its bar reaches the top of the scale. A label that would
// cover one placed before it moves up a row, or, with no room above, into its bar just below
// the bar's top, a row at a time, so that no two labels overlap; only when no row is free is
// the font made smaller. Labels are drawn on the backdrop's colour, so they stay legible on
// a bar.

#include <QFont>
#include <QRect>
#include <QString>

#include <vector>

#include "display/ChartLayout.h"
#include "display/ChartState.h"

// One label to place: its bar's columns (left inclusive, right exclusive), the y of its
// value, and the width of its box.
struct sLabelAnchor {
    int columnLeft = 0;
    int columnRight = 0;
    int valueY = 0;
    int width = 0;
};

struct sValueLabel {
    int series = 0;
    int row = 0;
    QString text;
    QRect box;  // the text, with a pixel of room on either side
};

struct sValueLabels {
    QFont font;
    std::vector<sValueLabel> labels;  // only those that found a place
};

// Space between a bar's top and its label, and between two rows of labels.
inline constexpr int kValueLabelGap = 2;
inline constexpr int kValueLabelRowGap = 1;
// The font never gets smaller than this many pixels.
inline constexpr int kSmallestValueLabelPixels = 8;

class CChartValueLabels {
public:
    // Boxes of the given height for the anchors, in order, inside bounds, none overlapping
    // another; an empty box for an anchor that found no free place.
    static std::vector<QRect> PlaceBoxes(const std::vector<sLabelAnchor>& anchors, int height, const QRect& bounds);

    // The value labels of a bar chart's state, with the font they fit in.
    static sValueLabels Compute(const CChartState& state, const sChartGeometry& g);
};
