#include "platform/qt/ScreenArea.h"

#include "platform/qt/X11WindowManager.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <memory>

namespace {

// The window's frame: as the window manager announces it, else as Qt knows it. While a
// manager is still building its frame Qt may give sides of less than nothing: they count as 0.
QMargins FrameMargins(const QWidget& window)
{
    if (const std::optional<QMargins> announced = AnnouncedFrameExtents(window))
        return *announced;
    const QMargins known = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
    return QMargins(std::max(0, known.left()), std::max(0, known.top()), std::max(0, known.right()),
                    std::max(0, known.bottom()));
}

// The size, each side at most what the available area of the window's screen leaves beside its
// frame (but not below the window's minimum); the size itself off any screen.
QSize SizeWithinAvailableArea(const QWidget& window, const QSize& size)
{
    const QScreen* screen = window.screen();
    if (!screen)
        return size;
    return size.boundedTo(screen->availableGeometry().size().shrunkBy(FrameMargins(window)))
        .expandedTo(window.minimumSize());
}

// On Wayland the compositor alone places windows, and only it knows its panels and a frame it
// draws itself: to the program the available area is the whole output.
bool CompositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// What a compositor may take of an output beside what it tells the program: a panel or a dock
// and a title bar of its own drawing (weston's panel and Qt's frame take 65 pixels of height,
// KWin's title bar 37, a Plasma panel and title bar about 80).
constexpr QSize kCompositorReserve(64, 96);

// Fits the window when it opens: when it first shows, and once more when its window manager
// first announces a frame for it, as a manager frames a window only once it is on the screen.
// After that the window's size and place are the user's and the manager's: some managers
// announce a maximised or restored window's new frame before they give it its new size, and a
// fit then would undo what the manager is doing.
class CScreenFit : public QObject {
public:
    explicit CScreenFit(QWidget& window)
        : QObject(&window),
          m_window(window),
          m_frames(std::make_unique<CFrameExtentsWatch>(window, [this] {
              QMetaObject::invokeMethod(this, &CScreenFit::FitOnceFramed, Qt::QueuedConnection);
          }))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous() && !m_shown) {
            m_shown = true;
            Open();
        }
        return false;
    }

private:
    // Where the compositor places windows, the program can fit a window only to the whole
    // output: a window that does not fit the output less what the compositor may keep for
    // itself opens maximised, and the compositor fits it to what is free of the output.
    // Restored, it takes the size fitted to that room, so that it is on the output then too.
    void Open()
    {
        if (!CompositorPlacesWindows()) {
            Fit();
            return;
        }
        const QSize room = m_window.screen()->availableGeometry().size() - kCompositorReserve;
        if (m_window.size().boundedTo(room) == m_window.size())
            return;
        ResizeWithinAvailableArea(m_window, m_window.size().boundedTo(room));
        m_window.setWindowState(m_window.windowState() | Qt::WindowMaximized);
    }

    // The window is on the screen before its frame is known, so with its frame it may fill or
    // overflow the work area one way. A manager may then hold it maximised that way (KWin
    // does), and having no size of its own for it, restore it to a much smaller one after a
    // maximise. The window asks to be held normal at its fitted size instead.
    void FitOnceFramed()
    {
        if (!m_shown || !m_frames)
            return;
        m_frames.reset();
        if (HeldMaximisedOneWay(m_window))
            RequestNormalState(m_window, SizeWithinAvailableArea(m_window, m_window.size()));
        else
            Fit();
    }

    void Fit() { ResizeWithinAvailableArea(m_window, m_window.size()); }

    QWidget& m_window;
    std::unique_ptr<CFrameExtentsWatch> m_frames;  // none once the window has been framed
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
    const QSize fitted = SizeWithinAvailableArea(window, size);
    if (fitted == window.size())
        return;
    // The frame's place, kept inside the area. Before the window is on the screen its position
    // is where its frame is to go. Once it is, the window is placed by its own rectangle, which
    // does not depend on what Qt knows of the frame.
    const bool onScreen = window.windowHandle() && window.windowHandle()->isVisible();
    const QPoint corner(frame.left(), frame.top());
    const QRect outer(onScreen ? window.geometry().topLeft() - corner : window.pos(), fitted.grownBy(frame));
    const QPoint at(std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width())),
                    std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height())));
    if (onScreen) {
        window.setGeometry(QRect(at + corner, fitted));
    } else {
        window.resize(fitted);
        if (at != window.pos())
            window.move(at);
    }
}

void OpenWithinAvailableArea(QWidget& window)
{
    new CScreenFit(window);
}
