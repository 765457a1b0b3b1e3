#include "analysis/BandPowers.h"

sBandPowers SumBandPowers(const float* spectrum, int n, int fftSeconds)
{
    sBandPowers bands;
    if (fftSeconds < 1)
        return bands;
    const float seconds = static_cast<float>(fftSeconds);
    for (int k = 0; k < n; ++k) {
        const float f = static_cast<float>(k) / seconds;
        const double value = spectrum[k];
        if (f >= 1.0f && f <= 4.0f)
            bands.delta += value;
        else if (f > 4.0f && f <= 8.0f)
            bands.theta += value;
        else if (f > 8.0f && f <= 12.0f)
            bands.alpha += value;
        else if (f > 12.0f && f <= 40.0f)
            bands.beta += value;
    }
    return bands;
}
