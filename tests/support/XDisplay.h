#pragma once
// A test's own connection to the X server named by DISPLAY, apart from the program's; closed
// when it goes out of scope. Include it after Qt's headers: Xlib's macros clash with Qt's names.

#include <X11/Xlib.h>

#include <memory>

struct sCloseXDisplay {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using XDisplayPtr = std::unique_ptr<Display, sCloseXDisplay>;

// A connection, or null when the server cannot be reached.
inline XDisplayPtr OpenXDisplay()
{
    return XDisplayPtr(XOpenDisplay(nullptr));
}
