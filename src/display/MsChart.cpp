#include "display/MsChart.h"

#include <QMouseEvent>
#include <QPainter>

#include "display/ChartRenderer.h"

CMschart::CMschart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void CMschart::Refresh()
{
    update();
}

void CMschart::Layout()
{
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    const QRect plot = CChartLayout::AutoPlotRect(m_state, size(), dpiY);
    sChartRect& rect = m_state.LocationRect();
    rect.min.x = static_cast<float>(PixelsToTwips(plot.left(), dpiX));
    rect.min.y = static_cast<float>(PixelsToTwips(plot.top(), dpiY));
    rect.max.x = static_cast<float>(PixelsToTwips(plot.left() + plot.width(), dpiX));
    rect.max.y = static_cast<float>(PixelsToTwips(plot.top() + plot.height(), dpiY));
}

sChartGeometry CMschart::GeometryAt(QSize size) const
{
    return CChartLayout::Compute(m_state, size, logicalDpiX(), logicalDpiY());
}

sChartGeometry CMschart::Geometry() const
{
    return GeometryAt(size());
}

void CMschart::Draw(QPainter& painter, QSize size) const
{
    CChartRenderer::Paint(painter, m_state, GeometryAt(size));
}

std::optional<QPoint> CMschart::GetPointPos(int series, int row) const
{
    return CChartLayout::PointPos(m_state, Geometry(), series, row);
}

std::optional<QRect> CMschart::GetBarRect(int series, int row) const
{
    return CChartLayout::BarRect(m_state, Geometry(), series, row);
}

sValueLabels CMschart::GetValueLabels() const
{
    return CChartValueLabels::Compute(m_state, Geometry());
}

void CMschart::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    Draw(painter, size());
}

void CMschart::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    short flags = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        flags |= 4;
    if (event->modifiers() & Qt::ControlModifier)
        flags |= 8;
    short cancel = 0;
    const auto hit = CChartLayout::HitTest(m_state, Geometry(), event->position().toPoint());
    if (hit)
        emit PointSelected(static_cast<short>(hit->first), static_cast<short>(hit->second), flags, &cancel);
    else
        emit ChartSelected(flags, &cancel);
    event->accept();
}
