// How a measurement ends through the window: the receiver vanishing in the middle, a stop
// that is never answered, and a plain stop after the frame numbers wrapped. Each time every
// second sent before the end is in the files, in order, and the files are closed.
#include <gtest/gtest.h>

#include "FileChecks.h"

using namespace e2e;

namespace {

constexpr int kSent = 6;

struct sEndingCase {
    const char* name;
    int firstSeq;           // number of the first of the six frames (wrapping past 65535)
    bool vanish;            // the receiver's terminal closes after the frames
    bool stopUnanswered;    // the receiver answers neither the stop nor its retry
    const char* commands;   // what the receiver got
    std::vector<int> errors;
};

void PrintTo(const sEndingCase& c, std::ostream* os)
{
    *os << c.name;
}

class MeasurementEnding : public ::testing::TestWithParam<sEndingCase> {};

}  // namespace

TEST_P(MeasurementEnding, KeepsEverySecondSentAndClosesTheFiles)
{
    const sEndingCase& c = GetParam();
    MeasurementRig rig;
    if (c.stopUnanswered) {
        rsim::Rule silent = rsim::On('e', rsim::Answer::Silent, 2);
        silent.skip = 1;  // the opening command is answered
        rig.sim.AddRule(silent);
    }
    ASSERT_TRUE(StartManual(rig, Seq(c.firstSeq)));
    for (int k = 1; k < kSent; ++k)
        ASSERT_TRUE(Send(rig, Seq(c.firstSeq + k), static_cast<std::size_t>(k + 1)));

    if (c.vanish) {
        rig.sim.Hangup();
        // No data: the status line turns red while the window stays measuring.
        ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return rig.Probe().StatusColour() == QColor(255, 0, 0); }));
        EXPECT_EQ(rig.Text(1094), QString::fromUtf8("データを受信できていません"));
        EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeMeasuring);
    }
    rig.Click(1069);
    ASSERT_TRUE(rig.WaitMode(CVelquinDlg::kModeIdle, 8000));
    EXPECT_EQ(rig.Letters(), c.commands);
    EXPECT_EQ(rig.prompter->Errors(), c.errors);
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 2, 1, 0}));

    // Six consecutive seconds, each the frame sent for it, and no file left open.
    std::vector<int> expected;
    SentSeconds sent;
    const std::vector<rsim::SentFrame> frames = rig.sim.Frames();
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(kSent));
    for (int k = 0; k < kSent; ++k) {
        expected.push_back(c.firstSeq + k);
        sent[c.firstSeq + k] = {frames[static_cast<std::size_t>(k)].eeg, frames[static_cast<std::size_t>(k)].emg};
    }
    EXPECT_EQ(StoredSequences(rig), expected);
    ExpectRecordingMatches(rig, sent);
    EXPECT_FALSE(HeldOpen(rig.EdfPath()));
    EXPECT_FALSE(HeldOpen(rig.CsvPath()));
}

INSTANTIATE_TEST_SUITE_P(
    E2e, MeasurementEnding,
    ::testing::Values(
        // The stop cannot reach a receiver that is gone: error 1, port and files closed.
        sEndingCase{"ReceiverVanishes", 100, true, false, "evnb", {1}},
        // Stop, its retry, and the stop once more before closing, without a message.
        sEndingCase{"StopNeverAnswered", 100, false, true, "evnbeee", {}},
        sEndingCase{"SequenceWraps", 65533, false, false, "evnbe", {}}),
    [](const ::testing::TestParamInfo<sEndingCase>& info) { return std::string(info.param.name); });
