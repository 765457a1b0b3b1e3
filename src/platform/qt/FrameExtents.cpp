#include "platform/qt/FrameExtents.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_connection_t* X11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The atom of _NET_FRAME_EXTENTS (made on the server when no manager has made it yet).
xcb_atom_t FrameExtentsAtom(xcb_connection_t* connection)
{
    static const xcb_atom_t atom = [connection] {
        constexpr const char* kName = "_NET_FRAME_EXTENTS";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kName)), kName),
            nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    }();
    return atom;
}

// The window's X id, 0 while it has none.
xcb_window_t X11Window(const QWidget& window)
{
    return window.windowHandle() ? static_cast<xcb_window_t>(window.windowHandle()->winId()) : 0;
}

}  // namespace

std::optional<QMargins> AnnouncedFrameExtents(const QWidget& window)
{
    xcb_connection_t* connection = X11Connection();
    const xcb_window_t id = X11Window(window);
    if (!connection || !id)
        return std::nullopt;
    const xcb_atom_t atom = FrameExtentsAtom(connection);
    if (atom == XCB_ATOM_NONE)
        return std::nullopt;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, atom, XCB_ATOM_CARDINAL, 0, 4), nullptr);
    std::optional<QMargins> extents;
    // Left, right, top and bottom, each a 32-bit count of pixels.
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
        const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        if (v[0] < 10000 && v[1] < 10000 && v[2] < 10000 && v[3] < 10000)
            extents = QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]),
                               static_cast<int>(v[3]));
    }
    std::free(reply);
    return extents;
}

CFrameExtentsWatch::CFrameExtentsWatch(const QWidget& window, std::function<void()> changed)
    : m_window(window), m_changed(std::move(changed))
{
    if (xcb_connection_t* connection = X11Connection()) {
        m_atom = FrameExtentsAtom(connection);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

CFrameExtentsWatch::~CFrameExtentsWatch()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool CFrameExtentsWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
    if (m_atom != XCB_ATOM_NONE && notify->atom == m_atom && notify->window == X11Window(m_window))
        m_changed();
    return false;
}
