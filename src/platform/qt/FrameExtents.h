#pragma once
// The frame a window manager puts around a top-level window on X, as it announces it on the
// window (_NET_FRAME_EXTENTS). Qt works the frame out from the window's parents, which can be
// wrong while the manager is still building its frame and stay wrong afterwards; the
// announced extents are what the manager itself says. Also the maximised state the manager
// holds the window in, which Qt knows only when it is maximised both ways.

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
