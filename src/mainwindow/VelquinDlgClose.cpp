// Closing the window: a running measurement is stopped, the link and the recording files
// are closed, the link's threads end, the settings are saved. From the first step on, no
// notification of the link is handled any more.
#include <QApplication>
#include <QCloseEvent>

#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::closeEvent(QCloseEvent* event)
{
    if (m_bClosing) {
        event->accept();
        return;
    }
    m_bClosing = 1;
    if (m_nMode == kModeMeasuring) {
        // The reply to the stop command is not awaited.
        StopMeasurement();
        CloseMeasurement();
    }
    // After Stop, or after a close that failed, the recording files may still be open, or
    // held because they could not be put back: this is their last chance.
    if (m_waveLog.Close() != 1) {
        ShowError(13);
        m_waveLog.Close();
    }
    ReleaseResources();
    SaveSavedFileSettings();
    event->accept();
}

void CVelquinDlg::ReleaseResources()
{
    if (m_released)
        return;
    m_released = true;
    // Deleting the façade closes the port and waits for the link's threads, so nothing can
    // post to this window afterwards; what they posted before is dropped.
    m_pWaveIo.reset();
    QCoreApplication::removePostedEvents(this, CReceiverEvent::EventType());
    ReleaseReviewFile();
    if (m_services.screenSaver)
        m_services.screenSaver->Release();
}

CVelquinDlg::~CVelquinDlg()
{
    qApp->removeEventFilter(this);
    m_bClosing = 1;
    m_waveLog.Close();
    ReleaseResources();
}
