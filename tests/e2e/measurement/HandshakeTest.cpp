// Every way a measurement can fail or end against the simulator: refused and unknown
// receivers, a version that never comes (also with the real five-second time-out), a start
// without data with both outcomes of the fallback, a stop refused twice, a transmitter
// reset, a folder that cannot take the files, an output folder removed while measuring.
// Each failure shows exactly one error box, sends what it must, and leaves the window idle.
#include <gtest/gtest.h>

#include "FileChecks.h"

using namespace e2e;

namespace {

QString ErrorText(int n)
{
    return QString::fromUtf8(g_strErrorMsg[static_cast<std::size_t>(n)].data(),
                             static_cast<qsizetype>(g_strErrorMsg[static_cast<std::size_t>(n)].size()));
}

// Start, then wait until the window is idle again and the boxes are in.
void StartAndWaitForTheEnd(MeasurementRig& rig, std::size_t boxes, int timeoutMs = kEventWaitMs)
{
    rig.Click(1068);
    ASSERT_TRUE(MeasurementRig::SpinUntil(
        [&] { return rig.prompter->shown.size() >= boxes && rig.dlg->GetMode() == CVelquinDlg::kModeIdle; }, timeoutMs));
    // Anything posted late has its chance to show a second box.
    MeasurementRig::Spin(150);
}

// The one error box of a failure, exactly as the table has it.
void ExpectOneError(MeasurementRig& rig, int error)
{
    EXPECT_EQ(rig.prompter->Errors(), std::vector<int>{error});
    for (const sBox& box : rig.prompter->shown) {
        if (box.icon != ePromptIcon::Exclamation)
            continue;
        EXPECT_EQ(box.text, ErrorText(error));
        EXPECT_EQ(box.buttons, ePromptButtons::Ok);
    }
    EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeIdle);
}

}  // namespace

TEST(MeasurementE2e, ReceiversThatCannotMeasureAreStoppedWithTheirError)
{
    struct Case {
        const char* what;
        std::string name;
        bool refuse;
        int error;
    };
    const Case cases[] = {
        {"name refused", "TQS27000123", true, 2},
        {"older family", "TQR27000456", false, 4},
        {"neither family", "ABCDE000789", false, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sRigOptions options;
        options.sim.name = c.name;
        // Each write thread lingers after its write, as on a busy machine: the replies are
        // handled before it is done, and every command answering one still goes out.
        options.link.writeHoldMs = 100;
        MeasurementRig rig(options);
        if (c.refuse)
            rig.sim.AddRule(rsim::On('n', rsim::Answer::Nak));
        StartAndWaitForTheEnd(rig, 2);
        ExpectOneError(rig, c.error);
        // The stop goes out before the port closes.
        EXPECT_TRUE(rig.Received("evne"));
        EXPECT_EQ(rig.modes, (std::vector<int>{1, 0}));
        EXPECT_TRUE(rig.Files().empty());
    }
}

TEST(MeasurementE2e, AVersionThatNeverComesEndsInOneError1)
{
    MeasurementRig rig(sRigOptions{.link = kShortTimeouts});
    rig.sim.AddRule(rsim::On('v', rsim::Answer::Silent));
    StartAndWaitForTheEnd(rig, 2);
    ExpectOneError(rig, 1);
    EXPECT_TRUE(rig.Received("ev"));  // no name request, no stop on a closed port
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 0}));

    // A refused version ends the same way.
    MeasurementRig refused;
    refused.sim.AddRule(rsim::On('v', rsim::Answer::Nak));
    StartAndWaitForTheEnd(refused, 2);
    ExpectOneError(refused, 1);
    EXPECT_TRUE(refused.Received("ev"));
}

TEST(MeasurementE2e, TheVersionWaitHoldsTheWindowForTheLinksFiveSeconds)
{
    sRigOptions options;
    options.link = sLinkTimings{};  // 50 ms passes, 5 s time-out
    MeasurementRig rig(options);
    rig.sim.AddRule(rsim::On('v', rsim::Answer::Silent));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);
    rig.Click(1068);
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return rig.Letters() == "ev"; }));
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return rig.prompter->shown.size() >= 2; }));
    const sBox& box = rig.prompter->shown.back();
    const int ticksAtBox = ticks;
    // The link counts its five seconds from the last reply it took, the connect reply, which
    // the receiver sent once it had the connect command; the window gives up on its own
    // after six seconds from the version request.
    const auto seconds = [&](std::size_t command) {
        return std::chrono::duration<double>(box.time - rig.sim.Commands()[command].time).count();
    };
    EXPECT_GE(seconds(0), 5.0);
    EXPECT_LT(seconds(1), 6.0 + 1.5);
    MeasurementRig::Spin(300);
    ExpectOneError(rig, 1);
    // The window handled nothing while it waited: the ticker ran before and after only.
    EXPECT_LT(ticksAtBox, 100);
}

TEST(MeasurementE2e, StartWithoutDataTriesTheFallbackAndReportsItsOutcome)
{
    struct Case {
        const char* what;
        rsim::Bytes checkReply;
        int error;
    };
    const Case cases[] = {
        {"transmitter answers 0x11", {}, 5},
        {"any other transmitter answer", {0x00, 0x00, 0x00}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MeasurementRig rig(sRigOptions{.link = kShortTimeouts});
        rsim::Rule start = rsim::On('b');
        start.stream = rsim::StreamEffect::Keep;  // acknowledged, but no data follows
        rig.sim.AddRule(start);
        if (!c.checkReply.empty()) {
            rsim::Rule check = rsim::On('w');
            check.payload = c.checkReply;
            rig.sim.AddRule(check);
        }
        StartAndWaitForTheEnd(rig, 2);
        ExpectOneError(rig, c.error);
        EXPECT_TRUE(rig.Received("evnbew"));
        EXPECT_EQ(rig.modes, (std::vector<int>{1, 0}));
        EXPECT_TRUE(rig.Files().empty());
    }
}

TEST(MeasurementE2e, AStopRefusedTwiceIsSentAThirdTimeAndClosesWithoutABox)
{
    MeasurementRig rig;
    rsim::Rule refuse = rsim::On('e', rsim::Answer::Nak, 2);
    refuse.skip = 1;  // the opening command is answered
    rig.sim.AddRule(refuse);
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(3));
    ASSERT_TRUE(rig.StopMeasuring());
    MeasurementRig::Spin(150);
    EXPECT_TRUE(rig.Received("evnbeee"));
    EXPECT_TRUE(rig.prompter->Errors().empty());
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 2, 1, 0}));
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

TEST(MeasurementE2e, ATransmitterResetEndsTheMeasurementWithItsFilesIntact)
{
    MeasurementRig rig;
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(3));
    rsim::FrameSpec reset;
    reset.prefix = {0x53, 0x01, 0x00};
    rig.sim.SendFrame(reset);
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return !rig.prompter->Errors().empty(); }));
    MeasurementRig::Spin(150);
    ExpectOneError(rig, 19);
    EXPECT_TRUE(rig.Received("evnbe"));
    // Every second stored before the reset is in the files, whole.
    SentSeconds sent = SentByNumber(rig.sim.Frames());
    ExpectRecordingMatches(rig, sent);
}

TEST(MeasurementE2e, AFolderThatCannotTakeTheFilesEndsInError12)
{
    MeasurementRig rig;
    std::ofstream(rig.folder.file("plain")) << "a file where the folder should be";
    rig.Log().SetFolder(rig.folder.file("plain") + "/records");
    StartAndWaitForTheEnd(rig, 2);
    ExpectOneError(rig, 12);
    EXPECT_TRUE(rig.Received("evnbe"));
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 0}));
    EXPECT_EQ(rig.Files(), std::vector<std::string>{"plain"});
}

// The output folder removed in the middle of a measurement is made again with every second
// stored so far, and the measurement goes on; at the stop the files hold every second.
TEST(MeasurementE2e, AnOutputFolderRemovedWhileMeasuringKeepsEverySecond)
{
    MeasurementRig rig;
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(3));
    std::filesystem::remove_all(rig.folder.path());
    const std::size_t before = rig.Stored();
    ASSERT_TRUE(rig.WaitStored(before + 3));
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.prompter->Errors().empty());
    EXPECT_EQ(rig.Files().size(), 2u);
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

// Where the folder cannot be made again (a plain file took its name), the very next second
// ends the measurement with the save error; once the folder can be made, the next
// measurement records.
TEST(MeasurementE2e, AnOutputFolderThatCannotBeMadeAgainEndsTheMeasurementAtOnce)
{
    MeasurementRig rig;
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(3));
    std::filesystem::remove_all(rig.folder.path());
    std::ofstream(rig.folder.str()) << "not a folder";
    const std::size_t stored = rig.Stored();
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return !rig.prompter->Errors().empty(); }));
    ASSERT_TRUE(rig.WaitMode(CVelquinDlg::kModeIdle));
    MeasurementRig::Spin(150);
    ExpectOneError(rig, 13);
    EXPECT_EQ(rig.Stored(), stored);
    EXPECT_TRUE(rig.Received("evnbe"));

    std::filesystem::remove(rig.folder.path());
    rig.prompter->shown.clear();
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(2));
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.prompter->Errors().empty());
    EXPECT_EQ(recfiles::ReadEdf(rig.EdfPath()).recordCount, static_cast<int>(rig.Stored()));
}
