// The main window on a 1366 × 768 X screen with a window manager. The manager puts its frame
// around a window only once the window is on the screen, so the size the window opened with
// leaves no room for the title bar: the window must shrink once more when it is framed, so
// that the whole window, frame included, and its status line are on the screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <vector>

#include "WindowHarness.h"
#include "support/TempDir.h"
#include "support/XServer.h"

namespace {

// A property of a window as 32-bit values; none when it is not set.
std::optional<std::vector<long>> Property(Display* display, Window window, const char* name)
{
    std::optional<std::vector<long>> values;
    const Atom property = XInternAtom(display, name, True);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (property != None
        && XGetWindowProperty(display, window, property, 0, 64, False, AnyPropertyType, &type, &format, &items,
                              &after, &data) == Success
        && type != None && format == 32)
        values.emplace(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + items);
    if (data)
        XFree(data);
    return values;
}

// Whether a window manager has taken over the display: it announces itself on the root
// window, and once it has taken in the windows it found, lists them and sets the work area.
bool WindowManagerRuns()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    const Window root = DefaultRootWindow(display);
    const bool runs = Property(display, root, "_NET_SUPPORTING_WM_CHECK") && Property(display, root, "_NET_CLIENT_LIST")
        && Property(display, root, "_NET_WORKAREA");
    XCloseDisplay(display);
    return runs;
}

// The window as the X server has it, and its frame as the window manager announces it: the
// window's place on the screen and size, and the frame's rectangle around it (empty before
// the manager has framed the window).
struct sOnScreen {
    QRect window, frame;
};
sOnScreen OnScreen(WId id)
{
    sOnScreen s;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return s;
    Window root = 0, child = 0;
    int x = 0, y = 0, rootX = 0, rootY = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (XGetGeometry(display, id, &root, &x, &y, &width, &height, &border, &depth)
        && XTranslateCoordinates(display, id, root, 0, 0, &rootX, &rootY, &child)) {
        s.window = QRect(rootX, rootY, static_cast<int>(width), static_cast<int>(height));
        const auto e = Property(display, id, "_NET_FRAME_EXTENTS");  // left, right, top, bottom
        if (e && e->size() == 4)
            s.frame = s.window.marginsAdded(QMargins(int((*e)[0]), int((*e)[2]), int((*e)[1]), int((*e)[3])));
    }
    XCloseDisplay(display);
    return s;
}

class X11Window : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The program starts on a desktop whose window manager runs already.
        s_x.Start("1366x768x24", {"Xvfb", "openbox"}, [] {
            s_windowManager = StartQuietly("openbox");
            if (!QTest::qWaitFor(WindowManagerRuns, 60000)) {
                StopProcess(s_windowManager);
                s_windowManager = 0;
            }
        });
    }
    static void TearDownTestSuite()
    {
        s_x.Stop();
        StopProcess(s_windowManager);
    }

    void SetUp() override
    {
        if (!s_x.toolsPresent)
            GTEST_SKIP() << "Xvfb or openbox is not installed";
        ASSERT_GT(s_x.xvfb, 0) << "Xvfb did not start";
        ASSERT_GT(s_windowManager, 0) << "openbox did not start";
    }

    static inline sXSession s_x;
    static inline pid_t s_windowManager = 0;
};

}  // namespace

TEST_F(X11Window, AFramedWindowStaysWithinALaptopScreen)
{
    WindowHarness h({}, false);
    const int templateWidth = h.dlg->width();
    h.dlg->show();
    const QRect area = h.dlg->screen()->availableGeometry();
    ASSERT_EQ(area, QRect(0, 0, 1366, 768));
    // Framed, the frame as tall as the screen, and the window as Qt has it as the server has it.
    sOnScreen shown;
    const auto settled = [&] {
        shown = OnScreen(h.dlg->winId());
        return !shown.frame.isEmpty() && shown.frame.height() == area.height() && h.dlg->geometry() == shown.window;
    };
    const bool framed = QTest::qWaitFor(settled, 60000);
    EXPECT_TRUE(framed) << "window " << shown.window.y() << "+" << shown.window.height() << ", frame "
                        << shown.frame.y() << "+" << shown.frame.height();
    EXPECT_TRUE(area.contains(shown.frame));
    EXPECT_EQ(shown.window.width(), templateWidth);
    for (int id : {1092, 1093, 1094}) {
        QWidget* field = h.dlg->DlgItem(id);
        EXPECT_TRUE(field->isVisible()) << id;
        EXPECT_TRUE(h.dlg->rect().contains(QRect(field->mapTo(h.dlg.get(), QPoint(0, 0)), field->size()))) << id;
    }
}
