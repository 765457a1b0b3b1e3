// Block intake and recording with a scripted façade: gap filling, late frames rewritten in
// place, the noted file positions, one file type only, the recorder name in the headers, the
// spectrum chart, and each failure (files not created, a write failing inside a gap or on
// a late rewrite, a frame that cannot be had) ending in one error box.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

#include "MeasurementProbe.h"
#include "WindowHarness.h"
#include "support/RecordingReaders.h"
#include "support/TempDir.h"

namespace {

using Calls = std::vector<std::string>;

// A frame with samples of its own for each second.
sFrameSnapshot Frame(int seq, int highest = -1)
{
    sFrameSnapshot f;
    f.sequence = seq;
    f.highestSequence = highest < 0 ? seq : highest;
    for (int i = 0; i < kSampleRate; ++i) {
        f.samples[i] = static_cast<float>(seq % 40) * 9.25f + static_cast<float>(i) * 0.75f - 200.0f;
        f.samples[kSampleRate + i] = static_cast<float>(i) * 31.0f - static_cast<float>(seq % 40) * 55.0f;
    }
    return f;
}

// The window measuring into a folder of its own (automatic names), files of the given types.
struct IntakeRig {
    TempDir folder;
    WindowHarness h{[](FakeWaveIo& w, MemoryProfile&) { w.receiverName = "TQS27123456"; }};

    explicit IntakeRig(int types = 3, const std::string& outputFolder = "")
    {
        Log().SetFolder(outputFolder.empty() ? folder.str() : outputFolder);
        Log().SetFileTypes(types);
        Log().SetNamingMode(1);
        h.dlg->SetMode(1);
        Post(kLinkFirstData);
    }
    CMeasurementProbe Probe() { return CMeasurementProbe(*h.dlg); }
    CWaveLog& Log() { return CMeasurementProbe(*h.dlg).WaveLog(); }
    void Post(int code)
    {
        h.Probe().Post(code, h.wave->generation);
        WindowHarness::Flush();
    }
    void New(const sFrameSnapshot& f)
    {
        h.wave->frames.push_back(f);
        Post(kLinkNewFrame);
    }
    void Late(const sFrameSnapshot& f)
    {
        h.wave->frames.push_back(f);
        Post(kLinkLateFrame);
    }
    std::vector<int> Sequences()
    {
        std::vector<int> s;
        for (const sDataFilePosition& p : Probe().Positions())
            s.push_back(p.sequence);
        return s;
    }
    std::string EdfPath() { return folder.file(Log().GetEdfFileName()); }
    std::string CsvPath() { return folder.file(Log().GetCsvFileName()); }
};

void ExpectRecord(const recfiles::sEdf& edf, int record, const sFrameSnapshot* frame)
{
    for (int s = 0; s < 2; ++s)
        for (int i = 0; i < kSampleRate; ++i) {
            if (!frame) {
                ASSERT_EQ(edf.Digital(record, s, i), 0) << "record " << record << " signal " << s << " sample " << i;
                continue;
            }
            ASSERT_NEAR(edf.Physical(record, s, i), frame->samples[s * kSampleRate + i], 1.5 * edf.Step(s))
                << "record " << record << " signal " << s << " sample " << i;
        }
}

void ExpectRows(const recfiles::sCsv& csv, int second, const sFrameSnapshot* frame)
{
    for (int i = 0; i < kSampleRate; ++i) {
        const std::size_t row = static_cast<std::size_t>(second * kSampleRate + i);
        ASSERT_LT(row, csv.eeg.size());
        ASSERT_NEAR(csv.eeg[row], frame ? frame->samples[i] : 0.0, 1e-5) << "second " << second << " row " << i;
        ASSERT_NEAR(csv.emg[row], frame ? frame->samples[kSampleRate + i] : 0.0, 1e-4) << "second " << second;
    }
}

// Files may not grow past `bytes` while it lives: writes beyond fail as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

constexpr std::int64_t kEdfHeader = 768;
constexpr std::int64_t kEdfRecord = 512;
constexpr std::int64_t kCsvBlock = 3456;

}  // namespace

TEST(MainWindowIntake, GapsAreFilledLateFramesRewrittenInPlaceAndEverySecondNoted)
{
    IntakeRig r;
    ASSERT_EQ(r.h.dlg->GetMode(), 2);
    EXPECT_EQ(r.Probe().StartTime(), r.h.now - 1);
    const sFrameSnapshot f10 = Frame(10), f11 = Frame(11), f14 = Frame(14, 14);

    r.New(f10);  // the first frame: no filling, its own number
    EXPECT_EQ(r.Sequences(), std::vector<int>{10});
    r.h.now += 1;
    r.New(f11);
    r.h.now += 3;
    r.New(f14);  // 12 and 13 are missing: two zero seconds first
    EXPECT_EQ(r.Sequences(), (std::vector<int>{10, 11, 12, 13, 14}));
    EXPECT_EQ(r.h.Item<QLineEdit>(1072)->text(), "2023/11/15 07:13:24");

    const recfiles::sCsv before = recfiles::ReadCsv(r.CsvPath());
    const auto& positions = r.Probe().Positions();
    for (std::size_t k = 0; k < positions.size(); ++k) {
        EXPECT_EQ(positions[k].edfOffset, kEdfHeader + kEdfRecord * static_cast<std::int64_t>(k));
        EXPECT_EQ(positions[k].csvOffset, static_cast<std::int64_t>(before.headerBytes) + kCsvBlock * static_cast<std::int64_t>(k));
    }
    EXPECT_EQ(positions[4].highestSequence, 14);

    // Late frames: 12 replaces its zeros, 99 was never stored, 14 again replaces the newest.
    const sFrameSnapshot late12 = Frame(12, 14), late14 = Frame(14 + 40, 14);
    sFrameSnapshot again14 = late14;
    again14.sequence = 14;
    const std::string edfBefore = recfiles::ReadAll(r.EdfPath());
    r.Late(late12);
    r.Late(Frame(99));
    r.Late(again14);
    EXPECT_EQ(r.Sequences(), (std::vector<int>{10, 11, 12, 13, 14}));  // no entry changes
    EXPECT_TRUE(r.h.prompter->shown.empty());

    // The graphs keep what they showed: zeros for 12.
    const std::vector<float> ring = r.Probe().GraphEeg()->GetData();
    const std::size_t at12 = ring.size() - 3 * kSampleRate;
    EXPECT_EQ(ring[at12], 0.0f);
    EXPECT_EQ(ring[at12 - 1], f11.samples[kSampleRate - 1]);

    r.h.dlg->SetMode(1);
    r.Post(kLinkStopAccepted);  // the stop's reply closes the files
    EXPECT_EQ(r.h.dlg->GetMode(), 0);

    const recfiles::sEdf edf = recfiles::ReadEdf(r.EdfPath());
    ASSERT_TRUE(edf.ok);
    EXPECT_EQ(edf.recordCount, 5);
    EXPECT_EQ(edf.fileSize, static_cast<std::size_t>(kEdfHeader + 5 * kEdfRecord));
    EXPECT_EQ(edf.recording, "TQS27123456_ON");  // named after the files were opened
    ExpectRecord(edf, 0, &f10);
    ExpectRecord(edf, 1, &f11);
    ExpectRecord(edf, 2, &late12);
    ExpectRecord(edf, 3, nullptr);
    ExpectRecord(edf, 4, &again14);
    // Only the rewritten records changed.
    const std::string edfAfter = recfiles::ReadAll(r.EdfPath());
    EXPECT_EQ(edfAfter.substr(kEdfHeader, 2 * kEdfRecord), edfBefore.substr(kEdfHeader, 2 * kEdfRecord));
    EXPECT_EQ(edfAfter.substr(kEdfHeader + 3 * kEdfRecord, kEdfRecord), edfBefore.substr(kEdfHeader + 3 * kEdfRecord, kEdfRecord));

    const recfiles::sCsv csv = recfiles::ReadCsv(r.CsvPath());
    EXPECT_EQ(csv.fileSize, before.fileSize);
    EXPECT_TRUE(csv.rowsWellFormed);
    EXPECT_EQ(csv.header, (std::vector<std::string>{"#MachineType,TQS27123456", "#Sample/Sec,128", "EEG,EMG"}));
    ASSERT_EQ(csv.eeg.size(), 5u * kSampleRate);
    ExpectRows(csv, 0, &f10);
    ExpectRows(csv, 2, &late12);
    ExpectRows(csv, 3, nullptr);
    ExpectRows(csv, 4, &again14);
}

// The recording is dated from the first second it stores, the second before that frame
// arrived: its file names, the EDF header and the start-time field agree, and no empty file
// is left under the start the first data gave.
TEST(MainWindowIntake, TheFirstSecondStoredDatesTheRecording)
{
    const struct {
        const char* name;
        int later;                          // seconds from the first data to the first frame
        std::vector<sFrameSnapshot> frames;
        int start;                          // the recording's start, from the first data's time
    } table[] = {
        {"first frame with the first data", 0, {Frame(100)}, -1},
        {"first frame a second later", 1, {Frame(100)}, 0},
        {"first frames three seconds later", 3, {Frame(100), Frame(101)}, 2},
        {"held first frame and the frame that confirmed it", 1, {Frame(100, 101), Frame(101)}, -1},
        // The held frame's second began after the first data: the files open a second earlier
        // than the confirming frame alone would date them.
        {"held first frame confirmed after the files were opened", 2, {Frame(100, 101), Frame(101)}, 0},
    };
    for (const auto& row : table) {
        IntakeRig r;
        const std::time_t firstData = r.h.now;
        r.h.now += row.later;
        for (const sFrameSnapshot& f : row.frames)
            r.New(f);
        ASSERT_EQ(r.Sequences().size(), row.frames.size()) << row.name;
        const std::time_t start = firstData + row.start;
        std::tm local{};
        localtime_r(&start, &local);
        char stem[32], field[32], header[32];
        std::strftime(stem, sizeof stem, "%Y%m%d_%H%M%S", &local);
        std::strftime(field, sizeof field, "%Y/%m/%d %H:%M:%S", &local);
        std::strftime(header, sizeof header, "%d.%m.%y%H.%M.%S", &local);
        EXPECT_EQ(r.Probe().StartTime(), start) << row.name;
        EXPECT_EQ(r.h.Item<QLineEdit>(1078)->text().toStdString(), field) << row.name;
        r.h.dlg->SetMode(1);
        r.Post(kLinkStopAccepted);
        std::vector<std::string> files;
        for (const auto& e : std::filesystem::directory_iterator(r.folder.path()))
            files.push_back(e.path().filename().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(files, (std::vector<std::string>{stem + std::string(".csv"), stem + std::string(".edf")})) << row.name;
        EXPECT_EQ(recfiles::ReadAll(r.EdfPath()).substr(168, 16), header) << row.name;
        EXPECT_EQ(recfiles::ReadEdf(r.EdfPath()).recording, "TQS27123456_ON") << row.name;
    }
}

TEST(MainWindowIntake, OneFileTypeOnlyNotesUnusedOffsetsAndRewritesOnlyThatFile)
{
    for (int types : {1, 2}) {
        SCOPED_TRACE(types);
        IntakeRig r(types);
        r.New(Frame(3));
        r.New(Frame(5));
        const auto& p = r.Probe().Positions();
        ASSERT_EQ(p.size(), 3u);
        if (types == 1) {
            EXPECT_EQ(p[1].edfOffset, kEdfHeader + kEdfRecord);
            EXPECT_EQ(p[1].csvOffset, -kCsvBlock);
        } else {
            EXPECT_EQ(p[1].edfOffset, -kEdfRecord);
            EXPECT_GT(p[1].csvOffset, 0);
        }
        const sFrameSnapshot late = Frame(4, 5);
        r.Late(late);
        EXPECT_TRUE(r.h.prompter->shown.empty());
        r.h.dlg->close();
        if (types == 1) {
            const recfiles::sEdf edf = recfiles::ReadEdf(r.EdfPath());
            EXPECT_EQ(edf.recordCount, 3);
            ExpectRecord(edf, 1, &late);
        } else {
            const recfiles::sCsv csv = recfiles::ReadCsv(r.CsvPath());
            EXPECT_EQ(csv.eeg.size(), 3u * kSampleRate);
            ExpectRows(csv, 1, &late);
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(r.folder.path()), std::filesystem::directory_iterator{}), 1);
    }
}

TEST(MainWindowIntake, AWriteFailingInsideAGapEndsTheMeasurementOnceAndSkipsTheRest)
{
    IntakeRig r(1);
    r.New(Frame(1));
    r.New(Frame(2));
    r.h.wave->ClearCalls();
    {
        // Room for three records: the first filled second fits, the second does not.
        FileSizeLimit limit(static_cast<rlim_t>(kEdfHeader + 3 * kEdfRecord));
        // Two frames posted before the first is handled: the failure closes the link, and the
        // second belongs to the closed link.
        r.h.wave->frames = {Frame(10), Frame(11)};
        r.h.Probe().Post(kLinkNewFrame, r.h.wave->generation);
        r.h.Probe().Post(kLinkNewFrame, r.h.wave->generation);
        WindowHarness::Flush();
    }
    EXPECT_EQ(r.h.prompter->ErrorNumbers(), std::vector<int>{13});
    EXPECT_EQ(r.h.wave->Commands(), (Calls{"TakeFrame", "SendCommand7", "Disconnect"}));
    EXPECT_EQ(r.h.dlg->GetMode(), 0);
    EXPECT_EQ(r.Sequences(), (std::vector<int>{1, 2, 3}));
    const recfiles::sEdf edf = recfiles::ReadEdf(r.EdfPath());
    EXPECT_EQ(edf.recordCount, 3);
    EXPECT_EQ(edf.StoredRecords(), 3);
    ExpectRecord(edf, 2, nullptr);
}

TEST(MainWindowIntake, AppendFailingOnANewFrameShowsError13Once)
{
    IntakeRig r(1);
    r.New(Frame(1));
    {
        FileSizeLimit limit(static_cast<rlim_t>(kEdfHeader + kEdfRecord));
        r.New(Frame(2));
    }
    EXPECT_EQ(r.h.prompter->ErrorNumbers(), std::vector<int>{13});
    EXPECT_EQ(r.h.dlg->GetMode(), 0);
    EXPECT_EQ(recfiles::ReadEdf(r.EdfPath()).recordCount, 1);
}

TEST(MainWindowIntake, ALateRewriteThatCannotBeDoneShowsError13)
{
    IntakeRig r(1);
    r.New(Frame(1));
    r.New(Frame(2));
    r.New(Frame(3));
    // Someone cut the file behind the recording's back: record 3 is gone.
    std::filesystem::resize_file(r.EdfPath(), kEdfHeader + 2 * kEdfRecord);
    r.h.wave->ClearCalls();
    r.Late(Frame(3));
    EXPECT_EQ(r.h.prompter->ErrorNumbers(), std::vector<int>{13});
    EXPECT_EQ(r.h.wave->Commands(), (Calls{"TakeFrame", "SendCommand7", "Disconnect"}));
    EXPECT_EQ(std::filesystem::file_size(r.EdfPath()), static_cast<std::uintmax_t>(kEdfHeader + 2 * kEdfRecord));
}

TEST(MainWindowIntake, FilesThatCannotBeCreatedShowError12AndStopTheReceiver)
{
    TempDir base;
    std::ofstream(base.file("plain")) << "a file, not a folder";
    IntakeRig r(3, base.file("plain") + "/records");
    EXPECT_EQ(r.h.prompter->ErrorNumbers(), std::vector<int>{12});
    EXPECT_EQ(r.h.wave->Commands(), (Calls{"SendCommand7", "Disconnect"}));
    EXPECT_EQ(r.h.dlg->GetMode(), 0);
}

TEST(MainWindowIntake, ANewMeasurementForgetsThePositionsOfTheLastOne)
{
    IntakeRig r(1);
    r.New(Frame(20));
    r.New(Frame(21));
    r.h.dlg->SetMode(1);
    r.Post(kLinkStopAccepted);
    const std::string first = r.EdfPath();
    const std::string firstBytes = recfiles::ReadAll(first);

    r.h.now += 60;
    r.h.dlg->SetMode(1);
    r.Post(kLinkFirstData);
    EXPECT_TRUE(r.Probe().Positions().empty());
    r.New(Frame(1));
    r.Late(Frame(21));  // a second only the last recording held
    EXPECT_EQ(r.Sequences(), std::vector<int>{1});
    EXPECT_NE(r.EdfPath(), first);
    EXPECT_EQ(recfiles::ReadAll(first), firstBytes);
    // The header counts the second once the second is on the disk.
    EXPECT_TRUE(QTest::qWaitFor([&] { return recfiles::ReadEdf(r.EdfPath()).recordCount == 1; }));
    EXPECT_TRUE(r.h.prompter->shown.empty());
}

TEST(MainWindowIntake, SpectrumChartBandsOrBinsByTheDisplaySettings)
{
    IntakeRig r(0);
    CFftMSChart* chart = r.Probe().ChartFft();
    r.New(Frame(1));
    EXPECT_EQ(chart->GetCount(), 4);

    struct Case {
        int option, range, bins, binsPerHz;
    };
    // Live method: 128 × min(range, 4) samples; range method: the range's FFT seconds × 128.
    for (const Case& c : {Case{1, 2, 80, 2}, Case{1, 30, 160, 4}, Case{0, 2, 80, 2}, Case{0, 10, 320, 8},
                          Case{0, 30, 1280, 32}}) {
        SCOPED_TRACE(std::to_string(c.option) + "/" + std::to_string(c.range));
        r.h.dlg->SetFftDisplayMode(1);
        r.h.dlg->SetFftOption(c.option);
        r.h.dlg->SetTimeRange(c.range);
        r.New(Frame(static_cast<int>(r.Probe().Positions().size()) + 1));
        EXPECT_EQ(chart->GetCount(), c.bins);
        EXPECT_EQ(chart->GetBinsPerHz(), c.binsPerHz);
    }
    r.h.dlg->SetFftDisplayMode(0);
    r.New(Frame(static_cast<int>(r.Probe().Positions().size()) + 1));
    EXPECT_EQ(chart->GetCount(), 4);
    EXPECT_TRUE(r.h.prompter->shown.empty());
}

// The output folder taken away in the middle of a measurement. Removed, it is made again
// with everything stored so far and the measurement goes on: at the stop the files hold
// every second. Where it cannot be made again (a plain file took its name) the next second,
// or the stop, ends the measurement with the save error, and the recording is held: put
// back as soon as the folder works again, right after the box when the user made room
// meanwhile, else at the next start. Either way the window is idle afterwards, the next
// measurement records, and no file is left empty.
TEST(MainWindowIntake, AnOutputFolderTakenAwayIsPutBackOrEndsTheMeasurementAndTheWindowStaysUsable)
{
    namespace fs = std::filesystem;
    const struct {
        const char* name;
        bool plainFileInItsPlace;
        bool atTheStop;
        bool roomMadeWhileTheBoxIsOpen;
        std::vector<int> errors;
        int seconds;  // what the first recording's files hold in the end
    } table[] = {
        {"removed while measuring", false, false, false, {}, 5},
        {"removed right before the stop", false, true, false, {}, 3},
        // The second that found no folder is kept too.
        {"a file in its place while measuring", true, false, false, {13}, 4},
        {"a file in its place, room made while the box is open", true, false, true, {13}, 4},
        {"a file in its place at the stop", true, true, false, {13}, 3},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name);
        TempDir base;
        const std::string night = base.file("records/night");
        IntakeRig r(3, night);
        const std::vector<sFrameSnapshot> frames = {Frame(1), Frame(2), Frame(3), Frame(4), Frame(5)};
        for (std::size_t k = 0; k < 3; ++k)
            r.New(frames[k]);
        const std::string edfPath = night + "/" + r.Log().GetEdfFileName();
        const std::string csvPath = night + "/" + r.Log().GetCsvFileName();
        fs::remove_all(night);
        if (row.plainFileInItsPlace)
            std::ofstream(night) << "not a folder";
        if (row.roomMadeWhileTheBoxIsOpen)
            r.h.prompter->whileShown = [&] { fs::remove(night); };
        // The link sends nothing more once the measurement is over.
        for (std::size_t k = 3; !row.atTheStop && k < frames.size() && r.h.dlg->GetMode() == 2; ++k)
            r.New(frames[k]);
        if (r.h.dlg->GetMode() == 2) {
            r.h.dlg->SetMode(1);
            r.Post(kLinkStopAccepted);
        }
        EXPECT_EQ(r.h.prompter->ErrorNumbers(), row.errors);
        EXPECT_EQ(r.h.dlg->GetMode(), 0);
        r.h.prompter->whileShown = nullptr;
        const bool held = fs::is_regular_file(night);
        EXPECT_EQ(held, row.plainFileInItsPlace && !row.roomMadeWhileTheBoxIsOpen);
        EXPECT_EQ(fs::is_regular_file(edfPath) && fs::is_regular_file(csvPath), !held);
        if (held) {
            EXPECT_EQ(recfiles::ReadAll(night), "not a folder");
            fs::remove(night);
        }

        // The next measurement, once the folder can be made again; it puts back what is held.
        r.h.prompter->shown.clear();
        r.h.now += 60;
        r.h.dlg->SetMode(1);
        r.Post(kLinkFirstData);
        ASSERT_EQ(r.h.dlg->GetMode(), 2);
        r.New(Frame(1));
        r.h.dlg->SetMode(1);
        r.Post(kLinkStopAccepted);
        EXPECT_TRUE(r.h.prompter->shown.empty());
        EXPECT_EQ(recfiles::ReadEdf(night + "/" + r.Log().GetEdfFileName()).recordCount, 1);

        const recfiles::sEdf edf = recfiles::ReadEdf(edfPath);
        ASSERT_TRUE(edf.ok);
        EXPECT_EQ(edf.recordCount, row.seconds);
        ASSERT_EQ(edf.StoredRecords(), row.seconds);
        for (int k = 0; k < row.seconds; ++k)
            ExpectRecord(edf, k, &frames[static_cast<std::size_t>(k)]);
        const recfiles::sCsv csv = recfiles::ReadCsv(csvPath);
        ASSERT_EQ(csv.eeg.size(), static_cast<std::size_t>(row.seconds) * kSampleRate);
        ExpectRows(csv, row.seconds - 1, &frames[static_cast<std::size_t>(row.seconds - 1)]);
        EXPECT_EQ(std::distance(fs::directory_iterator(night), fs::directory_iterator()), 4);
    }
}
