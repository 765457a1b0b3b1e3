// A whole measurement against the simulator: every second stored once and in order, gaps
// filled with zeros, late seconds rewritten in place, bursts and a busy window, frames that
// hold every byte value, and what the window shows meanwhile (modes, status line, title,
// time fields).
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRegularExpression>


#include "FileChecks.h"
#include "support/Screenshot.h"

using namespace e2e;

namespace {

const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A rig whose receiver sends frames only when the test says so.
sRigOptions Manual()
{
    return sRigOptions{};
}

std::string LocalStem(std::time_t t)
{
    return LocalText(t, "%Y%m%d_%H%M%S");
}

std::string Slave(MeasurementRig& rig)
{
    return rig.sim.SlavePath();
}

}  // namespace

TEST(MeasurementE2e, HappyPathStoresEverySecondShowsItAndStops)
{
    MeasurementRig rig;
    const QString port = QString::fromStdString(Slave(rig));
    EXPECT_EQ(rig.dlg->windowTitle(), "Velquin [" + port + "]");
    EXPECT_EQ(rig.Text(1092), port);
    EXPECT_EQ(rig.Probe().StatusColour(), kGreen);

    const std::time_t before = std::time(nullptr);
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(5));
    // The description names the pseudo-terminal by its name under /dev ("pts/3").
    ASSERT_TRUE(port.startsWith("/dev/"));
    EXPECT_EQ(rig.Text(1092), port.mid(5) + U(" シリアル：000123 RQ-5"));
    EXPECT_EQ(rig.Text(1094), U("正常に受信しています"));
    EXPECT_EQ(rig.Probe().StatusColour(), kGreen);
    EXPECT_EQ(rig.dlg->windowTitle(), "Velquin [" + port + "]");
    SaveScreenshot(*rig.dlg, QStringLiteral("measurement-running"));

    // The start time is a second before the first data; the current time follows the blocks.
    const std::time_t start = rig.Probe().StartTime();
    EXPECT_GE(start, before - 1);
    EXPECT_LE(start, std::time(nullptr));
    const QString startText = qobject_cast<QLineEdit*>(rig.dlg->DlgItem(1078))->text();
    EXPECT_TRUE(QRegularExpression(R"(^\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}$)").match(startText).hasMatch());
    const QString nowText = qobject_cast<QLineEdit*>(rig.dlg->DlgItem(1072))->text();
    EXPECT_GE(nowText, startText);

    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_EQ(rig.modes, (std::vector<int>{1, 2, 1, 0}));
    EXPECT_TRUE(rig.Received("evnbe"));
    EXPECT_TRUE(rig.sim.Errors().empty());
    ASSERT_EQ(rig.prompter->shown.size(), 1u);  // the confirmation, no error
    EXPECT_TRUE(rig.prompter->shown[0].text.startsWith(U("計測されたデータは下記に保存されます。")));
    EXPECT_EQ(rig.prompter->shown[0].buttons, ePromptButtons::YesNoCancel);

    // Idle again: the port, no text, green.
    EXPECT_EQ(rig.Text(1092), port);
    EXPECT_EQ(rig.Text(1094), "");
    EXPECT_EQ(rig.Probe().StatusColour(), kGreen);

    // Two files named after the start, holding the same seconds.
    const std::vector<std::string> files = rig.Files();
    ASSERT_EQ(files.size(), 2u);
    const QRegularExpression name(R"(^(\d{8}_\d{6})\.(csv|edf)$)");
    const QRegularExpressionMatch m0 = name.match(QString::fromStdString(files[0]));
    const QRegularExpressionMatch m1 = name.match(QString::fromStdString(files[1]));
    ASSERT_TRUE(m0.hasMatch());
    ASSERT_TRUE(m1.hasMatch());
    const std::string stem = m0.captured(1).toStdString();
    EXPECT_EQ(stem, m1.captured(1).toStdString());
    // Named by the time the files were opened, a second before the first data.
    EXPECT_TRUE(stem == LocalStem(start) || stem == LocalStem(start - 1) || stem == LocalStem(start + 1))
        << stem;
    EXPECT_GE(rig.Stored(), 5u);
    EXPECT_EQ(StoredSequences(rig).front(), 0);
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

TEST(MeasurementE2e, MissingSecondsAreStoredAsZerosAndShownAsZeros)
{
    MeasurementRig rig(Manual());
    ASSERT_TRUE(StartManual(rig, Seq(0)));
    ASSERT_TRUE(Send(rig, Seq(1), 2));
    ASSERT_TRUE(Send(rig, Seq(4), 5));
    EXPECT_EQ(StoredSequences(rig), (std::vector<int>{0, 1, 2, 3, 4}));

    // The sweep: zeros for 2 and 3, then the values of 4.
    const std::vector<float> ring = rig.Probe().GraphEeg()->GetData();
    const SentSeconds sent = SentByNumber(rig.sim.Frames());
    const std::size_t at2 = ring.size() - 3 * 128;
    for (std::size_t i = 0; i < 2 * 128; ++i)
        ASSERT_EQ(ring[at2 + i], 0.0f) << i;
    for (int i = 0; i < 128; ++i)
        ASSERT_NEAR(ring[at2 + 256 + static_cast<std::size_t>(i)], Expected(sent, 4, 0, i), 1e-3);

    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, sent);
}

TEST(MeasurementE2e, LateSecondsAreRewrittenInPlace)
{
    MeasurementRig rig(Manual());
    ASSERT_TRUE(StartManual(rig, Seq(0)));
    ASSERT_TRUE(Send(rig, Seq(1), 2));
    ASSERT_TRUE(Send(rig, Seq(3), 4));  // 2 is filled with zeros
    const std::uintmax_t edfSize = std::filesystem::file_size(rig.EdfPath());
    const std::uintmax_t csvSize = std::filesystem::file_size(rig.CsvPath());
    const std::string edfBefore = recfiles::ReadAll(rig.EdfPath());

    rsim::FrameSpec late = Seq(2);
    late.advance = false;
    rig.sim.SendFrame(late);
    rsim::FrameSpec again = Seq(3);  // the newest second once more, other samples
    again.advance = false;
    rig.sim.SendFrame(again);
    ASSERT_TRUE(Send(rig, Seq(4), 5));  // handled after both late frames
    EXPECT_EQ(StoredSequences(rig), (std::vector<int>{0, 1, 2, 3, 4}));

    // Same length before the new second; the records before the late ones untouched.
    const std::string edfAfter = recfiles::ReadAll(rig.EdfPath());
    EXPECT_EQ(edfAfter.substr(768, 2 * 512), edfBefore.substr(768, 2 * 512));
    EXPECT_NE(edfAfter.substr(768 + 2 * 512, 512), edfBefore.substr(768 + 2 * 512, 512));
    EXPECT_EQ(edfAfter.size(), edfSize + 512);
    EXPECT_EQ(std::filesystem::file_size(rig.CsvPath()), csvSize + 3456);

    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

// The receiver keeps sending while the stop command travels: the frame already on the wire
// arrives in front of the stop reply and is the recording's last second.
TEST(MeasurementE2e, TheFrameInFrontOfTheStopReplyIsTheLastSecond)
{
    MeasurementRig rig(Manual());
    ASSERT_TRUE(StartManual(rig, Seq(0)));
    ASSERT_TRUE(Send(rig, Seq(1), 2));
    rsim::Rule stop = rsim::On('e');
    stop.framesBefore = 1;
    rig.sim.AddRule(stop);
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.Received("evnbe"));
    EXPECT_EQ(StoredSequences(rig), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

TEST(MeasurementE2e, TwoFramesInOneReadAreEachStoredOnceInOrder)
{
    MeasurementRig rig(Manual());
    ASSERT_TRUE(StartManual(rig, Seq(0)));
    // Frames 1 and 2 in one write: the link takes both in one pass.
    rsim::Samples eeg1{}, emg1{};
    for (int i = 0; i < 128; ++i) {
        eeg1[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(1000 + 97 * i);
        emg1[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(15000 - 61 * i);
    }
    rsim::FrameSpec two = Seq(2);
    two.prefix = rsim::BuildFrame(1, 0, 0, eeg1, emg1);
    ASSERT_TRUE(Send(rig, two, 3));
    ASSERT_TRUE(rig.StopMeasuring());

    SentSeconds sent = SentByNumber(rig.sim.Frames());
    sent[1] = {eeg1, emg1};
    EXPECT_EQ(StoredSequences(rig), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, sent);
}

TEST(MeasurementE2e, ABusyWindowStillStoresEverySecondOnce)
{
    MeasurementRig rig;
    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(2));
    // The window handles nothing for a while; frames pile up as notifications.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const std::size_t sentMeanwhile = rig.sim.Frames().size();
    ASSERT_TRUE(rig.WaitStored(sentMeanwhile));
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_GE(rig.Stored(), 8u);
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

TEST(MeasurementE2e, FramesHoldingEveryByteValueReachTheFilesUnchanged)
{
    MeasurementRig rig(Manual());
    // Low bytes 0..255 across the two channels, high bytes 0..63, numbers 0x1311 and 0x1312
    // (XOFF, XON, CR, LF, ETX, DEL and NUL among them).
    rsim::FrameSpec a = Seq(0x1311), b = Seq(0x1312);
    rsim::Samples eeg{}, emg{};
    for (int i = 0; i < 128; ++i) {
        eeg[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(((i & 0x3F) << 8) | i);
        emg[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(((63 - (i & 0x3F)) << 8) | (128 + i));
    }
    a.eeg = eeg;
    a.emg = emg;
    b.eeg = emg;
    b.emg = eeg;
    ASSERT_TRUE(StartManual(rig, a));
    ASSERT_TRUE(Send(rig, b, 2));
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_EQ(StoredSequences(rig), (std::vector<int>{0x1311, 0x1312}));
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

TEST(MeasurementE2e, StatusLineFollowsTheLinkStatusOfEachFrame)
{
    MeasurementRig rig(sRigOptions{.link = kShortTimeouts});
    ASSERT_TRUE(StartManual(rig, Seq(0)));
    // The fourth frame in a row with a noise flag shows the noise error.
    for (int k = 1; k <= 4; ++k) {
        rsim::FrameSpec noisy = Seq(k);
        noisy.statusB = 0x02;
        ASSERT_TRUE(Send(rig, noisy, static_cast<std::size_t>(k + 1)));
        if (k < 4) {
            EXPECT_EQ(rig.Probe().StatusColour(), kGreen) << k;
        }
    }
    EXPECT_EQ(rig.Text(1094), U("ノイズエラーが発生しています"));
    EXPECT_EQ(rig.Probe().StatusColour(), kRed);
    ASSERT_TRUE(Send(rig, Seq(5), 6));
    EXPECT_EQ(rig.Text(1094), U("正常に受信しています"));
    EXPECT_EQ(rig.Probe().StatusColour(), kGreen);

    // No frame for longer than the link's time-out: no data.
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return rig.Probe().StatusColour() == kRed; }));
    EXPECT_EQ(rig.Text(1094), U("データを受信できていません"));
    EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeMeasuring);
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.prompter->Errors().empty());
}
