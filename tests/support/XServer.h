#pragma once
// A private X server for tests that need a real one: Xvfb on a display it picks itself, and
// programs started on it (a window manager), each stopped again by its pid.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

// Stops a process started here and reaps it; nothing for pid 0.
inline void StopProcess(pid_t pid)
{
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

// Starts a program with its output discarded; its pid, or 0 when it could not be started.
inline pid_t StartQuietly(const char* program)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        execlp(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid > 0 ? pid : 0;
}

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
