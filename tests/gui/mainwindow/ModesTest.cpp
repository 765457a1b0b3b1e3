// Leaving review for real time (with its question), the state a refused file leaves, the
// Start button's road to the connection, and the time range in review.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "WindowHarness.h"

TEST(MainWindowModes, BackToRealTimeAsksAndOnlyYesResetsTheView)
{
    WindowHarness h;
    h.Probe().EnterReview("night.edf", "", 3600);
    h.dlg->SetTimeRange(600);
    h.dlg->SetEegVoltageRange(50);
    const QString question = QString::fromUtf8(
        "リアルタイム計測モードに戻ると、グラフはリセットされ表示範囲もデフォルトの設定に戻ります。\r\nよろしいですか？");

    h.prompter->answers = {IDNO};
    h.Item<QPushButton>(1079)->click();
    ASSERT_EQ(h.prompter->shown.size(), 1u);
    EXPECT_EQ(h.prompter->shown[0].text, question);
    EXPECT_EQ(h.prompter->shown[0].buttons, ePromptButtons::YesNo);
    EXPECT_EQ(h.prompter->shown[0].icon, ePromptIcon::Question);
    EXPECT_EQ(h.dlg->GetMode(), 4);
    EXPECT_EQ(h.Probe().TimeRange(), 600);
    EXPECT_TRUE(h.Probe().HasReviewArrays());

    h.prompter->answers = {IDYES};
    h.Item<QPushButton>(1079)->click();
    EXPECT_EQ(h.dlg->GetMode(), 0);
    EXPECT_EQ(h.Probe().TimeRange(), 30);
    EXPECT_EQ(h.Probe().EegYMax(), 200);
    EXPECT_EQ(h.Probe().GraphEeg()->GetSize(), 30 * 128);
    EXPECT_EQ(h.Probe().GraphEeg()->GetYLabel(), "[uV]");
    EXPECT_EQ(h.Probe().GraphEeg()->GetXLabel(), QString::fromUtf8("[秒]"));
    EXPECT_FALSE(h.Probe().HasReviewArrays());
    EXPECT_EQ(h.Item<QLabel>(1077)->text(), QString::fromUtf8("計測開始時刻："));
    EXPECT_EQ(h.Item<QLabel>(1071)->text(), QString::fromUtf8("現在時刻："));
    EXPECT_EQ(h.Item<QLineEdit>(1078)->text(), "");
    EXPECT_EQ(h.Item<QLineEdit>(1072)->text(), "");
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [/dev/ttyUSB0]");
    EXPECT_TRUE(h.Item<QPushButton>(1068)->isVisible());
    EXPECT_FALSE(h.Item<QPushButton>(1079)->isVisible());
}

TEST(MainWindowModes, ARefusedFileLeavesIdleWithoutANewLayout)
{
    WindowHarness h;
    h.Probe().EnterReview("night.edf", "", 3600);
    h.dlg->ResetAfterLoadFailure();
    EXPECT_EQ(h.dlg->GetMode(), 0);
    // The review's buttons stay where review put them; the review row is hidden.
    EXPECT_FALSE(h.Item<QPushButton>(1068)->isVisible());
    EXPECT_TRUE(h.Item<QPushButton>(1070)->isVisible());
    EXPECT_TRUE(h.Item<QPushButton>(1079)->isVisible());
    for (int id : {1081, 1080, 1082})
        EXPECT_FALSE(h.dlg->DlgItem(id)->isVisible()) << id;
    // The back button leads to the idle layout.
    h.Item<QPushButton>(1079)->click();
    EXPECT_TRUE(h.Item<QPushButton>(1068)->isVisible());
}

TEST(MainWindowMeasure, StartWithoutAPortOpensTheCommunicationSettings)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) { w.portName.clear(); });
    h.wave->ClearCalls();
    h.Item<QPushButton>(1068)->click();
    EXPECT_EQ(h.dialogs->opened, QStringList{"CommunicationSetting"});
    EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{0});
    EXPECT_EQ(h.wave->Commands(), std::vector<std::string>{"Disconnect"});
    EXPECT_EQ(h.dlg->GetMode(), 0);

    // OK without choosing a port: the same error.
    h.dialogs->communicationResult = IDOK;
    h.prompter->shown.clear();
    h.Item<QPushButton>(1068)->click();
    EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{0});

    // A port chosen: the title shows it and the confirmation follows.
    h.dialogs->portChosen = "/dev/ttyUSB1";
    h.prompter->shown.clear();
    h.prompter->answers = {IDCANCEL};
    h.Item<QPushButton>(1068)->click();
    EXPECT_EQ(h.dlg->windowTitle(), "Velquin [/dev/ttyUSB1]");
    ASSERT_EQ(h.prompter->shown.size(), 1u);
    EXPECT_EQ(h.prompter->shown[0].buttons, ePromptButtons::YesNoCancel);
}

TEST(MainWindowMeasure, TheConfirmationDecidesBetweenConnectingAndTheSettings)
{
    WindowHarness h;
    h.wave->ClearCalls();
    h.prompter->answers = {IDCANCEL};
    h.Item<QPushButton>(1068)->click();
    EXPECT_TRUE(h.wave->Commands().empty());
    EXPECT_TRUE(h.dialogs->opened.isEmpty());

    h.prompter->answers = {IDNO};
    h.Item<QPushButton>(1068)->click();
    EXPECT_EQ(h.dialogs->opened, QStringList{"SavedFileSetting"});
    EXPECT_TRUE(h.wave->Commands().empty());

    h.prompter->answers = {IDYES};
    h.Item<QPushButton>(1068)->click();
    EXPECT_EQ(h.wave->Commands(), std::vector<std::string>{"Connect"});
    EXPECT_EQ(h.dlg->GetMode(), 1);

    // A port that cannot be opened: closed again, error 1, idle.
    h.dlg->SetMode(0);
    h.wave->sendResult = 0;
    h.wave->ClearCalls();
    h.prompter->shown.clear();
    h.prompter->answers = {IDYES};
    h.Item<QPushButton>(1068)->click();
    EXPECT_EQ(h.wave->Commands(), (std::vector<std::string>{"Connect", "Disconnect"}));
    EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{1});
    EXPECT_EQ(h.dlg->GetMode(), 0);
}

TEST(MainWindowMeasure, StopAndTheMemoryCardCommand)
{
    WindowHarness h;
    h.dlg->SetMode(2);
    h.wave->ClearCalls();
    h.Item<QPushButton>(1069)->click();
    EXPECT_EQ(h.wave->Commands(), std::vector<std::string>{"SendCommand7"});
    EXPECT_EQ(h.dlg->GetMode(), 1);
    h.wave->sendResult = 0;
    EXPECT_EQ(h.dlg->StopMeasurement(), 0);

    h.dlg->SetMode(0);
    h.wave->sendResult = 1;
    h.wave->ClearCalls();
    h.dlg->CommandAction(32855)->trigger();
    EXPECT_EQ(h.wave->Commands(), (std::vector<std::string>{"OpenAndReceive", "RequestCardInfo"}));
    EXPECT_EQ(h.dlg->GetMode(), 1);
}

TEST(MainWindowTimeRange, ReviewKeepsTheCursorOnItsSecond)
{
    WindowHarness h;
    h.Probe().EnterReview("a.edf", "", 3600);
    struct Case {
        int second;
        double fraction;
        int from, to;
        int first;
        double fractionAfter;
    };
    const Case cases[] = {
        {100, 0.5, 30, 60, 70, 0.5},
        {10, 0.5, 30, 30, 0, 10.0 / 30},
        {3590, 0.5, 30, 30, 3570, 20.0 / 30},
    };
    for (const Case& c : cases) {
        h.Probe().SetTimeRangeField(c.from);
        h.Probe().SetCursor(c.second, c.fraction);
        h.dlg->SetTimeRange(c.to);
        EXPECT_EQ(h.Probe().FirstSecond(), c.first) << c.second;
        EXPECT_DOUBLE_EQ(h.Probe().CursorFraction(), c.fractionAfter) << c.second;
    }
    // The scroll bar: positions up to the last page, page = the range.
    auto* bar = h.Item<QScrollBar>(1080);
    EXPECT_EQ(bar->pageStep(), 30);
    EXPECT_EQ(bar->maximum(), 3600 - 30);
    EXPECT_EQ(bar->value(), 3570);
    // The whole file.
    h.dlg->SetTimeRange(3600);
    EXPECT_EQ(h.Probe().ShowAll(), 1);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXLabel(), QString::fromUtf8("[分]"));
}

TEST(MainWindowTimeRange, ZoomInReviewIsCappedByTheFile)
{
    WindowHarness h;
    h.Probe().EnterReview("a.edf", "", 21600);
    h.Probe().SetCursor(0, 0.0);
    h.dlg->SetTimeRange(14400);
    h.dlg->ZoomOut();
    EXPECT_EQ(h.Probe().TimeRange(), 21600);
    EXPECT_EQ(h.Probe().ShowAll(), 1);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXLabel(), QString::fromUtf8("[秒]"));
    EXPECT_EQ(h.Probe().GraphEeg()->GetXGridCount(), 0);
    EXPECT_EQ(h.Probe().GraphEeg()->GetXMax(), 21600.0);
    h.dlg->ZoomOut();
    EXPECT_EQ(h.Probe().TimeRange(), 21600);
    h.dlg->ZoomIn();
    EXPECT_EQ(h.Probe().TimeRange(), 14400);

    h.Probe().EnterReview("b.edf", "", 100);
    h.dlg->SetTimeRange(60);
    h.dlg->ZoomOut();
    EXPECT_EQ(h.Probe().TimeRange(), 100);
    h.dlg->ZoomIn();
    EXPECT_EQ(h.Probe().TimeRange(), 60);
}
