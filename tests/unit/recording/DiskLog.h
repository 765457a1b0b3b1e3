#pragma once
// Every write and sync this test process makes through the recording code, in order, with
// the file it went to. The recording tests are linked with the system calls wrapped
// (--wrap), so the log sees what reaches the system. While a log is kept, syncs return at
// once without waiting for the disk, and can be made to fail.

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

struct sDiskOp {
    enum Kind { Write, Sync, FolderSync } kind = Write;
    std::string path;
    // The file itself ("device:inode"): a file made again under a path is another file.
    std::string file;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    // For a write of a whole EDF header at the start of a file: the records it counts.
    long long headerCount = -1;
    // A write into an empty file: a file made again may get the number of one removed.
    bool intoEmptyFile = false;
};

class DiskLog {
public:
    // Starts logging (and stops on destruction). Syncs of files whose path contains failing
    // (when not empty) fail with EIO.
    explicit DiskLog(std::string failing = {});
    ~DiskLog();
    DiskLog(const DiskLog&) = delete;
    DiskLog& operator=(const DiskLog&) = delete;

    std::vector<sDiskOp> Ops() const;
    void FailSyncsOf(std::string failing);
};
