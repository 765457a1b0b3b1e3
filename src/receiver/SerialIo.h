#pragma once
// The receiver link: the serial port, a read thread that polls it every pass, one write
// thread per command, and all protocol state (pending command, replies, data frames,
// sequence numbers, link status). Every event goes to the owner as a notification
// through ILinkSink. CWaveIo is its only user.
//
// Threads: the owner's thread calls the public operations; the read thread runs the byte
// intake (replies and frames) and the time-out; a write thread writes one command and
// posts that it did. One mutex guards the receive buffer, the raw sample blocks, the
// stored reply values and the frame queue; the values that both sides write without it
// are atomics.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/SerialPort.h"
#include "receiver/Frames.h"
#include "receiver/LinkSink.h"
#include "receiver/Protocol.h"
#include "receiver/WaveIoInterface.h"

// Link timings: the read thread's pass and the time-out without a complete reply or frame.
// Tests shorten them; the program uses the defaults. Tests can also hold each write thread
// a while after its write, as a busy machine may, before it counts as done.
struct sLinkTimings {
    int passMs = 50;
    int timeoutMs = 5000;
    int writeHoldMs = 0;
};

inline constexpr int kMaxTransfer = 2048;     // bytes per send and per read pass
inline constexpr int kFrameQueueCapacity = 600;  // frames not yet taken by the owner

class CSerialIo {
public:
    explicit CSerialIo(const sLinkTimings& timings = {});
    virtual ~CSerialIo();
    CSerialIo(const CSerialIo&) = delete;
    CSerialIo& operator=(const CSerialIo&) = delete;

    // Opens and sets up the port (a device path, or a bare name under /dev). 0 while
    // receiving; a port still held from before is closed first.
    virtual int Open(const std::string& portName);
    // Stops both threads and closes the port; 1 also when nothing was open. The port is
    // closed afterwards in every case; 0 when the system reported an error closing it.
    virtual int Close();
    // Sends a command through a new write thread; 0 if longer than 2048 bytes, the port is
    // not usable, the previous write is still running past its deadline or the thread cannot
    // start. A previous write that is still finishing is waited for: its bytes may have left
    // and been answered already.
    virtual int Send(const std::uint8_t* bytes, int length);
    // Sets the owner and starts the read thread; 0 without owner or usable port, while
    // already receiving, or when the thread cannot start.
    virtual int StartReceive(ILinkSink* owner);

    int IsReceiving() const { return m_receiving.load() ? 1 : 0; }
    // 1 while the last write thread runs; a finished one is joined here.
    int IsWriting();
    int IsPortValid() const;
    // Every Open and every Close of the port starts a new generation.
    std::uint32_t GetGeneration() const { return m_generation.load(); }

    // Command bookkeeping, used by CWaveIo around each send. The reply mode and the
    // pending id always change together, as one value.
    void BeginCommand(int pendingId);
    void CancelCommand();
    void SetCommandState(int state) { m_commandState.store(state, std::memory_order_release); }
    int GetCommandState() const { return m_commandState.load(std::memory_order_acquire); }
    // Whether the last command's failure was the reply time-out; stored before the state.
    bool GetCommandTimedOut() const { return m_commandTimedOut.load(); }
    int GetReplyMode() const { return m_replyWord.load() >> 8; }
    int GetPendingCommand() const { return m_replyWord.load() & 0xFF; }

    // Values stored by replies; read under the lock.
    int GetCardErrorCode() const;
    int GetCardTotalMb() const;
    int GetCardFreeMb() const;
    int GetModelType() const;
    int GetExpectedNameLength() const;
    std::string GetReceiverName() const;
    std::string GetFirmwareVersion() const;
    std::string GetReceiverClock() const;

    // Frames.
    int GetSamples(int n, float* out) const;
    int GetSequence() const { return m_lastSequence.load(); }
    int GetLastSequence() const { return m_highestSequence.load(); }
    int GetLinkStatus() const { return m_linkStatus.load(); }
    void SetLinkStatus(int status) { m_linkStatus.store(status); }
    int TakeFrame(sFrameSnapshot& frame);

    // The byte intake. The read thread calls OnPassElapsed every pass and OnChunk with every
    // chunk it reads; OnPassElapsed runs OnReceiveTimeout when the time-out passes; tests and the fuzz target call them
    // directly on a link without a port, after SetOwner.
    void SetOwner(ILinkSink* owner) { m_owner.store(owner); }
    void OnChunk(const std::uint8_t* bytes, int count);
    void OnReply(const std::uint8_t* bytes, int count);
    void OnDataBytes(const std::uint8_t* bytes, int count);
    void OnReceiveTimeout();
    // One read pass, counted as idle time; runs the time-out when it is due.
    void OnPassElapsed();

protected:
    // Start the threads; 1 when started. Virtual so that a test can refuse them.
    virtual int StartReadThread();
    virtual int StartWriteThread();

private:
    static int ReplyWord(int mode, int id) { return (mode << 8) | id; }
    void Post(int code) const;
    void ReadLoop();
    void WriteLoop();
    bool WaitPass();
    void JoinWriteThread();
    // Waits for the last write to finish, at most until its deadline and a moment for its
    // thread to be scheduled; false when it is still running then.
    bool WaitForWrite();
    void ClearFrameQueue();
    // Takes the data in the receive buffer (lock held): says that data flows when it is the
    // first after a start, then takes every complete frame. Appends the notifications to
    // post once the lock is released.
    void TakeData(std::vector<int>& posts);
    void TakeFrames(std::vector<int>& posts);
    void TakeFrameAt(std::size_t p, std::vector<int>& posts);
    void TakeFirstFrame(const std::uint8_t* frame, bool checksumOk, unsigned s16, std::vector<int>& posts);
    void AnnounceFrame(int n, const std::uint8_t* frame, std::uint8_t statusA, std::uint8_t statusB, int seen,
                       std::vector<int>& posts);
    // Takes every whole frame with a good checksum that lies before position end (lock
    // held); returns where end has moved to once they left the buffer.
    int TakeGoodFramesInFront(int end, std::vector<int>& posts);
    // Drops the receive buffer but for the head of a frame still arriving at its end (lock
    // held).
    void KeepFrameHead();
    // Stores what an accepted (or refused card) reply carries (lock held).
    void StoreReplyValues(int id, const std::uint8_t* reply, int length, bool accepted);

    const sLinkTimings m_timings;
    CSerialPort m_port;
    std::thread m_readThread;
    std::thread m_writeThread;
    std::mutex m_writeLock;                // guards the write's state and deadline
    std::condition_variable m_writeWake;
    bool m_writeDone = true;
    std::chrono::steady_clock::time_point m_writeDeadline;
    std::atomic<ILinkSink*> m_owner {nullptr};
    std::atomic<std::uint32_t> m_generation {0};

    mutable std::mutex m_lock;
    std::mutex m_passLock;                 // lets Close wake the read thread's pause
    std::condition_variable m_passWake;

    std::atomic<bool> m_receiving {false};
    std::atomic<int> m_replyWord {0};      // reply mode << 8 | pending command id
    std::atomic<int> m_linkStatus {kLinkOk};
    std::atomic<int> m_commandState {kStateIdle};
    std::atomic<bool> m_commandTimedOut {false};
    std::atomic<int> m_idleMs {0};

    // Guarded by m_lock.
    int m_cardErrorCode = 0;
    int m_cardTotalMb = 0;
    int m_cardFreeMb = 0;
    int m_expectedNameLength = kDefaultNameLength;
    char m_receiverName[kNameBufferSize] {};
    int m_modelType = kModelUnknown;
    std::string m_firmwareVersion;
    std::string m_receiverClock;
    std::vector<std::uint8_t> m_txBuffer;
    std::vector<std::uint8_t> m_rxBuffer;
    std::uint8_t m_eegRaw[kFrameBlockBytes];
    std::uint8_t m_emgRaw[kFrameBlockBytes];
    long long m_statusFrames = 0;
    std::deque<sFrameSnapshot> m_frames;
    // A damaged first frame of a measurement, held until the next frame decides about it.
    struct sHeldFrame {
        bool held = false;
        unsigned sequence16 = 0;
        std::uint8_t statusA = 0, statusB = 0;
    } m_heldFirst;

    // Written under the lock, read without it.
    std::atomic<int> m_lastSequence {-1};
    std::atomic<int> m_highestSequence {-1};
};
