#pragma once
// The CSV wave file: three header lines ("#MachineType,<recorder id>", "#Sample/Sec,<rate>",
// "EEG,EMG") and one row per sample pair, "%12.5f,%12.5f" with CR LF: 27 bytes for every
// row, so the rows of a second can be found again and rewritten in place. Numbers are
// written without the locale.

#include "recording/CsvFile.h"

#include <cstdint>
#include <string>

inline constexpr std::uint64_t kCsvRowBytes = 27;

class CWaveCsvFile : public CCsvFile {
public:
    // Opens the file or throws CFileException.
    CWaveCsvFile(const std::string& path, unsigned flags);

    // Writes the header lines at the start of the file (the same bytes on every call of a
    // recording) and appends count rows after the whole rows already there. If the rows
    // cannot all be written the file is cut back to the rows it held and the
    // CFileException is thrown on.
    void WriteBlock(const std::string& machineType, int sampleRate, const float* eeg,
                    const float* emg, int count);

    // Writes count rows over the rows that start at position; the header is not touched.
    // A position inside the header, off a row boundary or with fewer than count rows after
    // it is refused with a CFileException (cause EINVAL).
    void WriteBlockAt(const float* eeg, const float* emg, int count, std::uint64_t position);

    // One row: both values formatted "%12.5f" in the C locale, "," between, CR LF after.
    // Values are first clamped to -99999.99999..999999.99999, so the row is always 27 bytes.
    static std::string FormatRow(float eeg, float emg);

private:
    // Length of the three header lines at the start of the file; 0 when the file holds none.
    std::uint64_t HeaderLength();
    std::string FormatRows(const float* eeg, const float* emg, int count) const;
};
