#pragma once
// A private Wayland compositor for tests: weston on a headless output of a given size with its
// desktop shell (a panel along the top), in a runtime folder and on a socket of its own; what
// it shows, read through its debug interface (its scene graph, and the output as an image);
// and a test suite's whole Wayland session with its own home and QApplication.

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QRect>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/Processes.h"
#include "support/TempDir.h"
#include "support/TestSession.h"

// A surface weston shows: what it says of it ("role xdg_toplevel, PID 12, … top-level window
// 'title' of app, …", "… panel for output headless, …") and where it is on the outputs.
struct sWestonView {
    std::string about;
    QRect place;
};

// The views weston shows, as its scene graph lists them; none when weston does not answer.
inline std::optional<std::vector<sWestonView>> WestonViews()
{
    const std::optional<std::string> graph = RunForOutput({"weston-debug", "scene-graph"});
    if (!graph)
        return std::nullopt;
    // "\tView 0 (role xdg_toplevel, PID 12, …):" and on a later line "\t\tposition: (x1, y1) -> (x2, y2)".
    std::vector<sWestonView> views;
    std::istringstream lines(*graph);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t start = line.find_first_not_of(" \t");
        const std::string text = start == std::string::npos ? std::string() : line.substr(start);
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (text.rfind("View ", 0) == 0 && text.find(" (") != std::string::npos && text.size() > 2
            && text.compare(text.size() - 2, 2, "):") == 0) {
            const std::size_t open = text.find(" (") + 2;
            views.push_back({text.substr(open, text.size() - 2 - open), {}});
        } else if (!views.empty() && views.back().place.isNull()
                   && std::sscanf(text.c_str(), "position: (%d, %d) -> (%d, %d)", &x1, &y1, &x2, &y2) == 4) {
            views.back().place = QRect(x1, y1, x2 - x1, y2 - y1);
        }
    }
    return views;
}

// The output as weston shows it; a null image when it could not be taken.
inline QImage WestonScreenshot()
{
    const TempDir folder;
    if (!RunForOutput({"weston-screenshooter"}, folder.str().c_str()))
        return {};
    const QStringList taken = QDir(QString::fromStdString(folder.str())).entryList({QStringLiteral("*.png")});
    return taken.size() == 1 ? QImage(QString::fromStdString(folder.file(taken.front().toStdString()))) : QImage();
}

// A test suite's own Wayland session: weston with one output of the given size and scale (its
// pixels are the size times the scale), a fresh home, and a QApplication on Qt's Wayland
// plugin (one per process, so one session per test binary).
struct sWestonSession {
    bool toolsPresent = false;
    pid_t weston = 0;
    std::unique_ptr<TempDir> runtime;
    std::unique_ptr<TempDir> home;
    std::unique_ptr<QApplication> app;

    // Starts the session when weston, its debug tools and Qt's Wayland plugin are installed;
    // the application is made once the shell's panel is up, so that weston knows what of the
    // output is free when the first window opens.
    void Start(int width, int height, int scale = 1)
    {
        const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms/libqwayland-generic.so");
        toolsPresent = ToolsPresent({"weston", "weston-debug", "weston-screenshooter"}) && QFile::exists(plugin);
        if (!toolsPresent)
            return;
        // Wayland sockets live in the runtime folder, which only its owner may enter.
        runtime = std::make_unique<TempDir>();
        setenv("XDG_RUNTIME_DIR", runtime->str().c_str(), 1);
        unsetenv("WAYLAND_DISPLAY");
        home = FreshHome();
        const std::string size[] = {"--width=" + std::to_string(width), "--height=" + std::to_string(height),
                                    "--scale=" + std::to_string(scale)};
        // --debug opens the scene graph and the screenshots to any client.
        weston = StartQuietly({"weston", "--backend=headless-backend.so", "--use-pixman", size[0].c_str(),
                               size[1].c_str(), size[2].c_str(), "--no-config", "--debug", "--socket=velquin-test"});
        setenv("WAYLAND_DISPLAY", "velquin-test", 1);
        if (!WaitForPanel()) {
            StopProcess(weston);
            weston = 0;
            return;
        }
        app = MakeApplication("wayland");
    }

    void Stop()
    {
        app.reset();
        StopProcess(weston);
        home.reset();
        runtime.reset();
    }

private:
    // Waits until weston shows its panel, as long as weston runs (a weston that ended is reaped).
    bool WaitForPanel()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (weston > 0 && std::chrono::steady_clock::now() < deadline) {
            if (waitpid(weston, nullptr, WNOHANG) == weston) {
                weston = 0;
                break;
            }
            if (const auto views = WestonViews())
                for (const sWestonView& v : *views)
                    if (v.about.find("panel for output") != std::string::npos && !v.place.isEmpty())
                        return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return false;
    }
};
