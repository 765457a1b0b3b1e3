#include "mainwindow/review/ReviewFile.h"

#include "mainwindow/review/ReviewView.h"
#include "recording/EdfFile.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <new>
#include <string>
#include <unistd.h>

namespace {

// Two signals of 16-bit values per sample instant.
constexpr std::uint64_t kBytesPerSampleInstant = 4;

}  // namespace

std::uint64_t CReviewFile::AvailableMemory()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit)
        if (key == "MemAvailable:")
            return kib * 1024;
    const long pages = ::sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

int CReviewFile::Load(CEdfFile& file, std::uint64_t memoryAvailable)
{
    Release();
    int result = 0;
    try {
        result = Read(file, memoryAvailable);
    } catch (const CFileException&) {
        result = 0;
    } catch (const std::bad_alloc&) {
        result = 0;
    }
    if (result != 1)
        Release();
    return result;
}

int CReviewFile::Read(CEdfFile& file, std::uint64_t memoryAvailable)
{
    const std::uint64_t length = file.GetLength();
    if (length < kEdfHeaderBytes + kBytesPerSampleInstant)
        return 0;
    const std::uint64_t samples = (length - kEdfHeaderBytes) / kBytesPerSampleInstant;
    if (samples > static_cast<std::uint64_t>(INT_MAX))
        return 0;

    // The header alone: read and checked (two signals of equal samples per record, a
    // record duration, a usable scale) before anything is allocated.
    float none = 0.0f;
    if (file.ReadSignal(&none, 1, 0) != 1)
        return 0;
    const int duration = file.GetRecordDuration();
    if (duration <= 0)
        return 0;
    const int eegRate = file.GetEegSamplesPerRecord() / duration;
    const int emgRate = file.GetEmgSamplesPerRecord() / duration;
    if (eegRate != emgRate || eegRate <= 0)
        return 0;
    const std::int64_t recorded = static_cast<std::int64_t>(file.GetRecordCount()) * duration;
    const std::int64_t seconds = std::min<std::int64_t>(recorded, static_cast<std::int64_t>(samples / eegRate));
    if (seconds <= 0)
        return 0;
    if (2 * samples * sizeof(float) > memoryAvailable)
        return 0;

    // Every value is written by ReadSignal (zero where the file holds none).
    auto eeg = std::make_unique_for_overwrite<float[]>(samples);
    auto emg = std::make_unique_for_overwrite<float[]>(samples);
    const auto count = static_cast<unsigned>(samples);
    if (file.ReadSignal(eeg.get(), 1, count) != 1 || file.ReadSignal(emg.get(), 2, count) != 1)
        return 0;

    m_eeg = std::move(eeg);
    m_emg = std::move(emg);
    m_samples = samples;
    m_rate = eegRate;
    m_seconds = static_cast<int>(seconds);
    m_startTime = file.GetStartDateTime();
    m_recordingId = file.GetRecordingId();
    m_eegDimension = file.GetEegDimension();
    m_emgDimension = file.GetEmgDimension();
    return 1;
}

void CReviewFile::Assign(std::vector<float> eeg, std::vector<float> emg, int rate, int seconds)
{
    Release();
    const std::size_t n = std::max(eeg.size(), emg.size());
    eeg.resize(n);
    emg.resize(n);
    m_eeg = std::make_unique<float[]>(n);
    m_emg = std::make_unique<float[]>(n);
    std::copy(eeg.begin(), eeg.end(), m_eeg.get());
    std::copy(emg.begin(), emg.end(), m_emg.get());
    m_samples = n;
    m_rate = rate;
    m_seconds = seconds;
}

void CReviewFile::Release()
{
    m_eeg.reset();
    m_emg.reset();
    m_samples = 0;
    m_rate = 0;
    m_seconds = 0;
    m_startTime = 0;
    m_recordingId.clear();
    m_eegDimension.clear();
    m_emgDimension.clear();
}

std::span<const float> CReviewFile::Slice(const float* data, int first, int seconds) const
{
    if (!data)
        return {};
    const sSampleRange r = SecondsToSamples(first, seconds, m_rate, m_samples);
    return {data + r.offset, static_cast<std::size_t>(r.count)};
}

std::span<const float> CReviewFile::EegSlice(int first, int seconds) const
{
    return Slice(m_eeg.get(), first, seconds);
}

std::span<const float> CReviewFile::EmgSlice(int first, int seconds) const
{
    return Slice(m_emg.get(), first, seconds);
}

std::span<const float> CReviewFile::EegFrom(int first) const
{
    return Slice(m_eeg.get(), first, INT_MAX);
}
