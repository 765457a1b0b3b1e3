#include "display/RealTimeGraphRing.h"

#include <algorithm>

CSweepRing::CSweepRing()
{
    Reset(kDefaultSize);
}

void CSweepRing::Reset(int n)
{
    m_ring.assign(static_cast<std::size_t>(std::max(n, 1)), kEmpty);
    m_writeIndex = 0;
}

void CSweepRing::Append(std::span<const float> values)
{
    const std::size_t size = m_ring.size();
    while (!values.empty()) {
        const std::size_t room = size - static_cast<std::size_t>(m_writeIndex);
        const std::size_t count = std::min(room, values.size());
        std::copy_n(values.begin(), count, m_ring.begin() + m_writeIndex);
        values = values.subspan(count);
        m_writeIndex = static_cast<int>((m_writeIndex + count) % size);
    }
}

// Only the current sweep survives a resize: the samples written since the last wrap, or,
// when the ring shrinks, the part of them since the last multiple of the new size. They
// are placed from position 0 and the rest is empty.
bool CSweepRing::Resize(int n)
{
    if (n <= 0)
        return false;
    const std::vector<float> old = m_ring;
    int first = 0;
    if (static_cast<std::size_t>(n) < old.size()) {
        const int q = m_writeIndex / n;
        first = q * n;
        m_writeIndex -= first;
    }
    m_ring.assign(static_cast<std::size_t>(n), kEmpty);
    std::copy_n(old.begin() + first, m_writeIndex, m_ring.begin());
    return true;
}

int CSweepRing::GapLength() const
{
    return static_cast<int>(static_cast<double>(m_ring.size()) * 0.01);
}

float CSweepRing::ShownValue(int position) const
{
    const int size = Size();
    const int ahead = (position - m_writeIndex + size) % size;
    return ahead < GapLength() ? kEmpty : m_ring[static_cast<std::size_t>(position)];
}

std::size_t CSweepRing::CopyChronological(std::span<float> out) const
{
    const std::size_t count = std::min(out.size(), m_ring.size());
    std::size_t j = static_cast<std::size_t>(m_writeIndex);
    for (std::size_t i = 0; i < count; ++i) {
        const float value = m_ring[j];
        out[i] = value == kEmpty ? 0.0f : value;
        if (++j == m_ring.size())
            j = 0;
    }
    return count;
}

std::vector<float> CSweepRing::CopyChronological() const
{
    std::vector<float> out(m_ring.size());
    CopyChronological(std::span<float>(out));
    return out;
}
