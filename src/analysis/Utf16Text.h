#pragma once
// Tab-separated text encoded as UTF-16 little-endian bytes, one 16-bit unit per character
// (wchar_t is 32-bit on Linux, so the encoding is done here, unit by unit). Numbers are
// formatted without the locale: "%d" and "%f" as in the C locale, whatever LC_NUMERIC says.

#include <string>
#include <string_view>

class CUtf16Text {
public:
    // Appends text as it stands (header pieces carry their own tabs).
    void Append(std::u16string_view text);
    // Cells: the value followed by one tab.
    void AppendCell(std::u16string_view text);
    void AppendCell(int value);      // decimal, minus sign when negative
    void AppendCell(double value);   // fixed notation, six digits after the point
    void AppendEmptyCell();
    // CR LF.
    void EndLine();

    const std::string& Bytes() const { return m_bytes; }
    void Clear() { m_bytes.clear(); }

private:
    void AppendAscii(std::string_view text);
    void AppendUnit(char16_t unit);

    std::string m_bytes;
};

// The two bytes FF FE that start a UTF-16 little-endian file.
inline constexpr std::string_view kUtf16LeByteOrderMark{"\xFF\xFE", 2};
