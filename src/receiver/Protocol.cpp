#include "receiver/Protocol.h"

#include <charconv>
#include <cstdio>
#include <cstring>

std::uint8_t XorBytes(const std::uint8_t* bytes, int first, int last)
{
    std::uint8_t x = 0;
    for (int i = first; i <= last; ++i)
        x ^= bytes[i];
    return x;
}

namespace {

char CommandLetter(int pendingId)
{
    switch (pendingId) {
    case kCmdConnect:
    case kCmdStep4:
    case kCmdStop:
    case kCmdStop2: return 'e';
    case kCmdName: return 'n';
    case kCmdStart: return 'b';
    case kCmdCardInfo: return 'd';
    case kCmdTransmitterCheck: return 'w';
    case kCmdVersion: return 'v';
    case kCmdClock: return 'g';
    default: return 0;
    }
}

// First two characters of the value formatted with at least two digits.
void PutTwoDigits(std::uint8_t* out, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    out[0] = static_cast<std::uint8_t>(text[0]);
    out[1] = static_cast<std::uint8_t>(text[1]);
}

}  // namespace

std::array<std::uint8_t, 4> CommandFrame(int pendingId)
{
    const char c = CommandLetter(pendingId);
    if (!c)
        return {0, 0, 0, 0};
    return {kStx, static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c), kEtx};
}

int BuildClockSetFrame(const std::tm& time, std::uint8_t (&frame)[kClockSetFrameSize])
{
    const int year = time.tm_year + 1900;
    if (year < 2000 || year > 2099)
        return 0;
    frame[0] = kStx;
    frame[1] = 's';
    PutTwoDigits(frame + 2, time.tm_year - 100);
    PutTwoDigits(frame + 4, time.tm_mon + 1);
    PutTwoDigits(frame + 6, time.tm_mday);
    PutTwoDigits(frame + 8, time.tm_hour);
    PutTwoDigits(frame + 10, time.tm_min);
    PutTwoDigits(frame + 12, time.tm_sec);
    frame[14] = XorBytes(frame, 1, 13);
    frame[15] = kEtx;
    return 1;
}

sReplySpec ReplySpecFor(int pendingId, int expectedNameLength)
{
    switch (pendingId) {
    case kCmdConnect:
    case kCmdStep4:
    case kCmdStop:
    case kCmdStop2: return {'E', 6};
    case kCmdName: return {'N', expectedNameLength + 4};
    case kCmdStart: return {'B', 6};
    case kCmdCardInfo: return {'D', 17};
    case kCmdTransmitterCheck: return {'W', 8};
    case kCmdVersion: return {'V', 20};
    case kCmdClock: return {'G', 17};
    case kCmdSetClock: return {'S', 6};
    default: return {};
    }
}

int FindReply(const std::uint8_t* bytes, int count, const sReplySpec& spec)
{
    const int length = spec.length;
    if (length < 4)
        return -1;
    for (int p = 0; p + length <= count; ++p) {
        if (bytes[p] == kStx && bytes[p + 1] == static_cast<std::uint8_t>(spec.letter) && bytes[p + length - 1] == kEtx)
            return p;
    }
    return -1;
}

bool IsReplyAccepted(const std::uint8_t* reply, int length)
{
    return reply[2] == kAck && reply[length - 2] == XorBytes(reply, 1, length - 3);
}

double LeadingNumber(const std::string& text)
{
    std::size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9')
        ++end;
    if (end == 0)
        return 0.0;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9')
            ++end;
    }
    double value = 0.0;
    std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
    return value;
}

sVersionInfo ParseVersion(const std::uint8_t (&chars)[4])
{
    sVersionInfo info;
    const int major = (chars[0] >= '0' && chars[0] <= '9') ? chars[0] - '0' : 0;
    // The text ends at a NUL among the characters, as a C string would.
    auto append = [&info](std::uint8_t c) { info.text.push_back(static_cast<char>(c)); };
    if (major < 2) {
        for (std::uint8_t c : chars)
            append(c);
    } else {
        for (int i = 0; i < 4; ++i) {
            append(chars[i]);
            if (i < 3)
                info.text.push_back('.');
        }
    }
    info.text.resize(std::strlen(info.text.c_str()));
    info.nameLength = LeadingNumber(info.text) > 1.36 ? 21 : 5;
    return info;
}

int ParseCardField(const std::uint8_t* field, int width)
{
    int i = 0;
    while (i < width && (field[i] == ' ' || field[i] == '\t' || field[i] == '\n' || field[i] == '\v' ||
                         field[i] == '\f' || field[i] == '\r'))
        ++i;
    bool negative = false;
    if (i < width && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    int value = 0;
    while (i < width && field[i] >= '0' && field[i] <= '9') {
        value = value * 10 + (field[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

std::string FormatClockText(const std::uint8_t* d)
{
    std::string text = "20";
    auto put = [&text, d](int at) {
        text.push_back(static_cast<char>(d[at]));
        text.push_back(static_cast<char>(d[at + 1]));
    };
    put(0);
    text.push_back('/');
    put(2);
    text.push_back('/');
    put(4);
    text.push_back(' ');
    put(6);
    text.push_back(':');
    put(8);
    text.push_back(':');
    put(10);
    // Like a C string, the text ends at a NUL among the characters.
    text.resize(std::strlen(text.c_str()));
    return text;
}

int DetectModelType(const std::string& name)
{
    if (name.find("TQR27") != std::string::npos)
        return kModelOlder;
    if (name.find("TQS27") != std::string::npos)
        return kModelCurrent;
    return kModelUnknown;
}
