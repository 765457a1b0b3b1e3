#pragma once
// Programs that tests start beside themselves: servers that run until the test stops them
// (an X server, a window manager, a compositor), and tools run to the end for their output.

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

// Stops a process started here, with every process it started in its group, and reaps it;
// nothing for pid 0.
inline void StopProcess(pid_t pid)
{
    if (pid > 0) {
        if (kill(-pid, SIGTERM) != 0)
            kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

namespace process_detail {
// In a child after fork: a process group of its own, standard output to out (or discarded),
// errors discarded, then the command; never returns.
[[noreturn]] inline void Exec(const std::vector<const char*>& command, int out, const char* folder)
{
    setpgid(0, 0);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(out >= 0 ? out : quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    if (folder && chdir(folder) != 0)
        _exit(127);
    std::vector<char*> argv;
    for (const char* word : command)
        argv.push_back(const_cast<char*>(word));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
}
}  // namespace process_detail

// Starts a command line in a process group of its own (so that what it starts stops with it),
// its output discarded; its pid, or 0 when it could not be started.
inline pid_t StartQuietly(const std::vector<const char*>& command)
{
    const pid_t pid = fork();
    if (pid == 0)
        process_detail::Exec(command, -1, nullptr);
    return pid > 0 ? pid : 0;
}

// Runs a command line to its end in the folder (or here); what it wrote to its standard output
// when it ended with status 0, else none.
inline std::optional<std::string> RunForOutput(const std::vector<const char*>& command, const char* folder = nullptr)
{
    int fds[2];
    if (pipe(fds) != 0)
        return std::nullopt;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        process_detail::Exec(command, fds[1], folder);
    }
    close(fds[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t n; pid > 0 && (n = read(fds[0], buffer, sizeof buffer)) != 0;)
        if (n > 0)
            output.append(buffer, static_cast<std::size_t>(n));
        else if (errno != EINTR)
            break;
    close(fds[0]);
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output;
}
