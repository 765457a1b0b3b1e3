// Reading EDF files: the program's own scaling, the getters, refusals of broken headers,
// and files whose header and data disagree.

#include <gtest/gtest.h>

#include <vector>

#include "RecordingTestSupport.h"
#include "recording/EdfFile.h"
#include "support/TempDir.h"

namespace {

constexpr unsigned kAppend = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite;
constexpr unsigned kReview = CFile::modeRead | CFile::shareDenyNone;

// Writes a recording of the given records; sample i of record r is EEG r*10+i/10 µV and
// EMG -(r*100+i) µV.
void WriteRecording(const std::string& path, int records, const char* device = "TQR27012345")
{
    CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    edf.SetDeviceName(device);
    std::vector<float> record(256);
    for (int r = 0; r < records; ++r) {
        for (int i = 0; i < 128; ++i) {
            record[i] = static_cast<float>(r * 10 + i / 10.0);
            record[128 + i] = static_cast<float>(-(r * 100 + i));
        }
        edf.WriteRecord(record.data(), 2, 128);
    }
}

// Puts text, blank-padded to width, into the file at offset.
void PatchField(const std::string& path, std::size_t offset, std::size_t width, const std::string& text)
{
    std::string bytes = ReadWholeFile(path);
    bytes.replace(offset, width, text + std::string(width - text.size(), ' '));
    WriteWholeFile(path, bytes);
}

std::vector<float> ReadSignal(const std::string& path, int channel, unsigned count, int* result = nullptr)
{
    CEdfFile edf(path, kReview);
    std::vector<float> out(count, 7.0f);
    const int ok = edf.ReadSignal(out.data(), channel, count);
    if (result)
        *result = ok;
    return out;
}

}  // namespace

TEST(EdfRead, OwnRecordingReadsBackWithItsHeader)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    WriteRecording(path, 3);
    const std::string bytes = ReadWholeFile(path);
    const unsigned count = 3 * 128;

    CEdfFile edf(path, kReview);
    std::vector<float> eeg(count), emg(count);
    ASSERT_EQ(edf.ReadSignal(eeg.data(), 1, count), 1);
    ASSERT_EQ(edf.ReadSignal(emg.data(), 2, count), 1);
    for (unsigned k = 0; k < count; ++k) {
        const std::size_t record = 768 + (k / 128) * 512 + (k % 128) * 2;
        // Exactly P × (d ÷ 8191), not the value written.
        EXPECT_EQ(eeg[k], static_cast<float>(750.0 * (Int16At(bytes, record) / 8191.0))) << k;
        EXPECT_EQ(emg[k], static_cast<float>(10619.0 * (Int16At(bytes, record + 256) / 8191.0))) << k;
    }
    EXPECT_NEAR(eeg[128 + 5], 10.5f, 0.1f);
    EXPECT_NEAR(emg[256 + 7], -207.0f, 1.4f);

    EXPECT_EQ(edf.GetRecordingId(), "TQR27012345");
    EXPECT_EQ(edf.GetStartDateTime(), LocalTime(2019, 3, 7, 10, 20, 30));
    EXPECT_EQ(edf.GetRecordCount(), 3);
    EXPECT_EQ(edf.GetRecordDuration(), 1);
    EXPECT_EQ(edf.GetSignalCount(), 2);
    EXPECT_EQ(edf.GetEegDimension(), "uV");
    EXPECT_EQ(edf.GetEmgDimension(), "uV");
    EXPECT_EQ(edf.GetEegPhysicalMax(), 750);
    EXPECT_EQ(edf.GetEmgPhysicalMax(), 10619);
    EXPECT_EQ(edf.GetEegDigitalMax(), 8191);
    EXPECT_EQ(edf.GetEmgDigitalMax(), 8191);
    EXPECT_EQ(edf.GetEegSamplesPerRecord(), 128);
    EXPECT_EQ(edf.GetEmgSamplesPerRecord(), 128);
}

TEST(EdfRead, GettersDescribeNothingBeforeTheFirstRead)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    WriteRecording(path, 1);
    CEdfFile edf(path, kReview);
    EXPECT_EQ(edf.GetRecordCount(), 0);
    EXPECT_EQ(edf.GetRecordingId(), "");
    EXPECT_EQ(edf.GetStartDateTime(), 0);
}

TEST(EdfRead, BrokenHeadersAreRefusedWithAZeroedOutput)
{
    struct Case {
        const char* what;
        std::size_t offset, width;
        const char* text;
    };
    const Case cases[] = {
        {"three signals", 252, 4, "3"},
        {"unequal samples per record", 696, 8, "64"},
        {"no samples per record", 688, 16, "0       0"},
        {"zero duration", 244, 8, "0"},
        {"half-second duration", 244, 8, "0.5"},
        {"fractional duration", 244, 8, "1.5"},
        {"negative duration", 244, 8, "-1"},
        {"negative record count", 236, 8, "-1"},
        {"EEG digital maximum 0", 512, 8, "0"},
        {"EMG digital maximum 0", 520, 8, "0"},
        {"24-bit samples", 0, 8, "\xff" "BIOSEMI"},
        {"version 1", 0, 8, "1"},
        {"128 samples per 3-second record", 244, 8, "3"},
        {"EEG physical maximum not a number", 480, 8, "abc"},
        {"EMG physical maximum with an exponent", 488, 8, "5E+02"},
        {"EEG digital maximum with a unit", 512, 8, "8191uV"},
        {"EMG digital maximum empty", 520, 8, ""},
        {"EEG physical minimum not a number", 464, 8, "-"},
        {"EMG digital minimum two numbers", 504, 8, "-8192 1"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.file("r.edf");
        WriteRecording(path, 2);
        PatchField(path, c.offset, c.width, c.text);
        int result = -1;
        const auto out = ReadSignal(path, 1, 256, &result);
        EXPECT_EQ(result, 0) << c.what;
        EXPECT_EQ(out, std::vector<float>(256, 0.0f)) << c.what;
    }

    const std::string path = dir.file("r.edf");
    WriteRecording(path, 2);
    const auto own = ReadSignal(path, 1, 256);
    int result = -1;
    ReadSignal(path, 3, 256, &result);
    EXPECT_EQ(result, 0) << "channel 3";
    ReadSignal(path, 0, 256, &result);
    EXPECT_EQ(result, 0) << "channel 0";

    // A duration written with decimals but whole is accepted, and so are scale fields written
    // with a sign, a fraction or leading blanks.
    PatchField(path, 244, 8, "1.000000");
    PatchField(path, 464, 16, "-750.   -10619.0");
    PatchField(path, 480, 16, "+750     10619");
    PatchField(path, 504, 8, " -8192");
    const auto read = ReadSignal(path, 1, 256, &result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(read, own);

    std::string bytes = ReadWholeFile(path);
    WriteWholeFile(path, bytes.substr(0, 767));
    ReadSignal(path, 1, 256, &result);
    EXPECT_EQ(result, 0) << "767 bytes";
}

TEST(EdfRead, HeaderAndDataOfDifferentLengthsLeaveZerosBeyondWhatBothHold)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    WriteRecording(path, 4);
    const auto whole = ReadSignal(path, 2, 4 * 128);

    // A header that counts fewer records than the file holds: only those are read.
    PatchField(path, 236, 8, "2");
    auto out = ReadSignal(path, 2, 4 * 128);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 256, whole.begin()));
    EXPECT_TRUE(std::all_of(out.begin() + 256, out.end(), [](float v) { return v == 0.0f; }));

    // A header that promises more than the data: what is missing reads as 0.
    PatchField(path, 236, 8, "99");
    std::string bytes = ReadWholeFile(path);
    WriteWholeFile(path, bytes.substr(0, 768 + 2 * 512 + 300));
    out = ReadSignal(path, 2, 4 * 128);
    EXPECT_TRUE(std::equal(out.begin(), out.begin() + 256, whole.begin()));
    // The third record's EMG block starts at byte 256 of the record and only 44 bytes remain.
    EXPECT_TRUE(std::equal(out.begin() + 256, out.begin() + 256 + 22, whole.begin() + 256));
    EXPECT_TRUE(std::all_of(out.begin() + 256 + 22, out.end(), [](float v) { return v == 0.0f; }));
}

TEST(EdfRead, LongRecordingReadsAcrossReadChunks)
{
    TempDir dir;
    const std::string path = dir.file("long.edf");
    const int records = 4500;  // more than one read chunk of either signal
    {
        CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        std::vector<float> record(256);
        for (int r = 0; r < records; ++r) {
            for (int i = 0; i < 128; ++i) {
                record[i] = static_cast<float>((r * 128 + i) % 16000 - 8000) * 750.0f / 8192.0f;
                record[128 + i] = static_cast<float>(-((r * 128 + i) % 16000 - 8000)) * 10619.0f / 8192.0f;
            }
            edf.WriteRecord(record.data(), 2, 128);
        }
    }
    const unsigned count = records * 128;
    const auto eeg = ReadSignal(path, 1, count);
    const auto emg = ReadSignal(path, 2, count);
    for (unsigned k = 0; k < count; ++k) {
        const int d = static_cast<int>(k % 16000) - 8000;
        ASSERT_EQ(eeg[k], static_cast<float>(750.0 * (d / 8191.0))) << k;
        ASSERT_EQ(emg[k], static_cast<float>(10619.0 * (-d / 8191.0))) << k;
    }
}

TEST(EdfRead, StartDateAndTimeFields)
{
    struct Case {
        const char* date;
        const char* time;
        std::time_t expected;
    };
    const Case cases[] = {
        {"07.03.19", "23.59.59", LocalTime(2019, 3, 7, 23, 59, 59)},
        {"07.03.19", "23.59.60", 0},
        {"07.13.19", "10.00.00", 0},
        {"00.03.19", "10.00.00", 0},
        {"07.03.19", "24.00.00", 0},
        {"07.03.90", "10.00.00", LocalTime(1990, 3, 7, 10, 0, 0)},
        {"07.03.84", "10.00.00", LocalTime(2084, 3, 7, 10, 0, 0)},
        {"07-03-19", "10.00.00", 0},
        {"        ", "10.00.00", 0},
    };
    TempDir dir;
    const std::string path = dir.file("r.edf");
    WriteRecording(path, 1);
    for (const Case& c : cases) {
        PatchField(path, 168, 8, c.date);
        PatchField(path, 176, 8, c.time);
        CEdfFile edf(path, kReview);
        std::vector<float> out(128);
        ASSERT_EQ(edf.ReadSignal(out.data(), 1, 128), 1);
        EXPECT_EQ(edf.GetStartDateTime(), c.expected) << c.date << " " << c.time;
    }
}

TEST(EdfRead, RecordingIdIsTheFirstElevenCharacters)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    WriteRecording(path, 1, "AB12");
    CEdfFile edf(path, kReview);
    std::vector<float> out(128);
    ASSERT_EQ(edf.ReadSignal(out.data(), 1, 128), 1);
    EXPECT_EQ(edf.GetRecordingId(), "AB12_ON");

    PatchField(path, 88, 80, "ABCDEFGH_ON");
    ASSERT_EQ(edf.ReadSignal(out.data(), 1, 128), 1);
    EXPECT_EQ(edf.GetRecordingId(), "ABCDEFGH_ON");

    PatchField(path, 88, 80, "Startdate 07-MAR-2019 X X X");
    ASSERT_EQ(edf.ReadSignal(out.data(), 1, 128), 1);
    EXPECT_EQ(edf.GetRecordingId(), "Startdate 0");
}
