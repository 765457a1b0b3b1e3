// Reading one signal of an EDF file as physical values.

#include "recording/EdfFields.h"
#include "recording/EdfFile.h"

#include <algorithm>
#include <vector>

using namespace edf;

namespace {

// Values read from the file at a time (1 MiB).
constexpr std::uint64_t kChunkValues = 512 * 1024;

// The physical value of every 16-bit digital value of one signal. The program's own
// symmetric header (pmin = -pmax, dmin = -dmax or -dmax-1) reads as pmax * (d / dmax);
// any other header with the standard EDF linear map from the digital to the physical range.
// Returns false when the header gives no usable map.
bool MakeScaleTable(const char* header, int signal, std::vector<float>& table)
{
    const double pmin = ParseLeadingNumber(FieldText(header, OfSignal(kPhysicalMin, signal)));
    const double pmax = ParseLeadingNumber(FieldText(header, OfSignal(kPhysicalMax, signal)));
    const int dmin = ParseLeadingInt(FieldText(header, OfSignal(kDigitalMin, signal)));
    const int dmax = ParseLeadingInt(FieldText(header, OfSignal(kDigitalMax, signal)));
    if (dmax == 0 || dmax == dmin)
        return false;
    const bool own = pmin == -pmax && (dmin == -dmax || static_cast<long long>(dmin) == -static_cast<long long>(dmax) - 1);
    table.resize(65536);
    for (int d = -32768; d <= 32767; ++d) {
        const double value = own ? pmax * (static_cast<double>(d) / dmax)
                                 : pmin + (static_cast<double>(d) - dmin) * (pmax - pmin)
                                           / (static_cast<double>(dmax) - dmin);
        table[static_cast<std::size_t>(d + 32768)] = static_cast<float>(value);
    }
    return true;
}

}  // namespace

int CEdfFile::ReadSignal(float* out, int channel, unsigned count)
{
    if (out)
        std::fill_n(out, count, 0.0f);
    const std::uint64_t length = GetLength();
    if (length < kEdfHeaderBytes)
        return 0;
    SeekToBegin();
    if (Read(m_header.data(), m_header.size()) != m_header.size())
        return 0;

    const char* h = m_header.data();
    const int signals = GetSignalCount();
    const int samplesPerRecord = GetEegSamplesPerRecord();
    const int recordCount = GetRecordCount();
    if (signals != 2 || channel < 1 || channel > signals || samplesPerRecord <= 0
        || GetEmgSamplesPerRecord() != samplesPerRecord || recordCount < 0
        || ParseWholeSeconds(FieldText(h, kRecordDuration)) <= 0)
        return 0;
    std::vector<float> eegScale, emgScale;
    if (!MakeScaleTable(h, 0, eegScale) || !MakeScaleTable(h, 1, emgScale))
        return 0;
    if (!out || count == 0)
        return 1;
    const std::vector<float>& scale = channel == 1 ? eegScale : emgScale;

    // Values are counted from the start of the data area, both signals record by record;
    // no more than count values of each signal are looked at.
    const auto perRecord = static_cast<std::uint64_t>(samplesPerRecord);
    const std::uint64_t available = std::min<std::uint64_t>(2ULL * count, (length - kEdfHeaderBytes) / 2);
    const std::uint64_t offset = static_cast<std::uint64_t>(channel - 1) * perRecord;
    std::vector<unsigned char> buffer;
    std::uint64_t bufferStart = 0, bufferEnd = 0;
    std::uint64_t produced = 0;
    for (std::uint64_t r = 0; r < static_cast<std::uint64_t>(recordCount) && produced < count; ++r) {
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
