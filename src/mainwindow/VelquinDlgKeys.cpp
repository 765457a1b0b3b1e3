// The window's key filter. It sees every key meant for the window or one of its controls
// before the control does, whatever modifiers are held (Alt+key counts as well):
//   Enter, Escape   swallowed: they never close the window or click a button
//   Left, Right     page through the file in review; swallowed in every mode
//   plus, minus     zoom to the next shorter or longer time range: the keypad's + and -,
//                   and the main keys whose caps carry + or - (with or without Shift, on
//                   the user's keyboard layout)
// Keys typed into menus, message boxes and dialogs are theirs alone.
#include <QKeyEvent>
#include <QMenuBar>

#include "mainwindow/VelquinDlg.h"
#include "platform/qt/KeyboardZoom.h"

bool CVelquinDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    auto* widget = static_cast<QWidget*>(watched);
    // The menu bar's own keyboard navigation stays as it is.
    if (widget->window() != this || widget == menuBar() || menuBar()->isAncestorOf(widget))
        return QMainWindow::eventFilter(watched, event);
    if (HandleWindowKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool CVelquinDlg::HandleWindowKey(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    case Qt::Key_Left:
        if (IsReviewMode())
            PageLeft();
        return true;
    case Qt::Key_Right:
        if (IsReviewMode())
            PageRight();
        return true;
    default:
        break;
    }
    switch (ZoomKeyOf(event)) {
    case eZoomKey::In:
        ZoomIn();
        return true;
    case eZoomKey::Out:
        ZoomOut();
        return true;
    case eZoomKey::None:
        break;
    }
    return false;
}
