#include "receiver/Frames.h"

#include <cstdint>

#include "receiver/Protocol.h"

namespace {

// The fixed bytes of a frame that lie among its first count bytes match.
bool MatchesFixedBytes(const std::uint8_t* b, int count)
{
    static constexpr struct {
        int at;
        std::uint8_t value;
    } kFixed[] = {{0, 0x53}, {1, 0x00}, {2, 0x00}, {3, 0x73}, {6, 0x6D}, {777, 0x45}, {778, 0x00}};
    for (const auto& fixed : kFixed)
        if (fixed.at < count && b[fixed.at] != fixed.value)
            return false;
    return true;
}

}  // namespace

bool IsFrameStart(const std::uint8_t* b)
{
    return MatchesFixedBytes(b, kFrameSize);
}

bool CouldBeFrameHead(const std::uint8_t* b, int count)
{
    return count > 0 && count < kFrameSize && MatchesFixedBytes(b, count);
}

bool IsResetPattern(const std::uint8_t* b)
{
    return b[0] == 0x53 && b[1] == 0x01 && b[2] == 0x00;
}

bool IsFrameChecksumValid(const std::uint8_t* frame)
{
    return XorBytes(frame, 3, 776) == frame[779];
}

unsigned FrameSequence16(const std::uint8_t* frame)
{
    return 256u * frame[7] + frame[8];
}

int ExtendSequence(int highest, unsigned s16)
{
    if (highest < 0)
        return static_cast<int>(s16 & 0xFFFFu);
    const auto delta = static_cast<std::int16_t>(static_cast<std::uint16_t>(s16 - static_cast<unsigned>(highest)));
    return highest + delta;
}

int StatusFromBytes(std::uint8_t a, std::uint8_t b, long long& statusFrames)
{
    if (a == 0 && b == 0) {
        statusFrames = 0;
        return kLinkOk;
    }
    ++statusFrames;
    if (statusFrames <= 3)
        return kLinkOk;
    if (a == 0x01)
        return kLinkBatteryLow;
    if (b == 0x01)
        return kLinkRadioError;
    if (b == 0x02)
        return kLinkNoiseError;
    if (a == 0x11)
        return kLinkRadioError2;
    return kLinkOk;
}

float ConvertSample(const std::uint8_t* group, int channel)
{
    const std::uint8_t marker = channel == 0 ? kEegMarker : kEmgMarker;
    if (group[0] != marker)
        return 0.0f;
    const int raw = 256 * group[1] + group[2];
    // Each step rounds as it goes: the position in double precision, then every further
    // step in single precision. Computing it all in double gives different values.
    const double position = raw / 16384.0;
    const double volts = 3.0 * position;
    const double centred = volts - 1.5;
    float value = static_cast<float>(centred);
    value = value * 1000.0f;
    value = value * 1000.0f;
    value = value / (channel == 0 ? 2000.0f : 141.0f);
    return value;
}

void FillNeutralBlock(std::uint8_t* block, int channel)
{
    const std::uint8_t marker = channel == 0 ? kEegMarker : kEmgMarker;
    for (int i = 0; i < kSampleRate; ++i) {
        block[3 * i] = marker;
        block[3 * i + 1] = 0x20;
        block[3 * i + 2] = 0x00;
    }
}
