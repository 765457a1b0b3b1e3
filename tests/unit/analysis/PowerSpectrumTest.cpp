// The power spectrum against a double-precision reference, its edge cases, and bit-identity
// with a step-by-step single-precision computation that evaluates window and twiddles on
// every call (what the cached tables must reproduce exactly).

#include "ReferenceSpectrum.h"
#include "analysis/SleepScorer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<float> RandomSignal(int n, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> value(-100.0f, 100.0f);
    std::vector<float> x(static_cast<std::size_t>(n));
    for (float& v : x)
        v = value(random) + 30.0f;   // an offset, so the mean removal matters
    return x;
}

// The spectrum computed step by step in single precision, tables evaluated in place.
std::vector<float> StepByStepSpectrum(const std::vector<float>& x)
{
    const int n = static_cast<int>(x.size());
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    std::vector<float> re(x.size()), im(x.size(), 0.0f), out(x.size());
    float sum = 0.0f;
    for (int i = 0; i < n; ++i)
        sum += x[i];
    const float mean = sum / n;
    for (int i = 0; i < n; ++i)
        re[i] = x[i] - mean;
    for (int i = 0; i < n; ++i)
        re[i] = re[i] * static_cast<float>(0.5 - 0.5 * std::cos(2.0 * pi * i / n));
    float theta = -2.0f * pi / n;
    for (int half = n / 2, span = n; half >= 1; half /= 2, span /= 2, theta *= 2.0f) {
        for (int j = 0; j < half; ++j) {
            const float angle = j * theta;
            const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
            const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
            for (int k = j; k < n; k += span) {
                const int m = k + half;
                const float dr = re[k] - re[m];
                const float di = im[k] - im[m];
                re[k] = re[k] + re[m];
                im[k] = im[k] + im[m];
                re[m] = c * dr - s * di;
                im[m] = c * di + s * dr;
            }
        }
    }
    for (int i = 1, j = 0; i <= n - 2; ++i) {
        int k = n / 2;
        while (j >= k) {
            j -= k;
            k /= 2;
        }
        j += k;
        if (i < j) {
            std::swap(re[i], re[j]);
            std::swap(im[i], im[j]);
        }
    }
    for (int k = 0; k < n; ++k)
        out[k] = (re[k] * re[k] + im[k] * im[k]) / n / n * 2;
    return out;
}

} // namespace

TEST(PowerSpectrum, MatchesDoublePrecisionDftAtEveryPowerOfTwo)
{
    CSleepScorer scorer("unused");
    for (int n = 1; n <= 4096; n *= 2) {
        SCOPED_TRACE(n);
        const auto x = RandomSignal(n, static_cast<unsigned>(n));
        std::vector<float> power(x.size(), -1.0f);
        scorer.PowerSpectrum(x.data(), power.data(), n);
        const auto expected = ref::PowerSpectrum(x, /*direct=*/true);
        const double tolerance = 2e-5 * std::max(ref::MaxOf(expected), 1e-6);
        for (int k = 0; k < n; ++k)
            ASSERT_NEAR(power[static_cast<std::size_t>(k)], expected[static_cast<std::size_t>(k)], tolerance) << "bin " << k;
    }
}

TEST(PowerSpectrum, IsBitIdenticalToStepByStepComputation)
{
    CSleepScorer scorer("unused");
    for (int n = 1; n <= 4096; n *= 2) {
        SCOPED_TRACE(n);
        const auto x = RandomSignal(n, 1000u + static_cast<unsigned>(n));
        std::vector<float> power(x.size());
        scorer.PowerSpectrum(x.data(), power.data(), n);
        // Twice: the second call runs from the cached tables.
        std::vector<float> again(x.size());
        scorer.PowerSpectrum(x.data(), again.data(), n);
        const auto expected = StepByStepSpectrum(x);
        ASSERT_EQ(0, std::memcmp(power.data(), expected.data(), power.size() * sizeof(float)));
        ASSERT_EQ(0, std::memcmp(again.data(), expected.data(), power.size() * sizeof(float)));
    }
}

TEST(PowerSpectrum, OtherLengthsGiveZerosAndTheInputStaysUnchanged)
{
    CSleepScorer scorer("unused");
    for (const int n : {3, 5, 6, 100, 384, 1000}) {
        SCOPED_TRACE(n);
        auto x = RandomSignal(n, 7);
        const auto before = x;
        std::vector<float> power(x.size() + 1, 5.0f);
        scorer.PowerSpectrum(x.data(), power.data(), n);
        for (int k = 0; k < n; ++k)
            EXPECT_EQ(0.0f, power[static_cast<std::size_t>(k)]);
        EXPECT_EQ(5.0f, power.back()) << "wrote past n";
        EXPECT_EQ(before, x);
    }
    // Below 1 nothing is written.
    float untouched = 5.0f;
    const float sample = 1.0f;
    scorer.PowerSpectrum(&sample, &untouched, 0);
    scorer.PowerSpectrum(&sample, &untouched, -4);
    EXPECT_EQ(5.0f, untouched);
}

TEST(PowerSpectrum, OneSampleAndConstantInputGiveZeros)
{
    CSleepScorer scorer("unused");
    const float one = 42.0f;
    float power = -1.0f;
    scorer.PowerSpectrum(&one, &power, 1);
    EXPECT_EQ(0.0f, power);

    for (const int n : {2, 64, 4096}) {
        const std::vector<float> x(static_cast<std::size_t>(n), -17.25f);
        std::vector<float> out(x.size(), -1.0f);
        scorer.PowerSpectrum(x.data(), out.data(), n);
        for (const float v : out)
            ASSERT_EQ(0.0f, v) << n;
    }
}

TEST(PowerSpectrum, SineGivesAmplitudeSquaredOverEightAndOverThirtyTwoBesideIt)
{
    CSleepScorer scorer("unused");
    struct Case {
        int n, k0;
        double amplitude;
    };
    for (const Case c : {Case{512, 40, 10.0}, Case{128, 10, 30.0}, Case{4096, 2, 3.0}, Case{256, 126, 7.0}}) {
        SCOPED_TRACE(c.k0);
        std::vector<float> x(static_cast<std::size_t>(c.n));
        ref::AddSine(x, c.amplitude, c.k0, c.n);   // k0 periods in n samples
        std::vector<float> power(x.size());
        scorer.PowerSpectrum(x.data(), power.data(), c.n);
        const double a2 = c.amplitude * c.amplitude;
        const double tolerance = 2e-5 * a2;
        for (int k = 0; k < c.n; ++k) {
            double expected = 0.0;
            for (const int peak : {c.k0, c.n - c.k0}) {
                if (k == peak)
                    expected += a2 / 8;
                else if (k == peak - 1 || k == peak + 1)
                    expected += a2 / 32;
            }
            ASSERT_NEAR(expected, power[static_cast<std::size_t>(k)], tolerance) << "bin " << k;
        }
    }
}
