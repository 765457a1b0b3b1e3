// The windows at every scale: each group box and boxed edit of every window shows its four
// sides, each one width in device pixels (one below 200 %, two at 200 %), and so do the main
// window's graphs' frame and grid lines and its spectrum chart's grid, axes and legend swatches,
// where they stand in it; the graphs' traces are whole in every device column. Screenshots at
// 125 % and 150 % for a person to look at.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPlainTextEdit>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "ScaledLines.h"
#include "dialogs/FftSettingDlg.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "dialogs/SavedFileSettingDlg.h"
#include "gui/mainwindow/WindowHarness.h"
#include "recording/WaveLog.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"

namespace {

bool Shown(const sScale& scale)
{
    return scale.ratio == 1.25 || scale.ratio == 1.5;
}

// Each side of each box, crossed by a short band at its middle (the top and bottom near the
// right end, away from a group box's title), holds one dark line of the line width; a group box
// has its light line right after it. Returns the number of boxes.
int ExpectBoxesWhole(const QWidget& window, const QImage& image, const sScale& scale)
{
    int boxes = 0;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const auto* edit = qobject_cast<const QPlainTextEdit*>(w);
        const bool group = qobject_cast<const QGroupBox*>(w) != nullptr;
        if (!(group || (edit && edit->frameShape() == QFrame::Box)) || !w->isVisibleTo(&window))
            continue;
        SCOPED_TRACE("box " + w->objectName().toStdString());
        ++boxes;
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        const int top = group ? r.top() + w->fontMetrics().height() / 2 : r.top();
        const QRgb dark = w->palette().color(group ? QPalette::Mid : QPalette::WindowText).rgb();
        const QRgb light = w->palette().color(QPalette::Light).rgb();
        const struct {
            QRect band;
            Qt::Orientation along;
            const char* side;
        } sides[] = {{QRect(r.left() - 2, r.center().y(), 6, 1), Qt::Horizontal, "left"},
                     {QRect(r.right() - 3, r.center().y(), 6, 1), Qt::Horizontal, "right"},
                     {QRect(r.right() - 10, top - 2, 1, 6), Qt::Vertical, "top"},
                     {QRect(r.right() - 10, r.bottom() - 3, 1, 6), Qt::Vertical, "bottom"}};
        for (const auto& s : sides) {
            SCOPED_TRACE(s.side);
            const QRect band = DeviceRect(s.band, scale);
            const std::vector<sLineRun> darkLines = LinesAcross(image, band, dark, s.along);
            EXPECT_EQ(Widths(darkLines), std::vector<int>{scale.lineWidth});
            if (group && !darkLines.empty()) {
                const sLineRun beside{darkLines[0].first + scale.lineWidth, scale.lineWidth};
                EXPECT_EQ(LinesAcross(image, band, light, s.along), std::vector<sLineRun>{beside});
            }
        }
    }
    return boxes;
}

void ExpectBoxesWholeAtEveryScale(QWidget& window, int boxes, const QString& name)
{
    window.show();
    QCoreApplication::processEvents();
    for (const sScale& scale : kScales) {
        SCOPED_TRACE(name.toStdString() + " " + scale.percent);
        const QImage image = GrabAtScale(window, scale);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(ExpectBoxesWhole(window, image, scale), boxes);
        if (Shown(scale)) {
            EXPECT_TRUE(SaveScreenshot(image, QStringLiteral("scaled_%1_%2").arg(name, scale.percent)));
        }
    }
}

class FixedFftSettings : public IFftSettings {
public:
    int GetFftDisplayMode() const override { return 0; }
    void SetFftDisplayMode(int) override {}
    int GetFftOption() const override { return 1; }
    void SetFftOption(int) override {}
    double GetFftYMax() const override { return 20.0; }
    void SetFftYMax(double) override {}
    bool IsReviewMode() const override { return false; }
};

}  // namespace

TEST(FramesAtScales, EveryBoxOfEveryDialog)
{
    FixedFftSettings fftSettings;
    CFftSettingDlg fft(&fftSettings);
    ExpectBoxesWholeAtEveryScale(fft, 2, QStringLiteral("dialog_fft_setting"));

    FakeWaveIo receiver;
    FakePrompter prompter;
    sReceiverSettingServices services;
    services.prompter = &prompter;
    ReceiverSettingDlg receiverDialog(&receiver, nullptr, services);
    ExpectBoxesWholeAtEveryScale(receiverDialog, 2, QStringLiteral("dialog_receiver_setting"));

    TempDir folder;
    CWaveLog log(folder.str());
    log.SetFolder("/home/user/Documents/Velquin");
    FakeFileChooser chooser;
    CSavedFileSettingDlg savedFile(&log, prompter, chooser);
    ExpectBoxesWholeAtEveryScale(savedFile, 1, QStringLiteral("dialog_saved_file_setting"));
}

// The main window in review with a slice shown: its group box, and the lines of both graphs and
// the spectrum chart where they stand in it.
TEST(FramesAtScales, MainWindowBoxGraphsAndChart)
{
    WindowHarness h;
    h.Probe().EnterReview(QStringLiteral("20240102_235950.edf"), QStringLiteral("TQS27123456"), 600);
    // Slow waves above the zero line, which they leave to be seen, and a cursor.
    std::vector<float> eeg(30 * 128), emg(30 * 128);
    for (std::size_t i = 0; i < eeg.size(); ++i) {
        eeg[i] = float(100 + 60 * std::sin(2 * M_PI * 1.5 * double(i) / 128));
        emg[i] = float(50 + 20 * std::sin(2 * M_PI * 0.5 * double(i) / 128));
    }
    CRealTimeGraph* graphs[] = {h.Probe().GraphEeg(), h.Probe().GraphEmg()};
    graphs[0]->AddData(eeg, 1);
    graphs[1]->AddData(emg, 1);
    for (CRealTimeGraph* graph : graphs)
        graph->SetCursorFraction(0.4, 1);
    CFftMSChart* chart = h.Probe().ChartFft();
    const float bands[4] = {3.1f, 1.2f, 14.6f, 2.4f};
    chart->SetCount(4);
    chart->SetData(bands);
    chart->Update(0);

    for (const sScale& scale : kScales) {
        SCOPED_TRACE(scale.percent);
        const QImage image = GrabAtScale(*h.dlg, scale);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(ExpectBoxesWhole(*h.dlg, image, scale), 1);
        const int w = scale.lineWidth;
        std::vector<int> runs;  // of the traces down each column
        for (const CRealTimeGraph* graph : graphs) {
            SCOPED_TRACE(graph->objectName().toStdString());
            const sGraphLines lines = GraphLines(image, *graph, graph->mapTo(h.dlg.get(), QPoint(0, 0)), scale);
            EXPECT_EQ(lines.across, std::vector<int>(graph->GetXGridCount() + 2, w));
            EXPECT_EQ(lines.cursor, std::vector<int>{w});
            EXPECT_EQ(lines.down, std::vector<int>(lines.down.size(), w));
            EXPECT_GE(lines.down.size(), 4u);
            EXPECT_EQ(lines.zero, std::vector<int>{w});
            EXPECT_EQ(lines.zeroToFrame, std::make_pair(0, 0));
            // The trace down each device column of the plot but the cursor's.
            const QRect plot = graph->PlotRect().translated(graph->mapTo(h.dlg.get(), QPoint(0, 0)));
            const QRect inside = DeviceRect(plot.adjusted(2, 2, -2, -2), scale);
            const QRect cursor = DeviceRect(QRect(plot.left() + int(plot.width() * 0.4) - 1, 0, 3, 1), scale);
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QRect column(x, inside.top(), 1, inside.height());
                const std::vector<sLineRun> trace = LinesAcross(image, column, kGraphBlack, Qt::Vertical);
                if (x < cursor.left() || x > cursor.right())
                    runs.push_back(trace.size() == 1 ? trace[0].width : 0);
            }
        }
        // The traces: one run in every column (none left out, none broken), the thinnest, at the
        // flat crests of the slow waves, of the line width.
        EXPECT_EQ(std::count(runs.begin(), runs.end(), 0), 0);
        EXPECT_EQ(*std::min_element(runs.begin(), runs.end()), w);
        const sChartLines lines = ChartLines(image, *chart, chart->mapTo(h.dlg.get(), QPoint(0, 0)), scale);
        ExpectChartLinesOfOneWidth(lines, 5, w);
        EXPECT_EQ(lines.axisToGrid, 0);
        if (Shown(scale)) {
            EXPECT_TRUE(SaveScreenshot(image, QStringLiteral("scaled_mainwindow_review_") + scale.percent));
        }
    }
}
