#pragma once
// Checks of the recorded files against what the simulator sent, with the test's own small
// readers and with EDFlib: every stored second equals the frame the simulator sent with
// that number (the last one, for a second sent again late), or zeros where none was sent.

#include <gtest/gtest.h>

#include <edflib.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MeasurementRig.h"
#include "support/RecordingReaders.h"

namespace e2e {

struct sSentSecond {
    rsim::Samples eeg{}, emg{};
};
using SentSeconds = std::map<int, sSentSecond>;

// The frames the simulator sent, by number; a number sent again replaces the earlier frame.
inline SentSeconds SentByNumber(const std::vector<rsim::SentFrame>& frames)
{
    SentSeconds sent;
    for (const rsim::SentFrame& f : frames)
        sent[f.seq] = {f.eeg, f.emg};
    return sent;
}

// The expected microvolts of second `seq`, signal s (0 EEG, 1 EMG), sample i.
inline double Expected(const SentSeconds& sent, int seq, int s, int i)
{
    const auto it = sent.find(seq);
    if (it == sent.end())
        return 0.0;
    return rsim::Microvolts(s == 0 ? it->second.eeg[i] : it->second.emg[i], s);
}

inline bool IsSent(const SentSeconds& sent, int seq)
{
    return sent.count(seq) != 0;
}

// A local time in strftime's format: file stems, EDF start fields.
inline std::string LocalText(std::time_t t, const char* format)
{
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

// The numbers of the stored seconds, in storing order.
inline std::vector<int> StoredSequences(MeasurementRig& rig)
{
    std::vector<int> s;
    for (const sDataFilePosition& p : rig.Probe().Positions())
        s.push_back(p.sequence);
    return s;
}

inline void ExpectEdfMatches(const std::string& path, const std::vector<int>& seconds, const SentSeconds& sent,
                             const std::string& recording)
{
    const recfiles::sEdf edf = recfiles::ReadEdf(path);
    ASSERT_TRUE(edf.ok) << path;
    const int n = static_cast<int>(seconds.size());
    EXPECT_EQ(edf.fileSize, 768u + 512u * static_cast<std::size_t>(n));
    EXPECT_EQ(edf.recordCount, n);
    EXPECT_EQ(edf.StoredRecords(), n);
    EXPECT_EQ(edf.recording, recording);
    EXPECT_EQ(edf.labels[0], "EEG");
    EXPECT_EQ(edf.labels[1], "EMG");
    for (int r = 0; r < n; ++r)
        for (int s = 0; s < 2; ++s)
            for (int i = 0; i < 128; ++i) {
                if (!IsSent(sent, seconds[r]))
                    ASSERT_EQ(edf.Digital(r, s, i), 0) << "zero second " << seconds[r];
                else
                    ASSERT_NEAR(edf.Physical(r, s, i), Expected(sent, seconds[r], s, i), 1.5 * edf.Step(s))
                        << "second " << seconds[r] << " signal " << s << " sample " << i;
            }

    // A second reader: EDFlib.
    auto hdr = std::make_unique<edf_hdr_struct>();
    ASSERT_EQ(edfopen_file_readonly(path.c_str(), hdr.get(), EDFLIB_DO_NOT_READ_ANNOTATIONS), 0)
        << "EDFlib refused the file, error " << hdr->filetype;
    EXPECT_EQ(hdr->edfsignals, 2);
    EXPECT_EQ(hdr->datarecords_in_file, n);
    for (int s = 0; s < 2 && hdr->edfsignals == 2; ++s) {
        std::vector<double> values(static_cast<std::size_t>(n) * 128);
        if (n > 0) {
            ASSERT_EQ(edfread_physical_samples(hdr->handle, s, static_cast<int>(values.size()), values.data()),
                      static_cast<int>(values.size()));
        }
        const double step = (hdr->signalparam[s].phys_max - hdr->signalparam[s].phys_min) /
                            static_cast<double>(hdr->signalparam[s].dig_max - hdr->signalparam[s].dig_min);
        // EDFlib clips values to the header's range; the EMG's full scale lies a little
        // beyond it.
        const double low = hdr->signalparam[s].phys_min, high = hdr->signalparam[s].phys_max;
        for (int r = 0; r < n; ++r)
            for (int i = 0; i < 128; ++i)
                ASSERT_NEAR(values[static_cast<std::size_t>(r * 128 + i)],
                            std::clamp(Expected(sent, seconds[r], s, i), low, high), 1.5 * step)
                    << "EDFlib, second " << seconds[r] << " signal " << s << " sample " << i;
    }
    edfclose_file(hdr->handle);
}

inline void ExpectCsvMatches(const std::string& path, const std::vector<int>& seconds, const SentSeconds& sent,
                             const std::string& machineType)
{
    const recfiles::sCsv csv = recfiles::ReadCsv(path);
    ASSERT_TRUE(csv.ok) << path;
    EXPECT_TRUE(csv.rowsWellFormed);
    EXPECT_EQ(csv.header, (std::vector<std::string>{"#MachineType," + machineType, "#Sample/Sec,128", "EEG,EMG"}));
    ASSERT_EQ(csv.eeg.size(), seconds.size() * 128);
    EXPECT_EQ(csv.fileSize, csv.headerBytes + 27 * csv.eeg.size());
    for (std::size_t r = 0; r < seconds.size(); ++r)
        for (int i = 0; i < 128; ++i) {
            const std::size_t row = r * 128 + static_cast<std::size_t>(i);
            ASSERT_NEAR(csv.eeg[row], Expected(sent, seconds[r], 0, i), 1e-5) << "second " << seconds[r] << " row " << i;
            ASSERT_NEAR(csv.emg[row], Expected(sent, seconds[r], 1, i), 1e-5) << "second " << seconds[r] << " row " << i;
        }
}

// Whether this process still holds a descriptor on the file.
inline bool HeldOpen(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path file = std::filesystem::canonical(path, error);
    if (error)
        return false;
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        std::error_code unreadable;
        if (std::filesystem::read_symlink(fd.path(), unreadable) == file)
            return true;
    }
    return false;
}

// Both files of the rig's last recording against the simulator, and the noted positions.
inline void ExpectRecordingMatches(MeasurementRig& rig, const SentSeconds& sent,
                                   const std::string& recorder = "TQS27000123")
{
    const std::vector<int> seconds = StoredSequences(rig);
    const auto& positions = rig.Probe().Positions();
    const int types = rig.Log().GetFileTypes();
    std::size_t csvHeader = 0;
    if (types & 2) {
        csvHeader = recfiles::ReadCsv(rig.CsvPath()).headerBytes;
        ExpectCsvMatches(rig.CsvPath(), seconds, sent, recorder);
    }
    if (types & 1)
        ExpectEdfMatches(rig.EdfPath(), seconds, sent, recorder + "_ON");
    for (std::size_t k = 0; k < positions.size(); ++k) {
        const auto k64 = static_cast<std::int64_t>(k);
        if (k > 0) {
            EXPECT_EQ(positions[k].sequence, positions[k - 1].sequence + 1) << "entry " << k;
        }
        EXPECT_EQ(positions[k].edfOffset, (types & 1) ? 768 + 512 * k64 : -512) << "entry " << k;
        EXPECT_EQ(positions[k].csvOffset, (types & 2) ? static_cast<std::int64_t>(csvHeader) + 3456 * k64 : -3456)
            << "entry " << k;
    }
}

}  // namespace e2e
