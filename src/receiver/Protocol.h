#pragma once
// The receiver's command and reply frames: building the commands, recognising and reading
// the replies. Pure functions, no state; CSerialIo keeps the state.

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kNak = 0x15;

// Pending command ids: which reply the link waits for. Id 9 is used by no command.
enum PendingCommand : int {
    kCmdNone = 0,
    kCmdConnect = 1,
    kCmdName = 2,
    kCmdStart = 3,
    kCmdStep4 = 4,
    kCmdCardInfo = 5,
    kCmdTransmitterCheck = 6,
    kCmdStop = 7,
    kCmdStop2 = 8,
    kCmdVersion = 10,
    kCmdClock = 11,
    kCmdSetClock = 12,
};

// Command state that the user-interface thread waits on.
enum CommandState : int { kStateIdle = 0, kStateWaiting = 1, kStateDone = 2, kStateFailed = 3 };

// Model family read from the receiver name.
enum ModelFamily : int { kModelOlder = 0, kModelCurrent = 1, kModelUnknown = 2 };

// Memory-card refusal codes.
enum CardError : int { kCardNotInserted = 0, kCardUnreadable = 1, kCardOtherError = 2 };

inline constexpr int kClockSetFrameSize = 16;
inline constexpr int kNameBufferSize = 24;     // receiver name text, NUL included
inline constexpr int kVersionBufferSize = 9;   // firmware version text, NUL included
inline constexpr int kClockTextLength = 19;    // "2025/01/01 12:34:56"
inline constexpr int kDefaultNameLength = 21;  // expected name length of the current family

// XOR of bytes[first..last], both included; 0 when first > last.
std::uint8_t XorBytes(const std::uint8_t* bytes, int first, int last);

// The four-byte frame STX c c ETX of a command id; all zeros for an id no command uses.
std::array<std::uint8_t, 4> CommandFrame(int pendingId);

// The clock-set frame for a calendar time (years since 1900, month 0..11, ...). 0 when the
// year lies outside 2000..2099, which the two year digits cannot carry.
int BuildClockSetFrame(const std::tm& time, std::uint8_t (&frame)[kClockSetFrameSize]);

// What a pending command expects: the reply letter and the reply length. 0 for both when
// no command has that id.
struct sReplySpec {
    char letter = 0;
    int length = 0;
};
sReplySpec ReplySpecFor(int pendingId, int expectedNameLength);

// Position of the first reply with the letter and length in bytes[0..count), or -1.
int FindReply(const std::uint8_t* bytes, int count, const sReplySpec& spec);

// A reply of `length` bytes is accepted when byte 2 is ACK and its checksum matches.
bool IsReplyAccepted(const std::uint8_t* reply, int length);

// The firmware version text of the version reply's four characters, and the expected name
// length that follows from it (21 above version 1.36, otherwise 5).
struct sVersionInfo {
    std::string text;
    int nameLength = kDefaultNameLength;
};
sVersionInfo ParseVersion(const std::uint8_t (&chars)[4]);

// The leading number of a text: digits, optionally a point and more digits; 0 when the
// text does not start with a digit. Independent of the process locale.
double LeadingNumber(const std::string& text);

// A memory-card field of `width` characters: leading blanks, one sign, then digits up to
// the first other character; 0 without leading digits. Independent of the process locale.
int ParseCardField(const std::uint8_t* field, int width);

// "20YY/MM/DD hh:mm:ss" from the twelve characters YYMMDDhhmmss.
std::string FormatClockText(const std::uint8_t* digits12);

// Model family of a receiver name text.
int DetectModelType(const std::string& name);
