#include "recording/CsvFile.h"

CCsvFile::CCsvFile(const std::string& path, unsigned flags)
    : CStdioFile(path, flags)
{
}

void CCsvFile::WriteString(std::string_view text)
{
    if (text.find('\n') != std::string_view::npos) {
        CStdioFile::WriteString(text);
        return;
    }
    std::string line(text);
    line += '\n';
    CStdioFile::WriteString(line);
}

int CCsvFile::ReadString(std::string& line)
{
    return CStdioFile::ReadString(line);
}
