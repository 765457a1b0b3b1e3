// The EDF header: how a header is filled for writing and how the getters read it.

#include "recording/DeviceName.h"
#include "recording/EdfFields.h"
#include "recording/EdfFile.h"

#include <cstdio>
#include <cstring>

using namespace edf;

namespace {

// Values that every header of the program carries, EEG first.
constexpr const char* kLabels[2] = {"EEG", "EMG"};
constexpr const char* kDimensions[2] = {"uV", "uV"};
constexpr const char* kPrefilters[2] = {"HP:0.3Hz LP:40Hz", "HP:0.3Hz LP:44Hz"};

// "dd.mm.yy" or "hh.mm.ss" of three numbers.
std::string TwoDigitTriple(int a, int b, int c)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%02d", a, b, c);
    return text;
}

// Reads three numbers separated by points from an 8-character date or time field.
bool ReadTriple(const char* header, Field f, int& a, int& b, int& c)
{
    char text[9] = {};
    std::memcpy(text, header + f.offset, f.width);
    return std::sscanf(text, "%02d.%02d.%02d", &a, &b, &c) == 3;
}

}  // namespace

CEdfFile::CEdfFile(const std::string& path, unsigned flags, WallClock clock)
    : CFile(path, flags), m_clock(clock ? std::move(clock) : WallClock(SystemWallClock))
{
}

void CEdfFile::SetDeviceName(const char* name)
{
    m_deviceName = DeviceNameBytes(name);
}

void CEdfFile::FillHeader(Header& image, std::uint64_t recordCount, int samplesPerRecord) const
{
    char* h = image.data();
    const bool startMissing = h[kStartDate.offset] == '\0';
    PutField(h, kVersion, "0");
    PutField(h, kPatient, "");
    PutField(h, kRecording, PrintableAsciiPrefix(m_deviceName, 11) + "_ON");
    if (startMissing) {
        // One reading of the clock gives both fields, so they always name the same second.
        const std::time_t start = m_clock() - 1;
        std::tm local{};
        localtime_r(&start, &local);
        PutField(h, kStartDate, TwoDigitTriple(local.tm_mday, local.tm_mon + 1, local.tm_year % 100));
        PutField(h, kStartTime, TwoDigitTriple(local.tm_hour, local.tm_min, local.tm_sec));
    }
    PutField(h, kHeaderBytes, static_cast<long long>(kEdfHeaderBytes));
    PutField(h, kReserved, "");
    PutField(h, kRecordCount, static_cast<long long>(recordCount));
    PutField(h, kRecordDuration, 1LL);
    PutField(h, kSignalCount, 2LL);
    for (int s = 0; s < 2; ++s) {
        PutField(h, OfSignal(kLabel, s), kLabels[s]);
        PutField(h, OfSignal(kTransducer, s), kLabels[s]);
        PutField(h, OfSignal(kDimension, s), kDimensions[s]);
        PutField(h, OfSignal(kPhysicalMin, s), static_cast<long long>(-kOwnPhysicalMax[s]));
        PutField(h, OfSignal(kPhysicalMax, s), static_cast<long long>(kOwnPhysicalMax[s]));
        PutField(h, OfSignal(kDigitalMin, s), static_cast<long long>(kOwnDigitalMin));
        PutField(h, OfSignal(kDigitalMax, s), static_cast<long long>(kOwnDigitalMax));
        PutField(h, OfSignal(kPrefilter, s), kPrefilters[s]);
        PutField(h, OfSignal(kSamplesPerRecord, s), static_cast<long long>(samplesPerRecord));
        PutField(h, OfSignal(kSignalReserved, s), "");
    }
}

std::string CEdfFile::GetRecordingId() const
{
    return TrimmedLatin1(FieldText(m_header.data(), Field{kRecording.offset, 11}));
}

std::time_t CEdfFile::GetStartDateTime() const
{
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (!ReadTriple(m_header.data(), kStartDate, day, month, year)
        || !ReadTriple(m_header.data(), kStartTime, hour, minute, second))
        return 0;
    if (year < 0)
        return 0;
    // Two-digit years: 85-99 are 1985-1999, the rest 2000-2084.
    year += year >= 85 ? 1900 : 2000;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour < 0 || hour > 23 || minute < 0
        || minute > 59 || second < 0 || second > 59)
        return 0;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    const std::time_t t = std::mktime(&local);
    return t == static_cast<std::time_t>(-1) ? 0 : t;
}

int CEdfFile::GetRecordCount() const
{
    return ParseLeadingInt(FieldText(m_header.data(), kRecordCount));
}

int CEdfFile::GetRecordDuration() const
{
    return ParseLeadingInt(FieldText(m_header.data(), kRecordDuration));
}

int CEdfFile::GetSignalCount() const
{
    return ParseLeadingInt(FieldText(m_header.data(), kSignalCount));
}

std::string CEdfFile::GetEegDimension() const
{
    return TrimmedLatin1(FieldText(m_header.data(), OfSignal(kDimension, 0)));
}

std::string CEdfFile::GetEmgDimension() const
{
    return TrimmedLatin1(FieldText(m_header.data(), OfSignal(kDimension, 1)));
}

int CEdfFile::GetEegPhysicalMax() const
{
    return ParseLeadingInt(FieldText(m_header.data(), OfSignal(kPhysicalMax, 0)));
}

int CEdfFile::GetEmgPhysicalMax() const
{
    return ParseLeadingInt(FieldText(m_header.data(), OfSignal(kPhysicalMax, 1)));
}

int CEdfFile::GetEegDigitalMax() const
{
    return ParseLeadingInt(FieldText(m_header.data(), OfSignal(kDigitalMax, 0)));
}

int CEdfFile::GetEmgDigitalMax() const
{
    return ParseLeadingInt(FieldText(m_header.data(), OfSignal(kDigitalMax, 1)));
}

int CEdfFile::GetEegSamplesPerRecord() const
{
    return ParseLeadingInt(FieldText(m_header.data(), OfSignal(kSamplesPerRecord, 0)));
}

int CEdfFile::GetEmgSamplesPerRecord() const
{
    return ParseLeadingInt(FieldText(m_header.data(), OfSignal(kSamplesPerRecord, 1)));
}
