// Fuzz target for opening a file for review: any bytes as a file must be loaded or
// refused without a crash, and a loaded file's slices and spectrum must stay inside its
// arrays, whatever rate, length and record count its header claims.

#include "analysis/SleepScorer.h"
#include "mainwindow/review/ReviewFile.h"
#include "mainwindow/review/ReviewSpectrum.h"
#include "mainwindow/review/ReviewView.h"
#include "MemoryFile.h"
#include "recording/EdfFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Arrays of up to 64 MB, so that a huge claim stays cheap.
constexpr std::uint64_t kMemory = 64ULL << 20;
// Rates above this make spectra too slow for fuzzing.
constexpr int kLargestSpectrumRate = 4096;

// Reads every value of the span, so an overrun shows under the sanitizers.
float Touch(std::span<const float> values)
{
    float sum = 0.0f;
    for (float v : values)
        sum += v;
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const MemoryFile file("review", data, size);
    if (!file.IsOpen())
        return 0;
    const std::string path = file.Path();
    try {
        CEdfFile edf(path, CFile::modeRead);
        CReviewFile review;
        if (review.Load(edf, kMemory) == 1) {
            const int seconds = review.Seconds();
            const int rate = review.Rate();
            if (seconds < 1 || rate < 1 || static_cast<std::uint64_t>(seconds) * rate > review.Samples())
                std::abort();
            // The last page of each fixed range that fits, and the whole file.
            volatile float sink = 0.0f;
            for (int range : {2, 30, seconds}) {
                if (range > seconds)
                    continue;
                const int first = PageRightFirst(seconds, range, seconds);
                sink = sink + Touch(review.EegSlice(first, range)) + Touch(review.EmgSlice(first, range));
                if (rate <= kLargestSpectrumRate && range <= 3600) {
                    CSleepScorer scorer("/nonexistent");
                    CReviewSpectrumCache cache;
                    const sReviewSpectrum& s = cache.Get(scorer, review.EegFrom(first), first, range, rate, 1);
                    const sDetailBins bins = DetailBins(s.values.size(), rate);
                    if (bins.count < 0 || static_cast<std::size_t>(bins.count) > s.values.size())
                        std::abort();
                }
            }
        }
    } catch (const CFileException&) {
    }
    return 0;
}
