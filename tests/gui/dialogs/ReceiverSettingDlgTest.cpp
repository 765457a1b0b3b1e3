// The receiver information dialog against a scripted façade: the state it opens in, "取得"
// with every way a reply can end (and who closes the link then), "セット" with the PC's
// time and with a picked date, the refusals before anything is sent, the wait that handles
// no events, the keys, and a screenshot.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include "DialogTemplateChecks.h"
#include "ReceiverSettingFakes.h"
#include "app/MessageTables.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "support/CalendarTime.h"
#include "support/Screenshot.h"

namespace {

using Calls = std::vector<std::string>;

QString Error(int n)
{
    return QString::fromUtf8(g_strErrorMsg[static_cast<size_t>(n)].data(),
                             qsizetype(g_strErrorMsg[static_cast<size_t>(n)].size()));
}

// 2023/11/15 07:13:20, a Wednesday, day 318 of the year counted from 0.
std::tm Wednesday()
{
    std::tm t = CalendarTime(2023, 11, 15, 7, 13, 20);
    t.tm_wday = 3;
    t.tm_yday = 318;
    t.tm_isdst = 0;
    return t;
}

struct Fixture {
    ScriptedWaveIo wave;
    RecordingPrompter prompter;
    std::tm now = Wednesday();
    bool clockReadable = true;
    std::unique_ptr<ReceiverSettingDlg> dialog;

    explicit Fixture(int waitLimitMs = 2000)
    {
        sReceiverSettingServices services;
        services.prompter = &prompter;
        services.replyWaitLimit = std::chrono::milliseconds(waitLimitMs);
        services.localNow = [this](std::tm& t) {
            t = now;
            return clockReadable;
        };
        dialog = std::make_unique<ReceiverSettingDlg>(&wave, nullptr, services);
        dialog->show();
    }
    template <typename T>
    T* Item(int id) const { return dialog->findChild<T*>(QString::number(id)); }
    QString Version() const { return Item<QLabel>(1126)->text(); }
    QString Clock() const { return Item<QLabel>(1125)->text(); }
    void GetInfo() { Item<QPushButton>(1113)->click(); }
    void SetClock() { Item<QPushButton>(1114)->click(); }
    void Pick(const QDate& date, const QTime& time)
    {
        Item<QRadioButton>(1134)->click();
        Item<QDateEdit>(1131)->setDate(date);
        Item<QTimeEdit>(1130)->setTime(time);
    }
};

}  // namespace

TEST(ReceiverSettingDlg, OpensWithEmptyFieldsThePcClockCheckedAndPickersAtNow)
{
    Fixture f;
    ReceiverSettingDlg& d = *f.dialog;
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("受信機情報設定"));
    EXPECT_EQ(d.size(), QSize(327, 243));  // 218 × 162 dialog units
    // Every caption shows whole; the label "　時　　刻　　：" grows up to the value beside it
    // and by the rest to the left.
    CheckTemplateControls(d,
                          {
                              {1117, "受信機情報の取得", QRect(14, 12, 299, 92)},
                              {1120, "バ ー ジ ョ ン ：", QRect(33, 39, 68, 12)},
                              {1126, "", QRect(108, 39, 122, 12)},
                              {1121, "　時　　刻　　：", QRect(30, 62, 72, 12)},
                              {1125, "", QRect(108, 62, 122, 12)},
                              {1113, "取得", QRect(243, 74, 62, 21)},
                              {1118, "時間情報のセット", QRect(14, 114, 300, 90)},
                              {1134, "時刻指定", QRect(35, 140, 72, 15)},
                              {1131, nullptr, QRect(114, 137, 84, 23)},
                              {1129, "PCから取得", QRect(35, 168, 80, 15)},
                              {1114, "セット", QRect(243, 176, 62, 21)},
                              {1, "閉じる", QRect(242, 216, 75, 21)},
                          },
                          true);
    // What the texts need: the label "バ ー ジ ョ ン ：" whole, a clock text in the value
    // fields, a full date beside the picker's button; the time picker keeps its right edge
    // and the template's gap, and every control stays inside its group box.
    const QFontMetrics fm(d.font());
    EXPECT_GE(f.Item<QLabel>(1120)->width(), fm.horizontalAdvance(QString::fromUtf8("バ ー ジ ョ ン ：")));
    EXPECT_LE(f.Item<QLabel>(1120)->geometry().right(), f.Item<QLabel>(1126)->x());
    EXPECT_LT(f.Item<QLabel>(1121)->geometry().right(), f.Item<QLabel>(1125)->x());
    EXPECT_GT(f.Item<QLabel>(1121)->x(), f.Item<QWidget>(1117)->x());
    for (int id : {1125, 1126}) {
        EXPECT_GE(f.Item<QLabel>(id)->width(), fm.horizontalAdvance("2024/03/05 07:08:09")) << id;
        EXPECT_LE(f.Item<QLabel>(id)->geometry().right(), f.Item<QWidget>(1117)->geometry().right()) << id;
    }
    auto* datePicker = f.Item<QDateEdit>(1131);
    auto* timePicker = f.Item<QTimeEdit>(1130);
    EXPECT_GE(datePicker->width(), datePicker->sizeHint().width());
    EXPECT_EQ(timePicker->x() - datePicker->geometry().right() - 1, 9);
    EXPECT_EQ(timePicker->geometry().right(), 305);  // the template's 207 + 99 − 1
    EXPECT_EQ(timePicker->y(), 137);
    EXPECT_EQ(timePicker->height(), 23);
    EXPECT_GE(timePicker->width(), timePicker->sizeHint().width());
    EXPECT_TRUE(f.Item<QRadioButton>(1129)->isChecked());
    EXPECT_FALSE(f.Item<QRadioButton>(1134)->isChecked());
    EXPECT_TRUE(f.Item<QPushButton>(1)->isDefault());

    auto* date = f.Item<QDateEdit>(1131);
    auto* time = f.Item<QTimeEdit>(1130);
    EXPECT_EQ(date->displayFormat(), "yyyy/MM/dd");
    EXPECT_EQ(time->displayFormat(), "H:mm:ss");
    EXPECT_EQ(date->date(), QDate(2023, 11, 15));
    EXPECT_EQ(time->time(), QTime(7, 13, 20));
    EXPECT_EQ(date->minimumDate(), QDate(2000, 1, 1));
    EXPECT_EQ(date->maximumDate(), QDate(2099, 12, 31));
    date->setDate(QDate(1999, 12, 31));
    EXPECT_EQ(date->date(), QDate(2000, 1, 1));
    date->setDate(QDate(2100, 1, 1));
    EXPECT_EQ(date->date(), QDate(2099, 12, 31));
    // Either radio button leaves both pickers usable.
    f.Item<QRadioButton>(1134)->click();
    EXPECT_TRUE(date->isEnabled() && time->isEnabled());
    EXPECT_TRUE(f.wave.calls.empty());
}

TEST(ReceiverSettingDlg, GetShowsVersionAndClockAndClosesTheLink)
{
    Fixture f;
    f.wave.replies = {{}, {}};
    f.GetInfo();
    EXPECT_EQ(f.wave.calls, (Calls{"OpenAndReceive", "RequestVersion", "RequestClock", "Disconnect"}));
    EXPECT_EQ(f.Version(), "2.0.1.3");
    EXPECT_EQ(f.Clock(), "2024/03/05 07:08:09");
    EXPECT_TRUE(f.prompter.texts.empty());
}

TEST(ReceiverSettingDlg, FailedRepliesShowDashesAndOnlyATimeOutLeavesTheLinkOpen)
{
    const struct {
        const char* what;
        std::deque<sScriptedReply> replies;
        Calls calls;
    } cases[] = {
        {"version refused", {{2, kStateFailed, false}},
         {"OpenAndReceive", "RequestVersion", "Disconnect"}},
        {"version timed out", {{2, kStateFailed, true}}, {"OpenAndReceive", "RequestVersion"}},
        {"clock refused", {{}, {1, kStateFailed, false}},
         {"OpenAndReceive", "RequestVersion", "RequestClock", "Disconnect"}},
        {"clock timed out", {{}, {1, kStateFailed, true}}, {"OpenAndReceive", "RequestVersion", "RequestClock"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Fixture f;
        f.wave.replies = c.replies;
        f.GetInfo();
        EXPECT_EQ(f.wave.calls, c.calls);
        EXPECT_EQ(f.Version(), "---");
        EXPECT_EQ(f.Clock(), "---");
        EXPECT_TRUE(f.prompter.texts.empty());
    }
}

TEST(ReceiverSettingDlg, AReplyThatNeverComesEndsAtTheLimitAndTheDialogClosesTheLink)
{
    Fixture f(30);
    f.GetInfo();  // no reply scripted: the state stays "waiting"
    EXPECT_EQ(f.wave.calls, (Calls{"OpenAndReceive", "RequestVersion", "Disconnect"}));
    EXPECT_EQ(f.Version(), "---");

    // A command that cannot be handed to the port.
    Fixture g;
    g.wave.sendResult = 0;
    g.GetInfo();
    EXPECT_EQ(g.wave.calls, (Calls{"OpenAndReceive", "RequestVersion", "Disconnect"}));
    EXPECT_EQ(g.Clock(), "---");
}

TEST(ReceiverSettingDlg, APortThatWillNotOpenShowsErrorZeroAndClosesTheLink)
{
    Fixture f;
    f.wave.openResult = 0;
    f.GetInfo();
    EXPECT_EQ(f.wave.calls, (Calls{"OpenAndReceive", "Disconnect"}));
    EXPECT_EQ(f.prompter.texts, std::vector<QString>{Error(0)});
    EXPECT_EQ(f.Version(), "");

    f.wave.calls.clear();
    f.SetClock();
    EXPECT_EQ(f.wave.calls, (Calls{"OpenAndReceive", "Disconnect"}));
    EXPECT_EQ(f.prompter.texts, (std::vector<QString>{Error(0), Error(0)}));
    EXPECT_TRUE(f.wave.clocksSet.empty());
}

TEST(ReceiverSettingDlg, SetSendsThePcTimeWhateverThePickersShowAndKeepsTheFields)
{
    Fixture f;
    f.wave.replies = {{}, {}, {}};
    f.GetInfo();
    f.wave.calls.clear();
    f.Item<QDateEdit>(1131)->setDate(QDate(2050, 6, 1));
    f.wave.receiverClock = "2099/01/01 00:00:00";
    f.SetClock();
    EXPECT_EQ(f.wave.calls, (Calls{"OpenAndReceive", "SetReceiverClock", "Disconnect"}));
    ASSERT_EQ(f.wave.clocksSet.size(), 1u);
    const std::tm& t = f.wave.clocksSet[0];
    EXPECT_EQ(std::vector<int>({t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday, t.tm_yday}),
              std::vector<int>({123, 10, 15, 7, 13, 20, 3, 318}));
    // The clock is not read back.
    EXPECT_EQ(f.Clock(), "2024/03/05 07:08:09");
    EXPECT_EQ(f.Version(), "2.0.1.3");
}

TEST(ReceiverSettingDlg, APickedDateIsSentWithItsOwnWeekdayAndDayOfTheYear)
{
    const struct {
        QDate date;
        QTime time;
        std::vector<int> fields;  // year, month, day, hour, minute, second, weekday, day of year
    } cases[] = {
        {QDate(2099, 12, 31), QTime(23, 59, 59), {199, 11, 31, 23, 59, 59, 4, 364}},
        {QDate(2024, 2, 29), QTime(0, 0, 0), {124, 1, 29, 0, 0, 0, 4, 59}},
        {QDate(2000, 1, 1), QTime(12, 0, 1), {100, 0, 1, 12, 0, 1, 6, 0}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.wave.replies = {{}};
        f.Pick(c.date, c.time);
        f.SetClock();
        ASSERT_EQ(f.wave.clocksSet.size(), 1u);
        const std::tm& t = f.wave.clocksSet[0];
        EXPECT_EQ(std::vector<int>({t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, t.tm_wday, t.tm_yday}),
                  c.fields);
        EXPECT_EQ(t.tm_isdst, 0);
        EXPECT_EQ(f.wave.calls.back(), "Disconnect");
    }
}

TEST(ReceiverSettingDlg, NoTimeOrAYearTheCommandCannotCarryIsRefusedBeforeTheLinkOpens)
{
    Fixture f;
    f.clockReadable = false;
    f.SetClock();
    EXPECT_EQ(f.prompter.texts, std::vector<QString>{Error(17)});
    EXPECT_TRUE(f.wave.calls.empty());

    for (int year : {99, 200, 250}) {
        Fixture g;
        g.now.tm_year = year;  // 1999, 2100, 2150 on the PC's clock
        g.SetClock();
        EXPECT_EQ(g.prompter.texts, std::vector<QString>{Error(17)}) << year;
        EXPECT_TRUE(g.wave.calls.empty()) << year;
    }
}

TEST(ReceiverSettingDlg, AFailedSetLeavesTheLinkToTheMainWindowOnlyAfterATimeOut)
{
    Fixture refused;
    refused.wave.replies = {{1, kStateFailed, false}};
    refused.SetClock();
    EXPECT_EQ(refused.wave.calls, (Calls{"OpenAndReceive", "SetReceiverClock", "Disconnect"}));

    Fixture timedOut;
    timedOut.wave.replies = {{1, kStateFailed, true}};
    timedOut.SetClock();
    EXPECT_EQ(timedOut.wave.calls, (Calls{"OpenAndReceive", "SetReceiverClock"}));

    Fixture unsent;
    unsent.wave.sendResult = 0;
    unsent.SetClock();
    EXPECT_EQ(unsent.wave.calls, (Calls{"OpenAndReceive", "SetReceiverClock", "Disconnect"}));
    EXPECT_TRUE(unsent.prompter.texts.empty());
}

TEST(ReceiverSettingDlg, NoEventIsHandledWhileAReplyIsAwaited)
{
    Fixture f;
    f.wave.replies = {{40, kStateDone, false}, {40, kStateDone, false}};
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    f.GetInfo();
    EXPECT_FALSE(fired);
    EXPECT_GT(f.wave.pollsDuringWait, 80);
    EXPECT_EQ(f.Version(), "2.0.1.3");
    QCoreApplication::processEvents();
    EXPECT_TRUE(fired);
}

TEST(ReceiverSettingDlg, EnterPressesCloseAndEscapeCancels)
{
    Fixture f;
    QTest::keyClick(f.dialog.get(), Qt::Key_Return);
    EXPECT_FALSE(f.dialog->isVisible());
    EXPECT_EQ(f.dialog->result(), QDialog::Accepted);

    Fixture g;
    QTest::keyClick(g.dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(g.dialog->isVisible());
    EXPECT_EQ(g.dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(g.wave.calls.empty());
}

TEST(ReceiverSettingDlg, Screenshots)
{
    Fixture f;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.dialog.get()));
    ASSERT_TRUE(SaveScreenshot(*f.dialog, QStringLiteral("dialog_receiver_setting_open")));
    f.wave.replies = {{}, {}};
    f.GetInfo();
    f.Pick(QDate(2099, 12, 31), QTime(23, 59, 59));
    ASSERT_TRUE(SaveScreenshot(*f.dialog, QStringLiteral("dialog_receiver_setting_read")));
}
