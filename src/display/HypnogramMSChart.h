#pragma once
// The hypnogram: sleep stages per 30-second epoch, Wake, REM, Light and Deep each as its
// own coloured series at the height of its code, under clock-time labels.

#include "display/EpochMSChart.h"

class CHypnogramMSChart : public CEpochMSChart {
    Q_OBJECT
public:
    explicit CHypnogramMSChart(QWidget* parent = nullptr);

    // count zero codes, the x title "睡眠経過", and the plot narrowing for the next update.
    void InitData();

protected:
    int TakePlotWidthCorrection() override;

private:
    int m_nPlotWidthCorrection = 0;  // twips
};
