#pragma once
// The values a chart holds between two updates: a count and one value per bar or epoch.
// Shared by the spectrum chart (float) and the two epoch charts (32-bit stage codes).

#include <algorithm>
#include <cstddef>
#include <span>
#include <vector>

template <typename T>
class CChartValues {
public:
    explicit CChartValues(int count) : m_count(std::max(count, 0)) { InitData(); }

    // count values, all zero.
    void InitData() { m_values.assign(static_cast<std::size_t>(m_count), T{}); }

    // Copies count values. A caller's array shorter than the count gives zeros for the rest;
    // nothing past the array is read.
    void SetData(std::span<const T> values)
    {
        m_values.assign(static_cast<std::size_t>(m_count), T{});
        const std::size_t n = std::min(values.size(), m_values.size());
        std::copy_n(values.begin(), n, m_values.begin());
    }

    // Stores the count only; a negative count counts as 0.
    void SetCount(int count) { m_count = std::max(count, 0); }
    int GetCount() const { return m_count; }

    // Value i (from 0) of the held array; 0 when the count was raised without new data.
    T Value(int i) const
    {
        return i >= 0 && static_cast<std::size_t>(i) < m_values.size() ? m_values[static_cast<std::size_t>(i)]
                                                                          : T{};
    }

private:
    int m_count;
    std::vector<T> m_values;
};
