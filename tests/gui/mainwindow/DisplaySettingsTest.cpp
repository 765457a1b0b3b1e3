// Voltage ranges from both menus (the context menu's target flags decide its graph), and
// the spectrum chart's settings: vertical maximum, display mode, calculation range.
#include <gtest/gtest.h>

#include <QAction>

#include "ReviewSupport.h"
#include "resources/MenuTables.h"

TEST(DisplayVoltage, MenuBarCommandsSetTheirGraphOnly)
{
    WindowHarness h;
    CRealTimeGraph* eeg = h.Probe().GraphEeg();
    CRealTimeGraph* emg = h.Probe().GraphEmg();
    for (const sVoltageCommand& c : kVoltageCommands) {
        h.Probe().SetMenuTargets(1, 0);
        h.dlg->OnCommand(c.emgId);
        EXPECT_EQ(emg->GetYMax(), c.microvolts) << c.caption;
        EXPECT_EQ(emg->GetYMin(), -c.microvolts) << c.caption;
        EXPECT_EQ(h.Probe().EmgYMax(), c.microvolts);
        EXPECT_EQ(eeg->GetYMax(), 200.0);
        EXPECT_EQ(h.Probe().MenuTargets(), std::make_pair(0, 0));
    }
    for (const sVoltageCommand& c : kVoltageCommands) {
        if (c.eegId == 0)
            continue;  // the EEG list ends at ±1000 µV
        h.Probe().SetMenuTargets(0, 1);
        h.dlg->CommandAction(c.eegId)->trigger();
        EXPECT_EQ(eeg->GetYMax(), c.microvolts) << c.caption;
        EXPECT_EQ(h.Probe().EegYMin(), -c.microvolts);
        EXPECT_EQ(emg->GetYMax(), 20000.0);
        EXPECT_EQ(h.Probe().MenuTargets(), std::make_pair(0, 0));
    }
}

TEST(DisplayVoltage, ContextCommandsGoToTheGraphRightClickedLast)
{
    WindowHarness h;
    CRealTimeGraph* eeg = h.Probe().GraphEeg();
    CRealTimeGraph* emg = h.Probe().GraphEmg();
    h.Probe().SetMenuTargets(1, 0);  // over the EEG graph
    h.dlg->OnCommand(32845);         // ±500
    EXPECT_EQ(eeg->GetYMax(), 500.0);
    EXPECT_EQ(emg->GetYMax(), 200.0);
    h.Probe().SetMenuTargets(0, 1);  // over the EMG graph
    h.dlg->OnCommand(32863);         // ±20000
    EXPECT_EQ(emg->GetYMax(), 20000.0);
    EXPECT_EQ(emg->GetYMin(), -20000.0);
    EXPECT_EQ(eeg->GetYMax(), 500.0);
    EXPECT_EQ(h.Probe().MenuTargets(), std::make_pair(0, 1));  // kept
    // After a menu-bar voltage command no graph is the target any more.
    h.dlg->OnCommand(32813);  // EMG ±10
    h.dlg->OnCommand(32838);  // context ±10: nothing
    EXPECT_EQ(eeg->GetYMax(), 500.0);
    EXPECT_EQ(emg->GetYMax(), 10.0);
}

TEST(DisplayFft, TheDisplayModeRedrawsAReviewAtOnceAndWaitsForDataOtherwise)
{
    ReviewFiles files;
    WindowHarness h;
    CFftMSChart* chart = h.Probe().ChartFft();
    // Idle: the chart keeps its contents until data arrive.
    h.dlg->SetFftDisplayMode(1);
    EXPECT_EQ(chart->GetCount(), 4);
    h.dlg->SetFftDisplayMode(0);

    OpenByDialog(h, files.Own("a.edf", 600));
    ASSERT_EQ(chart->GetCount(), 4);
    h.dlg->SetFftDisplayMode(1);
    EXPECT_EQ(h.Probe().FftDisplayMode(), 1);
    EXPECT_EQ(chart->GetCount(), 1280);
    EXPECT_EQ(chart->GetBinsPerHz(), 32);
    // The 10 Hz peak at bin 320.
    const std::vector<double> bins = ChartValues(*chart);
    ASSERT_EQ(bins.size(), 1280u);
    EXPECT_EQ(std::max_element(bins.begin(), bins.end()) - bins.begin(), 320);
    // Any other value than 0 is the detail too.
    h.dlg->SetFftDisplayMode(7);
    EXPECT_EQ(chart->GetCount(), 1280);
    h.dlg->SetFftDisplayMode(0);
    EXPECT_EQ(chart->GetCount(), 4);

    // The calculation range has no visible effect in review.
    const std::vector<double> before = ChartValues(*chart);
    h.dlg->SetFftOption(0);
    h.dlg->RedrawReview();
    EXPECT_EQ(ChartValues(*chart), before);
    EXPECT_EQ(h.dlg->GetFftOption(), 0);

    // The vertical maximum goes to the chart in every mode.
    h.dlg->SetFftYMax(0.5);
    EXPECT_EQ(chart->GetVerticalMax(), 0.5);
    EXPECT_EQ(h.dlg->GetFftYMax(), 0.5);
}

TEST(DisplayFft, BackToRealTimeRestoresEveryDefault)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 600));
    h.dlg->OnCommand(32811);  // EEG ±500
    h.dlg->OnCommand(32860);  // EMG ±20000
    h.dlg->SetFftYMax(5);
    h.dlg->SetFftDisplayMode(1);
    h.dlg->SetFftOption(0);
    h.dlg->OnCommand(kIdBackToRealTime);
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeIdle);
    EXPECT_EQ(h.Probe().EegYMax(), 200);
    EXPECT_EQ(h.Probe().EmgYMax(), 200);
    EXPECT_EQ(h.dlg->GetFftYMax(), 20.0);
    EXPECT_EQ(h.dlg->GetFftDisplayMode(), 0);
    EXPECT_EQ(h.dlg->GetFftOption(), 1);
    EXPECT_EQ(h.Probe().ChartFft()->GetCount(), 4);
    EXPECT_EQ(h.Probe().SampleRate(), 128);
    EXPECT_EQ(h.Probe().GraphEeg()->GetYLabel(), "[uV]");
}
