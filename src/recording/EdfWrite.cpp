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
    const std::uint64_t recordBytes = RecordBytes(GetFilePath(), signalCount, samplesPerRecord);
    const std::vector<unsigned char> record = EncodeRecord(samples, signalCount, samplesPerRecord);

    const std::uint64_t length = GetLength();
    Header image{};
    std::uint64_t existing = 0;
    if (length < kEdfHeaderBytes) {
        // A new file: first a header that counts no record, so the file is whole even if
        // the record below cannot be written.
        FillHeader(image, 0, samplesPerRecord);
        try {
            SeekToBegin();
            Write(image.data(), image.size());
        } catch (const CFileException&) {
            TrySetLength(length);
            throw;
        }
    } else {
        SeekToBegin();
        if (Read(image.data(), image.size()) != image.size())
            throw CFileException(EIO, GetFilePath(), "cannot read the header of");
        existing = (length - kEdfHeaderBytes) / recordBytes;
    }

    // The record goes right after the whole records, over a partial tail left by a crash;
    // the header counts it only once it is there.
    const std::uint64_t dataEnd = kEdfHeaderBytes + existing * recordBytes;
    try {
        Seek(static_cast<std::int64_t>(dataEnd), begin);
        Write(record.data(), record.size());
        FillHeader(image, existing + 1, samplesPerRecord);
        SeekToBegin();
        Write(image.data(), image.size());
    } catch (const CFileException&) {
        TrySetLength(dataEnd);
        throw;
    }
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
