// Graph layout: where the graphs, the review row, the charts and the status fields stand,
// the three view commands that mirror the display check boxes, and the scroll-bar reset.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "mainwindow/GraphLayout.h"
#include "mainwindow/VelquinDlg.h"
#include "mainwindow/WindowGeometry.h"
#include "platform/qt/ScrollInfo.h"
#include "resources/ResourceIds.h"

namespace {

QRect ToQRect(const sPixelRect& r)
{
    return QRect(r.left, r.top, r.width, r.height);
}

}  // namespace

void MoveWindowByPercent(QWidget* control, int width, int height, double xPercent, double yPercent,
                         double widthPercent, double heightPercent)
{
    if (!control)
        return;
    control->setGeometry(
        ToQRect(PercentToPixels(width, height, {xPercent, yPercent, widthPercent, heightPercent})));
    control->update();
}

void ResetScrollBar(QScrollBar* bar)
{
    if (!bar)
        return;
    sScrollInfo info = GetScrollInfo(bar);
    info.min = 0;
    info.max = 100;
    info.pos = 0;
    SetScrollInfo(bar, info);
}

void CVelquinDlg::MoveControlPercent(QWidget* control, double x, double y, double w, double h)
{
    if (!control)
        return;
    const QRect client = m_clientArea->rect();
    control->setGeometry(ToQRect(BandToPixels(client.width(), client.height(), {x, y, w, h})));
    control->update();
}

void CVelquinDlg::ArrangeGraphs()
{
    const QRect client = m_clientArea->rect();
    const sGraphChoice choice{m_chkEeg->isChecked(), m_chkEmg->isChecked(), m_chkEegFft->isChecked(),
                              m_chkAnalysis->isChecked()};
    const auto placements = ComputeGraphLayout(client.width(), client.height(), choice, IsReviewMode());

    QWidget* const controls[kLayoutControlCount] = {
        m_graphEeg, m_graphEmg, m_btnLeft, m_scrollBar, m_btnRight,
        m_chartFft, m_chartHypnogram, m_chartFftTrend,
    };
    for (int i = 0; i < kLayoutControlCount; ++i) {
        QWidget* control = controls[i];
        control->setGeometry(ToQRect(placements[i].rect));
        control->update();
        if (placements[i].visibility == eLayoutVisibility::Show)
            control->show();
        else if (placements[i].visibility == eLayoutVisibility::Hide)
            control->hide();
        // A chart that has just been shown is sent its data again.
        if (placements[i].visibility == eLayoutVisibility::Show) {
            if (i == kLayoutFft)
                m_chartFft->Update(m_nFftDisplayMode);
            else if (i == kLayoutHypnogram)
                m_chartHypnogram->Update();
            else if (i == kLayoutFftTrend)
                m_chartFftTrend->Update();
        }
    }
    PlaceStatusFields();
}

void CVelquinDlg::PlaceStatusFields()
{
    const QRect client = m_clientArea->rect();
    const auto rects = StatusFieldRects(client.width(), client.height());
    QLabel* const fields[3] = {m_staticStatusSource, m_staticStatusText, m_staticStatusSpare};
    for (int i = 0; i < 3; ++i) {
        fields[i]->show();
        fields[i]->setGeometry(ToQRect(rects[i]));
    }
}

void CVelquinDlg::OnViewEegGraph()
{
    ToggleViewCommand(kCommandViewEegGraph, m_chkEeg);
}

void CVelquinDlg::OnViewEmgGraph()
{
    ToggleViewCommand(kCommandViewEmgGraph, m_chkEmg);
}

void CVelquinDlg::OnViewEegFft()
{
    ToggleViewCommand(kCommandViewEegFft, m_chkEegFft);
}

// The item's own check mark decides: a checked item is unchecked together with its check
// box, an unchecked one checked, so menu and check box agree after every toggle.
void CVelquinDlg::ToggleViewCommand(int command, QCheckBox* box)
{
    QAction* action = CommandAction(command);
    const bool checked = action && action->isChecked();
    if (action)
        action->setChecked(!checked);
    box->setChecked(!checked);
    ArrangeGraphs();
}
