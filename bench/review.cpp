// Review of a 24-hour recording (86,400 one-second records at 128 Hz, 44 MB) on the real
// main window, offscreen:
//   - from the drop of the file to the first drawn review (the file in the page cache, the
//     arrays freshly allocated each time), and the resident memory after it;
//   - with "ALL" shown: a page step, a click into the EEG graph and a scroll step, each with
//     the window repainted, and the first "ALL" (whose spectrum is computed, not cached);
//   - a page step at 30 s (a scorer's page) and at 4 hours (a new spectrum for each page);
//   - zoom steps from 2 s up to "ALL" and back, one key each.
// Prints the median and the worst of repeated runs in milliseconds. Given scale factors, it
// runs once at each (as QT_SCALE_FACTOR), prints each run's rows, and then the medians side
// by side with the largest ratio to the first scale's.
//
//   review [records] [runs] [scale...]     for example: review 86400 9 1 1.25 1.5 2
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
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

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

// Runs this program at each scale factor and prints its rows, then each row's medians side by
// side. Returns the exit status: 1 when a run failed.
int CompareScales(long long records, int runs, const std::vector<std::string>& scales)
{
    std::vector<std::string> rows;  // in the order printed
    std::map<std::string, std::vector<double>> medians;
    int status = 0;
    for (std::size_t i = 0; i < scales.size(); ++i) {
        std::printf("at QT_SCALE_FACTOR=%s:\n", scales[i].c_str());
        std::fflush(stdout);
        const std::string command = "QT_SCALE_FACTOR='" + scales[i] + "' /proc/" + std::to_string(getpid())
                                    + "/exe " + std::to_string(records) + " " + std::to_string(runs);
        FILE* run = popen(command.c_str(), "r");
        if (!run)
            return 1;
        char line[512];
        while (std::fgets(line, sizeof line, run)) {
            std::fputs(line, stdout);
            const std::string text = line;
            const std::size_t at = text.find(" median ");
            if (at == std::string::npos)
                continue;
            const std::string what = text.substr(0, text.find_last_not_of(' ', at) + 1);
            if (!medians.count(what))
                rows.push_back(what);
            medians[what].resize(i, 0.0);
            medians[what].push_back(std::atof(text.c_str() + at + 8));
        }
        status |= pclose(run) != 0;
    }
    std::printf("\n%-52s", "medians in ms at QT_SCALE_FACTOR");
    for (const std::string& scale : scales)
        std::printf(" %8s", scale.c_str());
    std::printf("   most / first\n");
    for (const std::string& what : rows) {
        std::vector<double>& m = medians[what];
        m.resize(scales.size(), 0.0);
        std::printf("%-52s", what.c_str());
        for (double ms : m)
            std::printf(" %8.1f", ms);
        std::printf("   %5.2f\n", m[0] > 0 ? *std::max_element(m.begin(), m.end()) / m[0] : 0.0);
    }
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    const long long records = argc > 1 ? std::atoll(argv[1]) : 86400;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    if (argc > 3)
        return CompareScales(records, runs, std::vector<std::string>(argv + 3, argv + argc));

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
        Print("30 s: page step (a scorer's page)", Measure(runs, [&] {
                  dlg.PageRight();
                  Draw(dlg);
              }));

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

        // Each step of the zoom ladder, out from 2 s to "ALL" and back in.
        dlg.SetTimeRange(kTimeRangeCommands.front().seconds);
        Draw(dlg);
        const int steps = static_cast<int>(kTimeRangeCommands.size()) - 1;
        Print("zoom step (2 s to \"ALL\" and back, one key each)", Summarise(TimeEach(2 * steps, [&](int i) {
                  if (i < steps)
                      dlg.ZoomOut();
                  else
                      dlg.ZoomIn();
                  Draw(dlg);
              })));
        dlg.close();
    }
    std::filesystem::remove_all(dir);
    return 0;
}
