#pragma once
// The real main window offscreen, with the real receiver façade on the receiver simulator's
// pseudo-terminal (link timings shortened), the real settings dialogs, and message boxes
// that are recorded and answered from a script. It records the modes the window goes
// through and reads back the recorded files.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ReceiverSim.h"
#include "app/MessageTables.h"
#include "gui/mainwindow/MeasurementProbe.h"
#include "mainwindow/VelquinDlg.h"
#include "platform/qt/QtPrompter.h"
#include "receiver/WaveIo.h"
#include "support/TempDir.h"

namespace e2e {

using SteadyClock = std::chrono::steady_clock;

// One message box as the window or a dialog showed it.
struct sBox {
    QString text;
    ePromptButtons buttons;
    ePromptIcon icon;
    int mode;  // the window's mode while it was shown
    SteadyClock::time_point time;
};

// Records every box and answers from a script (Yes to questions, OK otherwise, when the
// script is empty). With `real` set, the box is shown as the program shows it, and whoever
// answers it (a ModalAnswerer) decides.
class RecordingPrompter : public IPrompter {
public:
    std::vector<sBox> shown;
    std::deque<int> answers;
    CVelquinDlg* window = nullptr;
    bool real = false;
    std::function<void()> onShow;  // runs as each box appears

    int Show(QWidget* parent, const QString& text, ePromptButtons buttons, ePromptIcon icon) override
    {
        shown.push_back({text, buttons, icon, window ? window->GetMode() : -1, SteadyClock::now()});
        if (onShow)
            onShow();
        if (real)
            return CQtPrompter().Show(parent, text, buttons, icon);
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == ePromptButtons::Ok ? IDOK : IDYES;
    }

    // The error numbers of the error boxes, by their texts (-1 for a text not in the table).
    std::vector<int> Errors() const
    {
        std::vector<int> numbers;
        for (const sBox& box : shown) {
            if (box.icon != ePromptIcon::Exclamation)
                continue;
            int found = -1;
            for (std::size_t i = 0; i < g_strErrorMsg.size(); ++i)
                if (box.text == QString::fromUtf8(g_strErrorMsg[i].data(), static_cast<qsizetype>(g_strErrorMsg[i].size())))
                    found = static_cast<int>(i);
            numbers.push_back(found);
        }
        return numbers;
    }
    int Questions() const
    {
        int n = 0;
        for (const sBox& box : shown)
            n += box.icon == ePromptIcon::Question;
        return n;
    }
};

// Answers modal windows (dialogs, message boxes) as they open, one scripted step each: a
// step gets the active modal window and returns true once it has dealt with it.
class ModalAnswerer {
public:
    using Step = std::function<bool(QWidget*)>;
    ModalAnswerer()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || m_steps.empty() || modal == m_last)
                return;
            if (m_steps.front()(modal)) {
                m_last = modal;
                m_steps.pop_front();
                ++m_answered;
            }
        });
        m_timer.start();
    }
    void Then(Step step) { m_steps.push_back(std::move(step)); }
    int Answered() const { return m_answered; }
    bool Done() const { return m_steps.empty(); }

private:
    QTimer m_timer;
    std::deque<Step> m_steps;
    QPointer<QWidget> m_last;  // cleared when it goes, so a new one at its address counts
    int m_answered = 0;
};

// Link timings: a 10 ms pass, and a reply time-out with room to spare on a busy machine. The
// tests of the time-outs themselves take the short one.
inline constexpr sLinkTimings kRoomyTimeouts{10, 5000};
inline constexpr sLinkTimings kShortTimeouts{10, 2000};
// The bound of a wait for something that must happen: it ends as soon as it does.
inline constexpr int kEventWaitMs = 60000;

struct sRigOptions {
    rsim::Options sim = [] {
        rsim::Options o;
        o.firstFrameDelayMs = 40;
        o.frameIntervalMs = 60;
        o.bytesPerSecond = 0;  // no line-rate pacing: a frame arrives at once
        return o;
    }();
    sLinkTimings link = kRoomyTimeouts;
    std::chrono::milliseconds replyWaitLimit{6000};
    bool realPrompter = false;
    // The façade starts without a port; the port list holds the simulator's terminal.
    bool startWithoutPort = false;
    bool listSimulator = false;
    int fileTypes = 3;
};

class MeasurementRig {
public:
    sRigOptions options;
    rsim::ReceiverSim sim;
    TempDir folder;  // the recordings go here
    RecordingPrompter* prompter = nullptr;
    std::unique_ptr<CVelquinDlg> dlg;
    std::vector<int> modes;  // every mode set, in order, repeats of the same mode folded

    explicit MeasurementRig(sRigOptions rigOptions = {}) : options(std::move(rigOptions)), sim(options.sim)
    {
        setenv("TZ", "Asia/Tokyo", 1);
        tzset();
        sim.Start();
        if (options.listSimulator)
            setenv("VELQUIN_EXTRA_PORTS", sim.SlavePath().c_str(), 1);
        sDlgServices services;
        services.makeWaveIo = [this](ILinkSink& sink) -> std::unique_ptr<IWaveIo> {
            auto wave = std::make_unique<CWaveIo>(&sink, options.link,
                                                  sPortListRoots{"/nonexistent", "/dev", options.listSimulator});
            wave->SetPortName(options.startWithoutPort ? std::string() : sim.SlavePath());
            return wave;
        };
        auto recording = std::make_unique<RecordingPrompter>();
        recording->real = options.realPrompter;
        prompter = recording.get();
        services.prompter = std::move(recording);
        services.inhibitScreenSaver = false;
        services.replyWaitLimit = options.replyWaitLimit;
        dlg = std::make_unique<CVelquinDlg>(std::move(services));
        prompter->window = dlg.get();
        QObject::connect(dlg.get(), &CVelquinDlg::ModeChanged, [this](int mode) {
            if (modes.empty() || modes.back() != mode)
                modes.push_back(mode);
        });
        Log().SetFolder(folder.str());
        Log().SetFileTypes(options.fileTypes);
        Log().SetNamingMode(1);
        dlg->show();
        QCoreApplication::processEvents();
    }
    ~MeasurementRig()
    {
        if (dlg)
            dlg->close();
        dlg.reset();
        sim.Stop();
        if (options.listSimulator)
            unsetenv("VELQUIN_EXTRA_PORTS");
    }

    CMeasurementProbe Probe() { return CMeasurementProbe(*dlg); }
    CWaveLog& Log() { return Probe().WaveLog(); }
    QString Text(int id) const { return qobject_cast<QLabel*>(dlg->DlgItem(id))->text(); }
    void Click(int id) { qobject_cast<QPushButton*>(dlg->DlgItem(id))->click(); }

    // Handles events until pred holds or the time is up; pred's last answer. The bound is
    // far beyond what anything takes, for a machine that is busy with other work.
    static bool SpinUntil(const std::function<bool()>& pred, int timeoutMs = kEventWaitMs)
    {
        const auto end = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
        while (!pred()) {
            if (SteadyClock::now() > end)
                return pred();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    }
    // Handles events for a while.
    static void Spin(int ms)
    {
        SpinUntil([] { return false; }, ms);
    }

    // The commands the simulator received, one letter each.
    std::string Letters() const
    {
        std::string s;
        for (const rsim::LoggedCommand& c : sim.Commands())
            s += c.letter;
        return s;
    }
    // Whether the simulator received exactly these commands, once it has read as many: the
    // last one may still be on its way when the window is done with it.
    ::testing::AssertionResult Received(const std::string& expected) const
    {
        sim.WaitForCommands(expected.size(), kEventWaitMs);
        const std::string got = Letters();
        if (got == expected)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the receiver got \"" << got << "\", not \"" << expected << "\"";
    }
    std::size_t Stored() { return Probe().Positions().size(); }
    bool WaitStored(std::size_t n, int timeoutMs = kEventWaitMs)
    {
        return SpinUntil([&] { return Stored() >= n; }, timeoutMs);
    }
    bool WaitMode(int mode, int timeoutMs = kEventWaitMs)
    {
        return SpinUntil([&] { return dlg->GetMode() == mode; }, timeoutMs);
    }
    // Start and the handshake up to the first data; true once measuring.
    bool StartMeasuring()
    {
        Click(1068);
        return WaitMode(CVelquinDlg::kModeMeasuring);
    }
    // Stop and its reply; true once idle again.
    bool StopMeasuring()
    {
        Click(1069);
        return WaitMode(CVelquinDlg::kModeIdle);
    }

    std::string EdfPath() { return folder.file(Log().GetEdfFileName()); }
    std::string CsvPath() { return folder.file(Log().GetCsvFileName()); }
    // Names of the files in the recording folder.
    std::vector<std::string> Files() const;
};

// Start and the handshake with the stream held back; true once the start reply is in.
inline bool StartHeld(MeasurementRig& rig)
{
    rig.sim.AddRule([] {
        rsim::Rule r = rsim::On('b');
        r.stream = rsim::StreamEffect::Keep;
        return r;
    }());
    rig.Click(1068);
    if (!MeasurementRig::SpinUntil([&] { return rig.Letters() == "evnb"; }))
        return false;
    MeasurementRig::Spin(60);  // the start reply is in before the first data
    return true;
}

// Start, the handshake with the stream held back, then the first frame by hand.
inline bool StartManual(MeasurementRig& rig, const rsim::FrameSpec& first)
{
    if (!StartHeld(rig))
        return false;
    rig.sim.SendFrame(first);
    return rig.WaitMode(CVelquinDlg::kModeMeasuring) && rig.WaitStored(1);
}

// A frame numbered `seq` (taken modulo 65536, as on the wire).
inline rsim::FrameSpec Seq(int seq)
{
    rsim::FrameSpec spec;
    spec.seq = static_cast<std::uint16_t>(seq);
    return spec;
}

// Sends a frame and waits until the window has stored `stored` seconds.
inline bool Send(MeasurementRig& rig, const rsim::FrameSpec& spec, std::size_t stored)
{
    rig.sim.SendFrame(spec);
    return rig.WaitStored(stored);
}

inline std::vector<std::string> MeasurementRig::Files() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace e2e
