#pragma once
// A private X server for tests that need a real one: Xvfb on a display it picks itself,
// programs started on it (a window manager), and a test suite's whole X session with its own
// home and QApplication.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QApplication>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/Processes.h"
#include "support/TempDir.h"
#include "support/TestSession.h"

// Starts Xvfb with one screen of the given size ("1280x1024x24") and points DISPLAY at it;
// the server's pid, or 0 when it did not come up.
inline pid_t StartXvfb(const char* screen)
{
    int fds[2];
    if (pipe(fds) != 0)
        return 0;
    const std::string fd = std::to_string(fds[1]);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        // -noreset: the keymap set by setxkbmap stays when that client disconnects.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0", screen,
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string display;
    pollfd wait{fds[0], POLLIN, 0};
    char c = 0;
    while (pid > 0 && poll(&wait, 1, 20000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(fds[0]);
    if (pid <= 0 || display.empty()) {
        StopProcess(pid);
        return 0;
    }
    setenv("DISPLAY", (":" + display).c_str(), 1);
    return pid;
}

// A test suite's own X session: Xvfb with one screen of the given size, a fresh home, and a
// QApplication on that server (one per process, so one session per test binary).
struct sXSession {
    bool toolsPresent = false;
    pid_t xvfb = 0;
    std::unique_ptr<TempDir> home;
    std::unique_ptr<QApplication> app;

    // Starts the session when every tool is on the PATH; prepare runs on the new display
    // before the application is made (to start a window manager there).
    void Start(const char* screen, const std::vector<const char*>& tools, const std::function<void()>& prepare = {})
    {
        toolsPresent = ToolsPresent(tools);
        if (!toolsPresent)
            return;
        xvfb = StartXvfb(screen);
        if (xvfb <= 0)
            return;
        home = FreshHome();
        if (prepare)
            prepare();
        app = MakeApplication("xcb");
    }

    void Stop()
    {
        app.reset();
        StopProcess(xvfb);
        home.reset();
    }
};
