#pragma once
// Every write and sync this test process makes, in order, with the file it went to. The
// recording tests are linked with the system calls wrapped (--wrap), so the log sees what
// reaches the system. While a log is kept, syncs return at once without waiting for the
// disk, and those of files whose path holds failing fail with EIO.

#include <cstdint>
#include <string>
#include <vector>

struct sDiskOp {
    enum Kind { Write, Sync, FolderSync } kind = Write;
    std::string path;
    std::string file;  // "device:inode", since a file made again may take a removed one's path
    std::uint64_t size = 0;  // bytes written, or the file's size at a sync
    long long headerCount = -1;  // records counted by a whole EDF header written at the start
    bool intoEmptyFile = false;  // a file made again may also get a removed one's number
};

class DiskLog {
public:
    DiskLog();
    ~DiskLog();
    DiskLog(const DiskLog&) = delete;
    DiskLog& operator=(const DiskLog&) = delete;

    std::vector<sDiskOp> Ops() const;
    void FailSyncsOf(std::string failing);
};
