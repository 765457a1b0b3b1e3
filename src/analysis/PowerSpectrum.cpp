#include "analysis/PowerSpectrum.h"

#include <algorithm>
#include <utility>

namespace {

// One block of a stage: the upper halves k and the lower halves m = k + half, which never
// overlap, so the loop can run several butterflies at once.
void Butterflies(float* __restrict reK, float* __restrict imK, float* __restrict reM, float* __restrict imM,
                 const float* __restrict c, const float* __restrict s, int half)
{
    for (int j = 0; j < half; ++j) {
        const float dr = reK[j] - reM[j];
        const float di = imK[j] - imM[j];
        reK[j] = reK[j] + reM[j];
        imK[j] = imK[j] + imM[j];
        reM[j] = c[j] * dr - s[j] * di;
        imM[j] = c[j] * di + s[j] * dr;
    }
}

} // namespace

void ComputePowerSpectrum(const float* samples, float* power, int n)
{
    if (n < 1)
        return;
    const auto tables = GetFftTables(n);
    if (!tables) {
        std::fill(power, power + n, 0.0f);
        return;
    }
    sSpectrumWork work;
    ComputePowerSpectrum(samples, power, *tables, work);
}

void ComputePowerSpectrum(const float* samples, float* power, const sFftTables& tables, sSpectrumWork& work)
{
    const int n = tables.n;
    const auto size = static_cast<std::size_t>(n);
    work.re.resize(size);
    work.im.assign(size, 0.0f);
    float* re = work.re.data();
    float* im = work.im.data();

    // Mean removal: the sum in single precision, in index order.
    float sum = 0.0f;
    for (int i = 0; i < n; ++i)
        sum += samples[i];
    const float mean = sum / static_cast<float>(n);
    for (int i = 0; i < n; ++i)
        re[i] = (samples[i] - mean) * tables.window[static_cast<std::size_t>(i)];

    // Decimation in frequency. Within one stage every butterfly touches its own pair of
    // values, so taking them block by block gives the same numbers as taking them twiddle
    // by twiddle, and lets the inner loop run over contiguous twiddles.
    int stage = 0;
    for (int half = n / 2; half >= 1; half /= 2, ++stage) {
        const float* c = tables.cosine.data() + tables.stageOffset[static_cast<std::size_t>(stage)];
        const float* s = tables.sine.data() + tables.stageOffset[static_cast<std::size_t>(stage)];
        const int span = 2 * half;
        for (int base = 0; base < n; base += span)
            Butterflies(re + base, im + base, re + base + half, im + base + half, c, s, half);
    }

    for (const auto& [a, b] : tables.swaps) {
        std::swap(re[a], re[b]);
        std::swap(im[a], im[b]);
    }

    const float nf = static_cast<float>(n);
    for (int k = 0; k < n; ++k)
        power[k] = (re[k] * re[k] + im[k] * im[k]) / nf / nf * 2.0f;
}
