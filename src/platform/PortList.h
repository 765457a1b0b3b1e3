#pragma once
// The serial ports of this machine, as device paths (/dev/ttyUSB0, /dev/ttyACM0, /dev/ttyS1):
// every terminal in the kernel's tty class that belongs to a device, except the legacy
// 8250 ports that have no UART behind them, in natural order (ttyS2 before ttyS10).
// Paths listed in the environment variable VELQUIN_EXTRA_PORTS (colon-separated) come
// first, so that a pseudo-terminal can be chosen like a real port and, being first, is the
// port chosen at start.

#include <string>
#include <vector>

struct sPortListRoots {
    std::string ttyClass = "/sys/class/tty";  // one entry per terminal
    std::string dev = "/dev";                 // where the device nodes are
    bool extraFromEnvironment = true;         // list VELQUIN_EXTRA_PORTS first
};

// Fills ports with the list. When the tty class cannot be read and no extra port is
// given, the list is left as it was.
void EnumSerialPorts(std::vector<std::string>& ports, const sPortListRoots& roots = {});

// Natural order of two names: runs of digits compare by their value.
bool NaturalLess(const std::string& a, const std::string& b);
