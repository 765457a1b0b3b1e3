#pragma once
// Helpers shared by the recording tests: whole-file reads, local times, fixed clocks and a
// file-size limit that makes writes fail at a chosen length.

#include <csignal>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>

#include "recording/Clock.h"
#include "support/CalendarTime.h"

inline std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline WallClock FixedClock(std::time_t t)
{
    return [t] { return t; };
}

// The little-endian 16-bit value at a byte offset of a file image.
inline int Int16At(const std::string& bytes, std::size_t offset)
{
    const auto lo = static_cast<unsigned char>(bytes[offset]);
    const auto hi = static_cast<unsigned char>(bytes[offset + 1]);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

// While it lives, no file of this process can grow beyond limit bytes: a write past it
// fails with EFBIG (SIGXFSZ is ignored meanwhile).
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = static_cast<rlim_t>(limit);
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
