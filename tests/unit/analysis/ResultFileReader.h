#pragma once
// Reads a scoring result file back for the tests: checks the byte-order mark, decodes the
// UTF-16LE units (all in the Basic Multilingual Plane) to UTF-8, and splits lines at CR LF
// and cells at tabs.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ResultFile {
    bool hasByteOrderMark = false;
    bool evenLength = false;
    std::string text;                                // UTF-8, after the byte-order mark
    std::vector<std::string> lines;                  // without CR LF
    std::vector<std::vector<std::string>> cells;     // per line, the text before each tab
    std::vector<int> tabs;                           // tabs per line
    bool everyLineEndsWithTabCrLf = true;
};

inline std::string Utf8FromUtf16(const std::u16string& units)
{
    std::string out;
    for (const char16_t u : units) {
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline ResultFile ReadResultFile(const std::string& path)
{
    ResultFile file;
    const std::string bytes = ReadBytes(path);
    file.evenLength = bytes.size() % 2 == 0;
    file.hasByteOrderMark = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF
                            && static_cast<unsigned char>(bytes[1]) == 0xFE;
    std::u16string units;
    for (std::size_t i = file.hasByteOrderMark ? 2 : 0; i + 1 < bytes.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    file.text = Utf8FromUtf16(units);

    std::size_t start = 0;
    while (start < file.text.size()) {
        const std::size_t end = file.text.find("\r\n", start);
        if (end == std::string::npos) {
            file.everyLineEndsWithTabCrLf = false;
            file.lines.push_back(file.text.substr(start));
            break;
        }
        file.lines.push_back(file.text.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string& line : file.lines) {
        if (line.empty() || line.back() != '\t')
            file.everyLineEndsWithTabCrLf = false;
        std::vector<std::string> cells;
        std::size_t from = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', from)) {
            cells.push_back(line.substr(from, tab - from));
            from = tab + 1;
        }
        file.tabs.push_back(static_cast<int>(cells.size()));
        file.cells.push_back(cells);
    }
    return file;
}
