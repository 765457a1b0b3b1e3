// The measurement's command steps with the real receiver façade where it matters: Stop
// reports whether the stop command went out, and closing what is already closed is no
// failure (no error 11 from a leading or repeated close).
#include <gtest/gtest.h>

#include "MeasurementProbe.h"
#include "WindowHarness.h"
#include "receiver/WaveIo.h"

TEST(MainWindowMeasure, StopReportsWhetherTheStopCommandWentOut)
{
    WindowHarness h;
    h.dlg->SetMode(2);
    EXPECT_EQ(h.dlg->StopMeasurement(), 1);
    EXPECT_EQ(h.dlg->GetMode(), 1);
    EXPECT_TRUE(h.prompter->shown.empty());

    h.wave->sendResult = 0;
    EXPECT_EQ(h.dlg->StopMeasurement(), 0);  // not the error box's OK
    EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{1});
    EXPECT_EQ(h.dlg->GetMode(), 0);
}

TEST(MainWindowMeasure, ClosingWhatIsClosedAlreadyIsNoFailure)
{
    sDlgServices services;
    services.makeWaveIo = [](ILinkSink& sink) {
        return std::make_unique<CWaveIo>(&sink, sLinkTimings{10, 400}, sPortListRoots{"/nonexistent", "/nonexistent", false});
    };
    auto prompter = std::make_unique<FakePrompter>();
    FakePrompter* boxes = prompter.get();
    services.prompter = std::move(prompter);
    services.profile = std::make_unique<MemoryProfile>();
    auto dialogs = std::make_unique<FakeDialogRunner>();
    services.dialogs = std::move(dialogs);
    services.inhibitScreenSaver = false;
    CVelquinDlg dlg(std::move(services));

    dlg.CloseMeasurement();
    dlg.CloseMeasurement();
    EXPECT_TRUE(boxes->shown.empty());
    EXPECT_EQ(dlg.GetMode(), 0);

    // Start without a port closes first, then asks for one: only error 0.
    dlg.OnCommand(1068);
    EXPECT_EQ(boxes->ErrorNumbers(), std::vector<int>{0});

    // A stop that cannot be sent on a closed port: its close, error 1, and the close of the
    // failure reaction after it, without error 11.
    boxes->shown.clear();
    CMeasurementProbe(dlg).WaveIo()->SetPortName("/nonexistent/ttyUSB9");
    dlg.SetMode(2);
    EXPECT_EQ(dlg.StopMeasurement(), 0);
    dlg.CloseMeasurement();
    EXPECT_EQ(boxes->ErrorNumbers(), std::vector<int>{1});
    EXPECT_EQ(dlg.GetMode(), 0);
}
