// Reading whole files for review: the program's own and foreign rates, dimensions and
// record counts, every refusal, and truncated files that must show zeros, never garbage.
#include <gtest/gtest.h>

#include <cmath>
#include <new>
#include <string>

#include "mainwindow/review/ReviewFile.h"
#include "recording/EdfFile.h"
#include "support/EdfFixture.h"
#include "support/TempDir.h"
#include "unit/recording/RecordingTestSupport.h"

namespace {

constexpr std::uint64_t kPlenty = 1ULL << 40;

// Loads the file written from the fixture; the result of Load.
int LoadFixture(CReviewFile& review, const sEdfFixture& f, std::uint64_t memory = kPlenty)
{
    TempDir dir;
    const std::string path = dir.file("f.edf");
    WriteEdfFixture(path, f);
    CEdfFile file(path, CFile::modeRead | CFile::shareDenyNone);
    return review.Load(file, memory);
}

// A file whose reads fail as a disk error or a failed allocation would make them.
class CFailingEdfFile : public CEdfFile {
public:
    CFailingEdfFile(const std::string& path, bool badAlloc) : CEdfFile(path, modeRead), m_badAlloc(badAlloc) {}
    int ReadSignal(float* out, int channel, unsigned count) override
    {
        if (count == 0)
            return CEdfFile::ReadSignal(out, channel, count);
        if (m_badAlloc)
            throw std::bad_alloc();
        throw CFileException(5, GetFilePath(), "read");
    }

private:
    bool m_badAlloc;
};

}  // namespace

TEST(ReviewFile, ReadsTheProgramsOwnFormatWhole)
{
    sEdfFixture f;
    f.records = 45;
    f.value = EdfSines(128, 10, 100, 50, 20);
    CReviewFile review;
    ASSERT_EQ(LoadFixture(review, f), 1);
    EXPECT_TRUE(review.IsLoaded());
    EXPECT_EQ(review.Samples(), 45u * 128);
    EXPECT_EQ(review.Rate(), 128);
    EXPECT_EQ(review.Seconds(), 45);
    EXPECT_EQ(review.StartTime(), LocalTime(2024, 1, 2, 23, 59, 50));
    EXPECT_EQ(review.RecordingId(), "TQS27123456");
    EXPECT_EQ(review.EegDimension(), "uV");
    EXPECT_EQ(review.EmgDimension(), "uV");
    for (long long i : {0LL, 1LL, 127LL, 128LL, 3000LL, 45LL * 128 - 1}) {
        EXPECT_NEAR(review.EegSlice(0, 45)[static_cast<size_t>(i)], EdfPhysical(f, f.value(0, i)), 1e-3) << i;
        EXPECT_NEAR(review.EmgSlice(0, 45)[static_cast<size_t>(i)], EdfPhysical(f, f.value(1, i)), 1e-3) << i;
    }
    // Slices start at first × rate and end at the file.
    EXPECT_EQ(review.EegSlice(15, 30).size(), 30u * 128);
    EXPECT_EQ(review.EegSlice(15, 30).data(), review.EegSlice(0, 45).data() + 15 * 128);
    EXPECT_EQ(review.EegSlice(30, 30).size(), 15u * 128);
    EXPECT_EQ(review.EegFrom(44).size(), 128u);

    review.Release();
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_EQ(review.Samples(), 0u);
    EXPECT_TRUE(review.EegSlice(0, 30).empty());
}

TEST(ReviewFile, OtherRatesDimensionsAndRecordDurations)
{
    struct Case {
        std::vector<int> perRecord;
        int duration;
        int rate;
    };
    for (const Case& c : {Case{{256, 256}, 1, 256}, Case{{32, 32}, 1, 32}, Case{{20, 20}, 2, 10},
                          Case{{250, 250}, 1, 250}, Case{{256, 256}, 2, 128}, Case{{3840, 3840}, 30, 128}}) {
        sEdfFixture f;
        f.samplesPerRecord = c.perRecord;
        f.recordDuration = c.duration;
        f.records = 20;
        f.dimensions = {"mV", ""};
        f.value = EdfSines(c.rate, 1, 50, 3, 10);
        CReviewFile review;
        ASSERT_EQ(LoadFixture(review, f), 1) << c.rate;
        EXPECT_EQ(review.Rate(), c.rate);
        EXPECT_EQ(review.Seconds(), 20 * c.duration);
        EXPECT_EQ(review.Samples(), 20u * static_cast<unsigned>(c.perRecord[0]));
        EXPECT_EQ(review.EegDimension(), "mV");
        EXPECT_EQ(review.EmgDimension(), "");
        // One second of the slice is `rate` samples.
        EXPECT_EQ(review.EegSlice(3, 2).size(), 2u * static_cast<unsigned>(c.rate));
        EXPECT_NEAR(review.EmgSlice(3, 2)[5], EdfPhysical(f, f.value(1, 3LL * c.rate + 5)), 1e-3);
    }
}

TEST(ReviewFile, LengthIsTheShorterOfHeaderAndData)
{
    CReviewFile review;
    sEdfFixture over;  // the header promises more records than the data hold
    over.records = 45;
    over.headerRecords = 100;
    ASSERT_EQ(LoadFixture(review, over), 1);
    EXPECT_EQ(review.Seconds(), 45);

    sEdfFixture under;  // the header counts fewer: the tail is never shown
    under.records = 45;
    under.headerRecords = 20;
    ASSERT_EQ(LoadFixture(review, under), 1);
    EXPECT_EQ(review.Seconds(), 20);
    EXPECT_EQ(review.Samples(), 45u * 128);
}

TEST(ReviewFile, RefusesWhatItCannotShow)
{
    struct Case {
        const char* what;
        std::function<void(sEdfFixture&)> change;
    };
    const Case cases[] = {
        {"header only", [](sEdfFixture& f) { f.records = 0; }},
        {"767 bytes", [](sEdfFixture& f) { f.truncateTo = 767; }},
        {"771 bytes", [](sEdfFixture& f) { f.truncateTo = 771; }},
        {"one sample, no whole second", [](sEdfFixture& f) { f.truncateTo = 772; }},
        {"three signals", [](sEdfFixture& f) { f.signalCount = 3; }},
        {"one signal", [](sEdfFixture& f) { f.signalCount = 1; }},
        {"rate 0", [](sEdfFixture& f) { f.samplesPerRecord = {1, 1}; f.recordDuration = 2; }},
        {"unequal samples per record", [](sEdfFixture& f) { f.samplesPerRecord = {128, 64}; }},
        {"record duration 0", [](sEdfFixture& f) { f.recordDuration = 0; }},
        {"no records in the header", [](sEdfFixture& f) { f.headerRecords = 0; }},
        {"digital maximum 0", [](sEdfFixture& f) { f.digitalMax = 0; }},
        // Files of other programs that would be shown with wrong values.
        {"24-bit samples", [](sEdfFixture& f) { f.version = "\xff" "BIOSEMI"; }},
        {"385 samples per 3-second record", [](sEdfFixture& f) { f.samplesPerRecord = {385, 385}; f.recordDuration = 3; }},
        {"physical maximum not a number", [](sEdfFixture& f) { f.physicalMaxField = "abc"; }},
        {"physical maximum with an exponent", [](sEdfFixture& f) { f.physicalMaxField = "5E+02"; }},
    };
    for (const Case& c : cases) {
        sEdfFixture f;
        f.records = 5;
        c.change(f);
        CReviewFile review;
        EXPECT_EQ(LoadFixture(review, f), 0) << c.what;
        EXPECT_FALSE(review.IsLoaded()) << c.what;
        EXPECT_EQ(review.Samples(), 0u) << c.what;
    }
}

TEST(ReviewFile, ARefusalReleasesTheFileHeldBefore)
{
    CReviewFile review;
    ASSERT_EQ(LoadFixture(review, sEdfFixture{}), 1);
    sEdfFixture bad;
    bad.signalCount = 3;
    EXPECT_EQ(LoadFixture(review, bad), 0);
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_EQ(review.Seconds(), 0);
}

TEST(ReviewFile, ArraysThatWouldNotFitInMemoryAreRefusedBeforeAllocating)
{
    sEdfFixture f;
    f.records = 10;  // 1280 samples per signal: 10,240 bytes for both arrays
    CReviewFile review;
    EXPECT_EQ(LoadFixture(review, f, 10239), 0);
    EXPECT_FALSE(review.IsLoaded());
    EXPECT_EQ(LoadFixture(review, f, 10240), 1);
    EXPECT_GT(CReviewFile::AvailableMemory(), 0u);
}

TEST(ReviewFile, ReadErrorsAndFailedAllocationsAreRefusalsNotExceptions)
{
    TempDir dir;
    const std::string path = dir.file("f.edf");
    WriteEdfFixture(path, sEdfFixture{});
    for (bool badAlloc : {false, true}) {
        CFailingEdfFile file(path, badAlloc);
        CReviewFile review;
        int result = -1;
        EXPECT_NO_THROW(result = review.Load(file, kPlenty));
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(review.IsLoaded());
    }
}

TEST(ReviewFile, ATruncatedFileShowsZerosWhereItHoldsNoValue)
{
    // Two-second records (256 values per signal), cut inside the EMG block of record 10:
    // 21 seconds of EEG exist, but only 2,570 of the EMG's 2,688 values.
    sEdfFixture f;
    f.samplesPerRecord = {256, 256};
    f.recordDuration = 2;
    f.records = 12;
    f.value = [](int signal, long long) { return signal == 0 ? 50.0 : 70.0; };
    f.truncateTo = 768 + 10 * 1024 + 512 + 20;
    CReviewFile review;
    ASSERT_EQ(LoadFixture(review, f), 1);
    EXPECT_EQ(review.Seconds(), 21);  // (10 · 512 + 266) values per signal / 128
    const auto emg = review.EmgSlice(0, 21);
    ASSERT_EQ(emg.size(), 21u * 128);
    EXPECT_NEAR(emg[2569], EdfPhysical(f, 70.0), 1e-3);
    for (size_t i = 2570; i < emg.size(); ++i)
        ASSERT_EQ(emg[i], 0.0f) << i;
    const auto eeg = review.EegSlice(0, 21);
    EXPECT_NEAR(eeg[2687], EdfPhysical(f, 50.0), 1e-3);

    // Cut inside the EEG block of the last record of a one-second file: whole seconds only.
    sEdfFixture own;
    own.records = 10;
    own.value = [](int, long long) { return 30.0; };
    own.truncateTo = 768 + 9 * 512 + 100;
    ASSERT_EQ(LoadFixture(review, own), 1);
    EXPECT_EQ(review.Seconds(), 9);
}

TEST(ReviewFile, AssignHoldsGivenSamples)
{
    CReviewFile review;
    review.Assign({1, 2, 3, 4}, {5, 6}, 2, 2);
    ASSERT_TRUE(review.IsLoaded());
    EXPECT_EQ(review.Samples(), 4u);
    EXPECT_EQ(review.EmgSlice(1, 1)[0], 0.0f);
    EXPECT_EQ(review.EegSlice(1, 1)[1], 4.0f);
}
