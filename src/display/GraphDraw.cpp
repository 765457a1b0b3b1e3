// The drawing steps of the line graph, in the order in which they overlap one another:
// fill, grid, tick values, axis labels, zero line, cursor, frame, trace, title, selection.
#include "display/Graph.h"
#include "display/GraphPainting.h"
#include "display/DevicePixelLines.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

// Grid lines beyond one per pixel would only repaint the same columns.
int DrawnGridCount(int count, int span)
{
    return std::clamp(count, 0, std::max(span, 0));
}

// i × span / (count + 1) in integers, as wide as needed for any widget size.
int Division(int i, int span, int count)
{
    return static_cast<int>(static_cast<long long>(i) * span / (count + 1));
}

} // namespace

void CGraph::Draw(QPainter& painter, int width, int height) const
{
    if (width <= 0 || height <= 0)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(QColor(kGraphBackground));

    const sGraphPlotArea plot = GraphPlotArea(width, height);
    painter.fillRect(0, 0, width, height, QColor(kGraphBackground));
    painter.fillRect(plot.left, plot.top, plot.width, plot.height, QColor(kGraphBackground));
    DrawGrid(painter, plot);
    DrawTickValues(painter, plot);
    DrawAxisLabels(painter, width, height);
    DrawZeroLine(painter, plot);
    DrawCursor(painter, plot);
    DrawFrameLines(painter, plot);
    DrawTrace(painter, plot);
    DrawTitle(painter, plot, width);
    DrawSelection(painter, plot, width, height);
    painter.restore();
}

// The grid, zero line and cursor run onto the frame lines, which are drawn over them, so
// that they meet the frame at any scale.
void CGraph::DrawGrid(QPainter& painter, const sGraphPlotArea& plot) const
{
    const CDevicePixelLines lines(painter);
    const int rows = DrawnGridCount(m_s.yGridCount, plot.height);
    const double dy = static_cast<double>(plot.height) / (rows + 1);
    for (int i = 0; i < rows; ++i) {
        const int y = TruncToPixel(plot.height - (i + 1) * dy + plot.top);
        lines.Horizontal(plot.left, plot.Right(), y, QColor(kGraphGreen), kGraphDots);
    }
    const int columns = DrawnGridCount(m_s.xGridCount, plot.width);
    const double dx = static_cast<double>(plot.width) / (columns + 1);
    for (int j = 0; j < columns; ++j) {
        const int x = TruncToPixel(plot.width - (j + 1) * dx + plot.left);
        lines.Vertical(x, plot.top, plot.Bottom(), QColor(kGraphGreen), kGraphDots);
    }
}

void CGraph::DrawTickValues(QPainter& painter, const sGraphPlotArea& plot) const
{
    const int f = TickFontSize(plot);
    if (f < 1)
        return;
    painter.setFont(GraphFont(f));
    painter.setPen(QColor(kGraphGreen));

    const int rows = DrawnGridCount(m_s.yGridCount, plot.height);
    const double yStep = GetVisibleYRange() / (rows + 1);
    for (int i = 0; i <= rows + 1; ++i) {
        const QString text = QString::fromStdString(FormatTickValue(m_s.yFormat, GetVisibleYMax() - i * yStep));
        GraphTextOut(painter, 20, plot.top + Division(i, plot.height, rows) - f / 2, text);
    }

    const int columns = DrawnGridCount(m_s.xGridCount, plot.width);
    const double xStep = (GetVisibleXMax() - GetVisibleXMin()) / (columns + 1);
    for (int j = 0; j <= columns + 1; ++j) {
        const QString text = QString::fromStdString(FormatTickValue(m_s.xFormat, GetVisibleXMin() + j * xStep));
        const int length = static_cast<int>(text.size());
        const int x = plot.left + Division(j, plot.width, columns) - (length * f) / 4;
        GraphTextOut(painter, x, plot.Bottom() + f / 2, text);
    }
}

void CGraph::DrawAxisLabels(QPainter& painter, int width, int height) const
{
    painter.setPen(QColor(kGraphGreen));
    const std::pair<QRect, const QString*> labels[] = {{YLabelCell(width, height), &m_s.yLabel},
                                                       {XLabelCell(width, height), &m_s.xLabel}};
    for (const auto& [cell, text] : labels) {
        if (cell.height() < 1)
            continue;
        painter.setFont(GraphFont(cell.height()));
        GraphTextOut(painter, cell.left(), cell.top(), *text);
    }
}

void CGraph::DrawZeroLine(QPainter& painter, const sGraphPlotArea& plot) const
{
    const double p = ToPercent(0.0, GetVisibleYMin(), GetVisibleYRange());
    const int y = TruncToPixel(plot.Bottom() - plot.height * p / 100.0);
    CDevicePixelLines(painter).Horizontal(plot.left, plot.Right(), y, QColor(kGraphRed));
}

void CGraph::DrawCursor(QPainter& painter, const sGraphPlotArea& plot) const
{
    const int x = TruncToPixel(plot.left + plot.width * m_s.cursorFraction);
    CDevicePixelLines(painter).Vertical(x, plot.top, plot.Bottom(), QColor(kGraphBlack));
}

void CGraph::DrawFrameLines(QPainter& painter, const sGraphPlotArea& plot) const
{
    const QRect frame(QPoint(plot.left, plot.top), QPoint(plot.Right(), plot.Bottom()));
    CDevicePixelLines(painter).Outline(frame, QColor(kGraphGreen));
}

void CGraph::DrawTrace(QPainter& painter, const sGraphPlotArea& plot) const
{
    const int n = static_cast<int>(m_data.size());
    if (n == 0)
        return;
    const int shown = std::clamp(TruncToPixel(n * m_s.xZoom), 0, n);
    const int start = std::clamp(TruncToPixel(n * m_s.xCenter - shown / 2.0 + 0.5), 0, n - shown);
    const std::vector<sTracePoint> points =
        TracePoints(std::span<const double>(m_data).subspan(start, shown), plot, GetVisibleYMin(), GetVisibleYRange());

    // Each run from a move to the next.
    const CDevicePixelLines lines(painter);
    std::size_t run = 0;
    for (std::size_t i = 1; i <= points.size(); ++i) {
        if (i == points.size() || points[i].move) {
            lines.Polyline(std::span(points).subspan(run, i - run), QColor(kGraphBlack));
            run = i;
        }
    }
}

void CGraph::DrawTitle(QPainter& painter, const sGraphPlotArea& plot, int width) const
{
    const int length = static_cast<int>(m_s.title.size());
    const int f = TitleFontSize(plot, length);
    if (f < 1)
        return;
    painter.setFont(GraphFont(f));
    painter.setPen(QColor(kGraphTitleGrey));
    GraphTextOut(painter, width / 2 - (length / 2) * f, plot.top / 2 - f / 2, m_s.title);
}

void CGraph::DrawSelection(QPainter& painter, const sGraphPlotArea& plot, int width, int height) const
{
    if (!HasSelection())
        return;
    auto clampX = [&](int x) { return std::min(std::max(x, plot.left), width - plot.left); };
    auto clampY = [&](int y) { return std::min(std::max(y, plot.top), height - plot.top); };
    const int px1 = clampX(TruncToPixel(width * std::min(m_s.selectionX1, m_s.selectionX2)));
    const int px2 = clampX(TruncToPixel(width * std::max(m_s.selectionX1, m_s.selectionX2)));
    const int py1 = clampY(TruncToPixel(height * std::min(m_s.selectionY1, m_s.selectionY2)));
    const int py2 = clampY(TruncToPixel(height * std::max(m_s.selectionY1, m_s.selectionY2)));
    const QPoint corners[] = {{px1, py1}, {px1, py2}, {px2, py2}, {px2, py1}, {px1, py1}};
    painter.setPen(GraphDottedPen(kGraphBlack));
    painter.drawPolyline(corners, 5);
}
