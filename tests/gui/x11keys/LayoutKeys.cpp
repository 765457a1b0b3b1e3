#include "LayoutKeys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "support/XDisplay.h"

bool LockLayout(unsigned layout)
{
    const XDisplayPtr display = OpenXDisplay();
    if (!display || !XkbLockGroup(display.get(), XkbUseCoreKbd, layout))
        return false;
    XSync(display.get(), False);
    return true;
}

bool PressKeycode(unsigned keycode, bool shift)
{
    const XDisplayPtr display = OpenXDisplay();
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
