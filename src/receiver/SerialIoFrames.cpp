// CSerialIo: the data-frame intake, the frame queue and the sample fetch.
#include "receiver/SerialIo.h"

#include <algorithm>
#include <cstring>

void CSerialIo::OnDataBytes(const std::uint8_t* bytes, int count)
{
    std::vector<int> posts;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        // The first chunk after an accepted start, whatever it holds, says that data flows.
        int word = ReplyWord(0, kCmdStart);
        if (m_replyWord.compare_exchange_strong(word, ReplyWord(0, kCmdNone)))
            posts.push_back(kLinkFirstData);
        m_rxBuffer.insert(m_rxBuffer.end(), bytes, bytes + count);
        TakeFrames(posts);
    }
    // Notifications go out after the lock is released, in the order of the events.
    for (int code : posts)
        Post(code);
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
    const int highest = m_highestSequence.load();
    const int n = ExtendSequence(highest, FrameSequence16(frame));
    // A damaged frame's number may be what was damaged, so it decides nothing: it stands
    // for a second (as zeros) only when it is exactly the next one expected. Any other
    // damaged frame, and a damaged first frame of a measurement, is consumed without
    // effect; the next good frame shows the gap, which the owner fills.
    const bool usable = checksumOk || (highest >= 0 && n == highest + 1);
    if (usable) {
        if (checksumOk) {
            std::memcpy(m_eegRaw, frame + kFrameEegOffset, kFrameBlockBytes);
            std::memcpy(m_emgRaw, frame + kFrameEmgOffset, kFrameBlockBytes);
        } else {
            FillNeutralBlock(m_eegRaw, 0);
            FillNeutralBlock(m_emgRaw, 1);
        }
        m_lastSequence.store(n);
        const bool isNew = n > highest;
        if (isNew)
            m_highestSequence.store(n);
        m_linkStatus.store(StatusFromBytes(frame[4], frame[5], m_statusFrames));
        m_idleMs.store(0);
        // A full queue means the owner stopped taking frames; the frame is then not
        // announced, and the owner sees the second as missing.
        if (m_frames.size() < kFrameQueueCapacity) {
            sFrameSnapshot& snapshot = m_frames.emplace_back();
            snapshot.sequence = n;
            snapshot.highestSequence = m_highestSequence.load();
            snapshot.linkStatus = m_linkStatus.load();
            for (int i = 0; i < kSampleRate; ++i) {
                snapshot.samples[i] = ConvertSample(m_eegRaw + 3 * i, 0);
                snapshot.samples[kSampleRate + i] = ConvertSample(m_emgRaw + 3 * i, 1);
            }
            posts.push_back(isNew ? kLinkNewFrame : kLinkLateFrame);
        }
    }
    m_rxBuffer.erase(m_rxBuffer.begin(), m_rxBuffer.begin() + static_cast<std::ptrdiff_t>(p + kFrameSize));
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
