// The recording manager: settings, opening and closing the recording files.

#include "recording/WaveLog.h"

#include "recording/DeviceName.h"
#include "recording/RecordingPath.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <unistd.h>

CWaveLog::CWaveLog(std::string defaultFolder, WallClock clock)
    : m_folder(std::move(defaultFolder)), m_clock(clock ? std::move(clock) : WallClock(SystemWallClock))
{
}

CWaveLog::~CWaveLog() = default;

int CWaveLog::Open(int secondsEarlier)
{
    Close();
    ClearPending();
    // A folder that cannot be made shows up as a file that cannot be opened below.
    std::error_code ignored;
    std::filesystem::create_directories(m_folder, ignored);

    // One clock reading names the files and dates the EDF header, so the two always agree.
    const std::time_t now = m_clock() - std::max(secondsEarlier, 0);
    m_start = now - 1;
    if (!ChooseFileNames(m_start))
        return Fail();
    const unsigned flags = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite;
    try {
        if (m_fileTypes & kEdf)
            m_edf = std::make_unique<CEdfFile>(RecordingFilePath(m_folder, m_edfFileName), flags,
                                               [now] { return now; });
        if (m_fileTypes & kCsv)
            m_csv = std::make_unique<CWaveCsvFile>(RecordingFilePath(m_folder, m_csvFileName), flags);
    } catch (const CFileException&) {
        // An EDF file opened before the failure stays open until Close.
        return Fail();
    }
    return 1;
}

bool CWaveLog::ChooseFileNames(std::time_t start)
{
    if (m_namingMode == 1) {
        const std::string stem = AutomaticFileStem(start);
        if (m_fileTypes & kEdf)
            m_edfFileName = stem + ".edf";
        if (m_fileTypes & kCsv)
            m_csvFileName = stem + ".csv";
        return true;
    }
    const bool edf = (m_fileTypes & kEdf) != 0;
    const bool csv = (m_fileTypes & kCsv) != 0;
    if ((edf && !IsPlainFileName(m_edfFileName)) || (csv && !IsPlainFileName(m_csvFileName)))
        return false;
    // Both writers on one file would destroy each other's data.
    if (edf && csv && m_edfFileName == m_csvFileName)
        return false;
    // The user's names start new files; an old file that cannot be removed would otherwise
    // get the new recording appended to it.
    for (const auto& [chosen, name] : {std::pair{edf, &m_edfFileName}, std::pair{csv, &m_csvFileName}}) {
        if (chosen && ::unlink(RecordingFilePath(m_folder, *name).c_str()) != 0 && errno != ENOENT)
            return false;
    }
    return true;
}

int CWaveLog::Close()
{
    // Files that never got a record are removed once closed: no reader can open an empty
    // file, and opening again under a corrected start must not leave one under the old
    // name. A file that holds anything stays.
    std::vector<std::string> emptyFiles;
    for (const CFile* file : {static_cast<const CFile*>(m_edf.get()), static_cast<const CFile*>(m_csv.get())}) {
        std::error_code unknown;
        if (file && std::filesystem::file_size(file->GetFilePath(), unknown) == 0 && !unknown)
            emptyFiles.push_back(file->GetFilePath());
    }
    // Closing flushes nothing (every write has reached the system already), but a close
    // can still report an error; both files are closed and forgotten whatever happens.
    const auto closeFile = [](auto& file) {
        if (!file)
            return true;
        bool closed = true;
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
