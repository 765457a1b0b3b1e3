#include "platform/File.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFileException::CFileException(int cause, std::string path, const std::string& what)
    : std::runtime_error(what + " '" + path + "': " + (cause ? std::strerror(cause) : "failed")),
      m_cause(cause), m_path(std::move(path))
{
}

CFile::CFile(const std::string& path, unsigned flags)
{
    Open(path, flags);
}

CFile::~CFile()
{
    Abort();
}

void CFile::Throw(const char* what) const
{
    throw CFileException(errno, m_path, what);
}

void CFile::Open(const std::string& path, unsigned flags)
{
    Abort();
    m_path = path;
    int oflags = O_CLOEXEC | O_NONBLOCK;
    switch (flags & 3u) {
    case modeWrite: oflags |= O_WRONLY; break;
    case modeReadWrite: oflags |= O_RDWR; break;
    default: oflags |= O_RDONLY; break;
    }
    if (flags & modeCreate) {
        oflags |= O_CREAT;
        if (flags & modeCreateNew)
            oflags |= O_EXCL;
        else if (!(flags & modeNoTruncate))
            oflags |= O_TRUNC;
    }
    const int fd = ::open(path.c_str(), oflags, 0666);
    if (fd < 0)
        Throw("cannot open");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int cause = S_ISDIR(st.st_mode) ? EISDIR : (errno ? errno : EINVAL);
        ::close(fd);
        throw CFileException(cause, m_path, "not a regular file");
    }
    // Regular files never block; the flag only kept the open itself from waiting on a FIFO.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    m_fd = fd;
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        Throw("cannot close");
}

void CFile::Abort() noexcept
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

std::uint64_t CFile::GetLength() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        Throw("cannot read the length of");
    return static_cast<std::uint64_t>(st.st_size);
}

void CFile::SetLength(std::uint64_t length)
{
    if (::ftruncate(m_fd, static_cast<off_t>(length)) != 0)
        Throw("cannot set the length of");
}

bool CFile::TrySetLength(std::uint64_t length) noexcept
{
    return m_fd >= 0 && ::ftruncate(m_fd, static_cast<off_t>(length)) == 0;
}

std::uint64_t CFile::GetPosition() const
{
    const off_t pos = ::lseek(m_fd, 0, SEEK_CUR);
    if (pos < 0)
        Throw("cannot read the position in");
    return static_cast<std::uint64_t>(pos);
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    const off_t pos = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (pos < 0)
        Throw("cannot seek in");
    return static_cast<std::uint64_t>(pos);
}

void CFile::Write(const void* data, std::size_t count)
{
    const char* p = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t n = ::write(m_fd, p, count);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Throw("cannot write");
        }
        if (n == 0) {
            errno = ENOSPC;
            Throw("cannot write");
        }
        p += n;
        count -= static_cast<std::size_t>(n);
    }
}

std::size_t CFile::Read(void* data, std::size_t count)
{
    char* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, p + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Throw("cannot read");
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

void CFile::Sync()
{
    if (::fdatasync(m_fd) != 0)
        Throw("cannot bring to the disk");
}

bool CFile::IsAtPath() const
{
    struct stat own {};
    if (m_fd < 0 || ::fstat(m_fd, &own) != 0)
        return false;
    // A path that cannot be looked at (a folder without search permission) tells nothing,
    // so only a path that names nothing or another file counts as taken away.
    const std::optional<sFileIdentity> named = FileIdentityAt(m_path);
    if (!named)
        return errno != ENOENT && errno != ENOTDIR;
    return named->device == own.st_dev && named->inode == own.st_ino;
}

std::optional<sFileIdentity> FileIdentityAt(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    return sFileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino),
                         static_cast<long long>(st.st_ctim.tv_sec), st.st_ctim.tv_nsec};
}

bool SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int cause = errno;
    ::close(fd);
    errno = cause;
    return synced;
}

bool MakeFolders(const std::string& folder)
{
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::absolute(folder.empty() ? "." : folder, ec);
    if (ec)
        return false;
    if (std::filesystem::is_directory(path, ec))
        return true;
    // Made from the top down, each new folder's entry brought to the disk in its parent.
    std::filesystem::path made;
    for (const auto& part : path) {
        made /= part;
        if (std::filesystem::is_directory(made, ec))
            continue;
        if (!std::filesystem::create_directory(made, ec) && !std::filesystem::is_directory(made, ec))
            return false;
        SyncFolder(made.parent_path().string());
    }
    return std::filesystem::is_directory(path, ec);
}
