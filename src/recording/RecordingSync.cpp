#include "recording/RecordingSync.h"

#include "platform/File.h"

#include <cerrno>
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

int CRecordingSync::Round(int edf, int csv, const std::array<char, kEdfHeaderBytes>& header,
                          const std::string& folder)
{
    // The records and rows first, then the folder's entries of new files, then the header.
    if (edf >= 0 && ::fdatasync(edf) != 0)
        return errno;
    if (csv >= 0 && ::fdatasync(csv) != 0)
        return errno;
    if (!folder.empty() && !SyncFolder(folder))
        return errno;
    if (edf < 0)
        return 0;
    for (std::size_t done = 0; done < header.size();) {
        const ssize_t n = ::pwrite(edf, header.data() + done, header.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += static_cast<std::size_t>(n);
    }
    return ::fdatasync(edf) == 0 ? 0 : errno;
}
