// CSerialIo: opening and closing the port, sending, and the two kinds of thread.
#include "receiver/SerialIo.h"

#include <algorithm>
#include <chrono>
#include <system_error>

CSerialIo::CSerialIo(const sLinkTimings& timings) : m_timings(timings)
{
    FillNeutralBlock(m_eegRaw, 0);
    FillNeutralBlock(m_emgRaw, 1);
}

CSerialIo::~CSerialIo()
{
    Close();
}

void CSerialIo::Post(int code) const
{
    if (ILinkSink* owner = m_owner.load())
        owner->Post(code, m_generation.load());
}

int CSerialIo::Open(const std::string& portName)
{
    if (m_receiving.load())
        return 0;
    // A port still held (a read thread that could not start, a port opened only to send)
    // is released before the new one is opened, so it can never stay busy unreferenced.
    if (m_port.IsOpen())
        Close();
    m_generation.fetch_add(1);
    ClearFrameQueue();
    return m_port.Open(portName);
}

int CSerialIo::Close()
{
    if (!m_port.IsOpen())
        return 1;
    if (m_readThread.joinable()) {
        {
            std::lock_guard<std::mutex> wake(m_passLock);
            m_receiving.store(false);
        }
        m_passWake.notify_all();
        m_readThread.join();
    }
    m_receiving.store(false);
    // A write ends by its own deadline, so this wait is bounded.
    JoinWriteThread();
    const int result = m_port.Close();
    m_generation.fetch_add(1);
    ClearFrameQueue();
    return result;
}

int CSerialIo::IsPortValid() const
{
    return m_port.IsUsable();
}

void CSerialIo::JoinWriteThread()
{
    if (m_writeThread.joinable())
        m_writeThread.join();
}

int CSerialIo::IsWriting()
{
    if (!m_writeThread.joinable())
        return 0;
    {
        std::lock_guard<std::mutex> guard(m_writeLock);
        if (!m_writeDone)
            return 1;
    }
    m_writeThread.join();
    return 0;
}

bool CSerialIo::WaitForWrite()
{
    // A write returns by its deadline; beyond that its thread only needs the processor.
    constexpr auto kScheduling = std::chrono::milliseconds(500);
    if (!m_writeThread.joinable())
        return true;
    {
        std::unique_lock<std::mutex> lock(m_writeLock);
        if (!m_writeWake.wait_until(lock, m_writeDeadline + kScheduling, [this] { return m_writeDone; }))
            return false;
    }
    m_writeThread.join();
    return true;
}

int CSerialIo::Send(const std::uint8_t* bytes, int length)
{
    if (length < 0 || length > kMaxTransfer)
        return 0;
    if (!IsPortValid())
        return 0;
    // The write thread counts as done only a moment after its bytes have left, and the
    // reply may already have been handled by then: the next command waits for it rather
    // than fail as if the receiver had not answered.
    if (!WaitForWrite())
        return 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_txBuffer.assign(bytes, bytes + length);
    }
    {
        // 10 ms per byte plus 100 ms from the send: 140 ms for a command, 260 ms for the
        // clock-set frame.
        std::lock_guard<std::mutex> guard(m_writeLock);
        m_writeDone = false;
        m_writeDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(10 * length + 100);
    }
    return StartWriteThread();
}

int CSerialIo::StartReceive(ILinkSink* owner)
{
    if (!owner || !IsPortValid() || m_receiving.load())
        return 0;
    m_owner.store(owner);
    m_receiving.store(true);
    if (StartReadThread())
        return 1;
    // Without a thread nothing would ever clear the flag, and every later Open would be
    // refused: clear it here.
    m_receiving.store(false);
    return 0;
}

int CSerialIo::StartReadThread()
{
    try {
        m_readThread = std::thread(&CSerialIo::ReadLoop, this);
        return 1;
    } catch (const std::system_error&) {
        return 0;
    }
}

int CSerialIo::StartWriteThread()
{
    try {
        m_writeThread = std::thread(&CSerialIo::WriteLoop, this);
        return 1;
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> guard(m_writeLock);
        m_writeDone = true;
        return 0;
    }
}

void CSerialIo::WriteLoop()
{
    std::uint8_t buffer[kMaxTransfer] = {};
    std::size_t count = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        count = std::min<std::size_t>(m_txBuffer.size(), kMaxTransfer);
        std::copy_n(m_txBuffer.begin(), count, buffer);
        m_txBuffer.erase(m_txBuffer.begin(), m_txBuffer.begin() + static_cast<std::ptrdiff_t>(count));
    }
    std::chrono::steady_clock::time_point deadline;
    {
        std::lock_guard<std::mutex> guard(m_writeLock);
        deadline = m_writeDeadline;
    }
    // A failed or short write is not reported; the missing reply ends in the time-out.
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    m_port.Write(buffer, count, static_cast<int>(std::max<long long>(left.count(), 0)));
    if (m_timings.writeHoldMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_timings.writeHoldMs));
    // Done before the notification, so that its receiver can send the next command.
    {
        std::lock_guard<std::mutex> guard(m_writeLock);
        m_writeDone = true;
    }
    m_writeWake.notify_all();
    Post(kLinkCommandWritten);
}

// Waits one pass; false when the link is being closed.
bool CSerialIo::WaitPass()
{
    std::unique_lock<std::mutex> lock(m_passLock);
    m_passWake.wait_for(lock, std::chrono::milliseconds(m_timings.passMs), [this] { return !m_receiving.load(); });
    return m_receiving.load();
}

void CSerialIo::OnPassElapsed()
{
    // The time-out comes once the idle time is past the limit, not when it reaches it:
    // with the default timings on the 101st pass without a complete reply or frame.
    if (m_idleMs.fetch_add(m_timings.passMs) + m_timings.passMs > m_timings.timeoutMs)
        OnReceiveTimeout();
}

void CSerialIo::ReadLoop()
{
    m_idleMs.store(0);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_rxBuffer.clear();
    }
    std::uint8_t chunk[kMaxTransfer];
    while (m_receiving.load()) {
        if (!WaitPass())
            break;
        OnPassElapsed();
        // A port that cannot tell or has nothing queued (also a hung-up one) skips the pass.
        const int queued = m_port.QueuedBytes();
        if (queued <= 0)
            continue;
        const int got = m_port.Read(chunk, std::min(queued, kMaxTransfer));
        if (got <= 0)
            continue;
        OnChunk(chunk, got);
    }
}

void CSerialIo::ClearFrameQueue()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_frames.clear();
}

int CSerialIo::TakeFrame(sFrameSnapshot& frame)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_frames.empty())
        return 0;
    frame = m_frames.front();
    m_frames.pop_front();
    return 1;
}
