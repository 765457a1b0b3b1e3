#pragma once
// The program's recordings in the European Data Format: a 768-byte ASCII header describing
// two signals (EEG and EMG) followed by one-second data records of 16-bit little-endian
// samples, EEG block first. Writes keep the file whole: its size is always the header plus
// the records its header counts.

#include "platform/File.h"
#include "recording/Clock.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <string>

inline constexpr std::uint64_t kEdfHeaderBytes = 768;

class CEdfFile : public CFile {
public:
    // Opens the file (throws CFileException). The clock gives the start date and time
    // written into a new file's header: one reading, minus one second.
    CEdfFile(const std::string& path, unsigned flags, WallClock clock = SystemWallClock);

    // Reads the header into the header image and fills out[0..count) with the physical values
    // of signal channel (1 EEG, 2 EMG). out is zero-filled first; whatever the file does not
    // hold stays 0. Returns 1 after reading, 0 when the file is refused.
    virtual int ReadSignal(float* out, int channel, unsigned count);

    // Writes one record (samplesPerRecord values of each signal, EEG first) after the whole
    // records already in the file, over any partial tail, then rewrites the header with the
    // new record count. If the record cannot be written the file is cut back to the records
    // it held and the CFileException is thrown on.
    virtual void WriteRecord(const float* samples, unsigned signalCount, int samplesPerRecord);

    // Writes count records (each samplesPerRecord values of each signal, EEG first) after the
    // whole records already in the file, over any partial tail, and returns how many whole
    // records the file holds then. A new file first gets a header that counts no record.
    // The header is not rewritten: HeaderFor gives the header that counts them, to be written
    // once the records have reached the disk. If the records cannot all be written the file
    // is cut back to the records it held and the CFileException is thrown on.
    std::uint64_t AppendRecords(const float* records, std::uint64_t count, unsigned signalCount,
                                int samplesPerRecord);
    // The header of this file for recordCount records: the one the file was made with (its
    // start date and time kept), counting them.
    std::array<char, kEdfHeaderBytes> HeaderFor(std::uint64_t recordCount, int samplesPerRecord);

    // Writes one record over the record that starts at position; the header is not touched.
    // A position inside the header, off a record boundary or past the data is refused
    // with a CFileException (cause EINVAL).
    void WriteRecordAt(const float* samples, unsigned signalCount, int samplesPerRecord,
                       std::uint64_t position);

    // Keeps the receiver name for the recording field of the header (see DeviceNameBytes).
    void SetDeviceName(const char* name);

    // The header as last read by ReadSignal (all zero before).
    std::string GetRecordingId() const;
    // The start date and time as local time; 0 when the fields do not hold a valid time.
    std::time_t GetStartDateTime() const;
    int GetRecordCount() const;
    int GetRecordDuration() const;
    int GetSignalCount() const;
    std::string GetEegDimension() const;
    std::string GetEmgDimension() const;
    int GetEegPhysicalMax() const;
    int GetEmgPhysicalMax() const;
    int GetEegDigitalMax() const;
    int GetEmgDigitalMax() const;
    int GetEegSamplesPerRecord() const;
    int GetEmgSamplesPerRecord() const;

private:
    using Header = std::array<char, kEdfHeaderBytes>;

    // The reading behind ReadSignal; produced counts the values stored in out.
    int ReadSamples(float* out, int channel, unsigned count, std::uint64_t& produced);
    // Whether the header image describes a file of the form that is read, and the channel is in it.
    bool CanReadSignal(int channel) const;

    // Fills every field of a header image for count records; the start date and time only
    // when the image holds none yet (byte 168 still zero).
    void FillHeader(Header& image, std::uint64_t recordCount, int samplesPerRecord) const;

    Header m_header{};
    // The header as this program writes it (empty until the first write): its start date and
    // time are read once and kept.
    Header m_written{};
    std::string m_deviceName;
    WallClock m_clock;
};
