#include "analysis/RangeSpectrum.h"

#include "analysis/PowerSpectrum.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

constexpr long long kMaxFftLength = 1LL << 24;
constexpr int kPieceSeconds = 30;
// Below this many pieces the threads cost more than they save.
constexpr int kMinPiecesForThreads = 4;

// Copies `taken` samples from index `first` into block[0..taken-1] (samples past `count`
// read as 0) and fills the rest of the block, up to `length`, with their mean.
void FillPaddedBlock(const float* samples, std::size_t count, std::size_t first, std::size_t taken, float* block,
                     std::size_t length)
{
    float sum = 0.0f;
    for (std::size_t i = 0; i < taken; ++i) {
        const std::size_t index = first + i;
        const float value = index < count ? samples[index] : 0.0f;
        block[i] = value;
        sum += value;
    }
    if (taken < length)
        std::fill(block + taken, block + length, sum / static_cast<float>(taken));
}

// One spectrum of `length` values; zeros when the length is not a power of two.
void BlockSpectrum(const float* block, float* power, const sFftTables* tables, std::size_t length,
                   sSpectrumWork& work)
{
    if (tables)
        ComputePowerSpectrum(block, power, *tables, work);
    else
        std::fill(power, power + length, 0.0f);
}

// Averages the spectra of the pieces of a long range on several threads. Each thread takes
// the next piece from a counter and computes its spectrum into a slot of a ring; the
// spectra are added to the sum strictly in piece order (0, 1, 2, ...) by whichever thread
// finds the next piece ready, so the result is bit-identical to adding them one after the
// other. A thread waits only when the ring is full, that is when it has run a whole ring
// ahead of the oldest piece not yet added.
class CPieceAverager {
public:
    CPieceAverager(const float* samples, std::size_t count, std::size_t pieceSamples, std::size_t length, int pieces)
        : m_samples(samples), m_count(count), m_pieceSamples(pieceSamples), m_length(length), m_pieces(pieces),
          m_tables(GetFftTables(static_cast<int>(length))), m_sum(length, 0.0f)
    {
    }

    std::vector<float> Run(int threads)
    {
        const int workers = std::max(1, std::min(threads, m_pieces));
        m_ringSize = std::min(m_pieces, kSlotsPerWorker * workers);
        m_slots.assign(static_cast<std::size_t>(m_ringSize) * m_length, 0.0f);
        m_slotPiece = std::vector<std::atomic<int>>(static_cast<std::size_t>(m_ringSize));
        for (auto& piece : m_slotPiece)
            piece.store(-1);
        std::vector<sScratch> scratch(static_cast<std::size_t>(workers));
        for (auto& s : scratch) {
            s.block.resize(m_length);
            s.work.re.resize(m_length);
            s.work.im.resize(m_length);
        }

        std::vector<std::jthread> helpers;
        try {
            for (int i = 1; i < workers; ++i)
                helpers.emplace_back([this, &s = scratch[static_cast<std::size_t>(i)]] { Work(s); });
        } catch (const std::system_error&) {
            // Fewer threads only make it slower: pieces are taken from a shared counter.
        }
        Work(scratch[0]);
        helpers.clear();
        Drain();

        const float divisor = static_cast<float>(m_pieces);
        for (float& value : m_sum)
            value /= divisor;
        return std::move(m_sum);
    }

private:
    static constexpr int kSlotsPerWorker = 8;

    struct sScratch {
        std::vector<float> block;
        sSpectrumWork work;
    };

    std::atomic<int>& SlotPiece(int piece) { return m_slotPiece[static_cast<std::size_t>(piece % m_ringSize)]; }
    float* Slot(int piece) { return m_slots.data() + static_cast<std::size_t>(piece % m_ringSize) * m_length; }

    void Work(sScratch& s)
    {
        for (;;) {
            const int piece = m_nextPiece.fetch_add(1);
            if (piece >= m_pieces)
                return;
            // The slot is free once the piece a ring earlier has been added.
            for (int added = m_added.load(); piece >= added + m_ringSize; added = m_added.load())
                m_added.wait(added);
            FillPaddedBlock(m_samples, m_count, static_cast<std::size_t>(piece) * m_pieceSamples, m_pieceSamples,
                            s.block.data(), m_length);
            BlockSpectrum(s.block.data(), Slot(piece), m_tables.get(), m_length, s.work);
            SlotPiece(piece).store(piece);
            // Either this thread sees that its piece is the next to add, or the thread adding
            // the one before sees this piece ready (both orders are sequentially consistent).
            if (m_added.load() == piece)
                Drain();
        }
    }

    // Adds every ready piece from the next one on, in order.
    void Drain()
    {
        std::lock_guard<std::mutex> lock(m_drainMutex);
        for (int next = m_added.load(); next < m_pieces && SlotPiece(next).load() == next; ++next) {
            const float* power = Slot(next);
            for (std::size_t k = 0; k < m_length; ++k)
                m_sum[k] += power[k];
            m_added.store(next + 1);
            m_added.notify_all();
        }
    }

    const float* m_samples;
    std::size_t m_count;
    std::size_t m_pieceSamples;
    std::size_t m_length;
    int m_pieces;
    std::shared_ptr<const sFftTables> m_tables;
    std::vector<float> m_sum;
    int m_ringSize = 1;
    std::vector<float> m_slots;
    std::vector<std::atomic<int>> m_slotPiece;
    std::mutex m_drainMutex;
    std::atomic<int> m_nextPiece{0};
    std::atomic<int> m_added{0};
};

} // namespace

int RangeFftSeconds(int rangeSeconds)
{
    switch (rangeSeconds) {
    case 2: return 2;
    case 5: return 4;
    case 10: return 8;
    case 15: return 16;
    default: return 32;
    }
}

int RangeFftLength(int rangeSeconds, int samplesPerSecond)
{
    const long long length = static_cast<long long>(RangeFftSeconds(rangeSeconds)) * samplesPerSecond;
    return length >= 1 && length <= kMaxFftLength ? static_cast<int>(length) : 0;
}

bool ComputeRangeSpectrum(const float* samples, std::size_t sampleCount, int rangeSeconds, int samplesPerSecond,
                          std::vector<float>& spectrum, int threads)
{
    spectrum.clear();
    const int fftLength = RangeFftLength(rangeSeconds, samplesPerSecond);
    if (fftLength == 0)
        return false;
    const auto length = static_cast<std::size_t>(fftLength);
    const auto rate = static_cast<std::size_t>(samplesPerSecond);

    std::size_t taken = 0;
    switch (rangeSeconds) {
    case 2:
    case 5:
    case 10: taken = length; break;     // the first FFT length of the range
    case 15:
    case 30: taken = static_cast<std::size_t>(rangeSeconds) * rate; break;   // padded with its mean
    default: break;
    }
    if (taken > 0) {
        const auto tables = GetFftTables(static_cast<int>(length));
        std::vector<float> block(length);
        FillPaddedBlock(samples, sampleCount, 0, taken, block.data(), length);
        spectrum.resize(length);
        sSpectrumWork work;
        BlockSpectrum(block.data(), spectrum.data(), tables.get(), length, work);
        return true;
    }

    const int pieces = rangeSeconds / kPieceSeconds;
    if (pieces < 1)
        return false;
    if (threads <= 0)
        threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (pieces < kMinPiecesForThreads)
        threads = 1;
    CPieceAverager averager(samples, sampleCount, kPieceSeconds * rate, length, pieces);
    spectrum = averager.Run(threads);
    return true;
}
