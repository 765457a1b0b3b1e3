// The spectrum chart, fed from a spectrum and its band powers: the four band bars, or the
// bins from 0 up to 40 Hz, by the display mode. The measurement and the review both show
// their spectrum this way.
#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::ShowSpectrum(std::span<const float> spectrum, const sBandPowers& bands)
{
    if (m_nFftDisplayMode == 0) {
        const float bars[4] = {static_cast<float>(bands.delta), static_cast<float>(bands.theta),
                               static_cast<float>(bands.alpha), static_cast<float>(bands.beta)};
        m_chartFft->SetCount(4);
        m_chartFft->SetData(bars);
    } else {
        const sDetailBins bins = DetailBins(spectrum.size(), m_nSampleRate);
        m_chartFft->SetBinsPerHz(bins.binsPerHz);
        m_chartFft->SetCount(bins.count);
        m_chartFft->SetData(spectrum);
    }
    m_chartFft->Update(m_nFftDisplayMode);
}
