// The spectrum of a review page: what the chart is handed, and the cache that lets a page
// shown again skip the computation.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/SleepScorer.h"
#include "mainwindow/review/ReviewSpectrum.h"
#include "support/TempDir.h"

namespace {

std::vector<float> Sine(int seconds, int rate, double hz, double amplitude)
{
    std::vector<float> v(static_cast<size_t>(seconds) * static_cast<size_t>(rate));
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = static_cast<float>(amplitude * std::sin(2 * M_PI * hz * static_cast<double>(i) / rate));
    return v;
}

}  // namespace

TEST(ReviewSpectrum, DetailBinsNeverExceedWhatWasComputed)
{
    // 32 FFT seconds: 1280 bins up to 40 Hz at 128 and 256 samples per second.
    EXPECT_EQ(DetailBins(4096, 128).binsPerHz, 32);
    EXPECT_EQ(DetailBins(4096, 128).count, 1280);
    EXPECT_EQ(DetailBins(8192, 256).count, 1280);
    EXPECT_EQ(DetailBins(512, 128).count, 160);
    // Below 40 samples per second the spectrum is shorter than 40 Hz of bins.
    EXPECT_EQ(DetailBins(1024, 32).binsPerHz, 32);
    EXPECT_EQ(DetailBins(1024, 32).count, 1024);
    EXPECT_EQ(DetailBins(320, 10).count, 320);
    // No spectrum (a rate too high to compute), no rate.
    EXPECT_EQ(DetailBins(0, 100000000).count, 0);
    EXPECT_EQ(DetailBins(4096, 0).count, 0);
}

TEST(ReviewSpectrum, ATenHertzPageIsAlpha)
{
    TempDir dir;
    CSleepScorer scorer(dir.str());
    CReviewSpectrumCache cache;
    const std::vector<float> eeg = Sine(60, 128, 10, 100);
    const sReviewSpectrum& s = cache.Get(scorer, eeg, 0, 30, 128, 0);
    ASSERT_EQ(s.values.size(), 4096u);
    EXPECT_GT(s.bands.alpha, 10 * (s.bands.delta + s.bands.theta + s.bands.beta));
    // The peak is at 10 Hz: bin 320 at 32 bins per hertz.
    const auto peak = std::max_element(s.values.begin(), s.values.begin() + 2048) - s.values.begin();
    EXPECT_EQ(peak, 320);
}

TEST(ReviewSpectrum, APageShownAgainIsNotComputedAgain)
{
    TempDir dir;
    CSleepScorer scorer(dir.str());
    CReviewSpectrumCache cache;
    const std::vector<float> eeg = Sine(600, 128, 6, 40);
    const std::span<const float> all(eeg);
    const float theta = static_cast<float>(cache.Get(scorer, all, 0, 600, 128, 0).bands.theta);
    EXPECT_EQ(cache.Computed(), 1u);
    // The same page: reused, with its own band powers.
    EXPECT_EQ(static_cast<float>(cache.Get(scorer, all, 0, 600, 128, 0).bands.theta), theta);
    EXPECT_EQ(cache.Computed(), 1u);
    // Another first second, range, rate or display mode is another page.
    cache.Get(scorer, all.subspan(30 * 128), 30, 60, 128, 0);
    cache.Get(scorer, all, 0, 60, 128, 0);
    cache.Get(scorer, all, 0, 600, 128, 1);
    cache.Get(scorer, all, 0, 600, 64, 0);
    EXPECT_EQ(cache.Computed(), 5u);
    cache.Get(scorer, all.subspan(30 * 128), 30, 60, 128, 0);
    EXPECT_EQ(cache.Computed(), 5u);
    // Paging through more pages than the cache holds forgets the oldest.
    for (int first = 0; first < static_cast<int>(CReviewSpectrumCache::kCapacity) * 30; first += 30)
        cache.Get(scorer, all.subspan(static_cast<size_t>(first) * 128), first, 30, 128, 0);
    const std::size_t computed = cache.Computed();
    cache.Get(scorer, all, 0, 600, 128, 0);
    EXPECT_EQ(cache.Computed(), computed + 1);
    // A new file clears it.
    cache.Clear();
    cache.Get(scorer, all, 0, 600, 128, 0);
    EXPECT_EQ(cache.Computed(), computed + 2);
}

TEST(ReviewSpectrum, ARangeTheMethodCannotComputeGivesZeros)
{
    TempDir dir;
    CSleepScorer scorer(dir.str());
    CReviewSpectrumCache cache;
    // "ALL" of a 20-second file: under 30 s and not 2, 5, 10 or 15 s.
    const std::vector<float> eeg = Sine(20, 128, 10, 100);
    const sReviewSpectrum& s = cache.Get(scorer, eeg, 0, 20, 128, 1);
    EXPECT_EQ(s.values.size(), 4096u);
    EXPECT_TRUE(std::all_of(s.values.begin(), s.values.end(), [](float v) { return v == 0.0f; }));
    EXPECT_EQ(s.bands.alpha, 0.0);
    // A page at the end of the file gets fewer samples than its range: no read past them.
    const sReviewSpectrum& tail = cache.Get(scorer, std::span<const float>(eeg).subspan(10 * 128), 10, 30, 128, 0);
    EXPECT_GT(tail.bands.alpha, 0.0);
}
