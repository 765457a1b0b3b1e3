#include "display/EpochChartSetup.h"

#include <utility>

#include "display/FftChartSetup.h"

namespace EpochChart {

const sStyle kHypnogramStyle{5.0, 1, 5, true, true, {"Wake", "REM", "Light", "Deep"}};
const sStyle kBandTrendStyle{100.0, 5, 0, false, false, {"δ波(1-4Hz)", "θ波(4-8Hz)", "α波(8-12Hz)", "β波(12-40Hz)"}};

std::string FormatClock(std::time_t time)
{
    std::tm local{};
    char text[16] = "";
    if (localtime_r(&time, &local) == nullptr || std::strftime(text, sizeof text, "%H:%M", &local) == 0)
        return {};
    return text;
}

void SetupAxes(CChartState& state, const sStyle& style, const std::string& xTitle, const std::string& yTitle)
{
    SetupValueAxis(state, yTitle, style.yMaximum, style.yMajorDivision);
    sChartAxis& y = state.Axis(kAxisY);
    if (style.yMinorDivision > 0)
        y.valueScale.minorDivision = style.yMinorDivision;
    if (style.dottedGrid)
        y.majorPenStyle = 3;

    sChartAxis& x = state.Axis(kAxisX);
    SetAxisTitle(x, xTitle, 0);
    x.categoryScale.automatic = false;
    x.categoryScale.divisionsPerLabel = 20;
    x.categoryScale.divisionsPerTick = 120;
}

void SetupData(CChartState& state, const CChartValues<std::int32_t>& values, std::time_t startTime)
{
    const int count = values.GetCount();
    CChartDataGrid grid(count, 1 + kStageCount);
    for (int i = 0; i < count; ++i) {
        const int row = i + 1;
        grid.SetCell(row, 1, FormatClock(startTime + static_cast<std::time_t>(i) * kEpochSeconds));
        const std::int32_t code = values.Value(i);
        if (code >= 1 && code <= kStageCount)
            grid.SetCell(row, 2 + (kStageCount - code), std::to_string(code));
    }
    state.SetChartData(std::move(grid));
}

void SetSeriesColours(CChartState& state)
{
    static constexpr int kColours[kStageCount][3] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 0, 255}};
    for (int s = 1; s <= kStageCount; ++s) {
        sChartSeries& series = state.Series(s);
        series.brush.style = 1;
        series.brush.fillColor.Set(kColours[s - 1][0], kColours[s - 1][1], kColours[s - 1][2]);
    }
}

void SetLegend(CChartState& state, const sStyle& style)
{
    for (int c = 1; c <= kStageCount; ++c) {
        state.SetColumn(static_cast<short>(c));
        state.SetColumnLabel(style.legend[static_cast<std::size_t>(c - 1)]);
    }
    state.SetShowLegend(true);
}

}  // namespace EpochChart
