// The receiver information dialog opened from its menu item, on the real receiver link to the
// receiver simulator: a silent receiver gives "---" in the dialog and the window's own
// time-out error, and the window closes the link.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "Fakes.h"
#include "ReceiverSim.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "mainwindow/VelquinDlg.h"
#include "receiver/WaveIo.h"

TEST(MenuReceiverSim, ASilentReceiverGivesDashesThenTheWindowsTimeOutError)
{
    rsim::Options options;
    options.bytesPerSecond = 0;
    rsim::ReceiverSim sim(options);
    ASSERT_TRUE(sim.Start());
    sim.AddRule(rsim::On('v', rsim::Answer::Silent));

    CWaveIo* wave = nullptr;
    sDlgServices services;
    services.makeWaveIo = [&sim, &wave](ILinkSink& sink) {
        auto io = std::make_unique<CWaveIo>(&sink, sLinkTimings{10, 400},
                                            sPortListRoots{"/nonexistent", "/nonexistent", false});
        io->SetPortName(sim.SlavePath());
        wave = io.get();
        return io;
    };
    auto prompter = std::make_unique<FakePrompter>();
    FakePrompter* boxes = prompter.get();
    services.prompter = std::move(prompter);
    services.profile = std::make_unique<MemoryProfile>();
    services.inhibitScreenSaver = false;
    CVelquinDlg dlg(std::move(services));
    dlg.show();

    QString version, clock;
    bool linkOpenAfterGet = false;
    std::vector<int> errorsWhileOpen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ReceiverSettingDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>(QStringLiteral("1113"))->click();
        version = dialog->findChild<QLabel*>(QStringLiteral("1126"))->text();
        clock = dialog->findChild<QLabel*>(QStringLiteral("1125"))->text();
        linkOpenAfterGet = wave->Link().IsPortValid() == 1;
        errorsWhileOpen = boxes->ErrorNumbers();
        // The window handles the link's time-out in the dialog's own event loop.
        QTimer::singleShot(100, dialog, &QDialog::accept);
    });
    dlg.CommandAction(32857)->trigger();

    EXPECT_EQ(version, "---");
    EXPECT_EQ(clock, "---");
    EXPECT_TRUE(linkOpenAfterGet);
    EXPECT_TRUE(errorsWhileOpen.empty());
    EXPECT_EQ(boxes->ErrorNumbers(), std::vector<int>{1});
    EXPECT_EQ(wave->Link().IsPortValid(), 0);
    EXPECT_EQ(dlg.GetMode(), 0);
    sim.Stop();
}
