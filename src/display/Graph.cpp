#include "display/Graph.h"

#include <QFontMetrics>
#include <QPainter>

#include "display/GraphPainting.h"

CGraph::CGraph(QWidget* parent) : QFrame(parent)
{
    // Draw fills every pixel of the client area; the frame (if any) is painted after it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
}

CGraph::~CGraph() = default;

void CGraph::Invalidate(int redraw)
{
    if (redraw == 1)
        update();
}

void CGraph::StoreData(std::span<const float> values)
{
    const int count = static_cast<int>(std::min<std::size_t>(values.size(), INT_MAX));
    StoreDecimated(count, [values](int index) { return values[static_cast<std::size_t>(index)]; });
}

void CGraph::SetData(std::span<const float> values)
{
    StoreData(values);
    update();
}

void CGraph::Clear()
{
    m_data.clear();
    m_data.shrink_to_fit();
    ResetSelection(0);
    update();
}

void CGraph::SetXMax(double value, int redraw) { Store(m_s.xMax, value, redraw); }
void CGraph::SetXMin(double value, int redraw) { Store(m_s.xMin, value, redraw); }
void CGraph::SetYMax(double value, int redraw) { Store(m_s.yMax, value, redraw); }
void CGraph::SetYMin(double value, int redraw) { Store(m_s.yMin, value, redraw); }
void CGraph::SetTitle(const QString& text, int redraw) { Store(m_s.title, text, redraw); }
void CGraph::SetXLabel(const QString& text, int redraw) { Store(m_s.xLabel, text, redraw); }
void CGraph::SetYLabel(const QString& text, int redraw) { Store(m_s.yLabel, text, redraw); }

void CGraph::SetXFormat(const QString& format, int redraw) { Store(m_s.xFormat, format.toStdString(), redraw); }

void CGraph::SetXGridCount(int count, int redraw) { Store(m_s.xGridCount, count, redraw); }
void CGraph::SetCursorPixel(int x, int redraw) { Store(m_s.cursorPixel, x, redraw); }

void CGraph::UpdateCursorFraction()
{
    m_s.cursorFraction = CursorFractionFor(m_s.cursorPixel, ClientRect().width());
}

void CGraph::SetCursorFraction(double fraction, int redraw) { Store(m_s.cursorFraction, fraction, redraw); }

double CGraph::GetXRange() const
{
    return m_s.xMax - m_s.xMin;
}

double CGraph::GetYRange() const
{
    return m_s.yMax - m_s.yMin;
}

double CGraph::GetVisibleXRange() const
{
    return GetXRange() * m_s.xZoom;
}

double CGraph::GetVisibleYRange() const
{
    return GetYRange() * m_s.yZoom;
}

double CGraph::GetVisibleXMin() const
{
    return m_s.xMin + GetXRange() * m_s.xCenter - GetVisibleXRange() / 2.0;
}

double CGraph::GetVisibleXMax() const
{
    return GetVisibleXMin() + GetVisibleXRange();
}

double CGraph::GetVisibleYMin() const
{
    return m_s.yMin + GetYRange() * (1.0 - m_s.yCenter) - GetVisibleYRange() / 2.0;
}

double CGraph::GetVisibleYMax() const
{
    return GetVisibleYMin() + GetVisibleYRange();
}

int CGraph::HasSelection() const
{
    return m_s.selectionX1 != -1.0 && m_s.selectionY1 != -1.0 && m_s.selectionX2 != -1.0
                   && m_s.selectionY2 != -1.0
               ? 1
               : 0;
}

void CGraph::ResetSelection(int redraw)
{
    const int hadSelection = HasSelection();
    m_s.selectionX1 = m_s.selectionY1 = m_s.selectionX2 = m_s.selectionY2 = -1.0;
    if (redraw == 1 && hadSelection)
        update();
}

void CGraph::SetSelection(double x1, double y1, double x2, double y2, int redraw)
{
    m_s.selectionX1 = x1;
    m_s.selectionY1 = y1;
    m_s.selectionX2 = x2;
    m_s.selectionY2 = y2;
    Invalidate(redraw);
}

QRect CGraph::ClientRect() const
{
    return contentsRect();
}

QRect CGraph::PlotRect() const
{
    const QRect client = ClientRect();
    const sGraphPlotArea plot = GraphPlotArea(client.width(), client.height());
    return QRect(client.left() + plot.left, client.top() + plot.top, plot.width + 1, plot.height + 1);
}

QRect CGraph::YLabelCell(int width, int height) const
{
    const sGraphPlotArea plot = GraphPlotArea(width, height);
    const int f = AxisLabelFontSize(plot);
    if (f < 1)
        return {};
    return {plot.left, plot.top - f, QFontMetrics(GraphFont(f)).horizontalAdvance(m_s.yLabel), f};
}

// The x label starts where the plot's right margin does and keeps its lower edge on the
// plot's bottom row; a text too wide for the margin takes a smaller font rather than run
// past the client area or over the plot.
QRect CGraph::XLabelCell(int width, int height) const
{
    const sGraphPlotArea plot = GraphPlotArea(width, height);
    const int x = width - plot.left;
    const int f = FittingFontHeight(m_s.xLabel, AxisLabelFontSize(plot), width - x);
    if (f < 1)
        return {};
    return {x, height - plot.top - f, QFontMetrics(GraphFont(f)).horizontalAdvance(m_s.xLabel), f};
}

QRect CGraph::XLabelRect() const
{
    const QRect client = ClientRect();
    return XLabelCell(client.width(), client.height()).translated(client.topLeft());
}

QRect CGraph::YLabelRect() const
{
    const QRect client = ClientRect();
    return YLabelCell(client.width(), client.height()).translated(client.topLeft());
}

void CGraph::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect client = ClientRect();
    if (!client.isEmpty()) {
        painter.save();
        painter.translate(client.topLeft());
        painter.setClipRect(0, 0, client.width(), client.height());
        Draw(painter, client.width(), client.height());
        painter.restore();
    }
    drawFrame(&painter);
}
