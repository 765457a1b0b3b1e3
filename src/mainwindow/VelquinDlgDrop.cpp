// A file dropped on the window is opened for review. The drag is welcome in every mode;
// the drop does nothing while the receiver is in use (talking or measuring), nor when more
// than one file or something other than a local file is dropped.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CVelquinDlg::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls())
        return;
    event->acceptProposedAction();
    OnDropFiles(event->mimeData()->urls());
}

void CVelquinDlg::OnDropFiles(const QList<QUrl>& urls)
{
    if (m_bClosing || m_nMode == kModeMeasuring || m_nMode == kModeTalking)
        return;
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    OpenEdfPath(urls.front().toLocalFile());
}
