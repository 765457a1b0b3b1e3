#include "display/FftChartSetup.h"

#include <algorithm>
#include <array>
#include <charconv>

void SetupBackdrop(CChartState& state)
{
    sChartBackdrop& backdrop = state.Backdrop();
    backdrop.frame.style = 3;
    backdrop.frame.width = 0.0f;
    backdrop.fill.style = 1;
    backdrop.fill.brush.style = 1;
    backdrop.fill.brush.fillColor.Set(240, 240, 240);
}

void SetAxisTitle(sChartAxis& axis, const std::string& text, long orientation)
{
    axis.title.text = text;
    axis.title.fontSize = 10.0f;
    axis.title.orientation = orientation;
}

void SetupValueAxis(CChartState& state, const std::string& title, double maximum, short majorDivision)
{
    sChartAxis& y = state.Axis(kAxisY);
    SetAxisTitle(y, title, 2);
    y.valueScale.automatic = false;
    y.valueScale.minimum = 0.0;
    y.valueScale.maximum = maximum;
    y.valueScale.majorDivision = majorDivision;
    state.Axis(kAxisY2).hide = true;
}

std::string FormatChartValue(double value)
{
    char text[400];  // "%f" of the largest double needs 316 characters
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, result.ptr);
}

namespace FftChart {

namespace {

constexpr std::array<sRgb, 4> kBandColours{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}}};
constexpr std::array<sRgb, 4> kBandLabelColours{{{128, 0, 0}, {0, 128, 0}, {0, 0, 128}, {192, 192, 0}}};
constexpr std::array<const char*, 4> kBandLegend{"δ波(1-4Hz)", "θ波(4-8Hz)", "α波(8-12Hz)", "β波(12-40Hz)"};

std::size_t BandIndex(int series)
{
    return static_cast<std::size_t>(std::clamp(series, 1, 4) - 1);
}

void SetColour(sChartColor& colour, const sRgb& rgb)
{
    colour.Set(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

sRgb BandColour(int series)
{
    return kBandColours[BandIndex(series)];
}

sRgb BandLabelColour(int series)
{
    return kBandLabelColours[BandIndex(series)];
}

void SetupAxes(CChartState& state, const std::string& axisTitle, double verticalMax)
{
    SetupValueAxis(state, axisTitle, verticalMax, 5);
}

void SetupData(CChartState& state, const std::string& title, const CChartValues<float>& values)
{
    const int count = values.GetCount();
    CChartDataGrid grid(1, count + 1);
    grid.SetCell(1, 1, title);
    for (int i = 0; i < count; ++i)
        grid.SetCell(1, i + 2, FormatChartValue(values.Value(i)));
    state.SetChartData(std::move(grid));
}

void ColourBandSeries(CChartState& state, int count)
{
    for (int s = 1; s <= count; ++s) {
        sChartSeries& series = state.Series(s);
        series.brush.style = 1;
        SetColour(series.brush.fillColor, BandColour(s));
        SetColour(series.dataPointLabel.fontColor, BandLabelColour(s));
        series.dataPointLabel.locationType = 1;
    }
}

void SetBandLegend(CChartState& state)
{
    for (int c = 1; c <= 4; ++c) {
        state.SetColumn(static_cast<short>(c));
        state.SetColumnLabel(kBandLegend[static_cast<std::size_t>(c - 1)]);
    }
    state.SetShowLegend(true);
}

sRgb BinColour(int bar, int binsPerHz)
{
    const long long i = bar;
    const long long b = binsPerHz;
    if (i <= b)
        return {128, 128, 128};
    if (i <= 4 * b)
        return kBandColours[0];
    if (i <= 8 * b)
        return kBandColours[1];
    if (i <= 12 * b)
        return kBandColours[2];
    return kBandColours[3];
}

void ColourBarsByBand(CChartState& state, int count, int binsPerHz)
{
    for (int s = 1; s <= count; ++s) {
        sChartSeries& series = state.Series(s);
        series.brush.style = 1;
        series.dataPointLabel.locationType = 0;
        SetColour(series.brush.fillColor, BinColour(s, binsPerHz));
    }
}

}  // namespace FftChart
