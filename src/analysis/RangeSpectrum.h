#pragma once
// The spectrum of a displayed time range: short ranges take one FFT of their first seconds
// (15 and 30 s padded with their mean), longer ones average the spectra of their whole
// 30-second pieces, each padded with its own mean to the FFT length.

#include <cstddef>
#include <vector>

// FFT length in seconds for a displayed range: 2 s -> 2, 5 s -> 4, 10 s -> 8, 15 s -> 16,
// every other range -> 32.
int RangeFftSeconds(int rangeSeconds);

// The number of spectrum values of the range method: RangeFftSeconds × samplesPerSecond,
// or 0 when the rate is below 1 or the length would exceed 2^24.
int RangeFftLength(int rangeSeconds, int samplesPerSecond);

// Computes the spectrum of rangeSeconds × samplesPerSecond samples into `spectrum`
// (RangeFftSeconds(range) × samplesPerSecond values). Only samples[0..sampleCount-1] are
// read; samples past them count as 0. Returns false, leaving `spectrum` empty, when there
// is nothing to compute: a range under 30 s other than 2, 5, 10 and 15 s, or a
// RangeFftLength of 0.
//
// The pieces of a long range are computed on up to `threads` threads (0: one per core),
// and their spectra are summed in piece order, so the result does not depend on the
// number of threads.
bool ComputeRangeSpectrum(const float* samples, std::size_t sampleCount, int rangeSeconds, int samplesPerSecond,
                          std::vector<float>& spectrum, int threads = 0);
