#include "recording/DeviceName.h"

std::string DeviceNameBytes(const char* name, std::size_t max)
{
    std::string bytes;
    if (!name)
        return bytes;
    for (std::size_t i = 0; i < max && name[i] != '\0'; ++i) {
        if (static_cast<unsigned char>(name[i]) >= 0x80)
            break;
        bytes += name[i];
    }
    return bytes;
}

std::string PrintableAsciiPrefix(std::string_view text, std::size_t max)
{
    std::size_t n = 0;
    while (n < text.size() && n < max) {
        const auto c = static_cast<unsigned char>(text[n]);
        if (c < 0x20 || c > 0x7E)
            break;
        ++n;
    }
    return std::string(text.substr(0, n));
}
