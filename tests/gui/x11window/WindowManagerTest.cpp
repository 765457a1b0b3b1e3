// The main window on a real X server with a real window manager, on each desktop of the table
// below: CTest runs this binary once per desktop (a QApplication keeps to one X server), its
// name in VELQUIN_TEST_VARIANT. A manager frames a window only once it is on the screen, so the
// window must shrink once more when it is first framed on a small screen. After that its size
// and place are the user's and the manager's: maximised and restored, by a double click on the
// title bar or by the standard request that panels and shortcuts send, it must come back as it
// was, whatever order the manager's events come in.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "WindowHarness.h"
#include "support/Screenshot.h"
#include "support/XDisplay.h"
#include "support/XServer.h"

namespace {

struct sDesktop {
    const char* name;  // as CTest names the run
    const char* screen;
    std::vector<const char*> manager;  // the command that starts the window manager
    const char* ready;                 // a property the manager sets on the root once it is set up
};
// xfwm4 announces a restored window's frame before it gives the window its restored size;
// openbox gives the size first. Both frame a window only once it is mapped. KWin takes a window
// that fills the screen's height, frame included, for one maximised down, and restores such a
// window to a much smaller height; it needs no compositing here.
const sDesktop kDesktops[] = {
    {"laptop_openbox", "1366x768x24", {"openbox"}, "_NET_WORKAREA"},
    {"laptop_xfwm4", "1366x768x24", {"dbus-run-session", "xfwm4", "--compositor=off"}, "_NET_WORKAREA"},
    {"desktop_xfwm4", "1920x1080x24", {"dbus-run-session", "xfwm4", "--compositor=off"}, "_NET_WORKAREA"},
    {"laptop_kwin", "1366x768x24", {"dbus-run-session", "env", "KWIN_COMPOSE=N", "kwin_x11", "--replace"},
     "_NET_ACTIVE_WINDOW"},
};

const sDesktop* ThisDesktop()
{
    const char* name = std::getenv("VELQUIN_TEST_VARIANT");
    for (const sDesktop& d : kDesktops)
        if (!name || std::strcmp(name, d.name) == 0)
            return &d;
    return nullptr;
}

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
// window, and once it has set itself up, sets the property ready there.
bool WindowManagerRuns(const char* ready)
{
    const XDisplayPtr x = OpenXDisplay();
    if (!x)
        return false;
    const Window root = DefaultRootWindow(x.get());
    return Property(x.get(), root, "_NET_SUPPORTING_WM_CHECK") && Property(x.get(), root, ready);
}

// The window as the X server has it: its place on the screen and size, its frame as the
// window manager announces it (none before the manager has framed the window), the frame's
// rectangle around it, and in how many ways (across, down) the manager holds it maximised.
struct sOnScreen {
    QRect window, frame;
    QMargins extents;
    int maximisedWays = 0;
    bool Maximised() const { return maximisedWays == 2; }
};
sOnScreen OnScreen(WId id)
{
    sOnScreen s;
    const XDisplayPtr x = OpenXDisplay();
    Window root = 0, child = 0;
    int px = 0, py = 0, rootX = 0, rootY = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!x || !XGetGeometry(x.get(), id, &root, &px, &py, &width, &height, &border, &depth)
        || !XTranslateCoordinates(x.get(), id, root, 0, 0, &rootX, &rootY, &child))
        return s;
    s.window = QRect(rootX, rootY, static_cast<int>(width), static_cast<int>(height));
    const auto e = Property(x.get(), id, "_NET_FRAME_EXTENTS");  // left, right, top, bottom
    if (e && e->size() == 4) {
        s.extents = QMargins(int((*e)[0]), int((*e)[2]), int((*e)[1]), int((*e)[3]));
        s.frame = s.window.marginsAdded(s.extents);
    }
    if (const auto state = Property(x.get(), id, "_NET_WM_STATE"))
        for (long atom : *state)
            for (const char* name : {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"})
                s.maximisedWays += atom == static_cast<long>(XInternAtom(x.get(), name, False));
    return s;
}

}  // namespace

// Test failures print rectangles as the X tools do.
std::ostream& operator<<(std::ostream& os, const QRect& r)
{
    return os << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
}

namespace {

std::ostream& operator<<(std::ostream& os, const sOnScreen& s)
{
    return os << "window " << s.window << ", frame " << s.frame << ", maximised " << s.maximisedWays << " ways";
}

// A double click in the middle of the frame's title bar, as the pointer gives it: it
// maximises a window, and restores a maximised one.
bool DoubleClickTitle(const sOnScreen& s, WId, bool)
{
    const XDisplayPtr x = OpenXDisplay();
    if (!x)
        return false;
    const QPoint title(s.frame.center().x(), s.frame.top() + s.extents.top() / 2);
    // The server spaces the presses and releases as a hand does: a manager may miss a second
    // click that comes at once with the first.
    XTestFakeMotionEvent(x.get(), DefaultScreen(x.get()), title.x(), title.y(), CurrentTime);
    for (int click = 0; click < 2; ++click) {
        XTestFakeButtonEvent(x.get(), 1, True, click == 0 ? 0 : 60);
        XTestFakeButtonEvent(x.get(), 1, False, 40);
    }
    XSync(x.get(), False);
    return true;
}

// The standard request to maximise a window both ways or to restore it, as a task bar sends it.
bool RequestMaximised(const sOnScreen&, WId id, bool maximised)
{
    const XDisplayPtr x = OpenXDisplay();
    if (!x)
        return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(x.get(), "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = maximised ? 1 : 0;  // add or remove
    event.xclient.data.l[1] = static_cast<long>(XInternAtom(x.get(), "_NET_WM_STATE_MAXIMIZED_VERT", False));
    event.xclient.data.l[2] = static_cast<long>(XInternAtom(x.get(), "_NET_WM_STATE_MAXIMIZED_HORZ", False));
    event.xclient.data.l[3] = 2;  // from a pager or task bar
    const bool sent = XSendEvent(x.get(), DefaultRootWindow(x.get()), False,
                                 SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(x.get(), False);
    return sent;
}

// Counts the moves and resizes the program makes itself (the manager's come as spontaneous).
class ProgramResizes : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if ((event->type() == QEvent::Resize || event->type() == QEvent::Move) && !event->spontaneous())
            ++count;
        return false;
    }
};

// Waits for what the X server shows without letting the program handle any event meanwhile.
bool WaitOnServer(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// The desktop for the whole run: Xvfb, its window manager and the QApplication on it, started
// once whatever tests run (a process keeps to one QApplication).
class X11Desktop : public ::testing::Environment {
public:
    static inline sXSession s_x;
    static inline const sDesktop* s_desktop = nullptr;
    static inline pid_t s_windowManager = 0;

    // Saves the whole screen, frames and all, as a user sees it: "x11_<desktop>_<what>.png",
    // once the screen shows the window as it draws itself (it repaints after a new size).
    static void SaveScreen(QWidget& window, const char* what)
    {
        QImage screen;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
            return screen.copy(QRect(window.mapToGlobal(QPoint(0, 0)), window.size()))
                == window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        }, 60000)) << what << ": the screen never showed the window as drawn";
        SaveScreenshot(screen, QStringLiteral("x11_%1_%2").arg(QLatin1String(s_desktop->name), QLatin1String(what)));
    }

    void SetUp() override
    {
        // The program starts on a desktop whose window manager runs already.
        s_desktop = ThisDesktop();
        if (!s_desktop)
            return;
        std::vector<const char*> tools{"Xvfb"};
        for (const char* word : s_desktop->manager)
            if (word[0] != '-' && !std::strchr(word, '='))
                tools.push_back(word);
        s_x.Start(s_desktop->screen, tools, [] {
            s_windowManager = StartQuietly(s_desktop->manager);
            if (!QTest::qWaitFor([] { return WindowManagerRuns(s_desktop->ready); }, 60000)) {
                StopProcess(s_windowManager);
                s_windowManager = 0;
            }
        });
    }
    void TearDown() override
    {
        StopProcess(s_windowManager);
        s_x.Stop();
    }
};
[[maybe_unused]] const ::testing::Environment* const kDesktop = ::testing::AddGlobalTestEnvironment(new X11Desktop);

class X11Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(X11Desktop::s_desktop, nullptr) << "no desktop named " << std::getenv("VELQUIN_TEST_VARIANT");
        if (!X11Desktop::s_x.toolsPresent)
            GTEST_SKIP() << "Xvfb or the window manager is not installed";
        ASSERT_GT(X11Desktop::s_x.xvfb, 0) << "Xvfb did not start";
        ASSERT_GT(X11Desktop::s_windowManager, 0) << "the window manager did not start";
    }

    // Shows the window and waits until its manager has framed it and the program has fitted
    // it: the template's size, each side at most what the work area leaves beside the frame,
    // held maximised neither way.
    static sOnScreen ShowFramed(WindowHarness& h)
    {
        const QSize templateSize = h.dlg->size();
        h.dlg->show();
        const QRect area = h.dlg->screen()->availableGeometry();
        sOnScreen shown;
        const bool framed = QTest::qWaitFor(
            [&] {
                shown = OnScreen(h.dlg->winId());
                return !shown.frame.isEmpty() && h.dlg->geometry() == shown.window && shown.maximisedWays == 0
                    && shown.window.size() == templateSize.boundedTo(area.size().shrunkBy(shown.extents));
            },
            60000);
        EXPECT_TRUE(framed) << "server " << shown << ", program " << h.dlg->geometry();
        return shown;
    }

};

}  // namespace

TEST_F(X11Window, TheFramedWindowOpensWithinTheScreen)
{
    WindowHarness h({}, false);
    const int templateWidth = h.dlg->width();
    const sOnScreen shown = ShowFramed(h);
    const QRect area = h.dlg->screen()->availableGeometry();
    EXPECT_EQ(area, QRect(QPoint(0, 0), h.dlg->screen()->size()));
    EXPECT_TRUE(area.contains(shown.frame));
    EXPECT_EQ(shown.window.width(), templateWidth);
    X11Desktop::SaveScreen(*h.dlg, "opened");
    for (int id : {1092, 1093, 1094}) {
        QWidget* field = h.dlg->DlgItem(id);
        EXPECT_TRUE(field->isVisible()) << id;
        EXPECT_TRUE(h.dlg->rect().contains(QRect(field->mapTo(h.dlg.get(), QPoint(0, 0)), field->size()))) << id;
    }
}

struct sWay {
    const char* name;
    friend void PrintTo(const sWay& way, std::ostream* os) { *os << way.name; }
    bool (*ask)(const sOnScreen& shown, WId id, bool maximised);
};

class X11WindowRestore : public X11Window, public ::testing::WithParamInterface<sWay> {};

// The manager restores the window while the program is busy, so that the program takes the
// restored frame and the restored size in one go, as it does when the manager sends them in
// quick succession; then nothing the program does may change the window.
TEST_P(X11WindowRestore, MaximiseAndRestoreBringTheWindowBackAsItWas)
{
    WindowHarness h({}, false);
    const sOnScreen opened = ShowFramed(h);
    ASSERT_FALSE(opened.frame.isEmpty());
    const WId id = h.dlg->winId();
    ProgramResizes resizes;
    h.dlg->installEventFilter(&resizes);

    ASSERT_TRUE(GetParam().ask(opened, id, true));
    sOnScreen maximised;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            maximised = OnScreen(id);
            return maximised.Maximised() && maximised.window.size() != opened.window.size()
                && h.dlg->isMaximized() && h.dlg->geometry() == maximised.window;
        },
        60000))
        << "server " << maximised << ", program " << h.dlg->geometry() << (h.dlg->isMaximized() ? " maximised" : "");

    ASSERT_TRUE(GetParam().ask(maximised, id, false));
    sOnScreen restored;
    ASSERT_TRUE(WaitOnServer([&] {
        restored = OnScreen(id);
        return !restored.Maximised() && restored.extents == opened.extents
            && restored.window.size() == opened.window.size();
    })) << "server " << restored;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.dlg->isMaximized() && h.dlg->geometry() == restored.window; }, 60000))
        << "program " << h.dlg->geometry();
    QCoreApplication::sendPostedEvents();

    EXPECT_EQ(resizes.count, 0) << "the program moved or resized the window itself";
    EXPECT_EQ(h.dlg->geometry(), opened.window);
    EXPECT_EQ(OnScreen(id).window, opened.window);
    X11Desktop::SaveScreen(*h.dlg, (std::string(GetParam().name) + "_restored").c_str());
    h.dlg->removeEventFilter(&resizes);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, X11WindowRestore,
    ::testing::Values(sWay{"title_double_click", DoubleClickTitle}, sWay{"standard_request", RequestMaximised}),
    [](const ::testing::TestParamInfo<sWay>& info) { return std::string(info.param.name); });
