#pragma once
// What the hypnogram and band-trend charts send to the chart control at each update: one
// row per 30-second epoch labelled with its clock time, and one series per sleep stage
// drawn at the height of its code. Plain C++ on the control's state.

#include <array>
#include <cstdint>
#include <ctime>
#include <string>

#include "display/ChartState.h"
#include "display/ChartValues.h"

namespace EpochChart {

inline constexpr int kEpochSeconds = 30;
inline constexpr int kStageCount = 4;  // series 1..4: codes 4 Wake, 3 REM, 2 Light, 1 Deep

// How the two charts differ on the y axis and in the legend.
struct sStyle {
    double yMaximum;
    short yMajorDivision;
    short yMinorDivision;  // 0: left as the control has it
    bool dottedGrid;       // dotted grid lines across the y axis
    bool stageColours;     // Wake, REM, Light and Deep in their own colours
    std::array<const char*, kStageCount> legend;
};

extern const sStyle kHypnogramStyle;
extern const sStyle kBandTrendStyle;

// Titles, y scale from 0, no second y axis, a category label every 20 epochs and a tick
// every 120.
void SetupAxes(CChartState& state, const sStyle& style, const std::string& xTitle, const std::string& yTitle);
// count rows × 5 columns: "%H:%M" of the epoch's local start time, then the stage's own code
// in its column and "" elsewhere. Codes other than 1..4 leave the row without a point.
void SetupData(CChartState& state, const CChartValues<std::int32_t>& values, std::time_t startTime);
// Wake red, REM yellow, Light green, Deep blue.
void SetSeriesColours(CChartState& state);
// Legend texts of the four series, legend shown.
void SetLegend(CChartState& state, const sStyle& style);

// "%H:%M" of a local time.
std::string FormatClock(std::time_t time);

}  // namespace EpochChart
