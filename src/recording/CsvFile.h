#pragma once
// A CSV text file of lines ended by CR LF.

#include "platform/StdioFile.h"

#include <string>
#include <string_view>

class CCsvFile : public CStdioFile {
public:
    // Opens the file or throws CFileException.
    CCsvFile(const std::string& path, unsigned flags);

    // Writes the text as a line: a line end is added when the text holds no line feed.
    void WriteString(std::string_view text) override;
    int ReadString(std::string& line) override;
};
