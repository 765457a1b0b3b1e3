#pragma once
// The chart control's state, without any drawing: the data grid, the chart type, the axes
// with their scales and titles, the series colours and labels, the legend and the plot's
// location rectangle. The chart classes write into it; CMschart draws whatever it holds.
// Plain C++ (no Qt), so what a chart sends to the control can be checked without drawing.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// Chart types the control draws. Every other number draws as a bar chart.
enum eChartType : long { kChartTypeBar2d = 1, kChartTypeLine2d = 3 };

// Axis indexes of the plot.
enum eChartAxis : int { kAxisX = 0, kAxisY = 1, kAxisY2 = 2 };

// Frame styles of the backdrop: 0 none, 1 single line, 2 double line, 3 thick inner, 4 thick outer.
// Fill styles: 0 none, 1 brush. Brush styles: 0 none, 1 solid (others draw solid).
// Pen styles of a grid: 0 none, 1 solid, 2 dashed, 3 dotted (others draw solid).
// Data point label locations: 0 none, 1 above the point.
// Title orientations: 0 horizontal, 1 stacked letters, 2 running upward, 3 running downward.

struct sChartColor {
    bool automatic = true;  // true: the control picks the colour
    int red = 0;
    int green = 0;
    int blue = 0;

    void Set(int r, int g, int b)
    {
        red = r;
        green = g;
        blue = b;
        automatic = false;
    }
};

struct sChartBrush {
    long style = 1;
    sChartColor fillColor;
};

struct sChartFrame {
    long style = 0;
    float width = 0.0f;  // points
};

struct sChartFill {
    long style = 0;
    sChartBrush brush;
};

struct sChartBackdrop {
    sChartFrame frame;
    sChartFill fill;
};

struct sCategoryScale {
    bool automatic = true;  // true: the control thins the labels so they do not overlap
    short divisionsPerLabel = 1;
    short divisionsPerTick = 1;
};

struct sValueScale {
    bool automatic = true;  // true: the range follows the data
    double minimum = 0.0;
    double maximum = 100.0;
    short majorDivision = 5;  // number of labelled divisions between minimum and maximum
    short minorDivision = 0;  // number of tick divisions inside each major division
};

struct sAxisTitle {
    std::string text;  // UTF-8
    float fontSize = 9.0f;  // points
    long orientation = 0;
};

struct sChartAxis {
    sCategoryScale categoryScale;
    long majorPenStyle = 0;  // grid lines at the labelled divisions
    bool hide = false;
    sValueScale valueScale;
    sAxisTitle title;
};

struct sDataPointLabel {
    long locationType = 0;
    sChartColor fontColor;
};

// Properties of one series; the control applies them to every point of the series.
struct sChartSeries {
    std::string label;  // legend text (UTF-8)
    sChartBrush brush;
    sDataPointLabel dataPointLabel;
};

struct sChartCoor {
    float x = 0.0f;
    float y = 0.0f;
};

// The plot's location rectangle in twips (1/1440 inch) from the control's top-left corner,
// Y counted downward: min is the top-left corner, max the bottom-right. It encloses the
// axes with their labels and titles.
struct sChartRect {
    sChartCoor min;
    sChartCoor max;
};

// Rows × columns of text cells, counted from 1. Column 1 holds the row (category) labels;
// every further column is one series. An empty or non-numeric cell is "no point".
class CChartDataGrid {
public:
    CChartDataGrid() = default;
    CChartDataGrid(int rows, int columns);

    int GetRowCount() const { return m_rows; }
    int GetColumnCount() const { return m_columns; }
    const std::string& Cell(int row, int column) const;
    void SetCell(int row, int column, std::string text);

private:
    std::size_t Index(int row, int column) const;

    int m_rows = 0;
    int m_columns = 0;
    std::vector<std::string> m_cells;
};

class CChartState {
public:
    CChartState();

    // The data grid. Putting it also parses every value cell once, for drawing.
    void SetChartData(CChartDataGrid grid);
    const CChartDataGrid& GetChartData() const { return m_grid; }
    int GetRowCount() const { return m_grid.GetRowCount(); }
    int GetSeriesCount() const;
    const std::string& GetRowLabel(int row) const;
    // The value of series s (from 1) in row r (from 1); NaN when the cell holds no point.
    double GetValue(int series, int row) const;

    void SetChartType(long type) { m_chartType = type; }
    long GetChartType() const { return m_chartType; }

    // Column, then ColumnLabel: names the legend text of that series.
    void SetColumn(short column) { m_column = column; }
    void SetColumnLabel(std::string text);

    void SetShowLegend(bool show) { m_showLegend = show; }
    bool GetShowLegend() const { return m_showLegend; }

    sChartBackdrop& Backdrop() { return m_backdrop; }
    const sChartBackdrop& Backdrop() const { return m_backdrop; }

    // Plot properties.
    void SetAutoLayout(bool automatic) { m_autoLayout = automatic; }
    bool GetAutoLayout() const { return m_autoLayout; }
    sChartRect& LocationRect() { return m_locationRect; }
    const sChartRect& LocationRect() const { return m_locationRect; }
    sChartAxis& Axis(eChartAxis axis) { return m_axes.at(axis); }
    const sChartAxis& Axis(eChartAxis axis) const { return m_axes.at(axis); }
    // Series from 1. Properties of series beyond the grid are kept for a later grid.
    sChartSeries& Series(int series);
    const sChartSeries& Series(int series) const;

private:
    CChartDataGrid m_grid;
    std::vector<double> m_values;  // series-major: (series − 1) × rows + (row − 1)
    long m_chartType = kChartTypeBar2d;
    short m_column = 1;
    bool m_showLegend = false;
    sChartBackdrop m_backdrop;
    bool m_autoLayout = true;
    sChartRect m_locationRect;
    std::array<sChartAxis, 3> m_axes;
    std::vector<sChartSeries> m_series;
};

// A cell's number, or NaN when the cell is empty, not a number, or not finite. Parsed
// without the locale.
double ParseChartValue(const std::string& text);

// Axis and data-point label text of a value ("%g": 12.5 → "12.5", 0.04 → "0.04").
std::string FormatChartLabel(double value);

// The location rectangle's unit: twips, 1440 per inch, against the device's dots per inch.
double TwipsToPixels(double twips, double dotsPerInch);
double PixelsToTwips(double pixels, double dotsPerInch);
// Font sizes are in points, 72 per inch.
double PointsToPixels(double points, double dotsPerInch);
