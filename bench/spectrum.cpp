// Times one range spectrum (SetRangeFftLength + ComputeRangeBands, as a review page or the
// live range method calls it) for ranges from 30 s to 24 hours, and the same computation
// on one thread. Prints the median of several runs in milliseconds.

#include "analysis/RangeSpectrum.h"
#include "analysis/SleepScorer.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

#include "BenchTiming.h"

namespace {

template <typename F>
double MedianMs(int runs, F&& run)
{
    return Summarise(TimeEach(runs, run)).median;
}

} // namespace

int main()
{
    constexpr int rate = CSleepScorer::kSampleRate;
    constexpr int longest = 24 * 3600;
    // An EEG-like test signal: a 10 Hz rhythm, a slow wave and noise, in µV.
    std::vector<float> eeg(static_cast<std::size_t>(longest) * rate);
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0.0f, 8.0f);
    for (std::size_t i = 0; i < eeg.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        eeg[i] = static_cast<float>(20.0 * std::sin(2 * M_PI * 10.0 * t) + 30.0 * std::sin(2 * M_PI * 1.5 * t))
                 + noise(random);
    }

    struct sCase {
        const char* name;
        int seconds;
    };
    const sCase cases[] = {{"30 s", 30}, {"1 h", 3600}, {"4 h", 4 * 3600}, {"24 h", longest}};

    CSleepScorer scorer(".");
    std::printf("range spectrum, %u hardware threads, median of the runs\n", std::thread::hardware_concurrency());
    std::printf("%-6s %6s %12s %12s\n", "range", "FFTs", "ms", "ms 1 thread");
    for (const sCase& c : cases) {
        const int runs = c.seconds >= longest ? 7 : 15;
        const int length = scorer.SetRangeFftLength(c.seconds, rate);
        std::vector<float> spectrum(static_cast<std::size_t>(length));
        const std::size_t count = static_cast<std::size_t>(c.seconds) * rate;
        const double ms = MedianMs(runs, [&] {
            scorer.ComputeRangeBands(eeg.data(), count, spectrum.data(), c.seconds, rate);
        });
        std::vector<float> serial;
        const double serialMs = MedianMs(runs, [&] {
            ComputeRangeSpectrum(eeg.data(), count, c.seconds, rate, serial, 1);
        });
        const int ffts = c.seconds == 30 ? 1 : c.seconds / 30;
        std::printf("%-6s %6d %12.2f %12.2f\n", c.name, ffts, ms, serialMs);
    }
    return 0;
}
