#pragma once
// Writes EDF files for the review tests and benchmarks, byte by byte and independent of the
// program's own writer, so that foreign and broken files can be made as well: any number
// of signalCount, samples per record and record duration, a record count in the header that
// differs from the data, other dimensions and scales, and files cut at any length.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

struct sEdfFixture {
    int signalCount = 2;
    std::vector<int> samplesPerRecord = {128, 128, 128};  // per signal
    int recordDuration = 1;                               // seconds
    long long records = 45;                               // records written as data
    long long headerRecords = -1;                         // record count in the header; -1: records
    std::vector<std::string> dimensions = {"uV", "uV", "uV"};
    double physicalMax = 3276.7;  // symmetric: −max..max is −32767..32767
    std::string physicalMaxField;  // the physical maximum fields' text in place of physicalMax's
    std::string version = "0";
    int digitalMax = 32767;
    std::string recording = "TQS27123456_ON";
    std::string startDate = "02.01.24";  // dd.mm.yy
    std::string startTime = "23.59.50";  // hh.mm.ss
    // Physical value of sample i (from the start of the file) of a signal (0 EEG, 1 EMG, ...).
    std::function<double(int signal, long long sample)> value = [](int, long long) { return 0.0; };
    // Cut the file to this many bytes after writing (0: keep it whole).
    std::uint64_t truncateTo = 0;
};

// A sine of the given frequency and amplitude at `rate` samples per second.
inline std::function<double(int, long long)> EdfSines(int rate, double eegHz, double eegAmplitude, double emgHz,
                                                      double emgAmplitude)
{
    return [=](int signal, long long i) {
        const double t = static_cast<double>(i) / rate;
        return signal == 0 ? eegAmplitude * std::sin(2 * M_PI * eegHz * t) : emgAmplitude * std::sin(2 * M_PI * emgHz * t);
    };
}

// A file in which no second looks like another: a slow ramp through the whole file (so a
// sample and the one a second later always differ) under a sine whose frequency changes
// every second (so the spectra of two slices differ as well). EEG and EMG use different
// ramps and frequencies. The values stay well inside the default ±3276.7.
inline std::function<double(int, long long)> EdfChangingEverySecond(int rate, long long seconds)
{
    const double middle = static_cast<double>(seconds * rate) / 2;
    return [=](int signal, long long i) {
        const long long second = i / rate;
        const double t = static_cast<double>(i) / rate;
        const double ramp = static_cast<double>(i) - middle;
        if (signal == 0)
            return 0.05 * ramp + 40 * std::sin(2 * M_PI * static_cast<double>(1 + second % 23) * t);
        return -0.03 * ramp + 15 * std::sin(2 * M_PI * static_cast<double>(20 + second % 17) * t);
    };
}

namespace edf_fixture_detail {

inline void Put(std::string& header, std::size_t& at, std::size_t width, const std::string& text)
{
    std::string field = text.substr(0, width);
    field.resize(width, ' ');
    header.replace(at, width, field);
    at += width;
}

inline std::string Number(long long n)
{
    return std::to_string(n);
}

inline std::string Real(double d)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", d);
    return text;
}

}  // namespace edf_fixture_detail

// The digital value a physical value is stored as.
inline std::int16_t EdfDigital(const sEdfFixture& f, double physical)
{
    const double d = std::round(physical / f.physicalMax * f.digitalMax);
    return static_cast<std::int16_t>(std::clamp(d, -32768.0, 32767.0));
}

// The physical value the stored digital value stands for.
inline double EdfPhysical(const sEdfFixture& f, double physical)
{
    return f.physicalMax * (static_cast<double>(EdfDigital(f, physical)) / f.digitalMax);
}

inline std::string EdfFixtureHeader(const sEdfFixture& f)
{
    using namespace edf_fixture_detail;
    const int ns = f.signalCount;
    std::string h(static_cast<std::size_t>(256 + 256 * std::max(ns, 0)), ' ');
    std::size_t at = 0;
    Put(h, at, 8, f.version);
    Put(h, at, 80, "X X X X");
    Put(h, at, 80, f.recording);
    Put(h, at, 8, f.startDate);
    Put(h, at, 8, f.startTime);
    Put(h, at, 8, Number(256 + 256 * ns));
    Put(h, at, 44, "");
    Put(h, at, 8, Number(f.headerRecords >= 0 ? f.headerRecords : f.records));
    Put(h, at, 8, Number(f.recordDuration));
    Put(h, at, 4, Number(ns));
    auto each = [&](std::size_t width, const std::function<std::string(int)>& text) {
        for (int s = 0; s < ns; ++s)
            Put(h, at, width, text(s));
    };
    each(16, [](int s) { return std::string(s == 0 ? "EEG" : s == 1 ? "EMG" : "EXT"); });
    each(80, [](int) { return std::string(); });
    each(8, [&](int s) { return f.dimensions[static_cast<std::size_t>(s) % f.dimensions.size()]; });
    each(8, [&](int) { return Real(-f.physicalMax); });
    each(8, [&](int) { return f.physicalMaxField.empty() ? Real(f.physicalMax) : f.physicalMaxField; });
    each(8, [&](int) { return Number(-f.digitalMax); });
    each(8, [&](int) { return Number(f.digitalMax); });
    each(80, [](int) { return std::string(); });
    each(8, [&](int s) { return Number(f.samplesPerRecord[static_cast<std::size_t>(s) % f.samplesPerRecord.size()]); });
    each(32, [](int) { return std::string(); });
    return h;
}

// Writes the file; returns its length in bytes.
inline std::uint64_t WriteEdfFixture(const std::string& path, const sEdfFixture& f)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string header = EdfFixtureHeader(f);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    std::vector<char> record;
    for (long long r = 0; r < f.records; ++r) {
        record.clear();
        for (int s = 0; s < f.signalCount; ++s) {
            const int n = f.samplesPerRecord[static_cast<std::size_t>(s) % f.samplesPerRecord.size()];
            for (int i = 0; i < n; ++i) {
                const auto d = static_cast<std::uint16_t>(EdfDigital(f, f.value(s, r * n + i)));
                record.push_back(static_cast<char>(d & 0xFF));
                record.push_back(static_cast<char>(d >> 8));
            }
        }
        out.write(record.data(), static_cast<std::streamsize>(record.size()));
    }
    out.close();
    std::uint64_t length = header.size() + static_cast<std::uint64_t>(record.size()) * static_cast<std::uint64_t>(f.records);
    if (f.truncateTo > 0 && f.truncateTo < length) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes(static_cast<std::size_t>(f.truncateTo), '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        in.close();
        std::ofstream cut(path, std::ios::binary | std::ios::trunc);
        cut.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        length = f.truncateTo;
    }
    return length;
}
