#pragma once
// What the spectrum chart sends to the chart control at each update, step by step. Plain
// C++ on the control's state, so it is checked without drawing. SetupBackdrop and
// FormatChartValue serve the epoch charts too.

#include <string>

#include "display/ChartState.h"
#include "display/ChartValues.h"

// Steps shared by the three charts' updates.

// Thick inner frame of width 0 (no visible frame) and a solid light grey fill.
void SetupBackdrop(CChartState& state);

// An axis title in 10 points, in the given orientation.
void SetAxisTitle(sChartAxis& axis, const std::string& text, long orientation);
// The y axis titled (running upward) and scaled from 0 to maximum in majorDivision
// divisions; the second y axis hidden.
void SetupValueAxis(CChartState& state, const std::string& title, double maximum, short majorDivision);

// A value as the data grid holds it: "%f" without the locale (12.5 → "12.500000").
std::string FormatChartValue(double value);

namespace FftChart {

// Count of values that selects the four band bars.
inline constexpr int kBandCount = 4;

struct sRgb {
    int red;
    int green;
    int blue;
    bool operator==(const sRgb&) const = default;
};

// y axis titled and scaled from 0 to the vertical maximum in five divisions; no second y axis.
void SetupAxes(CChartState& state, const std::string& axisTitle, double verticalMax);
// One row labelled with the title; value i in column i + 2.
void SetupData(CChartState& state, const std::string& title, const CChartValues<float>& values);
// Band colours for the bars and darker ones for their value labels above the bars.
void ColourBandSeries(CChartState& state, int count);
// Legend texts of the four bands, legend shown.
void SetBandLegend(CChartState& state);
// Each bin's bar in the colour of the band its frequency falls in; no value labels.
void ColourBarsByBand(CChartState& state, int count, int binsPerHz);

// Colour of bar number bar (from 1) at binsPerHz bins per hertz. A bin exactly on 4, 8 or
// 12 Hz takes the upper band's colour.
sRgb BinColour(int bar, int binsPerHz);
// Bar and label colours of band series (from 1); series past the fourth take beta's.
sRgb BandColour(int series);
sRgb BandLabelColour(int series);

}  // namespace FftChart
