// CSerialIo: command bookkeeping, the reply recogniser and its handlers, the time-out, and
// the values that replies store.
#include "receiver/SerialIo.h"

#include <algorithm>
#include <cstring>

void CSerialIo::BeginCommand(int pendingId)
{
    m_commandTimedOut.store(false);
    m_replyWord.store(ReplyWord(1, pendingId));
}

void CSerialIo::CancelCommand()
{
    m_replyWord.store(ReplyWord(0, kCmdNone));
}

void CSerialIo::OnChunk(const std::uint8_t* bytes, int count)
{
    if (GetReplyMode() == 1)
        OnReply(bytes, count);
    else
        OnDataBytes(bytes, count);
}

namespace {

// What a recognised reply leads to: the pending id left behind, the notification to post
// and the command state to set (0 / -1 for none).
struct sReplyOutcome {
    int pendingId = kCmdNone;
    int post = 0;
    int state = -1;
};

sReplyOutcome DecideReply(int id, const std::uint8_t* reply, bool accepted)
{
    switch (id) {
    case kCmdConnect: return {kCmdConnect, kLinkConnectReply, -1};
    case kCmdName: return accepted ? sReplyOutcome {kCmdName, kLinkNameAccepted, -1} : sReplyOutcome {0, kLinkNameRefused, -1};
    case kCmdStart: return accepted ? sReplyOutcome {kCmdStart, 0, -1} : sReplyOutcome {0, kLinkStartRefused, -1};
    case kCmdStep4: return accepted ? sReplyOutcome {kCmdStep4, kLinkStep4Accepted, -1} : sReplyOutcome {0, kLinkStep4Refused, -1};
    case kCmdCardInfo: return {0, accepted ? kLinkCardInfo : kLinkCardInfoError, -1};
    case kCmdTransmitterCheck: return {0, accepted && reply[4] == 0x11 ? kLinkTransmitterOk : kLinkTransmitterNg, -1};
    case kCmdStop: return {0, accepted ? kLinkStopAccepted : kLinkStopRefused, -1};
    case kCmdStop2: return {0, accepted ? kLinkStop2Accepted : kLinkStop2Refused, -1};
    case kCmdVersion:
    case kCmdClock:
    case kCmdSetClock: return accepted ? sReplyOutcome {id, 0, kStateDone} : sReplyOutcome {0, 0, kStateFailed};
    default: return {};
    }
}

}  // namespace

void CSerialIo::OnReply(const std::uint8_t* bytes, int count)
{
    int word = m_replyWord.load();
    const int id = word & 0xFF;
    sReplyOutcome outcome;
    std::vector<int> framePosts;
    std::vector<int> dataPosts;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const sReplySpec spec = ReplySpecFor(id, m_expectedNameLength);
        // A chunk while no command (or an id no command uses) is pending is dropped.
        if (spec.length == 0)
            return;
        m_rxBuffer.insert(m_rxBuffer.end(), bytes, bytes + count);
        const int buffered = static_cast<int>(m_rxBuffer.size());
        if (buffered < spec.length)
            return;
        // The first frame after a start counts as new whatever its number.
        if (id == kCmdStart) {
            m_highestSequence.store(-1);
            m_heldFirst = {};
        }
        int p = FindReply(m_rxBuffer.data(), buffered, spec);
        if (p < 0)
            return;
        // The receiver keeps sending while the stop command travels, so a whole data frame
        // can arrive in front of the stop reply: the measurement's last second, taken as
        // data first. In front of any other reply no measurement is running, and frames
        // there (a stream left over from before) go with the other bytes.
        if (id == kCmdStop || id == kCmdStop2)
            p = TakeGoodFramesInFront(p, framePosts);
        std::uint8_t reply[32];
        std::copy_n(m_rxBuffer.begin() + p, spec.length, reply);
        // Bytes in front of the reply go with it; bytes behind it stay.
        m_rxBuffer.erase(m_rxBuffer.begin(), m_rxBuffer.begin() + p + spec.length);
        m_idleMs.store(0);
        const bool accepted = IsReplyAccepted(reply, spec.length);
        outcome = DecideReply(id, reply, accepted);
        // Reply mode and pending id change together, and only if no new command replaced
        // this one meanwhile; a superseded reply is consumed without effect.
        if (m_replyWord.compare_exchange_strong(word, ReplyWord(0, outcome.pendingId)))
            StoreReplyValues(id, reply, spec.length, accepted);
        else
            outcome = {};
        // Data that came in the same read as an accepted start reply is taken now, not a
        // read later, so that the first second is dated and shown when it arrived.
        if (outcome.pendingId == kCmdStart && !m_rxBuffer.empty())
            TakeData(dataPosts);
    }
    for (int code : framePosts)
        Post(code);
    if (outcome.state >= 0)
        SetCommandState(outcome.state);
    if (outcome.post)
        Post(outcome.post);
    for (int code : dataPosts)
        Post(code);
}

int CSerialIo::TakeGoodFramesInFront(int end, std::vector<int>& posts)
{
    int q = 0;
    while (q + kFrameSize <= end) {
        const std::uint8_t* at = m_rxBuffer.data() + q;
        if (IsFrameStart(at) && IsFrameChecksumValid(at)) {
            TakeFrameAt(static_cast<std::size_t>(q), posts);
            end -= q + kFrameSize;
            q = 0;
        } else {
            ++q;
        }
    }
    return end;
}

void CSerialIo::KeepFrameHead()
{
    const int size = static_cast<int>(m_rxBuffer.size());
    int p = std::max(0, size - (kFrameSize - 1));
    while (p < size && !CouldBeFrameHead(m_rxBuffer.data() + p, size - p))
        ++p;
    m_rxBuffer.erase(m_rxBuffer.begin(), m_rxBuffer.begin() + p);
}

void CSerialIo::StoreReplyValues(int id, const std::uint8_t* reply, int length, bool accepted)
{
    switch (id) {
    case kCmdName:
        if (accepted) {
            const int n = std::min(m_expectedNameLength - 1, kNameBufferSize - 1);
            std::memset(m_receiverName, 0, sizeof m_receiverName);
            std::memcpy(m_receiverName, reply + 3, static_cast<std::size_t>(std::min(n, length - 5)));
            m_modelType = DetectModelType(m_receiverName);
        }
        break;
    case kCmdCardInfo:
        if (accepted) {
            m_cardTotalMb = ParseCardField(reply + 3, 6);
            m_cardFreeMb = ParseCardField(reply + 9, 6);
        } else if (reply[2] == kNak && reply[3] == 0x11) {
            m_cardErrorCode = kCardNotInserted;
        } else if (reply[2] == kNak && reply[3] == 0x12) {
            m_cardErrorCode = kCardUnreadable;
        } else {
            m_cardErrorCode = kCardOtherError;
        }
        break;
    case kCmdVersion:
        if (accepted) {
            const std::uint8_t chars[4] = {reply[13], reply[14], reply[15], reply[16]};
            const sVersionInfo info = ParseVersion(chars);
            m_firmwareVersion = info.text;
            m_expectedNameLength = info.nameLength;
        }
        break;
    case kCmdClock:
        if (accepted)
            m_receiverClock = FormatClockText(reply + 3);
        break;
    default: break;
    }
}

void CSerialIo::OnReceiveTimeout()
{
    m_idleMs.store(0);
    int word = m_replyWord.load();
    const int mode = word >> 8;
    const int id = word & 0xFF;
    std::vector<int> framePosts;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        // A receiver that streams on without answering the stop still sent its last
        // seconds: whole good frames are taken as data, as in front of a stop reply, and
        // a frame still arriving stays to be completed by the bytes behind it.
        if (mode == 1 && (id == kCmdStop || id == kCmdStop2)) {
            TakeGoodFramesInFront(static_cast<int>(m_rxBuffer.size()), framePosts);
            KeepFrameHead();
        } else {
            m_rxBuffer.clear();
        }
    }
    for (int code : framePosts)
        Post(code);
    if (mode == 1) {
        // A command issued in the same instant changed the word: leave it alone.
        if (!m_replyWord.compare_exchange_strong(word, ReplyWord(0, kCmdNone)))
            return;
        if (id == kCmdStop) {
            Post(kLinkStopTimeout);
        } else if (id == kCmdStop2) {
            Post(kLinkStop2Timeout);
        } else {
            m_commandTimedOut.store(true);
            SetCommandState(kStateFailed);
            Post(kLinkReplyTimeout);
        }
    } else if (id == kCmdStart) {
        Post(kLinkNoDataAfterStart);
    } else if (id == kCmdNone) {
        m_linkStatus.store(kLinkNoDataStatus);
        Post(kLinkNoData);
    }
}

int CSerialIo::GetCardErrorCode() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_cardErrorCode;
}

int CSerialIo::GetCardTotalMb() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_cardTotalMb;
}

int CSerialIo::GetCardFreeMb() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_cardFreeMb;
}

int CSerialIo::GetModelType() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_modelType;
}

int CSerialIo::GetExpectedNameLength() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_expectedNameLength;
}

std::string CSerialIo::GetReceiverName() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_receiverName;
}

std::string CSerialIo::GetFirmwareVersion() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_firmwareVersion;
}

std::string CSerialIo::GetReceiverClock() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_receiverClock;
}
