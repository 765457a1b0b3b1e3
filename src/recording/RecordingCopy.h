#pragma once
// The recording's own copy of every second it stored: 128 EEG and then 128 EMG values a
// second (1 KB), with what the file headers need. From it either recording file can be
// written again whole, from the first second on, wherever the file on disk was taken away:
// the open file itself cannot be trusted for that, since on network and FUSE folders a
// file removed on the far side reads as empty.

#include <array>
#include <cstddef>
#include <ctime>
#include <deque>
#include <string>

class CRecordingCopy {
public:
    static constexpr std::size_t kSecondValues = 2 * 128;

    // clockReading is the clock's reading that dated the recording (its start is one second
    // before it), as the EDF file takes it.
    explicit CRecordingCopy(std::time_t clockReading = 0) : m_clockReading(clockReading) {}

    std::time_t ClockReading() const { return m_clockReading; }
    // The receiver name bytes the headers carry.
    const std::string& RecorderId() const { return m_recorderId; }
    void SetRecorderId(std::string id) { m_recorderId = std::move(id); }

    // Adds one second: 128 EEG values, then 128 EMG values.
    void AddSecond(const float* second);
    // Puts a late second in place of the stored second index; false when there is none.
    bool ReplaceSecond(std::size_t index, const float* second);
    std::size_t Seconds() const { return m_seconds.size(); }
    // The values of one second, EEG then EMG.
    const float* Second(std::size_t index) const { return m_seconds[index].data(); }

private:
    std::time_t m_clockReading;
    std::string m_recorderId;
    // One block a second, so that a long night grows without ever being copied whole.
    std::deque<std::array<float, kSecondValues>> m_seconds;
};
