#include "analysis/Utf16Text.h"

#include <array>
#include <charconv>

void CUtf16Text::AppendUnit(char16_t unit)
{
    m_bytes.push_back(static_cast<char>(unit & 0xFF));
    m_bytes.push_back(static_cast<char>(unit >> 8));
}

void CUtf16Text::AppendAscii(std::string_view text)
{
    for (const char c : text)
        AppendUnit(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

void CUtf16Text::Append(std::u16string_view text)
{
    for (const char16_t unit : text)
        AppendUnit(unit);
}

void CUtf16Text::AppendCell(std::u16string_view text)
{
    Append(text);
    AppendUnit(u'\t');
}

void CUtf16Text::AppendCell(int value)
{
    std::array<char, 16> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    AppendAscii(std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
    AppendUnit(u'\t');
}

void CUtf16Text::AppendCell(double value)
{
    // Room for the largest double in fixed notation (309 digits) and six decimals.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 6);
    AppendAscii(std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())));
    AppendUnit(u'\t');
}

void CUtf16Text::AppendEmptyCell()
{
    AppendUnit(u'\t');
}

void CUtf16Text::EndLine()
{
    AppendUnit(u'\r');
    AppendUnit(u'\n');
}
