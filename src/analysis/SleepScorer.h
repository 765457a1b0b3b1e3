#pragma once
// CSleepScorer: the power spectrum and band powers of the spectrum chart, and the
// sleep/wake scoring of 4-second epochs with its two result files.
//
// Spectrum side, as the main window uses it (rate = 128, range = shown seconds):
//
//   Live method, every second of a measurement (newest 2 or 4 s of the sweep ring):
//     const int len = scorer.SetFftSeconds(range);              // 128 × min(range, 4)
//     std::vector<float> spectrum(len);
//     scorer.ComputeLiveBands(ring.data(), spectrum.data(), range);   // ring: range × 128 values
//     bands: GetLiveDelta() … GetLiveBeta()
//
//   Range method, for the ring while measuring and for every review page:
//     const int len = scorer.SetRangeFftLength(range, rate);    // RangeFftSeconds(range) × rate
//     std::vector<float> spectrum(len);
//     measuring:  scorer.ComputeRangeBands(ring.data(), ring.size(), spectrum.data(), range, 128);
//     reviewing:  scorer.ComputeRangeBands(eeg + first * rate, total - first * rate,
//                                          spectrum.data(), range, rate);
//     bands: GetRangeDelta() … GetRangeBeta()
//   A 24-hour range takes about 20 ms on 8 cores (bench/spectrum); the result depends only
//   on the samples, range and rate, so a caller may keep it while those stay the same.
//
//   Handing the result to the spectrum chart:
//     four bars:  4 values, the band powers above as float, in the order delta, theta,
//                 alpha, beta;
//     detail:     s = len / rate bins per hertz, the first 40 × s values of `spectrum`
//                 (0 Hz up to 40 - 1/s Hz; 80 values for s = 2, 160 for 4, 1280 for 32).
//                 Only a rate below 40 makes 40 × s exceed len; hand min(40 × s, len) then.
//
// The compute calls never read or write outside their arrays: the live method reads only
// the `seconds` × 128 samples it is given, the range method only `sampleCount` samples
// (later samples count as 0) and takes its FFT length from its own range; both write at
// most the length their setter returned, and zero that whole length first, so a range that
// computes nothing (under 30 s and not 2, 5, 10 or 15 s) leaves zeros.
//
// Scoring side: Start, then AddSamples with the EEG in time order, then Stop. Each epoch
// writes four rows to "<start>_DetailedResult.csv" and one to "<start>_SimpleResult.csv"
// in the data folder, UTF-16LE and tab-separated. The main window does not score.

#include "analysis/BandPowers.h"
#include "analysis/SleepStaging.h"

#include <cstddef>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CFile;

class CSleepScorer {
public:
    using Clock = std::function<std::time_t()>;
    static constexpr int kSampleRate = 128;
    static constexpr int kMaxLiveFftSeconds = 4;

    // Result files go to the "Data" folder beside the executable.
    CSleepScorer();
    // Result files go to `dataFolder`; `clock` gives the start time that names them
    // (the system clock when empty).
    explicit CSleepScorer(std::string dataFolder, Clock clock = {});
    // Stops a running scoring first, so its files are closed with every row in them.
    virtual ~CSleepScorer();
    CSleepScorer(const CSleepScorer&) = delete;
    CSleepScorer& operator=(const CSleepScorer&) = delete;

    // ---- Power spectrum and band powers ----

    // 128 samples per second.
    int GetSampleRate() const { return kSampleRate; }

    // Writes the power spectrum of samples[0..n-1] to power[0..n-1]: n zeros when n is not
    // a power of two, nothing when n < 1.
    void PowerSpectrum(const float* samples, float* power, int n) const;

    // Live method. Stores min(seconds, 4) as the live FFT seconds s and returns 128 × s,
    // the number of spectrum values ComputeLiveBands writes (0 for seconds < 1).
    int SetFftSeconds(int seconds);
    // `samples` holds `seconds` whole seconds at 128 per second, oldest first. Computes the
    // spectrum of the newest s of them (s = live FFT seconds, at most `seconds`) into
    // spectrum[0..128·s-1] and the live band powers.
    void ComputeLiveBands(const float* samples, float* spectrum, int seconds);

    // Range method. Stores the FFT seconds of the displayed range (2 s -> 2, 5 -> 4,
    // 10 -> 8, 15 -> 16, any other -> 32) and returns them times samplesPerSecond, the
    // number of spectrum values ComputeRangeBands writes.
    int SetRangeFftLength(int rangeSeconds, int samplesPerSecond);
    // `samples` is the displayed range, oldest first, of which the first `sampleCount`
    // exist (a page that runs past the end of a file passes fewer than range × rate).
    // Computes the spectrum of the range into `spectrum` and the range band powers.
    void ComputeRangeBands(const float* samples, std::size_t sampleCount, float* spectrum, int rangeSeconds,
                           int samplesPerSecond);

    double GetLiveDelta() const { return m_liveBands.delta; }
    double GetLiveTheta() const { return m_liveBands.theta; }
    double GetLiveAlpha() const { return m_liveBands.alpha; }
    double GetLiveBeta() const { return m_liveBands.beta; }
    double GetRangeDelta() const { return m_rangeBands.delta; }
    double GetRangeTheta() const { return m_rangeBands.theta; }
    double GetRangeAlpha() const { return m_rangeBands.alpha; }
    double GetRangeBeta() const { return m_rangeBands.beta; }

    // ---- Sleep/wake scoring ----

    // Stops a running scoring, creates the data folder (with its parents) if it is missing,
    // names both result files from one reading of the clock, opens them (appending to a
    // file of the same name) and writes byte-order mark and header to each new file, then
    // resets the scoring. Returns 1, or 0 when a file cannot be opened or written (nothing
    // stays open then).
    virtual int Start();
    // Closes the detailed and then the simple result file. Returns 1, or 0 when closing
    // reported an error (both are closed all the same).
    virtual int Stop();
    // Buffers the first `count` samples and scores one second when 128 are buffered. The
    // second argument is not used. Returns 1, or 0 when a result file cannot be written
    // (the buffer is emptied then) or when the scorer is not started.
    virtual int AddSamples(const float* samples, int unused, int count);

    const std::string& GetDataFolder() const { return m_dataFolder; }
    // Names (without folder) and full paths of the result files of the last Start.
    const std::string& GetDetailedResultName() const { return m_detailedName; }
    const std::string& GetSimpleResultName() const { return m_simpleName; }
    std::string GetDetailedResultPath() const;
    std::string GetSimpleResultPath() const;
    // The scoring state after the last scored second.
    const CSleepStaging& GetStaging() const { return m_staging; }

private:
    // Scoring steps.
    void ProcessSecond();
    sBandPowers ComputeSecondBands();

    // Result files.
    void InitDataFolder();
    void EnsureDataFolder();
    void MakeResultFileNames();
    void OpenDetailedResult();
    void OpenSimpleResult();
    void WriteDetailedRows();
    void WriteSimpleRow();
    std::unique_ptr<CFile> OpenResultFile(const std::string& path, std::u16string_view header);
    static void AppendToResult(CFile& file, const std::string& bytes);
    void AbortResultFiles() noexcept;

    // Spectrum state.
    int m_liveFftSeconds = 0;
    int m_rangeSpectrumLength = 0;   // what SetRangeFftLength returned
    sBandPowers m_liveBands;
    sBandPowers m_rangeBands;

    // Scoring state.
    std::vector<float> m_samples;
    std::string m_detailedName;
    std::string m_simpleName;
    std::unique_ptr<CFile> m_detailedFile;
    std::unique_ptr<CFile> m_simpleFile;
    std::string m_dataFolder;
    Clock m_clock;
    CSleepStaging m_staging;
};
