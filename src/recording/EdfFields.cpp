#include "recording/EdfFields.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

namespace edf {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::size_t SkipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

void PutField(char* header, Field f, std::string_view value)
{
    std::memset(header + f.offset, ' ', f.width);
    std::memcpy(header + f.offset, value.data(), std::min(value.size(), f.width));
}

void PutField(char* header, Field f, long long value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    PutField(header, f, std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

std::string_view FieldText(const char* header, Field f)
{
    const char* start = header + f.offset;
    const void* zero = std::memchr(start, '\0', f.width);
    return std::string_view(start, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - start) : f.width);
}

int ParseLeadingInt(std::string_view text)
{
    std::size_t i = SkipBlanks(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    value = negative ? -value : value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

double ParseLeadingNumber(std::string_view text)
{
    std::size_t i = SkipBlanks(text);
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0.0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value,
                                        std::chars_format::fixed);
    return result.ec == std::errc() ? value : 0.0;
}

bool HoldsPlainNumber(std::string_view text)
{
    std::size_t i = SkipBlanks(text);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            ++digits;
    return digits > 0 && SkipBlanks(text.substr(i)) == text.size() - i;
}

bool IsEdfVersion(std::string_view text)
{
    return !text.empty() && text[0] == '0' && SkipBlanks(text.substr(1)) == text.size() - 1;
}

int ParseWholeSeconds(std::string_view text)
{
    std::size_t i = SkipBlanks(text);
    if (i < text.size() && text[i] == '+')
        ++i;
    long long value = 0;
    bool digits = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
        digits = true;
    }
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            if (text[i] != '0')
                return 0;
    return digits ? static_cast<int>(value) : 0;
}

std::string TrimmedLatin1(std::string_view text)
{
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace edf
