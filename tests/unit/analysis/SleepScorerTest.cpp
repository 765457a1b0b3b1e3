// CSleepScorer's scoring run end to end: samples in, the two result files out.

#include "ReferenceSpectrum.h"
#include "ResultFileReader.h"
#include "analysis/SleepScorer.h"
#include "app/ModulePath.h"
#include "support/CalendarTime.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <tuple>
#include <sys/resource.h>

namespace {

constexpr int kRate = 128;
namespace fs = std::filesystem;

CSleepScorer::Clock FixedClock(std::time_t t, int* reads = nullptr)
{
    return [t, reads] {
        if (reads)
            ++*reads;
        return t;
    };
}

// One second whose alpha power is y µV² (a 10 Hz rhythm of amplitude sqrt(16y/3)) with a
// delta of 3 µV² (2 Hz, amplitude 4); `betaPower` adds a 30 Hz rhythm of that beta power.
std::vector<float> SecondOf(double y, double betaPower = 0.0)
{
    std::vector<float> x(kRate, 0.0f);
    ref::AddSine(x, 4.0, 2.0, kRate);
    ref::AddSine(x, std::sqrt(16.0 * y / 3.0), 10.0, kRate);
    if (betaPower > 0)
        ref::AddSine(x, std::sqrt(16.0 * betaPower / 3.0), 30.0, kRate);
    return x;
}

int Feed(CSleepScorer& scorer, const std::vector<float>& x)
{
    return scorer.AddSamples(x.data(), 1, static_cast<int>(x.size()));
}

void FeedEpoch(CSleepScorer& scorer, double y)
{
    for (int s = 0; s < 4; ++s)
        ASSERT_EQ(1, Feed(scorer, SecondOf(y)));
}

int OpenDescriptors()
{
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

double Cell(const std::vector<std::string>& cells, std::size_t column)
{
    return std::stod(cells.at(column));
}

// "%f": an optional minus, digits, a point and six digits.
bool IsFixedSix(const std::string& cell)
{
    const std::size_t begin = !cell.empty() && cell[0] == '-' ? 1 : 0;
    const std::size_t point = cell.find('.');
    if (point == std::string::npos || point == begin || cell.size() != point + 7)
        return false;
    for (std::size_t i = begin; i < cell.size(); ++i)
        if (i != point && (cell[i] < '0' || cell[i] > '9'))
            return false;
    return true;
}

const char* const kDetailedHeader =
    "Epoch\tPeriod\tδ-power\tθ-power\tα-power\tβ-power\tアーチファクト除去数\tδ-power\tθ-power\tα-power\tβ-power\t"
    "δ-power平均\tθ-power平均\tα-power平均\tβ-power平均\tα＋β-power平均\tIsSleeping\t";
const char* const kSimpleHeader =
    "Epoch\t暫定結果\t傾き\t切片\t遷移途中状態回数\t傾き累計値\t最終結果\tアーチファクト除去数\t"
    "δ-power\tθ-power\tα-power\tβ-power\tα＋β-power\tIsSleeping\t";

class ScorerFiles : public ::testing::Test {
protected:
    TempDir dir;
    std::string folder = dir.file("Data");
    std::time_t start = LocalTime(2024, 1, 31, 23, 59, 59);
};

} // namespace

TEST_F(ScorerFiles, NamesComeFromOneClockReading)
{
    int reads = 0;
    CSleepScorer scorer(folder, FixedClock(start, &reads));
    ASSERT_EQ(1, scorer.Start());
    EXPECT_EQ(1, reads);
    EXPECT_EQ("20240131_235959_DetailedResult.csv", scorer.GetDetailedResultName());
    EXPECT_EQ("20240131_235959_SimpleResult.csv", scorer.GetSimpleResultName());
    EXPECT_TRUE(fs::is_regular_file(fs::path(folder) / "20240131_235959_DetailedResult.csv"));
    EXPECT_TRUE(fs::is_regular_file(fs::path(folder) / "20240131_235959_SimpleResult.csv"));
    EXPECT_EQ(1, scorer.Stop());
}

TEST_F(ScorerFiles, HeadersAreUtf16WithByteOrderMark)
{
    CSleepScorer scorer(folder, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    ASSERT_EQ(1, scorer.Stop());
    const std::string expectedStart("\xFF\xFE" "E\0p\0o\0c\0h\0\t\0", 14);
    for (const auto& [path, header, cells] :
         {std::tuple{scorer.GetDetailedResultPath(), kDetailedHeader, 17},
          std::tuple{scorer.GetSimpleResultPath(), kSimpleHeader, 14}}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(expectedStart, ReadBytes(path).substr(0, 14));
        const ResultFile file = ReadResultFile(path);
        EXPECT_TRUE(file.evenLength);
        ASSERT_EQ(1u, file.lines.size());
        EXPECT_EQ(std::string(header) + "\r\n", file.text);
        EXPECT_EQ(cells, file.tabs[0]);
    }
}

TEST_F(ScorerFiles, FirstEpochRowsWithAnArtifactSecond)
{
    CSleepScorer scorer(folder, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    ASSERT_EQ(1, Feed(scorer, SecondOf(20.0)));
    ASSERT_EQ(1, Feed(scorer, SecondOf(20.0)));
    ASSERT_EQ(1, Feed(scorer, SecondOf(20.0, 300.0)));   // beta 300: an artifact
    ASSERT_EQ(1, Feed(scorer, SecondOf(20.0)));

    // Rows are on the disk before Stop.
    const ResultFile detailed = ReadResultFile(scorer.GetDetailedResultPath());
    ASSERT_EQ(5u, detailed.lines.size());
    EXPECT_TRUE(detailed.everyLineEndsWithTabCrLf);
    for (std::size_t line = 1; line <= 4; ++line) {
        SCOPED_TRACE(line);
        const auto& c = detailed.cells[line];
        ASSERT_EQ(17u, c.size());
        const bool first = line == 1;
        const bool artifact = line == 3;
        EXPECT_EQ(first ? "0" : "", c[0]);
        EXPECT_EQ(std::to_string(line - 1), c[1]);
        EXPECT_NEAR(3.0, Cell(c, 2), 1e-3);
        EXPECT_NEAR(0.0, Cell(c, 3), 1e-3);
        EXPECT_NEAR(20.0, Cell(c, 4), 1e-3);
        EXPECT_NEAR(artifact ? 300.0 : 0.0, Cell(c, 5), 1e-2);
        EXPECT_EQ(first ? "1" : "", c[6]);
        if (artifact) {
            for (std::size_t col = 7; col <= 10; ++col)
                EXPECT_EQ("0.000000", c[col]);
        } else {
            for (std::size_t col = 7; col <= 10; ++col)
                EXPECT_EQ(c[col - 5], c[col]);   // cleaned = raw
        }
        if (first) {
            // Three clean seconds averaged.
            EXPECT_NEAR(3.0, Cell(c, 11), 1e-3);
            EXPECT_NEAR(20.0, Cell(c, 13), 1e-3);
            EXPECT_NEAR(0.0, Cell(c, 14), 1e-3);
            EXPECT_NEAR(20.0, Cell(c, 15), 1e-3);
            for (std::size_t col : {2u, 3u, 4u, 5u, 11u, 12u, 13u, 14u, 15u})
                EXPECT_TRUE(IsFixedSix(c[col])) << c[col];
        } else {
            for (std::size_t col = 11; col <= 15; ++col)
                EXPECT_EQ("", c[col]);
        }
        EXPECT_EQ("0", c[16]);
    }

    const ResultFile simple = ReadResultFile(scorer.GetSimpleResultPath());
    ASSERT_EQ(2u, simple.lines.size());
    const auto& s = simple.cells[1];
    ASSERT_EQ(14u, s.size());
    EXPECT_EQ((std::vector<std::string>{"0", "Wake", "0.000000", "0.000000", "0", "0.000000", "Wake", "1"}),
              std::vector<std::string>(s.begin(), s.begin() + 8));
    EXPECT_NEAR(3.0, Cell(s, 8), 1e-3);
    EXPECT_NEAR(20.0, Cell(s, 10), 1e-3);
    EXPECT_NEAR(20.0, Cell(s, 12), 1e-3);
    EXPECT_EQ("0", s[13]);
    EXPECT_EQ(1, scorer.Stop());
}

TEST_F(ScorerFiles, SyntheticRecordingFallsAsleepAndWakesUp)
{
    // A 10 Hz rhythm whose alpha power is 60 µV² for 20 epochs, fades to 20 µV² for 20
    // epochs and returns for 10. Hand-worked from the thresholds (see the state machine
    // tests): falling asleep at epoch 20, asleep at 24, waking up at 40, awake at 43.
    CSleepScorer scorer(folder, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    for (int e = 0; e < 50; ++e)
        FeedEpoch(scorer, e < 20 || e >= 40 ? 60.0 : 20.0);
    ASSERT_EQ(1, scorer.Stop());

    const ResultFile simple = ReadResultFile(scorer.GetSimpleResultPath());
    ASSERT_EQ(51u, simple.lines.size());
    for (int e = 0; e < 50; ++e) {
        SCOPED_TRACE(e);
        const auto& c = simple.cells[static_cast<std::size_t>(e) + 1];
        ASSERT_EQ(14u, c.size());
        std::string provisional = "Wake", final = "Wake";
        int count = 0;
        if (e >= 20 && e <= 23) {
            provisional = "WakeToSleep";
            count = e - 19;
        } else if (e >= 24 && e <= 39) {
            provisional = final = "Sleep";
            count = e == 24 ? 5 : 0;
        } else if (e >= 40 && e <= 42) {
            provisional = "SleepToWake";
            final = "Sleep";
            count = e - 39;
        } else if (e == 43) {
            count = 4;
        }
        EXPECT_EQ(std::to_string(e), c[0]);
        EXPECT_EQ(provisional, c[1]);
        EXPECT_EQ(std::to_string(count), c[4]);
        EXPECT_EQ(final, c[6]);
        EXPECT_EQ(final == "Sleep" ? "1" : "0", c[13]);
        EXPECT_NEAR(e < 20 || e >= 40 ? 60.0 : 20.0, Cell(c, 10), 1e-2);
    }
    EXPECT_NEAR(-1.0, Cell(simple.cells[21], 2), 1e-3);
    EXPECT_NEAR(-85.0 * 40 / 280, Cell(simple.cells[25], 5), 1e-3);
    EXPECT_NEAR(20.0 + 160.0 / 15 + 22.0, Cell(simple.cells[44], 3), 1e-3);

    const ResultFile detailed = ReadResultFile(scorer.GetDetailedResultPath());
    ASSERT_EQ(201u, detailed.lines.size());
    EXPECT_TRUE(detailed.everyLineEndsWithTabCrLf);
    EXPECT_TRUE(simple.everyLineEndsWithTabCrLf);
    for (const int tabs : detailed.tabs)
        ASSERT_EQ(17, tabs);
    for (const int tabs : simple.tabs)
        ASSERT_EQ(14, tabs);
    EXPECT_EQ("1", detailed.cells[4 * 30 + 1][16]);   // asleep at epoch 30, on every line
    EXPECT_EQ("1", detailed.cells[4 * 30 + 4][16]);
}

TEST_F(ScorerFiles, SamplesAreScoredOneSecondPerCall)
{
    CSleepScorer scorer(folder, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    const auto second = SecondOf(20.0);
    EXPECT_EQ(1, scorer.AddSamples(second.data(), 0, 127));
    EXPECT_EQ(0, scorer.GetStaging().GetSecondInEpoch());
    EXPECT_EQ(1, scorer.AddSamples(second.data() + 127, 0, 1));
    EXPECT_EQ(1, scorer.GetStaging().GetSecondInEpoch());

    std::vector<float> two = second;
    two.insert(two.end(), second.begin(), second.end());
    EXPECT_EQ(1, Feed(scorer, two));
    EXPECT_EQ(2, scorer.GetStaging().GetSecondInEpoch());
    EXPECT_EQ(1, scorer.AddSamples(nullptr, 0, 0));   // the buffered second
    EXPECT_EQ(3, scorer.GetStaging().GetSecondInEpoch());
    EXPECT_EQ(1, scorer.AddSamples(second.data(), 0, -5));
    EXPECT_EQ(3, scorer.GetStaging().GetSecondInEpoch());
    scorer.Stop();

    // Not started: nothing is taken.
    EXPECT_EQ(0, Feed(scorer, second));
}

TEST_F(ScorerFiles, NumbersKeepThePointUnderAGermanLocale)
{
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    EXPECT_STREQ("1,5", probe);   // the locale is really in effect

    CSleepScorer scorer(folder, FixedClock(start));
    const int started = scorer.Start();
    for (int s = 0; s < 4; ++s)
        Feed(scorer, SecondOf(20.0));
    scorer.Stop();
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_EQ(1, started);

    const ResultFile detailed = ReadResultFile(scorer.GetDetailedResultPath());
    ASSERT_EQ(5u, detailed.lines.size());
    EXPECT_TRUE(IsFixedSix(detailed.cells[1][4])) << detailed.cells[1][4];
    EXPECT_EQ(std::string::npos, detailed.text.find(','));
    EXPECT_EQ(std::string::npos, ReadResultFile(scorer.GetSimpleResultPath()).text.find(','));
}

TEST_F(ScorerFiles, SecondStartInTheSameSecondContinuesTheFiles)
{
    CSleepScorer scorer(folder, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    FeedEpoch(scorer, 20.0);
    // Start again without Stop: the first run's files are closed, the same names reopened.
    ASSERT_EQ(1, scorer.Start());
    FeedEpoch(scorer, 30.0);
    ASSERT_EQ(1, scorer.Stop());

    for (const auto& path : {scorer.GetDetailedResultPath(), scorer.GetSimpleResultPath()}) {
        SCOPED_TRACE(path);
        const ResultFile file = ReadResultFile(path);
        ASSERT_TRUE(file.hasByteOrderMark);
        EXPECT_EQ(std::string::npos, file.text.find("\xEF\xBB\xBF")) << "a second byte-order mark";
        EXPECT_EQ(file.text.find("IsSleeping"), file.text.rfind("IsSleeping")) << "a second header";
    }
    const ResultFile simple = ReadResultFile(scorer.GetSimpleResultPath());
    ASSERT_EQ(3u, simple.lines.size());
    EXPECT_EQ("0", simple.cells[2][0]);   // the second run starts at epoch 0 again
    EXPECT_NEAR(30.0, Cell(simple.cells[2], 10), 1e-2);
}

TEST_F(ScorerFiles, DataFolderIsCreatedWithItsParents)
{
    const std::string deep = dir.file("a/b/c/Data");
    CSleepScorer scorer(deep, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_EQ(1, scorer.Stop());
}

TEST_F(ScorerFiles, OpenFailuresReturnZeroAndLeaveNothingOpen)
{
    const int before = OpenDescriptors();
    {
        // The data folder's place is taken by a file.
        std::ofstream(dir.file("Blocked")) << "x";
        CSleepScorer scorer(dir.file("Blocked"), FixedClock(start));
        EXPECT_EQ(0, scorer.Start());
        EXPECT_EQ(0, Feed(scorer, SecondOf(20.0)));
    }
    {
        // The simple file cannot be opened after the detailed one was.
        fs::create_directories(fs::path(folder) / "20240131_235959_SimpleResult.csv");
        CSleepScorer scorer(folder, FixedClock(start));
        EXPECT_EQ(0, scorer.Start());
        EXPECT_EQ(before, OpenDescriptors());
        EXPECT_EQ(0, Feed(scorer, SecondOf(20.0)));
        EXPECT_EQ(1, scorer.Stop());
    }
    EXPECT_EQ(before, OpenDescriptors());
}

TEST_F(ScorerFiles, DestructorAndRestartCloseTheFiles)
{
    const int before = OpenDescriptors();
    std::string detailedPath;
    {
        CSleepScorer scorer(folder, FixedClock(start));
        ASSERT_EQ(1, scorer.Start());
        EXPECT_EQ(before + 2, OpenDescriptors());
        ASSERT_EQ(1, scorer.Start());
        EXPECT_EQ(before + 2, OpenDescriptors());
        FeedEpoch(scorer, 20.0);
        FeedEpoch(scorer, 20.0);
        detailedPath = scorer.GetDetailedResultPath();
    }
    EXPECT_EQ(before, OpenDescriptors());
    EXPECT_EQ(9u, ReadResultFile(detailedPath).lines.size());
}

TEST_F(ScorerFiles, WriteFailureReturnsZeroAndTheEpochIsWrittenAgain)
{
    CSleepScorer scorer(folder, FixedClock(start));
    ASSERT_EQ(1, scorer.Start());
    for (int s = 0; s < 3; ++s)
        ASSERT_EQ(1, Feed(scorer, SecondOf(20.0)));

    // Let no file grow: the rows of the epoch's fourth second cannot be written.
    rlimit saved{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(fs::file_size(scorer.GetDetailedResultPath()));
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &tight));
    std::vector<float> oneAndAHalf = SecondOf(20.0);
    oneAndAHalf.insert(oneAndAHalf.end(), oneAndAHalf.begin(), oneAndAHalf.begin() + 64);
    const int failed = Feed(scorer, oneAndAHalf);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(0, failed);
    EXPECT_EQ(3, scorer.GetStaging().GetSecondInEpoch());

    // The buffer was emptied; the next second is taken as the fourth second again.
    ASSERT_EQ(1, Feed(scorer, SecondOf(40.0)));
    EXPECT_EQ(0, scorer.GetStaging().GetSecondInEpoch());
    EXPECT_EQ(1, scorer.GetStaging().GetEpochNumber());
    ASSERT_EQ(1, scorer.Stop());
    const ResultFile detailed = ReadResultFile(scorer.GetDetailedResultPath());
    ASSERT_EQ(5u, detailed.lines.size());
    EXPECT_NEAR(40.0, Cell(detailed.cells[4], 4), 1e-2);
    EXPECT_NEAR((20.0 + 20.0 + 20.0 + 40.0) / 4, Cell(detailed.cells[1], 13), 1e-2);
}

TEST(ScorerDataFolder, DefaultsToDataBesideTheExecutable)
{
    ModulePathParts parts;
    GetModulePathParts(parts);
    CSleepScorer scorer;
    EXPECT_EQ(parts.directory + "Data", scorer.GetDataFolder());
    EXPECT_EQ('/', scorer.GetDataFolder().front());
}
