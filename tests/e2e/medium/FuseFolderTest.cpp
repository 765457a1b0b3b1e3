// A recording on a FUSE folder whose files are removed on the far side while it records: the
// files still open read as empty there, so only the recording's own copy can put them back.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/mount.h>
#include <thread>

#include "recording/WaveLog.h"
#include "support/CalendarTime.h"
#include "support/Processes.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool IsMounted(const std::string& mountPoint)
{
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);)
        if (line.find(" " + mountPoint + " ") != std::string::npos)
            return true;
    return false;
}

// The folder mounted over a backing folder while it lives.
class FuseFolder {
public:
    FuseFolder(const std::string& backing, const std::string& mountPoint) : m_mountPoint(mountPoint)
    {
        const std::string script = VELQUIN_SOURCE_DIR "/tools/fuse-folder/fuse_folder.py";
        m_pid = StartQuietly({script.c_str(), backing.c_str(), mountPoint.c_str()});
        // Until the mount shows, or the script has ended (no FUSE here).
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (m_pid && !IsMounted(mountPoint) && waitpid(m_pid, nullptr, WNOHANG) == 0
               && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~FuseFolder()
    {
        umount2(m_mountPoint.c_str(), MNT_DETACH);
        StopProcess(m_pid);
    }
    bool Mounted() const { return IsMounted(m_mountPoint); }

private:
    std::string m_mountPoint;
    pid_t m_pid = 0;
};

std::vector<float> Second(int sec)
{
    std::vector<float> s(256, static_cast<float>(sec));
    std::fill(s.begin() + 128, s.end(), static_cast<float>(-sec));
    return s;
}

}  // namespace

TEST(FuseFolder, FilesRemovedOnTheFarSideArePutBackWithEverySecond)
{
    TempDir dir;
    const std::string backing = dir.file("backing"), mounted = dir.file("mounted");
    fs::create_directories(backing);
    fs::create_directories(mounted);
    FuseFolder folder(backing, mounted);
    if (!folder.Mounted())
        GTEST_SKIP() << "no FUSE folder: /dev/fuse or python3-fusepy is missing";

    CWaveLog log(mounted + "/night", [] { return LocalTime(2019, 3, 7, 10, 20, 31); });
    log.SetFileTypes(3);
    ASSERT_EQ(log.Open(), 1);
    log.SetRecorderName("TQR27012345");
    // More than any copy buffer holds before the removal, and some seconds after it.
    constexpr int kBefore = 150, kAfter = 10;
    for (int sec = 0; sec < kBefore + kAfter; ++sec) {
        if (sec == kBefore) {
            fs::remove(backing + "/night/" + log.GetEdfFileName());
            fs::remove(backing + "/night/" + log.GetCsvFileName());
        }
        ASSERT_EQ(log.Append(Second(sec).data(), 2, 128), 1) << sec;
    }
    ASSERT_EQ(log.Close(), 1);

    const std::string edf = ReadAll(backing + "/night/20190307_102030.edf");
    ASSERT_EQ(edf.size(), 768u + 512u * (kBefore + kAfter));
    EXPECT_EQ(edf.substr(168, 16), "07.03.1910.20.30");
    EXPECT_EQ(edf.substr(236, 8), std::to_string(kBefore + kAfter) + "     ");
    for (int sec = 0; sec < kBefore + kAfter; ++sec) {
        const auto at = 768u + 512u * static_cast<std::size_t>(sec);
        const int value = static_cast<std::int16_t>(static_cast<unsigned char>(edf[at]) |
                                                    static_cast<unsigned char>(edf[at + 1]) << 8);
        ASSERT_EQ(value, (sec * 8192 + 375) / 750) << "second " << sec;
    }
    const std::string csv = ReadAll(backing + "/night/20190307_102030.csv");
    ASSERT_EQ(csv.size(), 52u + 3456u * (kBefore + kAfter));
    EXPECT_EQ(csv.substr(52, 27), "     0.00000,     0.00000\r\n");
    EXPECT_EQ(csv.substr(csv.size() - 27), "   159.00000,  -159.00000\r\n");
}
