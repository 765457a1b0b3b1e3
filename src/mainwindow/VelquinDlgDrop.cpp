// A file dropped on the window is opened for review: exactly one local file, while the window
// is not closing and the receiver is not in use (talking or measuring). The window only reads
// the file, so the source is told it was copied, or linked where it offers no copy, never
// moved: a source told "moved" may delete its original. A drag the window will not take is
// refused from its start, so that the desktop shows it cannot be dropped.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::dragEnterEvent(QDragEnterEvent* event)
{
    AnswerDrag(*event);
}

void CVelquinDlg::dragMoveEvent(QDragMoveEvent* event)
{
    AnswerDrag(*event);
}

void CVelquinDlg::dropEvent(QDropEvent* event)
{
    if (AnswerDrag(*event))
        OpenEdfPath(event->mimeData()->urls().front().toLocalFile());
}

bool CVelquinDlg::AnswerDrag(QDropEvent& event) const
{
    const Qt::DropAction action = DropActionFor(event);
    if (action == Qt::IgnoreAction) {
        event.ignore();
        return false;
    }
    event.setDropAction(action);
    event.accept();
    return true;
}

Qt::DropAction CVelquinDlg::DropActionFor(const QDropEvent& event) const
{
    if (m_bClosing || m_nMode == kModeMeasuring || m_nMode == kModeTalking)
        return Qt::IgnoreAction;
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return Qt::IgnoreAction;
    if (event.possibleActions() & Qt::CopyAction)
        return Qt::CopyAction;
    if (event.possibleActions() & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}
