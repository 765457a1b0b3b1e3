#include "platform/qt/X11WindowManager.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSize>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

xcb_connection_t* X11Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The atom of a name (made on the server when no one has made it yet), none when the server
// does not answer.
xcb_atom_t InternAtom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

xcb_atom_t FrameExtentsAtom(xcb_connection_t* connection)
{
    static const xcb_atom_t atom = InternAtom(connection, "_NET_FRAME_EXTENTS");
    return atom;
}

// A property of the window as 32-bit values of the type, at most count of them; none when it
// is not set so.
std::vector<std::uint32_t> Values32(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                                    xcb_atom_t type, std::uint32_t count)
{
    std::vector<std::uint32_t> values;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, type, 0, count), nullptr);
    if (reply && reply->format == 32) {
        const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(v, v + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
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
    // Left, right, top and bottom, each a count of pixels.
    const std::vector<std::uint32_t> v = Values32(connection, id, atom, XCB_ATOM_CARDINAL, 4);
    if (v.size() != 4 || std::any_of(v.begin(), v.end(), [](std::uint32_t side) { return side >= 10000; }))
        return std::nullopt;
    return QMargins(static_cast<int>(v[0]), static_cast<int>(v[2]), static_cast<int>(v[1]), static_cast<int>(v[3]));
}

bool HeldMaximisedOneWay(const QWidget& window)
{
    xcb_connection_t* connection = X11Connection();
    const xcb_window_t id = X11Window(window);
    if (!connection || !id)
        return false;
    const std::vector<std::uint32_t> states =
        Values32(connection, id, InternAtom(connection, "_NET_WM_STATE"), XCB_ATOM_ATOM, 64);
    const auto held = [&](const char* state) {
        return std::find(states.begin(), states.end(), InternAtom(connection, state)) != states.end();
    };
    return held("_NET_WM_STATE_MAXIMIZED_VERT") != held("_NET_WM_STATE_MAXIMIZED_HORZ");
}

void RequestNormalState(const QWidget& window, const QSize& size)
{
    xcb_connection_t* connection = X11Connection();
    const xcb_window_t id = X11Window(window);
    if (!connection || !id)
        return;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr);
    const xcb_window_t root = tree ? tree->root : 0;
    std::free(tree);
    if (!root)
        return;
    // The standard request to a window manager, sent to the root window: remove both
    // maximised states, asked by an application.
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = InternAtom(connection, "_NET_WM_STATE");
    event.data.data32[0] = 0;
    event.data.data32[1] = InternAtom(connection, "_NET_WM_STATE_MAXIMIZED_VERT");
    event.data.data32[2] = InternAtom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ");
    event.data.data32[3] = 1;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    // The size goes to the manager after the state, so that it comes after whatever size the
    // manager gives the window when it leaves the maximised state. Qt would send nothing for a
    // size the window has already.
    const std::uint32_t values[] = {static_cast<std::uint32_t>(size.width()), static_cast<std::uint32_t>(size.height())};
    xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
    xcb_flush(connection);
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
