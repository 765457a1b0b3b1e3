#include "analysis/FftTables.h"

#include <array>
#include <bit>
#include <cmath>
#include <mutex>

namespace {

constexpr int kMaxCachedLog2 = 20;

std::shared_ptr<const sFftTables> BuildTables(int n)
{
    auto t = std::make_shared<sFftTables>();
    t->n = n;
    const float pi = SpectrumPi();

    t->window.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        t->window[static_cast<std::size_t>(i)] =
            static_cast<float>(0.5 - 0.5 * std::cos(2.0 * static_cast<double>(pi) * i / n));

    // The angle step starts at -2·pi/n and doubles from stage to stage; each twiddle is the
    // cosine and sine, in double, of the single-precision product j·step.
    float theta = -2.0f * pi / static_cast<float>(n);
    for (int half = n / 2; half >= 1; half /= 2) {
        t->stageOffset.push_back(static_cast<int>(t->cosine.size()));
        for (int j = 0; j < half; ++j) {
            const float angle = static_cast<float>(j) * theta;
            t->cosine.push_back(static_cast<float>(std::cos(static_cast<double>(angle))));
            t->sine.push_back(static_cast<float>(std::sin(static_cast<double>(angle))));
        }
        theta *= 2.0f;
    }

    // The classic bit-reversal walk; the swaps it makes are recorded in their order.
    int j = 0;
    for (int i = 1; i <= n - 2; ++i) {
        int k = n / 2;
        while (j >= k) {
            j -= k;
            k /= 2;
        }
        j += k;
        if (i < j)
            t->swaps.emplace_back(i, j);
    }
    return t;
}

} // namespace

bool IsPowerOfTwo(long long n)
{
    return n >= 1 && (n & (n - 1)) == 0;
}

float SpectrumPi()
{
    return static_cast<float>(4.0 * std::atan(1.0));
}

std::shared_ptr<const sFftTables> GetFftTables(int n)
{
    if (!IsPowerOfTwo(n))
        return nullptr;
    const int log2n = std::countr_zero(static_cast<unsigned>(n));
    if (log2n > kMaxCachedLog2)
        return BuildTables(n);

    static std::mutex mutex;
    static std::array<std::shared_ptr<const sFftTables>, kMaxCachedLog2 + 1> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto& slot = cache[static_cast<std::size_t>(log2n)];
    if (!slot)
        slot = BuildTables(n);
    return slot;
}
