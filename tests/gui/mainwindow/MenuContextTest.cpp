// The graphs' context menu: where a right press opens it, the graph it then works on, its
// items greyed and checked for real time and for review, and that it is made afresh and
// shown at the press.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "MenuTestSupport.h"
#include "ReviewSupport.h"
#include "WindowHarness.h"

namespace {

struct Shown {
    int count = 0;
    QString title;
    std::vector<std::string> tree;
    QPoint at;
    QPointer<QMenu> menu;
};

// Records each menu shown and chooses nothing.
void Record(WindowHarness& h, Shown& shown)
{
    h.popup = [&shown](QMenu& menu, const QPoint& at) -> QAction* {
        ++shown.count;
        shown.title = menu.title();
        shown.tree = DumpMenu(menu.actions());
        shown.at = at;
        shown.menu = &menu;
        return nullptr;
    };
}

std::vector<std::string> ExpectedContextMenu(const char* timeEnabled, const char* timeChecked,
                                             const char* voltEnabled, const char* voltChecked)
{
    std::vector<std::string> m = {"時間範囲設定 >"};
    AppendItems(m, 1, kTimeCaptions, kContextTimeIds, timeEnabled, timeChecked);
    m.push_back("電圧範囲設定 >");
    AppendItems(m, 1, kVoltCaptions, kContextVoltIds, voltEnabled, voltChecked);
    return m;
}

QPoint Inside(QWidget* graph)
{
    return graph->geometry().center();
}

}  // namespace

TEST(MenuContext, OverEachGraphInRealTime)
{
    WindowHarness h;
    Shown shown;
    Record(h, shown);
    h.dlg->SetEmgVoltageRange(10000);

    const QPoint eeg = Inside(h.Probe().GraphEeg());
    h.Probe().RButtonDown(eeg);
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(shown.title, QString::fromUtf8("表示"));
    EXPECT_EQ(shown.at, h.Probe().ClientArea()->mapToGlobal(eeg));
    EXPECT_EQ(shown.tree, ExpectedContextMenu("EEEEEEEggggggggg", "....x...........", "EEEEEEEEEgg", ".....x....."));
    EXPECT_EQ(h.Probe().MenuTargets().first, 1);
    EXPECT_EQ(h.Probe().MenuTargets().second, 0);
    // The menu lives only while it is shown.
    EXPECT_TRUE(shown.menu.isNull());

    h.Probe().RButtonDown(Inside(h.Probe().GraphEmg()));
    ASSERT_EQ(shown.count, 2);
    EXPECT_EQ(shown.tree, ExpectedContextMenu("EEEEEEEggggggggg", "....x...........", "EEEEEEEEEEE", ".........x."));
    EXPECT_EQ(h.Probe().MenuTargets().first, 0);
    EXPECT_EQ(h.Probe().MenuTargets().second, 1);
}

TEST(MenuContext, OverEachGraphInReviewAfterPlacingTheCursor)
{
    ReviewFiles files;
    WindowHarness h;
    Shown shown;
    OpenByDialog(h, files.Own("thirty.edf", 30));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    CRealTimeGraph* eeg = h.Probe().GraphEeg();
    // The cursor goes to the press before the menu opens, on both graphs.
    int cursorWhenShown = -1;
    h.popup = [&](QMenu& menu, const QPoint&) -> QAction* {
        cursorWhenShown = h.Probe().CursorSecond();
        shown.tree = DumpMenu(menu.actions());
        return nullptr;
    };
    const QRect plot = eeg->PlotRect().translated(eeg->pos());
    h.Probe().RButtonDown(QPoint(plot.left() + plot.width() / 2, plot.center().y()));
    EXPECT_EQ(cursorWhenShown, 15);
    EXPECT_EQ(h.Probe().GraphEmg()->GetCursorFraction(), eeg->GetCursorFraction());
    EXPECT_EQ(shown.tree, ExpectedContextMenu("EEEEgggggggggggE", "....x..........x", "EEEEEEEEEgg", ".....x....."));

    WindowHarness g;
    Record(g, shown);
    sEdfFixture f;
    f.records = 7200;
    OpenByDialog(g, files.Write("two-hours.edf", f));
    g.dlg->CommandAction(32795)->trigger();  // 10分
    g.dlg->CommandAction(32848)->trigger();  // EMG ±30μV
    g.Probe().RButtonDown(Inside(g.Probe().GraphEmg()));
    EXPECT_EQ(shown.tree, ExpectedContextMenu("EEEEEEEEEEEEgggE", "........x.......", "EEEEEEEEEEE", "..x........"));
    EXPECT_EQ(g.Probe().MenuTargets(), std::make_pair(0, 1));
}

TEST(MenuContext, APressOutsideTheGraphsShowsNothingAndKeepsTheTarget)
{
    WindowHarness h;
    Shown shown;
    Record(h, shown);
    h.Probe().RButtonDown(Inside(h.Probe().GraphEmg()));
    ASSERT_EQ(shown.count, 1);

    const QRect eeg = h.Probe().GraphEeg()->geometry();
    const QPoint outside[] = {
        QPoint(eeg.right() + 1, eeg.center().y()),   // the right edge belongs to the neighbour
        QPoint(eeg.center().x(), eeg.bottom() + 1),  // as does the bottom edge
        QPoint(eeg.left() - 1, eeg.top()),
        Inside(h.Probe().ChartFft()),
        QPoint(5, 5),
    };
    for (const QPoint& p : outside)
        h.Probe().RButtonDown(p);
    EXPECT_EQ(shown.count, 1);
    EXPECT_EQ(h.Probe().MenuTargets().first, 0);
    EXPECT_EQ(h.Probe().MenuTargets().second, 1);

    // The top-left corner is inside.
    h.Probe().RButtonDown(eeg.topLeft());
    EXPECT_EQ(shown.count, 2);
    EXPECT_EQ(h.Probe().MenuTargets().first, 1);

    // A graph that is not shown takes no press (its place may now be the other graph's).
    h.Item<QCheckBox>(1074)->click();
    ASSERT_FALSE(h.Probe().GraphEeg()->isVisible());
    EXPECT_TRUE(h.Probe().GraphEeg()->geometry().isEmpty());
    h.Probe().RButtonDown(eeg.center());
    EXPECT_EQ(h.Probe().MenuTargets().first, 0);
}

TEST(MenuContext, ARightPressOnAGraphReachesTheWindow)
{
    WindowHarness h;
    Shown shown;
    Record(h, shown);
    CRealTimeGraph* emg = h.Probe().GraphEmg();
    QTest::mousePress(emg, Qt::RightButton, {}, QPoint(20, 15));
    ASSERT_EQ(shown.count, 1);
    EXPECT_EQ(h.Probe().MenuTargets().second, 1);
    EXPECT_EQ(shown.at, emg->mapToGlobal(QPoint(20, 15)));
    // The left button opens nothing.
    QTest::mousePress(emg, Qt::LeftButton, {}, QPoint(20, 15));
    EXPECT_EQ(shown.count, 1);
}

TEST(MenuContext, TheRealMenuOpensAtThePressAndClosesWithoutAChoice)
{
    WindowHarness h;
    QStringList seen;
    QTimer::singleShot(0, [&seen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        seen << menu->title();
        for (QAction* a : menu->actions())
            seen << a->text();
        menu->close();
    });
    h.Probe().RButtonDown(Inside(h.Probe().GraphEeg()));
    EXPECT_EQ(seen, (QStringList{QString::fromUtf8("表示"), QString::fromUtf8("時間範囲設定"),
                                 QString::fromUtf8("電圧範囲設定")}));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}
