// The data side of a measurement: the first data open the recording files, every new frame
// is shown and stored (missing seconds filled first), a late frame is rewritten in place.
// Each data notification carries its own frame, taken from the link exactly once here.
//
// Showing and storing the blocks (FillGapBlock, OnDataBlock, RewriteLateBlock) comes with
// the measurement work; until then a frame is taken and set aside.
#include <QLineEdit>

#include "mainwindow/TimeText.h"
#include "mainwindow/VelquinDlg.h"
#include "resources/MainWindowTexts.h"

void CVelquinDlg::OnMeasurementStarted()
{
    if (m_waveLog.Open() != 1) {
        StopMeasurement();
        CloseMeasurement();
        ShowError(12);
        return;
    }
    m_filePositions.clear();
    m_waveLog.SetRecorderName(m_pWaveIo->GetReceiverName().c_str());
    ClearGraphs();
    SetMode(kModeMeasuring);
    m_startTime = m_services.now() - 1;
    m_editStartTime->setText(FormatLocalTime(m_startTime, kTextTimeFormat));
}

void CVelquinDlg::OnNewFrameNotification()
{
    if (!m_pWaveIo->TakeFrame(m_frame))
        return;
    if (!m_filePositions.empty()) {
        const int current = m_frame.sequence;
        for (long long s = static_cast<long long>(m_filePositions.back().sequence) + 1; s < current; ++s)
            FillGapBlock();
    }
    OnDataBlock();
}

void CVelquinDlg::OnLateFrameNotification()
{
    if (!m_pWaveIo->TakeFrame(m_frame))
        return;
    RewriteLateBlock();
}

void CVelquinDlg::FillGapBlock()
{
}

void CVelquinDlg::OnDataBlock()
{
}

void CVelquinDlg::RewriteLateBlock()
{
}
