// The recording manager: settings, opening and closing the recording files.

#include "recording/WaveLog.h"

#include "recording/DeviceName.h"
#include "recording/RecordingPath.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>
#include <unistd.h>

CWaveLog::CWaveLog(std::string defaultFolder, WallClock clock)
    : m_folder(std::move(defaultFolder)), m_clock(clock ? std::move(clock) : WallClock(SystemWallClock))
{
}

CWaveLog::~CWaveLog() = default;

namespace {

// Files are made new and opened for reading and writing; see CWaveLog::Open.
constexpr unsigned kCreateNew = CFile::modeCreate | CFile::modeCreateNew | CFile::modeReadWrite;
// How far the automatic names go on: "<stem>_2" up to this number.
constexpr int kLastStemNumber = 999;

bool IsNameTaken(const CFileException& e)
{
    return e.Cause() == EEXIST;
}

// Removes the file of this recording: only while its path still names it.
void RemoveOwnFile(const CFile& file)
{
    if (file.IsAtPath())
        ::unlink(file.GetFilePath().c_str());
}

bool IsEmpty(const CFile& file)
{
    try {
        return file.GetLength() == 0;
    } catch (const CFileException&) {
        return false;
    }
}

// Puts an open file back at its path when it was taken from there, its folder made again
// first. A file that cannot be put back is given up: closed and forgotten. False then.
template <class File>
bool KeepAtPath(std::unique_ptr<File>& file, const std::string& folder)
{
    if (!file || file->IsAtPath())
        return true;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    try {
        file->RestoreAtPath();
        return true;
    } catch (const CFileException&) {
        file->Abort();
        file.reset();
        return false;
    }
}

}  // namespace

int CWaveLog::Open(int secondsEarlier)
{
    Close();
    ClearPending();
    const auto replaceable = std::exchange(m_replaceable, {});
    // A folder that cannot be made shows up as a file that cannot be made below.
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);

    // One clock reading names the files and dates the EDF header, so the two always agree.
    const std::time_t now = m_clock() - std::max(secondsEarlier, 0);
    m_start = now - 1;
    try {
        if (!(m_namingMode == 1 ? CreateAutomaticFiles(now) : CreateUserFiles(now, replaceable)))
            return Fail();
    } catch (const CFileException&) {
        // An EDF file made before the failure stays open until Close.
        return Fail();
    }
    return 1;
}

void CWaveLog::PermitReplacing(int fileTypes)
{
    m_replaceable = {};
    if (fileTypes & kEdf)
        m_replaceable[0] = FileIdentityAt(RecordingFilePath(m_folder, m_edfFileName));
    if (fileTypes & kCsv)
        m_replaceable[1] = FileIdentityAt(RecordingFilePath(m_folder, m_csvFileName));
}

bool CWaveLog::CreateAutomaticFiles(std::time_t now)
{
    const std::string stem = AutomaticFileStem(m_start);
    for (int number = 1; number <= kLastStemNumber; ++number) {
        const std::string name = number == 1 ? stem : stem + "_" + std::to_string(number);
        if (CreateFiles(name + ".edf", name + ".csv", now)) {
            // The name of a type that is not recorded keeps its old value.
            if (m_fileTypes & kEdf)
                m_edfFileName = name + ".edf";
            if (m_fileTypes & kCsv)
                m_csvFileName = name + ".csv";
            return true;
        }
    }
    return false;
}

bool CWaveLog::CreateUserFiles(std::time_t now, const std::array<std::optional<sFileIdentity>, 2>& replaceable)
{
    const bool edf = (m_fileTypes & kEdf) != 0;
    const bool csv = (m_fileTypes & kCsv) != 0;
    if ((edf && !IsPlainFileName(m_edfFileName, m_folder)) || (csv && !IsPlainFileName(m_csvFileName, m_folder)))
        return false;
    // Both writers on one file would destroy each other's data.
    if (edf && csv && m_edfFileName == m_csvFileName)
        return false;
    // The file the user agreed to replace goes first; anything that came under the name
    // since then stays and fails the making of the new file below.
    const std::pair<bool, const std::string*> chosen[] = {{edf, &m_edfFileName}, {csv, &m_csvFileName}};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string path = RecordingFilePath(m_folder, *chosen[i].second);
        if (chosen[i].first && replaceable[i] && FileIdentityAt(path) == replaceable[i]
            && ::unlink(path.c_str()) != 0 && errno != ENOENT)
            return false;
    }
    return CreateFiles(m_edfFileName, m_csvFileName, now);
}

bool CWaveLog::CreateFiles(const std::string& edfName, const std::string& csvName, std::time_t now)
{
    try {
        if (m_fileTypes & kEdf)
            m_edf = std::make_unique<CEdfFile>(RecordingFilePath(m_folder, edfName), kCreateNew, [now] { return now; });
    } catch (const CFileException& e) {
        if (!IsNameTaken(e))
            throw;
        return false;
    }
    try {
        if (m_fileTypes & kCsv)
            m_csv = std::make_unique<CWaveCsvFile>(RecordingFilePath(m_folder, csvName), kCreateNew);
    } catch (const CFileException& e) {
        if (!IsNameTaken(e))
            throw;
        // The two files of a recording share their name, so the EDF file made under a
        // name whose CSV file is taken goes again.
        if (m_edf) {
            RemoveOwnFile(*m_edf);
            m_edf.reset();
        }
        return false;
    }
    return true;
}

bool CWaveLog::KeepFilesAtTheirPaths()
{
    const bool edfKept = KeepAtPath(m_edf, m_folder);
    const bool csvKept = KeepAtPath(m_csv, m_folder);
    return edfKept && csvKept;
}

int CWaveLog::Close()
{
    // Files that never got a record are removed once closed: no reader can open an empty
    // file, and opening again under a corrected start must not leave one under the old
    // name. A file that holds anything stays, put back at its path first if it was taken
    // from there. Closing flushes nothing (every write has reached the system already),
    // but a close can still report an error; both files are closed and forgotten whatever
    // happens.
    std::vector<std::string> emptyFiles;
    const auto closeFile = [&](auto& file) {
        if (!file)
            return true;
        bool closed = true;
        if (IsEmpty(*file)) {
            if (file->IsAtPath())
                emptyFiles.push_back(file->GetFilePath());
        } else if (!KeepAtPath(file, m_folder)) {
            return false;
        }
        try {
            file->Close();
        } catch (const CFileException&) {
            closed = false;
        }
        file.reset();
        return closed;
    };
    const bool edfClosed = closeFile(m_edf);
    const bool csvClosed = closeFile(m_csv);
    for (const std::string& path : emptyFiles)
        ::unlink(path.c_str());
    return edfClosed && csvClosed ? 1 : 0;
}

void CWaveLog::SetRecorderName(const char* name)
{
    m_recorderId = DeviceNameBytes(name);
    if (m_edf)
        m_edf->SetDeviceName(name);
}

std::uint64_t CWaveLog::GetEdfLength() const
{
    try {
        return m_edf ? m_edf->GetLength() : 0;
    } catch (const CFileException&) {
        return 0;
    }
}

std::uint64_t CWaveLog::GetCsvLength() const
{
    try {
        return m_csv ? m_csv->GetLength() : 0;
    } catch (const CFileException&) {
        return 0;
    }
}

int CWaveLog::Fail()
{
    ClearPending();
    return 0;
}

void CWaveLog::ClearPending()
{
    m_pendingEeg.clear();
    m_pendingEmg.clear();
}
