// The port and its threads: opening, exclusivity, sending, closing, thread failures,
// hang-ups, and the façade's rules around them.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>
#include <vector>

#include "PtyFixture.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
}

class NoThreadLink : public CSerialIo {
public:
    using CSerialIo::CSerialIo;

protected:
    int StartReadThread() override { return 0; }
};

}  // namespace

TEST(SerialPort, RefusesWhatIsNoUsableTerminal)
{
    CSerialIo link(kFastTimings);
    for (const char* name : {"", "/nonexistent/ttyUSB0", "ttyNoSuchPort", "/dev/null"}) {
        EXPECT_EQ(link.Open(name), 0) << name;
        EXPECT_EQ(link.IsPortValid(), 0) << name;
    }
    EXPECT_EQ(link.Close(), 1);
    EXPECT_EQ(CSerialPort::DevicePath("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(CSerialPort::DevicePath("/dev/pts/3"), "/dev/pts/3");
}

// A port opened again right after a command was written (the window tests the port once
// the measurement is closed) keeps the command: only stale input is thrown away.
TEST(SerialPort, OpeningAgainKeepsWhatTheLastHolderWrote)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    const int keep = ::open(slave.c_str(), O_RDWR | O_NOCTTY);  // the other side stays up
    termios raw{};
    ::tcgetattr(keep, &raw);
    ::cfmakeraw(&raw);  // no echo of the stale bytes
    ::tcsetattr(keep, TCSANOW, &raw);
    const unsigned char stale[] = {'x', 'y'};
    ASSERT_EQ(::write(master, stale, sizeof stale), 2);

    CSerialPort port;
    ASSERT_EQ(port.Open(slave), 1);
    EXPECT_EQ(port.QueuedBytes(), 0);  // the stale input is gone
    EXPECT_EQ(port.Close(), 1);
    // The bytes may still be on their way to the other side when the port is opened again;
    // many rounds give that moment a chance.
    const unsigned char command[] = {0x02, 'e', 'e', 0x03};
    int lost = 0;
    for (int round = 0; round < 300; ++round) {
        ASSERT_EQ(port.Open(slave), 1);
        ASSERT_EQ(port.Write(command, sizeof command, 100), 4);
        port.Close();
        ASSERT_EQ(port.Open(slave), 1);
        port.Close();
        unsigned char got[8] = {};
        pollfd ready{master, POLLIN, 0};
        const ssize_t n = ::poll(&ready, 1, 200) == 1 ? ::read(master, got, sizeof got) : 0;
        lost += n == 4 && std::equal(command, command + 4, got) ? 0 : 1;
    }
    EXPECT_EQ(lost, 0);
    ::close(keep);
    ::close(master);
}

TEST_F(PtyLinkTest, PortHeldByAnotherOpenerIsRefused)
{
    CSerialIo other(kFastTimings);
    ASSERT_EQ(other.Open(sim->SlavePath()), 1);
    EXPECT_EQ(io->Connect(), 0);
    EXPECT_EQ(io->TestPort(), 0);
    // Opening again what this link already holds is fine: the old port is closed first.
    ASSERT_EQ(other.Open(sim->SlavePath()), 1);
    EXPECT_EQ(other.Close(), 1);
    EXPECT_EQ(io->TestPort(), 1);
    Handshake();
    EXPECT_EQ(other.Open(sim->SlavePath()), 0);
}

TEST_F(PtyLinkTest, ConnectWhileReceivingLeavesTheSessionAlone)
{
    Handshake();
    EXPECT_EQ(io->Connect(), 0);
    EXPECT_EQ(io->OpenAndReceive(), 0);
    EXPECT_EQ(io->TestPort(), 0);
    Sent(io->RequestVersion());
    ASSERT_TRUE(WaitForState());
    EXPECT_EQ(io->GetCommandState(), kStateDone);
}

TEST_F(PtyLinkTest, APortThatCannotReceiveIsClosedAgain)
{
    // No sink: the read thread cannot start, and the port must not stay busy.
    CWaveIo orphan(nullptr, kFastTimings, {"/nonexistent", "/nonexistent", false});
    orphan.SetPortName(sim->SlavePath());
    EXPECT_EQ(orphan.Connect(), 0);
    EXPECT_EQ(orphan.OpenAndReceive(), 0);
    EXPECT_EQ(io->TestPort(), 1);

    // A read thread that cannot start leaves the link able to open again.
    NoThreadLink link(kFastTimings);
    ASSERT_EQ(link.Open(sim->SlavePath()), 1);
    EXPECT_EQ(link.StartReceive(&sink), 0);
    EXPECT_EQ(link.IsReceiving(), 0);
    EXPECT_EQ(link.Open(sim->SlavePath()), 1);
    EXPECT_EQ(link.Close(), 1);
    EXPECT_TRUE(sim->Commands().empty());
}

TEST_F(PtyLinkTest, CommandsOnAClosedPortAndDisconnect)
{
    io->SetPortName("");
    EXPECT_EQ(io->Connect(), 0);
    EXPECT_EQ(io->RequestVersion(), 0);
    EXPECT_EQ(io->GetCommandState(), kStateWaiting);
    EXPECT_EQ(io->Link().GetReplyMode(), 0);
    EXPECT_EQ(io->Link().GetPendingCommand(), 0);
    EXPECT_EQ(io->Disconnect(), 1);
    EXPECT_EQ(io->GetLinkStatus(), kLinkNoDataStatus);
    EXPECT_EQ(io->GetChannelCount(), 2);
    EXPECT_EQ(io->GetSampleRate(), 128);
}

TEST_F(PtyLinkTest, GenerationsSeparateTheSessions)
{
    const std::uint32_t g0 = io->GetGeneration();
    Handshake();
    const std::uint32_t g1 = io->GetGeneration();
    EXPECT_NE(g1, g0);
    for (const auto& e : sink.Events())
        EXPECT_EQ(e.generation, g1);
    ASSERT_EQ(io->Disconnect(), 1);
    EXPECT_NE(io->GetGeneration(), g1);
    ClearEvents();
    Handshake();
    EXPECT_NE(sink.Events().front().generation, g1);
}

TEST(SerialPort, ABlockedWriteEndsAtItsDeadlineAndCloseIsBounded)
{
    // A terminal whose other side never reads: once its queue is full, writes must wait.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string path = ::ptsname(master);
    // A second descriptor (opened before the link makes the port exclusive) fills the queue.
    const int filler = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    RecordingSink sink;
    CSerialIo link(kFastTimings);
    ASSERT_EQ(link.Open(path), 1);
    ASSERT_EQ(link.StartReceive(&sink), 1);
    const std::vector<std::uint8_t> block(4096, 0x55);
    // The terminal moves queued bytes on in the background: fill until it stays full.
    for (int full = 0; full < 5;) {
        if (::write(filler, block.data(), block.size()) > 0) {
            full = 0;
        } else {
            ++full;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    const std::uint8_t command[4] = {0x02, 'e', 'e', 0x03};
    auto start = Clock::now();
    ASSERT_EQ(link.Send(command, 4), 1);
    // The next command waits for the first write's deadline (10 ms per byte plus 100 ms),
    // then goes out behind it and ends at its own.
    ASSERT_EQ(link.Send(command, 4), 1);
    EXPECT_GE(MsSince(start), 130);
    ASSERT_TRUE(sink.WaitFor(kLinkCommandWritten, kWaitMs, 2));
    EXPECT_GE(MsSince(start), 260);
    EXPECT_EQ(link.IsWriting(), 0);

    const std::vector<std::uint8_t> longest(kMaxTransfer + 1, 0x02);
    EXPECT_EQ(link.Send(longest.data(), kMaxTransfer + 1), 0);
    // Close during a blocked write waits for the write's deadline, not for ever.
    ASSERT_EQ(link.Send(command, 4), 1);
    start = Clock::now();
    EXPECT_EQ(link.Close(), 1);
    EXPECT_LT(MsSince(start), 400);
    EXPECT_EQ(sink.Count(kLinkCommandWritten), 3);

    // A write thread still not done well past its deadline makes the next send fail.
    CSerialIo stuck({10, 400, 3000});
    ASSERT_EQ(stuck.Open(path), 1);
    ASSERT_EQ(stuck.Send(command, 4), 1);
    EXPECT_EQ(stuck.Send(command, 4), 0);
    EXPECT_EQ(stuck.IsWriting(), 1);
    ::close(filler);
    ::close(master);
}

TEST_F(PtyLinkTest, TheLongestCommandIsSent)
{
    // 2048 bytes are accepted: 512 connect frames, each answered.
    CSerialIo link(kFastTimings);
    ASSERT_EQ(link.Open(sim->SlavePath()), 1);
    std::vector<std::uint8_t> frames;
    for (int i = 0; i < kMaxTransfer / 4; ++i)
        frames.insert(frames.end(), {0x02, 'e', 'e', 0x03});
    ASSERT_EQ(link.Send(frames.data(), kMaxTransfer), 1);
    EXPECT_TRUE(sim->WaitForCommands(kMaxTransfer / 4, kWaitMs));
    EXPECT_EQ(link.Close(), 1);
}

TEST_F(PtyLinkTest, CloseWhileReceivingReturnsAtOnce)
{
    CSerialIo link;  // the program's timings: 50 ms pass
    ASSERT_EQ(link.Open(sim->SlavePath()), 1);
    ASSERT_EQ(link.StartReceive(&sink), 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(120));
    const auto start = Clock::now();
    EXPECT_EQ(link.Close(), 1);
    EXPECT_LT(MsSince(start), 60);
    EXPECT_EQ(link.IsReceiving(), 0);
    EXPECT_EQ(link.Close(), 1);
}

TEST_F(PtyTimeoutTest, HangUpMidStream)
{
    Handshake();
    Sent(io->StartMeasurement());
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 2));
    sim->Hangup();
    // The link keeps its pace on a dead port and reports the missing data.
    ASSERT_TRUE(sink.WaitFor(kLinkNoData, kWaitMs, 2));
    const auto start = Clock::now();
    EXPECT_EQ(io->Disconnect(), 1);
    EXPECT_LT(MsSince(start), 100);
}

TEST_F(PtyLinkTest, ABacklogIsReadOverSeveralPasses)
{
    Handshake();
    sink.Clear();
    // Six frames (4680 bytes) at once: more than one pass can read.
    rsim::Bytes burst;
    for (std::uint16_t s = 0; s < 6; ++s) {
        const rsim::Bytes f = rsim::BuildFrame(s, 0, 0, Ramp(s, 3), Ramp(s, 5));
        burst.insert(burst.end(), f.begin(), f.end());
    }
    sim->SendRaw(burst);
    ASSERT_TRUE(sink.WaitFor(kLinkNewFrame, kWaitMs, 6));
    const auto frames = TakeAll();
    ASSERT_EQ(frames.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(frames[std::size_t(i)].sequence, i);
}
