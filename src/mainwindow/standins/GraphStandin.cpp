#include "mainwindow/standins/GraphStandin.h"

#include <QPainter>

#include <algorithm>
#include <cfloat>

CGraph::CGraph(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CGraph::SetData(const float* values, int n)
{
    m_data.assign(values, values + std::max(0, n));
    update();
}

void CGraph::Clear()
{
    m_data.clear();
    update();
}

void CGraph::UpdateCursorFraction()
{
    m_cursorFraction = width() > 0 ? std::clamp(double(m_cursorPixel) / width(), 0.0, 1.0) : 0.0;
}

void CGraph::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignHCenter, m_title);
    p.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignTop | Qt::AlignLeft, m_yLabel);
    p.drawText(rect().adjusted(4, 2, -4, -2), Qt::AlignBottom | Qt::AlignRight, m_xLabel);
}

CRealTimeGraph::CRealTimeGraph(QWidget* parent) : CGraph(parent)
{
    m_ring.assign(3840, FLT_MAX);
}

void CRealTimeGraph::AddData(const float* values, int n, int direct)
{
    if (direct) {
        SetData(values, n);
        return;
    }
    for (int i = 0; i < n && !m_ring.empty(); ++i) {
        m_ring[m_writeIndex] = values[i];
        m_writeIndex = (m_writeIndex + 1) % static_cast<int>(m_ring.size());
    }
    update();
}

void CRealTimeGraph::Clear()
{
    m_ring.assign(m_ring.size(), FLT_MAX);
    m_writeIndex = 0;
    CGraph::Clear();
}

void CRealTimeGraph::SetSize(int n, int redraw)
{
    m_ring.assign(std::max(0, n), FLT_MAX);
    m_writeIndex = 0;
    Redraw(redraw);
}

void CRealTimeGraph::GetData(float* out) const
{
    const int size = GetSize();
    for (int i = 0; i < size; ++i) {
        const float v = m_ring[(m_writeIndex + i) % size];
        out[i] = v == FLT_MAX ? 0.0f : v;
    }
}
