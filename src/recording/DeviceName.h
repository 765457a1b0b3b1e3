#pragma once
// The receiver name as the recording files keep it. The name comes from the receiver's
// reply and may hold any byte; only a clean prefix of it ever reaches a file header.

#include <cstddef>
#include <string>
#include <string_view>

// Maximum number of name bytes kept by the EDF file and the recording manager.
inline constexpr std::size_t kDeviceNameBytes = 21;

// The name's bytes up to its terminating zero, at most max of them, ending before the first
// byte of value 0x80 or more. A null name gives an empty string.
std::string DeviceNameBytes(const char* name, std::size_t max = kDeviceNameBytes);

// The leading printable ASCII bytes (0x20..0x7E) of text, at most max of them. File
// headers carry only this part, so a control byte in a name can never break a header.
std::string PrintableAsciiPrefix(std::string_view text, std::size_t max);
