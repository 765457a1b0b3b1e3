// Writing EDF files: the exact header, sample conversion, whole files after partial tails
// and failed writes, and the in-place rewrite of a record.

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>
#include <vector>

#include "RecordingTestSupport.h"
#include "recording/EdfFile.h"
#include "support/TempDir.h"

namespace {

constexpr unsigned kAppend = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite;

std::string Pad(const std::string& value, std::size_t width)
{
    return value + std::string(width - value.size(), ' ');
}

// The header the program writes, field by field as the format lays it out.
std::string ExpectedHeader(const std::string& recording, const std::string& date, const std::string& time,
                           int records)
{
    return Pad("0", 8) + Pad("", 80) + Pad(recording, 80) + Pad(date, 8) + Pad(time, 8) + Pad("768", 8)
        + Pad("", 44) + Pad(std::to_string(records), 8) + Pad("1", 8) + Pad("2", 4) + Pad("EEG", 16)
        + Pad("EMG", 16) + Pad("EEG", 80) + Pad("EMG", 80) + Pad("uV", 8) + Pad("uV", 8) + Pad("-750", 8)
        + Pad("-10619", 8) + Pad("750", 8) + Pad("10619", 8) + Pad("-8192", 8) + Pad("-8192", 8)
        + Pad("8191", 8) + Pad("8191", 8) + Pad("HP:0.3Hz LP:40Hz", 80) + Pad("HP:0.3Hz LP:44Hz", 80)
        + Pad("128", 8) + Pad("128", 8) + Pad("", 64);
}

// One record of 128 EEG and 128 EMG samples, all EEG values eeg and all EMG values emg.
std::vector<float> Record(float eeg, float emg)
{
    std::vector<float> r(256, eeg);
    std::fill(r.begin() + 128, r.end(), emg);
    return r;
}

std::string HeaderField(const std::string& bytes, std::size_t offset, std::size_t width)
{
    return bytes.substr(offset, width);
}

}  // namespace

TEST(EdfWrite, FirstRecordGivesTheExactHeaderAndOneRecord)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    {
        CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        edf.SetDeviceName("TQR27012345 extra text");
        const auto record = Record(0.0f, 0.0f);
        edf.WriteRecord(record.data(), 2, 128);
    }
    const std::string bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 768u + 512u);
    EXPECT_EQ(bytes.substr(0, 768), ExpectedHeader("TQR27012345_ON", "07.03.19", "10.20.30", 1));
    EXPECT_EQ(bytes.substr(768), std::string(512, '\0'));
}

TEST(EdfWrite, LaterRecordsCountUpAndKeepTheStartTime)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    std::time_t now = LocalTime(2019, 3, 7, 10, 20, 31);
    CEdfFile edf(path, kAppend, [&now] { return now; });
    const auto record = Record(1.0f, 2.0f);
    edf.WriteRecord(record.data(), 2, 128);
    now += 3600;
    edf.WriteRecord(record.data(), 2, 128);
    const std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), 768u + 2 * 512u);
    EXPECT_EQ(HeaderField(bytes, 236, 8), Pad("2", 8));
    EXPECT_EQ(HeaderField(bytes, 168, 16), "07.03.1910.20.30");

    // Reopening the file later appends to it and still keeps its start.
    CEdfFile again(path, kAppend, [&now] { return now; });
    again.WriteRecord(record.data(), 2, 128);
    const std::string after = ReadWholeFile(path);
    EXPECT_EQ(after.size(), 768u + 3 * 512u);
    EXPECT_EQ(HeaderField(after, 236, 8), Pad("3", 8));
    EXPECT_EQ(HeaderField(after, 168, 16), "07.03.1910.20.30");
}

TEST(EdfWrite, StartDateAndTimeComeFromOneClockReadingAtMidnight)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    // The clock passes midnight between two readings; both fields must name the same second.
    std::time_t now = LocalTime(2019, 3, 8, 0, 0, 0);
    CEdfFile edf(path, kAppend, [&now] { return now++; });
    const auto record = Record(0.0f, 0.0f);
    edf.WriteRecord(record.data(), 2, 128);
    const std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(HeaderField(bytes, 168, 16), "07.03.1923.59.59");
}

TEST(EdfWrite, SamplesRoundHalfAwayFromZeroAndSaturateOnlyAtSixteenBits)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    std::vector<float> record(256, 0.0f);
    const float halfStep = 1875.0f / 8192.0f;  // 2.5 digital steps of EEG
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float eeg[] = {0.0f, 750.0f, -750.0f, halfStep, -halfStep, nan, 1e9f, -1e9f, 3000.0f};
    const float emg[] = {10619.0f, -10619.0f, 10638.0f, -10638.0f, nan, 1e9f, -1e9f};
    std::copy(std::begin(eeg), std::end(eeg), record.begin());
    std::copy(std::begin(emg), std::end(emg), record.begin() + 128);
    {
        CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        edf.WriteRecord(record.data(), 2, 128);
    }
    const std::string bytes = ReadWholeFile(path);
    const int eegDigital[] = {0, 8192, -8192, 3, -3, 0, 32767, -32768, 32767};
    for (std::size_t i = 0; i < std::size(eegDigital); ++i)
        EXPECT_EQ(Int16At(bytes, 768 + 2 * i), eegDigital[i]) << "EEG sample " << i;
    // EMG beyond the digital range is kept, not clamped to ±8192.
    const int emgDigital[] = {8192, -8192, 8207, -8207, 0, 32767, -32768};
    for (std::size_t i = 0; i < std::size(emgDigital); ++i)
        EXPECT_EQ(Int16At(bytes, 768 + 256 + 2 * i), emgDigital[i]) << "EMG sample " << i;
}

TEST(EdfWrite, ARecordAfterAPartialTailReplacesTheTail)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    {
        CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        const auto record = Record(0.0f, 0.0f);
        for (int i = 0; i < 5; ++i)
            edf.WriteRecord(record.data(), 2, 128);
        // A crash left 100 bytes of an unfinished record.
        edf.SeekToEnd();
        const std::string stray(100, '\x7f');
        edf.Write(stray.data(), stray.size());
        const auto next = Record(750.0f, -10619.0f);
        edf.WriteRecord(next.data(), 2, 128);
    }
    const std::string bytes = ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 768u + 6 * 512u);
    EXPECT_EQ(HeaderField(bytes, 236, 8), Pad("6", 8));
    const std::size_t sixth = 768 + 5 * 512;
    EXPECT_EQ(Int16At(bytes, sixth), 8192);
    EXPECT_EQ(Int16At(bytes, sixth + 254), 8192);
    EXPECT_EQ(Int16At(bytes, sixth + 256), -8192);
}

TEST(EdfWrite, AFailedWriteLeavesAWholeFileThatCountsItsRecords)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    const auto record = Record(10.0f, 20.0f);
    {
        FileSizeLimit limit(768 + 2 * 512 + 200);
        edf.WriteRecord(record.data(), 2, 128);
        edf.WriteRecord(record.data(), 2, 128);
        try {
            edf.WriteRecord(record.data(), 2, 128);
            FAIL() << "the third record should not fit";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.Cause(), EFBIG);
        }
    }
    std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), 768u + 2 * 512u);
    EXPECT_EQ(HeaderField(bytes, 236, 8), Pad("2", 8));

    // Once there is room again the recording goes on where it stopped.
    edf.WriteRecord(record.data(), 2, 128);
    bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), 768u + 3 * 512u);
    EXPECT_EQ(HeaderField(bytes, 236, 8), Pad("3", 8));
}

TEST(EdfWrite, AFailedFirstRecordLeavesAnEmptyRecording)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    const auto record = Record(10.0f, 20.0f);
    FileSizeLimit limit(768 + 100);
    EXPECT_THROW(edf.WriteRecord(record.data(), 2, 128), CFileException);
    const std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), 768u);
    EXPECT_EQ(HeaderField(bytes, 236, 8), Pad("0", 8));
}

TEST(EdfWrite, RewriteInPlaceOnlyOverAWholeRecord)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    const auto zero = Record(0.0f, 0.0f);
    for (int i = 0; i < 3; ++i)
        edf.WriteRecord(zero.data(), 2, 128);
    const std::string before = ReadWholeFile(path);

    const auto late = Record(750.0f, 10619.0f);
    for (std::uint64_t bad : {0ULL, 767ULL, 768ULL + 1, 768ULL + 256, 768ULL + 3 * 512, 768ULL + 10 * 512}) {
        try {
            edf.WriteRecordAt(late.data(), 2, 128, bad);
            ADD_FAILURE() << "accepted position " << bad;
        } catch (const CFileException& e) {
            EXPECT_EQ(e.Cause(), EINVAL) << bad;
        }
    }
    EXPECT_EQ(ReadWholeFile(path), before);

    edf.WriteRecordAt(late.data(), 2, 128, 768 + 512);
    const std::string after = ReadWholeFile(path);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.substr(0, 768 + 512), before.substr(0, 768 + 512));
    EXPECT_EQ(Int16At(after, 768 + 512), 8192);
    EXPECT_EQ(Int16At(after, 768 + 512 + 256), 8192);
    EXPECT_EQ(after.substr(768 + 1024), before.substr(768 + 1024));
}

TEST(EdfWrite, RecordingFieldKeepsOnlyPrintableAsciiOfTheName)
{
    struct Case {
        const char* name;
        const char* field;
    };
    const Case cases[] = {
        {"TQR27\x01" "012345", "TQR27_ON"},
        {"TQR27\x7f", "TQR27_ON"},
        {"AB\x80" "CD", "AB_ON"},
        {"\tTQR", "_ON"},
        {"", "_ON"},
        {"TQS2700001", "TQS2700001_ON"},
    };
    TempDir dir;
    int n = 0;
    for (const Case& c : cases) {
        const std::string path = dir.file(std::to_string(n++) + ".edf");
        {
            CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
            edf.SetDeviceName(c.name);
            const auto record = Record(0.0f, 0.0f);
            edf.WriteRecord(record.data(), 2, 128);
        }
        EXPECT_EQ(HeaderField(ReadWholeFile(path), 88, 80), Pad(c.field, 80)) << c.field;
    }
}

TEST(EdfWrite, OtherSamplesPerRecordAndRefusedShapes)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    const std::vector<float> record(512, 750.0f);
    edf.WriteRecord(record.data(), 2, 256);
    edf.WriteRecord(record.data(), 2, 256);
    const std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes.size(), 768u + 2 * 1024u);
    EXPECT_EQ(HeaderField(bytes, 688, 16), Pad("256", 8) + Pad("256", 8));
    EXPECT_EQ(HeaderField(bytes, 236, 8), Pad("2", 8));

    EXPECT_THROW(edf.WriteRecord(record.data(), 2, 0), CFileException);
    EXPECT_THROW(edf.WriteRecord(record.data(), 0, 128), CFileException);
    EXPECT_EQ(ReadWholeFile(path), bytes);
}
