// Fuzz target for reading EDF files: any bytes as a file must be read or refused without
// a crash, and appending a record to them must leave a whole file (its size equal to the
// header plus the records its header counts).

#include "MemoryFile.h"
#include "recording/EdfFile.h"
#include "recording/EdfFields.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryFile file("edf", data, size);
    if (!file.IsOpen())
        return 0;
    const std::string path = file.Path();
    try {
        CEdfFile edf(path, CFile::modeReadWrite, [] { return std::time_t{1551921631}; });
        // The count the review passes, capped so that a huge claim stays cheap.
        const std::uint64_t length = edf.GetLength();
        const unsigned count = length > kEdfHeaderBytes
            ? static_cast<unsigned>(std::min<std::uint64_t>((length - kEdfHeaderBytes) / 4, 1u << 20))
            : 0u;
        std::vector<float> out(count + 3);
        for (int channel = 0; channel <= 3; ++channel)
            edf.ReadSignal(out.data(), channel, count + static_cast<unsigned>(channel % 2) * 3);
        (void)edf.GetRecordingId();
        (void)edf.GetStartDateTime();
        (void)edf.GetEegDimension();
        (void)edf.GetEmgPhysicalMax();
        (void)edf.GetEegDigitalMax();
        (void)edf.GetRecordDuration();

        const std::size_t nameBytes = std::min<std::size_t>(size, 21);
        const std::string name(reinterpret_cast<const char*>(data + size - nameBytes), nameBytes);
        edf.SetDeviceName(name.c_str());
        const std::vector<float> record(256, 1.0f);
        edf.WriteRecord(record.data(), 2, 128);
        std::vector<char> header(kEdfHeaderBytes);
        edf.SeekToBegin();
        edf.Read(header.data(), header.size());
        const int records = edf::ParseLeadingInt(edf::FieldText(header.data(), edf::kRecordCount));
        if (edf.GetLength() != kEdfHeaderBytes + 512ULL * static_cast<std::uint64_t>(records))
            std::abort();
    } catch (const CFileException&) {
    }
    return 0;
}
