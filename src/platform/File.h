#pragma once
// A small binary file on a POSIX descriptor with 64-bit offsets. Every failing operation
// throws CFileException, which the recording and scoring code catch and turn into a result.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
public:
    CFileException(int cause, std::string path, const std::string& what);
    // The errno value of the failure (0 when the failure has no system cause).
    int Cause() const { return m_cause; }
    const std::string& Path() const { return m_path; }

private:
    int m_cause;
    std::string m_path;
};

// What stands at a path, told apart from anything that takes its place later: the file
// system's device and file number, and the time of its last change, since a file number
// is given again to a file made after one was removed. Links are not followed: a link
// under the name is a thing of its own.
struct sFileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long changedSeconds = 0;
    long changedNanoseconds = 0;
    bool operator==(const sFileIdentity&) const = default;
};
// Nothing when nothing can be looked at under the path; errno then tells why (ENOENT or
// ENOTDIR where the path names nothing).
std::optional<sFileIdentity> FileIdentityAt(const std::string& path);

// Makes the folder with its parents, and brings the entries of the folders it made to the
// disk, so that a power cut cannot take them again. False when the folder is not there
// afterwards.
bool MakeFolders(const std::string& folder);
// Brings a folder's entries (files made, removed or renamed in it) to the disk; false on
// failure, with errno set.
bool SyncFolder(const std::string& folder);

class CFile {
public:
    // Open flags, combined with '|'. The access mode is one of the first three.
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        // With modeCreate: the open fails (cause EEXIST) where anything already has the name,
        // so a file opened this way was made by this open and by no one else.
        modeCreateNew = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens the file or throws CFileException.
    CFile(const std::string& path, unsigned flags);
    // Closes the file; errors at this point are ignored (call Close to see them).
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Opens a file. Only regular files are opened: a directory, FIFO or device is refused
    // without blocking. modeCreate without modeNoTruncate empties an existing file.
    void Open(const std::string& path, unsigned flags);
    bool IsOpen() const { return m_fd >= 0; }
    // Closes the file; throws if the system reports an error. Closing a closed file does nothing.
    void Close();
    // Closes the file, ignoring any error.
    void Abort() noexcept;

    std::uint64_t GetLength() const;
    void SetLength(std::uint64_t length);
    // Sets the length without throwing, for cleaning up after a failed write; false on failure.
    bool TrySetLength(std::uint64_t length) noexcept;
    std::uint64_t GetPosition() const;
    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    void SeekToBegin() { Seek(0, begin); }
    std::uint64_t SeekToEnd() { return Seek(0, end); }

    // Writes all bytes or throws.
    void Write(const void* data, std::size_t count);
    // Reads up to count bytes; returns how many were read (less only at the end of the file).
    std::size_t Read(void* data, std::size_t count);
    // Brings everything written to the file (and its length) to the disk, or throws.
    void Sync();
    // The open descriptor, -1 when closed. Whoever uses it must be done before the file is
    // closed.
    int GetHandle() const { return m_fd; }

    const std::string& GetFilePath() const { return m_path; }

    // Whether the file's path still names this open file: false once the file (or its
    // folder) was removed, moved away or replaced by something else; true where the path
    // cannot be looked at.
    bool IsAtPath() const;

protected:
    [[noreturn]] void Throw(const char* what) const;

private:
    int m_fd = -1;
    std::string m_path;
};
