#include "DiskLog.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
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

// The op as far as the descriptor tells it.
sDiskOp OpOn(int fd, sDiskOp::Kind kind)
{
    char link[64], target[PATH_MAX];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, target, sizeof target);
    struct stat st {};
    ::fstat(fd, &st);
    sDiskOp op;
    op.kind = S_ISDIR(st.st_mode) ? sDiskOp::FolderSync : kind;
    op.path.assign(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    op.file = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    op.size = static_cast<std::uint64_t>(st.st_size);
    return op;
}

template <class Write>
ssize_t Logged(int fd, const void* data, off_t offset, Write write)
{
    sDiskOp op = OpOn(fd, sDiskOp::Write);
    const ssize_t n = write();
    std::lock_guard lock(g_mutex);
    if (!g_logging || n <= 0)
        return n;
    op.intoEmptyFile = op.size == 0;
    op.size = static_cast<std::uint64_t>(n);
    const auto* bytes = static_cast<const char*>(data);
    if (offset == 0 && n >= 768 && std::memcmp(bytes, "0       ", 8) == 0)
        op.headerCount = std::atoll(std::string(bytes + 236, 8).c_str());
    g_ops.push_back(op);
    return n;
}

int Synced(int fd, int (*real)(int))
{
    std::lock_guard lock(g_mutex);
    if (!g_logging)
        return real(fd);
    g_ops.push_back(OpOn(fd, sDiskOp::Sync));
    if (!g_failing.empty() && g_ops.back().path.find(g_failing) != std::string::npos) {
        errno = EIO;
        return -1;
    }
    return 0;
}

}  // namespace

extern "C" {
ssize_t __wrap_write(int fd, const void* data, size_t count)
{
    return Logged(fd, data, ::lseek(fd, 0, SEEK_CUR), [&] { return __real_write(fd, data, count); });
}

ssize_t __wrap_pwrite(int fd, const void* data, size_t count, off_t offset)
{
    return Logged(fd, data, offset, [&] { return __real_pwrite(fd, data, count, offset); });
}

int __wrap_fdatasync(int fd)
{
    return Synced(fd, __real_fdatasync);
}

int __wrap_fsync(int fd)
{
    return Synced(fd, __real_fsync);
}
}

DiskLog::DiskLog()
{
    std::lock_guard lock(g_mutex);
    g_logging = true;
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
