#include "recording/RecordingSync.h"

#include "platform/File.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

CRecordingSync::CRecordingSync() : m_thread([this] { Run(); })
{
}

CRecordingSync::~CRecordingSync()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void CRecordingSync::SetFiles(int edf, int csv, std::string folder)
{
    std::lock_guard lock(m_mutex);
    m_edf = edf;
    m_csv = csv;
    m_folder = std::move(folder);
    m_folderSynced = false;
}

void CRecordingSync::ClearFailure()
{
    std::lock_guard lock(m_mutex);
    m_failure = 0;
}

void CRecordingSync::Request(const std::array<char, kEdfHeaderBytes>& edfHeader)
{
    {
        std::lock_guard lock(m_mutex);
        m_header = edfHeader;
        ++m_asked;
    }
    m_changed.notify_all();
}

bool CRecordingSync::Wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_done == m_asked; });
    return m_failure == 0;
}

int CRecordingSync::Failure() const
{
    std::lock_guard lock(m_mutex);
    return m_failure;
}

void CRecordingSync::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || m_done != m_asked; });
        if (m_done == m_asked)
            return;
        // Everything asked for so far was written before this round starts.
        const unsigned long asked = m_asked;
        const int edf = m_edf, csv = m_csv;
        const std::array<char, kEdfHeaderBytes> header = m_header;
        const std::string folder = m_folderSynced ? std::string() : m_folder;
        lock.unlock();
        int failure = Round(edf, csv, header, folder);
        // A file or folder that is gone was taken away: the recording puts it back whole,
        // with syncs of its own, so that is no failure of the disk.
        if (failure == ENOENT || failure == ENOTDIR || failure == ESTALE)
            failure = 0;
        lock.lock();
        if (failure != 0 && m_failure == 0)
            m_failure = failure;
        if (failure == 0 && !folder.empty())
            m_folderSynced = true;
        m_done = asked;
        m_changed.notify_all();
    }
}

namespace {

// Writes a file's data out to the disk, without its length; 0 or the errno.
int WriteOut(int fd)
{
    constexpr unsigned kWait = SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER;
    return fd < 0 || ::sync_file_range(fd, 0, 0, kWait) == 0 ? 0 : errno;
}

int SyncData(int fd)
{
    return fd < 0 || ::fdatasync(fd) == 0 ? 0 : errno;
}

}  // namespace

int CRecordingSync::Round(int edf, int csv, const std::array<char, kEdfHeaderBytes>& header,
                          const std::string& folder)
{
    // First the data of both files, before any of their new lengths reach the disk: the file
    // system may write one file's length with the other's sync (ext4 keeps one journal), and
    // a length written before its data leaves zeros at the end of the file.
    if (const int failure = WriteOut(edf))
        return failure;
    if (const int failure = WriteOut(csv))
        return failure;
    // The folder's entries of files made new, once.
    if (!folder.empty() && !SyncFolder(folder))
        return errno;
    // Then the CSV rows and the EDF records with their lengths, and right after them the
    // header that counts them: until it is synced the EDF file holds one more record than
    // its header counts, never fewer.
    if (const int failure = SyncData(csv))
        return failure;
    if (edf >= 0) {
        if (const int failure = SyncData(edf))
            return failure;
        for (std::size_t done = 0; done < header.size();) {
            const ssize_t n = ::pwrite(edf, header.data() + done, header.size() - done, static_cast<off_t>(done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return n < 0 ? errno : EIO;
            done += static_cast<std::size_t>(n);
        }
        return SyncData(edf);
    }
    return 0;
}
