// Replies fed to the link's intake directly: every command's accepted, refused and damaged
// replies, split and surrounded replies, and the time-out rules.
#include <gtest/gtest.h>

#include <string>

#include "LinkTestSupport.h"

namespace {

Bytes Reply(char letter, bool ack, const Bytes& payload)
{
    return rsim::BuildReply(letter, ack, payload);
}

Bytes WithBadChecksum(Bytes reply)
{
    reply[reply.size() - 2] ^= 0x01;
    return reply;
}

Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes VersionPayload(const std::string& chars)
{
    Bytes p(15, 0x00);
    for (int i = 0; i < 4; ++i)
        p[10 + i] = std::uint8_t(chars[i]);
    return p;
}

}  // namespace

TEST(ReplyIntake, EveryCommandAcceptedRefusedAndDamaged)
{
    const Bytes e {0x00};
    const struct {
        const char* what;
        int id;
        Bytes reply;
        std::vector<int> posts;
        int pendingAfter;
        int stateAfter;  // -1: unchanged
    } table[] = {
        {"connect ACK", 1, Reply('E', true, e), {kLinkConnectReply}, 1, -1},
        {"connect NAK", 1, Reply('E', false, e), {kLinkConnectReply}, 1, -1},
        {"name ACK", 2, Reply('N', true, Text("TQS27000123         ")), {kLinkNameAccepted}, 2, -1},
        {"name NAK", 2, Reply('N', false, Text("TQS27000123         ")), {kLinkNameRefused}, 0, -1},
        {"start ACK", 3, Reply('B', true, e), {}, 3, -1},
        {"start NAK", 3, Reply('B', false, e), {kLinkStartRefused}, 0, -1},
        {"step 4 ACK", 4, Reply('E', true, e), {kLinkStep4Accepted}, 4, -1},
        {"step 4 NAK", 4, Reply('E', false, e), {kLinkStep4Refused}, 0, -1},
        {"card ACK", 5, Reply('D', true, Text("001024000512")), {kLinkCardInfo}, 0, -1},
        {"card NAK", 5, Reply('D', false, Bytes(12, 0x11)), {kLinkCardInfoError}, 0, -1},
        {"transmitter OK", 6, Reply('W', true, {0x00, 0x11, 0x00}), {kLinkTransmitterOk}, 0, -1},
        {"transmitter other byte", 6, Reply('W', true, {0x00, 0x00, 0x00}), {kLinkTransmitterNg}, 0, -1},
        {"transmitter NAK", 6, Reply('W', false, {0x00, 0x11, 0x00}), {kLinkTransmitterNg}, 0, -1},
        {"transmitter bad checksum", 6, WithBadChecksum(Reply('W', true, {0x00, 0x11, 0x00})), {kLinkTransmitterNg}, 0, -1},
        {"stop ACK", 7, Reply('E', true, e), {kLinkStopAccepted}, 0, -1},
        {"stop NAK", 7, Reply('E', false, e), {kLinkStopRefused}, 0, -1},
        {"stop 2 ACK", 8, Reply('E', true, e), {kLinkStop2Accepted}, 0, -1},
        {"stop 2 bad checksum", 8, WithBadChecksum(Reply('E', true, e)), {kLinkStop2Refused}, 0, -1},
        {"version ACK", 10, Reply('V', true, VersionPayload("1.40")), {}, 10, kStateDone},
        {"version NAK", 10, Reply('V', false, VersionPayload("1.40")), {}, 0, kStateFailed},
        {"version bad checksum", 10, WithBadChecksum(Reply('V', true, VersionPayload("1.40"))), {}, 0, kStateFailed},
        {"clock ACK", 11, Reply('G', true, Text("250101123456")), {}, 11, kStateDone},
        {"clock NAK", 11, Reply('G', false, Text("250101123456")), {}, 0, kStateFailed},
        {"set clock ACK", 12, Reply('S', true, e), {}, 12, kStateDone},
        {"set clock NAK", 12, Reply('S', false, e), {}, 0, kStateFailed},
    };
    for (const auto& row : table) {
        PortlessLink l;
        l.link.SetCommandState(kStateWaiting);
        l.link.BeginCommand(row.id);
        l.Feed(row.reply);
        EXPECT_EQ(l.sink.Codes(), row.posts) << row.what;
        EXPECT_EQ(l.link.GetReplyMode(), 0) << row.what;
        EXPECT_EQ(l.link.GetPendingCommand(), row.pendingAfter) << row.what;
        EXPECT_EQ(l.link.GetCommandState(), row.stateAfter < 0 ? kStateWaiting : row.stateAfter) << row.what;
    }
}

TEST(ReplyIntake, StoredValues)
{
    PortlessLink l;
    EXPECT_EQ(l.link.GetExpectedNameLength(), 21);
    EXPECT_EQ(l.link.GetModelType(), kModelUnknown);
    EXPECT_EQ(l.link.GetCardTotalMb(), 0);
    EXPECT_EQ(l.link.GetReceiverName(), "");

    l.link.BeginCommand(kCmdCardInfo);
    l.Feed(Reply('D', true, Text(" -0012abcdef")));
    EXPECT_EQ(l.link.GetCardTotalMb(), -12);
    EXPECT_EQ(l.link.GetCardFreeMb(), 0);

    const struct {
        Bytes reply;
        int code;
    } refusals[] = {{Reply('D', false, Bytes(12, 0x11)), kCardNotInserted},
                    {Reply('D', false, Bytes(12, 0x12)), kCardUnreadable},
                    {Reply('D', false, Bytes(12, 0x13)), kCardOtherError},
                    {WithBadChecksum(Reply('D', true, Text("001024000512"))), kCardOtherError}};
    for (const auto& row : refusals) {
        l.link.BeginCommand(kCmdCardInfo);
        l.Feed(row.reply);
        EXPECT_EQ(l.link.GetCardErrorCode(), row.code);
    }
    // A refused reply leaves the stored capacities alone.
    EXPECT_EQ(l.link.GetCardTotalMb(), -12);

    l.link.BeginCommand(kCmdClock);
    l.Feed(Reply('G', true, Text("250101123456")));
    EXPECT_EQ(l.link.GetReceiverClock(), "2025/01/01 12:34:56");

    l.link.BeginCommand(kCmdVersion);
    l.Feed(Reply('V', true, VersionPayload("2100")));
    EXPECT_EQ(l.link.GetFirmwareVersion(), "2.1.0.0");
    EXPECT_EQ(l.link.GetExpectedNameLength(), 21);
}

TEST(ReplyIntake, NameLengthFollowsTheVersion)
{
    PortlessLink l;
    // Version 1.36: four name characters, nine reply bytes; no model code fits.
    l.link.BeginCommand(kCmdVersion);
    l.Feed(Reply('V', true, VersionPayload("1.36")));
    EXPECT_EQ(l.link.GetExpectedNameLength(), 5);
    l.link.BeginCommand(kCmdName);
    l.Feed(Reply('N', true, Text("TQS2")));
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkNameAccepted});
    EXPECT_EQ(l.link.GetReceiverName(), "TQS2");
    EXPECT_EQ(l.link.GetModelType(), kModelUnknown);

    // Back to 21: a name reply of the old length is never recognised; the time-out ends it.
    l.link.BeginCommand(kCmdVersion);
    l.Feed(Reply('V', true, VersionPayload("1.37")));
    l.link.SetCommandState(kStateWaiting);
    l.link.BeginCommand(kCmdName);
    l.sink.Clear();
    l.Feed(Reply('N', true, Text("TQS2")));
    EXPECT_TRUE(l.sink.Codes().empty());
    l.link.OnReceiveTimeout();
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkReplyTimeout});
    EXPECT_EQ(l.link.GetCommandState(), kStateFailed);

    const struct {
        const char* name;
        int family;
    } names[] = {{"xxxxxTQS27xxxxxxxxxx", 1}, {"TQR27000001xxxxxxxxx", 0}, {"TQS27xxTQR27xxxxxxxx", 0}, {"RQ5xxxxxxxxxxxxxxxxx", 2}};
    for (const auto& row : names) {
        l.link.BeginCommand(kCmdName);
        l.Feed(Reply('N', true, Text(row.name)));
        EXPECT_EQ(l.link.GetReceiverName(), row.name);
        EXPECT_EQ(l.link.GetModelType(), row.family) << row.name;
    }
    // A refused name leaves the last name and family.
    l.link.BeginCommand(kCmdName);
    l.Feed(Reply('N', false, Text("TQS27000000000000000")));
    EXPECT_EQ(l.link.GetModelType(), kModelUnknown);
    EXPECT_EQ(l.link.GetReceiverName(), "RQ5xxxxxxxxxxxxxxxxx");
}

TEST(ReplyIntake, SplitGarbageAndTrailingBytes)
{
    PortlessLink l;
    const Bytes reply = Reply('G', true, Text("250101123456"));
    l.link.BeginCommand(kCmdClock);
    l.Feed(Bytes(reply.begin(), reply.begin() + 5));
    l.Feed(Bytes(reply.begin() + 5, reply.begin() + 11));
    EXPECT_EQ(l.link.GetReplyMode(), 1);
    l.Feed(Bytes(reply.begin() + 11, reply.end()));
    EXPECT_EQ(l.link.GetReplyMode(), 0);
    EXPECT_EQ(l.link.GetCommandState(), kStateDone);

    // Garbage in front goes with the reply; a second reply behind it stays for the next
    // command.
    Bytes chunk {0x53, 0x00, 0x02, 0x45, 0x99};
    const Bytes stopAck = Reply('E', true, {0x00});
    chunk.insert(chunk.end(), stopAck.begin(), stopAck.end());
    const Bytes stopNak = Reply('E', false, {0x00});
    chunk.insert(chunk.end(), stopNak.begin(), stopNak.end());
    l.link.BeginCommand(kCmdStop);
    l.Feed(chunk);
    l.link.BeginCommand(kCmdStop2);
    l.Feed({});
    EXPECT_EQ(l.sink.Codes(), (std::vector<int> {kLinkStopAccepted, kLinkStop2Refused}));
}

TEST(ReplyIntake, WrongLetterOrNoCommandEndsInTheTimeout)
{
    PortlessLink l;
    l.link.SetCommandState(kStateWaiting);
    l.link.BeginCommand(kCmdVersion);
    l.Feed(Reply('X', true, VersionPayload("1.40")));
    EXPECT_EQ(l.link.GetReplyMode(), 1);
    l.link.OnReceiveTimeout();
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkReplyTimeout});
    EXPECT_EQ(l.link.GetPendingCommand(), 0);

    // Reply mode without a command: chunks are dropped, then the time-out.
    l.sink.Clear();
    l.link.BeginCommand(9);
    l.Feed(Reply('E', true, {0x00}));
    l.link.OnReceiveTimeout();
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkReplyTimeout});
}

TEST(ReplyIntake, StartReplyForgetsTheHighestFrame)
{
    PortlessLink l;
    l.Feed(rsim::BuildFrame(500, 0, 0, Ramp(1, 3), Ramp(2, 5)));
    ASSERT_EQ(l.link.GetLastSequence(), 500);
    l.link.BeginCommand(kCmdStart);
    l.Feed({0x01, 0x02, 0x03, 0x04, 0x05, 0x06});  // six bytes, no reply yet
    EXPECT_EQ(l.link.GetLastSequence(), -1);
    EXPECT_EQ(l.link.GetReplyMode(), 1);
}

TEST(ReplyIntake, TimeoutRules)
{
    const struct {
        const char* what;
        int mode, id;
        std::vector<int> posts;
        int modeAfter, idAfter, stateAfter, linkStatusAfter;
    } table[] = {
        {"awaiting the version", 1, 10, {kLinkReplyTimeout}, 0, 0, kStateFailed, kLinkOk},
        {"awaiting the connect reply", 1, 1, {kLinkReplyTimeout}, 0, 0, kStateFailed, kLinkOk},
        {"awaiting nothing in reply mode", 1, 0, {kLinkReplyTimeout}, 0, 0, kStateFailed, kLinkOk},
        {"start accepted, no data", 0, 3, {kLinkNoDataAfterStart}, 0, 3, kStateWaiting, kLinkOk},
        {"measuring, no frame", 0, 0, {kLinkNoData}, 0, 0, kStateWaiting, kLinkNoDataStatus},
        {"awaiting the stop", 1, 7, {kLinkStopTimeout}, 0, 0, kStateWaiting, kLinkOk},
        {"awaiting the second stop", 1, 8, {kLinkStop2Timeout}, 0, 0, kStateWaiting, kLinkOk},
        {"connect answered", 0, 1, {}, 0, 1, kStateWaiting, kLinkOk},
        {"version answered", 0, 10, {}, 0, 10, kStateWaiting, kLinkOk},
    };
    for (const auto& row : table) {
        PortlessLink l;
        l.link.SetCommandState(kStateWaiting);
        if (row.mode)
            l.link.BeginCommand(row.id);
        else {
            // Leave reply mode 0 with the pending id, as an accepted reply does.
            l.link.BeginCommand(row.id);
            const sReplySpec spec = ReplySpecFor(row.id, 21);
            if (spec.length) {
                Bytes payload(std::size_t(spec.length - 5), 0x00);
                if (row.id == kCmdVersion)
                    payload = VersionPayload("1.40");
                l.Feed(Reply(spec.letter, true, payload));
                l.link.SetCommandState(kStateWaiting);
                l.sink.Clear();
            } else {
                l.link.CancelCommand();
            }
        }
        l.link.OnReceiveTimeout();
        std::vector<int> expected = row.posts;
        if (!row.mode) {
            // Out of reply mode the same notification comes with every further time-out.
            l.link.OnReceiveTimeout();
            expected.insert(expected.end(), row.posts.begin(), row.posts.end());
        }
        EXPECT_EQ(l.sink.Codes(), expected) << row.what;
        EXPECT_EQ(l.link.GetReplyMode(), row.modeAfter) << row.what;
        EXPECT_EQ(l.link.GetPendingCommand(), row.idAfter) << row.what;
        EXPECT_EQ(l.link.GetCommandState(), row.stateAfter) << row.what;
        EXPECT_EQ(l.link.GetLinkStatus(), row.linkStatusAfter) << row.what;
    }
}

// Bytes in front of a reply leave the buffer with it. A whole good frame in front of a stop
// reply, or of a stop's time-out, is the measurement's last second and is taken first; in
// front of any other reply or time-out, and a damaged one anywhere, it goes with the other
// bytes. The head of a frame still arriving at a stop's time-out stays, from its first byte
// to all but its last, and its tail completes it.
TEST(ReplyIntake, BytesInFrontOfAReply)
{
    const Bytes good = rsim::BuildFrame(7, 0, 0, Ramp(7, 3), Ramp(8, 5));
    const Bytes good2 = rsim::BuildFrame(8, 0, 0, Ramp(8, 3), Ramp(9, 5));
    const Bytes damaged = rsim::BuildFrame(7, 0, 0, Ramp(7, 3), Ramp(8, 5), rsim::Damage::SampleByte, 100);
    const Bytes tail = rsim::BuildFrame(9, 0, 0, Ramp(9, 3), Ramp(10, 5));
    const Bytes garbage {0x53, 0x00, 0x00, 0x73, 0x02, 0x45};
    const struct {
        const char* what;
        int id;
        std::vector<Bytes> front;
        std::vector<int> posts;
        int highestAfter;
        bool timeout = false;  // no reply: the time-out comes instead
        bool tailTaken = false;  // the frame whose head ends the front is taken with its tail
        int head = 400;  // bytes of that frame in front of the reply or time-out
    } table[] = {
        {"stop, one frame", kCmdStop, {good}, {kLinkNewFrame, kLinkStopAccepted}, 7},
        {"stop, two frames among garbage", kCmdStop, {garbage, good, garbage, good2}, {kLinkNewFrame, kLinkNewFrame, kLinkStopAccepted}, 8},
        {"second stop, one frame", kCmdStop2, {garbage, good}, {kLinkNewFrame, kLinkStop2Accepted}, 7},
        {"stop, damaged frame", kCmdStop, {damaged}, {kLinkStopAccepted}, 6},
        {"stop, garbage only", kCmdStop, {garbage}, {kLinkStopAccepted}, 6},
        {"clock read, frame", kCmdClock, {good}, {}, 6},
        {"connect, frame", kCmdConnect, {good}, {kLinkConnectReply}, 6},
        {"stop time-out, one frame", kCmdStop, {garbage, good}, {kLinkNewFrame, kLinkStopTimeout}, 7, true, true},
        {"second stop time-out, two frames", kCmdStop2, {good, damaged, good2}, {kLinkNewFrame, kLinkNewFrame, kLinkStop2Timeout}, 8, true, true},
        {"stop time-out, a reset pattern in front of the head", kCmdStop, {good, {0x53, 0x01, 0x00}}, {kLinkNewFrame, kLinkStopTimeout}, 7, true, true},
        {"stop time-out, a head of one byte", kCmdStop, {garbage, good}, {kLinkNewFrame, kLinkStopTimeout}, 7, true, true, 1},
        {"second stop time-out, a head of all but the last byte", kCmdStop2, {good}, {kLinkNewFrame, kLinkStop2Timeout}, 7, true, true, kFrameSize - 1},
        {"stop time-out, the head broken by a stray byte", kCmdStop, {good}, {kLinkNewFrame, kLinkStopTimeout}, 7, true, false},
        {"version time-out, frame", kCmdVersion, {good}, {kLinkReplyTimeout}, 6, true},
    };
    const Bytes e {0x00};
    for (const auto& row : table) {
        PortlessLink l;
        l.Feed(rsim::BuildFrame(6, 0, 0, Ramp(6, 3), Ramp(7, 5)));
        sFrameSnapshot f;
        while (l.link.TakeFrame(f)) {
        }
        l.sink.Clear();
        l.link.BeginCommand(row.id);
        // The front ends with the head of a frame whose tail comes after the reply: it must
        // not be completed from bytes that went with the reply.
        Bytes chunk;
        for (const Bytes& b : row.front)
            chunk.insert(chunk.end(), b.begin(), b.end());
        chunk.insert(chunk.end(), tail.begin(), tail.begin() + row.head);
        if (row.timeout && !row.tailTaken)
            chunk.push_back(0x20);
        const Bytes reply = rsim::BuildReply(ReplySpecFor(row.id, 21).letter, true,
                                             row.id == kCmdClock ? Bytes(12, '1') : e);
        if (!row.timeout)
            chunk.insert(chunk.end(), reply.begin(), reply.end());
        l.Feed(chunk);
        if (row.timeout)
            l.link.OnReceiveTimeout();
        EXPECT_EQ(l.sink.Codes(), row.posts) << row.what;
        EXPECT_EQ(l.link.GetLastSequence(), row.highestAfter) << row.what;
        if (row.posts.size() > 1) {
            ASSERT_EQ(l.link.TakeFrame(f), 1) << row.what;
            EXPECT_EQ(f.sequence, 7) << row.what;
            EXPECT_EQ(f.samples[0], rsim::Microvolts(Ramp(7, 3)[0], 0)) << row.what;
        }
        l.link.CancelCommand();
        l.sink.Clear();
        l.Feed(Bytes(tail.begin() + row.head, tail.end()));
        EXPECT_EQ(l.sink.Codes(), row.tailTaken ? std::vector<int>{kLinkNewFrame} : std::vector<int>{}) << row.what;
        // Every second once, in order.
        std::vector<int> taken;
        while (l.link.TakeFrame(f))
            taken.push_back(f.sequence);
        std::vector<int> expected;
        for (int n = 7 + (row.posts.size() > 1 ? 1 : 0); n <= row.highestAfter; ++n)
            expected.push_back(n);
        if (row.tailTaken)
            expected.push_back(9);
        EXPECT_EQ(taken, expected) << row.what;
    }
}

// The time-out is counted in read passes and comes once the idle time is past the limit.
TEST(ReplyIntake, TimeoutComesOnThePassAfterTheLimit)
{
    const struct {
        sLinkTimings timings;
        int passes;
    } table[] = {{{50, 5000}, 101}, {{40, 100}, 3}, {{30, 90}, 4}};
    for (const auto& row : table) {
        PortlessLink l(row.timings);
        l.link.BeginCommand(kCmdVersion);
        for (int i = 1; i < row.passes; ++i)
            l.link.OnPassElapsed();
        EXPECT_TRUE(l.sink.Codes().empty()) << row.timings.passMs << "/" << row.timings.timeoutMs;
        l.link.OnPassElapsed();
        EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkReplyTimeout}) << row.timings.passMs;
        // Without a frame, the no-data time-out follows after as many passes again.
        l.sink.Clear();
        for (int i = 1; i < row.passes; ++i)
            l.link.OnPassElapsed();
        EXPECT_TRUE(l.sink.Codes().empty()) << row.timings.passMs;
        l.link.OnPassElapsed();
        EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkNoData}) << row.timings.passMs;
    }
    // A frame restarts the count.
    PortlessLink l;
    for (int i = 0; i < 100; ++i)
        l.link.OnPassElapsed();
    l.Feed(rsim::BuildFrame(1, 0, 0, Ramp(1, 3), Ramp(2, 5)));
    for (int i = 0; i < 100; ++i)
        l.link.OnPassElapsed();
    EXPECT_EQ(l.sink.Codes(), std::vector<int> {kLinkNewFrame});
}
