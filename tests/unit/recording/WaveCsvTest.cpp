// The CSV wave file: header lines, 27-byte rows in any locale, in-place rewrite of a second
// and whole rows after a failed write.

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "RecordingTestSupport.h"
#include "recording/WaveCsvFile.h"
#include "support/TempDir.h"

namespace {

constexpr unsigned kAppend = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite;
const std::string kHeader = "#MachineType,TQR27012345\r\n#Sample/Sec,128\r\nEEG,EMG\r\n";

struct Block {
    std::vector<float> eeg, emg;
};

Block MakeBlock(float eeg, float emg)
{
    return {std::vector<float>(128, eeg), std::vector<float>(128, emg)};
}

}  // namespace

TEST(WaveCsv, BlocksGiveOneHeaderAndRowsOfTwentySevenBytes)
{
    TempDir dir;
    const std::string path = dir.file("w.csv");
    CWaveCsvFile csv(path, kAppend);
    auto first = MakeBlock(0.0f, -750.0f);
    csv.WriteBlock("TQR27012345", 128, first.eeg.data(), first.emg.data(), 128);
    ASSERT_EQ(kHeader.size(), 52u);
    EXPECT_EQ(csv.GetLength(), 52u + 3456u);
    const auto second = MakeBlock(1.5f, 12.25f);
    csv.WriteBlock("TQR27012345", 128, second.eeg.data(), second.emg.data(), 128);
    EXPECT_EQ(csv.GetLength(), 52u + 2 * 3456u);

    std::string expected = kHeader;
    for (int i = 0; i < 128; ++i)
        expected += "     0.00000,  -750.00000\r\n";
    for (int i = 0; i < 128; ++i)
        expected += "     1.50000,    12.25000\r\n";
    EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST(WaveCsv, RowsStayTwentySevenBytesForAnyValue)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(CWaveCsvFile::FormatRow(-99999.99999f, 999999.99999f).size(), 27u);
    EXPECT_EQ(CWaveCsvFile::FormatRow(-1e9f, 1e9f), "-99999.99999,999999.99999\r\n");
    EXPECT_EQ(CWaveCsvFile::FormatRow(-inf, inf), "-99999.99999,999999.99999\r\n");
    EXPECT_EQ(CWaveCsvFile::FormatRow(-0.0f, 0.000004f), "    -0.00000,     0.00000\r\n");
    EXPECT_EQ(CWaveCsvFile::FormatRow(nan, 8206.4f), "         nan,  8206.40039\r\n");
}

TEST(WaveCsv, NumbersIgnoreACommaDecimalLocale)
{
    const std::string old = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ(probe, "1,5") << "the locale writes a decimal comma";
    TempDir dir;
    const std::string path = dir.file("w.csv");
    {
        CWaveCsvFile csv(path, kAppend);
        const auto block = MakeBlock(-1.25f, 3.5f);
        csv.WriteBlock("TQR27012345", 128, block.eeg.data(), block.emg.data(), 128);
    }
    std::setlocale(LC_ALL, old.c_str());
    const std::string bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 52u + 3456u);
    EXPECT_EQ(bytes.substr(52, 27), "    -1.25000,     3.50000\r\n");
}

TEST(WaveCsv, RewriteReplacesTheRowsOfOneSecondOnly)
{
    TempDir dir;
    const std::string path = dir.file("w.csv");
    CWaveCsvFile csv(path, kAppend);
    const auto zero = MakeBlock(0.0f, 0.0f);
    for (int i = 0; i < 3; ++i)
        csv.WriteBlock("TQR27012345", 128, zero.eeg.data(), zero.emg.data(), 128);
    const std::string before = ReadWholeFile(path);

    const auto late = MakeBlock(100.0f, -200.0f);
    const std::uint64_t second = 52 + 3456;
    for (std::uint64_t bad : std::initializer_list<std::uint64_t>{0, 51, second + 1, second + 3456 * 2 - 27, second + 3456 * 2}) {
        try {
            csv.WriteBlockAt(late.eeg.data(), late.emg.data(), 128, bad);
            ADD_FAILURE() << "accepted position " << bad;
        } catch (const CFileException& e) {
            EXPECT_EQ(e.Cause(), EINVAL) << bad;
        }
    }
    EXPECT_EQ(ReadWholeFile(path), before);

    csv.WriteBlockAt(late.eeg.data(), late.emg.data(), 128, second);
    const std::string after = ReadWholeFile(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, second), before.substr(0, second));
    for (int i = 0; i < 128; ++i)
        EXPECT_EQ(after.substr(second + 27 * i, 27), "   100.00000,  -200.00000\r\n");
    EXPECT_EQ(after.substr(second + 3456), before.substr(second + 3456));
}

TEST(WaveCsv, AFailedBlockLeavesOnlyWholeRows)
{
    TempDir dir;
    const std::string path = dir.file("w.csv");
    CWaveCsvFile csv(path, kAppend);
    const auto block = MakeBlock(1.0f, 2.0f);
    {
        FileSizeLimit limit(52 + 3456 + 1000);
        csv.WriteBlock("TQR27012345", 128, block.eeg.data(), block.emg.data(), 128);
        try {
            csv.WriteBlock("TQR27012345", 128, block.eeg.data(), block.emg.data(), 128);
            FAIL() << "the second block should not fit";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.Cause(), EFBIG);
        }
    }
    EXPECT_EQ(csv.GetLength(), 52u + 3456u);
    csv.WriteBlock("TQR27012345", 128, block.eeg.data(), block.emg.data(), 128);
    EXPECT_EQ(csv.GetLength(), 52u + 2 * 3456u);
}

TEST(WaveCsv, LinesAndHeaderText)
{
    TempDir dir;
    const std::string path = dir.file("w.csv");
    {
        CCsvFile csv(path, kAppend);
        csv.WriteString("a,b");
        csv.WriteString("c\nd");
    }
    EXPECT_EQ(ReadWholeFile(path), "a,b\r\nc\r\nd");

    const std::string empty = dir.file("e.csv");
    CWaveCsvFile csv(empty, kAppend);
    const auto block = MakeBlock(0.0f, 0.0f);
    csv.WriteBlock("", 128, block.eeg.data(), block.emg.data(), 1);
    EXPECT_EQ(ReadWholeFile(empty), "#MachineType,\r\n#Sample/Sec,128\r\nEEG,EMG\r\n     0.00000,     0.00000\r\n");
}
