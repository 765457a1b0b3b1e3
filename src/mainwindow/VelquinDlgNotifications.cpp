// The receiver link's notifications: posted as events by the link's threads, handled here
// on the window's thread one at a time in posting order, each by its row of the table.
#include "mainwindow/VelquinDlg.h"

#include <algorithm>

// A reaction is either a handler of its own, or Stop, Close and an error box in this order
// (each only where the row asks for it).
struct CVelquinDlg::sReceiverReaction {
    int code;
    void (CVelquinDlg::*handler)();
    bool stop;
    bool close;
    int error;  // error number to show; -1 for none
};

const std::vector<CVelquinDlg::sReceiverReaction>& CVelquinDlg::ReceiverReactions()
{
    using D = CVelquinDlg;
    static const std::vector<sReceiverReaction> reactions = {
        {kLinkConnectReply, &D::OnWmConnectReply, false, false, -1},
        {kLinkNameAccepted, &D::OnNameReply, false, false, -1},
        {kLinkNameRefused, nullptr, true, true, 2},
        {kLinkUnused4, nullptr, false, false, -1},
        {kLinkStartRefused, nullptr, true, true, 2},
        {kLinkReplyTimeout, nullptr, true, true, 1},
        {kLinkNoDataAfterStart, &D::OnNoDataAfterStart, false, false, -1},
        {kLinkStep4Accepted, &D::OnCommand4Reply, false, false, -1},
        {kLinkStep4Refused, nullptr, true, true, 2},
        {kLinkCardInfo, &D::OnCardInfo, false, false, -1},
        {kLinkCardInfoError, &D::OnCardInfoError, false, false, -1},
        {kLinkTransmitterOk, nullptr, false, true, 5},
        {kLinkTransmitterNg, nullptr, false, true, 2},
        {kLinkStopAccepted, nullptr, false, true, -1},
        {kLinkStopRefused, &D::SendCommand8, false, false, -1},
        {kLinkStopTimeout, &D::SendCommand8, false, false, -1},
        {kLinkStop2Accepted, nullptr, false, true, -1},
        {kLinkStop2Refused, nullptr, true, true, -1},
        {kLinkStop2Timeout, nullptr, true, true, -1},
        {kLinkNoData, &D::OnDataStopped, false, false, -1},
        {kLinkFirstData, &D::OnMeasurementStarted, false, false, -1},
        {kLinkNewFrame, &D::OnNewFrameNotification, false, false, -1},
        {kLinkUnused23, nullptr, true, true, 9},
        {kLinkCommandWritten, nullptr, false, false, -1},
        {kLinkLateFrame, &D::OnLateFrameNotification, false, false, -1},
        {kLinkTransmitterReset, nullptr, true, true, 19},
    };
    return reactions;
}

bool CVelquinDlg::event(QEvent* event)
{
    if (event->type() == CReceiverEvent::EventType()) {
        const auto* notification = static_cast<CReceiverEvent*>(event);
        OnReceiverNotification(notification->Code(), notification->Generation());
        return true;
    }
    return QMainWindow::event(event);
}

void CVelquinDlg::OnReceiverNotification(int code, std::uint32_t generation)
{
    // Once closing has begun nothing more comes from the link; and an event of a link that
    // has been closed since (an older generation) belongs to a measurement that has ended.
    if (m_bClosing || !m_pWaveIo || generation != m_pWaveIo->GetGeneration())
        return;
    const auto& reactions = ReceiverReactions();
    const auto row = std::find_if(reactions.begin(), reactions.end(),
                                  [code](const sReceiverReaction& r) { return r.code == code; });
    if (row == reactions.end())
        return;
    if (row->handler) {
        (this->*(row->handler))();
        return;
    }
    if (row->stop)
        StopMeasurement();
    if (row->close)
        CloseMeasurement();
    if (row->error >= 0)
        ShowError(row->error);
}

void CVelquinDlg::OnDataStopped()
{
    UpdateStatusBar();
}
