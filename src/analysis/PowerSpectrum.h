#pragma once
// Power spectrum of a block of samples: mean removed, periodic Hann window, radix-2
// decimation-in-frequency FFT in single precision, power = (re² + im²) / n / n · 2 for all n
// bins (the bins above n/2 mirror those below). A length that is not a power of two gives
// n zeros.

#include "analysis/FftTables.h"

#include <vector>

// Scratch arrays of one spectrum computation, kept between calls by a caller that computes
// many spectra of the same length (the range method's pieces).
struct sSpectrumWork {
    std::vector<float> re;
    std::vector<float> im;
};

// Writes the power spectrum of samples[0..n-1] to power[0..n-1]; nothing for n < 1.
void ComputePowerSpectrum(const float* samples, float* power, int n);

// The same with the tables of its length already at hand and reusable scratch arrays.
void ComputePowerSpectrum(const float* samples, float* power, const sFftTables& tables, sSpectrumWork& work);
