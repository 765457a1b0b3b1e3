#pragma once
// Timing of repeated runs for the benchmark programs: each run is timed on the steady clock,
// and the figures are the median and the worst, in milliseconds.

#include <algorithm>
#include <chrono>
#include <type_traits>
#include <vector>

using BenchClock = std::chrono::steady_clock;

struct sTiming {
    double median = 0.0;
    double worst = 0.0;
};

inline double Milliseconds(BenchClock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The median and the worst of the times (zeros for none).
inline sTiming Summarise(std::vector<double> ms)
{
    if (ms.empty())
        return {};
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// Runs `run` the given number of times (passing the run's index when it takes one) and
// returns the time of each run in milliseconds.
template <typename F>
std::vector<double> TimeEach(int runs, F&& run)
{
    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(std::max(runs, 0)));
    for (int i = 0; i < runs; ++i) {
        const auto start = BenchClock::now();
        if constexpr (std::is_invocable_v<F, int>)
            run(i);
        else
            run();
        ms.push_back(Milliseconds(BenchClock::now() - start));
    }
    return ms;
}
