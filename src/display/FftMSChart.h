#pragma once
// The EEG spectrum chart: four band bars (δ, θ, α, β) with a legend and value labels, or
// one thin bar per spectrum bin up to 40 Hz coloured by band. Values are only stored until
// Update sends them, with the titles and the vertical maximum, to the chart control.

#include <span>
#include <string>

#include "display/ChartValues.h"
#include "display/MsChart.h"

class CFftMSChart : public CMschart {
    Q_OBJECT
public:
    explicit CFftMSChart(QWidget* parent = nullptr);

    // count zero values, the title "脳波FFT" and the axis title "μV^2".
    void InitData();
    // Copies count values; a shorter array gives zeros for the rest.
    void SetData(std::span<const float> values);
    // Stores the count only: 4 selects the band bars, bins per Hz × 40 the spectrum.
    void SetCount(int count);
    void SetBinsPerHz(int binsPerHz);
    // Stores the maximum; the control shows it from the next Update. With redraw exactly 1
    // the control repaints at once (still with the scale it holds).
    void SetVerticalMax(double verticalMax, int redraw);
    // Sends the whole state to the control; the layout follows the count alone.
    void Update(int displayMode = 0);

    int GetCount() const { return m_values.GetCount(); }
    int GetBinsPerHz() const { return m_nBinsPerHz; }
    double GetVerticalMax() const { return m_dVerticalMax; }

private:
    CChartValues<float> m_values;
    int m_nBinsPerHz = 1;
    double m_dVerticalMax = 20.0;
    std::string m_strTitle;
    std::string m_strAxisTitle;
};
