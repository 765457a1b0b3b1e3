// Band edges, the live method and the range method of CSleepScorer.

#include "ReferenceSpectrum.h"
#include "analysis/BandPowers.h"
#include "analysis/RangeSpectrum.h"
#include "analysis/SleepScorer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kRate = 128;

enum Band { None, Delta, Theta, Alpha, Beta };

Band BandOf(const sBandPowers& b)
{
    const int hits = (b.delta != 0) + (b.theta != 0) + (b.alpha != 0) + (b.beta != 0);
    if (hits != 1)
        return None;
    return b.delta != 0 ? Delta : b.theta != 0 ? Theta : b.alpha != 0 ? Alpha : Beta;
}

Band BandOfBin(int bin, int seconds)
{
    std::vector<float> spectrum(static_cast<std::size_t>(bin + 1), 0.0f);
    spectrum[static_cast<std::size_t>(bin)] = 1.0f;
    return BandOf(SumBandPowers(spectrum.data(), bin + 1, seconds));
}

std::vector<float> Noise(std::size_t count, float amplitude, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-amplitude, amplitude);
    std::vector<float> x(count);
    for (float& v : x)
        v = value(random);
    return x;
}

std::vector<float> Seconds(int seconds)
{
    return std::vector<float>(static_cast<std::size_t>(seconds) * kRate, 0.0f);
}

// Compares a float spectrum with a double reference, relative to the reference's peak.
void ExpectSpectrumNear(const std::vector<double>& expected, const float* actual, std::size_t n)
{
    const double tolerance = 3e-5 * std::max(ref::MaxOf(expected), 1e-9);
    ASSERT_EQ(expected.size(), n);
    for (std::size_t k = 0; k < n; ++k)
        ASSERT_NEAR(expected[k], actual[k], tolerance) << "bin " << k;
}

void ExpectBandsNear(const ref::Bands& expected, const CSleepScorer& s, bool range)
{
    const double d = range ? s.GetRangeDelta() : s.GetLiveDelta();
    const double t = range ? s.GetRangeTheta() : s.GetLiveTheta();
    const double a = range ? s.GetRangeAlpha() : s.GetLiveAlpha();
    const double b = range ? s.GetRangeBeta() : s.GetLiveBeta();
    const double tolerance = 1e-4 * std::max({expected.delta, expected.theta, expected.alpha, expected.beta, 1e-9});
    EXPECT_NEAR(expected.delta, d, tolerance);
    EXPECT_NEAR(expected.theta, t, tolerance);
    EXPECT_NEAR(expected.alpha, a, tolerance);
    EXPECT_NEAR(expected.beta, b, tolerance);
}

bool SameBits(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

} // namespace

TEST(BandEdges, OneSecondBinsAreOneHertz)
{
    EXPECT_EQ(None, BandOfBin(0, 1));
    for (int bin = 1; bin <= 4; ++bin)
        EXPECT_EQ(Delta, BandOfBin(bin, 1)) << bin;
    for (int bin = 5; bin <= 8; ++bin)
        EXPECT_EQ(Theta, BandOfBin(bin, 1)) << bin;
    for (int bin = 9; bin <= 12; ++bin)
        EXPECT_EQ(Alpha, BandOfBin(bin, 1)) << bin;
    for (int bin = 13; bin <= 40; ++bin)
        EXPECT_EQ(Beta, BandOfBin(bin, 1)) << bin;
    for (int bin = 41; bin < 128; ++bin)
        EXPECT_EQ(None, BandOfBin(bin, 1)) << bin;
}

TEST(BandEdges, EdgeBinsBelongToTheLowerBand)
{
    struct Case {
        int seconds, bin;
        Band band;
    };
    const Case cases[] = {
        {4, 3, None},   {4, 4, Delta},  {4, 16, Delta}, {4, 17, Theta},  {4, 32, Theta},  {4, 33, Alpha},
        {4, 48, Alpha}, {4, 49, Beta},  {4, 160, Beta}, {4, 161, None},  {32, 31, None},  {32, 32, Delta},
        {32, 128, Delta}, {32, 129, Theta}, {32, 1280, Beta}, {32, 1281, None}, {2, 1, None}, {2, 80, Beta},
        {2, 81, None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.band, BandOfBin(c.bin, c.seconds)) << c.seconds << " s, bin " << c.bin;
    // No FFT seconds, no band.
    EXPECT_EQ(None, BandOfBin(4, 0));
}

TEST(LiveMethod, TwoSecondsTakeTheWholeBuffer)
{
    CSleepScorer scorer("unused");
    ASSERT_EQ(256, scorer.SetFftSeconds(2));
    auto x = Seconds(2);
    const double a = 20.0;
    ref::AddSine(x, a, 10.0, kRate);   // bin 20 at 0.5 Hz per bin
    std::vector<float> spectrum(256);
    scorer.ComputeLiveBands(x.data(), spectrum.data(), 2);
    EXPECT_NEAR(a * a / 8, spectrum[20], 1e-3);
    EXPECT_NEAR(a * a / 32, spectrum[19], 1e-3);
    EXPECT_NEAR(a * a / 32, spectrum[21], 1e-3);
    ExpectBandsNear({0, 0, 3 * a * a / 16, 0}, scorer, false);
}

TEST(LiveMethod, TenSecondsTakeTheNewestFour)
{
    CSleepScorer scorer("unused");
    ASSERT_EQ(512, scorer.SetFftSeconds(10));
    // Loud slow waves in the six older seconds, a 10 Hz rhythm in the newest four
    // (samples 768 to 1279).
    auto x = Seconds(10);
    ref::AddSine(x, 300.0, 2.0, kRate, 0, 768);
    const double a = 12.0;
    ref::AddSine(x, a, 10.0, kRate, 768, 512);
    std::vector<float> spectrum(512);
    scorer.ComputeLiveBands(x.data(), spectrum.data(), 10);
    EXPECT_NEAR(a * a / 8, spectrum[40], 1e-3);
    ExpectBandsNear({0, 0, 3 * a * a / 16, 0}, scorer, false);
    EXPECT_LT(scorer.GetLiveDelta(), 1e-3);
}

TEST(LiveMethod, StaysInsideItsBuffersWhenTheSetterDisagrees)
{
    CSleepScorer scorer("unused");
    // Set up for 10 s but handed 2 s: only those 256 samples are read, 256 values written,
    // the rest of the setter's length zeroed.
    const int length = scorer.SetFftSeconds(10);
    auto x = Seconds(2);
    ref::AddSine(x, 20.0, 10.0, kRate);
    std::vector<float> spectrum(static_cast<std::size_t>(length), 9.0f);
    scorer.ComputeLiveBands(x.data(), spectrum.data(), 2);

    CSleepScorer valid("unused");
    std::vector<float> expected(256);
    valid.SetFftSeconds(2);
    valid.ComputeLiveBands(x.data(), expected.data(), 2);
    EXPECT_TRUE(SameBits(expected, std::vector<float>(spectrum.begin(), spectrum.begin() + 256)));
    for (std::size_t k = 256; k < spectrum.size(); ++k)
        ASSERT_EQ(0.0f, spectrum[k]);
    EXPECT_EQ(valid.GetLiveAlpha(), scorer.GetLiveAlpha());

    // Three seconds make 384 values, not a power of two: zeros and no bands.
    ASSERT_EQ(384, scorer.SetFftSeconds(3));
    auto three = Seconds(3);
    ref::AddSine(three, 20.0, 10.0, kRate);
    std::vector<float> zeros(384, 9.0f);
    scorer.ComputeLiveBands(three.data(), zeros.data(), 3);
    for (const float v : zeros)
        ASSERT_EQ(0.0f, v);
    EXPECT_EQ(0.0, scorer.GetLiveAlpha());
}

TEST(SpectrumState, StartsZeroed)
{
    CSleepScorer scorer("unused");
    EXPECT_EQ(128, scorer.GetSampleRate());
    for (const double v : {scorer.GetLiveDelta(), scorer.GetLiveTheta(), scorer.GetLiveAlpha(), scorer.GetLiveBeta(),
                           scorer.GetRangeDelta(), scorer.GetRangeTheta(), scorer.GetRangeAlpha(), scorer.GetRangeBeta()})
        EXPECT_EQ(0.0, v);
    // Compute calls before any setter write nothing.
    const auto x = Seconds(30);
    float guard = 3.0f;
    scorer.ComputeLiveBands(x.data(), &guard, 30);
    scorer.ComputeRangeBands(x.data(), x.size(), &guard, 30, kRate);
    EXPECT_EQ(3.0f, guard);
}

TEST(RangeMethod, SetterLengths)
{
    CSleepScorer scorer("unused");
    EXPECT_EQ(256, scorer.SetRangeFftLength(2, kRate));
    EXPECT_EQ(512, scorer.SetRangeFftLength(5, kRate));
    EXPECT_EQ(1024, scorer.SetRangeFftLength(10, kRate));
    EXPECT_EQ(2048, scorer.SetRangeFftLength(15, kRate));
    for (const int range : {1, 3, 20, 30, 60, 300, 3600, 14400, 86400, 0, -5})
        EXPECT_EQ(4096, scorer.SetRangeFftLength(range, kRate)) << range;
    EXPECT_EQ(3200, scorer.SetRangeFftLength(3600, 100));
    EXPECT_EQ(0, scorer.SetRangeFftLength(30, 0));
    EXPECT_EQ(0, scorer.SetRangeFftLength(30, 1 << 30));   // beyond any real rate
}

TEST(RangeMethod, ShortRangesTakeTheirFirstFftLength)
{
    // A 10 Hz rhythm over the FFT length, loud slow waves after it: only the rhythm shows.
    struct Case {
        int range, fftSeconds;
    };
    for (const Case c : {Case{2, 2}, Case{5, 4}, Case{10, 8}}) {
        SCOPED_TRACE(c.range);
        CSleepScorer scorer("unused");
        const int length = scorer.SetRangeFftLength(c.range, kRate);
        ASSERT_EQ(c.fftSeconds * kRate, length);
        auto x = Seconds(c.range);
        const double a = 15.0;
        ref::AddSine(x, a, 10.0, kRate, 0, static_cast<std::size_t>(length));
        ref::AddSine(x, 400.0, 2.0, kRate, static_cast<std::size_t>(length), x.size() - static_cast<std::size_t>(length));
        std::vector<float> spectrum(static_cast<std::size_t>(length));
        scorer.ComputeRangeBands(x.data(), x.size(), spectrum.data(), c.range, kRate);
        EXPECT_NEAR(a * a / 8, spectrum[static_cast<std::size_t>(10 * c.fftSeconds)], 1e-3);
        ExpectBandsNear({0, 0, 3 * a * a / 16, 0}, scorer, true);
    }
}

TEST(RangeMethod, FifteenAndThirtySecondsArePaddedWithTheirMean)
{
    for (const int range : {15, 30}) {
        SCOPED_TRACE(range);
        CSleepScorer scorer("unused");
        const int length = scorer.SetRangeFftLength(range, kRate);
        auto x = Noise(static_cast<std::size_t>(range) * kRate, 40.0f, 3);
        for (float& v : x)
            v += 25.0f;   // an offset, so the padding is visible
        ref::AddSine(x, 30.0, 6.0, kRate);
        std::vector<float> spectrum(static_cast<std::size_t>(length));
        scorer.ComputeRangeBands(x.data(), x.size(), spectrum.data(), range, kRate);

        const auto block = ref::PaddedBlock(x, 0, x.size(), static_cast<std::size_t>(length));
        const auto expected = ref::PowerSpectrum(block);
        ExpectSpectrumNear(expected, spectrum.data(), spectrum.size());
        ExpectBandsNear(ref::SumBands(expected, length / kRate), scorer, true);
    }
}

TEST(RangeMethod, TwentySecondsComputeNothingAndLeaveZeros)
{
    CSleepScorer scorer("unused");
    const int length = scorer.SetRangeFftLength(20, kRate);
    auto x = Noise(20 * kRate, 50.0f, 4);
    std::vector<float> spectrum(static_cast<std::size_t>(length), 7.0f);
    scorer.ComputeRangeBands(x.data(), x.size(), spectrum.data(), 20, kRate);
    for (const float v : spectrum)
        ASSERT_EQ(0.0f, v);
    ExpectBandsNear({}, scorer, true);
    EXPECT_EQ(0.0, scorer.GetRangeDelta());
}

TEST(RangeMethod, FortyFiveSecondsUseOnlyTheFirstThirty)
{
    auto x = Noise(45 * kRate, 40.0f, 5);
    ref::AddSine(x, 25.0, 9.0, kRate);
    CSleepScorer scorer("unused");
    std::vector<float> thirty(static_cast<std::size_t>(scorer.SetRangeFftLength(30, kRate)));
    scorer.ComputeRangeBands(x.data(), 30 * kRate, thirty.data(), 30, kRate);
    const double alpha30 = scorer.GetRangeAlpha();

    // Change the unused tail: the result stays the same, bit for bit.
    for (std::size_t i = 30 * kRate; i < x.size(); ++i)
        x[i] = 1000.0f;
    std::vector<float> fortyFive(static_cast<std::size_t>(scorer.SetRangeFftLength(45, kRate)));
    scorer.ComputeRangeBands(x.data(), x.size(), fortyFive.data(), 45, kRate);
    EXPECT_TRUE(SameBits(thirty, fortyFive));
    EXPECT_EQ(alpha30, scorer.GetRangeAlpha());
}

TEST(RangeMethod, SixtySecondsAverageTwoPiecesEachPaddedWithItsOwnMean)
{
    auto x = Noise(60 * kRate, 30.0f, 6);
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] += i < 30 * kRate ? 50.0f : -20.0f;   // different means in the two pieces
    ref::AddSine(x, 20.0, 3.0, kRate);
    CSleepScorer scorer("unused");
    std::vector<float> spectrum(static_cast<std::size_t>(scorer.SetRangeFftLength(60, kRate)));
    scorer.ComputeRangeBands(x.data(), x.size(), spectrum.data(), 60, kRate);

    const auto p0 = ref::PowerSpectrum(ref::PaddedBlock(x, 0, 30 * kRate, 4096));
    const auto p1 = ref::PowerSpectrum(ref::PaddedBlock(x, 30 * kRate, 30 * kRate, 4096));
    std::vector<double> expected(4096);
    for (std::size_t k = 0; k < expected.size(); ++k)
        expected[k] = (p0[k] + p1[k]) / 2;
    ExpectSpectrumNear(expected, spectrum.data(), spectrum.size());
    ExpectBandsNear(ref::SumBands(expected, 32), scorer, true);
}

TEST(RangeMethod, FourHoursAverage480PiecesInTheSerialOrder)
{
    constexpr int range = 4 * 3600;
    auto x = Noise(static_cast<std::size_t>(range) * kRate, 30.0f, 7);
    ref::AddSine(x, 20.0, 10.0, kRate);
    ref::AddSine(x, 10.0, 1.5, kRate);
    CSleepScorer scorer("unused");
    std::vector<float> spectrum(static_cast<std::size_t>(scorer.SetRangeFftLength(range, kRate)));
    scorer.ComputeRangeBands(x.data(), x.size(), spectrum.data(), range, kRate);

    // Against double precision.
    std::vector<double> expected(4096, 0.0);
    for (std::size_t p = 0; p < 480; ++p) {
        const auto power = ref::PowerSpectrum(ref::PaddedBlock(x, p * 30 * kRate, 30 * kRate, 4096));
        for (std::size_t k = 0; k < expected.size(); ++k)
            expected[k] += power[k] / 480;
    }
    ExpectSpectrumNear(expected, spectrum.data(), spectrum.size());
    ExpectBandsNear(ref::SumBands(expected, 32), scorer, true);

    // Bit for bit against one piece after the other through the public spectrum, summed
    // in piece order and divided by the piece count.
    std::vector<float> serial(4096, 0.0f), block(4096), power(4096);
    for (std::size_t p = 0; p < 480; ++p) {
        float sum = 0.0f;
        for (std::size_t i = 0; i < 30 * kRate; ++i) {
            block[i] = x[p * 30 * kRate + i];
            sum += block[i];
        }
        std::fill(block.begin() + 30 * kRate, block.end(), sum / (30 * kRate));
        scorer.PowerSpectrum(block.data(), power.data(), 4096);
        for (std::size_t k = 0; k < serial.size(); ++k)
            serial[k] += power[k];
    }
    for (float& v : serial)
        v /= 480;
    EXPECT_TRUE(SameBits(serial, spectrum));

    // Any number of threads gives the same bits.
    for (const int threads : {1, 2, 3, 8, 64}) {
        std::vector<float> again;
        ASSERT_TRUE(ComputeRangeSpectrum(x.data(), x.size(), range, kRate, again, threads));
        EXPECT_TRUE(SameBits(spectrum, again)) << threads << " threads";
    }
}

TEST(RangeMethod, ReadsOnlyTheSamplesItIsGiven)
{
    // A review page that runs past the end of the file: 100 s of a 300 s range exist. The
    // missing samples count as 0, exactly as if the caller had padded them.
    const auto available = Noise(100 * kRate, 30.0f, 8);
    auto padded = available;
    padded.resize(300 * kRate, 0.0f);
    CSleepScorer scorer("unused");
    const auto length = static_cast<std::size_t>(scorer.SetRangeFftLength(300, kRate));
    std::vector<float> fromShort(length), fromPadded(length);
    scorer.ComputeRangeBands(available.data(), available.size(), fromShort.data(), 300, kRate);
    const double delta = scorer.GetRangeDelta();
    scorer.ComputeRangeBands(padded.data(), padded.size(), fromPadded.data(), 300, kRate);
    EXPECT_TRUE(SameBits(fromPadded, fromShort));
    EXPECT_EQ(scorer.GetRangeDelta(), delta);

    // Nothing at all: zeros, and no read.
    std::vector<float> empty(length, 4.0f);
    scorer.ComputeRangeBands(nullptr, 0, empty.data(), 300, kRate);
    for (const float v : empty)
        ASSERT_EQ(0.0f, v);
    scorer.SetRangeFftLength(15, kRate);
    std::vector<float> shortRange(2048, 4.0f);
    scorer.ComputeRangeBands(nullptr, 0, shortRange.data(), 15, kRate);
    for (const float v : shortRange)
        ASSERT_EQ(0.0f, v);
}

TEST(RangeMethod, WritesNoMoreThanTheSetterReturned)
{
    // Set up for 2 s, then asked for 60 s: the FFT length follows the range (4096), only
    // the 256 values the caller allocated are written, and the bands are those of 60 s.
    const auto x = Noise(60 * kRate, 30.0f, 9);
    CSleepScorer scorer("unused");
    std::vector<float> small(static_cast<std::size_t>(scorer.SetRangeFftLength(2, kRate)));
    scorer.ComputeRangeBands(x.data(), x.size(), small.data(), 60, kRate);

    CSleepScorer valid("unused");
    std::vector<float> full(static_cast<std::size_t>(valid.SetRangeFftLength(60, kRate)));
    valid.ComputeRangeBands(x.data(), x.size(), full.data(), 60, kRate);
    EXPECT_TRUE(SameBits(std::vector<float>(full.begin(), full.begin() + 256), small));
    EXPECT_EQ(valid.GetRangeBeta(), scorer.GetRangeBeta());
    EXPECT_GT(scorer.GetRangeBeta(), 0.0);
}

TEST(RangeMethod, RatesThatGiveNoPowerOfTwoGiveZeros)
{
    // A foreign file at 100 samples per second: 3200-point spectra are zeros.
    auto x = Noise(120 * 100, 30.0f, 10);
    CSleepScorer scorer("unused");
    std::vector<float> spectrum(static_cast<std::size_t>(scorer.SetRangeFftLength(120, 100)), 1.0f);
    scorer.ComputeRangeBands(x.data(), x.size(), spectrum.data(), 120, 100);
    for (const float v : spectrum)
        ASSERT_EQ(0.0f, v);
    EXPECT_EQ(0.0, scorer.GetRangeBeta());
}
