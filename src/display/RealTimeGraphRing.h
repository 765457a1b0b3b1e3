#pragma once
// The ring behind the sweep graph: samples are written at a moving write position and the
// ring is shown in position order, with a short gap just ahead of the write position.
// Plain C++ so that the ring rules can be checked without drawing.

#include <cfloat>
#include <cstddef>
#include <span>
#include <vector>

class CSweepRing {
public:
    // 30 s at 128 samples per second.
    static constexpr int kDefaultSize = 3840;
    // An empty position.
    static constexpr float kEmpty = FLT_MAX;

    CSweepRing();

    // Empties the ring to n positions (n ≥ 1) and puts the write position at 0.
    void Reset(int n);
    // Writes the values in order at the write position, wrapping as often as needed.
    void Append(std::span<const float> values);
    // Changes the ring to n positions keeping only the current sweep (see the .cpp). A size
    // of 0 or less is refused: the ring is left as it is and false is returned.
    bool Resize(int n);

    int Size() const { return static_cast<int>(m_ring.size()); }
    int WriteIndex() const { return m_writeIndex; }
    // The positions blanked ahead of the write position: 1 % of the size, rounded down.
    int GapLength() const;
    // The value shown at a ring position: the sample, or kEmpty inside the gap.
    float ShownValue(int position) const;
    // The samples oldest first (starting at the write position), empty positions as 0.0.
    // The span form writes at most out.size() values and returns how many it wrote.
    std::vector<float> CopyChronological() const;
    std::size_t CopyChronological(std::span<float> out) const;
    const std::vector<float>& Values() const { return m_ring; }

private:
    std::vector<float> m_ring;
    int m_writeIndex = 0;
};
