// Review of a 24-hour recording (86,400 one-second records at 128 Hz, 44 MB) on the real
// main window, offscreen:
//   - from the drop of the file to the first drawn review (the file in the page cache, the
//     arrays freshly allocated each time), and the resident memory after it;
//   - with "ALL" shown: a page step, a click into the EEG graph and a scroll step, each with
//     the window repainted, and the first "ALL" (whose spectrum is computed, not cached);
//   - a page step at 4 hours (a new spectrum for each page).
// Prints the median and the worst of repeated runs in milliseconds.
//
//   review [records] [runs]
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "../tests/support/EdfFixture.h"
#include "mainwindow/VelquinDlg.h"
#include "platform/qt/Fonts.h"
#include "resources/MenuTables.h"
#include "resources/ResourceIds.h"

#include "BenchTiming.h"

namespace {

using Clock = BenchClock;

sTiming Measure(int runs, const std::function<void()>& run)
{
    return Summarise(TimeEach(runs, run));
}

void Print(const char* what, const sTiming& t)
{
    std::printf("%-52s median %7.1f ms  worst %7.1f ms\n", what, t.median, t.worst);
}

// Resident memory of this process, in MB.
double ResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0.0;
}

// Error boxes would stop the benchmark: they are printed instead.
class CPrintingPrompter : public IPrompter {
public:
    int Show(QWidget*, const QString& text, ePromptButtons, ePromptIcon) override
    {
        std::fprintf(stderr, "review: message box: %s\n", text.toUtf8().constData());
        return IDOK;
    }
};

// Handles everything posted, then paints the whole window at once.
void Draw(CVelquinDlg& dlg)
{
    QCoreApplication::processEvents();
    dlg.repaint();
}

void Drop(CVelquinDlg& dlg, const QString& path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QWidget* target = dlg.DlgItem(kIdGraphEeg);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

void ClickEeg(CVelquinDlg& dlg, double fraction)
{
    auto* eeg = static_cast<CGraph*>(dlg.DlgItem(kIdGraphEeg));
    const QRect plot = eeg->PlotRect();
    const QPointF at(plot.left() + plot.width() * fraction, plot.center().y());
    QMouseEvent press(QEvent::MouseButtonPress, at, eeg->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(eeg, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, eeg->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(eeg, &release);
}

}  // namespace

int main(int argc, char** argv)
{
    const long long records = argc > 1 ? std::atoll(argv[1]) : 86400;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;

    // A folder of our own for the file and the profile the window writes when it closes.
    std::string pattern = (std::filesystem::temp_directory_path() / "velquin-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::filesystem::path dir = pattern;
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    InstallFontSubstitutions();

    sEdfFixture day;
    day.records = records;
    day.value = EdfSines(128, 10, 100, 50, 20);
    const QString path = QString::fromStdString((dir / "day.edf").string());
    const std::uint64_t bytes = WriteEdfFixture(path.toStdString(), day);
    std::printf("review: %lld records at 128 Hz (%llu bytes), %d runs each\n", records,
                static_cast<unsigned long long>(bytes), runs);

    {
        sDlgServices services;
        services.prompter = std::make_unique<CPrintingPrompter>();
        services.inhibitScreenSaver = false;
        CVelquinDlg dlg(std::move(services));
        dlg.resize(1280, 800);
        dlg.show();
        Draw(dlg);
        const double before = ResidentMegabytes();

        // From the drop to the drawn window; the first drop of the process on its own.
        Print("first drop to first drawn review (range 30 s)", Measure(1, [&] {
                  Drop(dlg, path);
                  Draw(dlg);
              }));
        if (dlg.GetMode() != CVelquinDlg::kModeReview) {
            std::fprintf(stderr, "review: the file was refused\n");
            return 1;
        }
        Print("drop to first drawn review, again (range 30 s)", Measure(runs, [&] {
                  Drop(dlg, path);
                  Draw(dlg);
              }));
        std::printf("%-52s %7.1f MB (%.1f MB before the first drop)\n", "resident memory after opening",
                    ResidentMegabytes(), before);

        // "ALL": the first time computes the whole file's spectrum.
        Print("first \"ALL\" (spectrum of the whole file computed)", Measure(1, [&] {
                  dlg.OnCommand(kTimeRangeCommands.back().mainId);
                  Draw(dlg);
              }));
        Print("\"ALL\": page step (arrow key)", Measure(runs, [&] {
                  dlg.PageRight();
                  Draw(dlg);
              }));
        int click = 0;
        Print("\"ALL\": click into the EEG graph", Measure(runs, [&] {
                  ClickEeg(dlg, (++click % 9 + 1) / 10.0);
                  Draw(dlg);
              }));
        auto* bar = static_cast<QScrollBar*>(dlg.DlgItem(kIdScrollBar));
        Print("\"ALL\": scroll step", Measure(runs, [&] {
                  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                  Draw(dlg);
              }));
        Print("\"ALL\": burst of 20 scroll steps", Measure(runs, [&] {
                  for (int i = 0; i < 20; ++i)
                      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                  Draw(dlg);
              }));
        Print("\"ALL\", detail display: page step", Measure(runs, [&] {
                  dlg.SetFftDisplayMode(1);
                  dlg.PageRight();
                  Draw(dlg);
              }));
        dlg.SetFftDisplayMode(0);

        dlg.SetTimeRange(14400);
        Print("4 hours: page step (a new spectrum each page)", Measure(std::min(runs, 5), [&] {
                  dlg.PageRight();
                  Draw(dlg);
              }));
        dlg.close();
    }
    std::filesystem::remove_all(dir);
    return 0;
}
