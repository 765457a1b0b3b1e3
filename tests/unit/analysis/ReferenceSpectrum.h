#pragma once
// Reference arithmetic for the spectrum tests, in double precision and written without
// the library's code: a direct DFT, a plain recursive FFT, the spectrum rule (mean removed,
// periodic Hann window, 2·|X|²/n²), and a sine generator.

#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

namespace ref {

inline std::vector<std::complex<double>> DirectDft(const std::vector<double>& x)
{
    const std::size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> sum;
        for (std::size_t i = 0; i < n; ++i)
            sum += x[i] * std::polar(1.0, -2.0 * M_PI * static_cast<double>((k * i) % n) / static_cast<double>(n));
        out[k] = sum;
    }
    return out;
}

// Recursive decimation-in-time FFT for power-of-two sizes.
inline void Fft(std::vector<std::complex<double>>& a)
{
    const std::size_t n = a.size();
    if (n <= 1)
        return;
    std::vector<std::complex<double>> even(n / 2), odd(n / 2);
    for (std::size_t i = 0; i < n / 2; ++i) {
        even[i] = a[2 * i];
        odd[i] = a[2 * i + 1];
    }
    Fft(even);
    Fft(odd);
    for (std::size_t k = 0; k < n / 2; ++k) {
        const auto t = std::polar(1.0, -2.0 * M_PI * static_cast<double>(k) / static_cast<double>(n)) * odd[k];
        a[k] = even[k] + t;
        a[k + n / 2] = even[k] - t;
    }
}

// The power spectrum of x by the program's rule, in double precision.
inline std::vector<double> PowerSpectrum(const std::vector<float>& x, bool direct = false)
{
    const std::size_t n = x.size();
    double mean = 0.0;
    for (const float v : x)
        mean += v;
    mean /= static_cast<double>(n);
    std::vector<double> windowed(n);
    for (std::size_t i = 0; i < n; ++i)
        windowed[i] = (x[i] - mean) * (0.5 - 0.5 * std::cos(2.0 * M_PI * static_cast<double>(i) / static_cast<double>(n)));
    std::vector<std::complex<double>> spectrum;
    if (direct) {
        spectrum = DirectDft(windowed);
    } else {
        spectrum.assign(windowed.begin(), windowed.end());
        Fft(spectrum);
    }
    std::vector<double> power(n);
    const double nn = static_cast<double>(n) * static_cast<double>(n);
    for (std::size_t k = 0; k < n; ++k)
        power[k] = 2.0 * std::norm(spectrum[k]) / nn;
    return power;
}

// `taken` values from `first` (0 past the end), padded with their mean to `length`.
inline std::vector<float> PaddedBlock(const std::vector<float>& x, std::size_t first, std::size_t taken,
                                      std::size_t length)
{
    std::vector<float> block(length);
    double sum = 0.0;
    for (std::size_t i = 0; i < taken; ++i) {
        block[i] = first + i < x.size() ? x[first + i] : 0.0f;
        sum += block[i];
    }
    for (std::size_t i = taken; i < length; ++i)
        block[i] = static_cast<float>(sum / static_cast<double>(taken));
    return block;
}

// Band powers of a reference spectrum: {delta, theta, alpha, beta}, bin k at k/seconds Hz.
struct Bands {
    double delta = 0, theta = 0, alpha = 0, beta = 0;
};
inline Bands SumBands(const std::vector<double>& p, int seconds)
{
    Bands b;
    for (std::size_t k = 0; k < p.size(); ++k) {
        // Compared in integers (k against s·edge), so no rounding decides a bin.
        const long long s = seconds;
        const long long kk = static_cast<long long>(k);
        if (kk >= s && kk <= 4 * s)
            b.delta += p[k];
        else if (kk > 4 * s && kk <= 8 * s)
            b.theta += p[k];
        else if (kk > 8 * s && kk <= 12 * s)
            b.alpha += p[k];
        else if (kk > 12 * s && kk <= 40 * s)
            b.beta += p[k];
    }
    return b;
}

// amplitude · sin(2π·hz·t) at `rate` samples per second, `count` samples from sample `start`.
inline void AddSine(std::vector<float>& x, double amplitude, double hz, int rate, std::size_t start = 0,
                    std::size_t count = static_cast<std::size_t>(-1))
{
    const std::size_t end = count == static_cast<std::size_t>(-1) ? x.size() : start + count;
    for (std::size_t i = start; i < end; ++i)
        x[i] += static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * static_cast<double>(i) / rate));
}

inline double MaxOf(const std::vector<double>& v)
{
    double m = 0.0;
    for (const double x : v)
        m = std::max(m, std::abs(x));
    return m;
}

} // namespace ref
