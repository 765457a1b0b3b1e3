// What bringing every recorded second to the disk costs. In a folder (default: a new
// temporary one), for a number of seconds (default 20):
//   - the disk round of each second, as the recording's sync thread runs it: the EDF record
//     and the CSV rows synced, then the EDF header counting them written and synced;
//   - the window's own share of each second: the wall and CPU time of the recording manager's
//     Append on the calling thread, which is all the user-interface thread spends on it, with
//     one second handed over each second as while measuring.
// For a slow medium, run it in a FUSE folder whose syncs wait, for example:
//   tools/fuse-folder/fuse_folder.py /tmp/backing /tmp/slow --sync-delay-ms 50 &
//   build/release/bench/recording_sync /tmp/slow

#include "recording/RecordingSync.h"
#include "recording/WaveCsvFile.h"
#include "recording/WaveLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "BenchTiming.h"

namespace {

double ThreadCpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void Print(const char* what, const sTiming& t)
{
    std::printf("  %-52s median %8.3f ms   worst %8.3f ms\n", what, t.median, t.worst);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string folder = argc > 1 ? argv[1] : "";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 20;
    bool temporary = false;
    if (folder.empty()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "velquin-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            return 1;
        }
        folder = pattern;
        temporary = true;
    }
    std::printf("recording sync: %d seconds in %s\n", seconds, folder.c_str());
    std::vector<float> second(256);
    for (std::size_t i = 0; i < second.size(); ++i)
        second[i] = static_cast<float>(i % 128) - 64.0f;

    // The disk round alone, one second at a time.
    {
        const unsigned flags = CFile::modeCreate | CFile::modeCreateNew | CFile::modeReadWrite;
        CEdfFile edf(folder + "/bench-round.edf", flags);
        CWaveCsvFile csv(folder + "/bench-round.csv", flags);
        CRecordingSync sync;
        sync.SetFiles(edf.GetHandle(), csv.GetHandle(), folder);
        std::uint64_t records = 0;
        const std::vector<double> rounds = TimeEach(seconds, [&] {
            records = edf.AppendRecords(second.data(), 1, 2, 128);
            csv.WriteBlock("TQR27012345", 128, second.data(), second.data() + 128, 128);
            sync.Request(edf.HeaderFor(records, 128));
            sync.Wait();
        });
        Print("disk round per second (write, sync, header, sync)", Summarise(rounds));
        if (sync.Failure() != 0)
            std::printf("  the disk failed: %s\n", std::strerror(sync.Failure()));
        edf.Close();
        csv.Close();
        std::filesystem::remove(folder + "/bench-round.edf");
        std::filesystem::remove(folder + "/bench-round.csv");
    }

    // The user-interface thread's share: Append once a second, the syncs running beside it as
    // they do while measuring.
    {
        CWaveLog log(folder);
        log.SetFileTypes(3);
        if (log.Open() != 1) {
            std::printf("  cannot make the recording files in %s\n", folder.c_str());
            return 1;
        }
        log.SetRecorderName("TQR27012345");
        std::vector<double> wall, cpu;
        for (int s = 0; s < seconds; ++s) {
            const double cpuBefore = ThreadCpuMilliseconds();
            const auto start = BenchClock::now();
            log.Append(second.data(), 2, 128);
            wall.push_back(Milliseconds(BenchClock::now() - start));
            cpu.push_back(ThreadCpuMilliseconds() - cpuBefore);
            std::this_thread::sleep_until(start + std::chrono::seconds(1));
        }
        Print("window thread: Append, wall time per frame", Summarise(wall));
        Print("window thread: Append, CPU time per frame", Summarise(cpu));
        const auto start = BenchClock::now();
        const int closed = log.Close();
        std::printf("  %-52s %8.3f ms%s\n", "Close at the stop (last round, sync, close)", Milliseconds(BenchClock::now() - start),
                    closed == 1 ? "" : "   (failed)");
        for (const std::string& name : {log.GetEdfFileName(), log.GetCsvFileName()})
            std::filesystem::remove(folder + "/" + name);
    }
    if (temporary)
        std::filesystem::remove_all(folder);
    return 0;
}
