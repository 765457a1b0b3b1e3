// Reading one signal of an EDF file as physical values.

#include "recording/EdfFields.h"
#include "recording/EdfFile.h"

#include <algorithm>
#include <cstdint>
#include <sys/mman.h>
#include <vector>

using namespace edf;

namespace {

// Values read from the file at a time (1 MiB).
constexpr std::uint64_t kChunkValues = 512 * 1024;

// The map from a signal's digital values to physical values. The program's own symmetric
// header (pmin = -pmax, dmin = -dmax or -dmax-1) reads as pmax * (d / dmax); any other
// header with the standard EDF linear map from the digital to the physical range.
struct Scale {
    double pmin = 0, pmax = 0;
    int dmin = 0, dmax = 0;

    // A header with a digital maximum of 0 or an empty digital range gives no usable map.
    bool Usable() const { return dmax != 0 && dmax != dmin; }
    bool Own() const
    {
        return pmin == -pmax && (dmin == -dmax || static_cast<long long>(dmin) == -static_cast<long long>(dmax) - 1);
    }
    double operator()(int d) const
    {
        return Own() ? pmax * (static_cast<double>(d) / dmax)
                     : pmin + (static_cast<double>(d) - dmin) * (pmax - pmin) / (static_cast<double>(dmax) - dmin);
    }
};

Scale ScaleOf(const char* header, int signal)
{
    Scale s;
    s.pmin = ParseLeadingNumber(FieldText(header, OfSignal(kPhysicalMin, signal)));
    s.pmax = ParseLeadingNumber(FieldText(header, OfSignal(kPhysicalMax, signal)));
    s.dmin = ParseLeadingInt(FieldText(header, OfSignal(kDigitalMin, signal)));
    s.dmax = ParseLeadingInt(FieldText(header, OfSignal(kDigitalMax, signal)));
    return s;
}

// The physical value of every 16-bit digital value, so that each sample is one look-up.
std::vector<float> ScaleTable(const Scale& scale)
{
    std::vector<float> table(65536);
    for (int d = -32768; d <= 32767; ++d)
        table[static_cast<std::size_t>(d + 32768)] = static_cast<float>(scale(d));
    return table;
}

// Lets the kernel back a large output array with huge pages before it is first written:
// a day's recording fills 44 MB per signal, and faulting that in page by page costs more
// than reading the file. Only the whole 2 MiB blocks inside the array are marked; the
// advice changes no content and is ignored where it is not supported.
void AdviseHugePages(void* data, std::size_t bytes)
{
    constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (start + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t last = (start + bytes) & ~(kHuge - 1);
    if (data && last > first)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

int CEdfFile::ReadSignal(float* out, int channel, unsigned count)
{
    if (!out)
        count = 0;
    AdviseHugePages(out, std::size_t{count} * sizeof(float));
    // Whatever is not read from the file is 0, also when the read is refused or fails.
    // (Filling only the rest afterwards writes a large array once instead of twice.)
    std::uint64_t produced = 0;
    int result = 0;
    try {
        result = ReadSamples(out, channel, count, produced);
    } catch (const CFileException&) {
        std::fill(out + produced, out + count, 0.0f);
        throw;
    }
    std::fill(out + produced, out + count, 0.0f);
    return result;
}

bool CEdfFile::CanReadSignal(int channel) const
{
    const char* h = m_header.data();
    const int signals = GetSignalCount();
    const int samplesPerRecord = GetEegSamplesPerRecord();
    const int duration = ParseWholeSeconds(FieldText(h, kRecordDuration));
    if (!IsEdfVersion(FieldText(h, kVersion)) || signals != 2 || channel < 1 || channel > signals
        || samplesPerRecord <= 0 || GetEmgSamplesPerRecord() != samplesPerRecord || GetRecordCount() < 0
        || duration <= 0)
        return false;
    // A whole number of samples per second: anything else would be shown at the wrong rate.
    if (samplesPerRecord % duration != 0)
        return false;
    // Every scale field must be a number read whole: "abc" would read as 0 and "5E+02" as 5.
    for (const Field f : {kPhysicalMin, kPhysicalMax, kDigitalMin, kDigitalMax})
        for (int s = 0; s < 2; ++s)
            if (!HoldsPlainNumber(FieldText(h, OfSignal(f, s))))
                return false;
    return true;
}

int CEdfFile::ReadSamples(float* out, int channel, unsigned count, std::uint64_t& produced)
{
    const std::uint64_t length = GetLength();
    if (length < kEdfHeaderBytes)
        return 0;
    SeekToBegin();
    if (Read(m_header.data(), m_header.size()) != m_header.size() || !CanReadSignal(channel))
        return 0;
    if (!ScaleOf(m_header.data(), 0).Usable() || !ScaleOf(m_header.data(), 1).Usable())
        return 0;
    if (count == 0)
        return 1;
    const std::vector<float> scale = ScaleTable(ScaleOf(m_header.data(), channel - 1));

    // Values are counted from the start of the data area, both signals record by record;
    // no more than count values of each signal are looked at.
    const auto perRecord = static_cast<std::uint64_t>(GetEegSamplesPerRecord());
    const auto records = static_cast<std::uint64_t>(GetRecordCount());
    const std::uint64_t available = std::min<std::uint64_t>(2ULL * count, (length - kEdfHeaderBytes) / 2);
    const std::uint64_t offset = static_cast<std::uint64_t>(channel - 1) * perRecord;
    std::vector<unsigned char> buffer;
    std::uint64_t bufferStart = 0, bufferEnd = 0;
    for (std::uint64_t r = 0; r < records && produced < count; ++r) {
        const std::uint64_t first = r * 2 * perRecord + offset;
        if (first >= available)
            break;
        const std::uint64_t last = first + std::min({perRecord, available - first, count - produced});
        for (std::uint64_t at = first; at < last;) {
            if (at < bufferStart || at >= bufferEnd) {
                const std::uint64_t want = std::min(kChunkValues, available - at);
                buffer.resize(want * 2);
                Seek(static_cast<std::int64_t>(kEdfHeaderBytes + at * 2), begin);
                const std::size_t got = Read(buffer.data(), buffer.size()) / 2;
                if (got == 0)
                    return 1;  // the file became shorter while it was read
                bufferStart = at;
                bufferEnd = at + got;
            }
            const std::uint64_t end = std::min(last, bufferEnd);
            const unsigned char* p = buffer.data() + (at - bufferStart) * 2;
            float* o = out + produced;
            for (std::uint64_t i = 0; i < end - at; ++i) {
                const auto value = static_cast<std::int16_t>(p[2 * i] | (p[2 * i + 1] << 8));
                o[i] = scale[static_cast<std::size_t>(value + 32768)];
            }
            produced += end - at;
            at = end;
        }
    }
    return 1;
}
