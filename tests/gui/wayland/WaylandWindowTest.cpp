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
    int width, height;
    bool roomy;  // the window with its frame fits beside the panel as it is
};
const sOutput kOutputs[] = {
    {"laptop_weston", 1366, 768, false},
    {"desktop_weston", 1920, 1080, true},
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
            s_wayland.Start(s_output->width, s_output->height);
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

// The window, with the frame Qt draws around it on weston, opens wholly on the output and
// clear of the panel: on a small output weston fits it, on a large one it keeps its size.
TEST(WaylandWindow, TheWholeWindowOpensOnTheOutputBesideThePanel)
{
    ASSERT_NE(WestonDesktop::s_output, nullptr) << "no output named " << std::getenv("VELQUIN_TEST_VARIANT");
    if (!WestonDesktop::s_wayland.toolsPresent)
        GTEST_SKIP() << "weston or Qt's Wayland plugin is not installed";
    ASSERT_TRUE(WestonDesktop::s_wayland.app) << "weston did not start";
    const QRect output(0, 0, WestonDesktop::s_output->width, WestonDesktop::s_output->height);

    WindowHarness h({}, false);
    const QSize templateSize = h.dlg->size();
    h.dlg->show();
    // Until weston shows this process's window at the size the program has drawn it.
    const std::string mine = "PID " + std::to_string(getpid()) + ",";
    std::vector<sWestonView> views;
    std::optional<sWestonView> window;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            views = WestonViews().value_or(std::vector<sWestonView>{});
            window.reset();
            for (const sWestonView& v : views)
                if (Contains(v.about, "top-level window") && Contains(v.about, mine))
                    window = v;
            return window && h.dlg->isVisible() && window->place.size() == h.dlg->frameGeometry().size();
        },
        60000))
        << "shown " << (window ? window->place : QRect()) << ", program " << h.dlg->frameGeometry();

    EXPECT_TRUE(output.contains(window->place)) << window->place;
    for (const sWestonView& v : views) {
        if (Contains(v.about, "panel for output")) {
            EXPECT_FALSE(v.place.intersects(window->place)) << "panel " << v.place << ", window " << window->place;
        }
    }
    if (WestonDesktop::s_output->roomy) {
        EXPECT_EQ(h.dlg->size(), templateSize);
    }
    for (int id : {1092, 1093, 1094}) {
        QWidget* field = h.dlg->DlgItem(id);
        EXPECT_TRUE(field->isVisible()) << id;
        EXPECT_TRUE(h.dlg->rect().contains(QRect(field->mapTo(h.dlg.get(), QPoint(0, 0)), field->size()))) << id;
    }
    const QImage shown = WestonScreenshot();
    EXPECT_EQ(shown.size(), output.size());
    SaveScreenshot(shown, QStringLiteral("wayland_%1_opened").arg(QLatin1String(WestonDesktop::s_output->name)));
}
