#pragma once
// Where one stored second of a recording lies in its files, so that a frame arriving late
// can be rewritten in place.

#include <cstdint>

struct sDataFilePosition {
    std::int32_t sequence = 0;         // extended sequence number of the block
    std::int32_t highestSequence = 0;  // highest sequence number seen when it was stored
    std::int64_t edfOffset = 0;        // offset of its record in the EDF file
    std::int64_t csvOffset = 0;        // offset of its first row in the CSV file
};
