#pragma once
// CReviewFile: a stored two-signal EDF recording read whole for review. The header is read
// and checked before anything is allocated, every size is counted in 64 bits, and a file
// whose two sample arrays would not fit in the memory available is refused. Reading never
// throws: a file that cannot be read, or arrays that cannot be had, refuse the file, and a
// refused file leaves nothing allocated.

#include <cstdint>
#include <ctime>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CEdfFile;

class CReviewFile {
public:
    // The memory the system can still give without swapping (MemAvailable), in bytes.
    static std::uint64_t AvailableMemory();

    // Reads the whole file: both signals as physical values, (file length − 768) / 4 values
    // each, zero where the file holds no value. Returns 1 and holds the file, or 0 when the
    // file is refused (not two signals of equal rate, a rate or length of 0, too short, too
    // large for memoryAvailable, unreadable); then nothing is held. A file held before is
    // released first in either case. The caller closes the file.
    int Load(CEdfFile& file, std::uint64_t memoryAvailable = AvailableMemory());
    // Holds the given samples as a file of `rate` per second and `seconds` length would
    // give them (tests and benchmarks). The shorter array is padded with zeros.
    void Assign(std::vector<float> eeg, std::vector<float> emg, int rate, int seconds);
    void Release();

    bool IsLoaded() const { return m_eeg != nullptr; }
    // Values per signal.
    std::uint64_t Samples() const { return m_samples; }
    int Rate() const { return m_rate; }
    int Seconds() const { return m_seconds; }
    std::time_t StartTime() const { return m_startTime; }
    const std::string& RecordingId() const { return m_recordingId; }
    const std::string& EegDimension() const { return m_eegDimension; }
    const std::string& EmgDimension() const { return m_emgDimension; }

    // `seconds` seconds from second `first` on, cut to the samples there are.
    std::span<const float> EegSlice(int first, int seconds) const;
    std::span<const float> EmgSlice(int first, int seconds) const;
    // The EEG from second `first` to the end of the array.
    std::span<const float> EegFrom(int first) const;

private:
    int Read(CEdfFile& file, std::uint64_t memoryAvailable);
    std::span<const float> Slice(const float* data, int first, int seconds) const;

    std::unique_ptr<float[]> m_eeg;
    std::unique_ptr<float[]> m_emg;
    std::uint64_t m_samples = 0;
    int m_rate = 0;
    int m_seconds = 0;
    std::time_t m_startTime = 0;
    std::string m_recordingId;
    std::string m_eegDimension;
    std::string m_emgDimension;
};
