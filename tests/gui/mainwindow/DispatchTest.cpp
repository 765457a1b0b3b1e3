// The receiver notifications: for each of the 26 codes, in mode 1 and in mode 2, the
// façade commands the window sends, the error boxes it shows and the mode it ends in; the
// failure branches of the handshake steps; and events of a closed link generation.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "WindowHarness.h"
#include "support/TempDir.h"

namespace {

using Calls = std::vector<std::string>;

struct Row {
    int code;
    Calls commands;            // façade commands and frame takes, in order
    std::vector<int> errors;   // error boxes, in order
    int modeAfter;             // -1: the mode it started in
};

// With every send accepted, the version reply in (state 2), a receiver of the current
// family and memory-card code 0.
const std::vector<Row> kRows = {
    {1, {"RequestVersion", "RequestName"}, {}, 1},
    {2, {"StartMeasurement"}, {}, 1},
    {3, {"SendCommand7", "Disconnect"}, {2}, 0},
    {4, {}, {}, -1},
    {5, {"SendCommand7", "Disconnect"}, {2}, 0},
    {6, {"SendCommand7", "Disconnect"}, {1}, 0},
    {7, {"SendCommand4"}, {}, 1},
    {8, {"SendCommand6"}, {}, 1},
    {9, {"SendCommand7", "Disconnect"}, {2}, 0},
    {10, {"Disconnect"}, {}, 0},
    {11, {"Disconnect"}, {6}, 0},
    {12, {"Disconnect"}, {5}, 0},
    {13, {"Disconnect"}, {2}, 0},
    {14, {"Disconnect"}, {}, 0},
    {15, {"SendCommand8"}, {}, 1},
    {16, {"SendCommand8"}, {}, 1},
    {17, {"Disconnect"}, {}, 0},
    {18, {"SendCommand7", "Disconnect"}, {}, 0},
    {19, {"SendCommand7", "Disconnect"}, {}, 0},
    {20, {}, {}, -1},
    {21, {}, {}, 2},
    // A data notification whose frame cannot be had ends as a failed sample fetch.
    {22, {"TakeFrame", "SendCommand7", "Disconnect"}, {10}, 0},
    {23, {"SendCommand7", "Disconnect"}, {9}, 0},
    {24, {}, {}, -1},
    {25, {"TakeFrame", "SendCommand7", "Disconnect"}, {10}, 0},
    {26, {"SendCommand7", "Disconnect"}, {19}, 0},
};

// Runs one notification of the current generation from the given mode.
void Deliver(WindowHarness& h, int mode, int code)
{
    h.dlg->SetMode(mode);
    h.wave->ClearCalls();
    h.prompter->shown.clear();
    h.Probe().Post(code, h.wave->generation);
    WindowHarness::Flush();
}

}  // namespace

TEST(MainWindowDispatch, EveryCodeInModes1And2)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) {
        w.cardTotal = 1907;
        w.cardFree = 1024;
    });
    ASSERT_EQ(kRows.size(), 26u);
    for (int mode : {1, 2}) {
        for (const Row& row : kRows) {
            SCOPED_TRACE("mode " + std::to_string(mode) + ", code " + std::to_string(row.code));
            Deliver(h, mode, row.code);
            EXPECT_EQ(h.wave->Commands(), row.commands);
            EXPECT_EQ(h.prompter->ErrorNumbers(), row.errors);
            EXPECT_EQ(h.dlg->GetMode(), row.modeAfter < 0 ? mode : row.modeAfter);
        }
    }
}

TEST(MainWindowDispatch, CardInformationIsReadBeforeTheCloseAndShownAfterIt)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) {
        w.cardTotal = 1907;
        w.cardFree = 1024;
    });
    Deliver(h, 1, kLinkCardInfo);
    const Calls expected = {"GetCardTotalMb", "GetCardFreeMb", "Disconnect"};
    ASSERT_GE(h.wave->calls.size(), 3u);
    EXPECT_EQ(Calls(h.wave->calls.begin(), h.wave->calls.begin() + 3), expected);
    ASSERT_EQ(h.prompter->shown.size(), 1u);
    EXPECT_EQ(h.prompter->shown[0].text, QString::fromUtf8("総容量1907MBのうち、残り容量は1024MBです。"));
    EXPECT_EQ(h.prompter->shown[0].icon, ePromptIcon::Information);
    EXPECT_EQ(h.prompter->shown[0].buttons, ePromptButtons::Ok);

    for (auto [code, error] : {std::pair{1, 7}, std::pair{2, 8}, std::pair{7, 8}}) {
        h.wave->cardError = code;
        Deliver(h, 1, kLinkCardInfoError);
        EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{error}) << code;
    }
}

TEST(MainWindowDispatch, HandshakeFailuresEachEndInOneCloseAndOneError)
{
    struct Case {
        const char* what;
        std::function<void(FakeWaveIo&)> script;
        int code;
        Calls commands;
        std::vector<int> errors;
    };
    const std::vector<Case> cases = {
        {"version not sent", [](FakeWaveIo& w) { w.sendResult = 0; }, 1,
         {"RequestVersion", "Disconnect"}, {1}},
        {"version refused", [](FakeWaveIo& w) { w.commandStates = {1, 1, 3}; }, 1,
         {"RequestVersion", "Disconnect"}, {1}},
        {"version never answered", [](FakeWaveIo& w) { w.commandStates = {1}; }, 1,
         {"RequestVersion", "Disconnect"}, {1}},
        {"older family", [](FakeWaveIo& w) { w.modelType = 0; }, 2,
         {"SendCommand7", "Disconnect"}, {4}},
        {"neither family", [](FakeWaveIo& w) { w.modelType = 2; }, 2,
         {"SendCommand7", "Disconnect"}, {3}},
        {"start not sent", [](FakeWaveIo& w) { w.sendResult = 0; }, 2,
         {"StartMeasurement", "Disconnect"}, {1}},
        {"fallback not sent", [](FakeWaveIo& w) { w.sendResult = 0; }, 7,
         {"SendCommand4", "Disconnect"}, {1}},
        {"check not sent", [](FakeWaveIo& w) { w.sendResult = 0; }, 8,
         {"SendCommand6", "Disconnect"}, {1}},
        {"retry not sent", [](FakeWaveIo& w) { w.sendResult = 0; }, 15,
         {"SendCommand8", "Disconnect"}, {1}},
        // The stop of a failure reaction cannot be sent: its own close and error come first.
        {"stop not sent", [](FakeWaveIo& w) { w.sendResult = 0; }, 3,
         {"SendCommand7", "Disconnect", "Disconnect"}, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WindowHarness h;
        c.script(*h.wave);
        Deliver(h, 1, c.code);
        EXPECT_EQ(h.wave->Commands(), c.commands);
        EXPECT_EQ(h.prompter->ErrorNumbers(), c.errors);
        EXPECT_EQ(h.dlg->GetMode(), 0);
    }
}

// The port is released even when its close reports an error: the files are closed all the
// same and the window is idle again.
TEST(MainWindowDispatch, ACloseThatFailsShowsError11AndLeavesTheWindowIdle)
{
    TempDir folder;
    WindowHarness h;
    h.MeasureOneSecond(folder.str());
    ASSERT_EQ(h.dlg->GetMode(), 2);
    ASSERT_GT(h.Probe().WaveLog().GetEdfLength(), 0u);
    h.wave->disconnectResult = 0;
    Deliver(h, 1, kLinkStopAccepted);
    EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{11});
    EXPECT_EQ(h.dlg->GetMode(), 0);
    EXPECT_EQ(h.Probe().WaveLog().GetEdfLength(), 0u);
}

TEST(MainWindowDispatch, EventsOfAClosedLinkGenerationAreDropped)
{
    WindowHarness h;
    h.dlg->SetMode(1);
    const std::uint32_t open = h.wave->generation;
    // A failure closes the link; what the link posted before the close is stale.
    h.Probe().Post(kLinkReplyTimeout, open);
    h.Probe().Post(kLinkReplyTimeout, open);
    h.Probe().Post(kLinkNewFrame, open);
    h.wave->ClearCalls();
    WindowHarness::Flush();
    EXPECT_EQ(h.prompter->ErrorNumbers(), std::vector<int>{1});
    EXPECT_EQ(h.wave->Commands(), (Calls{"SendCommand7", "Disconnect"}));
    EXPECT_NE(h.wave->generation, open);
}

TEST(MainWindowDispatch, EachDataNotificationTakesExactlyOneFrame)
{
    TempDir folder;
    WindowHarness h;
    h.Probe().WaveLog().SetFolder(folder.str());
    Deliver(h, 1, kLinkFirstData);
    ASSERT_EQ(h.dlg->GetMode(), 2);
    sFrameSnapshot frame;
    for (int s = 1; s <= 3; ++s) {
        frame.sequence = s;
        h.wave->frames.push_back(frame);
    }
    h.wave->ClearCalls();
    for (int code : {kLinkNewFrame, kLinkNewFrame, kLinkLateFrame})
        h.Probe().Post(code, h.wave->generation);
    WindowHarness::Flush();
    EXPECT_EQ(h.wave->Commands(), (Calls{"TakeFrame", "TakeFrame", "TakeFrame"}));
    EXPECT_TRUE(h.wave->frames.empty());
    EXPECT_TRUE(h.prompter->shown.empty());
}

TEST(MainWindowDispatch, FirstDataStartsTheRecordingOneSecondBeforeNow)
{
    WindowHarness h([](FakeWaveIo& w, MemoryProfile&) { w.receiverName = "TQS27123456"; });
    Deliver(h, 1, kLinkFirstData);
    EXPECT_EQ(h.dlg->GetMode(), 2);
    EXPECT_EQ(h.Probe().StartTime(), h.now - 1);
    EXPECT_EQ(h.Item<QLineEdit>(1078)->text(), "2023/11/15 07:13:19");
}
