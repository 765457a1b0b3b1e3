// The window's keys: Enter and Escape never close the window or click a button; Left and
// Right are swallowed in every mode (even by a focused scroll bar); plus and minus zoom,
// whatever modifiers are held; message boxes keep their own keys. Which keys zoom is
// decided by their caps in the keyboard's keymap, checked here on US and jp106 keymaps.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <xkbcommon/xkbcommon.h>

#include "WindowHarness.h"
#include "platform/qt/KeyCaps.h"
#include "platform/qt/QtPrompter.h"

TEST(MainWindowKeys, EnterAndEscapeNeitherCloseTheWindowNorClickAButton)
{
    WindowHarness h;
    auto* start = h.Item<QPushButton>(1068);
    auto* box = h.Item<QCheckBox>(1074);
    auto* edit = h.Item<QLineEdit>(1072);
    QSignalSpy clicks(start, &QPushButton::clicked);
    QSignalSpy toggles(box, &QCheckBox::toggled);
    QSignalSpy returns(edit, &QLineEdit::returnPressed);
    for (QWidget* target : std::initializer_list<QWidget*>{start, box, edit}) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            QTest::keyClick(target, key, Qt::AltModifier);
        }
    }
    EXPECT_TRUE(h.dlg->isVisible());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(toggles.count(), 0);
    EXPECT_EQ(returns.count(), 0);
    EXPECT_TRUE(h.prompter->shown.empty());
    // Space still clicks the focused button, as a user would expect.
    start->setFocus();
    QTest::keyClick(start, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(MainWindowKeys, LeftAndRightAreSwallowedInEveryMode)
{
    WindowHarness h;
    auto* bar = h.Item<QScrollBar>(1080);
    auto* stop = h.Item<QPushButton>(1069);
    bar->setRange(0, 100);
    bar->setValue(50);
    bar->show();  // visible only in review; shown here to give it the focus in idle
    for (int mode : {0, 2}) {
        h.dlg->SetMode(mode);
        bar->show();
        bar->setFocus();
        ASSERT_TRUE(bar->hasFocus()) << mode;
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right}) {
            QTest::keyClick(bar, key);
            QTest::keyClick(bar, key, Qt::AltModifier);
        }
        EXPECT_EQ(bar->value(), 50) << mode;
        EXPECT_TRUE(bar->hasFocus()) << mode;
    }
    // On a focused button the arrows would move the focus; here they do nothing.
    h.dlg->SetMode(2);
    stop->setFocus();
    QTest::keyClick(stop, Qt::Key_Right);
    QTest::keyClick(stop, Qt::Key_Left);
    EXPECT_TRUE(stop->hasFocus());
    // In review Right pages through the file; the bar shows the new first second, not a
    // step of its own.
    h.Probe().EnterReview("a.edf", "", 600);
    h.dlg->SetReviewScrollRange(0);
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(h.Probe().FirstSecond(), 30);
    EXPECT_EQ(bar->value(), 30);
}

TEST(MainWindowKeys, PlusAndMinusStepThroughTheRealTimeRanges)
{
    WindowHarness h;
    QWidget* target = h.Item<QPushButton>(1068);
    target->setFocus();
    ASSERT_EQ(h.Probe().TimeRange(), 30);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int range;
    };
    const Step steps[] = {
        {Qt::Key_Plus, Qt::NoModifier, 15},        {Qt::Key_Equal, Qt::NoModifier, 10},
        {Qt::Key_Plus, Qt::KeypadModifier, 5},     {Qt::Key_Plus, Qt::ShiftModifier, 2},
        {Qt::Key_Plus, Qt::NoModifier, 2},         {Qt::Key_Minus, Qt::NoModifier, 5},
        {Qt::Key_Minus, Qt::KeypadModifier, 10},   {Qt::Key_Underscore, Qt::ShiftModifier, 15},
        {Qt::Key_Minus, Qt::AltModifier, 30},      {Qt::Key_Minus, Qt::ControlModifier, 60},
        {Qt::Key_Minus, Qt::NoModifier, 120},      {Qt::Key_Minus, Qt::NoModifier, 120},
        {Qt::Key_Plus, Qt::NoModifier, 60},
    };
    for (const Step& s : steps) {
        QTest::keyClick(target, s.key, s.modifiers);
        EXPECT_EQ(h.Probe().TimeRange(), s.range) << s.key;
    }
    // The sweep follows the range: 60 s at 128 samples per second.
    EXPECT_EQ(h.Probe().GraphEeg()->GetSize(), 60 * 128);
    EXPECT_EQ(h.Probe().GraphEmg()->GetSize(), 60 * 128);
}

TEST(MainWindowKeys, AMessageBoxKeepsEnterWhileTheWindowIsOpen)
{
    WindowHarness h;
    CQtPrompter prompter;
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(prompter.Show(h.dlg.get(), "?", ePromptButtons::YesNo, ePromptIcon::Question), IDYES);
    QTimer::singleShot(50, [] {
        if (QWidget* box = QApplication::activeModalWidget())
            QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(prompter.Show(h.dlg.get(), "?", ePromptButtons::YesNoCancel, ePromptIcon::Question), IDCANCEL);
}

namespace {

struct sXkbKeymap {
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    xkb_keymap* keymap = nullptr;
    sXkbKeymap(const char* model, const char* layout)
    {
        const xkb_rule_names names{"evdev", model, layout, "", ""};
        keymap = xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    }
    ~sXkbKeymap()
    {
        xkb_keymap_unref(keymap);
        xkb_context_unref(context);
    }
};

}  // namespace

TEST(MainWindowKeys, ZoomKeysAreKnownByTheirCapsOnUsAndJp106Keymaps)
{
    // X keycodes (evdev code + 8) of the keys in question.
    enum : std::uint32_t { kMinusRow = 20, kEqualRow = 21, kSemicolon = 47, kKeypadMinus = 82,
                           kKeypadPlus = 86, kBackslashRo = 97 };
    struct Case {
        const char* model;
        const char* layout;
        std::uint32_t layoutIndex;
        std::uint32_t keycode;
        eZoomKey zoom;
    };
    const Case cases[] = {
        {"pc105", "us", 0, kEqualRow, eZoomKey::In},      // "=" and "+"
        {"pc105", "us", 0, kMinusRow, eZoomKey::Out},     // "-" and "_"
        {"pc105", "us", 0, kSemicolon, eZoomKey::None},   // ";" and ":"
        {"pc105", "us", 0, kKeypadPlus, eZoomKey::In},
        {"pc105", "us", 0, kKeypadMinus, eZoomKey::Out},
        {"jp106", "jp", 0, kSemicolon, eZoomKey::In},     // ";" and "+"
        {"jp106", "jp", 0, kMinusRow, eZoomKey::Out},     // "-" and "="
        {"jp106", "jp", 0, kEqualRow, eZoomKey::None},    // "^" and "~"
        {"jp106", "jp", 0, kBackslashRo, eZoomKey::None}, // "\" and "_"
        {"jp106", "jp", 0, kKeypadPlus, eZoomKey::In},
        {"jp106", "jp", 0, kKeypadMinus, eZoomKey::Out},
        // With two layouts the active one decides.
        {"jp106", "jp,us", 1, kEqualRow, eZoomKey::In},
        {"jp106", "jp,us", 1, kSemicolon, eZoomKey::None},
        {"pc105", "us,jp", 1, kSemicolon, eZoomKey::In},
        {"pc105", "us,jp", 1, kEqualRow, eZoomKey::None},
        {"pc105", "us,jp", 1, kMinusRow, eZoomKey::Out},
        // A keycode the keymap lacks is no zoom key.
        {"pc105", "us", 0, 0, eZoomKey::None},
    };
    for (const Case& c : cases) {
        const sXkbKeymap keymap(c.model, c.layout);
        ASSERT_NE(keymap.keymap, nullptr) << c.layout;
        EXPECT_EQ(ZoomKeyOfSyms(KeySymsOnAllLevels(keymap.keymap, c.keycode, c.layoutIndex)), c.zoom)
            << c.model << " " << c.layout << " layout " << c.layoutIndex << " keycode " << c.keycode;
    }
}
