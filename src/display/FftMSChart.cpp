#include "display/FftMSChart.h"

#include "display/FftChartSetup.h"

CFftMSChart::CFftMSChart(QWidget* parent) : CMschart(parent), m_values(FftChart::kBandCount)
{
    InitData();
}

void CFftMSChart::InitData()
{
    m_values.InitData();
    m_strTitle = "脳波FFT";
    m_strAxisTitle = "μV^2";  // Greek mu (U+03BC)
}

void CFftMSChart::SetData(std::span<const float> values)
{
    m_values.SetData(values);
}

void CFftMSChart::SetCount(int count)
{
    m_values.SetCount(count);
}

void CFftMSChart::SetBinsPerHz(int binsPerHz)
{
    m_nBinsPerHz = binsPerHz;
}

void CFftMSChart::SetVerticalMax(double verticalMax, int redraw)
{
    m_dVerticalMax = verticalMax;
    if (redraw == 1)
        Refresh();
}

void CFftMSChart::Update(int /*displayMode*/)
{
    CChartState& state = State();
    SetupBackdrop(state);
    FftChart::SetupAxes(state, m_strAxisTitle, m_dVerticalMax);
    FftChart::SetupData(state, m_strTitle, m_values);
    const int count = m_values.GetCount();
    if (count == FftChart::kBandCount) {
        FftChart::ColourBandSeries(state, count);
        FftChart::SetBandLegend(state);
    } else {
        FftChart::ColourBarsByBand(state, count, m_nBinsPerHz);
        state.SetShowLegend(false);
    }
    Refresh();
}
