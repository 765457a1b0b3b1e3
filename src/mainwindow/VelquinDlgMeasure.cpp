// The command side of a measurement: Start (port, confirmation, connect), the handshake
// steps that the receiver's replies drive, the no-data fallback, the memory-card query,
// Stop with its one retry, and the close step that every end of a measurement runs.
// Each step sets mode 1, hands one command to the façade and returns; the reply comes back
// as a notification (VelquinDlgNotifications.cpp).
#include "mainwindow/VelquinDlg.h"
#include "receiver/CommandWait.h"
#include "resources/MainWindowTexts.h"

// One command step: mode 1, then the command to the façade; when it cannot be handed to the
// port, the close step and error 1. True when the command was sent.
bool CVelquinDlg::SendStep(int (IWaveIo::*command)())
{
    SetMode(kModeTalking);
    if ((m_pWaveIo.get()->*command)() == 1)
        return true;
    CloseMeasurement();
    ShowError(1);
    return false;
}

void CVelquinDlg::OnBnClickedStart()
{
    if (m_pWaveIo->GetPortName().empty()) {
        CloseMeasurement();
        if (m_services.dialogs->RunCommunicationSetting(this, *m_pWaveIo) != IDOK) {
            ShowError(0);
            return;
        }
        if (m_pWaveIo->GetPortName().empty()) {
            ShowError(0);
            return;
        }
        ClearGraphs();
        UpdateTitle();
    }
    StartMeasurement();
}

void CVelquinDlg::StartMeasurement()
{
    switch (ConfirmSavedFileSettings()) {
    case IDNO:
        m_services.dialogs->RunSavedFileSetting(this, m_waveLog);
        break;
    case IDYES:
        SendStep(&IWaveIo::Connect);
        break;
    default:
        break;
    }
}

// Posted for an acknowledged and for a refused reply to the opening command alike.
void CVelquinDlg::OnWmConnectReply()
{
    OnReceiverConnected();
}

void CVelquinDlg::OnReceiverConnected()
{
    if (!SendStep(&IWaveIo::RequestVersion))
        return;
    if (WaitForCommandReply(*m_pWaveIo, m_services.replyWaitLimit) == kStateFailed) {
        CloseMeasurement();
        ShowError(1);
        return;
    }
    SendStep(&IWaveIo::RequestName);
}

void CVelquinDlg::OnNameReply()
{
    const int family = m_pWaveIo->GetModelType();
    if (family == kModelCurrent) {
        SendStartMeasurement();
        return;
    }
    StopMeasurement();
    CloseMeasurement();
    ShowError(family == kModelOlder ? 4 : 3);
}

void CVelquinDlg::SendStartMeasurement()
{
    SendStep(&IWaveIo::StartMeasurement);
}

void CVelquinDlg::OnNoDataAfterStart()
{
    SendCommand4();
}

void CVelquinDlg::SendCommand4()
{
    SendStep(&IWaveIo::SendCommand4);
}

void CVelquinDlg::OnCommand4Reply()
{
    SendCommand6();
}

void CVelquinDlg::SendCommand6()
{
    SendStep(&IWaveIo::SendCommand6);
}

void CVelquinDlg::OnCommand32855()
{
    RequestCardInfo();
}

void CVelquinDlg::RequestCardInfo()
{
    SetMode(kModeTalking);
    if (m_pWaveIo->OpenAndReceive() != 1) {
        CloseMeasurement();
        ShowError(0);
        return;
    }
    if (m_pWaveIo->RequestCardInfo() != 1) {
        CloseMeasurement();
        ShowError(1);
    }
}

void CVelquinDlg::OnCardInfo()
{
    // Read before the close, which ends the link that holds them.
    const int total = m_pWaveIo->GetCardTotalMb();
    const int free = m_pWaveIo->GetCardFreeMb();
    CloseMeasurement();
    Prompt(QString::asprintf(kFormatCardInfo, total, free), ePromptButtons::Ok, ePromptIcon::Information);
}

void CVelquinDlg::OnCardInfoError()
{
    const int code = m_pWaveIo->GetCardErrorCode();
    CloseMeasurement();
    ShowError(code == kCardNotInserted ? 6 : code == kCardUnreadable ? 7 : 8);
}

void CVelquinDlg::OnBnClickedStop()
{
    StopMeasurement();
}

// 1 when the stop command was sent; 0 when it could not be, after closing and the error box.
int CVelquinDlg::StopMeasurement()
{
    return SendStep(&IWaveIo::SendCommand7) ? 1 : 0;
}

void CVelquinDlg::SendCommand8()
{
    SendStep(&IWaveIo::SendCommand8);
}

// Port and files are both closed, whatever the other reports: each is released even when
// its close fails, so the window goes back to idle and can start again (with another
// folder, say) after the error. Error 11 tells that the port could not be closed; the
// caller's error follows; a recording file that could not be brought to the disk, closed or
// put back shows error 13, once: not again where the caller's error is already about the
// files (12, 13). A file that could not be put back is tried once more when the user has
// closed the box, so that one who made room meanwhile keeps the recording.
void CVelquinDlg::CloseMeasurement(int error)
{
    const bool linkClosed = m_pWaveIo->Disconnect() == 1;
    const bool filesClosed = m_waveLog.Close() == 1;
    SetMode(kModeIdle);
    if (!linkClosed)
        ShowError(11);
    if (error >= 0)
        ShowError(error);
    if (filesClosed)
        return;
    if (error != 12 && error != 13)
        ShowError(13);
    m_waveLog.Close();
}
