// The time range both graphs show: the axis of each range, the sweep length in real time,
// the shown part of the file in review (the cursor stays on its second), zooming by the
// plus and minus keys, and the sixteen time-range commands of both menus.
#include "mainwindow/VelquinDlg.h"
#include "mainwindow/review/ReviewView.h"
#include "resources/MenuTables.h"

void CVelquinDlg::SetTimeRange(int seconds)
{
    ApplyTimeRange(seconds, true);
}

// resizeRings is false only while a file is loaded: the live sweep rings keep their length
// then, since review hands the graphs the file's slices directly.
void CVelquinDlg::ApplyTimeRange(int seconds, bool resizeRings)
{
    if (seconds < 1)
        return;
    // In review no range is longer than the file, so the shown part stays inside it.
    if (IsReviewMode() && seconds > m_nReviewSeconds)
        seconds = m_nReviewSeconds;
    m_nTimeRange = seconds;
    CRealTimeGraph* const graphs[2] = {m_graphEeg, m_graphEmg};
    const sRangeAxis axis = RangeAxisFor(seconds);
    for (CRealTimeGraph* g : graphs)
        g->SetXMin(0.0, 0);
    for (CRealTimeGraph* g : graphs)
        g->SetXLabel(QString::fromUtf8(axis.unit), 0);
    for (CRealTimeGraph* g : graphs)
        g->SetXMax(axis.xMax, 0);
    for (CRealTimeGraph* g : graphs)
        g->SetXGridCount(axis.innerGridLines, 0);
    for (CRealTimeGraph* g : graphs)
        g->SetXFormat(QString::fromUtf8(axis.format), 0);

    if (!IsReviewMode()) {
        if (resizeRings)
            for (CRealTimeGraph* g : graphs)
                g->SetSize(seconds * m_nSampleRate, 1);
        return;
    }

    sReviewWindow window{m_nFirstSecond, m_dCursorFraction, m_nCursorSecond};
    const bool cursorMoved = ApplyRangeKeepingCursor(window, seconds, m_nReviewSeconds);
    m_nFirstSecond = window.firstSecond;
    m_dCursorFraction = window.cursorFraction;
    if (cursorMoved)
        SetGraphsCursorFraction(m_dCursorFraction);
    m_bShowAll = seconds == m_nReviewSeconds ? 1 : 0;
    SetReviewScrollRange(m_nFirstSecond);
    RedrawReview();
}

void CVelquinDlg::ZoomOut()
{
    if (const int range = ZoomOutRange(m_nTimeRange, IsReviewMode(), m_nReviewSeconds))
        SetTimeRange(range);
}

void CVelquinDlg::ZoomIn()
{
    if (const int range = ZoomInRange(m_nTimeRange, IsReviewMode()))
        SetTimeRange(range);
}

// A time-range command of either menu; false when id is none. "ALL" gives the length of
// the file reviewed last, and does nothing before any file was opened.
bool CVelquinDlg::OnTimeRangeCommand(int id)
{
    for (const sTimeRangeCommand& c : kTimeRangeCommands) {
        if (id != c.mainId && id != c.contextId)
            continue;
        if (c.seconds > 0)
            SetTimeRange(c.seconds);
        else if (m_nReviewSeconds != 0)
            SetTimeRange(m_nReviewSeconds);
        return true;
    }
    return false;
}
