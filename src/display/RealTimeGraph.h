#pragma once
// The sweep graph: live samples are written into a ring at a moving write position and the
// whole ring is shown in position order (not rotated), with a blank gap of 1 % of the ring
// just ahead of the newest sample. In direct mode the values are shown as they are, and the
// ring is left untouched.

#include <span>
#include <vector>

#include "display/Graph.h"
#include "display/RealTimeGraphRing.h"

class CRealTimeGraph : public CGraph {
    Q_OBJECT
public:
    explicit CRealTimeGraph(QWidget* parent = nullptr);

    // direct ≠ 0: shows the values as they are (SetData). direct = 0: the values enter the
    // ring and the ring is shown.
    virtual void AddData(std::span<const float> values, int direct);
    // Empties the ring (its size stays) and the graph.
    void Clear() override;
    // Sets the ring size keeping the current sweep; redraws when redraw is exactly 1.
    // A size of 0 or less is ignored.
    void SetSize(int n, int redraw);
    int GetSize() const { return m_ring.Size(); }
    // The ring oldest first, empty positions as 0.0. The span form writes at most out.size()
    // values and returns how many it wrote.
    std::vector<float> GetData() const { return m_ring.CopyChronological(); }
    std::size_t GetData(std::span<float> out) const { return m_ring.CopyChronological(out); }
    int GetWriteIndex() const { return m_ring.WriteIndex(); }

private:
    void Redraw();

    CSweepRing m_ring;
};
