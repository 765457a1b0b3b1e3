#pragma once
// The band-trend chart: the hypnogram's epoch layout on a 0–100 % axis under the band legend.

#include "display/EpochMSChart.h"

class CFftTrendMSChart : public CEpochMSChart {
    Q_OBJECT
public:
    explicit CFftTrendMSChart(QWidget* parent = nullptr);

    // count zero codes, the y title "％", and the start time set to now.
    void InitData();
};
