// Display settings of the graphs and the spectrum chart: the two voltage ranges, the
// chart's vertical maximum and the two FFT options. None of them is stored between runs.
#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::SetEegVoltageRange(int microvolts)
{
    m_nEegYMax = microvolts;
    m_nEegYMin = -microvolts;
    m_graphEeg->SetYMax(static_cast<double>(m_nEegYMax), 1);
    m_graphEeg->SetYMin(static_cast<double>(m_nEegYMin), 1);
}

void CVelquinDlg::SetEmgVoltageRange(int microvolts)
{
    m_nEmgYMax = microvolts;
    m_nEmgYMin = -microvolts;
    m_graphEmg->SetYMax(static_cast<double>(m_nEmgYMax), 1);
    m_graphEmg->SetYMin(static_cast<double>(m_nEmgYMin), 1);
}

void CVelquinDlg::SetFftYMax(double value)
{
    m_dFftYMax = value;
    m_chartFft->SetVerticalMax(value, 1);
}

void CVelquinDlg::SetFftDisplayMode(int mode)
{
    m_nFftDisplayMode = mode;
    if (IsReviewMode())
        RedrawReview();
}

void CVelquinDlg::SetFftOption(int option)
{
    m_nFftRange = option;
}
