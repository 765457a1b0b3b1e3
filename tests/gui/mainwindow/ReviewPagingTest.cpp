// Paging through a reviewed file with the arrow keys and buttons, zooming with plus and
// minus, and the sixteen time-range commands, driven on the real window.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "ReviewSupport.h"
#include "mainwindow/review/ReviewView.h"
#include "resources/MenuTables.h"

namespace {

// A control that has the focus, so QTest's keys go through the window's key filter.
QWidget* Focused(WindowHarness& h)
{
    QWidget* w = h.Item<QPushButton>(kIdOpenEdf);
    w->setFocus();
    return w;
}

}  // namespace

TEST(ReviewPaging, ArrowKeysAndButtonsPageByTheRange)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 45));
    QWidget* target = Focused(h);
    auto* bar = h.Item<QScrollBar>(kIdScrollBar);
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int first;
        const char* shown;
    };
    const Step steps[] = {
        {Qt::Key_Right, Qt::NoModifier, 15, "2024/01/03 00:00:05-00:00:35"},
        {Qt::Key_Right, Qt::NoModifier, 15, "2024/01/03 00:00:05-00:00:35"},
        {Qt::Key_Left, Qt::NoModifier, 0, "2024/01/02 23:59:50-00:00:20"},
        {Qt::Key_Right, Qt::AltModifier, 15, "2024/01/03 00:00:05-00:00:35"},
        {Qt::Key_Left, Qt::AltModifier, 0, "2024/01/02 23:59:50-00:00:20"},
    };
    for (const Step& s : steps) {
        QTest::keyClick(target, s.key, s.modifiers);
        EXPECT_EQ(h.Probe().FirstSecond(), s.first);
        EXPECT_EQ(bar->value(), s.first);
        EXPECT_EQ(FieldText(h, kIdNowTime), s.shown);
        EXPECT_TRUE(target->hasFocus());
    }
    // The arrow buttons page the same way; the graphs show the new slice.
    const sEdfFixture f = ReviewFiles::OwnFixture(45);
    QTest::mouseClick(h.Item<QPushButton>(kIdRight), Qt::LeftButton);
    EXPECT_EQ(h.Probe().FirstSecond(), 15);
    EXPECT_NEAR(h.Probe().GraphEeg()->GetStoredData()[0], EdfPhysical(f, f.value(0, 15 * 128)), 1e-3);
    QTest::mouseClick(h.Item<QPushButton>(kIdLeft), Qt::LeftButton);
    EXPECT_EQ(h.Probe().FirstSecond(), 0);
}

TEST(ReviewPaging, ZoomKeysInReviewKeepTheCursorAndStopAtTheFile)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 100));
    QWidget* target = Focused(h);
    h.dlg->SetTimeRange(60);
    QTest::keyClick(target, Qt::Key_Minus);
    EXPECT_EQ(h.Probe().TimeRange(), 100);
    EXPECT_EQ(h.Probe().ShowAll(), 1);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXMax(), 100.0);
    QTest::keyClick(target, Qt::Key_Minus);
    EXPECT_EQ(h.Probe().TimeRange(), 100);
    QTest::keyClick(target, Qt::Key_Plus);
    EXPECT_EQ(h.Probe().TimeRange(), 60);
    EXPECT_EQ(h.Probe().ShowAll(), 0);
    // Down to 2 seconds, whose axis counts half seconds.
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(target, Qt::Key_Plus);
    EXPECT_EQ(h.Probe().TimeRange(), 2);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXFormat(), "%1.1f");
    EXPECT_EQ(h.Probe().GraphEeg()->GetXGridCount(), 3);
    EXPECT_EQ(h.Probe().GraphEeg()->GetStoredData().size(), 2u * 128);
    // The live sweep rings were never touched by the review's ranges.
    EXPECT_EQ(h.Probe().GraphEeg()->GetSize(), 30 * 128);
}

TEST(ReviewPaging, ADayLongFileZoomsOutToTheWholeFileAndPagesInPlace)
{
    ReviewFiles files;
    WindowHarness h;
    DropFile(h, files.Own("day.edf", 86400));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    EXPECT_EQ(h.Probe().ReviewSeconds(), 86400);
    EXPECT_EQ(FieldText(h, kIdStartTime), "2024/01/02 23:59:50-23:59:50");
    QWidget* target = Focused(h);
    const int expected[] = {60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 14400, 86400, 86400};
    const char* units[] = {"[秒]", "[分]", "[分]", "[分]", "[分]", "[分]", "[分]", "[時間]", "[時間]", "[時間]", "[秒]", "[秒]"};
    for (size_t i = 0; i < std::size(expected); ++i) {
        QTest::keyClick(target, Qt::Key_Minus);
        EXPECT_EQ(h.Probe().TimeRange(), expected[i]);
        EXPECT_EQ(h.Probe().GraphEeg()->GetXLabel(), units[i]) << expected[i];
    }
    // The whole file: "[秒]" from 0 to 86400 without inner grid lines; the bar at 0 with a
    // page of the whole file; each graph keeps at most 16384 points.
    EXPECT_EQ(h.Probe().ShowAll(), 1);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXMax(), 86400.0);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXGridCount(), 0);
    EXPECT_LE(h.Probe().GraphEeg()->GetStoredData().size(), 16384u);
    EXPECT_EQ(h.Item<QScrollBar>(kIdScrollBar)->maximum(), 0);
    // Paging under "ALL" stays at 0 and takes the spectrum it has.
    const std::size_t computed = h.Probe().SpectrumComputations();
    QTest::keyClick(target, Qt::Key_Right);
    QTest::keyClick(target, Qt::Key_Left);
    EXPECT_EQ(h.Probe().FirstSecond(), 0);
    EXPECT_EQ(h.Probe().SpectrumComputations(), computed);
    QTest::keyClick(target, Qt::Key_Plus);
    EXPECT_EQ(h.Probe().TimeRange(), 14400);
    EXPECT_EQ(h.Probe().ShowAll(), 0);
}

TEST(ReviewPaging, TheCursorStaysOnItsSecondWhenZooming)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 600));
    QWidget* target = Focused(h);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(target, Qt::Key_Right);
    ASSERT_EQ(h.Probe().FirstSecond(), 120);
    // A click at the middle of the EEG plot: second 135.
    CRealTimeGraph* eeg = h.Probe().GraphEeg();
    const QRect plot = eeg->PlotRect();
    QTest::mouseClick(eeg, Qt::LeftButton, Qt::NoModifier, QPoint(plot.left() + plot.width() / 2, plot.center().y()));
    EXPECT_NEAR(h.Probe().CursorFraction(), 0.5, 0.01);
    EXPECT_EQ(h.Probe().CursorSecond(), 135);
    // Minus: 60 s, starting 30 s before the cursor second.
    QTest::keyClick(target, Qt::Key_Minus);
    EXPECT_EQ(h.Probe().TimeRange(), 60);
    EXPECT_EQ(h.Probe().FirstSecond(), 135 - static_cast<int>(60 * h.Probe().CursorFraction()));
    EXPECT_EQ(h.Probe().CursorSecond(), 135);
    EXPECT_EQ(h.Item<QScrollBar>(kIdScrollBar)->value(), h.Probe().FirstSecond());
}

TEST(ReviewTimeRange, EveryCommandOfBothMenusSetsItsRange)
{
    WindowHarness h;
    // Real time: the ranges up to 2 minutes, and the sweep rings follow (range × 128).
    for (size_t i = 0; i < 7; ++i) {
        const sTimeRangeCommand& c = kTimeRangeCommands[i];
        h.dlg->CommandAction(c.mainId)->trigger();
        EXPECT_EQ(h.Probe().TimeRange(), c.seconds) << c.caption;
        EXPECT_EQ(h.Probe().GraphEeg()->GetSize(), c.seconds * 128) << c.caption;
    }
    EXPECT_EQ(h.Probe().GraphEmg()->GetSize(), 120 * 128);
    for (size_t i = 7; i-- > 0;) {
        const sTimeRangeCommand& c = kTimeRangeCommands[i];
        h.dlg->OnCommand(c.contextId);
        EXPECT_EQ(h.Probe().TimeRange(), c.seconds) << c.caption;
        EXPECT_EQ(h.Probe().GraphEmg()->GetSize(), c.seconds * 128) << c.caption;
    }
    h.dlg->OnCommand(kTimeRangeCommands[4].mainId);
    // "ALL" before any file was opened does nothing.
    h.dlg->OnCommand(32803);
    h.dlg->OnCommand(32837);
    EXPECT_EQ(h.Probe().TimeRange(), 30);

    // Review of a 5-hour file: every fixed range from either menu, then "ALL".
    ReviewFiles files;
    OpenByDialog(h, files.Own("b.edf", 18000));
    for (const sTimeRangeCommand& c : kTimeRangeCommands) {
        for (int id : {c.mainId, c.contextId}) {
            h.dlg->OnCommand(id);
            const int range = c.seconds ? c.seconds : 18000;
            EXPECT_EQ(h.Probe().TimeRange(), range) << c.caption;
            EXPECT_EQ(h.Probe().ShowAll(), c.seconds ? 0 : 1) << c.caption;
            EXPECT_EQ(h.Item<QScrollBar>(kIdScrollBar)->pageStep(), range);
            EXPECT_EQ(h.Probe().GraphEeg()->GetXMax(), RangeAxisFor(range).xMax);
        }
    }
    // A 60-second file under "ALL" takes the one-minute row of the table.
    OpenByDialog(h, files.Own("c.edf", 60));
    EXPECT_EQ(h.Probe().TimeRange(), 60);
    EXPECT_EQ(h.Probe().ShowAll(), 1);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXGridCount(), 5);
}
