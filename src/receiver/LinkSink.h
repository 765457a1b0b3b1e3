#pragma once
// How the receiver link tells its owner that something happened. The link's threads call
// Post; the owner queues the notification and handles it later on its own thread, so Post
// never calls back into the link.

#include <cstdint>

// Notification codes, numbered as the receiver link's events 1..26.
enum LinkNotification : int {
    kLinkConnectReply = 1,        // reply to the opening command, accepted or refused
    kLinkNameAccepted = 2,        // receiver name reply accepted
    kLinkNameRefused = 3,         // receiver name reply refused
    kLinkUnused4 = 4,             // never posted
    kLinkStartRefused = 5,        // start reply refused
    kLinkReplyTimeout = 6,        // no complete reply in time (command state 3)
    kLinkNoDataAfterStart = 7,    // start accepted but no byte arrived in time
    kLinkStep4Accepted = 8,       // reply to the fallback step accepted
    kLinkStep4Refused = 9,        // reply to the fallback step refused
    kLinkCardInfo = 10,           // memory-card reply accepted
    kLinkCardInfoError = 11,      // memory-card reply refused
    kLinkTransmitterOk = 12,      // transmitter check answered OK
    kLinkTransmitterNg = 13,      // any other transmitter-check reply
    kLinkStopAccepted = 14,       // stop reply accepted
    kLinkStopRefused = 15,        // stop reply refused
    kLinkStopTimeout = 16,        // no stop reply in time
    kLinkStop2Accepted = 17,      // second stop reply accepted
    kLinkStop2Refused = 18,       // second stop reply refused
    kLinkStop2Timeout = 19,       // no second stop reply in time
    kLinkNoData = 20,             // measuring, nothing pending, no frame in time
    kLinkFirstData = 21,          // first bytes in data mode after the start was accepted
    kLinkNewFrame = 22,           // a new data frame was taken (carries a frame snapshot)
    kLinkUnused23 = 23,           // never posted
    kLinkCommandWritten = 24,     // the bytes of a command were written (whatever the outcome)
    kLinkLateFrame = 25,          // a frame not newer than the highest (carries a snapshot)
    kLinkTransmitterReset = 26,   // the transmitter-reset pattern was seen
};

inline constexpr int kLinkNotificationCount = 26;

class ILinkSink {
public:
    virtual ~ILinkSink() = default;
    // Called from the link's threads. `generation` identifies the opening of the link that
    // produced the event: every Open and every Close of the port starts a new generation, so
    // the owner can drop events that belong to a link it has already closed.
    virtual void Post(int code, std::uint32_t generation) = 0;
};
