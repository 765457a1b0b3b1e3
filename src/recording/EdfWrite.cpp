// Writing EDF records: sample conversion, appending a record with its header, and the
// in-place rewrite of a record.

#include "recording/EdfFields.h"
#include "recording/EdfFile.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// One sample in µV as its 16-bit value: rounded half away from zero, saturated at the
// 16-bit limits (not at the digital range: EMG can exceed it), NaN stored as 0.
std::int16_t DigitalValue(float sample, double physicalMax)
{
    const double x = sample;
    if (std::isnan(x))
        return 0;
    const double s = ((x * 100.0) / physicalMax) * 81.92;
    const double d = s > 0 ? s + 0.5 : s - 0.5;
    if (d >= 32767.0)
        return 32767;
    if (d <= -32768.0)
        return -32768;
    return static_cast<std::int16_t>(static_cast<int>(d));
}

std::uint64_t RecordBytes(const std::string& path, unsigned signalCount, int samplesPerRecord)
{
    if (signalCount == 0 || samplesPerRecord <= 0)
        throw CFileException(EINVAL, path, "no samples to write in a record of");
    return std::uint64_t{signalCount} * static_cast<std::uint64_t>(samplesPerRecord) * 2;
}

// The record as it is stored: each signal's block in turn, little-endian.
std::vector<unsigned char> EncodeRecord(const float* samples, unsigned signalCount, int samplesPerRecord)
{
    const std::size_t perSignal = static_cast<std::size_t>(samplesPerRecord);
    std::vector<unsigned char> bytes(std::size_t{signalCount} * perSignal * 2);
    for (std::size_t i = 0; i < std::size_t{signalCount} * perSignal; ++i) {
        const double physicalMax = edf::kOwnPhysicalMax[i < perSignal ? 0 : 1];
        const auto value = static_cast<std::uint16_t>(DigitalValue(samples[i], physicalMax));
        bytes[2 * i] = static_cast<unsigned char>(value & 0xFF);
        bytes[2 * i + 1] = static_cast<unsigned char>(value >> 8);
    }
    return bytes;
}

}  // namespace

void CEdfFile::WriteRecord(const float* samples, unsigned signalCount, int samplesPerRecord)
{
    const std::uint64_t count = AppendRecords(samples, 1, signalCount, samplesPerRecord);
    const Header image = HeaderFor(count, samplesPerRecord);
    try {
        SeekToBegin();
        Write(image.data(), image.size());
    } catch (const CFileException&) {
        // The file goes back to the records its old header counts.
        TrySetLength(kEdfHeaderBytes + (count - 1) * RecordBytes(GetFilePath(), signalCount, samplesPerRecord));
        throw;
    }
}

std::uint64_t CEdfFile::AppendRecords(const float* records, std::uint64_t count, unsigned signalCount,
                                      int samplesPerRecord)
{
    const std::uint64_t recordBytes = RecordBytes(GetFilePath(), signalCount, samplesPerRecord);
    const std::uint64_t length = GetLength();
    if (length < kEdfHeaderBytes) {
        // A new file: first a header that counts no record, so the file is whole even if
        // the records below cannot be written.
        const Header image = HeaderFor(0, samplesPerRecord);
        try {
            SeekToBegin();
            Write(image.data(), image.size());
        } catch (const CFileException&) {
            TrySetLength(length);
            throw;
        }
    } else if (m_written[0] == '\0') {
        // A file made before: its own header, start date and time included, goes on.
        SeekToBegin();
        if (Read(m_written.data(), m_written.size()) != m_written.size())
            throw CFileException(EIO, GetFilePath(), "cannot read the header of");
    }
    const std::uint64_t existing = length < kEdfHeaderBytes ? 0 : (length - kEdfHeaderBytes) / recordBytes;

    // The records go right after the whole records, over a partial tail left by a crash.
    const std::uint64_t dataEnd = kEdfHeaderBytes + existing * recordBytes;
    const std::size_t valuesPerRecord = std::size_t{signalCount} * static_cast<std::size_t>(samplesPerRecord);
    try {
        Seek(static_cast<std::int64_t>(dataEnd), begin);
        std::vector<unsigned char> bytes;
        for (std::uint64_t r = 0; r < count; ++r) {
            const std::vector<unsigned char> record =
                EncodeRecord(records + r * valuesPerRecord, signalCount, samplesPerRecord);
            bytes.insert(bytes.end(), record.begin(), record.end());
            // A long run of records goes out a megabyte at a time.
            if (bytes.size() >= (1u << 20) || r + 1 == count) {
                Write(bytes.data(), bytes.size());
                bytes.clear();
            }
        }
    } catch (const CFileException&) {
        TrySetLength(dataEnd);
        throw;
    }
    return existing + count;
}

std::array<char, kEdfHeaderBytes> CEdfFile::HeaderFor(std::uint64_t recordCount, int samplesPerRecord)
{
    FillHeader(m_written, recordCount, samplesPerRecord);
    return m_written;
}

void CEdfFile::WriteRecordAt(const float* samples, unsigned signalCount, int samplesPerRecord,
                             std::uint64_t position)
{
    const std::uint64_t recordBytes = RecordBytes(GetFilePath(), signalCount, samplesPerRecord);
    const std::uint64_t length = GetLength();
    if (position < kEdfHeaderBytes || (position - kEdfHeaderBytes) % recordBytes != 0
        || position > length || length - position < recordBytes)
        throw CFileException(EINVAL, GetFilePath(), "no record to rewrite at this position in");
    const std::vector<unsigned char> record = EncodeRecord(samples, signalCount, samplesPerRecord);
    Seek(static_cast<std::int64_t>(position), begin);
    Write(record.data(), record.size());
}
