#pragma once
// The fuzz input as a file: an anonymous in-memory file that the program's own file layer can
// open by path, closed again when the object goes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

class MemoryFile {
public:
    MemoryFile(const char* name, const std::uint8_t* data, std::size_t size)
        : m_fd(memfd_create(name, MFD_CLOEXEC))
    {
        std::size_t done = 0;
        while (m_fd >= 0 && done < size) {
            const ssize_t n = write(m_fd, data + done, size - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
    }
    ~MemoryFile()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(m_fd); }

private:
    int m_fd;
};
