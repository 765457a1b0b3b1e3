// The recording manager: putting a file taken from its folder back, whole, from the
// recording's copy; and holding it where it cannot be put back yet.

#include "recording/WaveLog.h"

#include "recording/DeviceName.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr unsigned kCreateNew = CFile::modeCreate | CFile::modeCreateNew | CFile::modeReadWrite;
constexpr int kRecord = CWaveLog::kRecordSamples;
// Seconds written in one go when a file is written again from the copy.
constexpr std::size_t kChunkSeconds = 256;

// Makes a file new under the place's own name, or where that is taken under the next free
// name of its stem. Throws CFileException when none can be made.
template <class File, class Make>
std::unique_ptr<File> MakeAtFreeName(const sRecordingPlace& place, Make make)
{
    for (int number = 0; number <= kLastStemNumber; ++number) {
        const std::string candidate = number == 0 ? place.name : NumberedStem(place.stem, number) + place.extension;
        if (number > 0 && candidate == place.name)
            continue;
        try {
            return make(RecordingFilePath(place.folder, candidate));
        } catch (const CFileException& e) {
            if (e.Cause() != EEXIST || number == kLastStemNumber)
                throw;
        }
    }
    throw CFileException(EEXIST, RecordingFilePath(place.folder, place.name), "no free name for");
}

// Writes a file made for this whole and brings it to the disk with its folder entry: first
// what write puts in, then (for the EDF file) the header that counts it. On any failure the
// file is removed again and the CFileException thrown on, so that no part of a file is ever
// left behind.
template <class File, class Write, class Finish>
std::unique_ptr<File> WriteWhole(std::unique_ptr<File> file, const std::string& folder, Write write, Finish finish)
{
    try {
        write(*file);
        file->Sync();
        if (!SyncFolder(folder))
            throw CFileException(errno, folder, "cannot bring to the disk the folder of");
        finish(*file);
        file->Sync();
    } catch (const CFileException&) {
        if (file->IsAtPath())
            ::unlink(file->GetFilePath().c_str());
        throw;
    }
    return file;
}

// Whether the open file still has a name in some folder. A file removed everywhere only
// takes room on the disk, which the file put back may need.
bool IsRemovedEverywhere(const CFile& file)
{
    struct stat st {};
    return file.IsOpen() && ::fstat(file.GetHandle(), &st) == 0 && st.st_nlink == 0;
}

}  // namespace

bool CWaveLog::KeepFilesAtTheirPaths()
{
    const bool edfTaken = m_edf && !m_edf->IsAtPath();
    const bool csvTaken = m_csv && !m_csv->IsAtPath();
    if (!edfTaken && !csvTaken)
        return true;
    // No sync may still be using a descriptor that is about to be replaced.
    m_sync.Wait();
    // The CSV file first, so that an EDF header put back never counts a second whose rows
    // are not on the disk yet.
    const bool kept = (!csvTaken || PutBackCsv()) && (!edfTaken || PutBackEdf());
    m_sync.SetFiles(m_edf && m_edf->IsOpen() ? m_edf->GetHandle() : -1,
                    m_csv && m_csv->IsOpen() ? m_csv->GetHandle() : -1, m_folder);
    return kept;
}

namespace {

std::unique_ptr<CEdfFile> WriteEdfCopy(const sRecordingPlace& place, const CRecordingCopy& copy)
{
    MakeFolders(place.folder);
    const std::time_t reading = copy.ClockReading();
    auto file = MakeAtFreeName<CEdfFile>(place, [reading](const std::string& path) {
        return std::make_unique<CEdfFile>(path, kCreateNew, [reading] { return reading; });
    });
    file->SetDeviceName(copy.RecorderId().c_str());
    const auto records = [&copy](CEdfFile& edf) {
        std::vector<float> chunk;
        for (std::size_t first = 0; first < copy.Seconds(); first += kChunkSeconds) {
            const std::size_t seconds = std::min(kChunkSeconds, copy.Seconds() - first);
            chunk.clear();
            for (std::size_t s = first; s < first + seconds; ++s)
                chunk.insert(chunk.end(), copy.Second(s), copy.Second(s) + CRecordingCopy::kSecondValues);
            edf.AppendRecords(chunk.data(), seconds, 2, kRecord);
        }
    };
    // The header counts the records once they are on the disk.
    const auto header = [&copy](CEdfFile& edf) {
        const auto image = edf.HeaderFor(copy.Seconds(), kRecord);
        edf.SeekToBegin();
        edf.Write(image.data(), image.size());
    };
    return WriteWhole(std::move(file), place.folder, records, header);
}

std::unique_ptr<CWaveCsvFile> WriteCsvCopy(const sRecordingPlace& place, const CRecordingCopy& copy)
{
    MakeFolders(place.folder);
    auto file = MakeAtFreeName<CWaveCsvFile>(place, [](const std::string& path) {
        return std::make_unique<CWaveCsvFile>(path, kCreateNew);
    });
    const auto rows = [&copy](CWaveCsvFile& csv) {
        const std::string machineType = PrintableAsciiPrefix(copy.RecorderId(), 11);
        std::vector<float> eeg, emg;
        for (std::size_t first = 0; first < copy.Seconds(); first += kChunkSeconds) {
            const std::size_t seconds = std::min(kChunkSeconds, copy.Seconds() - first);
            eeg.clear();
            emg.clear();
            for (std::size_t s = first; s < first + seconds; ++s) {
                eeg.insert(eeg.end(), copy.Second(s), copy.Second(s) + kRecord);
                emg.insert(emg.end(), copy.Second(s) + kRecord, copy.Second(s) + 2 * kRecord);
            }
            csv.WriteBlock(machineType, kRecord, eeg.data(), emg.data(), static_cast<int>(eeg.size()));
        }
    };
    return WriteWhole(std::move(file), place.folder, rows, [](CWaveCsvFile&) {});
}

}  // namespace

// The file taken away is written again from the copy. Its old descriptor goes first where
// the file is removed everywhere: it cannot be reached any more, and the room it holds may
// be what the new file needs on a nearly full disk. The place keeps the name the file got;
// so does the setting, for an automatic name.
template <class File, class WriteCopy>
bool CWaveLog::PutBack(std::unique_ptr<File>& file, sRecordingPlace& place, std::string& fileName, WriteCopy writeCopy)
{
    if (IsRemovedEverywhere(*file))
        file->Abort();
    try {
        auto made = writeCopy(place, *m_copy);
        file->Abort();
        file = std::move(made);
    } catch (const CFileException&) {
        return false;
    }
    place.name = std::filesystem::path(file->GetFilePath()).filename().string();
    if (m_namingMode == 1)
        fileName = place.name;
    return true;
}

bool CWaveLog::PutBackEdf()
{
    return PutBack(m_edf, m_edfPlace, m_edfFileName, WriteEdfCopy);
}

bool CWaveLog::PutBackCsv()
{
    return PutBack(m_csv, m_csvPlace, m_csvFileName, WriteCsvCopy);
}

bool CWaveLog::PutBackHeldFiles()
{
    // A file written whole is on the disk already: closing it can lose nothing more.
    std::erase_if(m_held, [](const sHeldFile& held) {
        try {
            if (held.type == kEdf)
                WriteEdfCopy(held.place, *held.copy);
            else
                WriteCsvCopy(held.place, *held.copy);
            return true;
        } catch (const CFileException&) {
            return false;
        }
    });
    return m_held.empty();
}
