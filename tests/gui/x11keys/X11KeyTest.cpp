// The zoom keys pressed as a user does, on a real X server with the US and the Japanese
// keyboard: the keys whose caps carry "+" or "-" zoom, with or without Shift, whatever
// character they type on that layout. Xvfb gets the keymap from setxkbmap, and xdotool
// presses the keys through the server's test extension, so the window sees real keycodes.
// With two layouts the second is locked active and the keys go by keycode (LayoutKeys.h).
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LayoutKeys.h"
#include "WindowHarness.h"
#include "support/TempDir.h"
#include "support/XServer.h"

namespace {

// Counts releases of keys other than modifiers: once a key's release has come, its press
// has been handled. (A release that travels up to the parents counts more than once; the
// test only waits for the count to grow.)
class ReleaseCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key != Qt::Key_Shift && key != Qt::Key_Control && key != Qt::Key_Alt && key != Qt::Key_Meta)
                ++count;
        }
        return false;
    }
};

bool RunQuietly(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

class X11Keys : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_x.Start("1280x1024x24", {"Xvfb", "setxkbmap", "xdotool"}); }
    static void TearDownTestSuite() { s_x.Stop(); }

    void SetUp() override
    {
        if (!s_x.toolsPresent)
            GTEST_SKIP() << "Xvfb, setxkbmap or xdotool is not installed";
        ASSERT_GT(s_x.xvfb, 0) << "Xvfb did not start";
    }

    struct Press {
        const char* keysym;  // as xdotool names it; Shift is added where the keymap needs it
        int range;           // the time range after the press
    };
    // Sets the keymap, then presses each key into the focused window and checks the range.
    static void PressAll(const char* model, const char* layout, std::initializer_list<Press> presses)
    {
        std::vector<sStep> steps;
        for (const Press& p : presses)
            steps.push_back({p.keysym, [keysym = p.keysym] { return RunQuietly(std::string("xdotool key ") + keysym); },
                             p.range});
        Run(model, layout, 0, steps);
    }

    struct Stroke {
        unsigned keycode;  // X keycode: evdev code + 8
        bool shift;
        int range;         // the time range after the press
    };
    // Sets a keymap of two layouts, locks the second as the active one, then presses each
    // key by its keycode and checks the range.
    static void PressInSecondLayout(const char* model, const char* layouts, std::initializer_list<Stroke> strokes)
    {
        std::vector<sStep> steps;
        for (const Stroke& k : strokes)
            steps.push_back({(k.shift ? "shift+" : "") + std::to_string(k.keycode),
                             [k] { return PressKeycode(k.keycode, k.shift); }, k.range});
        Run(model, layouts, 1, steps);
        EXPECT_TRUE(LockLayout(0));
    }

    struct sStep {
        std::string what;
        std::function<bool()> press;
        int range;
    };
    static void Run(const char* model, const char* layout, unsigned activeLayout, const std::vector<sStep>& steps)
    {
        ASSERT_TRUE(RunQuietly(std::string("setxkbmap -model ") + model + " -layout " + layout));
        ASSERT_TRUE(LockLayout(activeLayout));
        WindowHarness h;
        h.dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.dlg.get()));
        h.Item<QPushButton>(1068)->setFocus();
        ASSERT_EQ(h.Probe().TimeRange(), 30);
        ReleaseCounter releases;
        qApp->installEventFilter(&releases);
        for (const sStep& step : steps) {
            const int before = releases.count;
            ASSERT_TRUE(step.press()) << step.what;
            ASSERT_TRUE(QTest::qWaitFor([&] { return releases.count > before; }, 5000)) << step.what;
            EXPECT_EQ(h.Probe().TimeRange(), step.range) << layout << " " << step.what;
        }
        qApp->removeEventFilter(&releases);
    }

    static inline sXSession s_x;
};

}  // namespace

TEST_F(X11Keys, JapaneseKeyboardZoomsWithThePlusAndMinusCaps)
{
    PressAll("jp106", "jp",
             {{"semicolon", 15},   // the ";+" key, unshifted
              {"plus", 10},        // the same key with Shift
              {"KP_Add", 5},
              {"asciicircum", 5},  // the "^~" key, where a US keyboard has "=+": no zoom
              {"underscore", 5},   // the "\_" key: no zoom
              {"minus", 10},       // the "-=" key, unshifted
              {"equal", 15},       // the same key with Shift zooms out, not in
              {"KP_Subtract", 30}});
}

TEST_F(X11Keys, UsKeyboardZoomsWithThePlusAndMinusCaps)
{
    PressAll("pc105", "us",
             {{"equal", 15},       // the "=+" key, unshifted
              {"plus", 10},        // the same key with Shift
              {"KP_Add", 5},
              {"semicolon", 5},    // no zoom
              {"minus", 10},       // the "-_" key
              {"underscore", 15},  // the same key with Shift
              {"KP_Subtract", 30}});
}

// X keycodes of the keys in question.
enum : unsigned { kMinusRow = 20, kEqualRow = 21, kSemicolon = 47 };

TEST_F(X11Keys, WithJpAndUsTheActiveUsLayoutDecides)
{
    PressInSecondLayout("jp106", "jp,us",
                        {{kEqualRow, false, 15},   // "=+" on US ("^~" on jp)
                         {kEqualRow, true, 10},
                         {kSemicolon, false, 10},  // ";:" on US (";+" on jp): no zoom
                         {kSemicolon, true, 10},
                         {kMinusRow, false, 15},   // "-_"
                         {kMinusRow, true, 30}});
}

TEST_F(X11Keys, WithUsAndJpTheActiveJpLayoutDecides)
{
    PressInSecondLayout("pc105", "us,jp",
                        {{kSemicolon, false, 15},  // ";+" on jp (";:" on US)
                         {kSemicolon, true, 10},
                         {kEqualRow, false, 10},   // "^~" on jp ("=+" on US): no zoom
                         {kEqualRow, true, 10},
                         {kMinusRow, false, 15},   // "-=" on jp: shifted it zooms out too
                         {kMinusRow, true, 30}});
}
