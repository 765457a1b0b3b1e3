// The main window natively on Wayland, on each output of the table below: CTest runs this
// binary once per output (a QApplication keeps to one display), its name in
// VELQUIN_TEST_VARIANT. On Wayland the program can neither place its window nor learn the
// compositor's panels, so only the compositor can keep a window that is larger than the
// output on it; weston's scene graph tells where it shows the window.
#include <gtest/gtest.h>

#include <QScreen>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "WindowHarness.h"
#include "support/Screenshot.h"
#include "support/Weston.h"

namespace {

struct sOutput {
    const char* name;  // as CTest names the run
    int width, height;  // as windows see it: its pixels are these times the scale
    int scale;
    bool roomy;  // the window with its frame fits beside the panel as it is
};
const sOutput kOutputs[] = {
    {"laptop_weston", 1366, 768, 1, false},
    {"desktop_weston", 1920, 1080, 1, true},
    // Taller than the window with its frame, but not with the panel too.
    {"laptop1280x885_weston", 1280, 885, 1, false},
    {"laptop1440x900_weston", 1440, 900, 1, false},
    {"laptop1600x900_weston", 1600, 900, 1, false},
    {"scaled2560x1440_weston", 1280, 720, 2, false},
};

const sOutput* ThisOutput()
{
    const char* name = std::getenv("VELQUIN_TEST_VARIANT");
    for (const sOutput& o : kOutputs)
        if (!name || std::strcmp(name, o.name) == 0)
            return &o;
    return nullptr;
}

// The compositor for the whole run (a process keeps to one QApplication).
class WestonDesktop : public ::testing::Environment {
public:
    static inline sWestonSession s_wayland;
    static inline const sOutput* s_output = nullptr;

    void SetUp() override
    {
        s_output = ThisOutput();
        if (s_output)
            s_wayland.Start(s_output->width, s_output->height, s_output->scale);
    }
    void TearDown() override { s_wayland.Stop(); }
};
[[maybe_unused]] const ::testing::Environment* const kDesktop = ::testing::AddGlobalTestEnvironment(new WestonDesktop);

bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

}  // namespace

std::ostream& operator<<(std::ostream& os, const QRect& r)
{
    return os << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
}

std::ostream& operator<<(std::ostream& os, const QSize& s)
{
    return os << s.width() << "x" << s.height();
}

// Until weston shows this process's window at the size the program has drawn it: the views of
// the scene then, and the window's among them.
struct sShown {
    std::vector<sWestonView> views;
    std::optional<sWestonView> window;
};
sShown WaitUntilShown(QWidget& dlg)
{
    const std::string mine = "PID " + std::to_string(getpid()) + ",";
    sShown shown;
    const bool inTime = QTest::qWaitFor(
        [&] {
            shown.views = WestonViews().value_or(std::vector<sWestonView>{});
            shown.window.reset();
            for (const sWestonView& v : shown.views)
                if (Contains(v.about, "top-level window") && Contains(v.about, mine))
                    shown.window = v;
            return shown.window && dlg.isVisible() && shown.window->place.size() == dlg.frameGeometry().size();
        },
        60000);
    EXPECT_TRUE(inTime) << "weston did not show the window at its drawn size";
    return shown;
}

// The window, frame included, wholly on the output and clear of the panel, its status line too.
void ExpectOnTheOutput(const sShown& shown, const QWidget& dlg)
{
    const QRect output(0, 0, WestonDesktop::s_output->width, WestonDesktop::s_output->height);
    ASSERT_TRUE(shown.window) << "program " << dlg.frameGeometry();
    ASSERT_EQ(shown.window->place.size(), dlg.frameGeometry().size()) << shown.window->place;
    EXPECT_TRUE(output.contains(shown.window->place)) << shown.window->place;
    for (const sWestonView& v : shown.views) {
        if (Contains(v.about, "panel for output")) {
            EXPECT_FALSE(v.place.intersects(shown.window->place)) << "panel " << v.place << ", window " << shown.window->place;
        }
    }
    for (int id : {1092, 1093, 1094}) {
        const QWidget* field = static_cast<const CVelquinDlg&>(dlg).DlgItem(id);
        EXPECT_TRUE(field->isVisible()) << id;
        EXPECT_TRUE(dlg.rect().contains(QRect(field->mapTo(&dlg, QPoint(0, 0)), field->size()))) << id;
    }
}

// The output once weston shows the window as the program has drawn it (weston fades the whole
// output in as it starts): the window's inside in the screenshot is the program's image of it.
QImage DrawnScreenshot(const sShown& shown, QWidget& dlg)
{
    QImage screen;
    const bool drawn = shown.window && QTest::qWaitFor(
        [&] {
            QImage own = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
            own.setDevicePixelRatio(1);
            const QPoint inside = dlg.geometry().topLeft() - dlg.frameGeometry().topLeft();
            const QRect there((shown.window->place.topLeft() + inside) * WestonDesktop::s_output->scale, own.size());
            screen = WestonScreenshot();
            return screen.copy(there).convertToFormat(QImage::Format_RGB32) == own;
        },
        30000);
    EXPECT_TRUE(drawn) << "weston did not show the window as drawn";
    return screen;
}

// The window, with the frame Qt draws around it on weston, opens wholly on the output and
// clear of the panel: on a small output weston fits it, on a large one it keeps its size.
// Maximised and restored, it comes back wholly on the output: where it opened maximised, at a
// size that leaves the compositor room for its panel and frame.
TEST(WaylandWindow, TheWholeWindowIsOnTheOutputOpenedAndRestored)
{
    ASSERT_NE(WestonDesktop::s_output, nullptr) << "no output named " << std::getenv("VELQUIN_TEST_VARIANT");
    if (!WestonDesktop::s_wayland.toolsPresent)
        GTEST_SKIP() << "weston or Qt's Wayland plugin is not installed";
    ASSERT_TRUE(WestonDesktop::s_wayland.app) << "weston did not start";
    const QString output = QLatin1String(WestonDesktop::s_output->name);

    WindowHarness h({}, false);
    const QSize templateSize = h.dlg->size();
    h.dlg->show();
    const sShown opened = WaitUntilShown(*h.dlg);
    ExpectOnTheOutput(opened, *h.dlg);
    // Larger than the output, it opened maximised, so that the compositor fits it whatever
    // its panels and frame take.
    EXPECT_EQ(h.dlg->isMaximized(), !WestonDesktop::s_output->roomy);
    if (WestonDesktop::s_output->roomy) {
        EXPECT_EQ(h.dlg->size(), templateSize);
    }
    const QImage screen = DrawnScreenshot(opened, *h.dlg);
    const sOutput& o = *WestonDesktop::s_output;
    EXPECT_EQ(screen.size(), QSize(o.width, o.height) * o.scale);
    SaveScreenshot(screen, QStringLiteral("wayland_%1_opened").arg(output));

    if (!h.dlg->isMaximized()) {
        // Maximised once the compositor has given the window its maximised size.
        const QSize normal = h.dlg->frameGeometry().size();
        h.dlg->showMaximized();
        ASSERT_TRUE(QTest::qWaitFor([&] { return h.dlg->frameGeometry().size() != normal; }, 60000));
        ASSERT_TRUE(WaitUntilShown(*h.dlg).window);
    }
    const QSize maximised = h.dlg->frameGeometry().size();
    h.dlg->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !h.dlg->isMaximized() && h.dlg->frameGeometry().size() != maximised; },
                                60000))
        << h.dlg->frameGeometry();
    ExpectOnTheOutput(WaitUntilShown(*h.dlg), *h.dlg);
    SaveScreenshot(WestonScreenshot(), QStringLiteral("wayland_%1_restored").arg(output));
}
