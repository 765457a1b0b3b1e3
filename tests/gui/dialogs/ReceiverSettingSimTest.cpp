// The receiver information dialog against the real receiver façade and the receiver
// simulator on a pseudo-terminal: version and clock read, a clock set from picked date and
// time as the exact frame, and a silent receiver.
#include <gtest/gtest.h>

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include <atomic>
#include <memory>

#include "ReceiverSettingFakes.h"
#include "ReceiverSim.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "support/CalendarTime.h"
#include "receiver/WaveIo.h"

namespace {

class CountingSink : public ILinkSink {
public:
    std::atomic<int> timeouts{0};
    void Post(int code, std::uint32_t) override
    {
        if (code == kLinkReplyTimeout)
            ++timeouts;
    }
};

std::tm SimClock()
{
    return CalendarTime(2025, 1, 2, 3, 4, 5);
}

struct SimFixture {
    rsim::ReceiverSim sim{[] {
        rsim::Options o;
        o.bytesPerSecond = 0;
        return o;
    }()};
    CountingSink sink;
    std::unique_ptr<CWaveIo> wave;
    RecordingPrompter prompter;
    std::unique_ptr<ReceiverSettingDlg> dialog;

    // The link's reply time-out leaves room for a busy machine, unless a test is about it.
    bool Start(sLinkTimings timings = {10, 5000})
    {
        if (!sim.Start())
            return false;
        sim.SetClock(SimClock());
        wave = std::make_unique<CWaveIo>(&sink, timings,
                                         sPortListRoots{"/nonexistent", "/nonexistent", false});
        wave->SetPortName(sim.SlavePath());
        sReceiverSettingServices services;
        services.prompter = &prompter;
        dialog = std::make_unique<ReceiverSettingDlg>(wave.get(), nullptr, services);
        dialog->show();
        return true;
    }
    ~SimFixture()
    {
        dialog.reset();
        wave.reset();
        sim.Stop();
    }
    std::string Letters() const
    {
        std::string letters;
        for (const rsim::LoggedCommand& c : sim.Commands())
            letters += c.letter;
        return letters;
    }
    template <typename T>
    T* Item(int id) const { return dialog->findChild<T*>(QString::number(id)); }
};

}  // namespace

TEST(ReceiverSettingSim, GetReadsVersionAndClockThenClosesThePort)
{
    SimFixture f;
    ASSERT_TRUE(f.Start());
    const std::uint32_t before = f.wave->GetGeneration();
    f.Item<QPushButton>(1113)->click();
    EXPECT_EQ(f.Item<QLabel>(1126)->text(), "2.0.1.3");
    // The simulator's clock runs on from the time it was set.
    EXPECT_TRUE(f.Item<QLabel>(1125)->text().startsWith("2025/01/02 03:04:0")) << f.Item<QLabel>(1125)->text().toStdString();
    EXPECT_EQ(f.Letters(), "vg");
    EXPECT_EQ(f.wave->Link().IsPortValid(), 0);
    EXPECT_EQ(f.wave->GetGeneration(), before + 2);  // opened, closed
    EXPECT_TRUE(f.prompter.texts.empty());
    EXPECT_TRUE(f.sim.Errors().empty());
}

TEST(ReceiverSettingSim, SetSendsThePickedDateAndTimeAsOneClockSetFrame)
{
    SimFixture f;
    ASSERT_TRUE(f.Start());
    f.Item<QRadioButton>(1134)->click();
    f.Item<QDateEdit>(1131)->setDate(QDate(2099, 12, 31));
    f.Item<QTimeEdit>(1130)->setTime(QTime(23, 59, 59));
    f.Item<QPushButton>(1114)->click();
    const auto commands = f.sim.Commands();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].letter, 's');
    EXPECT_EQ(commands[0].clockDigits, "991231235959");
    EXPECT_EQ(f.wave->Link().IsPortValid(), 0);
    EXPECT_TRUE(f.sim.Errors().empty());
}

TEST(ReceiverSettingSim, ASilentReceiverGivesDashesAndTheLinkWaitsForTheMainWindow)
{
    SimFixture f;
    ASSERT_TRUE(f.Start({10, 400}));
    f.sim.AddRule(rsim::On('v', rsim::Answer::Silent));
    f.Item<QPushButton>(1113)->click();
    EXPECT_EQ(f.Item<QLabel>(1126)->text(), "---");
    EXPECT_EQ(f.Item<QLabel>(1125)->text(), "---");
    EXPECT_EQ(f.Letters(), "v");  // the clock is not asked for
    EXPECT_EQ(f.sink.timeouts.load(), 1);
    // The main window, told of the time-out, closes the link; the dialog leaves it open.
    EXPECT_EQ(f.wave->Link().IsPortValid(), 1);

    // A refused reply instead: the dialog closes the link itself.
    f.wave->Disconnect();
    f.sim.AddRule(rsim::On('v', rsim::Answer::Nak));
    f.Item<QPushButton>(1113)->click();
    EXPECT_EQ(f.Item<QLabel>(1126)->text(), "---");
    EXPECT_EQ(f.wave->Link().IsPortValid(), 0);
    EXPECT_EQ(f.sink.timeouts.load(), 1);
}
