#include "platform/StdioFile.h"

#include <algorithm>

CStdioFile::CStdioFile(const std::string& path, unsigned flags)
    : CFile(path, flags)
{
}

void CStdioFile::WriteString(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    for (const char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    Write(out.data(), out.size());
}

int CStdioFile::ReadString(std::string& line)
{
    line.clear();
    char chunk[256];
    bool any = false;
    for (;;) {
        const std::size_t got = Read(chunk, sizeof chunk);
        if (got == 0)
            break;
        any = true;
        const std::string_view text(chunk, got);
        const std::size_t lineEnd = text.find('\n');
        line.append(text.substr(0, lineEnd));
        if (lineEnd != std::string_view::npos) {
            // Give back what was read beyond the line end, so the next read starts there.
            const std::size_t used = lineEnd + 1;
            if (used < got)
                Seek(-static_cast<std::int64_t>(got - used), current);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return 1;
        }
    }
    return any ? 1 : 0;
}
