#pragma once
// The recording manager: holds the saved-file settings (output folder, file types, naming
// mode, the user's two file names) and, during a measurement, the open EDF and CSV wave
// files. It collects the samples of each second and writes them as one record; operations
// return 1 for success and 0 for failure and never let a file error escape.

#include "recording/Clock.h"
#include "recording/EdfFile.h"
#include "recording/WaveCsvFile.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CWaveLog {
public:
    // File type bits.
    static constexpr int kEdf = 1;
    static constexpr int kCsv = 2;
    // Samples of each channel in one record: one second.
    static constexpr int kRecordSamples = 128;

    // defaultFolder is the output folder until SetFolder changes it (the program passes its
    // documents folder + "/" + the product name). The clock gives the start time of each
    // recording: its file names and the EDF header's start date and time.
    explicit CWaveLog(std::string defaultFolder, WallClock clock = SystemWallClock);
    virtual ~CWaveLog();
    CWaveLog(const CWaveLog&) = delete;
    CWaveLog& operator=(const CWaveLog&) = delete;

    // Creates the folder (with its parents), decides the file names and opens the files of
    // the chosen types. The recording starts the second before the clock's time, or
    // secondsEarlier seconds before that when its first second arrived that much earlier.
    // Files still open from an earlier Open are closed first.
    virtual int Open(int secondsEarlier = 0);
    // The start of the recording as the last Open decided it (its file names and the EDF
    // header's start date and time).
    std::time_t GetStartTime() const { return m_start; }
    // Closes whatever files are open and removes those that hold nothing; 0 when closing
    // one of them failed.
    virtual int Close();
    // Keeps the receiver name for the file headers (EDF recording field, CSV machine type).
    void SetRecorderName(const char* name);
    // Takes count EEG values followed by count EMG values (channels must be 2) and writes one
    // record to each open file once 128 of each are pending; later values stay pending. With
    // no file chosen (RecordsFiles false) it keeps nothing and returns 1. On a write error the pending
    // values are dropped and 0 is returned; the files keep only whole records and rows.
    virtual int Append(const float* samples, unsigned channels, int count);
    // Writes the first 128 EEG and 128 EMG values of samples (count values per channel) over
    // the record at edfPosition and the rows at csvPosition; pending values stay as they are.
    int AppendAt(const float* samples, unsigned channels, int count, std::uint64_t edfPosition,
                 std::uint64_t csvPosition);
    // Length in bytes of the open file, 0 when it is not open.
    std::uint64_t GetEdfLength() const;
    std::uint64_t GetCsvLength() const;

    std::string GetFolder() const { return m_folder; }
    void SetFolder(const std::string& folder) { m_folder = folder; }
    int GetFileTypes() const { return m_fileTypes; }
    // Whether the file types choose any file: only the EDF and CSV bits count, so a stored
    // value with neither means no files, as 0 does.
    bool RecordsFiles() const { return (m_fileTypes & (kEdf | kCsv)) != 0; }
    void SetFileTypes(int types) { m_fileTypes = types; }
    int GetNamingMode() const { return m_namingMode; }
    void SetNamingMode(int mode) { m_namingMode = mode; }
    std::string GetEdfFileName() const { return m_edfFileName; }
    void SetEdfFileName(const std::string& name) { m_edfFileName = name; }
    std::string GetCsvFileName() const { return m_csvFileName; }
    void SetCsvFileName(const std::string& name) { m_csvFileName = name; }

private:
    // Decides the file names; false when the user's names cannot be used.
    bool ChooseFileNames(std::time_t start);
    int Fail();
    void ClearPending();

    std::vector<float> m_pendingEeg;
    std::vector<float> m_pendingEmg;
    std::string m_folder;
    int m_fileTypes = kEdf;
    int m_namingMode = 1;
    std::string m_edfFileName;
    std::string m_csvFileName;
    std::unique_ptr<CEdfFile> m_edf;
    std::unique_ptr<CWaveCsvFile> m_csv;
    std::string m_recorderId;
    WallClock m_clock;
    std::time_t m_start = 0;
};
