#include "display/ChartValueLabels.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBoxPadding = 1;  // on either side of the text

bool IsFree(const QRect& box, const std::vector<QRect>& placed)
{
    return std::none_of(placed.begin(), placed.end(), [&box](const QRect& other) { return box.intersects(other); });
}

// The tops of the rows a label may take, best first: just above its value and each row
// further up, then inside its bar from just below the bar's top downwards, so that the bar
// still shows where it ends.
std::vector<int> CandidateTops(int valueY, int height, int highest, int lowest)
{
    const int step = height + kValueLabelRowGap;
    std::vector<int> tops;
    for (int top = valueY - kValueLabelGap - height; top >= highest && top <= lowest; top -= step)
        tops.push_back(top);
    for (int top = std::max(valueY + kValueLabelGap, highest); top <= lowest; top += step)
        tops.push_back(top);
    return tops;
}

}  // namespace

std::vector<QRect> CChartValueLabels::PlaceBoxes(const std::vector<sLabelAnchor>& anchors, int height,
                                                 const QRect& bounds)
{
    std::vector<QRect> boxes(anchors.size());
    std::vector<QRect> placed;
    const int highest = bounds.top();
    const int lowest = bounds.top() + bounds.height() - height;
    for (std::size_t i = 0; i < anchors.size(); ++i) {
        const sLabelAnchor& a = anchors[i];
        if (a.width > bounds.width() || height > bounds.height() || height <= 0)
            continue;
        const int centre = (a.columnLeft + a.columnRight) / 2;
        const int left = std::clamp(centre - a.width / 2, bounds.left(), bounds.left() + bounds.width() - a.width);
        for (const int top : CandidateTops(a.valueY, height, highest, lowest)) {
            const QRect box(left, top, a.width, height);
            if (IsFree(box, placed)) {
                boxes[i] = box;
                placed.push_back(box);
                break;
            }
        }
    }
    return boxes;
}

sValueLabels CChartValueLabels::Compute(const CChartState& state, const sChartGeometry& g)
{
    sValueLabels result;
    result.font = g.fonts.label;
    if (CChartLayout::IsLineChart(state) || g.axes.isEmpty())
        return result;

    std::vector<sValueLabel> labels;
    std::vector<int> valueYs;
    std::vector<std::pair<int, int>> columns;
    for (int s = 1; s <= g.series; ++s) {
        if (state.Series(s).dataPointLabel.locationType != 1)
            continue;
        for (int r = 1; r <= g.rows; ++r) {
            const double value = state.GetValue(s, r);
            if (std::isnan(value))
                continue;
            labels.push_back({s, r, QString::fromStdString(FormatChartLabel(value)), {}});
            valueYs.push_back(CChartLayout::ValueToY(g, value));
            columns.push_back(CChartLayout::BarColumns(g, s, r));
        }
    }
    if (labels.empty())
        return result;

    // From the top of the control down to the x axis, and across the plot: a bar that
    // reaches the top of the scale has its label in the margin above the plot when it fits,
    // and a label wider than its bar may reach past the axes at the sides.
    const QRect bounds(QPoint(g.plot.left(), g.control.top()), QPoint(g.plot.right(), g.axes.bottom()));
    const int largest = result.font.pixelSize();
    const int smallest = std::min(largest, kSmallestValueLabelPixels);
    std::vector<QRect> boxes;
    for (int pixels = largest; pixels >= smallest; --pixels) {
        result.font.setPixelSize(pixels);
        const QFontMetrics metrics(result.font);
        std::vector<sLabelAnchor> anchors;
        for (std::size_t i = 0; i < labels.size(); ++i)
            anchors.push_back({columns[i].first, columns[i].second, valueYs[i],
                               metrics.horizontalAdvance(labels[i].text) + 2 * kBoxPadding});
        boxes = PlaceBoxes(anchors, metrics.height(), bounds);
        if (std::none_of(boxes.begin(), boxes.end(), [](const QRect& box) { return box.isEmpty(); }))
            break;
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (boxes[i].isEmpty())
            continue;
        labels[i].box = boxes[i];
        result.labels.push_back(labels[i]);
    }
    return result;
}
