#pragma once
// Builds the main window offscreen with fake collaborators, and reads its inner state.

#include <QCoreApplication>
#include <QMenu>

#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>

#include "Fakes.h"
#include "mainwindow/VelquinDlg.h"

// Friend of the window: reads and sets what the tests need that the window keeps to itself.
class CVelquinDlgProbe {
public:
    explicit CVelquinDlgProbe(CVelquinDlg& dlg) : d(dlg) {}

    int TimeRange() const { return d.m_nTimeRange; }
    int SampleRate() const { return d.m_nSampleRate; }
    int EegYMax() const { return d.m_nEegYMax; }
    int EmgYMin() const { return d.m_nEmgYMin; }
    double FftYMax() const { return d.m_dFftYMax; }
    QColor StatusColour() const { return d.m_crStatus; }
    bool Closing() const { return d.m_bClosing != 0; }
    IWaveIo* WaveIo() const { return d.m_pWaveIo.get(); }
    CWaveLog& WaveLog() { return d.m_waveLog; }
    QWidget* ClientArea() const { return d.m_clientArea; }
    CRealTimeGraph* GraphEeg() const { return d.m_graphEeg; }
    CRealTimeGraph* GraphEmg() const { return d.m_graphEmg; }
    CFftMSChart* ChartFft() const { return d.m_chartFft; }
    std::time_t StartTime() const { return d.m_startTime; }
    bool HasReviewArrays() const { return d.m_review.IsLoaded(); }

    // Posts a notification as the link's threads do.
    void Post(int code, std::uint32_t generation) { d.m_linkSink.Post(code, generation); }
    // Review mode as a loaded file leaves it (the loading itself is not this window's core).
    void EnterReview(const QString& file, const QString& recorderId, int seconds)
    {
        d.m_strOpenedFile = file;
        d.m_strRecorderId = recorderId;
        d.m_nReviewSeconds = seconds;
        const std::vector<float> zeros(static_cast<size_t>(seconds) * 128);
        d.m_review.Assign(zeros, zeros, 128, seconds);
        d.SetMode(CVelquinDlg::kModeReview);
    }
    void SetRecorderId(const QString& id) { d.m_strRecorderId = id; }
    void SetCursor(int second, double fraction)
    {
        d.m_nCursorSecond = second;
        d.m_dCursorFraction = fraction;
    }
    int FirstSecond() const { return d.m_nFirstSecond; }
    double CursorFraction() const { return d.m_dCursorFraction; }
    int ShowAll() const { return d.m_bShowAll; }
    void SetTimeRangeField(int seconds) { d.m_nTimeRange = seconds; }

    // Review, display settings and cursor.
    int ReviewSeconds() const { return d.m_nReviewSeconds; }
    int CursorSecond() const { return d.m_nCursorSecond; }
    int EegYMin() const { return d.m_nEegYMin; }
    int EmgYMax() const { return d.m_nEmgYMax; }
    int FftDisplayMode() const { return d.m_nFftDisplayMode; }
    const QString& OpenedFile() const { return d.m_strOpenedFile; }
    const QString& RecorderId() const { return d.m_strRecorderId; }
    const CReviewFile& Review() const { return d.m_review; }
    std::size_t SpectrumComputations() const { return d.m_reviewSpectrum.Computed(); }
    bool RedrawPending() const { return d.m_bReviewRedrawPending; }
    void SetMenuTargets(int a, int b)
    {
        d.m_nMenuTargetA = a;
        d.m_nMenuTargetB = b;
    }
    std::pair<int, int> MenuTargets() const { return {d.m_nMenuTargetA, d.m_nMenuTargetB}; }
    CHypnogramMSChart* ChartHypnogram() const { return d.m_chartHypnogram; }
    CFftTrendMSChart* ChartFftTrend() const { return d.m_chartFftTrend; }

    // Menus and the analysis view.
    void RButtonDown(const QPoint& point) { d.OnRButtonDown(point); }
    void SetStartTime(std::time_t time) { d.m_startTime = time; }

private:
    CVelquinDlg& d;
};

// The window with fakes. The fakes stay owned by the window; the pointers are for reading.
struct WindowHarness {
    FakeWaveIo* wave = nullptr;
    FakePrompter* prompter = nullptr;
    FakeDialogRunner* dialogs = nullptr;
    MemoryProfile* profile = nullptr;
    FakeFileChooser* files = nullptr;
    std::time_t now = 1700000000;  // 2023/11/15 07:13:20 in Tokyo
    // Stands in for a shown context menu: gets the menu and the screen position, returns the
    // item chosen. When empty the real menu is shown.
    std::function<QAction*(QMenu&, const QPoint&)> popup;
    std::unique_ptr<CVelquinDlg> dlg;

    // prepare runs on the fakes before the window is built.
    explicit WindowHarness(const std::function<void(FakeWaveIo&, MemoryProfile&)>& prepare = {},
                           bool show = true)
    {
        // The tests read local times in Tokyo time, whatever the runner's environment says.
        setenv("TZ", "Asia/Tokyo", 1);
        tzset();
        auto fakeWave = std::make_unique<FakeWaveIo>();
        auto fakeProfile = std::make_unique<MemoryProfile>();
        if (prepare)
            prepare(*fakeWave, *fakeProfile);
        wave = fakeWave.get();
        profile = fakeProfile.get();
        auto fakePrompter = std::make_unique<FakePrompter>();
        prompter = fakePrompter.get();
        auto fakeDialogs = std::make_unique<FakeDialogRunner>();
        dialogs = fakeDialogs.get();
        auto fakeFiles = std::make_unique<FakeFileChooser>();
        files = fakeFiles.get();

        sDlgServices services;
        services.makeWaveIo = [w = fakeWave.release()](ILinkSink&) { return std::unique_ptr<IWaveIo>(w); };
        services.prompter = std::move(fakePrompter);
        services.profile = std::move(fakeProfile);
        services.dialogs = std::move(fakeDialogs);
        services.fileChooser = std::move(fakeFiles);
        services.now = [this] { return now; };
        services.inhibitScreenSaver = false;
        services.replyWaitLimit = std::chrono::milliseconds(200);
        services.trackPopupMenu = [this](QMenu& menu, const QPoint& at) {
            return popup ? popup(menu, at) : menu.exec(at);
        };
        dlg = std::make_unique<CVelquinDlg>(std::move(services));
        if (show) {
            dlg->show();
            QCoreApplication::processEvents();
        }
    }

    CVelquinDlgProbe Probe() { return CVelquinDlgProbe(*dlg); }
    template <typename T>
    T* Item(int id) const { return qobject_cast<T*>(dlg->DlgItem(id)); }
    // Handles every posted event.
    static void Flush() { QCoreApplication::processEvents(); QCoreApplication::processEvents(); }
    // A measurement recording into folder, with its first second (zeros) taken in.
    void MeasureOneSecond(const std::string& folder)
    {
        Probe().WaveLog().SetFolder(folder);
        Probe().Post(kLinkFirstData, wave->generation);
        wave->frames.push_back(sFrameSnapshot{});
        Probe().Post(kLinkNewFrame, wave->generation);
        Flush();
    }
};
