#pragma once
// What a window manager on X says and is asked about a top-level window: the frame it puts
// around the window, and the maximised state it holds the window in.
//
// The frame is read as the manager announces it on the window (_NET_FRAME_EXTENTS). Qt works
// the frame out from the window's parents, which can be wrong while the manager is still
// building its frame and stay wrong afterwards; the announced extents are what the manager
// itself says. The maximised state is read from _NET_WM_STATE: Qt knows it only when the
// window is maximised both ways.

#include <QAbstractNativeEventFilter>
#include <QMargins>

#include <functional>
#include <optional>

class QSize;
class QWidget;

// The frame the window manager announces for the window; none off X, without a window
// manager that announces frames, or before it has framed the window.
std::optional<QMargins> AnnouncedFrameExtents(const QWidget& window);

// Whether the window manager holds the window maximised one way only (across or down); false
// off X.
bool HeldMaximisedOneWay(const QWidget& window);

// Asks the window manager to hold the window neither maximised across nor down, and then to
// give it the size (its place stays).
void RequestNormalState(const QWidget& window, const QSize& size);

// Calls changed each time the window manager announces a new frame for the window; changed
// runs inside the handling of an X event, so it should only queue its work.
class CFrameExtentsWatch : public QAbstractNativeEventFilter {
public:
    CFrameExtentsWatch(const QWidget& window, std::function<void()> changed);
    ~CFrameExtentsWatch() override;
    CFrameExtentsWatch(const CFrameExtentsWatch&) = delete;
    CFrameExtentsWatch& operator=(const CFrameExtentsWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    const QWidget& m_window;
    std::function<void()> m_changed;
    unsigned m_atom = 0;
};
