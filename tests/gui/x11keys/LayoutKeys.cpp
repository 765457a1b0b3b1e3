#include "LayoutKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <memory>

namespace {

struct sCloseDisplay {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, sCloseDisplay>;

// A connection to the server named by DISPLAY, or null.
DisplayPtr Open()
{
    return DisplayPtr(XOpenDisplay(nullptr));
}

}  // namespace

bool LockLayout(unsigned layout)
{
    const DisplayPtr display = Open();
    if (!display || !XkbLockGroup(display.get(), XkbUseCoreKbd, layout))
        return false;
    XSync(display.get(), False);
    return true;
}

bool PressKeycode(unsigned keycode, bool shift)
{
    const DisplayPtr display = Open();
    int event = 0, error = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display.get(), &event, &error, &major, &minor))
        return false;
    const KeyCode shiftKey = XKeysymToKeycode(display.get(), XK_Shift_L);
    if (shift && shiftKey == 0)
        return false;
    if (shift)
        XTestFakeKeyEvent(display.get(), shiftKey, True, CurrentTime);
    XTestFakeKeyEvent(display.get(), keycode, True, CurrentTime);
    XTestFakeKeyEvent(display.get(), keycode, False, CurrentTime);
    if (shift)
        XTestFakeKeyEvent(display.get(), shiftKey, False, CurrentTime);
    XSync(display.get(), False);
    return true;
}
