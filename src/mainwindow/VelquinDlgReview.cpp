// Review of stored EDF files: the file dialog, opening and loading a file (or refusing it),
// the shown slice of the file with its spectrum and time fields, and paging.
//
// Nothing thrown while a file is opened or read leaves this file: a file that cannot be
// opened shows error 16 and changes nothing (a file shown before stays shown); a file that
// cannot be read, or whose arrays cannot be had, is refused like any other bad file.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

#include <cstdint>
#include <exception>
#include <vector>

#include "mainwindow/TimeText.h"
#include "mainwindow/VelquinDlg.h"
#include "mainwindow/review/ReviewView.h"
#include "platform/qt/ShellFolders.h"
#include "recording/EdfFile.h"
#include "resources/MainWindowTexts.h"

namespace {

constexpr int kErrorEdfUnreadable = 16;
// The analysis charts count 30-second epochs.
constexpr int kEpochSeconds = 30;

// "start-end": the start as date and time, the end as time of day.
QString TimeSpanText(std::time_t start, std::time_t end)
{
    return QString::asprintf(kFormatTimeSpan, FormatLocalTime(start, kTextTimeFormat).toUtf8().constData(),
                             FormatLocalTime(end, kTextEndTimeFormat).toUtf8().constData());
}

QString AxisLabel(const std::string& dimension)
{
    return QLatin1Char('[') + QString::fromStdString(dimension) + QLatin1Char(']');
}

}  // namespace

// Run once the controls exist: the window takes dropped files, and the scroll bar's actions
// come to OnHScroll.
void CVelquinDlg::InitReview()
{
    setAcceptDrops(true);
    // The time fields are read-only; a drop over them is the window's, not a text drop.
    for (QLineEdit* edit : {m_editStartTime, m_editNowTime})
        edit->setAcceptDrops(false);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CVelquinDlg::OnHScroll);
}

void CVelquinDlg::OnBnClickedOpenEdf()
{
    OpenEdfFile();
}

void CVelquinDlg::OpenEdfFile()
{
    // The dialog starts in the folder of the last file opened, else in Documents. The
    // process's working directory is left alone.
    const QString folder = !m_strLastEdfFolder.isEmpty() && QFileInfo(m_strLastEdfFolder).isDir()
                               ? m_strLastEdfFolder
                               : GetDocumentsFolder();
    const QString path = m_services.fileChooser->ChooseOpenFile(
        this, folder, QString::fromUtf8(kTextEdfFilter), QString::fromUtf8(kTextEdfInitialName),
        QString::fromUtf8(kTextEdfExtension));
    if (path.isEmpty())
        return;
    OpenEdfPath(path);
}

void CVelquinDlg::OpenEdfPath(const QString& path)
{
    std::unique_ptr<CEdfFile> file;
    try {
        // Only regular files open: a directory, FIFO or device is refused without blocking.
        file = std::make_unique<CEdfFile>(QFile::encodeName(path).toStdString(),
                                          CFile::modeRead | CFile::shareDenyNone);
    } catch (const std::exception&) {
        ShowError(kErrorEdfUnreadable);
        return;
    }
    const QFileInfo info(path);
    m_strOpenedFile = info.fileName();
    m_strLastEdfFolder = info.absolutePath();
    LoadEdf(*file);
}

void CVelquinDlg::LoadEdf(CEdfFile& file)
{
    // The file shown before is released before this one is read.
    m_reviewSpectrum.Clear();
    if (m_review.Load(file) != 1) {
        RefuseEdf(file);
        return;
    }
    file.Abort();

    m_nSampleRate = m_review.Rate();
    m_nReviewSeconds = m_review.Seconds();
    m_startTime = m_review.StartTime();
    m_strRecorderId = QString::fromStdString(m_review.RecordingId());

    SetLabelText(m_staticStartTime, kTextRecordedTimeLabel);
    SetFieldText(m_editStartTime, TimeSpanText(m_startTime, m_startTime + m_nReviewSeconds));
    m_graphEeg->SetYLabel(AxisLabel(m_review.EegDimension()), 0);
    m_graphEmg->SetYLabel(AxisLabel(m_review.EmgDimension()), 0);

    m_nFirstSecond = 0;
    m_dCursorFraction = 0.0;
    m_nCursorSecond = 0;
    SetGraphsCursorFraction(0.0);

    // "ALL", or a range not shorter than the file, becomes the file's length. Loading from
    // real time leaves the live sweep rings as they are: review shows the file directly.
    if (m_bShowAll == 1)
        ApplyTimeRange(m_nReviewSeconds, false);
    if (m_nTimeRange >= m_nReviewSeconds)
        ApplyTimeRange(m_nReviewSeconds, false);
    SetReviewScrollRange(0);

    // The analysis charts get one empty epoch (no stage) per whole 30 seconds.
    const int epochs = m_nReviewSeconds / kEpochSeconds;
    const std::vector<std::int32_t> noStages(static_cast<std::size_t>(epochs), 0);
    for (CEpochMSChart* chart : {static_cast<CEpochMSChart*>(m_chartHypnogram),
                                 static_cast<CEpochMSChart*>(m_chartFftTrend)}) {
        chart->SetCount(epochs);
        chart->SetStartTime(m_startTime);
        chart->SetData(noStages);
    }

    SetMode(kModeReview);
    RedrawReview();
}

// The refused file leaves nothing behind: its arrays are freed, the graphs cleared, the
// mode is idle (the controls keep their layout, so "back to real time" stays the way back
// from a review) and the title no longer names a file.
void CVelquinDlg::RefuseEdf(CEdfFile& file)
{
    ShowError(kErrorEdfUnreadable);
    file.Abort();
    ReleaseReviewFile();
    ResetAfterLoadFailure();
    UpdateTitle();
}

void CVelquinDlg::ReleaseReviewFile()
{
    m_review.Release();
    m_reviewSpectrum.Clear();
}

void CVelquinDlg::RedrawReview()
{
    m_bReviewRedrawPending = false;
    if (!m_review.IsLoaded())
        return;
    const int rate = m_nSampleRate;
    const int range = m_nTimeRange;
    const int first = m_nFirstSecond;

    m_graphEeg->AddData(m_review.EegSlice(first, range), IsReviewMode() ? 1 : 0);
    m_graphEmg->AddData(m_review.EmgSlice(first, range), IsReviewMode() ? 1 : 0);

    // Review always takes the spectrum of the whole shown range.
    const sReviewSpectrum& spectrum =
        m_reviewSpectrum.Get(m_sleepScorer, m_review.EegFrom(first), first, range, rate, m_nFftDisplayMode);
    ShowSpectrum(spectrum.values, spectrum.bands);

    SetLabelText(m_staticNowTime, kTextShownTimeLabel);
    SetFieldText(m_editNowTime, TimeSpanText(m_startTime + first, m_startTime + first + range));
    m_nCursorSecond = CursorSecond(first, range, m_dCursorFraction);
}

void CVelquinDlg::PageLeft()
{
    m_nFirstSecond = PageLeftFirst(m_nFirstSecond, m_nTimeRange);
    SetReviewScrollRange(m_nFirstSecond);
    RedrawReview();
}

void CVelquinDlg::PageRight()
{
    m_nFirstSecond = PageRightFirst(m_nFirstSecond, m_nTimeRange, m_nReviewSeconds);
    SetReviewScrollRange(m_nFirstSecond);
    RedrawReview();
}

void CVelquinDlg::OnBnClickedLeft()
{
    PageLeft();
}

void CVelquinDlg::OnBnClickedRight()
{
    PageRight();
}
