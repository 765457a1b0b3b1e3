#include "platform/qt/KeyboardZoom.h"

#include <QGuiApplication>
#include <QKeyEvent>

#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

#include <memory>

namespace {

struct sXkbUnref {
    void operator()(xkb_context* context) const { xkb_context_unref(context); }
    void operator()(xkb_keymap* keymap) const { xkb_keymap_unref(keymap); }
};
using KeymapPtr = std::unique_ptr<xkb_keymap, sXkbUnref>;

// The X server's keymap as it is now, or null off X. It is fetched afresh for each press
// (a fraction of a millisecond), so a layout switched while the program runs counts at once.
KeymapPtr CurrentX11Keymap()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return nullptr;
    // Qt has announced its use of the keyboard extension on this connection already; the
    // library asks for the announcement once more before its first request.
    static const std::unique_ptr<xkb_context, sXkbUnref> context = [connection] {
        xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr);
        return std::unique_ptr<xkb_context, sXkbUnref>(
            xkb_context_new(static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES |
                                                           XKB_CONTEXT_NO_ENVIRONMENT_NAMES)));
    }();
    if (!context)
        return nullptr;
    const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    if (device < 0)
        return nullptr;
    return KeymapPtr(xkb_x11_keymap_new_from_device(context.get(), connection, device,
                                                    XKB_KEYMAP_COMPILE_NO_FLAGS));
}

eZoomKey ZoomKeyOfQtKey(int key)
{
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return eZoomKey::In;
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return eZoomKey::Out;
    default:
        return eZoomKey::None;
    }
}

}  // namespace

eZoomKey ZoomKeyOf(const QKeyEvent& event)
{
    if (event.nativeScanCode() != 0) {
        if (const KeymapPtr keymap = CurrentX11Keymap()) {
            // An X key event's state carries the active layout (group) in bits 13 and 14.
            const std::uint32_t layout = (event.nativeModifiers() >> 13) & 3;
            return ZoomKeyOfSyms(KeySymsOnAllLevels(keymap.get(), event.nativeScanCode(), layout));
        }
    }
    return ZoomKeyOfQtKey(event.key());
}
