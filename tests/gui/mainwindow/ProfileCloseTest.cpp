// Closing the window (stop only while measuring, link released, settings saved, nothing of
// the link handled afterwards) and the saved-file settings through close and start.
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QSettings>

#include <filesystem>
#include <fstream>

#include "WindowHarness.h"
#include "platform/qt/QtProfile.h"
#include "support/TempDir.h"

namespace {

struct ProfileWindow {
    std::unique_ptr<CVelquinDlg> dlg;

    explicit ProfileWindow(const QString& ini)
    {
        sDlgServices services;
        services.makeWaveIo = [](ILinkSink&) { return std::make_unique<FakeWaveIo>(); };
        services.prompter = std::make_unique<FakePrompter>();
        services.profile = std::make_unique<CQtProfile>(ini);
        services.inhibitScreenSaver = false;
        dlg = std::make_unique<CVelquinDlg>(std::move(services));
    }
    CWaveLog& Log() { return CVelquinDlgProbe(*dlg).WaveLog(); }
};

std::vector<std::string> CommandsIn(const std::vector<std::string>& calls)
{
    FakeWaveIo filter;
    filter.calls = calls;
    return filter.Commands();
}

}  // namespace

TEST(MainWindowClose, StopIsSentOnlyWhenMeasuringAndTheLinkIsReleasedInEveryMode)
{
    const std::vector<std::string> stop = {"SendCommand7", "Disconnect"};
    for (int mode : {0, 1, 2, 4}) {
        SCOPED_TRACE(mode);
        WindowHarness h;
        if (mode == 4)
            h.Probe().EnterReview("a.edf", "", 60);
        else
            h.dlg->SetMode(mode);
        auto journal = h.wave->journal;
        auto alive = h.wave->alive;
        journal->clear();
        EXPECT_TRUE(h.dlg->close());
        EXPECT_EQ(CommandsIn(*journal), mode == 2 ? stop : std::vector<std::string>{});
        EXPECT_FALSE(*alive);                    // deleted, which ends the link's threads
        EXPECT_EQ(h.Probe().WaveIo(), nullptr);  // and never used again
        EXPECT_FALSE(h.Probe().HasReviewArrays());
        EXPECT_TRUE(h.profile->values.contains("SavedFileSeting/OutputDirectory"));
        EXPECT_TRUE(h.prompter->shown.empty());
    }
}

TEST(MainWindowClose, NotificationsQueuedAtCloseOrPostedAfterItAreIgnored)
{
    WindowHarness h;
    h.dlg->SetMode(2);
    const std::uint32_t generation = h.wave->generation;
    auto journal = h.wave->journal;
    // Still queued when the window closes: data stopped, a frame, a failure.
    h.Probe().Post(kLinkNoData, generation);
    h.Probe().Post(kLinkNewFrame, generation);
    h.Probe().Post(kLinkTransmitterReset, generation);
    h.dlg->close();
    journal->clear();
    // Posted after the close (a thread that was about to post).
    h.Probe().Post(kLinkReplyTimeout, generation + 1);
    h.Probe().Post(kLinkLateFrame, generation + 1);
    WindowHarness::Flush();
    EXPECT_TRUE(journal->empty());
    EXPECT_TRUE(h.prompter->shown.empty());
    EXPECT_EQ(h.dlg->GetMode(), 0);
}

namespace {

// Descriptors of this process open on files inside folder.
int OpenFilesIn(const std::string& folder)
{
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const auto target = std::filesystem::read_symlink(entry.path(), ec);
        if (!ec && target.string().rfind(folder, 0) == 0)
            ++count;
    }
    return count;
}

}  // namespace

TEST(MainWindowClose, RecordingFilesStillOpenAfterStopAreClosed)
{
    TempDir dir;
    WindowHarness h;
    CWaveLog& log = h.Probe().WaveLog();
    log.SetFolder(dir.str());
    log.SetFileTypes(3);
    log.SetNamingMode(1);
    // First data: the files open and the measurement runs.
    h.dlg->SetMode(1);
    h.Probe().Post(kLinkFirstData, h.wave->generation);
    WindowHarness::Flush();
    ASSERT_EQ(h.dlg->GetMode(), 2);
    const float second[256] = {};
    ASSERT_EQ(log.Append(second, 2, 128), 1);
    // Stop: the stop command is out, its reply still to come; the files stay open.
    h.Item<QPushButton>(1069)->click();
    ASSERT_EQ(h.dlg->GetMode(), 1);
    EXPECT_EQ(OpenFilesIn(dir.str()), 2);

    h.dlg->close();
    EXPECT_EQ(OpenFilesIn(dir.str()), 0);
    // The EDF file holds its one second, and its header says so.
    const std::string edf = dir.file("20231115_071319.edf");
    ASSERT_TRUE(std::filesystem::exists(edf));
    EXPECT_EQ(std::filesystem::file_size(edf), 768u + 512u);
    std::ifstream in(edf, std::ios::binary);
    std::string header(256, '\0');
    in.read(header.data(), 256);
    EXPECT_EQ(header.substr(236, 8), "1       ");
}

TEST(MainWindowClose, ClosingTwiceDoesTheWorkOnce)
{
    WindowHarness h;
    h.dlg->SetMode(2);
    auto journal = h.wave->journal;
    h.dlg->close();
    h.dlg->show();
    h.dlg->close();
    EXPECT_EQ(std::count(journal->begin(), journal->end(), "SendCommand7"), 1);
}

TEST(MainWindowProfile, FirstRunKeepsTheDefaultsAndTheFirstCloseWritesAllFiveKeys)
{
    TempDir dir;
    const QString ini = QString::fromStdString(dir.file("Velquin.ini"));
    {
        ProfileWindow w(ini);
        EXPECT_EQ(w.Log().GetFileTypes(), 1);
        EXPECT_EQ(w.Log().GetNamingMode(), 1);
        EXPECT_EQ(w.Log().GetEdfFileName(), "");
        EXPECT_TRUE(QString::fromStdString(w.Log().GetFolder()).endsWith("/Documents/Velquin"));
        w.dlg->close();
    }
    QSettings s(ini, QSettings::IniFormat);
    EXPECT_EQ(s.childGroups(), QStringList{"SavedFileSeting"});
    s.beginGroup("SavedFileSeting");
    EXPECT_EQ(s.childKeys().size(), 5);
    EXPECT_EQ(s.value("FileType").toInt(), 1);
    EXPECT_EQ(s.value("IsDefaultFileName").toInt(), 1);
    EXPECT_EQ(s.value("EdfFileName").toString(), "");
}

TEST(MainWindowProfile, SettingsRoundTripThroughCloseAndStart)
{
    TempDir dir;
    const QString ini = QString::fromStdString(dir.file("Velquin.ini"));
    const std::string folder = dir.str() + "/計測 データ/2024 春, 夜=1; x";
    {
        ProfileWindow w(ini);
        w.Log().SetFolder(folder);
        w.Log().SetFileTypes(3);
        w.Log().SetNamingMode(0);
        w.Log().SetEdfFileName("夜,1;a=b.edf");
        w.Log().SetCsvFileName("@x \"q\" #y.csv");
        w.dlg->close();
    }
    {
        ProfileWindow w(ini);
        EXPECT_EQ(w.Log().GetFolder(), folder);
        EXPECT_EQ(w.Log().GetFileTypes(), 3);
        EXPECT_EQ(w.Log().GetNamingMode(), 0);
        EXPECT_EQ(w.Log().GetEdfFileName(), "夜,1;a=b.edf");
        EXPECT_EQ(w.Log().GetCsvFileName(), "@x \"q\" #y.csv");
        // Automatic names: the names are written empty and come back empty.
        w.Log().SetNamingMode(1);
        w.dlg->close();
    }
    {
        ProfileWindow w(ini);
        EXPECT_EQ(w.Log().GetNamingMode(), 1);
        EXPECT_EQ(w.Log().GetEdfFileName(), "");
        EXPECT_EQ(w.Log().GetCsvFileName(), "");
    }
}

TEST(MainWindowProfile, AnyNamingModeOtherThanAutomaticKeepsTheUserNames)
{
    for (int mode : {0, 2, -1}) {
        WindowHarness h;
        CWaveLog& log = h.Probe().WaveLog();
        log.SetNamingMode(mode);
        log.SetEdfFileName("mine.edf");
        log.SetCsvFileName("mine.csv");
        h.dlg->close();
        EXPECT_EQ(h.profile->values.value("SavedFileSeting/IsDefaultFileName"), QString::number(mode));
        EXPECT_EQ(h.profile->values.value("SavedFileSeting/EdfFileName"), "mine.edf") << mode;
        EXPECT_EQ(h.profile->values.value("SavedFileSeting/CsvFileName"), "mine.csv") << mode;
    }
}

TEST(MainWindowProfile, StoredValuesAreLoadedAsTheyAre)
{
    WindowHarness h([](FakeWaveIo&, MemoryProfile& p) {
        p.values["SavedFileSeting/OutputDirectory"] = "/srv/eeg";
        p.values["SavedFileSeting/FileType"] = "6";
        p.values["SavedFileSeting/IsDefaultFileName"] = "2";
        p.values["SavedFileSeting/EdfFileName"] = "e.edf";
    });
    CWaveLog& log = h.Probe().WaveLog();
    EXPECT_EQ(log.GetFolder(), "/srv/eeg");
    EXPECT_EQ(log.GetFileTypes(), 6);
    EXPECT_EQ(log.GetNamingMode(), 2);
    EXPECT_EQ(log.GetEdfFileName(), "e.edf");
    EXPECT_EQ(log.GetCsvFileName(), "");
}
