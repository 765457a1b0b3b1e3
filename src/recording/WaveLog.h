#pragma once
// The recording manager: holds the saved-file settings (output folder, file types, naming
// mode, the user's two file names) and, during a measurement, the open EDF and CSV wave
// files. It collects the samples of each second and writes them as one record; operations
// return 1 for success and 0 for failure and never let a file error escape.

#include "recording/Clock.h"
#include "recording/EdfFile.h"
#include "recording/RecordingPath.h"
#include "recording/WaveCsvFile.h"

#include <array>
#include <cstdint>
#include <optional>
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

    // Creates the folder (with its parents), decides the file names and makes the files of
    // the chosen types. The recording starts the second before the clock's time, or
    // secondsEarlier seconds before that when its first second arrived that much earlier.
    // Files still open from an earlier Open are closed first.
    // Every file is made new: a recording never writes into a file it did not make. An
    // automatic name that is taken gives way to the next free one of the same stem
    // ("<stem>_2", "<stem>_3", ...), the EDF and CSV file keeping one stem; a user's name that
    // is taken fails the Open, unless PermitReplacing allowed that very file to go.
    virtual int Open(int secondsEarlier = 0);
    // The user agreed to replace what now stands under the user's names of these file types:
    // the next Open removes it, if it is still the same file then, before making its own.
    // Anything else under those names is left alone. Each Open uses up the permission.
    void PermitReplacing(int fileTypes);
    // The start of the recording as the last Open decided it (its file names and the EDF
    // header's start date and time).
    std::time_t GetStartTime() const { return m_start; }
    // Closes whatever files are open and removes those that hold nothing; 0 when closing
    // one of them failed, or when a file that was taken from its path could not be put back.
    virtual int Close();
    // Keeps the receiver name for the file headers (EDF recording field, CSV machine type).
    void SetRecorderName(const char* name);
    // Takes count EEG values followed by count EMG values (channels must be 2) and writes one
    // record to each open file once 128 of each are pending; later values stay pending. With
    // no file chosen (RecordsFiles false) it keeps nothing and returns 1. On a write error the pending
    // values are dropped and 0 is returned; the files keep only whole records and rows.
    // Before each write, files that were taken from their paths (their folder removed, say)
    // are put back there whole from the open files; where that cannot be done the write
    // fails and the file is given up.
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
    // Makes the files under the automatic names of the start, or under the user's names.
    // False when the user's names cannot be used or are taken; throws on other file errors.
    bool CreateAutomaticFiles(std::time_t now);
    bool CreateUserFiles(std::time_t now, const std::array<std::optional<sFileIdentity>, 2>& replaceable);
    // Makes the files of the chosen types under these names, each made new. False, with
    // nothing of its own left, when a name is taken; throws on other file errors.
    bool CreateFiles(const std::string& edfName, const std::string& csvName, std::time_t now);
    // Puts back open files that are no longer at their paths (see Append); false when one
    // could not be and was given up.
    bool KeepFilesAtTheirPaths();
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
    // What the user agreed to replace under the EDF and the CSV name (PermitReplacing).
    std::array<std::optional<sFileIdentity>, 2> m_replaceable;
    WallClock m_clock;
    std::time_t m_start = 0;
};
