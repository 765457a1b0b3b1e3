// A recording on a FUSE folder whose files are removed on the far side while it records: the
// files still open read as empty there, so only the recording's own copy can put them back.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sys/mount.h>
#include <thread>

#include "recording/WaveLog.h"
#include "support/CalendarTime.h"
#include "support/Processes.h"
#include "support/RecordingReaders.h"
#include "support/TempDir.h"

namespace {

bool IsMounted(const std::string& mountPoint)
{
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);)
        if (line.find(" " + mountPoint + " ") != std::string::npos)
            return true;
    return false;
}

// tools/fuse-folder mounted over the folder's "backing" at its "mounted" while it lives.
struct FuseFolder {
    explicit FuseFolder(const TempDir& dir)
        : backing(dir.file("backing")), mountPoint(dir.file("mounted")),
          pid(StartQuietly({VELQUIN_SOURCE_DIR "/tools/fuse-folder/fuse_folder.py", backing.c_str(), mountPoint.c_str()}))
    {
    }
    ~FuseFolder()
    {
        umount2(mountPoint.c_str(), MNT_DETACH);
        StopProcess(pid);
    }
    std::string backing, mountPoint;
    pid_t pid;
};

}  // namespace

TEST(FuseFolder, FilesRemovedOnTheFarSideArePutBackWithEverySecond)
{
    TempDir dir;
    std::filesystem::create_directories(dir.file("backing"));
    std::filesystem::create_directories(dir.file("mounted"));
    FuseFolder folder(dir);
    // Until the mount shows, or the script has ended (no FUSE here).
    while (folder.pid && !IsMounted(folder.mountPoint) && waitpid(folder.pid, nullptr, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!IsMounted(folder.mountPoint))
        GTEST_SKIP() << "no FUSE folder: /dev/fuse or python3-fusepy is missing";

    CWaveLog log(folder.mountPoint + "/night", [] { return LocalTime(2019, 3, 7, 10, 20, 31); });
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    // More than any copy buffer holds before the removal, and some seconds after it.
    constexpr int kBefore = 150, kSeconds = 160;
    for (int sec = 0; sec < kSeconds; ++sec) {
        if (sec == kBefore) {
            std::filesystem::remove(dir.file("backing/night/20190307_102030.edf"));
            std::filesystem::remove(dir.file("backing/night/20190307_102030.csv"));
        }
        std::vector<float> second(256, static_cast<float>(sec));
        ASSERT_EQ(log.Append(second.data(), 2, 128), 1) << sec;
    }
    ASSERT_EQ(log.Close(), 1);

    const recfiles::sEdf edf = recfiles::ReadEdf(dir.file("backing/night/20190307_102030.edf"));
    ASSERT_TRUE(edf.ok);
    ASSERT_EQ(edf.recordCount, kSeconds);
    ASSERT_EQ(edf.StoredRecords(), kSeconds);
    for (int sec = 0; sec < kSeconds; ++sec)
        ASSERT_NEAR(edf.Physical(sec, 1, 127), sec, edf.Step(1)) << "second " << sec;
    const recfiles::sCsv csv = recfiles::ReadCsv(dir.file("backing/night/20190307_102030.csv"));
    ASSERT_EQ(csv.eeg.size(), 128u * kSeconds);
    EXPECT_EQ(csv.eeg.front(), 0.0);
    EXPECT_EQ(csv.emg.back(), kSeconds - 1.0);
}
