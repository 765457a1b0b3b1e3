#pragma once
// Helpers shared by the receiver tests: a link without a port that records what it posts,
// and frames built by the simulator's independent wire code.

#include <cstdint>
#include <ctime>
#include <vector>

#include "RecordingSink.h"
#include "SimWire.h"
#include "receiver/SerialIo.h"
#include "support/CalendarTime.h"

using Bytes = std::vector<std::uint8_t>;

// A CSerialIo driven directly through its byte intake, as the read thread would.
struct PortlessLink {
    CSerialIo link;
    RecordingSink sink;

    explicit PortlessLink(const sLinkTimings& timings = {}) : link(timings) { link.SetOwner(&sink); }
    void Feed(const Bytes& bytes) { link.OnChunk(bytes.data(), static_cast<int>(bytes.size())); }
};

inline rsim::Samples Ramp(std::uint16_t start, std::uint16_t step)
{
    rsim::Samples s {};
    for (int i = 0; i < rsim::kSamplesPerBlock; ++i)
        s[i] = static_cast<std::uint16_t>((start + step * i * 37) % 16384);
    return s;
}

inline rsim::Samples Filled(std::uint16_t value)
{
    rsim::Samples s {};
    s.fill(value);
    return s;
}

// The 256 values a frame's samples should convert to.
inline std::vector<float> ExpectedValues(const rsim::Samples& eeg, const rsim::Samples& emg)
{
    std::vector<float> v;
    for (std::uint16_t raw : eeg)
        v.push_back(rsim::Microvolts(raw, 0));
    for (std::uint16_t raw : emg)
        v.push_back(rsim::Microvolts(raw, 1));
    return v;
}

// 5 March 2024, 07:08:09, and the clock-set frame that carries it.
inline std::tm ClockSetExample()
{
    return CalendarTime(2024, 3, 5, 7, 8, 9);
}
inline const Bytes kClockSetExampleFrame {0x02, 0x73, '2', '4', '0', '3', '0', '5', '0', '7', '0', '8', '0', '9', 0x75, 0x03};
