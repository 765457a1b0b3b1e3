#include "display/DevicePixelLines.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// A device pixel ratio a hair below a whole number still fits that many device pixels.
constexpr double kRatioSlack = 1e-6;

int WholePixels(double scale)
{
    return std::max(1, static_cast<int>(std::floor(scale + kRatioSlack)));
}

}  // namespace

CDevicePixelLines::CDevicePixelLines(QPainter& painter) : m_painter(painter)
{
    const QTransform& toDevice = painter.deviceTransform();
    m_scaleX = toDevice.m11();
    m_scaleY = toDevice.m22();
    m_dx = toDevice.dx();
    m_dy = toDevice.dy();
    m_widthX = WholePixels(m_scaleX);
    m_widthY = WholePixels(m_scaleY);
}

// Qt's own rounding of a logical position to the device, as it fills rectangles and clips
// widgets.
int CDevicePixelLines::DeviceX(int x) const
{
    return qRound(m_scaleX * x + m_dx);
}

int CDevicePixelLines::DeviceY(int y) const
{
    return qRound(m_scaleY * y + m_dy);
}

QRect CDevicePixelLines::DeviceBox(const QRect& rect) const
{
    const int left = DeviceX(rect.left());
    const int top = DeviceY(rect.top());
    return {left, top, DeviceX(rect.right()) + m_widthX - left, DeviceY(rect.bottom()) + m_widthY - top};
}

// Drawn in the painter's own coordinates, at the exact logical image of the device pixels: the
// painter maps them back onto those pixels, and its clip holds as for any other drawing.
void CDevicePixelLines::FillDevice(const QRect& device, const QColor& colour) const
{
    if (device.isEmpty() || m_scaleX <= 0.0 || m_scaleY <= 0.0)
        return;
    const QPointF topLeft((device.left() - m_dx) / m_scaleX, (device.top() - m_dy) / m_scaleY);
    const QPointF bottomRight((device.left() + device.width() - m_dx) / m_scaleX,
                              (device.top() + device.height() - m_dy) / m_scaleY);
    m_painter.fillRect(QRectF(topLeft, bottomRight), colour);
}

template <typename FillSpan>
void CDevicePixelLines::Dashed(int from, int to, double scale, sLineDashes dashes, const QColor& colour,
                               FillSpan fill) const
{
    if (dashes.on <= 0 || dashes.off <= 0) {
        fill(from, to, colour);
        return;
    }
    const int on = std::max(1, static_cast<int>(std::lround(dashes.on * scale)));
    const int off = std::max(1, static_cast<int>(std::lround(dashes.off * scale)));
    const bool gapsShow = m_painter.backgroundMode() == Qt::OpaqueMode;
    const QColor background = m_painter.background().color();
    for (int at = from; at < to; at += on + off) {
        fill(at, std::min(at + on, to), colour);
        if (gapsShow)
            fill(std::min(at + on, to), std::min(at + on + off, to), background);
    }
}

void CDevicePixelLines::Horizontal(int x0, int x1, int y, const QColor& colour, sLineDashes dashes) const
{
    const QRect box = DeviceBox(QRect(QPoint(std::min(x0, x1), y), QPoint(std::max(x0, x1), y)));
    Dashed(box.left(), box.left() + box.width(), m_scaleX, dashes, colour, [&](int from, int to, const QColor& c) {
        FillDevice(QRect(from, box.top(), to - from, box.height()), c);
    });
}

void CDevicePixelLines::Vertical(int x, int y0, int y1, const QColor& colour, sLineDashes dashes) const
{
    const QRect box = DeviceBox(QRect(QPoint(x, std::min(y0, y1)), QPoint(x, std::max(y0, y1))));
    Dashed(box.top(), box.top() + box.height(), m_scaleY, dashes, colour, [&](int from, int to, const QColor& c) {
        FillDevice(QRect(box.left(), from, box.width(), to - from), c);
    });
}

void CDevicePixelLines::Outline(const QRect& rect, const QColor& colour, int shift) const
{
    if (rect.isEmpty())
        return;
    const QRect box = DeviceBox(rect).translated(shift * m_widthX, shift * m_widthY);
    FillDevice(QRect(box.left(), box.top(), box.width(), m_widthY), colour);
    FillDevice(QRect(box.left(), box.top() + box.height() - m_widthY, box.width(), m_widthY), colour);
    FillDevice(QRect(box.left(), box.top(), m_widthX, box.height()), colour);
    FillDevice(QRect(box.left() + box.width() - m_widthX, box.top(), m_widthX, box.height()), colour);
}

void CDevicePixelLines::Fill(const QRect& rect, const QColor& colour) const
{
    if (!rect.isEmpty())
        FillDevice(DeviceBox(rect), colour);
}

void CDevicePixelLines::Polyline(std::span<const sTracePoint> points, const QColor& colour) const
{
    if (points.size() < 2)
        return;
    if (m_scaleX == 1.0 && m_scaleY == 1.0) {
        QPolygon polygon(static_cast<int>(points.size()));
        for (std::size_t i = 0; i < points.size(); ++i)
            polygon[static_cast<int>(i)] = QPoint(points[i].x, points[i].y);
        const QPen before = m_painter.pen();
        QPen pen(colour, 1);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        m_painter.setPen(pen);
        m_painter.drawPolyline(polygon);
        m_painter.setPen(before);
        return;
    }
    // The device pixel of a position: the one of its pixel's device pixels where it lies.
    const auto device = [](int first, int next, double fraction) {
        return first + static_cast<int>(std::floor(fraction * std::max(next - first, 1)));
    };
    const auto at = [&](const sTracePoint& p) {
        return QPoint(device(DeviceX(p.x), DeviceX(p.x + 1), p.xFraction),
                      device(DeviceY(p.y), DeviceY(p.y + 1), p.yFraction));
    };
    // The device column being gathered and its rows; a column is filled once the line leaves it.
    int column = 0;
    int top = 0;
    int bottom = -1;
    const auto fillColumn = [&] {
        if (bottom >= top)
            FillDevice(QRect(column, top, m_widthX, bottom - top + m_widthY), colour);
    };
    const auto addRows = [&](int x, double y0, double y1) {
        const int from = static_cast<int>(std::floor(std::min(y0, y1) + 0.5));
        const int to = static_cast<int>(std::floor(std::max(y0, y1) + 0.5));
        if (x == column && bottom >= top) {
            top = std::min(top, from);
            bottom = std::max(bottom, to);
            return;
        }
        fillColumn();
        column = x;
        top = from;
        bottom = to;
    };
    // Between device pixels p0 and p1, column x holds the rows the line crosses within half a
    // pixel of x.
    QPoint p0 = at(points[0]);
    for (std::size_t i = 1; i < points.size(); ++i) {
        const QPoint p1 = at(points[i]);
        if (p1.x() <= p0.x()) {
            addRows(p0.x(), p0.y(), p1.y());
        } else {
            const double slope = double(p1.y() - p0.y()) / (p1.x() - p0.x());
            for (int x = p0.x(); x <= p1.x(); ++x) {
                const double from = std::max(x - 0.5, double(p0.x())) - p0.x();
                const double to = std::min(x + 0.5, double(p1.x())) - p0.x();
                addRows(x, p0.y() + slope * from, p0.y() + slope * to);
            }
        }
        p0 = p1;
    }
    fillColumn();
}
