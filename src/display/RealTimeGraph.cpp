#include "display/RealTimeGraph.h"

CRealTimeGraph::CRealTimeGraph(QWidget* parent) : CGraph(parent) {}

void CRealTimeGraph::AddData(std::span<const float> values, int direct)
{
    if (direct != 0) {
        SetData(values);
        return;
    }
    m_ring.Append(values);
    Redraw();
}

void CRealTimeGraph::Clear()
{
    m_ring.Reset(m_ring.Size());
    CGraph::Clear();
}

void CRealTimeGraph::SetSize(int n, int redraw)
{
    if (!m_ring.Resize(n))
        return;
    if (redraw == 1)
        Redraw();
}

// Shows the ring with its gap. Only the points the line graph keeps are read, so a long
// ring is not copied as a whole.
void CRealTimeGraph::Redraw()
{
    if (m_ring.Size() == 0)
        return;
    StoreDecimated(m_ring.Size(), [this](int position) { return m_ring.ShownValue(position); });
    update();
}
