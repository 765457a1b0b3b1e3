#pragma once
// The recording manager: holds the saved-file settings (output folder, file types, naming
// mode, the user's two file names) and, during a measurement, the open EDF and CSV wave
// files. It collects the samples of each second and writes them as one record; operations
// return 1 for success and 0 for failure and never let a file error escape.
//
// A recording survives what may happen to its files: every second reaches the disk as it
// arrives (CRecordingSync), and the recording keeps its own copy of every second stored
// (CRecordingCopy, 1 KB a second), from which a file taken from its folder is written
// again whole. A file that cannot be put back is held in memory and tried again at every
// Close, until it is.

#include "recording/Clock.h"
#include "recording/EdfFile.h"
#include "recording/RecordingCopy.h"
#include "recording/RecordingPath.h"
#include "recording/RecordingSync.h"
#include "recording/WaveCsvFile.h"

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
    // What stands under the user's name of the file type (kEdf or kCsv) now; nothing when
    // the name is free. The window reads it before it asks whether to replace it.
    std::optional<sFileIdentity> UserFileAt(int fileType) const;
    // The user agreed to replace these files, as UserFileAt named them when the question was
    // asked: the next Open removes each, if it is still the same file then, before making
    // its own. Anything else under those names is left alone. Each Open uses up the
    // permission.
    void PermitReplacing(std::optional<sFileIdentity> edf, std::optional<sFileIdentity> csv);
    // The start of the recording as the last Open decided it (its file names and the EDF
    // header's start date and time).
    std::time_t GetStartTime() const { return m_start; }
    // Brings whatever files are open to the disk, closes them and removes those that hold
    // nothing. A file taken from its path is put back first; where that cannot be done it
    // is held, and every Close (Open too) tries again to put back the files held. 0 when
    // a file could not be brought to the disk or closed, or a file is still held.
    virtual int Close();
    // Keeps the receiver name for the file headers (EDF recording field, CSV machine type).
    void SetRecorderName(const char* name);
    // Takes count EEG values followed by count EMG values (channels must be 2) and writes one
    // record to each open file once 128 of each are pending; later values stay pending. With
    // no file chosen (RecordsFiles false) it keeps nothing and returns 1. On a write error the pending
    // values are dropped and 0 is returned; the files keep only whole records and rows.
    // Before each write, files that were taken from their paths (their folder removed, say)
    // are put back there whole from the recording's copy, under the next free name of their
    // stem where their own was taken; where that cannot be done the write fails (the copy
    // stays, for Close). A failure to bring an earlier second to the disk fails the next
    // write too.
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
    // A file of an earlier recording that could not be put back yet, with its copy.
    struct sHeldFile {
        int type = kEdf;
        sRecordingPlace place;
        std::shared_ptr<const CRecordingCopy> copy;
    };
    // What the user agreed to replace under the EDF and the CSV name (PermitReplacing).
    struct sReplaceable {
        std::optional<sFileIdentity> edf;
        std::optional<sFileIdentity> csv;
    };

    // Makes the files under the automatic names of the start, or under the user's names.
    // False when the user's names cannot be used or are taken; throws on other file errors.
    bool CreateAutomaticFiles(std::time_t now);
    bool CreateUserFiles(std::time_t now, const sReplaceable& replaceable);
    // Makes the files of the chosen types under these names, each made new. False, with
    // nothing of its own left, when a name is taken; throws on other file errors.
    bool CreateFiles(const std::string& stem, int number, std::time_t now);
    sRecordingPlace PlaceOf(const std::string& name, const std::string& stem) const;
    // Writes one second to each open file; throws on a file error.
    void WriteSecond(const float* second);
    // Asks for the seconds written so far to be brought to the disk.
    void RequestSync();
    // Puts back open files that are no longer at their paths (see Append); false when one
    // could not be.
    bool KeepFilesAtTheirPaths();
    bool PutBackEdf();
    bool PutBackCsv();
    template <class File, class WriteCopy>
    bool PutBack(std::unique_ptr<File>& file, sRecordingPlace& place, std::string& fileName, WriteCopy writeCopy);
    // Closes one open file (see Close); false when it failed or the file is held.
    template <class File>
    bool CloseFile(std::unique_ptr<File>& file, int type, const sRecordingPlace& place, std::uint64_t seconds);
    // Tries again to put back the files held; false while any is still held.
    bool PutBackHeldFiles();
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
    sRecordingPlace m_edfPlace;
    sRecordingPlace m_csvPlace;
    std::string m_recorderId;
    // Every second of the running recording, and how many of them each file holds.
    std::shared_ptr<CRecordingCopy> m_copy;
    std::uint64_t m_edfSeconds = 0;
    std::uint64_t m_csvSeconds = 0;
    std::vector<sHeldFile> m_held;
    sReplaceable m_replaceable;
    WallClock m_clock;
    std::time_t m_start = 0;
    // Last: its thread ends before the files it syncs are closed.
    CRecordingSync m_sync;
};
