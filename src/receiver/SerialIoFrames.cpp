// CSerialIo: the data-frame intake, the frame queue and the sample fetch.
#include "receiver/SerialIo.h"

#include <algorithm>
#include <cstring>

void CSerialIo::OnDataBytes(const std::uint8_t* bytes, int count)
{
    std::vector<int> posts;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_rxBuffer.insert(m_rxBuffer.end(), bytes, bytes + count);
        TakeData(posts);
    }
    // Notifications go out after the lock is released, in the order of the events.
    for (int code : posts)
        Post(code);
}

void CSerialIo::TakeData(std::vector<int>& posts)
{
    // The first bytes after an accepted start, whatever they hold, say that data flows.
    int word = ReplyWord(0, kCmdStart);
    if (m_replyWord.compare_exchange_strong(word, ReplyWord(0, kCmdNone)))
        posts.push_back(kLinkFirstData);
    TakeFrames(posts);
}

void CSerialIo::TakeFrames(std::vector<int>& posts)
{
    std::size_t p = 0;
    while (m_rxBuffer.size() >= kFrameSize && p <= m_rxBuffer.size() - kFrameSize) {
        const std::uint8_t* at = m_rxBuffer.data() + p;
        if (IsFrameStart(at)) {
            TakeFrameAt(p, posts);
            p = 0;
        } else if (IsResetPattern(at)) {
            // Reported once: the bytes up to and including the pattern are dropped. The
            // pattern cannot overlap the start of a frame, whose second byte is 0x00.
            posts.push_back(kLinkTransmitterReset);
            m_rxBuffer.erase(m_rxBuffer.begin(), m_rxBuffer.begin() + static_cast<std::ptrdiff_t>(p + 3));
            p = 0;
        } else {
            ++p;
        }
    }
}

// Takes the frame at p: its samples, number and status; the buffer loses everything up to
// the frame's last byte.
void CSerialIo::TakeFrameAt(std::size_t p, std::vector<int>& posts)
{
    const std::uint8_t* frame = m_rxBuffer.data() + p;
    const bool checksumOk = IsFrameChecksumValid(frame);
    const unsigned s16 = FrameSequence16(frame);
    const int highest = m_highestSequence.load();
    if (highest < 0) {
        TakeFirstFrame(frame, checksumOk, s16, posts);
    } else {
        const int n = ExtendSequence(highest, s16);
        // A damaged frame's number may be what was damaged, so it decides nothing: it stands
        // for a second (as zeros) only when it is exactly the next one expected. Any other
        // damaged frame is consumed without effect; the next good frame shows the gap,
        // which the owner fills.
        if (checksumOk || n == highest + 1)
            AnnounceFrame(n, checksumOk ? frame : nullptr, frame[4], frame[5], n, posts);
    }
    m_rxBuffer.erase(m_rxBuffer.begin(), m_rxBuffer.begin() + static_cast<std::ptrdiff_t>(p + kFrameSize));
}

// The first frame of a measurement sets the numbering, so a damaged one cannot: it is held
// back (a later damaged one replaces it). When the next good frame carries exactly the
// number after it, the held frame goes first as a second of zeros, announced as seen from
// that good frame, so that the owner dates the recording from the earlier arrival.
// Otherwise the held frame is dropped and the good frame is the first.
void CSerialIo::TakeFirstFrame(const std::uint8_t* frame, bool checksumOk, unsigned s16, std::vector<int>& posts)
{
    if (!checksumOk) {
        m_heldFirst = {true, s16, frame[4], frame[5]};
        return;
    }
    const int n = ExtendSequence(-1, s16);
    if (m_heldFirst.held && ((m_heldFirst.sequence16 + 1) & 0xFFFFu) == s16) {
        const int heldNumber = ExtendSequence(-1, m_heldFirst.sequence16);
        AnnounceFrame(heldNumber, nullptr, m_heldFirst.statusA, m_heldFirst.statusB, heldNumber + 1, posts);
        m_heldFirst = {};
        AnnounceFrame(ExtendSequence(heldNumber, s16), frame, frame[4], frame[5], heldNumber + 1, posts);
        return;
    }
    m_heldFirst = {};
    AnnounceFrame(n, frame, frame[4], frame[5], n, posts);
}

// Makes frame n the last one taken: its samples (neutral ones when samples is null, for a
// damaged frame), number and status, and queues its snapshot with the notification to post.
// seen is the highest number seen, which is beyond n only for a held first frame.
void CSerialIo::AnnounceFrame(int n, const std::uint8_t* frame, std::uint8_t statusA, std::uint8_t statusB,
                              int seen, std::vector<int>& posts)
{
    if (frame) {
        std::memcpy(m_eegRaw, frame + kFrameEegOffset, kFrameBlockBytes);
        std::memcpy(m_emgRaw, frame + kFrameEmgOffset, kFrameBlockBytes);
    } else {
        FillNeutralBlock(m_eegRaw, 0);
        FillNeutralBlock(m_emgRaw, 1);
    }
    const int highest = m_highestSequence.load();
    m_lastSequence.store(n);
    const bool isNew = n > highest;
    if (isNew)
        m_highestSequence.store(n);
    m_linkStatus.store(StatusFromBytes(statusA, statusB, m_statusFrames));
    m_idleMs.store(0);
    // A full queue means the owner stopped taking frames; the frame is then not
    // announced, and the owner sees the second as missing.
    if (m_frames.size() >= kFrameQueueCapacity)
        return;
    sFrameSnapshot& snapshot = m_frames.emplace_back();
    snapshot.sequence = n;
    snapshot.highestSequence = std::max(m_highestSequence.load(), seen);
    snapshot.linkStatus = m_linkStatus.load();
    for (int i = 0; i < kSampleRate; ++i) {
        snapshot.samples[i] = ConvertSample(m_eegRaw + 3 * i, 0);
        snapshot.samples[kSampleRate + i] = ConvertSample(m_emgRaw + 3 * i, 1);
    }
    posts.push_back(isNew ? kLinkNewFrame : kLinkLateFrame);
}

int CSerialIo::GetSamples(int n, float* out) const
{
    n = std::clamp(n, 0, kSampleRate);
    std::lock_guard<std::mutex> guard(m_lock);
    for (int i = 0; i < n; ++i)
        out[i] = ConvertSample(m_eegRaw + 3 * i, 0);
    for (int i = 0; i < n; ++i)
        out[n + i] = ConvertSample(m_emgRaw + 3 * i, 1);
    return 1;
}
