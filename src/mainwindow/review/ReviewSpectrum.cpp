#include "mainwindow/review/ReviewSpectrum.h"

#include "analysis/SleepScorer.h"

#include <algorithm>

namespace {

// The detail display shows the bins from 0 up to 40 Hz.
constexpr int kDetailHertz = 40;

}  // namespace

sDetailBins DetailBins(std::size_t spectrumLength, int rate)
{
    if (rate <= 0)
        return {};
    const auto binsPerHz = static_cast<int>(spectrumLength / static_cast<std::size_t>(rate));
    const auto wanted = static_cast<std::size_t>(binsPerHz) * kDetailHertz;
    return {binsPerHz, static_cast<int>(std::min(wanted, spectrumLength))};
}

const sReviewSpectrum& CReviewSpectrumCache::Get(CSleepScorer& scorer, std::span<const float> eeg, int first,
                                                 int range, int rate, int displayMode)
{
    const sKey key{first, range, rate, displayMode};
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&](const sEntry& e) { return e.key == key; });
    if (found != m_entries.end()) {
        std::rotate(found, found + 1, m_entries.end());
        return m_entries.back().spectrum;
    }

    if (m_entries.size() >= kCapacity)
        m_entries.erase(m_entries.begin());
    sEntry entry{key, {}};
    const int length = scorer.SetRangeFftLength(range, rate);
    entry.spectrum.values.assign(static_cast<std::size_t>(std::max(length, 0)), 0.0f);
    scorer.ComputeRangeBands(eeg.data(), eeg.size(), entry.spectrum.values.data(), range, rate);
    entry.spectrum.bands = {scorer.GetRangeDelta(), scorer.GetRangeTheta(), scorer.GetRangeAlpha(),
                            scorer.GetRangeBeta()};
    ++m_computed;
    m_entries.push_back(std::move(entry));
    return m_entries.back().spectrum;
}
