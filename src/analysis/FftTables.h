#pragma once
// Tables of one FFT length: the periodic Hann window, the twiddle factors of every stage
// and the swaps of the bit-reversal permutation. They are computed once per length with
// exactly the expressions the spectrum would otherwise evaluate on every call, so a
// spectrum from cached tables is bit-identical to one computed from scratch.

#include <memory>
#include <utility>
#include <vector>

struct sFftTables {
    int n = 0;
    std::vector<float> window;   // n values, w[0] = 0
    // Twiddle factors stage by stage (n/2 values for the first stage, then n/4, ... 1),
    // n - 1 values in all; stageOffset[i] is where stage i starts.
    std::vector<float> cosine;
    std::vector<float> sine;
    std::vector<int> stageOffset;
    std::vector<std::pair<int, int>> swaps;   // bit-reversal swaps, in the order they are made
};

// True for 1, 2, 4, 8, ...; false for every other value, 0 and negatives included.
bool IsPowerOfTwo(long long n);

// The tables of a power-of-two length n >= 1. Lengths up to 2^20 are kept for the life of the
// program and shared between threads; longer ones are built for the caller alone.
std::shared_ptr<const sFftTables> GetFftTables(int n);

// The single-precision pi the spectrum works with: 4·atan(1) in double, rounded to float.
float SpectrumPi();
