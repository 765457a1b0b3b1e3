#pragma once
// The one-second data frame on the wire and the pure rules around it: recognition, the
// checksum, the reset pattern, sequence numbering, the link status from the status bytes
// and the conversion of a sample to microvolts.

#include <cstdint>

#include "receiver/WaveIoInterface.h"

inline constexpr int kFrameSize = 780;
inline constexpr int kFrameBlockBytes = 3 * kSampleRate;  // 128 groups of marker, high, low
inline constexpr int kFrameEegOffset = 9;
inline constexpr int kFrameEmgOffset = kFrameEegOffset + kFrameBlockBytes;
inline constexpr std::uint8_t kEegMarker = 0x62;  // 'b'
inline constexpr std::uint8_t kEmgMarker = 0x65;  // 'e'

// Link status values 0..5.
enum LinkStatus : int {
    kLinkOk = 0,
    kLinkBatteryLow = 1,
    kLinkRadioError = 2,
    kLinkNoiseError = 3,
    kLinkRadioError2 = 4,
    kLinkNoDataStatus = 5,
};

// The seven fixed bytes of a frame match at p (bytes[p .. p+780) must exist).
bool IsFrameStart(const std::uint8_t* bytes);
// The count bytes at bytes (fewer than a frame) can be the head of a frame: the fixed bytes
// among them match.
bool CouldBeFrameHead(const std::uint8_t* bytes, int count);
// The transmitter-reset pattern 'S' 0x01 0x00 starts at bytes (three bytes must exist).
bool IsResetPattern(const std::uint8_t* bytes);
// The checksum of a frame (XOR of offsets 3..776) matches its last byte.
bool IsFrameChecksumValid(const std::uint8_t* frame);
// The frame's 16-bit sequence number.
unsigned FrameSequence16(const std::uint8_t* frame);

// Extended sequence number of a frame numbered s16 (0..65535), given the highest extended
// number taken so far (negative before the first frame of a measurement). The first frame
// keeps its own number; every later one is placed within -32768..+32767 of the highest,
// which follows the 16-bit numbering across its wraps.
int ExtendSequence(int highest, unsigned s16);

// Link status after a frame with status bytes a and b, given how many consecutive frames
// before it carried a non-zero status byte; updates that count.
int StatusFromBytes(std::uint8_t a, std::uint8_t b, long long& statusFrames);

// One sample group in microvolts; channel 0 EEG (gain 2000), 1 EMG (gain 141). A group
// whose marker is not the channel's gives 0.0.
float ConvertSample(const std::uint8_t* group, int channel);

// Fills a raw block with neutral groups (value 0x2000, 0 µV) of the channel's marker.
void FillNeutralBlock(std::uint8_t* block, int channel);
