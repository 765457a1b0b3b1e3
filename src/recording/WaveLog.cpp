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

}  // namespace

int CWaveLog::Open(int secondsEarlier)
{
    Close();
    ClearPending();
    const sReplaceable replaceable = std::exchange(m_replaceable, {});
    // A folder that cannot be made shows up as a file that cannot be made below.
    MakeFolders(m_folder);

    // One clock reading names the files and dates the EDF header, so the two always agree.
    const std::time_t now = m_clock() - std::max(secondsEarlier, 0);
    m_start = now - 1;
    m_copy = std::make_shared<CRecordingCopy>(now);
    m_copy->SetRecorderId(m_recorderId);
    m_edfSeconds = m_csvSeconds = 0;
    try {
        if (!(m_namingMode == 1 ? CreateAutomaticFiles(now) : CreateUserFiles(now, replaceable)))
            return Fail();
    } catch (const CFileException&) {
        // An EDF file made before the failure stays open until Close.
        return Fail();
    }
    m_sync.SetFiles(m_edf ? m_edf->GetHandle() : -1, m_csv ? m_csv->GetHandle() : -1, m_folder);
    m_sync.ClearFailure();
    return 1;
}

std::optional<sFileIdentity> CWaveLog::UserFileAt(int fileType) const
{
    return FileIdentityAt(RecordingFilePath(m_folder, fileType == kCsv ? m_csvFileName : m_edfFileName));
}

void CWaveLog::PermitReplacing(std::optional<sFileIdentity> edf, std::optional<sFileIdentity> csv)
{
    m_replaceable = {std::move(edf), std::move(csv)};
}

bool CWaveLog::CreateAutomaticFiles(std::time_t now)
{
    const std::string stem = AutomaticFileStem(m_start);
    for (int number = 1; number <= kLastStemNumber; ++number) {
        if (CreateFiles(stem, number, now))
            return true;
    }
    return false;
}

bool CWaveLog::CreateUserFiles(std::time_t now, const sReplaceable& replaceable)
{
    const bool edf = (m_fileTypes & kEdf) != 0;
    const bool csv = (m_fileTypes & kCsv) != 0;
    if ((edf && !IsPlainFileName(m_edfFileName, m_folder)) || (csv && !IsPlainFileName(m_csvFileName, m_folder)))
        return false;
    // Both writers on one file would destroy each other's data.
    if (edf && csv && m_edfFileName == m_csvFileName)
        return false;
    // The file the user agreed to replace goes first; anything that came under the name
    // since the question stays and fails the making of the new file below.
    const struct {
        bool chosen;
        const std::string& name;
        const std::optional<sFileIdentity>& agreed;
    } files[] = {{edf, m_edfFileName, replaceable.edf}, {csv, m_csvFileName, replaceable.csv}};
    for (const auto& f : files) {
        const std::string path = RecordingFilePath(m_folder, f.name);
        if (f.chosen && f.agreed && FileIdentityAt(path) == f.agreed && ::unlink(path.c_str()) != 0 && errno != ENOENT)
            return false;
    }
    return CreateFiles({}, 0, now);
}

sRecordingPlace CWaveLog::PlaceOf(const std::string& name, const std::string& stem) const
{
    const std::filesystem::path path(name);
    return {m_folder, name, stem.empty() ? path.stem().string() : stem, path.extension().string()};
}

// With a stem, the files are named after it and the number (automatic names); without one,
// the user's names are used.
bool CWaveLog::CreateFiles(const std::string& stem, int number, std::time_t now)
{
    const std::string name = stem.empty() ? std::string() : NumberedStem(stem, number);
    const std::string edfName = stem.empty() ? m_edfFileName : name + ".edf";
    const std::string csvName = stem.empty() ? m_csvFileName : name + ".csv";
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
    // The name of a type that is not recorded keeps its old value.
    if (m_edf) {
        m_edfPlace = PlaceOf(edfName, stem);
        if (!stem.empty())
            m_edfFileName = edfName;
    }
    if (m_csv) {
        m_csvPlace = PlaceOf(csvName, stem);
        if (!stem.empty())
            m_csvFileName = csvName;
    }
    return true;
}

int CWaveLog::Close()
{
    // Everything asked of the disk so far is done before any file is touched here.
    // The CSV file first, as in a put-back while recording.
    bool closed = m_sync.Wait();
    closed = CloseFile(m_csv, kCsv, m_csvPlace, m_csvSeconds) && closed;
    closed = CloseFile(m_edf, kEdf, m_edfPlace, m_edfSeconds) && closed;
    m_sync.SetFiles(-1, -1, {});
    m_copy.reset();
    m_edfSeconds = m_csvSeconds = 0;
    return PutBackHeldFiles() && closed ? 1 : 0;
}

// Files that never got a second are removed once closed: no reader can open an empty file,
// and opening again under a corrected start must not leave one under the old name. A file
// that holds anything stays, put back at its path first if it was taken from there, or
// held when it cannot be; it is brought to the disk before it is closed. The file is
// closed and forgotten whatever happens.
template <class File>
bool CWaveLog::CloseFile(std::unique_ptr<File>& file, int type, const sRecordingPlace& place, std::uint64_t seconds)
{
    if (!file)
        return true;
    bool closed = true;
    if (seconds == 0) {
        const bool own = file->IsAtPath();
        file->Abort();
        if (own)
            ::unlink(file->GetFilePath().c_str());
    } else if (!file->IsAtPath() && !(type == kEdf ? PutBackEdf() : PutBackCsv())) {
        m_held.push_back({type, place, m_copy});
        file->Abort();
        closed = false;
    } else {
        try {
            file->Sync();
            file->Close();
        } catch (const CFileException&) {
            file->Abort();
            closed = false;
        }
    }
    file.reset();
    return closed;
}

void CWaveLog::SetRecorderName(const char* name)
{
    m_recorderId = DeviceNameBytes(name);
    if (m_copy)
        m_copy->SetRecorderId(m_recorderId);
    if (m_edf)
        m_edf->SetDeviceName(name);
}

std::uint64_t CWaveLog::GetEdfLength() const
{
    try {
        return m_edf && m_edf->IsOpen() ? m_edf->GetLength() : 0;
    } catch (const CFileException&) {
        return 0;
    }
}

std::uint64_t CWaveLog::GetCsvLength() const
{
    try {
        return m_csv && m_csv->IsOpen() ? m_csv->GetLength() : 0;
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
