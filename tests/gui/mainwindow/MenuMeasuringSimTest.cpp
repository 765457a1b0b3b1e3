// The menus while a measurement runs on the real receiver link against the receiver
// simulator: the whole menu bar after opening, and the context menu over each graph.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "Fakes.h"
#include "MenuTestSupport.h"
#include "ReceiverSim.h"
#include "mainwindow/VelquinDlg.h"
#include "receiver/WaveIo.h"

namespace {

bool WaitFor(const std::function<bool()>& done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace

TEST(MenuMeasuringSim, MenuBarAndContextMenuWhileMeasuring)
{
    rsim::Options options;
    options.bytesPerSecond = 0;
    options.firstFrameDelayMs = 50;
    options.frameIntervalMs = 100;
    rsim::ReceiverSim sim(options);
    ASSERT_TRUE(sim.Start());

    std::vector<std::string> shownTree;
    sDlgServices services;
    services.makeWaveIo = [&sim](ILinkSink& sink) {
        auto io = std::make_unique<CWaveIo>(&sink, sLinkTimings{10, 5000},
                                            sPortListRoots{"/nonexistent", "/nonexistent", false});
        io->SetPortName(sim.SlavePath());
        return io;
    };
    services.prompter = std::make_unique<FakePrompter>();  // Yes to the confirmation
    services.profile = std::make_unique<MemoryProfile>();
    services.inhibitScreenSaver = false;
    services.trackPopupMenu = [&shownTree](QMenu& menu, const QPoint&) -> QAction* {
        shownTree = DumpMenu(menu.actions());
        return nullptr;
    };
    auto dlg = std::make_unique<CVelquinDlg>(std::move(services));
    dlg->show();
    qobject_cast<QPushButton*>(dlg->DlgItem(1068))->click();
    ASSERT_TRUE(WaitFor([&] { return dlg->GetMode() == CVelquinDlg::kModeMeasuring; }, 60000));
    ASSERT_TRUE(WaitFor([&] { return sim.Frames().size() >= 3; }, 60000));

    for (QAction* top : dlg->menuBar()->actions()) {
        top->menu()->popup(dlg->mapToGlobal(QPoint(10, 10)));
        QCoreApplication::processEvents();
        top->menu()->hide();
    }
    std::vector<std::string> expected = {"ファイル >"};
    AppendItems(expected, 1, {"EDFファイルオープン...", "保存ファイル設定..."}, {32777, 32778}, "gg", "..");
    expected.push_back("表示 >");
    expected.push_back("  表示グラフ >");
    AppendItems(expected, 2, {"脳波グラフ", "筋電グラフ", "脳波FFT"}, {32850, 32851, 32852}, "EEE", "xxx");
    expected.push_back("  --");
    expected.push_back("  時間範囲設定 >");
    AppendItems(expected, 2, kTimeCaptions, kMainTimeIds, "EEEEEEEggggggggg", "....x...........");
    expected.push_back("  電圧範囲設定(脳波) >");
    AppendItems(expected, 2, std::vector<const char*>(kVoltCaptions.begin(), kVoltCaptions.begin() + 9), kEegVoltIds,
                "EEEEEEEEE", ".....x...");
    expected.push_back("  電圧範囲設定(筋電) >");
    AppendItems(expected, 2, kVoltCaptions, kEmgVoltIds, "EEEEEEEEEEE", ".....x.....");
    expected.push_back("  --");
    AppendItems(expected, 1, {"FFT設定..."}, {32853}, "E", ".");
    expected.push_back("通信 >");
    AppendItems(expected, 1, {"通信設定...", "受信機情報設定"}, {32781, 32857}, "gg", "..");
    expected.push_back("ヘルプ >");
    AppendItems(expected, 1, {"バージョン情報"}, {32782}, "E", ".");
    EXPECT_EQ(DumpMenu(dlg->menuBar()->actions()), expected);

    // The context menu over the EMG graph while the sweep runs.
    QWidget* emg = dlg->DlgItem(1013);
    QTest::mousePress(emg, Qt::RightButton, {}, emg->rect().center());
    std::vector<std::string> context = {"時間範囲設定 >"};
    AppendItems(context, 1, kTimeCaptions, kContextTimeIds, "EEEEEEEggggggggg", "....x...........");
    context.push_back("電圧範囲設定 >");
    AppendItems(context, 1, kVoltCaptions, kContextVoltIds, "EEEEEEEEEEE", ".....x.....");
    EXPECT_EQ(shownTree, context);
    EXPECT_EQ(dlg->GetMode(), CVelquinDlg::kModeMeasuring);

    dlg->close();
    dlg.reset();
    sim.Stop();
}
