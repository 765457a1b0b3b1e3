#include "display/ChartState.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

CChartDataGrid::CChartDataGrid(int rows, int columns)
    : m_rows(rows > 0 ? rows : 0), m_columns(columns > 0 ? columns : 0),
      m_cells(static_cast<std::size_t>(m_rows) * static_cast<std::size_t>(m_columns))
{
}

std::size_t CChartDataGrid::Index(int row, int column) const
{
    if (row < 1 || row > m_rows || column < 1 || column > m_columns)
        throw std::out_of_range("chart data cell outside the grid");
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(m_columns) +
           static_cast<std::size_t>(column - 1);
}

const std::string& CChartDataGrid::Cell(int row, int column) const
{
    return m_cells[Index(row, column)];
}

void CChartDataGrid::SetCell(int row, int column, std::string text)
{
    m_cells[Index(row, column)] = std::move(text);
}

CChartState::CChartState()
{
    // A fresh control shows solid grid lines across the value axis and none across the categories.
    m_axes[kAxisY].majorPenStyle = 1;
}

void CChartState::SetChartData(CChartDataGrid grid)
{
    m_grid = std::move(grid);
    const int rows = m_grid.GetRowCount();
    const int series = GetSeriesCount();
    m_values.assign(static_cast<std::size_t>(rows) * static_cast<std::size_t>(series), 0.0);
    for (int s = 1; s <= series; ++s)
        for (int r = 1; r <= rows; ++r)
            m_values[static_cast<std::size_t>(s - 1) * static_cast<std::size_t>(rows) +
                     static_cast<std::size_t>(r - 1)] = ParseChartValue(m_grid.Cell(r, s + 1));
    if (m_series.size() < static_cast<std::size_t>(series))
        m_series.resize(static_cast<std::size_t>(series));
}

int CChartState::GetSeriesCount() const
{
    return m_grid.GetColumnCount() > 1 ? m_grid.GetColumnCount() - 1 : 0;
}

const std::string& CChartState::GetRowLabel(int row) const
{
    static const std::string none;
    if (m_grid.GetColumnCount() < 1 || row < 1 || row > m_grid.GetRowCount())
        return none;
    return m_grid.Cell(row, 1);
}

double CChartState::GetValue(int series, int row) const
{
    const int rows = m_grid.GetRowCount();
    if (series < 1 || series > GetSeriesCount() || row < 1 || row > rows)
        return std::numeric_limits<double>::quiet_NaN();
    return m_values[static_cast<std::size_t>(series - 1) * static_cast<std::size_t>(rows) +
                    static_cast<std::size_t>(row - 1)];
}

void CChartState::SetColumnLabel(std::string text)
{
    if (m_column >= 1)
        Series(m_column).label = std::move(text);
}

sChartSeries& CChartState::Series(int series)
{
    if (series < 1)
        throw std::out_of_range("series are counted from 1");
    if (m_series.size() < static_cast<std::size_t>(series))
        m_series.resize(static_cast<std::size_t>(series));
    return m_series[static_cast<std::size_t>(series - 1)];
}

const sChartSeries& CChartState::Series(int series) const
{
    static const sChartSeries defaults;
    if (series < 1 || static_cast<std::size_t>(series) > m_series.size())
        return defaults;
    return m_series[static_cast<std::size_t>(series - 1)];
}

double ParseChartValue(const std::string& text)
{
    constexpr double kNoPoint = std::numeric_limits<double>::quiet_NaN();
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first < last && (*first == ' ' || *first == '\t'))
        ++first;
    while (last > first && (last[-1] == ' ' || last[-1] == '\t'))
        --last;
    if (first == last)
        return kNoPoint;
    double value = 0.0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value))
        return kNoPoint;
    return value;
}

std::string FormatChartLabel(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value == 0.0 ? 0.0 : value,
                                      std::chars_format::general, 6);  // never "-0"
    return std::string(text, result.ptr);
}

double TwipsToPixels(double twips, double dotsPerInch)
{
    return twips * dotsPerInch / 1440.0;
}

double PixelsToTwips(double pixels, double dotsPerInch)
{
    return dotsPerInch > 0.0 ? pixels * 1440.0 / dotsPerInch : 0.0;
}

double PointsToPixels(double points, double dotsPerInch)
{
    return points * dotsPerInch / 72.0;
}
