// The time range both graphs show: the axis of each range, the sweep length in real time,
// the shown part of the file in review (the cursor stays on its second), and zooming by
// the plus and minus keys through the fifteen fixed steps.
#include <array>

#include "mainwindow/VelquinDlg.h"

namespace {

struct sRangeAxis {
    int seconds;
    const char* unit;
    double xMax;
    int innerGridLines;
    const char* format;
};

constexpr std::array<sRangeAxis, 15> kRangeAxes = {{
    {2, "[秒]", 2, 3, "%1.1f"},
    {5, "[秒]", 5, 4, "%2.0f"},
    {10, "[秒]", 10, 4, "%2.0f"},
    {15, "[秒]", 15, 2, "%2.0f"},
    {30, "[秒]", 30, 5, "%2.0f"},
    {60, "[秒]", 60, 5, "%2.0f"},
    {120, "[分]", 2, 3, "%1.1f"},
    {300, "[分]", 5, 4, "%2.0f"},
    {600, "[分]", 10, 4, "%2.0f"},
    {900, "[分]", 15, 2, "%2.0f"},
    {1800, "[分]", 30, 5, "%2.0f"},
    {3600, "[分]", 60, 5, "%2.0f"},
    {7200, "[時間]", 2, 3, "%1.1f"},
    {10800, "[時間]", 3, 5, "%1.1f"},
    {14400, "[時間]", 4, 3, "%2.0f"},
}};

// Any other range (the whole file): seconds from 0 to the range, no inner grid lines.
sRangeAxis AxisFor(int seconds)
{
    for (const sRangeAxis& axis : kRangeAxes)
        if (axis.seconds == seconds)
            return axis;
    return {seconds, "[秒]", static_cast<double>(seconds), 0, "%2.0f"};
}

// Index of a fixed step, or -1.
int StepIndex(int seconds)
{
    for (size_t i = 0; i < kRangeAxes.size(); ++i)
        if (kRangeAxes[i].seconds == seconds)
            return static_cast<int>(i);
    return -1;
}

// Real time offers the steps up to 2 minutes.
constexpr int kLongestLiveRange = 120;
constexpr int kZoomInFallback = 60;

}  // namespace

void CVelquinDlg::SetTimeRange(int seconds)
{
    m_nTimeRange = seconds;
    CRealTimeGraph* const graphs[2] = {m_graphEeg, m_graphEmg};
    const sRangeAxis axis = AxisFor(seconds);
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
        for (CRealTimeGraph* g : graphs)
            g->SetSize(seconds * m_nSampleRate, 1);
        return;
    }

    // Keep the cursor on its second of the file, and where possible at its place on screen.
    const int first = m_nCursorSecond - static_cast<int>(seconds * m_dCursorFraction);
    m_nFirstSecond = first;
    if (first < 0) {
        m_nFirstSecond = 0;
        m_dCursorFraction = static_cast<double>(m_nCursorSecond - 0) / seconds;
        for (CRealTimeGraph* g : graphs)
            g->SetCursorFraction(m_dCursorFraction, 1);
    }
    if (m_nFirstSecond + seconds > m_nReviewSeconds) {
        m_nFirstSecond = m_nReviewSeconds - seconds;
        m_dCursorFraction = static_cast<double>(m_nCursorSecond - m_nFirstSecond) / seconds;
        for (CRealTimeGraph* g : graphs)
            g->SetCursorFraction(m_dCursorFraction, 1);
    }
    m_bShowAll = seconds == m_nReviewSeconds ? 1 : 0;
    SetReviewScrollRange(m_nFirstSecond);
    RedrawReview();
}

void CVelquinDlg::ZoomOut()
{
    const int step = StepIndex(m_nTimeRange);
    if (!IsReviewMode()) {
        if (step >= 0 && m_nTimeRange < kLongestLiveRange)
            SetTimeRange(kRangeAxes[static_cast<size_t>(step) + 1].seconds);
        return;
    }
    if (step < 0)
        return;
    // In review the range never grows past the file; after the longest step comes the file.
    const int last = static_cast<int>(kRangeAxes.size()) - 1;
    const int next = step < last ? kRangeAxes[static_cast<size_t>(step) + 1].seconds : m_nReviewSeconds;
    SetTimeRange(std::min(next, m_nReviewSeconds));
}

void CVelquinDlg::ZoomIn()
{
    const int step = StepIndex(m_nTimeRange);
    if (!IsReviewMode()) {
        if (step == 0)
            return;
        if (step > 0 && m_nTimeRange <= kLongestLiveRange)
            SetTimeRange(kRangeAxes[static_cast<size_t>(step) - 1].seconds);
        else
            SetTimeRange(kZoomInFallback);
        return;
    }
    if (step == 0)
        return;
    if (step > 0) {
        SetTimeRange(kRangeAxes[static_cast<size_t>(step) - 1].seconds);
        return;
    }
    // Another range (the whole file): the longest step shorter than it.
    int shorter = -1;
    for (const sRangeAxis& axis : kRangeAxes)
        if (axis.seconds < m_nTimeRange)
            shorter = axis.seconds;
    if (shorter > 0)
        SetTimeRange(shorter);
}
