// CSleepScorer: construction, Start/Stop and the scoring of each second.
#include "analysis/SleepScorer.h"

#include "analysis/PowerSpectrum.h"
#include "platform/File.h"

#include <algorithm>

CSleepScorer::CSleepScorer() : m_clock([] { return std::time(nullptr); })
{
    InitDataFolder();
}

CSleepScorer::CSleepScorer(std::string dataFolder, Clock clock)
    : m_dataFolder(std::move(dataFolder)), m_clock(std::move(clock))
{
    if (!m_clock)
        m_clock = [] { return std::time(nullptr); };
}

CSleepScorer::~CSleepScorer()
{
    CSleepScorer::Stop();
}

int CSleepScorer::Start()
{
    Stop();
    EnsureDataFolder();
    MakeResultFileNames();
    try {
        OpenDetailedResult();
        OpenSimpleResult();
    } catch (const CFileException&) {
        AbortResultFiles();
        return 0;
    }
    m_samples.clear();
    m_staging.Reset();
    return 1;
}

int CSleepScorer::Stop()
{
    int result = 1;
    for (auto* file : {&m_detailedFile, &m_simpleFile}) {
        if (!*file)
            continue;
        try {
            (*file)->Close();
        } catch (const CFileException&) {
            result = 0;
        }
        file->reset();
    }
    return result;
}

int CSleepScorer::AddSamples(const float* samples, int /*unused*/, int count)
{
    if (!m_detailedFile || !m_simpleFile)
        return 0;
    if (samples && count > 0)
        m_samples.insert(m_samples.end(), samples, samples + count);
    if (m_samples.size() < static_cast<std::size_t>(kSampleRate))
        return 1;
    try {
        ProcessSecond();
    } catch (const CFileException&) {
        // The epoch's state stays as the failure left it: when the rows of a fourth second
        // failed, the next second is scored as that fourth second again.
        m_samples.clear();
        return 0;
    }
    return 1;
}

void CSleepScorer::ProcessSecond()
{
    m_staging.StoreSecond(ComputeSecondBands());
    if (m_staging.IsEpochComplete()) {
        m_staging.ComputeEpochAverages();
        m_staging.ClassifyEpoch();
        WriteDetailedRows();
        WriteSimpleRow();
    }
    m_staging.AdvanceSecond();
}

sBandPowers CSleepScorer::ComputeSecondBands()
{
    // One second: a 128-point spectrum, one bin per hertz.
    std::vector<float> spectrum(kSampleRate);
    ComputePowerSpectrum(m_samples.data(), spectrum.data(), kSampleRate);
    m_samples.erase(m_samples.begin(), m_samples.begin() + kSampleRate);
    return SumBandPowers(spectrum.data(), kSampleRate, 1);
}
