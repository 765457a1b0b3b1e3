// Display settings of the graphs and the spectrum chart: the two voltage ranges, the
// chart's vertical maximum and the two FFT options, and the voltage commands of both menus.
// None of them is stored between runs.
#include "mainwindow/VelquinDlg.h"
#include "resources/MenuTables.h"

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

// The chart takes a new maximum only with its next update; it is sent at once, with the
// values the chart holds, so the new scale shows in every mode, idle included, where no
// data block or review redraw would follow.
void CVelquinDlg::SetFftYMax(double value)
{
    m_dFftYMax = value;
    m_chartFft->SetVerticalMax(value, 1);
    m_chartFft->Update(m_nFftDisplayMode);
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

// A voltage command of either menu; false when id is none. The menu bar's commands name
// their graph and clear the context menu's target; a context-menu command applies to the
// graph the menu was opened over, and to none when no graph was right-clicked since.
bool CVelquinDlg::OnVoltageCommand(int id)
{
    for (const sVoltageCommand& c : kVoltageCommands) {
        if (c.eegId != 0 && id == c.eegId) {
            m_nMenuTargetA = 0;
            m_nMenuTargetB = 0;
            SetEegVoltageRange(c.microvolts);
            return true;
        }
        if (id == c.emgId) {
            m_nMenuTargetA = 0;
            m_nMenuTargetB = 0;
            SetEmgVoltageRange(c.microvolts);
            return true;
        }
        if (id == c.contextId) {
            if (m_nMenuTargetA == 1)
                SetEegVoltageRange(c.microvolts);
            else if (m_nMenuTargetB == 1)
                SetEmgVoltageRange(c.microvolts);
            return true;
        }
    }
    return false;
}
