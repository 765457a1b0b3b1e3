#pragma once
// A small binary file on a POSIX descriptor with 64-bit offsets. Every failing operation
// throws CFileException, which the recording and scoring code catch and turn into a result.

#include <cstddef>
#include <cstdint>
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

    const std::string& GetFilePath() const { return m_path; }

    // Whether the file's path still names this open file: false once the file (or its
    // folder) was removed, moved away or replaced by another file; true where the path
    // cannot be looked at.
    bool IsAtPath() const;
    // Puts the content back at the path after the file was taken from there: a new file is
    // made at the path (made new, so nothing that took the name meanwhile is written into),
    // everything the open file holds is copied into it, and the file goes on as that new
    // file. The folder must exist. Throws CFileException, leaving the open file as it was.
    void RestoreAtPath();

protected:
    [[noreturn]] void Throw(const char* what) const;

private:
    int m_fd = -1;
    std::string m_path;
};
