// The settings dialogs tell a reply that never came (the link posts its time-out and the
// main window closes the link) from a refused or damaged one (no notification at all).
#include <gtest/gtest.h>

#include "LinkTestSupport.h"

TEST(CommandTimedOut, TimeOutAndRefusalEndInStateThreeButOnlyTheTimeOutIsMarked)
{
    PortlessLink l;
    EXPECT_FALSE(l.link.GetCommandTimedOut());

    l.link.SetCommandState(kStateWaiting);
    l.link.BeginCommand(kCmdVersion);
    l.link.OnReceiveTimeout();
    EXPECT_EQ(l.link.GetCommandState(), kStateFailed);
    EXPECT_TRUE(l.link.GetCommandTimedOut());
    EXPECT_EQ(l.sink.Codes(), std::vector<int>{kLinkReplyTimeout});

    // The next command starts unmarked; its refusal leaves the mark off.
    l.link.SetCommandState(kStateWaiting);
    l.link.BeginCommand(kCmdClock);
    EXPECT_FALSE(l.link.GetCommandTimedOut());
    l.Feed(rsim::BuildReply('G', false, Bytes{'2', '5', '0', '1', '0', '1', '1', '2', '3', '4', '5', '6'}));
    EXPECT_EQ(l.link.GetCommandState(), kStateFailed);
    EXPECT_FALSE(l.link.GetCommandTimedOut());

    // A damaged reply counts as a refusal.
    l.link.SetCommandState(kStateWaiting);
    l.link.BeginCommand(kCmdSetClock);
    Bytes damaged = rsim::BuildReply('S', true, Bytes{0x00});
    damaged[damaged.size() - 2] ^= 0x01;
    l.Feed(damaged);
    EXPECT_EQ(l.link.GetCommandState(), kStateFailed);
    EXPECT_FALSE(l.link.GetCommandTimedOut());
}
