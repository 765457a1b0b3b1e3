// The window's keys: Enter and Escape never close the window or click a button; Left and
// Right are swallowed in every mode (even by a focused scroll bar); plus and minus zoom,
// whatever modifiers are held; message boxes keep their own keys.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "WindowHarness.h"
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
