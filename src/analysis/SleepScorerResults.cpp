// CSleepScorer: the detailed and simple result files.
#include "analysis/SleepScorer.h"

#include "analysis/Utf16Text.h"
#include "app/ModulePath.h"
#include "platform/File.h"

#include <array>
#include <filesystem>
#include <system_error>

namespace {

constexpr std::u16string_view kDetailedHeader =
    u"Epoch\t"
    u"Period\t"
    u"δ-power\tθ-power\tα-power\tβ-power\t"
    u"アーチファクト除去数\t"
    u"δ-power\tθ-power\tα-power\tβ-power\t"
    u"δ-power平均\tθ-power平均\tα-power平均\tβ-power平均\tα＋β-power平均\t"
    u"IsSleeping\t"
    u"\r\n";

constexpr std::u16string_view kSimpleHeader =
    u"Epoch\t"
    u"暫定結果\t"
    u"傾き\t切片\t遷移途中状態回数\t傾き累計値\t"
    u"最終結果\t"
    u"アーチファクト除去数\t"
    u"δ-power\tθ-power\tα-power\tβ-power\tα＋β-power\t"
    u"IsSleeping\t"
    u"\r\n";

void AppendBandCells(CUtf16Text& line, const sBandPowers& bands)
{
    line.AppendCell(bands.delta);
    line.AppendCell(bands.theta);
    line.AppendCell(bands.alpha);
    line.AppendCell(bands.beta);
}

} // namespace

void CSleepScorer::InitDataFolder()
{
    ModulePathParts parts;
    GetModulePathParts(parts);
    m_dataFolder = parts.drive + parts.directory + "Data";
}

void CSleepScorer::EnsureDataFolder()
{
    // A folder that cannot be made shows up as a failure to open the files.
    std::error_code ignored;
    std::filesystem::create_directories(m_dataFolder, ignored);
}

void CSleepScorer::MakeResultFileNames()
{
    const std::time_t now = m_clock();
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 32> stamp{};
    std::strftime(stamp.data(), stamp.size(), "%Y%m%d_%H%M%S", &local);
    m_detailedName = std::string(stamp.data()) + "_DetailedResult.csv";
    m_simpleName = std::string(stamp.data()) + "_SimpleResult.csv";
}

std::string CSleepScorer::GetDetailedResultPath() const
{
    return (std::filesystem::path(m_dataFolder) / m_detailedName).string();
}

std::string CSleepScorer::GetSimpleResultPath() const
{
    return (std::filesystem::path(m_dataFolder) / m_simpleName).string();
}

std::unique_ptr<CFile> CSleepScorer::OpenResultFile(const std::string& path, std::u16string_view header)
{
    auto file = std::make_unique<CFile>(
        path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite | CFile::typeBinary);
    // A file of the same name (a second start within one second) is continued; only a new
    // file gets the byte-order mark and the header.
    if (file->SeekToEnd() == 0) {
        CUtf16Text text;
        text.Append(header);
        file->Write(kUtf16LeByteOrderMark.data(), kUtf16LeByteOrderMark.size());
        file->Write(text.Bytes().data(), text.Bytes().size());
    }
    return file;
}

void CSleepScorer::OpenDetailedResult()
{
    m_detailedFile = OpenResultFile(GetDetailedResultPath(), kDetailedHeader);
}

void CSleepScorer::OpenSimpleResult()
{
    m_simpleFile = OpenResultFile(GetSimpleResultPath(), kSimpleHeader);
}

void CSleepScorer::AbortResultFiles() noexcept
{
    for (auto* file : {&m_detailedFile, &m_simpleFile}) {
        if (*file)
            (*file)->Abort();
        file->reset();
    }
}

void CSleepScorer::AppendToResult(CFile& file, const std::string& bytes)
{
    // Rows go straight to the system in one write per epoch and file, so a scoring that
    // ends without Stop keeps every epoch written so far.
    file.SeekToEnd();
    file.Write(bytes.data(), bytes.size());
}

void CSleepScorer::WriteDetailedRows()
{
    const CSleepStaging& st = m_staging;
    const sBandPowers averages = st.GetAverages();
    CUtf16Text text;
    for (int second = 0; second < CSleepStaging::kSecondsPerEpoch; ++second) {
        const bool first = second == 0;
        if (first)
            text.AppendCell(st.GetEpochNumber());
        else
            text.AppendEmptyCell();
        text.AppendCell(second);
        AppendBandCells(text, st.GetRawBands(second));
        if (first)
            text.AppendCell(st.GetArtifactSeconds());
        else
            text.AppendEmptyCell();
        AppendBandCells(text, st.GetCleanedBands(second));
        if (first) {
            AppendBandCells(text, averages);
            text.AppendCell(st.GetAlphaBetaAverage());
        } else {
            for (int i = 0; i < 5; ++i)
                text.AppendEmptyCell();
        }
        text.AppendCell(st.IsSleeping());
        text.EndLine();
    }
    AppendToResult(*m_detailedFile, text.Bytes());
}

void CSleepScorer::WriteSimpleRow()
{
    const CSleepStaging& st = m_staging;
    CUtf16Text text;
    text.AppendCell(st.GetEpochNumber());
    text.AppendCell(SleepStateText(st.GetProvisionalStates().back()));
    text.AppendCell(st.GetSlope());
    text.AppendCell(st.GetIntercept());
    text.AppendCell(st.GetTransitionCount());
    text.AppendCell(st.GetCumulativeSlope());
    text.AppendCell(SleepStateText(st.GetFinalStates().back()));
    text.AppendCell(st.GetArtifactSeconds());
    AppendBandCells(text, st.GetAverages());
    text.AppendCell(st.GetAlphaBetaAverage());
    text.AppendCell(st.IsSleeping());
    text.EndLine();
    AppendToResult(*m_simpleFile, text.Bytes());
}
