// The data side of a measurement: the first data open the recording files, the first second
// stored dates them, every new frame is shown and stored (missing seconds filled with zeros
// first), a late frame is rewritten in place. Each data notification carries its own frame,
// taken from the link exactly once here, so a burst of frames or a late user-interface
// thread never mixes seconds.
#include <QLineEdit>

#include <algorithm>
#include <span>
#include <vector>

#include "mainwindow/TimeText.h"
#include "mainwindow/VelquinDlg.h"
#include "resources/MainWindowTexts.h"

namespace {

// One second in the EDF file: 128 samples of each channel, 2 bytes each; in the CSV file:
// 128 rows of 27 bytes.
constexpr std::int64_t kEdfBlockBytes = 128 * kChannelCount * 2;
constexpr std::int64_t kCsvBlockBytes = 128 * 27;

// Where the block just appended starts in its file: the file's length before the append. A
// new file gets its header with its first block, so there the block starts its own length
// before the end. A file that is not recorded has length 0 before and after, which gives
// the negative offset no rewrite ever uses.
std::int64_t BlockOffset(std::uint64_t before, std::uint64_t after, std::int64_t blockBytes)
{
    return before > 0 ? static_cast<std::int64_t>(before) : static_cast<std::int64_t>(after) - blockBytes;
}

}  // namespace

void CVelquinDlg::OnMeasurementStarted()
{
    if (m_waveLog.Open() != 1) {
        StopMeasurement();
        CloseMeasurement(12);
        return;
    }
    m_filePositions.clear();
    // The name reaches the EDF header with the first record written.
    m_waveLog.SetRecorderName(m_pWaveIo->GetReceiverName().c_str());
    ClearGraphs();
    SetMode(kModeMeasuring);
    ShowStartTime(m_waveLog.GetStartTime());
}

// Every second is dated the second before its frame arrived, the first one too. The files
// were opened with the first data, which is usually that frame; when the first second to
// store came later (damaged frames in front of it were dropped) or earlier (a damaged first
// frame that the frame behind it confirmed as a second of zeros: the link had already seen
// one more second then), the still empty files are opened again under its start. False
// after a failure (stop, close and error 12 done).
bool CVelquinDlg::DateRecording()
{
    const int earlier = std::max(0, m_frame.highestSequence - m_frame.sequence);
    if (m_waveLog.GetStartTime() == m_services.now() - 1 - earlier)
        return true;
    if (m_waveLog.Open(earlier) != 1) {
        StopMeasurement();
        CloseMeasurement(12);
        return false;
    }
    m_waveLog.SetRecorderName(m_pWaveIo->GetReceiverName().c_str());
    ShowStartTime(m_waveLog.GetStartTime());
    return true;
}

void CVelquinDlg::ShowStartTime(std::time_t start)
{
    m_startTime = start;
    SetFieldText(m_editStartTime, FormatLocalTime(m_startTime, kTextTimeFormat));
}

// A frame whose samples cannot be had ends the measurement as a failed sample fetch does.
bool CVelquinDlg::TakeNotifiedFrame()
{
    if (m_pWaveIo->TakeFrame(m_frame) == 1)
        return true;
    StopMeasurement();
    CloseMeasurement(10);
    return false;
}

void CVelquinDlg::OnNewFrameNotification()
{
    if (!TakeNotifiedFrame() || (m_filePositions.empty() && !DateRecording()))
        return;
    if (!m_filePositions.empty()) {
        const long long current = m_frame.sequence;
        // After a filler failed the measurement is over: neither the rest of the gap nor
        // the new block is stored.
        for (long long s = static_cast<long long>(m_filePositions.back().sequence) + 1; s < current; ++s)
            if (!FillGapBlock())
                return;
    }
    OnDataBlock();
}

void CVelquinDlg::OnLateFrameNotification()
{
    if (!TakeNotifiedFrame())
        return;
    RewriteLateBlock();
}

// The frame's samples as the façade's sample fetch hands them: n EEG values, then n EMG
// values; empty when the link reports no channel or no sample.
std::vector<float> CVelquinDlg::FrameBlock(int& channels, int& n) const
{
    channels = m_pWaveIo->GetChannelCount();
    n = std::min(m_pWaveIo->GetSampleRate(), kSampleRate);
    if (channels <= 0 || n <= 0)
        return {};
    std::vector<float> block(static_cast<std::size_t>(channels) * static_cast<std::size_t>(n), 0.0f);
    std::copy_n(m_frame.samples, n, block.begin());
    if (channels > 1)
        std::copy_n(m_frame.samples + kSampleRate, n, block.begin() + static_cast<std::ptrdiff_t>((channels - 1) * n));
    return block;
}

// Appends a block to the recording files and notes where it went. False after the failure
// (stop, close and error 13 done).
bool CVelquinDlg::StoreBlock(const std::vector<float>& block, int channels, int n, int sequence)
{
    const std::uint64_t edfBefore = m_waveLog.GetEdfLength();
    const std::uint64_t csvBefore = m_waveLog.GetCsvLength();
    if (m_waveLog.Append(block.data(), static_cast<unsigned>(channels), n) != 1) {
        StopMeasurement();
        CloseMeasurement(13);
        return false;
    }
    sDataFilePosition entry;
    entry.sequence = sequence;
    entry.highestSequence = m_frame.highestSequence;
    entry.edfOffset = BlockOffset(edfBefore, m_waveLog.GetEdfLength(), kEdfBlockBytes);
    entry.csvOffset = BlockOffset(csvBefore, m_waveLog.GetCsvLength(), kCsvBlockBytes);
    m_filePositions.push_back(entry);
    return true;
}

int CVelquinDlg::FillGapBlock()
{
    const int channels = m_pWaveIo->GetChannelCount();
    const int n = m_pWaveIo->GetSampleRate();
    if (channels <= 0 || n <= 0)
        return 1;
    const std::vector<float> zeros(static_cast<std::size_t>(channels) * static_cast<std::size_t>(n), 0.0f);
    const std::span<const float> second(zeros.data(), static_cast<std::size_t>(n));
    m_graphEeg->AddData(second, IsReviewMode());
    m_graphEmg->AddData(second, IsReviewMode());
    const int sequence = m_filePositions.empty() ? m_frame.sequence : m_filePositions.back().sequence + 1;
    return StoreBlock(zeros, channels, n, sequence) ? 1 : 0;
}

void CVelquinDlg::OnDataBlock()
{
    int channels = 0, n = 0;
    const std::vector<float> block = FrameBlock(channels, n);
    if (block.empty())
        return;
    SetFieldText(m_editNowTime, FormatLocalTime(m_services.now(), kTextTimeFormat));
    UpdateStatusBar();
    const auto count = static_cast<std::size_t>(n);
    m_graphEeg->AddData(std::span<const float>(block.data(), count), IsReviewMode());
    m_graphEmg->AddData(std::span<const float>(block.data() + (channels - 1) * n, count), IsReviewMode());
    ShowSweepSpectrum();
    StoreBlock(block, channels, n, m_frame.sequence);
}

// The spectrum of the EEG sweep (oldest first) on the spectrum chart, by the live method
// (FFT range option 1) or the range method.
void CVelquinDlg::ShowSweepSpectrum()
{
    std::vector<float> ring = m_graphEeg->GetData();
    const std::size_t shown = static_cast<std::size_t>(std::max(m_nTimeRange, 0)) * static_cast<std::size_t>(std::max(m_nSampleRate, 0));
    // The live method reads whole seconds of the range; a shorter ring counts as older zeros.
    if (ring.size() < shown)
        ring.insert(ring.begin(), shown - ring.size(), 0.0f);

    std::vector<float> spectrum;
    sBandPowers bands;
    if (m_nFftRange == 1) {
        const int len = m_sleepScorer.SetFftSeconds(m_nTimeRange);
        spectrum.assign(static_cast<std::size_t>(std::max(len, 0)), 0.0f);
        m_sleepScorer.ComputeLiveBands(ring.data(), spectrum.data(), m_nTimeRange);
        bands = {m_sleepScorer.GetLiveDelta(), m_sleepScorer.GetLiveTheta(), m_sleepScorer.GetLiveAlpha(),
                 m_sleepScorer.GetLiveBeta()};
    } else {
        const int len = m_sleepScorer.SetRangeFftLength(m_nTimeRange, m_nSampleRate);
        spectrum.assign(static_cast<std::size_t>(std::max(len, 0)), 0.0f);
        m_sleepScorer.ComputeRangeBands(ring.data(), ring.size(), spectrum.data(), m_nTimeRange, m_nSampleRate);
        bands = {m_sleepScorer.GetRangeDelta(), m_sleepScorer.GetRangeTheta(), m_sleepScorer.GetRangeAlpha(),
                 m_sleepScorer.GetRangeBeta()};
    }
    ShowSpectrum(spectrum, bands);
}

void CVelquinDlg::RewriteLateBlock()
{
    const int s = m_frame.sequence;
    // The newest entry of that second wins.
    const auto entry = std::find_if(m_filePositions.rbegin(), m_filePositions.rend(),
                                    [s](const sDataFilePosition& p) { return p.sequence == s; });
    if (entry == m_filePositions.rend())
        return;
    const std::int64_t edfOffset = entry->edfOffset;
    const std::int64_t csvOffset = entry->csvOffset;
    int channels = 0, n = 0;
    const std::vector<float> block = FrameBlock(channels, n);
    if (block.empty())
        return;
    // Only the files being recorded are touched, so an unused negative offset never is.
    if (m_waveLog.AppendAt(block.data(), static_cast<unsigned>(channels), n, static_cast<std::uint64_t>(edfOffset),
                           static_cast<std::uint64_t>(csvOffset)) != 1) {
        StopMeasurement();
        CloseMeasurement(13);
    }
}
