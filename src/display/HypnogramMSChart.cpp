#include "display/HypnogramMSChart.h"

namespace {

constexpr int kPlotLeftTwips = 1000;
// Narrows the plot on the first update after InitData, so its right edge lines up with the
// band-trend chart's wider legend.
constexpr int kPlotWidthCorrectionTwips = -720;

}  // namespace

CHypnogramMSChart::CHypnogramMSChart(QWidget* parent)
    : CEpochMSChart(EpochChart::kHypnogramStyle, kPlotLeftTwips, parent)
{
    InitData();
}

void CHypnogramMSChart::InitData()
{
    m_values.InitData();
    m_strXTitle = "睡眠経過";
    m_strYTitle.clear();
    m_nPlotWidthCorrection = kPlotWidthCorrectionTwips;
}

int CHypnogramMSChart::TakePlotWidthCorrection()
{
    const int correction = m_nPlotWidthCorrection;
    m_nPlotWidthCorrection = 0;
    return correction;
}
