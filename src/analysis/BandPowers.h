#pragma once
// The four EEG band powers and the rule that sums a spectrum into them.

struct sBandPowers {
    double delta = 0.0;   // 1 <= f <= 4 Hz
    double theta = 0.0;   // 4 < f <= 8 Hz
    double alpha = 0.0;   // 8 < f <= 12 Hz
    double beta = 0.0;    // 12 < f <= 40 Hz
};

// Sums the n spectrum values into the bands. Bin k lies at k / fftSeconds Hz (in single
// precision); bins below 1 Hz or above 40 Hz belong to no band, the 4, 8 and 12 Hz bins to
// the lower band. Every band is 0 when fftSeconds < 1.
sBandPowers SumBandPowers(const float* spectrum, int n, int fftSeconds);
