#include "platform/SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

CSerialPort::~CSerialPort()
{
    Close();
}

std::string CSerialPort::DevicePath(const std::string& name)
{
    if (name.empty() || name.front() == '/')
        return name;
    return "/dev/" + name;
}

int CSerialPort::Fail(int fd)
{
    ::close(fd);
    return 0;
}

// Raw 38400 8N1: no line editing, no echo, no signal characters (ETX is 0x03, the interrupt
// character of a default terminal), no XON/XOFF (0x11 and 0x13 are payload bytes here),
// no CR/LF translation in either direction, no hardware flow control.
int CSerialPort::ConfigureRaw(int fd)
{
    termios tio {};
    if (::tcgetattr(fd, &tio) != 0)
        return 0;
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | PARMRK);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, B38400) != 0 || ::cfsetospeed(&tio, B38400) != 0)
        return 0;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0 ? 1 : 0;
}

int CSerialPort::Open(const std::string& name)
{
    Close();
    const std::string path = DevicePath(name);
    if (path.empty())
        return 0;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return 0;
    if (!::isatty(fd))
        return Fail(fd);
    // Another program holding the lock means the port is in use. The terminal's exclusive
    // mode also refuses later openers that do not take the lock (not for the superuser).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return Fail(fd);
    if (::ioctl(fd, TIOCEXCL) != 0)
        return Fail(fd);
    if (!ConfigureRaw(fd)) {
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
        return 0;
    }
    // Bytes that arrived while nobody held the port belong to nobody: start empty. Only the
    // input: flushing the output would also throw away what the last holder wrote and the
    // line has not carried yet (on a pseudo-terminal, what the other side has not read),
    // such as the stop command sent just before the port was closed and tested again.
    ::tcflush(fd, TCIFLUSH);
    m_fd = fd;
    return 1;
}

int CSerialPort::Close()
{
    if (m_fd < 0)
        return 1;
    // The exclusive mode outlives the descriptor on some terminals (a pseudo-terminal keeps
    // it while its other side stays open), so it is cleared before closing.
    ::ioctl(m_fd, TIOCNXCL);
    ::flock(m_fd, LOCK_UN);
    const int result = ::close(m_fd);
    // The descriptor is released even when close reports an error; never close it twice.
    m_fd = -1;
    return result == 0 ? 1 : 0;
}

int CSerialPort::IsUsable() const
{
    termios tio {};
    return m_fd >= 0 && ::tcgetattr(m_fd, &tio) == 0 ? 1 : 0;
}

int CSerialPort::QueuedBytes() const
{
    int queued = 0;
    if (m_fd < 0 || ::ioctl(m_fd, FIONREAD, &queued) != 0)
        return -1;
    return queued;
}

int CSerialPort::Read(void* buffer, std::size_t max)
{
    if (m_fd < 0)
        return -1;
    const ssize_t n = ::read(m_fd, buffer, max);
    return n < 0 ? -1 : static_cast<int>(n);
}

int CSerialPort::Write(const void* bytes, std::size_t count, int deadlineMs)
{
    using Clock = std::chrono::steady_clock;
    if (m_fd < 0)
        return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(deadlineMs);
    const auto* p = static_cast<const unsigned char*>(bytes);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, p + done, count - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            break;
        pollfd pfd {m_fd, POLLOUT, 0};
        if (::poll(&pfd, 1, static_cast<int>(std::min<long long>(left, 1000))) < 0 && errno != EINTR)
            break;
        if (pfd.revents & (POLLERR | POLLHUP | POLLNVAL))
            break;
    }
    return static_cast<int>(done);
}
