#pragma once
// The real CWaveIo against the receiver simulator on a pseudo-terminal, with a 10 ms pass
// and a simulator that writes without line pacing. The reply time-out leaves room for a
// busy machine; the tests of the time-outs themselves (PtyTimeoutTest) use a short one.

#include <gtest/gtest.h>

#include <memory>

#include "LinkTestSupport.h"
#include "ReceiverSim.h"
#include "receiver/WaveIo.h"

inline constexpr sLinkTimings kRoomyTimings {10, 5000};
inline constexpr sLinkTimings kFastTimings {10, 400};
inline constexpr int kWaitMs = 60000;  // bound of a wait for anything that must happen

class PtyLinkTest : public ::testing::Test {
protected:
    virtual sLinkTimings Timings() const { return kRoomyTimings; }
    virtual rsim::Options SimOptions()
    {
        rsim::Options o;
        o.bytesPerSecond = 0;
        o.frameIntervalMs = 100;
        o.firstFrameDelayMs = 50;
        return o;
    }

    void SetUp() override
    {
        sim = std::make_unique<rsim::ReceiverSim>(SimOptions());
        ASSERT_TRUE(sim->Start());
        io = std::make_unique<CWaveIo>(&sink, Timings(), sPortListRoots {"/nonexistent", "/nonexistent", false});
        io->SetPortName(sim->SlavePath());
    }

    void TearDown() override
    {
        io.reset();
        sim->Stop();
        EXPECT_EQ(sim->Errors(), std::vector<std::string> {}) << "the program sent bytes that are no command";
    }

    // Sends a command and waits until its bytes are written.
    void Sent(int result)
    {
        ASSERT_EQ(result, 1);
        ASSERT_TRUE(sink.WaitFor(kLinkCommandWritten, kWaitMs, ++m_writes));
    }

    void ClearEvents()
    {
        sink.Clear();
        m_writes = 0;
    }

    bool WaitForState(int timeoutMs = kWaitMs)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (io->GetCommandState() == kStateWaiting) {
            if (std::chrono::steady_clock::now() > until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }

    // Connect, version and name, as the main window does.
    void Handshake()
    {
        Sent(io->Connect());
        ASSERT_TRUE(sink.WaitFor(kLinkConnectReply, kWaitMs));
        Sent(io->RequestVersion());
        ASSERT_TRUE(WaitForState());
        Sent(io->RequestName());
        ASSERT_TRUE(sink.WaitFor(kLinkNameAccepted, kWaitMs));
    }

    std::vector<sFrameSnapshot> TakeAll()
    {
        std::vector<sFrameSnapshot> frames;
        sFrameSnapshot f;
        while (io->TakeFrame(f))
            frames.push_back(f);
        return frames;
    }

    RecordingSink sink;
    std::unique_ptr<rsim::ReceiverSim> sim;
    std::unique_ptr<CWaveIo> io;
    int m_writes = 0;
};

// For the tests of the link's time-outs: they come after 400 ms.
class PtyTimeoutTest : public PtyLinkTest {
protected:
    sLinkTimings Timings() const override { return kFastTimings; }
};
