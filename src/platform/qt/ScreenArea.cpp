#include "platform/qt/ScreenArea.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

QMargins FrameMargins(const QWidget& window)
{
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

// Fits the window when it first shows, and again as it moves or changes size until its frame
// is known: a window manager frames a window only after it is mapped, and the window then
// moves by the frame's width and height.
class COpeningFit : public QObject {
public:
    explicit COpeningFit(QWidget& window) : QObject(&window), m_window(window) { window.installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (!m_shown && !event->spontaneous()) {
                m_shown = true;
                Fit();
            }
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_shown)
                Fit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Fit()
    {
        if (FrameMargins(m_window).isNull()) {
            ResizeWithinAvailableArea(m_window, m_window.size());
            return;
        }
        // The frame is known: this is the last fit, and the window is the user's from here on.
        m_window.removeEventFilter(this);
        deleteLater();
        ResizeWithinAvailableArea(m_window, m_window.size());
    }

    QWidget& m_window;
    bool m_shown = false;
};

}  // namespace

void ResizeWithinAvailableArea(QWidget& window, const QSize& size)
{
    QScreen* screen = window.screen();
    if (!screen)
        return;
    const QMargins frame = FrameMargins(window);
    const QRect area = screen->availableGeometry();
    const QSize fitted = size.boundedTo(area.size().shrunkBy(frame)).expandedTo(window.minimumSize());
    if (fitted == window.size())
        return;
    window.resize(fitted);
    // A window's position is that of its frame.
    const QSize outer = fitted.grownBy(frame);
    const QPoint at(std::max(area.left(), std::min(window.x(), area.right() + 1 - outer.width())),
                    std::max(area.top(), std::min(window.y(), area.bottom() + 1 - outer.height())));
    if (at != window.pos())
        window.move(at);
}

void OpenWithinAvailableArea(QWidget& window)
{
    new COpeningFit(window);
}
