#include "display/ChartLayout.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>
#include <cmath>

#include "display/ChartText.h"

namespace {

constexpr int kMargin = 8;        // between the control's edge, the plot and the legend
constexpr double kGroupShare = 0.8;  // share of a category that its bars cover

// Widest label of the value axis.
int ValueLabelWidth(const sChartScale& scale, const QFontMetrics& metrics)
{
    int width = 0;
    for (int k = 0; k <= scale.majorDivision; ++k)
        width = std::max(width, metrics.horizontalAdvance(ValueAxisLabel(scale, k)));
    return width;
}

double NiceCeiling(double value)
{
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * power >= value)
            return step * power;
    return 10.0 * power;
}

QRect LegendRect(const CChartState& state, QSize size, const QFont& font, int* entries, int* rowHeight)
{
    *entries = 0;
    const QFontMetrics metrics(font);
    *rowHeight = std::max(metrics.height(), kLegendSwatch) + 4;
    const int series = state.GetSeriesCount();
    if (!state.GetShowLegend() || series == 0)
        return {};
    const int fit = std::max(0, (size.height() - 2 * kMargin) / *rowHeight);
    const int n = std::min(series, fit);
    if (n == 0)
        return {};
    int textWidth = 0;
    for (int s = 1; s <= n; ++s)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(state.Series(s).label)));
    const int width = kLegendSwatch + kLegendGap + textWidth;
    *entries = n;
    return QRect(size.width() - kMargin - width, (size.height() - n * *rowHeight) / 2, width, n * *rowHeight);
}

// The data area inside the plot rectangle, after the room for titles, labels and ticks.
QRect AxesRect(const CChartState& state, const sChartGeometry& g)
{
    if (g.plot.isEmpty())
        return {};
    const QFontMetrics labels(g.fonts.label);
    const sChartAxis& x = state.Axis(kAxisX);
    const sChartAxis& y = state.Axis(kAxisY);
    const sChartAxis& y2 = state.Axis(kAxisY2);
    const int valueLabels = g.scale.IsEmpty() ? 0 : ValueLabelWidth(g.scale, labels);

    int left = g.plot.left();
    int right = g.plot.left() + g.plot.width();
    int top = g.plot.top() + labels.height() / 2 + 2;
    int bottom = g.plot.top() + g.plot.height() - 2;
    if (!y.title.text.empty())
        left += TitleSize(y.title, g.fonts.yTitle).width() + kChartLabelGap;
    if (!y.hide)
        left += valueLabels + kChartLabelGap + kChartTickLength;
    right -= y2.hide ? 6 : valueLabels + kChartLabelGap + kChartTickLength;
    if (!x.title.text.empty())
        bottom -= TitleSize(x.title, g.fonts.xTitle).height() + kChartLabelGap;
    if (!x.hide)
        bottom -= kChartTickLength + 2 + labels.height();
    if (right - left < 1 || bottom - top < 1)
        return {};
    return QRect(left, top, right - left, bottom - top);
}

}  // namespace

sChartFonts CChartLayout::Fonts(const CChartState& state, double dpiY)
{
    sChartFonts fonts;
    fonts.label = ChartFont(9.0, dpiY);
    fonts.xTitle = ChartFont(state.Axis(kAxisX).title.fontSize, dpiY);
    fonts.yTitle = ChartFont(state.Axis(kAxisY).title.fontSize, dpiY);
    return fonts;
}

sChartScale CChartLayout::Scale(const CChartState& state)
{
    const sValueScale& v = state.Axis(kAxisY).valueScale;
    sChartScale scale;
    scale.majorDivision = std::max<short>(v.majorDivision, 1);
    scale.minorDivision = std::max<short>(v.minorDivision, 0);
    if (!v.automatic) {
        scale.minimum = v.minimum;
        scale.maximum = v.maximum;
        return scale;
    }
    // Automatic: from 0 (or below) to a round number above the largest value.
    double low = 0.0;
    double high = 0.0;
    for (int s = 1; s <= state.GetSeriesCount(); ++s)
        for (int r = 1; r <= state.GetRowCount(); ++r) {
            const double value = state.GetValue(s, r);
            if (std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
        }
    scale.minimum = low < 0.0 ? -NiceCeiling(-low) : 0.0;
    scale.maximum = high > 0.0 ? NiceCeiling(high) : (low < 0.0 ? 0.0 : 1.0);
    return scale;
}

QRect CChartLayout::AutoPlotRect(const CChartState& state, QSize size, double dpiY)
{
    int entries = 0;
    int rowHeight = 0;
    const QRect legend = LegendRect(state, size, Fonts(state, dpiY).label, &entries, &rowHeight);
    int right = size.width() - kMargin;
    if (!legend.isEmpty())
        right = legend.left() - kMargin;
    return QRect(QPoint(kMargin, kMargin), QPoint(right - 1, size.height() - kMargin - 1));
}

sChartGeometry CChartLayout::Compute(const CChartState& state, QSize size, double dpiX, double dpiY)
{
    sChartGeometry g;
    g.dpiX = dpiX;
    g.dpiY = dpiY;
    g.control = QRect(QPoint(0, 0), size);
    g.fonts = Fonts(state, dpiY);
    g.rows = state.GetRowCount();
    g.series = state.GetSeriesCount();
    g.scale = Scale(state);
    g.legend = LegendRect(state, size, g.fonts.label, &g.legendEntries, &g.legendRowHeight);
    if (state.GetAutoLayout()) {
        g.plot = AutoPlotRect(state, size, dpiY);
    } else {
        // The stored rectangle, converted from twips here and only here.
        const sChartRect& r = state.LocationRect();
        const QRectF px(QPointF(TwipsToPixels(r.min.x, dpiX), TwipsToPixels(r.min.y, dpiY)),
                        QPointF(TwipsToPixels(r.max.x, dpiX), TwipsToPixels(r.max.y, dpiY)));
        g.plot = px.normalized().toRect();
    }
    g.plot = g.plot.intersected(g.control);
    g.axes = AxesRect(state, g);
    g.categoryWidth = g.rows > 0 ? static_cast<double>(g.axes.width()) / g.rows : 0.0;
    return g;
}

int CChartLayout::ValueToY(const sChartGeometry& g, double value)
{
    const int base = g.axes.top() + g.axes.height();
    if (g.scale.IsEmpty() || !std::isfinite(value))
        return base;
    const double share = std::clamp((value - g.scale.minimum) / (g.scale.maximum - g.scale.minimum), 0.0, 1.0);
    return base - static_cast<int>(std::lround(share * g.axes.height()));
}

std::pair<int, int> CChartLayout::BarColumns(const sChartGeometry& g, int series, int row)
{
    const double cw = g.categoryWidth;
    const double bw = cw * kGroupShare / std::max(g.series, 1);
    const double x0 = g.axes.left() + (row - 1) * cw + cw * (1.0 - kGroupShare) / 2.0 + (series - 1) * bw;
    const int left = static_cast<int>(std::floor(x0));
    const int right = std::max(left + 1, static_cast<int>(std::floor(x0 + bw)));
    return {left, right};
}

double CChartLayout::CategoryCentre(const sChartGeometry& g, int row)
{
    return g.axes.left() + (row - 0.5) * g.categoryWidth;
}

std::optional<QRect> CChartLayout::BarRect(const CChartState& state, const sChartGeometry& g, int series, int row)
{
    const double value = state.GetValue(series, row);
    if (g.axes.isEmpty() || std::isnan(value))
        return std::nullopt;
    const int yValue = ValueToY(g, value);
    const int yBase = ValueToY(g, std::clamp(0.0, g.scale.minimum, g.scale.maximum));
    if (yValue == yBase)
        return std::nullopt;
    const auto [left, right] = BarColumns(g, series, row);
    return QRect(QPoint(left, std::min(yValue, yBase)), QPoint(right - 1, std::max(yValue, yBase) - 1));
}

std::optional<QPoint> CChartLayout::PointPos(const CChartState& state, const sChartGeometry& g, int series, int row)
{
    if (!IsLineChart(state)) {
        const auto bar = BarRect(state, g, series, row);
        return bar ? std::optional<QPoint>(bar->center()) : std::nullopt;
    }
    const double value = state.GetValue(series, row);
    if (g.axes.isEmpty() || std::isnan(value))
        return std::nullopt;
    return QPoint(static_cast<int>(std::floor(CategoryCentre(g, row))), ValueToY(g, value));
}

std::optional<std::pair<int, int>> CChartLayout::HitTest(const CChartState& state, const sChartGeometry& g, QPoint at)
{
    if (g.rows == 0 || g.series == 0 || g.axes.isEmpty() || g.categoryWidth <= 0.0)
        return std::nullopt;
    const int row = static_cast<int>(std::floor((at.x() - g.axes.left()) / g.categoryWidth)) + 1;
    if (!IsLineChart(state)) {
        for (int s = 1; s <= g.series; ++s) {
            const auto bar = BarRect(state, g, s, std::clamp(row, 1, g.rows));
            if (bar && bar->contains(at))
                return std::pair{s, std::clamp(row, 1, g.rows)};
        }
        return std::nullopt;
    }
    // Line points: the nearest point within a few pixels, or within its own epoch's width.
    constexpr double kReach = 4.0;
    const int span = static_cast<int>(std::ceil(kReach / g.categoryWidth));
    const double reachX = std::max(kReach, g.categoryWidth / 2.0);
    std::optional<std::pair<int, int>> best;
    double bestDistance = 0.0;
    for (int r = std::max(1, row - span); r <= std::min(g.rows, row + span); ++r)
        for (int s = 1; s <= g.series; ++s) {
            const double value = state.GetValue(s, r);
            if (std::isnan(value))
                continue;
            const double dx = at.x() + 0.5 - CategoryCentre(g, r);
            const double dy = at.y() - ValueToY(g, value);
            if (std::abs(dx) > reachX || std::abs(dy) > kReach)
                continue;
            const double distance = dx * dx + dy * dy;
            if (!best || distance < bestDistance) {
                best = std::pair{s, r};
                bestDistance = distance;
            }
        }
    return best;
}
