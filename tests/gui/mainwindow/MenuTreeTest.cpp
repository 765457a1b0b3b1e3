// The whole menu bar (captions, ids, separators, greyed and checked items) as it stands
// after a menu opens, compared with tables written out by hand, in each mode and for files
// of several lengths; and the refresh that runs on every opening.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QMenuBar>
#include <QStyle>

#include <algorithm>

#include "MenuTestSupport.h"
#include "ReviewSupport.h"
#include "WindowHarness.h"
#include "support/Screenshot.h"

namespace {

// The states of one menu bar, one character per item (see AppendItems).
struct MenuBarStates {
    const char* views = "xxx";               // checked: 脳波グラフ, 筋電グラフ, 脳波FFT
    const char* files = "EE";                // enabled: EDFファイルオープン..., 保存ファイル設定...
    const char* timeEnabled = "EEEEEEEggggggggg";
    const char* timeChecked = "....x...........";
    const char* eegChecked = ".....x...";    // ±200 μV
    const char* emgChecked = ".....x.....";  // ±200 μV
    const char* fft = "E";                   // FFT設定...
    const char* comm = "EE";                 // 通信設定..., 受信機情報設定
    const char* help = "E";                  // バージョン情報
};

std::vector<std::string> ExpectedMenuBar(const MenuBarStates& s)
{
    std::vector<std::string> m = {"ファイル >"};
    AppendItems(m, 1, {"EDFファイルオープン...", "保存ファイル設定..."}, {32777, 32778}, s.files, "..");
    m.push_back("表示 >");
    m.push_back("  表示グラフ >");
    AppendItems(m, 2, {"脳波グラフ", "筋電グラフ", "脳波FFT"}, {32850, 32851, 32852}, "EEE", s.views);
    m.push_back("  --");
    m.push_back("  時間範囲設定 >");
    AppendItems(m, 2, kTimeCaptions, kMainTimeIds, s.timeEnabled, s.timeChecked);
    m.push_back("  電圧範囲設定(脳波) >");
    AppendItems(m, 2, std::vector<const char*>(kVoltCaptions.begin(), kVoltCaptions.begin() + 9), kEegVoltIds,
                "EEEEEEEEE", s.eegChecked);
    m.push_back("  電圧範囲設定(筋電) >");
    AppendItems(m, 2, kVoltCaptions, kEmgVoltIds, "EEEEEEEEEEE", s.emgChecked);
    m.push_back("  --");
    AppendItems(m, 1, {"FFT設定..."}, {32853}, s.fft, ".");
    m.push_back("通信 >");
    AppendItems(m, 1, {"通信設定...", "受信機情報設定"}, {32781, 32857}, s.comm, "..");
    m.push_back("ヘルプ >");
    AppendItems(m, 1, {"バージョン情報"}, {32782}, s.help, ".");
    return m;
}

// Opens and closes each menu of the bar, as the user would look into them, and reads the
// whole tree.
std::vector<std::string> OpenedMenuBar(CVelquinDlg& dlg)
{
    for (QAction* top : dlg.menuBar()->actions()) {
        top->menu()->popup(dlg.mapToGlobal(QPoint(10, 10)));
        QCoreApplication::processEvents();
        top->menu()->hide();
    }
    return DumpMenu(dlg.menuBar()->actions());
}

// Opens a file of `seconds` one-second records through the file dialog, as the user does.
void Review(WindowHarness& h, const ReviewFiles& files, long long seconds)
{
    sEdfFixture f;
    f.records = seconds;
    OpenByDialog(h, files.Write("night" + std::to_string(seconds) + ".edf", f));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    ASSERT_EQ(h.Probe().ReviewSeconds(), seconds);
}

MenuBarStates ReviewStates(const char* timeEnabled, const char* timeChecked)
{
    MenuBarStates s;
    s.files = "Eg";
    s.comm = "gg";
    s.timeEnabled = timeEnabled;
    s.timeChecked = timeChecked;
    return s;
}

// The first column of an item's row, inside the menu's frame, that differs from the menu's
// background: where its mark starts, or its caption when it shows no mark.
int FirstInkColumn(const QImage& image, const QRect& row, int frame)
{
    const QRect item = row.adjusted(frame, frame, -frame, -frame);
    const QRgb background = image.pixel(item.right(), item.center().y());
    for (int x = item.left(); x <= item.right(); ++x)
        for (int y = item.top(); y <= item.bottom(); ++y)
            if (image.pixel(x, y) != background)
                return x;
    return item.right() + 1;
}

// Opens the menu as the user sees it and checks that no unchecked item draws anything where
// the checked ones draw their mark.
void ExpectMarksOnCheckedItemsOnly(QMenu& menu, const QString& screenshot = {})
{
    SCOPED_TRACE(menu.title().toStdString());
    menu.popup(QPoint(10, 10));
    QCoreApplication::processEvents();
    const QImage image = menu.grab().toImage();
    if (!screenshot.isEmpty()) {
        EXPECT_TRUE(SaveScreenshot(image, screenshot));
    }
    // The first and last rows, and every row's ends, reach under the menu's border, which is
    // at least a pixel wide.
    const int frame = std::max(1, menu.style()->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, &menu));
    std::vector<int> marked, plain;
    for (QAction* action : menu.actions()) {
        if (action->isSeparator() || action->menu())
            continue;
        (action->isChecked() ? marked : plain).push_back(FirstInkColumn(image, menu.actionGeometry(action), frame));
    }
    menu.hide();
    ASSERT_FALSE(marked.empty());
    ASSERT_FALSE(plain.empty());
    EXPECT_LT(*std::max_element(marked.begin(), marked.end()), *std::min_element(plain.begin(), plain.end()));
}

QMenu* MenuOf(CVelquinDlg& dlg, int id)
{
    return qobject_cast<QMenu*>(dlg.CommandAction(id)->parent());
}

}  // namespace

TEST(MenuTree, OnlyCheckedItemsShowAMarkInBothMenus)
{
    WindowHarness h;
    h.Item<QCheckBox>(1075)->setChecked(false);
    OpenedMenuBar(*h.dlg);
    ExpectMarksOnCheckedItemsOnly(*MenuOf(*h.dlg, 32850));
    ExpectMarksOnCheckedItemsOnly(*MenuOf(*h.dlg, 32787), QStringLiteral("menu_time_range"));
    ExpectMarksOnCheckedItemsOnly(*MenuOf(*h.dlg, 32805));
    ExpectMarksOnCheckedItemsOnly(*MenuOf(*h.dlg, 32813));

    int shown = 0;
    h.popup = [&shown](QMenu& menu, const QPoint&) -> QAction* {
        ++shown;
        ExpectMarksOnCheckedItemsOnly(*menu.actions().at(0)->menu());
        ExpectMarksOnCheckedItemsOnly(*menu.actions().at(1)->menu(), QStringLiteral("menu_context_voltage"));
        return nullptr;
    };
    h.Probe().RButtonDown(h.Probe().GraphEeg()->geometry().center());
    EXPECT_EQ(shown, 1);
}

TEST(MenuTree, IdleOffersRangesUpToTwoMinutesAndMarksTheDefaults)
{
    WindowHarness h;
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar({}));
}

TEST(MenuTree, MarksFollowTheWindowOnlyWhenAMenuOpens)
{
    WindowHarness h;
    OpenedMenuBar(*h.dlg);
    h.dlg->SetTimeRange(10);
    h.dlg->SetEegVoltageRange(50);
    h.dlg->SetEmgVoltageRange(20000);
    h.Item<QCheckBox>(1075)->setChecked(false);
    // The menu bar keeps its states until a menu opens.
    EXPECT_EQ(DumpMenu(h.dlg->menuBar()->actions()), ExpectedMenuBar({}));

    MenuBarStates s;
    s.views = "x.x";
    s.timeChecked = "..x.............";
    s.eegChecked = "...x.....";
    s.emgChecked = "..........x";
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(s));

    // A range no item carries marks none.
    h.Probe().SetTimeRangeField(45);
    s.timeChecked = "................";
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(s));
}

TEST(MenuTree, MeasuringLeavesOnlyTheFftSettingsAndTheAboutBox)
{
    WindowHarness h;
    h.dlg->SetMode(CVelquinDlg::kModeMeasuring);
    MenuBarStates s;
    s.files = "gg";
    s.comm = "gg";
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(s));

    h.dlg->SetMode(CVelquinDlg::kModeTalking);
    s.fft = "g";
    s.help = "g";
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(s));
}

TEST(MenuTree, ReviewOffersTheRangesShorterThanTheFileAndAll)
{
    ReviewFiles files;
    {
        SCOPED_TRACE("3-s file, whole file shown");
        WindowHarness h;
        Review(h, files, 3);
        EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(ReviewStates("EggggggggggggggE", "...............x")));
    }
    {
        SCOPED_TRACE("30-s file, whole file shown: 30秒 and ALL both marked, 30秒 greyed");
        WindowHarness h;
        Review(h, files, 30);
        EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(ReviewStates("EEEEgggggggggggE", "....x..........x")));
    }
    {
        SCOPED_TRACE("24-hour file at 30 s");
        WindowHarness h;
        Review(h, files, 86400);
        EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(ReviewStates("EEEEEEEEEEEEEEEE", "....x...........")));
        h.dlg->CommandAction(32803)->trigger();  // ALL
        EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(ReviewStates("EEEEEEEEEEEEEEEE", "...............x")));
    }
}

TEST(MenuTree, BackInRealTimeTheRangesUpToTwoMinutesReturnAndAllStaysGreyed)
{
    ReviewFiles files;
    WindowHarness h;
    Review(h, files, 3);
    OpenedMenuBar(*h.dlg);
    h.dlg->ReturnToRealTimeMode();
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar({}));

    // The last file's length is kept: a real-time range of the same length marks "ALL" too.
    WindowHarness g;
    Review(g, files, 30);
    g.dlg->ReturnToRealTimeMode();
    MenuBarStates s;
    s.timeChecked = "....x..........x";
    EXPECT_EQ(OpenedMenuBar(*g.dlg), ExpectedMenuBar(s));
}

TEST(MenuTree, ViewItemsToggleTheirCheckBoxAndTheirMark)
{
    WindowHarness h;
    OpenedMenuBar(*h.dlg);
    h.dlg->CommandAction(32852)->trigger();
    EXPECT_FALSE(h.Item<QCheckBox>(1076)->isChecked());
    EXPECT_FALSE(h.dlg->CommandAction(32852)->isChecked());
    EXPECT_FALSE(h.Probe().ChartFft()->isVisible());
    MenuBarStates s;
    s.views = "xx.";
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar(s));
    h.dlg->CommandAction(32852)->trigger();
    EXPECT_TRUE(h.Item<QCheckBox>(1076)->isChecked());
    EXPECT_TRUE(h.Probe().ChartFft()->isVisible());
    EXPECT_EQ(OpenedMenuBar(*h.dlg), ExpectedMenuBar({}));
}
