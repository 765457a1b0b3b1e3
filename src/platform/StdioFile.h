#pragma once
// A line-oriented text file on top of CFile. Lines end in CR LF on disk: WriteString turns
// every line feed into CR LF itself, and ReadString drops the line end again. Nothing is
// buffered on the way out, so every string written has reached the system (or thrown) when
// WriteString returns, and the file's length is always exact.

#include "platform/File.h"

#include <string>
#include <string_view>

class CStdioFile : public CFile {
public:
    CStdioFile() = default;
    // Opens the file or throws CFileException.
    CStdioFile(const std::string& path, unsigned flags);

    // Writes the text at the current position, each "\n" as "\r\n", in one write.
    virtual void WriteString(std::string_view text);
    // Reads the next line without its line end ("\n" or "\r\n") and leaves the position
    // just after it. Returns 1 when a line was read, 0 at the end of the file.
    virtual int ReadString(std::string& line);
};
