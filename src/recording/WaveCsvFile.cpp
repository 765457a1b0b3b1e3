#include "recording/WaveCsvFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

namespace {

// "%12.5f" of one value, clamped to what 12 characters hold.
void AppendValue(std::string& out, float value)
{
    double x = value;
    if (!std::isnan(x))
        x = std::clamp(x, -99999.99999, 999999.99999);
    char text[32];
    std::size_t n = 0;
    if (std::isnan(x)) {
        const char* nan = std::signbit(x) ? "-nan" : "nan";
        n = std::char_traits<char>::length(nan);
        std::copy_n(nan, n, text);
    } else {
        n = static_cast<std::size_t>(std::to_chars(text, text + sizeof text, x, std::chars_format::fixed, 5).ptr - text);
    }
    if (n < 12)
        out.append(12 - n, ' ');
    out.append(text, n);
}

}  // namespace

CWaveCsvFile::CWaveCsvFile(const std::string& path, unsigned flags)
    : CCsvFile(path, flags)
{
}

std::string CWaveCsvFile::FormatRow(float eeg, float emg)
{
    std::string row;
    row.reserve(kCsvRowBytes);
    AppendValue(row, eeg);
    row += ',';
    AppendValue(row, emg);
    row += "\r\n";
    return row;
}

std::string CWaveCsvFile::FormatRows(const float* eeg, const float* emg, int count) const
{
    std::string rows;
    rows.reserve(static_cast<std::size_t>(std::max(count, 0)) * kCsvRowBytes);
    for (int i = 0; i < count; ++i)
        rows += FormatRow(eeg[i], emg[i]);
    return rows;
}

void CWaveCsvFile::WriteBlock(const std::string& machineType, int sampleRate, const float* eeg,
                              const float* emg, int count)
{
    SeekToBegin();
    CCsvFile::WriteString("#MachineType," + machineType);
    CCsvFile::WriteString("#Sample/Sec," + std::to_string(sampleRate));
    CCsvFile::WriteString("EEG,EMG");
    const std::uint64_t header = GetPosition();

    // New rows go right after the whole rows, over a partial row left by a crash.
    const std::uint64_t length = GetLength();
    const std::uint64_t rowsEnd = header + (length - header) / kCsvRowBytes * kCsvRowBytes;
    const std::string rows = FormatRows(eeg, emg, count);
    try {
        Seek(static_cast<std::int64_t>(rowsEnd), begin);
        Write(rows.data(), rows.size());
    } catch (const CFileException&) {
        TrySetLength(rowsEnd);
        throw;
    }
}

void CWaveCsvFile::WriteBlockAt(const float* eeg, const float* emg, int count, std::uint64_t position)
{
    const std::uint64_t header = HeaderLength();
    const std::uint64_t length = GetLength();
    const std::uint64_t bytes = static_cast<std::uint64_t>(std::max(count, 0)) * kCsvRowBytes;
    if (header == 0 || position < header || (position - header) % kCsvRowBytes != 0
        || position > length || length - position < bytes)
        throw CFileException(EINVAL, GetFilePath(), "no rows to rewrite at this position in");
    const std::string rows = FormatRows(eeg, emg, count);
    Seek(static_cast<std::int64_t>(position), begin);
    Write(rows.data(), rows.size());
}

std::uint64_t CWaveCsvFile::HeaderLength()
{
    SeekToBegin();
    std::string line;
    for (int i = 0; i < 3; ++i)
        if (!ReadString(line))
            return 0;
    return GetPosition();
}
