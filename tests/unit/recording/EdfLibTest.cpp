// EDF files checked against EDFlib, an independent reader and writer: the program's files
// must open in it without complaint, and plain EDF files it writes must read back here.

#include <gtest/gtest.h>

#include <cmath>
#include <edflib.h>
#include <memory>
#include <vector>

#include "EdfLibCheck.h"
#include "RecordingTestSupport.h"
#include "recording/EdfFile.h"
#include "support/TempDir.h"

namespace {

constexpr unsigned kAppend = CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite;

// A test signal over the whole range of the header, the ends included. (EDFlib clamps a
// stored value to the header's digital range; the receiver's EMG can exceed it by 15 steps,
// which the program's own reader keeps.)
float EegAt(int k)
{
    if (k % 97 == 0)
        return k % 2 ? 750.0f : -750.0f;
    return static_cast<float>(700.0 * std::sin(k * 0.013) + 0.37 * (k % 11));
}

float EmgAt(int k)
{
    if (k % 89 == 0)
        return k % 2 ? 10619.0f : -10619.0f;
    return static_cast<float>(10000.0 * std::cos(k * 0.007) - 1.3 * (k % 7));
}

// EDFlib writes EDF+ only, with an annotation signal after the data signals. This keeps
// everything EDFlib wrote but that signal: a plain two-signal EDF file, the reserved field
// blank. Written from the EDF layout alone, without the program's code.
std::string StripAnnotationSignal(const std::string& edfPlus)
{
    const int signals = std::stoi(edfPlus.substr(252, 4));
    const std::size_t headerBytes = 256 + 256 * static_cast<std::size_t>(signals);
    // Per-signal fields: label, transducer, dimension, physical and digital range,
    // prefiltering, samples per record, reserved.
    const std::size_t widths[] = {16, 80, 8, 8, 8, 8, 8, 80, 8, 32};
    const std::size_t samplesField = 8;
    std::string header = edfPlus.substr(0, 256);
    header.replace(184, 8, "768     ");
    header.replace(192, 44, std::string(44, ' '));
    header.replace(252, 4, "2   ");
    std::size_t at = 256;
    std::vector<std::size_t> samples;
    for (std::size_t f = 0; f < std::size(widths); ++f) {
        const std::size_t w = widths[f];
        header += edfPlus.substr(at, 2 * w);
        if (f == samplesField)
            for (int s = 0; s < signals; ++s)
                samples.push_back(std::stoul(edfPlus.substr(at + s * w, w)));
        at += signals * w;
    }
    std::size_t recordBytes = 0;
    for (std::size_t n : samples)
        recordBytes += 2 * n;
    const std::size_t keep = 2 * (samples[0] + samples[1]);
    std::string out = header;
    for (std::size_t r = headerBytes; r + recordBytes <= edfPlus.size(); r += recordBytes)
        out += edfPlus.substr(r, keep);
    return out;
}

// Writes a two-signal EDF file with EDFlib: two signals of the given rate and ranges.
void WriteWithEdfLib(const std::string& path, int rate, double physMin, double physMax, int digMin, int digMax,
                     int seconds, int year, const std::vector<double>& eeg, const std::vector<double>& emg)
{
    const int h = edfopen_file_writeonly(path.c_str(), EDFLIB_FILETYPE_EDFPLUS, 2);
    ASSERT_GE(h, 0);
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(edf_set_samplefrequency(h, s, rate), 0);
        ASSERT_EQ(edf_set_physical_minimum(h, s, physMin), 0);
        ASSERT_EQ(edf_set_physical_maximum(h, s, physMax), 0);
        ASSERT_EQ(edf_set_digital_minimum(h, s, digMin), 0);
        ASSERT_EQ(edf_set_digital_maximum(h, s, digMax), 0);
        ASSERT_EQ(edf_set_physical_dimension(h, s, "uV"), 0);
        ASSERT_EQ(edf_set_label(h, s, s == 0 ? "EEG" : "EMG"), 0);
    }
    ASSERT_EQ(edf_set_startdatetime(h, year, 12, 31, 23, 59, 59), 0);
    for (int sec = 0; sec < seconds; ++sec) {
        std::vector<double> a(eeg.begin() + sec * rate, eeg.begin() + (sec + 1) * rate);
        std::vector<double> b(emg.begin() + sec * rate, emg.begin() + (sec + 1) * rate);
        ASSERT_EQ(edfwrite_physical_samples(h, a.data()), 0);
        ASSERT_EQ(edfwrite_physical_samples(h, b.data()), 0);
    }
    ASSERT_EQ(edfclose_file(h), 0);
}

// The physical values of both signals as EDFlib itself reads them.
std::vector<double> ReadWithEdfLib(const std::string& path, int signal)
{
    auto hdr = std::make_unique<edf_hdr_struct>();
    if (edfopen_file_readonly(path.c_str(), hdr.get(), EDFLIB_DO_NOT_READ_ANNOTATIONS) != 0)
        return {};
    std::vector<double> values(static_cast<std::size_t>(hdr->signalparam[signal].smp_in_file));
    edfread_physical_samples(hdr->handle, signal, static_cast<int>(values.size()), values.data());
    edfclose_file(hdr->handle);
    return values;
}

}  // namespace

TEST(EdfLib, ReadsTheProgramsRecordingWithinHalfAStep)
{
    TempDir dir;
    const std::string path = dir.file("r.edf");
    const int seconds = 60;
    std::vector<float> eeg, emg;
    {
        CEdfFile edf(path, kAppend, FixedClock(LocalTime(2019, 3, 7, 10, 20, 31)));
        // A control byte in the name must not reach the header (EDFlib refuses such files).
        edf.SetDeviceName("TQR2701\x1b[0m");
        std::vector<float> record(256);
        for (int s = 0; s < seconds; ++s) {
            for (int i = 0; i < 128; ++i) {
                record[i] = EegAt(s * 128 + i);
                record[128 + i] = EmgAt(s * 128 + i);
            }
            eeg.insert(eeg.end(), record.begin(), record.begin() + 128);
            emg.insert(emg.end(), record.begin() + 128, record.end());
            edf.WriteRecord(record.data(), 2, 128);
        }
    }
    ExpectEdfLibReads(path, LocalTime(2019, 3, 7, 10, 20, 30), "TQR2701_ON", eeg, emg);
}

TEST(EdfLib, ProgramReadsTwoSignalFilesWithEdfLibsSamplesAndHeader)
{
    struct Case {
        const char* what;
        int rate;
        double physMin, physMax;
        int digMin, digMax;
        int year;
    };
    const Case cases[] = {
        {"symmetric 16-bit", 128, -750.0, 750.0, -32768, 32767, 2019},
        {"asymmetric physical range", 128, -100.0, 900.0, -32768, 32767, 1990},
        {"offset digital range", 256, -500.0, 500.0, -2000, 30000, 2023},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const std::string path = dir.file("lib.edf");
        const int seconds = 5;
        std::vector<double> eeg(static_cast<std::size_t>(seconds * c.rate)), emg(eeg.size());
        for (std::size_t k = 0; k < eeg.size(); ++k) {
            eeg[k] = c.physMin + (c.physMax - c.physMin) * (0.5 + 0.45 * std::sin(k * 0.05));
            emg[k] = c.physMin + (c.physMax - c.physMin) * (0.5 - 0.45 * std::cos(k * 0.03));
        }
        WriteWithEdfLib(path, c.rate, c.physMin, c.physMax, c.digMin, c.digMax, seconds, c.year, eeg, emg);
        const std::vector<double> reference[2] = {ReadWithEdfLib(path, 0), ReadWithEdfLib(path, 1)};
        ASSERT_EQ(reference[0].size(), eeg.size()) << c.what;
        {
            // The EDF+ file itself has three signals: not of the form this program reads.
            CEdfFile edfPlus(path, CFile::modeRead);
            std::vector<float> out(16);
            EXPECT_EQ(edfPlus.ReadSignal(out.data(), 1, 16), 0) << c.what;
        }
        WriteWholeFile(path, StripAnnotationSignal(ReadWholeFile(path)));

        CEdfFile edf(path, CFile::modeRead);
        const unsigned count = static_cast<unsigned>((edf.GetLength() - 768) / 4);
        ASSERT_EQ(count, eeg.size()) << c.what;
        // A symmetric range reads as P × d ÷ dmax, within one step of EDFlib's linear map;
        // any other range reads with that same map.
        const double step = (c.physMax - c.physMin) / (c.digMax - c.digMin);
        const bool symmetric = c.physMin == -c.physMax && c.digMin == -c.digMax - 1;
        const double tolerance = symmetric ? step : 1e-6 * (c.physMax - c.physMin);
        std::vector<float> ours(count);
        for (int s = 0; s < 2; ++s) {
            ASSERT_EQ(edf.ReadSignal(ours.data(), s + 1, count), 1) << c.what;
            for (unsigned k = 0; k < count; ++k)
                ASSERT_NEAR(ours[k], reference[s][k], tolerance) << c.what << " signal " << s << " sample " << k;
        }
        EXPECT_EQ(edf.GetRecordCount(), seconds) << c.what;
        EXPECT_EQ(edf.GetEegSamplesPerRecord(), c.rate) << c.what;
        EXPECT_EQ(edf.GetRecordDuration(), 1) << c.what;
        EXPECT_EQ(edf.GetEegDimension(), "uV") << c.what;
        EXPECT_EQ(edf.GetStartDateTime(), LocalTime(c.year, 12, 31, 23, 59, 59)) << c.what;
    }
}
