#include "DiskLog.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
ssize_t __real_write(int fd, const void* data, size_t count);
ssize_t __real_pwrite(int fd, const void* data, size_t count, off_t offset);
int __real_fdatasync(int fd);
int __real_fsync(int fd);
}

namespace {

std::mutex g_mutex;
bool g_logging = false;
std::string g_failing;
std::vector<sDiskOp> g_ops;

std::string FileOf(int fd)
{
    struct stat st {};
    ::fstat(fd, &st);
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

std::string PathOf(int fd)
{
    char link[64], target[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

bool IsEmpty(int fd)
{
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_size == 0;
}

void LogWrite(int fd, const void* data, ssize_t written, off_t offset, bool intoEmptyFile)
{
    std::lock_guard lock(g_mutex);
    if (!g_logging || written <= 0)
        return;
    sDiskOp op{sDiskOp::Write, PathOf(fd), FileOf(fd), static_cast<std::uint64_t>(offset),
               static_cast<std::uint64_t>(written)};
    op.intoEmptyFile = intoEmptyFile;
    const auto* bytes = static_cast<const char*>(data);
    if (offset == 0 && written >= 768 && std::memcmp(bytes, "0       ", 8) == 0)
        op.headerCount = std::atoll(std::string(bytes + 236, 8).c_str());
    g_ops.push_back(op);
}

// A sync as the log takes it; false when it is to fail.
bool LogSync(int fd)
{
    std::lock_guard lock(g_mutex);
    if (!g_logging)
        return true;
    struct stat st {};
    ::fstat(fd, &st);
    const std::string path = PathOf(fd);
    g_ops.push_back({S_ISDIR(st.st_mode) ? sDiskOp::FolderSync : sDiskOp::Sync, path, FileOf(fd), 0,
                     static_cast<std::uint64_t>(st.st_size)});
    return g_failing.empty() || path.find(g_failing) == std::string::npos;
}

int Sync(int fd, int (*real)(int))
{
    if (!LogSync(fd)) {
        errno = EIO;
        return -1;
    }
    std::lock_guard lock(g_mutex);
    return g_logging ? 0 : real(fd);
}

}  // namespace

extern "C" {
ssize_t __wrap_write(int fd, const void* data, size_t count)
{
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    const bool empty = IsEmpty(fd);
    const ssize_t n = __real_write(fd, data, count);
    LogWrite(fd, data, n, at, empty);
    return n;
}

ssize_t __wrap_pwrite(int fd, const void* data, size_t count, off_t offset)
{
    const bool empty = IsEmpty(fd);
    const ssize_t n = __real_pwrite(fd, data, count, offset);
    LogWrite(fd, data, n, offset, empty);
    return n;
}

int __wrap_fdatasync(int fd)
{
    return Sync(fd, __real_fdatasync);
}

int __wrap_fsync(int fd)
{
    return Sync(fd, __real_fsync);
}
}

DiskLog::DiskLog(std::string failing)
{
    std::lock_guard lock(g_mutex);
    g_logging = true;
    g_failing = std::move(failing);
    g_ops.clear();
}

DiskLog::~DiskLog()
{
    std::lock_guard lock(g_mutex);
    g_logging = false;
    g_failing.clear();
}

std::vector<sDiskOp> DiskLog::Ops() const
{
    std::lock_guard lock(g_mutex);
    return g_ops;
}

void DiskLog::FailSyncsOf(std::string failing)
{
    std::lock_guard lock(g_mutex);
    g_failing = std::move(failing);
}
