#include "display/FftTrendMSChart.h"

namespace {

constexpr int kPlotLeftTwips = 130;

}  // namespace

CFftTrendMSChart::CFftTrendMSChart(QWidget* parent)
    : CEpochMSChart(EpochChart::kBandTrendStyle, kPlotLeftTwips, parent)
{
    InitData();
}

void CFftTrendMSChart::InitData()
{
    m_values.InitData();
    m_strXTitle.clear();
    m_strYTitle = "％";  // full-width percent sign
    m_startTime = std::time(nullptr);
}
