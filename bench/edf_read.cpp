// Writes a 24-hour recording (86,400 one-second records) into a temporary folder and times
// writing it and reading both signals back, as the review of a file does. Prints the
// median of several runs.

#include "recording/EdfFile.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BenchTiming.h"

namespace {

using Clock = BenchClock;

double Median(std::vector<double> values)
{
    return Summarise(std::move(values)).median;
}

}  // namespace

int main(int argc, char** argv)
{
    const int records = argc > 1 ? std::atoi(argv[1]) : 86400;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 7;
    std::string pattern = (std::filesystem::temp_directory_path() / "velquin-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path dir = pattern;
    const std::string path = (dir / "day.edf").string();

    try {
        std::vector<float> record(256);
        std::vector<double> writeTimes;
        for (int run = 0; run < std::max(1, runs / 2); ++run) {
            std::filesystem::remove(path);
            const auto start = Clock::now();
            CEdfFile edf(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
            edf.SetDeviceName("TQR27012345");
            for (int r = 0; r < records; ++r) {
                for (int i = 0; i < 128; ++i) {
                    record[i] = static_cast<float>(100.0 * std::sin((r * 128 + i) * 0.05));
                    record[128 + i] = static_cast<float>(2000.0 * std::cos((r * 128 + i) * 0.02));
                }
                edf.WriteRecord(record.data(), 2, 128);
            }
            edf.Close();
            writeTimes.push_back(Milliseconds(Clock::now() - start));
        }

        std::vector<double> readTimes;
        double checksum = 0.0;
        std::uint64_t length = 0;
        for (int run = 0; run < runs; ++run) {
            const auto start = Clock::now();
            CEdfFile edf(path, CFile::modeRead | CFile::shareDenyNone);
            length = edf.GetLength();
            const auto count = static_cast<unsigned>((length - kEdfHeaderBytes) / 4);
            std::unique_ptr<float[]> eeg(new float[count]);
            std::unique_ptr<float[]> emg(new float[count]);
            if (!edf.ReadSignal(eeg.get(), 1, count) || !edf.ReadSignal(emg.get(), 2, count)) {
                std::fprintf(stderr, "edf_read: the file was refused\n");
                return 1;
            }
            readTimes.push_back(Milliseconds(Clock::now() - start));
            checksum += eeg[count / 2] + emg[count - 1];
        }

        std::printf("EDF recording of %d records (%llu bytes)\n", records, static_cast<unsigned long long>(length));
        std::printf("write, one record at a time:         median %8.1f ms of %zu runs\n", Median(writeTimes),
                    writeTimes.size());
        std::printf("read both signals into fresh arrays: median %8.1f ms of %zu runs (first %.1f, min %.1f, max %.1f)\n",
                    Median(readTimes), readTimes.size(), readTimes.front(),
                    *std::min_element(readTimes.begin(), readTimes.end()),
                    *std::max_element(readTimes.begin(), readTimes.end()));
        std::printf("(checksum %.3f)\n", checksum);
    } catch (const CFileException& e) {
        std::fprintf(stderr, "edf_read: %s\n", e.what());
        std::filesystem::remove_all(dir);
        return 1;
    }
    std::filesystem::remove_all(dir);
    return 0;
}
