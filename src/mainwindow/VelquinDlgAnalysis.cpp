// The analysis view: its two buttons fill the hypnogram and the band-trend chart with a
// fixed stage pattern (no scoring is run) and save nothing. Every mode keeps the view's
// buttons and check box hidden, so the user never reaches them.
#include <algorithm>

#include "mainwindow/AnalysisPattern.h"
#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::OnBnClickedAnalysisStart()
{
    ShowAnalysisPattern();
}

void CVelquinDlg::ShowAnalysisPattern()
{
    // A file refused while loading can leave a negative length: no epochs then.
    const int epochs = std::max(0, m_nReviewSeconds / kAnalysisEpochSeconds);
    m_chartHypnogram->SetCount(epochs);
    m_chartFftTrend->SetCount(epochs);
    m_chartHypnogram->SetStartTime(m_startTime);
    m_chartFftTrend->SetStartTime(m_startTime);
    const std::vector<std::int32_t> codes = AnalysisStagePattern(epochs);
    m_chartHypnogram->SetData(codes);
    m_chartFftTrend->SetData(codes);
    m_chartHypnogram->Update();
    m_chartFftTrend->Update();
}

void CVelquinDlg::OnBnClickedAnalysisSave()
{
    SaveAnalysisResult();
}

void CVelquinDlg::SaveAnalysisResult()
{
}
