#pragma once
// The spectrum of the shown part of a reviewed file, as the spectrum chart needs it, and a
// small cache of the pages computed last. The result depends only on the samples, so a
// page shown again (the same first second, range, rate and display mode of the same file)
// is taken from the cache: under "ALL" a page step, a click or a scroll step that leaves
// the window where it is recomputes nothing.

#include <cstddef>
#include <span>
#include <vector>

#include "analysis/BandPowers.h"

class CSleepScorer;

struct sReviewSpectrum {
    std::vector<float> values;  // the range method's spectrum, zeros where it computes none
    sBandPowers bands;          // its four band powers
};

// What the chart is handed in the detail display: bins per hertz, the bin count from 0 to
// 40 Hz, never more than the values computed (a rate below 40 computes fewer).
struct sDetailBins {
    int binsPerHz = 0;
    int count = 0;
};
sDetailBins DetailBins(std::size_t spectrumLength, int rate);

class CReviewSpectrumCache {
public:
    static constexpr std::size_t kCapacity = 8;

    // The spectrum of `range` seconds at `rate` from second `first` on; `eeg` holds the
    // samples from that second to the end of the file. Computed with the scorer's range
    // method unless the cache holds it.
    const sReviewSpectrum& Get(CSleepScorer& scorer, std::span<const float> eeg, int first, int range, int rate,
                               int displayMode);
    // Forgets every page (a new file, or none).
    void Clear() { m_entries.clear(); }
    // How many spectra were computed so far.
    std::size_t Computed() const { return m_computed; }

private:
    struct sKey {
        int first, range, rate, displayMode;
        bool operator==(const sKey&) const = default;
    };
    struct sEntry {
        sKey key;
        sReviewSpectrum spectrum;
    };
    std::vector<sEntry> m_entries;  // the most recently used last
    std::size_t m_computed = 0;
};
