// Scenarios of the real receiver link against the simulator on a pseudo-terminal.
#include <cstring>
#include <thread>

#include "PtyFixture.h"

namespace {

std::vector<float> Values(const sFrameSnapshot& f)
{
    return std::vector<float>(f.samples, f.samples + kBlockValues);
}

}  // namespace

TEST_F(PtyLinkTest, HandshakeOnARawPort)
{
    Handshake();
    EXPECT_EQ(io->GetFirmwareVersion(), "2.0.1.3");
    EXPECT_EQ(io->GetReceiverName(), "TQS27000123         ");
    EXPECT_EQ(io->GetModelType(), kModelCurrent);
    EXPECT_EQ(io->GetCommandState(), kStateDone);
    std::string letters;
    for (const auto& c : sim->Commands())
        letters += c.letter;
    EXPECT_EQ(letters, "evn");

    // The program left the terminal raw: 38400 8N1, no echo, no signals, no flow control,
    // no translation.
    const termios tio = sim->SlaveSettings();
    EXPECT_EQ(cfgetispeed(&tio), speed_t(B38400));
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_FALSE(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF | ICRNL | INLCR | ISTRIP));
    EXPECT_FALSE(tio.c_oflag & OPOST);
}

TEST_F(PtyLinkTest, StreamingFramesCarryTheSamplesSent)
{
    Handshake();
    ClearEvents();
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 4));
    Sent(io->SendCommand7());
    ASSERT_TRUE(sink.WaitFor(kLinkStopAccepted, kWaitMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_FALSE(sim->IsStreaming());

    const auto sent = sim->Frames();
    const auto got = TakeAll();
    ASSERT_EQ(got.size(), sent.size());
    EXPECT_EQ(sink.Count(kLinkNewFrame), int(sent.size()));
    EXPECT_EQ(sink.Count(kLinkFirstData), 1);
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].sequence, int(i));
        EXPECT_EQ(got[i].highestSequence, int(i));
        EXPECT_EQ(Values(got[i]), ExpectedValues(sent[i].eeg, sent[i].emg)) << i;
    }
    // The codes came in protocol order.
    const auto codes = sink.Codes();
    EXPECT_EQ(codes.front(), kLinkFirstData);
    EXPECT_EQ(codes.back(), kLinkStopAccepted);
}

TEST_F(PtyLinkTest, GapsLateRepeatedWrapAndStatusFrames)
{
    Handshake();
    const struct {
        int seq;
        bool advance;
        std::uint8_t a, b;
        int expectSeq, expectHighest, expectCode, expectStatus;
    } script[] = {
        {65533, true, 1, 0, 65533, 65533, kLinkNewFrame, 0},
        {65534, true, 1, 0, 65534, 65534, kLinkNewFrame, 0},
        {1, true, 1, 0, 65537, 65537, kLinkNewFrame, 0},        // 65535 and 0 missing across the wrap
        {65535, false, 1, 0, 65535, 65537, kLinkLateFrame, 1},  // late, fourth status frame
        {1, false, 0, 0, 65537, 65537, kLinkLateFrame, 0},      // repeated
        {2, true, 0, 1, 65538, 65538, kLinkNewFrame, 0},
    };
    for (const auto& s : script) {
        rsim::FrameSpec spec;
        spec.seq = std::uint16_t(s.seq);
        spec.advance = s.advance;
        spec.statusA = s.a;
        spec.statusB = s.b;
        sim->QueueFrame(spec);
    }
    ClearEvents();
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sim->WaitForFrames(std::size(script), kWaitMs));
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 4));
    ASSERT_TRUE(sink.WaitFor(kLinkLateFrame, kWaitMs, 2));
    Sent(io->SendCommand7());
    ASSERT_TRUE(sink.WaitFor(kLinkStopAccepted, kWaitMs));
    const auto got = TakeAll();
    ASSERT_GE(got.size(), std::size(script));
    std::vector<int> dataCodes;
    for (int c : sink.Codes())
        if (c == kLinkNewFrame || c == kLinkLateFrame)
            dataCodes.push_back(c);
    for (std::size_t i = 0; i < std::size(script); ++i) {
        EXPECT_EQ(got[i].sequence, script[i].expectSeq) << i;
        EXPECT_EQ(got[i].highestSequence, script[i].expectHighest) << i;
        EXPECT_EQ(got[i].linkStatus, script[i].expectStatus) << i;
        EXPECT_EQ(dataCodes[i], script[i].expectCode) << i;
    }
}

TEST_F(PtyLinkTest, SplitGarbledAndDamagedFramesAndTheResetPattern)
{
    Handshake();
    rsim::FrameSpec split;
    split.pieces = 5;
    split.pieceGapMs = 15;
    split.prefix = {0x53, 0x00, 0x00, 0x99, 0x45};
    sim->QueueFrame(split);
    rsim::FrameSpec damaged;
    damaged.damage = rsim::Damage::SampleByte;
    damaged.damageAt = 500;
    sim->QueueFrame(damaged);
    rsim::FrameSpec reset;
    reset.prefix = {0x53, 0x01, 0x00, 0x10, 0x20};
    sim->QueueFrame(reset);
    ClearEvents();
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 3));
    Sent(io->SendCommand7());
    ASSERT_TRUE(sink.WaitFor(kLinkStopAccepted, kWaitMs));
    EXPECT_EQ(sink.Count(kLinkTransmitterReset), 1);
    const auto sent = sim->Frames();
    const auto got = TakeAll();
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(Values(got[0]), ExpectedValues(sent[0].eeg, sent[0].emg));
    EXPECT_EQ(Values(got[1]), std::vector<float>(kBlockValues, 0.0f));
    EXPECT_EQ(got[1].sequence, 1);
    EXPECT_EQ(Values(got[2]), ExpectedValues(sent[2].eeg, sent[2].emg));
}

TEST_F(PtyLinkTest, EveryByteValuePassesUnchanged)
{
    Handshake();
    // Each of the 256 byte values appears in the samples, among them ETX, XON, XOFF, CR,
    // LF, the interrupt and end-of-file characters and DEL.
    rsim::FrameSpec spec;
    rsim::Samples eeg {}, emg {};
    for (int i = 0; i < 128; ++i) {
        eeg[i] = std::uint16_t((2 * i) << 8 | (2 * i + 1));
        emg[i] = std::uint16_t((255 - 2 * i) << 8 | (254 - 2 * i));
    }
    spec.eeg = eeg;
    spec.emg = emg;
    spec.seq = 0x1103;
    spec.statusA = 0x13;
    spec.statusB = 0x0D;
    sim->QueueFrame(spec);
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs));
    sFrameSnapshot f;
    ASSERT_EQ(io->TakeFrame(f), 1);
    EXPECT_EQ(f.sequence, 0x1103);
    std::vector<float> expected;
    for (int i = 0; i < 128; ++i)
        expected.push_back(rsim::Microvolts(eeg[i], 0));
    for (int i = 0; i < 128; ++i)
        expected.push_back(rsim::Microvolts(emg[i], 1));
    const std::vector<float> got = Values(f);
    ASSERT_EQ(got.size(), expected.size());
    EXPECT_EQ(std::memcmp(got.data(), expected.data(), got.size() * sizeof(float)), 0);
    Sent(io->SendCommand7());
    ASSERT_TRUE(sink.WaitFor(kLinkStopAccepted, kWaitMs));
}

TEST_F(PtyTimeoutTest, ReplyTimeouts)
{
    Handshake();
    sim->AddRule(rsim::On('g', rsim::Answer::Silent));
    ClearEvents();
    const auto sentAt = std::chrono::steady_clock::now();
    Sent(io->RequestClock());
    ASSERT_TRUE(sink.WaitFor(kLinkReplyTimeout, kWaitMs));
    EXPECT_GE(sink.Events().back().time - sentAt, std::chrono::milliseconds(kFastTimings.timeoutMs - 100));
    EXPECT_EQ(io->GetCommandState(), kStateFailed);

    // A stop without answer, then the second stop without answer.
    sim->AddRule(rsim::On('e', rsim::Answer::Silent, 2));
    Sent(io->SendCommand7());
    ASSERT_TRUE(sink.WaitFor(kLinkStopTimeout, kWaitMs));
    Sent(io->SendCommand8());
    ASSERT_TRUE(sink.WaitFor(kLinkStop2Timeout, kWaitMs));
    EXPECT_EQ(io->GetCommandState(), kStateFailed);  // the stop time-outs leave it alone
    EXPECT_EQ(sink.Count(kLinkReplyTimeout), 1);
}

TEST_F(PtyTimeoutTest, StopRetryAndNoDataTimeouts)
{
    Handshake();
    // The start is accepted but no data follows: +7 after every time-out.
    rsim::Rule noData = rsim::On('b');
    noData.stream = rsim::StreamEffect::Keep;
    sim->AddRule(noData);
    ClearEvents();
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sink.WaitFor(kLinkNoDataAfterStart, kWaitMs, 2));
    // The fallback step and the transmitter check.
    Sent(io->SendCommand4());
    ASSERT_TRUE(sink.WaitFor(kLinkStep4Accepted, kWaitMs));
    rsim::Rule otherByte = rsim::On('w');
    otherByte.payload = {0x00, 0x00, 0x00};
    sim->AddRule(otherByte);
    Sent(io->SendCommand6());
    ASSERT_TRUE(sink.WaitFor(kLinkTransmitterNg, kWaitMs));

    // Data, then silence with nothing pending: link status 5 and +20, again and again;
    // the next frame restores the status.
    sim->StartStream();
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 2));
    sim->StopStream();
    ASSERT_TRUE(sink.WaitFor(kLinkNoData, kWaitMs, 2));
    EXPECT_EQ(io->GetLinkStatus(), kLinkNoDataStatus);
    sim->StartStream();
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 3));
    EXPECT_EQ(io->GetLinkStatus(), kLinkOk);

    // A refused stop, then the second stop, which ends the stream.
    sim->AddRule(rsim::On('e', rsim::Answer::Nak));
    Sent(io->SendCommand7());
    ASSERT_TRUE(sink.WaitFor(kLinkStopRefused, kWaitMs));
    Sent(io->SendCommand8());
    ASSERT_TRUE(sink.WaitFor(kLinkStop2Accepted, kWaitMs));
    EXPECT_FALSE(sim->IsStreaming());
}

TEST_F(PtyLinkTest, CardAndClock)
{
    ASSERT_EQ(io->OpenAndReceive(), 1);
    Sent(io->RequestCardInfo());
    ASSERT_TRUE(sink.WaitFor(kLinkCardInfo, kWaitMs));
    EXPECT_EQ(io->GetCardTotalMb(), 1024);
    EXPECT_EQ(io->GetCardFreeMb(), 512);
    rsim::Rule unreadable = rsim::On('d', rsim::Answer::Nak);
    unreadable.payload = rsim::Bytes(12, 0x12);
    sim->AddRule(unreadable);
    Sent(io->RequestCardInfo());
    ASSERT_TRUE(sink.WaitFor(kLinkCardInfoError, kWaitMs));
    EXPECT_EQ(io->GetCardErrorCode(), kCardUnreadable);

    std::tm t = ClockSetExample();
    Sent(io->SetReceiverClock(&t));
    ASSERT_TRUE(WaitForState());
    EXPECT_EQ(io->GetCommandState(), kStateDone);
    ASSERT_EQ(sim->Commands().back().clockDigits, "240305070809");
    EXPECT_EQ(sim->Commands().back().bytes, kClockSetExampleFrame);
    Sent(io->RequestClock());
    ASSERT_TRUE(WaitForState());
    EXPECT_EQ(io->GetReceiverClock().substr(0, 17), "2024/03/05 07:08:");

    // A year the frame cannot carry is refused before anything is sent.
    const std::size_t before = sim->Commands().size();
    t.tm_year = 200;
    EXPECT_EQ(io->SetReceiverClock(&t), 0);
    EXPECT_EQ(io->GetCommandState(), kStateDone);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(sim->Commands().size(), before);
    EXPECT_EQ(io->Disconnect(), 1);
}

// The write thread counts as done a moment after its bytes have left (held here, as on a
// busy machine), and the reply may have been handled before that: the command that answers
// it waits for the write in front and goes out, and the handshake completes. Held 100 ms the
// thread is done within the write's own deadline (140 ms for a command); held 300 ms it is
// done only after that deadline, in the time the send allows beyond it for the thread to be
// scheduled.
class PtyHeldWriteTest : public PtyLinkTest, public ::testing::WithParamInterface<int> {
protected:
    sLinkTimings Timings() const override { return {10, 5000, GetParam()}; }
};

TEST_P(PtyHeldWriteTest, TheCommandAnsweringAReplyWaitsForTheWriteInFront)
{
    ASSERT_EQ(io->Connect(), 1);
    ASSERT_TRUE(sink.WaitFor(kLinkConnectReply, kWaitMs));
    ASSERT_EQ(io->RequestVersion(), 1);
    ASSERT_TRUE(WaitForState());
    EXPECT_EQ(io->GetCommandState(), kStateDone);
    ASSERT_EQ(io->RequestName(), 1);
    ASSERT_TRUE(sink.WaitFor(kLinkNameAccepted, kWaitMs));
    EXPECT_EQ(sim->Commands().size(), 3u);
    EXPECT_TRUE(sink.WaitFor(kLinkCommandWritten, kWaitMs, 3));
}

INSTANTIATE_TEST_SUITE_P(HeldMs, PtyHeldWriteTest, ::testing::Values(100, 300));

TEST_F(PtyLinkTest, EverySendIsAnnouncedOnceEvenWithoutAnswer)
{
    sim->AddRule(rsim::On('e', rsim::Answer::Silent, -1));
    ASSERT_EQ(io->Connect(), 1);
    ASSERT_EQ(io->SendCommand4(), 1);
    ASSERT_TRUE(sink.WaitFor(kLinkCommandWritten, kWaitMs, 2));
    ASSERT_TRUE(sim->WaitForCommands(2, kWaitMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(sink.Count(kLinkCommandWritten), 2);
    EXPECT_EQ(io->Disconnect(), 1);
}

TEST_F(PtyTimeoutTest, SendingDoesNotRestartTheTimeout)
{
    Handshake();
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 2));
    sim->StopStream();
    ASSERT_TRUE(sim->WaitUntilWritten(kWaitMs));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    // Well into the time-out after the last frame, a command that gets no answer: its time-out
    // comes with the link's, counted from the last frame.
    sim->AddRule(rsim::On('g', rsim::Answer::Silent));
    Sent(io->RequestClock());
    ASSERT_TRUE(sink.WaitFor(kLinkReplyTimeout, kWaitMs));
    const auto events = sink.Events();
    RecordingSink::Clock::time_point lastFrame, timeout;
    for (const auto& e : events) {
        if (e.code == kLinkNewFrame)
            lastFrame = e.time;
        if (e.code == kLinkReplyTimeout)
            timeout = e.time;
    }
    EXPECT_LT(timeout - lastFrame, std::chrono::milliseconds(kFastTimings.timeoutMs + 200));
    EXPECT_EQ(sink.Count(kLinkNoData), 0);
}
