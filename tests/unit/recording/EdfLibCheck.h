#pragma once
// Opens an EDF file with EDFlib and checks it against what was written: two signals "EEG"
// and "EMG" at 128 samples per second, the start time, the recording field, and every
// sample within the resolution of the program's scaling (EEG 0.14 µV, EMG 2.0 µV).

#include <gtest/gtest.h>

#include <ctime>
#include <edflib.h>
#include <memory>
#include <string>
#include <vector>

inline std::string TrimmedRight(std::string text)
{
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

inline void ExpectEdfLibReads(const std::string& path, std::time_t start, const std::string& recording,
                              const std::vector<float>& eeg, const std::vector<float>& emg)
{
    auto hdr = std::make_unique<edf_hdr_struct>();
    ASSERT_EQ(edfopen_file_readonly(path.c_str(), hdr.get(), EDFLIB_DO_NOT_READ_ANNOTATIONS), 0)
        << "EDFlib refused the file, error " << hdr->filetype;
    EXPECT_EQ(hdr->filetype, EDFLIB_FILETYPE_EDF);
    ASSERT_EQ(hdr->edfsignals, 2);
    EXPECT_EQ(TrimmedRight(hdr->signalparam[0].label), "EEG");
    EXPECT_EQ(TrimmedRight(hdr->signalparam[1].label), "EMG");
    EXPECT_EQ(hdr->signalparam[0].smp_in_datarecord, 128);
    EXPECT_EQ(hdr->signalparam[1].smp_in_datarecord, 128);
    EXPECT_EQ(hdr->datarecord_duration, EDFLIB_TIME_DIMENSION);
    EXPECT_EQ(hdr->datarecords_in_file, static_cast<long long>(eeg.size() / 128));
    EXPECT_EQ(TrimmedRight(hdr->recording), recording);
    std::tm t{};
    localtime_r(&start, &t);
    EXPECT_EQ(hdr->startdate_year, t.tm_year + 1900);
    EXPECT_EQ(hdr->startdate_month, t.tm_mon + 1);
    EXPECT_EQ(hdr->startdate_day, t.tm_mday);
    EXPECT_EQ(hdr->starttime_hour, t.tm_hour);
    EXPECT_EQ(hdr->starttime_minute, t.tm_min);
    EXPECT_EQ(hdr->starttime_second, t.tm_sec);

    const std::vector<float>* written[2] = {&eeg, &emg};
    const double tolerance[2] = {0.14, 2.0};
    for (int s = 0; s < 2; ++s) {
        ASSERT_EQ(hdr->signalparam[s].smp_in_file, static_cast<long long>(written[s]->size()));
        std::vector<double> read(written[s]->size());
        ASSERT_EQ(edfread_physical_samples(hdr->handle, s, static_cast<int>(read.size()), read.data()),
                  static_cast<int>(read.size()));
        for (std::size_t k = 0; k < read.size(); ++k)
            ASSERT_NEAR(read[k], (*written[s])[k], tolerance[s]) << "signal " << s << " sample " << k;
    }
    edfclose_file(hdr->handle);
}
