// Cells of the result files: C-locale number formats and little-endian UTF-16 units.

#include "ResultFileReader.h"
#include "analysis/Utf16Text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

std::string Decode(const CUtf16Text& text)
{
    std::u16string units;
    const std::string& b = text.Bytes();
    for (std::size_t i = 0; i + 1 < b.size(); i += 2)
        units += static_cast<char16_t>(static_cast<unsigned char>(b[i]) | (static_cast<unsigned char>(b[i + 1]) << 8));
    return Utf8FromUtf16(units);
}

} // namespace

TEST(Utf16Text, NumbersAsPrintfFormatsThemInTheCLocale)
{
    CUtf16Text text;
    text.AppendCell(-0.25);
    text.AppendCell(-0.0);
    text.AppendCell(0.0000004);
    text.AppendCell(0.0000005);   // rounds half to even like printf: 0.000000 or 0.000001
    text.AppendCell(1234567.125);
    text.AppendCell(1e20);
    text.AppendCell(-3);
    text.AppendCell(INT_MIN);
    text.AppendEmptyCell();
    text.EndLine();
    char expectedHalf[32];
    std::snprintf(expectedHalf, sizeof expectedHalf, "%f", 0.0000005);
    EXPECT_EQ(std::string("-0.250000\t-0.000000\t0.000000\t") + expectedHalf
                  + "\t1234567.125000\t100000000000000000000.000000\t-3\t-2147483648\t\t\r\n",
              Decode(text));
}

TEST(Utf16Text, EveryCharacterIsOneLittleEndianUnit)
{
    CUtf16Text text;
    text.AppendCell(u"δ平");
    text.Append(u"\r\n");
    EXPECT_EQ(std::string("\xB4\x03\x73\x5E\x09\x00\x0D\x00\x0A\x00", 10), text.Bytes());
    text.Clear();
    EXPECT_TRUE(text.Bytes().empty());
}
