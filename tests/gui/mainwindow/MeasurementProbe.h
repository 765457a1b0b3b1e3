#pragma once
// Friend of the main window for the measurement's tests: the position list, the recording
// manager, the graphs and the spectrum chart.

#include <ctime>
#include <vector>

#include "mainwindow/VelquinDlg.h"

class CMeasurementProbe {
public:
    explicit CMeasurementProbe(CVelquinDlg& dlg) : d(dlg) {}

    const std::vector<sDataFilePosition>& Positions() const { return d.m_filePositions; }
    CWaveLog& WaveLog() { return d.m_waveLog; }
    IWaveIo* WaveIo() const { return d.m_pWaveIo.get(); }
    CRealTimeGraph* GraphEeg() const { return d.m_graphEeg; }
    CRealTimeGraph* GraphEmg() const { return d.m_graphEmg; }
    CFftMSChart* ChartFft() const { return d.m_chartFft; }
    std::time_t StartTime() const { return d.m_startTime; }
    QColor StatusColour() const { return d.m_crStatus; }
    int TimeRange() const { return d.m_nTimeRange; }

private:
    CVelquinDlg& d;
};
