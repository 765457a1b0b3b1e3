#include "platform/PortList.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

bool NaturalLess(const std::string& a, const std::string& b)
{
    std::size_t i = 0, j = 0;
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ei = i, ej = j;
            while (ei < a.size() && isDigit(a[ei]))
                ++ei;
            while (ej < b.size() && isDigit(b[ej]))
                ++ej;
            // Compare by value: strip leading zeros, then length, then digits.
            std::size_t zi = i, zj = j;
            while (zi + 1 < ei && a[zi] == '0')
                ++zi;
            while (zj + 1 < ej && b[zj] == '0')
                ++zj;
            if (ei - zi != ej - zj)
                return ei - zi < ej - zj;
            const int c = a.compare(zi, ei - zi, b, zj, ej - zj);
            if (c != 0)
                return c < 0;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

namespace {

// A legacy 8250 port with no UART reports type 0 (PORT_UNKNOWN); opening it works but
// nothing is behind it, so it would make a useless default port.
bool IsPhantom8250(const fs::path& entry)
{
    std::ifstream in(entry / "type");
    int type = -1;
    if (!(in >> type))
        return false;
    return type == 0;
}

bool IsCharacterDevice(const fs::path& node)
{
    struct stat st {};
    return ::stat(node.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// Adds the path unless it is empty or listed already.
void AddOnce(std::vector<std::string>& ports, const std::string& path)
{
    if (!path.empty() && std::find(ports.begin(), ports.end(), path) == ports.end())
        ports.push_back(path);
}

void AddExtraPorts(std::vector<std::string>& ports)
{
    const char* extra = std::getenv("VELQUIN_EXTRA_PORTS");
    if (!extra)
        return;
    std::string list = extra;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        AddOnce(ports, list.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

void EnumSerialPorts(std::vector<std::string>& ports, const sPortListRoots& roots)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(roots.ttyClass, ec);
    const bool readable = !ec;
    if (readable) {
        for (const fs::directory_entry& entry : it) {
            const fs::path path = entry.path();
            if (!fs::exists(path / "device", ec))
                continue;
            if (IsPhantom8250(path))
                continue;
            const std::string name = path.filename().string();
            if (!IsCharacterDevice(fs::path(roots.dev) / name))
                continue;
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), NaturalLess);

    std::vector<std::string> found;
    if (roots.extraFromEnvironment)
        AddExtraPorts(found);
    for (const std::string& name : names)
        AddOnce(found, (fs::path(roots.dev) / name).string());
    if (!readable && found.empty())
        return;
    ports = std::move(found);
}
