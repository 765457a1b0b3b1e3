#pragma once
// The receiver's wire format as the simulator knows it: replies, data frames, command
// frames and the conversion of a sample to microvolts. Written from the format alone; it
// shares no code with the program's receiver link, so the two cannot be wrong together.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rsim {

using Bytes = std::vector<std::uint8_t>;
inline constexpr int kSamplesPerBlock = 128;
using Samples = std::array<std::uint16_t, kSamplesPerBlock>;
inline constexpr int kFrameBytes = 780;

// A reply frame: STX, letter, ACK or NAK, payload, XOR of bytes 1..L-3, ETX.
Bytes BuildReply(char letter, bool ack, const Bytes& payload);

// How a data frame is damaged on purpose.
enum class Damage {
    None,
    SampleByte,    // one byte at offset `damageAt` (3..776) flipped: the checksum fails
    ChecksumByte,  // the checksum byte is wrong
    FixedByte,     // the fixed byte at offset `damageAt` (0, 1, 2, 3, 6, 777 or 778) is wrong
    Marker,        // the EEG marker of sample group `damageAt` is wrong (checksum kept right)
};

// One data frame: 'S' 0 0 's' A B 'm' seq(2) 128×('b' hi lo) 128×('e' hi lo) 'E' 0 XOR(3..776).
Bytes BuildFrame(std::uint16_t seq, std::uint8_t statusA, std::uint8_t statusB, const Samples& eeg,
                 const Samples& emg, Damage damage = Damage::None, int damageAt = 0);

// A sample value in microvolts as the receiver means it: 0x2000 is 0 µV, the range of
// ±1.5 V over 16384 steps divided by the channel's gain (2000 EEG, 141 EMG), rounded to
// single precision at every step after the first. channel 0 EEG, 1 EMG.
float Microvolts(std::uint16_t raw, int channel);

// One command parsed from what the program sent.
struct ParsedCommand {
    char letter = 0;        // 'e','n','b','d','w','v','g', or 's' for the clock set
    Bytes bytes;
    std::string clockDigits;  // 's' only: YYMMDDhhmmss
};

// Splits the bytes the program sent into commands. Complete commands are removed from
// `pending`; every byte that cannot start a valid command is removed and described in
// `errors`. An incomplete command stays.
std::vector<ParsedCommand> ParseCommands(Bytes& pending, std::vector<std::string>& errors);

// The expected name length of a version: the receiver sends 20 name characters above
// version 1.36 and 4 otherwise; the version's four characters as in the version reply.
int NameCharsForVersion(const std::string& versionChars);

}  // namespace rsim
