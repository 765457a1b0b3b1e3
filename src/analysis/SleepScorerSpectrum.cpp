// CSleepScorer: power spectrum, live method and range method.
#include "analysis/SleepScorer.h"

#include "analysis/PowerSpectrum.h"
#include "analysis/RangeSpectrum.h"

#include <algorithm>

void CSleepScorer::PowerSpectrum(const float* samples, float* power, int n) const
{
    ComputePowerSpectrum(samples, power, n);
}

int CSleepScorer::SetFftSeconds(int seconds)
{
    m_liveFftSeconds = std::clamp(seconds, 0, kMaxLiveFftSeconds);
    return kSampleRate * m_liveFftSeconds;
}

void CSleepScorer::ComputeLiveBands(const float* samples, float* spectrum, int seconds)
{
    m_liveBands = {};
    const int written = kSampleRate * m_liveFftSeconds;
    std::fill(spectrum, spectrum + written, 0.0f);

    // The newest s seconds, never more than the caller gave.
    const int s = std::min(m_liveFftSeconds, seconds);
    if (s < 1)
        return;
    const int length = kSampleRate * s;
    const std::size_t first = static_cast<std::size_t>(seconds - s) * kSampleRate;
    ComputePowerSpectrum(samples + first, spectrum, length);
    m_liveBands = SumBandPowers(spectrum, length, s);
}

int CSleepScorer::SetRangeFftLength(int rangeSeconds, int samplesPerSecond)
{
    m_rangeSpectrumLength = RangeFftLength(rangeSeconds, samplesPerSecond);
    return m_rangeSpectrumLength;
}

void CSleepScorer::ComputeRangeBands(const float* samples, std::size_t sampleCount, float* spectrum, int rangeSeconds,
                                     int samplesPerSecond)
{
    m_rangeBands = {};
    const auto writable = static_cast<std::size_t>(m_rangeSpectrumLength);
    std::fill(spectrum, spectrum + writable, 0.0f);

    std::vector<float> computed;
    if (!ComputeRangeSpectrum(samples, sampleCount, rangeSeconds, samplesPerSecond, computed))
        return;
    std::copy_n(computed.begin(), std::min(writable, computed.size()), spectrum);
    m_rangeBands = SumBandPowers(computed.data(), static_cast<int>(computed.size()), RangeFftSeconds(rangeSeconds));
}
