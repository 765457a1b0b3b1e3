#pragma once
// A serial port on a POSIX terminal device, set up for a binary protocol: raw mode at
// 38400 baud, 8 data bits, no parity, one stop bit, no flow control, no echo and no
// signal characters. The port is opened exclusively (an advisory lock plus the
// terminal's exclusive mode) so that a second program cannot read the same bytes.
// Reads never wait; writes wait at most until their deadline.

#include <cstddef>
#include <string>

class CSerialPort {
public:
    CSerialPort() = default;
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // The device path of a port name: an absolute path as given, a bare name under /dev.
    // An empty name gives an empty path.
    static std::string DevicePath(const std::string& name);

    // Opens and sets up the port; 1 on success, 0 when the port is missing, not a terminal,
    // held by another opener or cannot be set up (the port is then closed again).
    int Open(const std::string& name);
    // Releases the exclusive mode and the lock and closes the port. The port is closed
    // afterwards in every case; 0 when the system reported an error while closing.
    int Close();
    bool IsOpen() const { return m_fd >= 0; }
    // 1 while the port is open and still answers as a terminal.
    int IsUsable() const;

    // Bytes waiting to be read, or -1 when the port cannot tell (closed, hung up).
    int QueuedBytes() const;
    // Reads up to max bytes without waiting; the count read, 0 or -1.
    int Read(void* buffer, std::size_t max);
    // Writes the bytes, waiting for room at most deadlineMs in total; the count written.
    int Write(const void* bytes, std::size_t count, int deadlineMs);

private:
    int Fail(int fd);
    static int ConfigureRaw(int fd);

    int m_fd = -1;
};
