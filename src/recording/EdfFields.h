#pragma once
// Where the fields of the EDF header lie and how their text is written and read. A field
// is blank-filled over its whole width and its value copied to its start, without a zero.

#include <cstddef>
#include <string>
#include <string_view>

namespace edf {

struct Field {
    std::size_t offset;
    std::size_t width;
};

// Fields of the file.
inline constexpr Field kVersion{0, 8};
inline constexpr Field kPatient{8, 80};
inline constexpr Field kRecording{88, 80};
inline constexpr Field kStartDate{168, 8};
inline constexpr Field kStartTime{176, 8};
inline constexpr Field kHeaderBytes{184, 8};
inline constexpr Field kReserved{192, 44};
inline constexpr Field kRecordCount{236, 8};
inline constexpr Field kRecordDuration{244, 8};
inline constexpr Field kSignalCount{252, 4};

// Per-signal fields of a two-signal header: the EEG value at offset, the EMG value after it.
inline constexpr Field kLabel{256, 16};
inline constexpr Field kTransducer{288, 80};
inline constexpr Field kDimension{448, 8};
inline constexpr Field kPhysicalMin{464, 8};
inline constexpr Field kPhysicalMax{480, 8};
inline constexpr Field kDigitalMin{496, 8};
inline constexpr Field kDigitalMax{512, 8};
inline constexpr Field kPrefilter{528, 80};
inline constexpr Field kSamplesPerRecord{688, 8};
inline constexpr Field kSignalReserved{704, 32};

// The field of signal 0 (EEG) or 1 (EMG).
constexpr Field OfSignal(Field f, int signal)
{
    return Field{f.offset + static_cast<std::size_t>(signal) * f.width, f.width};
}

// Scaling of the program's own recordings, EEG first: ±physical maximum µV is ±8192.
inline constexpr int kOwnPhysicalMax[2] = {750, 10619};
inline constexpr int kOwnDigitalMin = -8192;
inline constexpr int kOwnDigitalMax = 8191;

// Blank-fills the field and copies value to its start (cut at the field's width).
void PutField(char* header, Field f, std::string_view value);
void PutField(char* header, Field f, long long value);

// The field's text up to its first zero byte.
std::string_view FieldText(const char* header, Field f);

// A whole number from the field's leading characters: blanks skipped, an optional sign,
// then digits up to the first other character. No digits read as 0.
int ParseLeadingInt(std::string_view text);

// A decimal number from the field's leading characters ("-3276.8", "750"); 0 when none.
double ParseLeadingNumber(std::string_view text);

// Whether the text holds one decimal number and nothing else: blanks, an optional sign,
// digits with an optional decimal fraction ("500", "-3276.8", "500."), then only blanks.
// Exponents ("5E+02"), words and empty fields do not count.
bool HoldsPlainNumber(std::string_view text);

// Whether the version field is "0" with only blanks after it (a 24-bit file's version is
// the byte 0xFF and a name).
bool IsEdfVersion(std::string_view text);

// A record duration that is a whole number of seconds ("1", "1.000000"); 0 for anything
// else, a fraction ("0.5", "1.5"), zero or a negative value included.
int ParseWholeSeconds(std::string_view text);

// The text with its trailing blanks removed, bytes of 0x80 and above taken as Latin-1
// and returned as UTF-8.
std::string TrimmedLatin1(std::string_view text);

}  // namespace edf
