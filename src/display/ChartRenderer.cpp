#include "display/ChartRenderer.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "display/ChartText.h"
#include "display/ChartValueLabels.h"
#include "display/DevicePixelLines.h"

namespace {

const QColor kInk(0, 0, 0);
const QColor kGridColour(128, 128, 128);

// Colours of series that were given none.
constexpr std::array<QRgb, 8> kAutomaticColours{
    qRgb(0, 112, 192),  qRgb(237, 125, 49), qRgb(112, 173, 71), qRgb(255, 192, 0),
    qRgb(91, 155, 213), qRgb(165, 165, 165), qRgb(158, 72, 14), qRgb(38, 68, 120)};

QColor ToQColor(const sChartColor& colour, QColor automatic)
{
    return colour.automatic ? automatic : QColor(colour.red, colour.green, colour.blue);
}

sLineDashes GridDashes(long style)
{
    if (style == 2)
        return {4, 3};
    if (style == 3)
        return {1, 2};
    return {};
}

// Divisions per label and per tick of the category axis; thinned to fit when automatic.
std::pair<int, int> CategorySteps(const CChartState& state, const sChartGeometry& g, const QFontMetrics& metrics)
{
    const sCategoryScale& scale = state.Axis(kAxisX).categoryScale;
    if (!scale.automatic)
        return {std::max<int>(scale.divisionsPerLabel, 1), std::max<int>(scale.divisionsPerTick, 1)};
    const int widest = std::max(metrics.horizontalAdvance(QString::fromStdString(state.GetRowLabel(1))),
                                metrics.horizontalAdvance(QString::fromStdString(state.GetRowLabel(g.rows))));
    const int step = std::max(1, static_cast<int>(std::ceil((widest + 8) / g.categoryWidth)));
    return {step, step};
}

void PaintBackdrop(QPainter& p, const CChartState& state, const sChartGeometry& g)
{
    p.fillRect(g.control, CChartRenderer::BackdropColour(state));
    const sChartFrame& frame = state.Backdrop().frame;
    if (frame.style == 0 || frame.width <= 0.0f)
        return;
    const int width = std::max(1, static_cast<int>(std::lround(PointsToPixels(frame.width, g.dpiY))));
    const QRect& c = g.control;
    p.fillRect(c.left(), c.top(), c.width(), width, kInk);
    p.fillRect(c.left(), c.bottom() - width + 1, c.width(), width, kInk);
    p.fillRect(c.left(), c.top(), width, c.height(), kInk);
    p.fillRect(c.right() - width + 1, c.top(), width, c.height(), kInk);
}

// The grid lines run under the axis lines beside the data area, which are drawn over them, so
// that the two meet at any scale.
void PaintGrid(QPainter& p, const CChartState& state, const sChartGeometry& g, const QFontMetrics& metrics)
{
    const CDevicePixelLines lines(p);
    const long yStyle = state.Axis(kAxisY).majorPenStyle;
    if (yStyle != 0 && !g.scale.IsEmpty()) {
        const int left = state.Axis(kAxisY).hide ? g.axes.left() : g.axes.left() - 1;
        const int right = state.Axis(kAxisY2).hide ? g.axes.right() : g.axes.right() + 1;
        for (int k = 1; k <= g.scale.majorDivision; ++k) {
            const double value = g.scale.minimum + k * (g.scale.maximum - g.scale.minimum) / g.scale.majorDivision;
            lines.Horizontal(left, right, CChartLayout::ValueToY(g, value), kGridColour, GridDashes(yStyle));
        }
    }
    const long xStyle = state.Axis(kAxisX).majorPenStyle;
    if (xStyle != 0 && g.rows > 0) {
        const int bottom = state.Axis(kAxisX).hide ? g.axes.bottom() : g.axes.bottom() + 1;
        const int tick = CategorySteps(state, g, metrics).second;
        for (int k = tick; k <= g.rows; k += tick) {
            const int x = g.axes.left() + static_cast<int>(std::lround(k * g.categoryWidth));
            lines.Vertical(x, g.axes.top(), bottom, kGridColour, GridDashes(xStyle));
        }
    }
}

void PaintBars(QPainter& p, const CChartState& state, const sChartGeometry& g)
{
    const int base = CChartLayout::ValueToY(g, std::clamp(0.0, g.scale.minimum, g.scale.maximum));
    for (int s = 1; s <= g.series; ++s) {
        if (state.Series(s).brush.style == 0)
            continue;
        const QColor colour = CChartRenderer::SeriesColour(state, s);
        for (int r = 1; r <= g.rows; ++r) {
            const double value = state.GetValue(s, r);
            if (std::isnan(value))
                continue;
            const int y = CChartLayout::ValueToY(g, value);
            if (y == base)
                continue;
            const auto [left, right] = CChartLayout::BarColumns(g, s, r);
            p.fillRect(left, std::min(y, base), right - left, std::abs(base - y), colour);
        }
    }
}

// Each point covers its own category's width, and neighbouring points are joined, so a run
// of equal values is one flat step and a lone point is still a short dash.
void PaintLines(QPainter& p, const CChartState& state, const sChartGeometry& g)
{
    std::vector<QPointF> run;
    run.reserve(static_cast<std::size_t>(g.rows) + 2);
    const double half = g.categoryWidth / 2.0;
    p.save();
    p.setClipRect(g.axes.adjusted(0, -1, 0, 1));
    for (int s = 1; s <= g.series; ++s) {
        QPen pen(CChartRenderer::SeriesColour(state, s), 2);
        pen.setCapStyle(Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        auto flush = [&] {
            if (run.empty())
                return;
            run.emplace_back(run.back().x() + half, run.back().y());
            p.drawPolyline(run.data(), static_cast<int>(run.size()));
            run.clear();
        };
        for (int r = 1; r <= g.rows; ++r) {
            const double value = state.GetValue(s, r);
            if (std::isnan(value)) {
                flush();
                continue;
            }
            const QPointF point(CChartLayout::CategoryCentre(g, r), CChartLayout::ValueToY(g, value));
            if (run.empty())
                run.emplace_back(point.x() - half, point.y());
            run.push_back(point);
        }
        flush();
    }
    p.restore();
}

void PaintValueAxis(QPainter& p, const sChartGeometry& g, const QFontMetrics& metrics, bool right)
{
    const int axisX = right ? g.axes.left() + g.axes.width() : g.axes.left() - 1;
    const int outward = right ? 1 : -1;
    p.setPen(kInk);
    const CDevicePixelLines lines(p);
    lines.Vertical(axisX, g.axes.top(), g.axes.top() + g.axes.height(), kInk);
    if (g.scale.IsEmpty())
        return;
    const int n = g.scale.majorDivision;
    const double step = (g.scale.maximum - g.scale.minimum) / n;
    for (int k = 0; k <= n; ++k) {
        const int y = CChartLayout::ValueToY(g, g.scale.minimum + k * step);
        lines.Horizontal(axisX, axisX + outward * kChartTickLength, y, kInk);
        const QString label = ValueAxisLabel(g.scale, k);
        const int width = metrics.horizontalAdvance(label);
        const int x = right ? axisX + kChartTickLength + kChartLabelGap : axisX - kChartTickLength - kChartLabelGap - width;
        p.drawText(x, y - metrics.height() / 2 + metrics.ascent(), label);
        for (int m = 1; k < n && m < g.scale.minorDivision; ++m) {
            const int minorY = CChartLayout::ValueToY(g, g.scale.minimum + (k + double(m) / g.scale.minorDivision) * step);
            lines.Horizontal(axisX, axisX + outward * kChartMinorTickLength, minorY, kInk);
        }
    }
}

void PaintCategoryAxis(QPainter& p, const CChartState& state, const sChartGeometry& g, const QFontMetrics& metrics)
{
    const int axisY = g.axes.top() + g.axes.height();
    p.setPen(kInk);
    const CDevicePixelLines lines(p);
    lines.Horizontal(g.axes.left() - 1, g.axes.left() + g.axes.width(), axisY, kInk);
    if (g.rows == 0)
        return;
    const auto [labelStep, tickStep] = CategorySteps(state, g, metrics);
    for (int k = 0; k <= g.rows; k += tickStep) {
        const int x = g.axes.left() + static_cast<int>(std::lround(k * g.categoryWidth));
        lines.Vertical(x, axisY, axisY + kChartTickLength, kInk);
    }
    // A label that would run into the previous one is left out.
    int previousRight = g.control.left() - kChartLabelGap;
    for (int r = 1; r <= g.rows; r += labelStep) {
        const QString label = QString::fromStdString(state.GetRowLabel(r));
        const int width = metrics.horizontalAdvance(label);
        const int left = static_cast<int>(std::floor(CChartLayout::CategoryCentre(g, r))) - width / 2;
        if (left < previousRight + kChartLabelGap)
            continue;
        p.drawText(left, axisY + kChartTickLength + 2 + metrics.ascent(), label);
        previousRight = left + width;
    }
}

void PaintAxes(QPainter& p, const CChartState& state, const sChartGeometry& g, const QFontMetrics& metrics)
{
    p.setFont(g.fonts.label);
    if (!state.Axis(kAxisY).hide)
        PaintValueAxis(p, g, metrics, false);
    if (!state.Axis(kAxisY2).hide)
        PaintValueAxis(p, g, metrics, true);
    if (!state.Axis(kAxisX).hide)
        PaintCategoryAxis(p, state, g, metrics);

    p.setPen(kInk);
    const sAxisTitle& yTitle = state.Axis(kAxisY).title;
    if (!yTitle.text.empty()) {
        const QSize size = TitleSize(yTitle, g.fonts.yTitle);
        DrawTitle(p, yTitle, g.fonts.yTitle, QPoint(g.plot.left() + size.width() / 2, g.axes.center().y()));
    }
    const sAxisTitle& xTitle = state.Axis(kAxisX).title;
    if (!xTitle.text.empty()) {
        const QSize size = TitleSize(xTitle, g.fonts.xTitle);
        DrawTitle(p, xTitle, g.fonts.xTitle, QPoint(g.axes.center().x(), g.plot.bottom() - 1 - size.height() / 2));
    }
}

void PaintValueLabels(QPainter& p, const CChartState& state, const sChartGeometry& g)
{
    const sValueLabels placed = CChartValueLabels::Compute(state, g);
    const QFontMetrics metrics(placed.font);
    const QColor backdrop = CChartRenderer::BackdropColour(state);
    p.setFont(placed.font);
    for (const sValueLabel& label : placed.labels) {
        p.fillRect(label.box, backdrop);
        p.setPen(ToQColor(state.Series(label.series).dataPointLabel.fontColor, kInk));
        const int x = label.box.left() + (label.box.width() - metrics.horizontalAdvance(label.text)) / 2;
        p.drawText(x, label.box.top() + metrics.ascent(), label.text);
    }
}

void PaintLegend(QPainter& p, const CChartState& state, const sChartGeometry& g, const QFontMetrics& metrics)
{
    p.setFont(g.fonts.label);
    p.setPen(kInk);
    const CDevicePixelLines lines(p);
    for (int s = 1; s <= g.legendEntries; ++s) {
        const int top = g.legend.top() + (s - 1) * g.legendRowHeight;
        const QRect swatch(g.legend.left(), top + (g.legendRowHeight - kLegendSwatch) / 2, kLegendSwatch, kLegendSwatch);
        lines.Fill(swatch, CChartRenderer::SeriesColour(state, s));
        lines.Outline(swatch, QColor(64, 64, 64));
        p.drawText(swatch.right() + 1 + kLegendGap,
                   top + (g.legendRowHeight - metrics.height()) / 2 + metrics.ascent(),
                   QString::fromStdString(state.Series(s).label));
    }
}

}  // namespace

QColor CChartRenderer::SeriesColour(const CChartState& state, int series)
{
    const QColor automatic = QColor::fromRgb(kAutomaticColours[static_cast<std::size_t>(series - 1) % kAutomaticColours.size()]);
    return ToQColor(state.Series(series).brush.fillColor, automatic);
}

QColor CChartRenderer::BackdropColour(const CChartState& state)
{
    const sChartFill& fill = state.Backdrop().fill;
    const QColor white(255, 255, 255);
    if (fill.style == 0 || fill.brush.style == 0)
        return white;
    return ToQColor(fill.brush.fillColor, white);
}

void CChartRenderer::Paint(QPainter& p, const CChartState& state, const sChartGeometry& g)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setClipRect(g.control);
    PaintBackdrop(p, state, g);
    const QFontMetrics metrics(g.fonts.label);
    if (!g.axes.isEmpty()) {
        PaintGrid(p, state, g, metrics);
        if (CChartLayout::IsLineChart(state))
            PaintLines(p, state, g);
        else
            PaintBars(p, state, g);
        PaintAxes(p, state, g, metrics);
        PaintValueLabels(p, state, g);
    }
    PaintLegend(p, state, g, metrics);
    p.restore();
}
