// The review cursor, placed by a click into either graph, and the scroll bar under the
// graphs, which moves the shown part of the file second by second or page by page.
#include <QMouseEvent>
#include <QScrollBar>

#include "mainwindow/ClientArea.h"
#include "mainwindow/VelquinDlg.h"
#include "mainwindow/review/ReviewView.h"
#include "platform/qt/ScrollInfo.h"

namespace {

// A press counts on a graph that is shown and whose rectangle holds the point (left and
// top edges inside, right and bottom edges outside).
bool GraphHit(const QWidget* graph, const QPoint& point)
{
    return graph->isVisible() && graph->geometry().contains(point);
}

eScrollCode ScrollCodeOf(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        return eScrollCode::LineLeft;
    case QAbstractSlider::SliderSingleStepAdd:
        return eScrollCode::LineRight;
    case QAbstractSlider::SliderPageStepSub:
        return eScrollCode::PageLeft;
    case QAbstractSlider::SliderPageStepAdd:
        return eScrollCode::PageRight;
    case QAbstractSlider::SliderMove:  // the thumb dragged, or the wheel turned
        return eScrollCode::ThumbTrack;
    default:  // to the first or last position (Home, End): the position stays
        return eScrollCode::Other;
    }
}

}  // namespace

void CClientArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_owner->OnLButtonDown(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void CVelquinDlg::OnLButtonDown(const QPoint& point)
{
    if (!IsReviewMode())
        return;
    for (CRealTimeGraph* graph : {m_graphEeg, m_graphEmg})
        if (GraphHit(graph, point))
            PlaceReviewCursor(graph, point);
}

// Both graphs show the cursor at the clicked column, whichever graph was clicked.
void CVelquinDlg::PlaceReviewCursor(CRealTimeGraph* clicked, const QPoint& point)
{
    const int x = point.x() - clicked->geometry().left();
    m_graphEeg->SetCursorPixel(x, 1);
    m_graphEmg->SetCursorPixel(x, 1);
    m_graphEeg->UpdateCursorFraction();
    m_graphEmg->UpdateCursorFraction();
    m_dCursorFraction = clicked->GetCursorFraction();
    m_nCursorSecond = CursorSecond(m_nFirstSecond, m_nTimeRange, m_dCursorFraction);
}

void CVelquinDlg::SetGraphsCursorFraction(double fraction)
{
    m_graphEeg->SetCursorFraction(fraction, 1);
    m_graphEmg->SetCursorFraction(fraction, 1);
}

// Every action of the bar, by key, mouse or wheel, comes here before the bar moves: the new
// position is computed and held to the file, the shown part follows it. Drawing waits for
// the end of the burst: many actions in a row draw once.
void CVelquinDlg::OnHScroll(int action)
{
    const sScrollInfo info = GetScrollInfo(m_scrollBar);
    const int position = ScrollPosition(ScrollCodeOf(action), info.pos, m_scrollBar->sliderPosition(), info.min,
                                        info.max, info.page);
    m_scrollBar->setSliderPosition(position);
    m_nFirstSecond = position;
    m_nCursorSecond = CursorSecond(m_nFirstSecond, m_nTimeRange, m_dCursorFraction);
    ScheduleReviewRedraw();
}

void CVelquinDlg::ScheduleReviewRedraw()
{
    if (m_bReviewRedrawPending)
        return;
    m_bReviewRedrawPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_bReviewRedrawPending && !m_bClosing)
                RedrawReview();
        },
        Qt::QueuedConnection);
}
