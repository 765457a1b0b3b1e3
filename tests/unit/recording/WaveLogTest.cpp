// The recording manager: names and folders, the pending samples, late seconds, failures
// in the middle of a recording and closing whatever is open.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "DiskLog.h"
#include "EdfLibCheck.h"
#include "RecordingTestSupport.h"
#include "recording/RecordingPath.h"
#include "recording/WaveLog.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const char kReceiver[] = "TQR27012345\x01\x02rest of the name";

// One second of samples, EEG then EMG, all EEG values eeg and all EMG values emg.
std::vector<float> Second(float eeg, float emg, int count = 128)
{
    std::vector<float> s(2 * count, eeg);
    std::fill(s.begin() + count, s.end(), emg);
    return s;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(WaveLog, StartsWithTheDefaultSettings)
{
    CWaveLog log("/home/user/Documents/Velquin");
    EXPECT_EQ(log.GetFolder(), "/home/user/Documents/Velquin");
    EXPECT_EQ(log.GetFileTypes(), 1);
    EXPECT_EQ(log.GetNamingMode(), 1);
    EXPECT_EQ(log.GetEdfFileName(), "");
    EXPECT_EQ(log.GetCsvFileName(), "");
    EXPECT_EQ(log.GetEdfLength(), 0u);
    EXPECT_EQ(log.GetCsvLength(), 0u);
    EXPECT_EQ(RecordingFilePath("/home/user/Documents/Velquin", "a.edf"), "/home/user/Documents/Velquin/a.edf");
    EXPECT_EQ(RecordingFilePath("/data/", "a.edf"), "/data/a.edf");
}

// Only bits 0 (EDF) and 1 (CSV) choose files; a stored value with neither measures without
// files, as 0 does.
TEST(WaveLog, NoFileTypesWritesNothing)
{
    for (int types : {0, 4, 8, 12, -4}) {
        TempDir dir;
        const std::string folder = dir.file("out");
        CWaveLog log(folder, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        log.SetFileTypes(types);
        ASSERT_EQ(log.Open(), 1) << types;
        EXPECT_TRUE(fs::is_directory(folder));
        const auto s = Second(1.0f, 2.0f);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(log.Append(s.data(), 2, 128), 1) << types;
        EXPECT_EQ(log.AppendAt(s.data(), 2, 128, 768, 52), 1) << types;
        EXPECT_EQ(log.Close(), 1);
        EXPECT_TRUE(FilesIn(folder).empty()) << types;
        EXPECT_EQ(log.GetFileTypes(), types);
    }
}

// Values beyond a whole second stay pending for the next call, in order.
TEST(WaveLog, AppendKeepsWhatIsBeyondOneSecond)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(2);
    ASSERT_EQ(log.Open(), 1);
    std::vector<float> values(3 * 128);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(i);
    // 300 values per channel, then the remaining 84: EEG i, EMG 1000 + i.
    const auto block = [&](int from, int count) {
        std::vector<float> b(values.begin() + from, values.begin() + from + count);
        for (int i = 0; i < count; ++i)
            b.push_back(1000.0f + values[static_cast<std::size_t>(from + i)]);
        return b;
    };
    const auto first = block(0, 300), rest = block(300, 84);
    ASSERT_EQ(log.Append(first.data(), 2, 300), 1);
    ASSERT_EQ(log.Append(rest.data(), 2, 0), 1);
    ASSERT_EQ(log.Append(rest.data(), 2, 84), 1);
    ASSERT_EQ(log.Close(), 1);
    const std::string csv = ReadWholeFile(dir.file(log.GetCsvFileName()));
    const std::size_t header = csv.size() - 3 * 3456;
    ASSERT_EQ(csv.size() % 27, header % 27);
    for (int i = 0; i < 3 * 128; ++i) {
        char row[32];
        std::snprintf(row, sizeof row, "%12.5f,%12.5f\r\n", double(i), 1000.0 + i);
        ASSERT_EQ(csv.substr(header + 27 * static_cast<std::size_t>(i), 27), row) << i;
    }
}

TEST(WaveLog, AutomaticNamesAndHeaderShareTheSecondBeforeOpen)
{
    TempDir dir;
    // The folder's parents do not exist yet either.
    const std::string folder = dir.file("Documents/Velquin");
    CWaveLog log(folder, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName(kReceiver);
    EXPECT_EQ(log.GetEdfFileName(), "20190307_102030.edf");
    EXPECT_EQ(log.GetCsvFileName(), "20190307_102030.csv");
    const auto s = Second(10.0f, -20.0f);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    EXPECT_EQ(log.GetEdfLength(), 768u + 512u);
    EXPECT_EQ(log.GetCsvLength(), 52u + 3456u);
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(FilesIn(folder), (std::vector<std::string>{"20190307_102030.csv", "20190307_102030.edf"}));
    const std::string edf = ReadWholeFile(folder + "/20190307_102030.edf");
    EXPECT_EQ(edf.substr(88, 14), "TQR27012345_ON");
    EXPECT_EQ(edf.substr(168, 16), "07.03.1910.20.30");
    EXPECT_EQ(ReadWholeFile(folder + "/20190307_102030.csv").substr(0, 26), "#MachineType,TQR27012345\r\n");
}

// Opened again under an earlier start before any second was stored: the empty files of the
// first start go; files that already hold a record stay.
TEST(WaveLog, NoEmptyFileIsLeftByOpeningAgainOrClosing)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    EXPECT_EQ(log.GetStartTime(), LocalTime(2019, 3, 7, 10, 20, 30));
    ASSERT_EQ(log.Open(2), 1);
    EXPECT_EQ(log.GetStartTime(), LocalTime(2019, 3, 7, 10, 20, 28));
    EXPECT_EQ(FilesIn(dir.str()), (std::vector<std::string>{"20190307_102028.csv", "20190307_102028.edf"}));
    const auto s = Second(1.0f, 2.0f);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    EXPECT_EQ(ReadWholeFile(dir.file("20190307_102028.edf")).substr(168, 16), "07.03.1910.20.28");
    // Closed without a record, the files of a recording that stored nothing go too; the
    // one that holds a second stays.
    ASSERT_EQ(log.Open(), 1);
    EXPECT_EQ(FilesIn(dir.str()).size(), 4u);
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(FilesIn(dir.str()), (std::vector<std::string>{"20190307_102028.csv", "20190307_102028.edf"}));
    EXPECT_EQ(fs::file_size(dir.file("20190307_102028.edf")), 768u + 512u);
}

TEST(WaveLog, AutomaticNameAtMidnightBelongsToThePreviousDay)
{
    TempDir dir;
    std::time_t now = LocalTime(2019, 3, 8, 0, 0, 0);
    CWaveLog log(dir.str(), [&now] { return now++; });
    ASSERT_EQ(log.Open(), 1);
    const auto s = Second(0.0f, 0.0f);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(log.GetEdfFileName(), "20190307_235959.edf");
    EXPECT_EQ(ReadWholeFile(dir.file("20190307_235959.edf")).substr(168, 16), "07.03.1923.59.59");
}

TEST(WaveLog, CsvOnlyRecordingCarriesTheRecorderId)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(2);
    const auto s = Second(0.0f, 0.0f);

    // Before any receiver name the id is empty, never stray bytes.
    ASSERT_EQ(log.Open(), 1);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(ReadWholeFile(dir.file(log.GetCsvFileName())).substr(0, 15), "#MachineType,\r\n");

    log.SetNamingMode(0);
    log.SetCsvFileName("named.csv");
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName(kReceiver);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(ReadWholeFile(dir.file("named.csv")).substr(0, 26), "#MachineType,TQR27012345\r\n");
}

TEST(WaveLog, UserNamesReplaceOnlyTheFilesTheUserAgreedTo)
{
    TempDir dir;
    WriteWholeFile(dir.file("mine.edf"), std::string(5000, 'x'));
    WriteWholeFile(dir.file("mine.csv"), "old");
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    log.SetNamingMode(0);
    // The user agrees to replace what stands under the names of these types now.
    const auto agree = [&log](int types) {
        log.PermitReplacing((types & CWaveLog::kEdf) ? log.UserFileAt(CWaveLog::kEdf) : std::nullopt,
                            (types & CWaveLog::kCsv) ? log.UserFileAt(CWaveLog::kCsv) : std::nullopt);
    };

    log.SetEdfFileName("same.name");
    log.SetCsvFileName("same.name");
    EXPECT_EQ(log.Open(), 0);
    log.SetEdfFileName("sub/x.edf");
    log.SetCsvFileName("mine.csv");
    EXPECT_EQ(log.Open(), 0);
    // A name longer than the file system takes is refused before anything is made.
    log.SetEdfFileName(std::string(252, 'a') + ".edf");
    EXPECT_EQ(log.Open(), 0);
    // Refused names touch no file.
    EXPECT_EQ(ReadWholeFile(dir.file("mine.csv")), "old");

    // Taken names that the user did not agree to replace fail the Open and stay as they were.
    log.SetEdfFileName("mine.edf");
    EXPECT_EQ(log.Open(), 0);
    agree(CWaveLog::kEdf);
    EXPECT_EQ(log.Open(), 0);
    EXPECT_EQ(ReadWholeFile(dir.file("mine.csv")), "old");
    EXPECT_EQ(FilesIn(dir.str()), (std::vector<std::string>{"mine.csv"}));

    // A file that took the name after the user agreed is another file: it stays.
    WriteWholeFile(dir.file("mine.edf"), "agreed");
    agree(CWaveLog::kEdf | CWaveLog::kCsv);
    fs::rename(dir.file("mine.edf"), dir.file("agreed"));
    WriteWholeFile(dir.file("mine.edf"), "came later");
    EXPECT_EQ(log.Open(), 0);
    EXPECT_EQ(ReadWholeFile(dir.file("mine.edf")), "came later");
    fs::remove(dir.file("agreed"));

    agree(CWaveLog::kEdf | CWaveLog::kCsv);
    ASSERT_EQ(log.Open(), 1);
    const auto s = Second(0.0f, 0.0f);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(ReadWholeFile(dir.file("mine.edf")).size(), 768u + 512u);
    EXPECT_EQ(ReadWholeFile(dir.file("mine.csv")).size(), 52u - 11u + 3456u);
    EXPECT_EQ(log.GetEdfFileName(), "mine.edf");
    // The permission went with that Open: the next one finds the names taken.
    EXPECT_EQ(log.Open(), 0);
}

// Files left under the automatic names (a copy, a clock set back, the hour repeated at the
// end of daylight saving time) stay byte for byte; the recording takes the next free stem,
// the same for its EDF and its CSV file.
TEST(WaveLog, TakenAutomaticNamesGiveWayToTheNextFreeStem)
{
    struct Case {
        const char* what;
        std::vector<std::string> taken;
        int types;
        std::string stem;
    } cases[] = {
        {"both taken", {"20190307_102030.edf", "20190307_102030.csv"}, 3, "20190307_102030_2"},
        {"only the csv taken", {"20190307_102030.csv"}, 3, "20190307_102030_2"},
        {"a folder under the edf name", {"20190307_102030.edf/"}, 3, "20190307_102030_2"},
        {"several taken", {"20190307_102030.edf", "20190307_102030_2.edf", "20190307_102030_3.csv"}, 3,
         "20190307_102030_4"},
        {"the other type's name is free to take", {"20190307_102030.csv"}, 1, "20190307_102030"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        for (const std::string& name : c.taken) {
            if (name.back() == '/')
                fs::create_directory(dir.file(name));
            else
                WriteWholeFile(dir.file(name), "left over " + name);
        }
        CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        log.SetFileTypes(c.types);
        ASSERT_EQ(log.Open(), 1);
        const auto s = Second(3.0f, 4.0f);
        ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
        ASSERT_EQ(log.Close(), 1);
        for (const std::string& name : c.taken) {
            if (name.back() != '/') {
                EXPECT_EQ(ReadWholeFile(dir.file(name)), "left over " + name);
            }
        }
        EXPECT_EQ(log.GetEdfFileName(), c.stem + ".edf");
        EXPECT_EQ(ReadWholeFile(dir.file(c.stem + ".edf")).size(), 768u + 512u);
        // The name keeps the start: so does the header.
        EXPECT_EQ(ReadWholeFile(dir.file(c.stem + ".edf")).substr(168, 16), "07.03.1910.20.30");
        if (c.types & CWaveLog::kCsv) {
            EXPECT_EQ(log.GetCsvFileName(), c.stem + ".csv");
            EXPECT_EQ(ReadWholeFile(dir.file(c.stem + ".csv")).size(), 52u - 11u + 3456u);
        }
        EXPECT_EQ(FilesIn(dir.str()).size(), c.taken.size() + (c.types == 3 ? 2 : 1));
    }
}

// Two recordings starting in the same second in one folder (two windows, each with its own
// receiver) never share a file: each gets a pair of its own.
TEST(WaveLog, TwoRecordingsOpeningInTheSameSecondGetFilesOfTheirOwn)
{
    for (int round = 0; round < 20; ++round) {
        TempDir dir;
        std::vector<std::unique_ptr<CWaveLog>> logs;
        for (int i = 0; i < 2; ++i) {
            logs.push_back(std::make_unique<CWaveLog>(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31))));
            logs.back()->SetFileTypes(3);
        }
        std::atomic<int> ready{0};
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < logs.size(); ++i) {
            threads.emplace_back([&, i] {
                ready.fetch_add(1);
                while (ready.load() < 2) {
                }
                CWaveLog& log = *logs[i];
                const auto s = Second(i == 0 ? 100.0f : -200.0f, 1.0f);
                if (log.Open() == 1)
                    for (int k = 0; k < 3; ++k)
                        log.Append(s.data(), 2, 128);
                log.Close();
            });
        }
        for (auto& t : threads)
            t.join();
        ASSERT_EQ(FilesIn(dir.str()), (std::vector<std::string>{"20190307_102030.csv", "20190307_102030.edf",
                                                                 "20190307_102030_2.csv", "20190307_102030_2.edf"}));
        ASSERT_NE(logs[0]->GetEdfFileName(), logs[1]->GetEdfFileName());
        for (std::size_t i = 0; i < logs.size(); ++i) {
            const std::string edf = ReadWholeFile(dir.file(logs[i]->GetEdfFileName()));
            ASSERT_EQ(edf.size(), 768u + 3 * 512u) << round;
            EXPECT_EQ(Int16At(edf, 768 + 2 * 512), i == 0 ? 1092 : -2185) << round;
            // Each CSV file is the one of its own EDF file.
            EXPECT_EQ(fs::path(logs[i]->GetCsvFileName()).stem(), fs::path(logs[i]->GetEdfFileName()).stem());
            EXPECT_EQ(ReadWholeFile(dir.file(logs[i]->GetCsvFileName())).size(), 52u - 11u + 3 * 3456u) << round;
        }
    }
}

TEST(WaveLog, PendingSamplesMakeWholeRecordsAndLateSecondsLeaveThemAlone)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName(kReceiver);
    const auto half = Second(100.0f, 200.0f, 64);
    ASSERT_EQ(log.Append(half.data(), 2, 64), 1);
    EXPECT_EQ(log.GetEdfLength(), 0u);
    ASSERT_EQ(log.Append(half.data(), 2, 64), 1);
    EXPECT_EQ(log.GetEdfLength(), 768u + 512u);
    EXPECT_EQ(log.GetCsvLength(), 52u + 3456u);

    const auto zero = Second(0.0f, 0.0f);
    ASSERT_EQ(log.Append(zero.data(), 2, 128), 1);
    const std::uint64_t edfAt = log.GetEdfLength() - 512;
    const std::uint64_t csvAt = log.GetCsvLength() - 3456;

    // Half a second is pending while the late second arrives.
    const auto quarter = Second(-1.0f, -2.0f, 64);
    ASSERT_EQ(log.Append(quarter.data(), 2, 64), 1);
    const auto late = Second(750.0f, 10619.0f);
    ASSERT_EQ(log.AppendAt(late.data(), 2, 128, edfAt, csvAt), 1);
    EXPECT_EQ(log.GetEdfLength(), 768u + 2 * 512u);
    ASSERT_EQ(log.Append(quarter.data(), 2, 64), 1);
    EXPECT_EQ(log.GetEdfLength(), 768u + 3 * 512u);
    ASSERT_EQ(log.Close(), 1);

    const std::string edf = ReadWholeFile(dir.file(log.GetEdfFileName()));
    EXPECT_EQ(edf.substr(236, 8), "3       ");
    EXPECT_EQ(Int16At(edf, edfAt), 8192);
    EXPECT_EQ(Int16At(edf, edfAt + 256), 8192);
    EXPECT_EQ(Int16At(edf, 768 + 2 * 512), Int16At(edf, 768 + 2 * 512 + 2 * 127));
    const std::string csv = ReadWholeFile(dir.file(log.GetCsvFileName()));
    EXPECT_EQ(csv.substr(csvAt, 27), "   750.00000, 10619.00000\r\n");
    EXPECT_EQ(csv.substr(csvAt + 3456, 27), "    -1.00000,    -2.00000\r\n");
}

TEST(WaveLog, AFailedAppendDropsPendingAndKeepsTheFilesWhole)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName(kReceiver);
    const auto s = Second(5.0f, 6.0f);
    const auto half = Second(7.0f, 8.0f, 64);
    {
        // Room for two seconds of CSV: the third second fails there.
        FileSizeLimit limit(52 + 2 * 3456 + 100);
        ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
        ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
        ASSERT_EQ(log.Append(half.data(), 2, 64), 1);
        EXPECT_EQ(log.Append(half.data(), 2, 64), 0);
    }
    EXPECT_EQ(log.GetEdfLength(), 768u + 3 * 512u);
    EXPECT_EQ(log.GetCsvLength(), 52u + 2 * 3456u);
    // Nothing of the failed second is left pending: the next half second stays pending.
    ASSERT_EQ(log.Append(half.data(), 2, 64), 1);
    EXPECT_EQ(log.GetEdfLength(), 768u + 3 * 512u);
    EXPECT_EQ(log.Close(), 1);
    EXPECT_EQ(ReadWholeFile(dir.file(log.GetEdfFileName())).substr(236, 8), "3       ");
}

TEST(WaveLog, AFolderThatCannotBeMadeFailsTheOpen)
{
    TempDir dir;
    WriteWholeFile(dir.file("plain"), "x");
    CWaveLog log(dir.file("plain/sub"), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    EXPECT_EQ(log.Open(), 0);
    EXPECT_EQ(log.Close(), 1);
}

TEST(WaveLog, CloseClosesWhateverIsOpen)
{
    TempDir dir;
    std::time_t now = LocalTime(2019, 3, 7, 10, 20, 31);
    CWaveLog log(dir.str(), [&now] { return now; });
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    const auto s = Second(0.0f, 0.0f);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    // A second Open without Close closes the first recording's files.
    now += 60;
    ASSERT_EQ(log.Open(), 1);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    log.SetFileTypes(0);
    EXPECT_EQ(log.Close(), 1);
    EXPECT_EQ(log.GetEdfLength(), 0u);
    EXPECT_EQ(log.GetCsvLength(), 0u);
    EXPECT_EQ(ReadWholeFile(dir.file("20190307_102030.edf")).size(), 768u + 512u);
    EXPECT_EQ(ReadWholeFile(dir.file("20190307_102130.csv")).size(), 52u - 11u + 3456u);
}

// The files taken from their paths while recording (the folder removed or moved away, the
// file removed, another file under its name) are written again whole from the recording's
// own copy before the next second is written, and at the close; late seconds go into the
// files put back. A name someone else took gives way to the next free one of the stem.
// Where nothing can be put back (a plain file took the folder's name) the write fails at
// once and the recording is held, to be put back at the next Close that can. Nothing that
// is not the recording's own is written into or removed. The files are larger than any
// copy buffer, so a put-back that stops short shows.
TEST(WaveLog, FilesTakenFromTheirPathsArePutBackWholeOrHeld)
{
    constexpr int kBefore = 150;
    const auto removeFolder = [](const std::string& f, const std::string&) { fs::remove_all(f); };
    const struct {
        const char* what;
        std::function<void(const std::string& folder, const std::string& edf)> take;
        bool held;
    } cases[] = {
        {"folder removed", removeFolder, false},
        {"folder moved away",
         [](const std::string& f, const std::string&) {
             fs::remove_all(f + ".old");
             fs::rename(f, f + ".old");
         },
         false},
        {"file removed", [](const std::string&, const std::string& e) { fs::remove(e); }, false},
        {"another file took the file's name",
         [](const std::string&, const std::string& e) {
             fs::remove(e);
             WriteWholeFile(e, "someone else's " + e);
         },
         false},
        {"a plain file took the folder's name",
         [](const std::string& f, const std::string&) {
             fs::remove_all(f);
             WriteWholeFile(f, "not a folder");
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string folder = dir.file("out/night");
        CWaveLog log(folder, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        log.SetFileTypes(3);
        ASSERT_EQ(log.Open(), 1);
        log.SetRecorderName(kReceiver);
        std::vector<std::string> others;
        const auto take = [&] {
            const std::string edf = folder + "/" + log.GetEdfFileName();
            c.take(folder, edf);
            if (fs::is_regular_file(edf))
                others.push_back(edf);
        };
        std::vector<std::uint64_t> edfAt, csvAt;
        const auto store = [&](int sec) {
            const auto s = Second(static_cast<float>(sec), static_cast<float>(-sec));
            const int result = log.Append(s.data(), 2, 128);
            edfAt.push_back(log.GetEdfLength() - 512);
            csvAt.push_back(log.GetCsvLength() - 3456);
            return result;
        };
        for (int sec = 0; sec < kBefore; ++sec)
            ASSERT_EQ(store(sec), 1);
        take();
        int seconds = kBefore + 2;
        if (c.held) {
            // The second that found no folder is kept with the others.
            EXPECT_EQ(store(kBefore), 0);
            seconds = kBefore + 1;
            EXPECT_EQ(log.Close(), 0);
            EXPECT_EQ(log.Close(), 0);
            EXPECT_EQ(ReadWholeFile(folder), "not a folder");
            fs::remove(folder);
        } else {
            for (int sec = kBefore; sec < seconds; ++sec)
                ASSERT_EQ(store(sec), 1);
            // A late second of before the take, then the file taken again just before the close.
            const auto late = Second(750.0f, 10619.0f);
            ASSERT_EQ(log.AppendAt(late.data(), 2, 128, edfAt[1], csvAt[1]), 1);
            take();
        }
        ASSERT_EQ(log.Close(), 1);
        for (const std::string& other : others)
            EXPECT_EQ(ReadWholeFile(other), "someone else's " + other);

        const std::string edf = ReadWholeFile(folder + "/" + log.GetEdfFileName());
        ASSERT_EQ(edf.size(), 768u + seconds * 512u);
        EXPECT_EQ(edf.substr(236, 8), std::to_string(seconds) + "     ");
        EXPECT_EQ(edf.substr(168, 16), "07.03.1910.20.30");
        for (int sec = 0; sec < seconds; ++sec)
            EXPECT_EQ(Int16At(edf, 768 + 512 * static_cast<std::size_t>(sec)),
                      sec == 1 && !c.held ? 8192 : (sec * 8192 + 375) / 750)
                << sec;
        const std::string csv = ReadWholeFile(folder + "/" + log.GetCsvFileName());
        ASSERT_EQ(csv.size(), 52u + seconds * 3456u);
        EXPECT_EQ(csv.substr(52 + 3456, 27), c.held ? "     1.00000,    -1.00000\r\n" : "   750.00000, 10619.00000\r\n");
        char last[32];
        std::snprintf(last, sizeof last, "%12.5f,%12.5f\r\n", seconds - 1.0, 1.0 - seconds);
        EXPECT_EQ(csv.substr(csv.size() - 27), last);
    }
}

// Each second's EDF record and CSV rows reach the disk (a sync of the file after they were
// written) before an EDF header counts it, the folder's entries before the first header that
// counts a record, and at the close nothing written is left unsynced: whatever moment a
// power cut comes, the header on the disk never counts a record that is not there. A file
// put back keeps that order too. A sync that fails is reported, at the close at the latest.
TEST(WaveLog, EverySecondReachesTheDiskBeforeTheHeaderCountsIt)
{
    TempDir dir;
    const std::string folder = dir.file("night");
    CWaveLog log(folder, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    DiskLog disk;
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName(kReceiver);
    for (int sec = 0; sec < 40; ++sec) {
        const auto s = Second(static_cast<float>(sec), 1.0f);
        ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
        if (sec == 20)
            fs::remove_all(folder);
        if (sec == 30) {
            ASSERT_EQ(log.AppendAt(s.data(), 2, 128, 768 + 5 * 512, 52 + 5 * 3456), 1);
        }
    }
    ASSERT_EQ(log.Close(), 1);

    std::map<std::string, std::uint64_t> durable;
    std::string csv;
    bool folderSynced = false;
    int counted = 0;
    const std::vector<sDiskOp> ops = disk.Ops();
    for (std::size_t i = 0; i < ops.size(); ++i) {
        const sDiskOp& op = ops[i];
        if (op.kind == sDiskOp::FolderSync) {
            folderSynced = folderSynced || op.path == folder;
            continue;
        }
        if (op.intoEmptyFile)
            durable[op.file] = 0;
        if (op.kind == sDiskOp::Sync)
            durable[op.file] = op.size;
        else if (op.path.ends_with(".csv"))
            csv = op.file;
        if (op.headerCount < 1 || !op.path.ends_with(".edf"))
            continue;
        ++counted;
        const auto k = static_cast<std::uint64_t>(op.headerCount);
        EXPECT_GE(durable[op.file], 768 + 512 * k) << "EDF header at " << i << " counts " << k;
        EXPECT_GE(durable[csv], 52 + 3456 * k) << "EDF header at " << i << " counts " << k;
        EXPECT_TRUE(folderSynced) << i;
    }
    EXPECT_GT(counted, 1);
    for (const std::string& path : {folder + "/" + log.GetEdfFileName(), folder + "/" + log.GetCsvFileName()}) {
        const auto last = std::find_if(ops.rbegin(), ops.rend(), [&](const sDiskOp& op) { return op.path == path; });
        ASSERT_NE(last, ops.rend()) << path;
        EXPECT_EQ(last->kind, sDiskOp::Sync) << "written after its last sync: " << path;
        EXPECT_EQ(last->size, fs::file_size(path)) << path;
    }

    // A medium that fails its syncs fails the recording.
    ASSERT_EQ(log.Open(), 1);
    const auto s = Second(0.0f, 0.0f);
    ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
    disk.FailSyncsOf(".csv");
    log.Append(s.data(), 2, 128);
    EXPECT_EQ(log.Close(), 0);
}

// A recording that stored nothing removes its files at the close, but only its own: an
// empty file that took the name meanwhile stays.
TEST(WaveLog, CloseRemovesOnlyItsOwnEmptyFiles)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    fs::remove(dir.file("20190307_102030.edf"));
    WriteWholeFile(dir.file("20190307_102030.edf"), "");
    ASSERT_EQ(log.Close(), 1);
    EXPECT_EQ(FilesIn(dir.str()), std::vector<std::string>{"20190307_102030.edf"});
}

TEST(WaveLog, RecordingWithLateSecondsReadsBackInEdfLib)
{
    TempDir dir;
    CWaveLog log(dir.str(), FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName(kReceiver);
    std::vector<float> eeg, emg;
    std::vector<std::uint64_t> positions;
    for (int sec = 0; sec < 30; ++sec) {
        // Seconds 10 and 11 were missing and are stored as zeros first.
        const bool missing = sec == 10 || sec == 11;
        const auto s = missing ? Second(0.0f, 0.0f) : Second(sec * 3.0f - 40.0f, -sec * 50.0f);
        ASSERT_EQ(log.Append(s.data(), 2, 128), 1);
        positions.push_back(log.GetEdfLength() - 512);
        eeg.insert(eeg.end(), 128, sec * 3.0f - 40.0f);
        emg.insert(emg.end(), 128, -sec * 50.0f);
    }
    for (int sec : {11, 10}) {
        const auto s = Second(sec * 3.0f - 40.0f, -sec * 50.0f);
        ASSERT_EQ(log.AppendAt(s.data(), 2, 128, positions[sec], 0), 1);
    }
    ASSERT_EQ(log.Close(), 1);
    ExpectEdfLibReads(dir.file(log.GetEdfFileName()), LocalTime(2019, 3, 7, 10, 20, 30), "TQR27012345_ON", eeg,
                      emg);
}
