// The recording manager: appending seconds and rewriting a late second in place.

#include "recording/WaveLog.h"

#include "recording/DeviceName.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kRecord = CWaveLog::kRecordSamples;
constexpr std::uint64_t kEdfRecordBytes = 2 * kRecord * 2;
constexpr std::uint64_t kCsvSecondBytes = kRecord * kCsvRowBytes;

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
    if ((!m_edf && !m_csv) || !m_copy)
        return Fail();
    // The copy takes the second whatever happens to the files, so that a file put back later
    // holds every second handed to them; a file put back here holds the seconds before it.
    const auto record = RecordBuffer(m_pendingEeg.data(), m_pendingEmg.data());
    const bool kept = KeepFilesAtTheirPaths() && m_sync.Failure() == 0;
    m_copy->AddSecond(record.data());
    if (!kept)
        return Fail();
    try {
        WriteSecond(record.data());
    } catch (const CFileException&) {
        // A record that reached the EDF file before the CSV file failed is counted still.
        RequestSync();
        return Fail();
    }
    RequestSync();
    m_pendingEeg.erase(m_pendingEeg.begin(), m_pendingEeg.begin() + kRecord);
    m_pendingEmg.erase(m_pendingEmg.begin(), m_pendingEmg.begin() + kRecord);
    return 1;
}

void CWaveLog::WriteSecond(const float* second)
{
    if (m_edf)
        m_edfSeconds = m_edf->AppendRecords(second, 1, 2, kRecord);
    if (m_csv) {
        m_csv->WriteBlock(PrintableAsciiPrefix(m_recorderId, 11), kRecord, second, second + kRecord, kRecord);
        ++m_csvSeconds;
    }
}

void CWaveLog::RequestSync()
{
    m_sync.Request(m_edf ? m_edf->HeaderFor(m_edfSeconds, kRecord) : std::array<char, kEdfHeaderBytes>{});
}

int CWaveLog::AppendAt(const float* samples, unsigned channels, int count, std::uint64_t edfPosition,
                       std::uint64_t csvPosition)
{
    if (!RecordsFiles())
        return 1;
    // A late second is always a whole one; anything less cannot replace a record.
    if (channels != 2 || count < kRecord || !samples || (!m_edf && !m_csv) || !m_copy)
        return 0;
    // The second's place among the stored ones, from the file that is recorded: the CSV rows
    // are counted back from the end, since the header lines before them vary in length.
    const std::uint64_t csvLength = GetCsvLength();
    std::uint64_t index = 0;
    if (m_edf) {
        if (edfPosition < kEdfHeaderBytes || (edfPosition - kEdfHeaderBytes) % kEdfRecordBytes != 0)
            return Fail();
        index = (edfPosition - kEdfHeaderBytes) / kEdfRecordBytes;
    } else {
        if (csvPosition > csvLength || (csvLength - csvPosition) % kCsvSecondBytes != 0
            || (csvLength - csvPosition) / kCsvSecondBytes > m_csvSeconds)
            return Fail();
        index = m_csvSeconds - (csvLength - csvPosition) / kCsvSecondBytes;
    }
    const auto record = RecordBuffer(samples, samples + count);
    if (!m_copy->ReplaceSecond(index, record.data()))
        return Fail();
    if (!KeepFilesAtTheirPaths() || m_sync.Failure() != 0)
        return Fail();
    try {
        if (m_edf)
            m_edf->WriteRecordAt(record.data(), channels, kRecord, edfPosition);
        if (m_csv)
            m_csv->WriteBlockAt(record.data(), record.data() + kRecord, kRecord, csvPosition);
    } catch (const CFileException&) {
        return Fail();
    }
    RequestSync();
    return 1;
}
