// The recording manager: appending seconds and rewriting a late second in place.

#include "recording/WaveLog.h"

#include "recording/DeviceName.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kRecord = CWaveLog::kRecordSamples;

// One record as the EDF writer takes it: 128 EEG values, then 128 EMG values.
std::array<float, 2 * kRecord> RecordBuffer(const float* eeg, const float* emg)
{
    std::array<float, 2 * kRecord> buffer{};
    std::copy_n(eeg, kRecord, buffer.begin());
    std::copy_n(emg, kRecord, buffer.begin() + kRecord);
    return buffer;
}

}  // namespace

int CWaveLog::Append(const float* samples, unsigned channels, int count)
{
    if (!RecordsFiles())
        return 1;
    if (channels != 2 || count < 0 || (count > 0 && !samples))
        return Fail();
    m_pendingEeg.insert(m_pendingEeg.end(), samples, samples + count);
    m_pendingEmg.insert(m_pendingEmg.end(), samples + count, samples + 2 * count);
    if (m_pendingEeg.size() < static_cast<std::size_t>(kRecord))
        return 1;
    if (!m_edf && !m_csv)
        return Fail();
    if (!KeepFilesAtTheirPaths())
        return Fail();
    try {
        if (m_edf) {
            const auto record = RecordBuffer(m_pendingEeg.data(), m_pendingEmg.data());
            m_edf->WriteRecord(record.data(), channels, kRecord);
        }
        if (m_csv)
            m_csv->WriteBlock(PrintableAsciiPrefix(m_recorderId, 11), kRecord, m_pendingEeg.data(),
                              m_pendingEmg.data(), kRecord);
    } catch (const CFileException&) {
        return Fail();
    }
    m_pendingEeg.erase(m_pendingEeg.begin(), m_pendingEeg.begin() + kRecord);
    m_pendingEmg.erase(m_pendingEmg.begin(), m_pendingEmg.begin() + kRecord);
    return 1;
}

int CWaveLog::AppendAt(const float* samples, unsigned channels, int count, std::uint64_t edfPosition,
                       std::uint64_t csvPosition)
{
    if (!RecordsFiles())
        return 1;
    // A late second is always a whole one; anything less cannot replace a record.
    if (channels != 2 || count < kRecord || !samples || (!m_edf && !m_csv))
        return 0;
    if (!KeepFilesAtTheirPaths())
        return Fail();
    const float* eeg = samples;
    const float* emg = samples + count;
    try {
        if (m_edf) {
            const auto record = RecordBuffer(eeg, emg);
            m_edf->WriteRecordAt(record.data(), channels, kRecord, edfPosition);
        }
        if (m_csv)
            m_csv->WriteBlockAt(eeg, emg, kRecord, csvPosition);
    } catch (const CFileException&) {
        return Fail();
    }
    return 1;
}
