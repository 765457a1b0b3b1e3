// The receiver-probe and receiver-sim commands, run as separate processes: the probe's
// output against the simulator's log, the port list, and the port as an unprivileged user.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "PtyFixture.h"
#include "support/TempDir.h"

namespace {

const std::string kProbe = std::string(VELQUIN_BINARY_DIR) + "/receiver-probe";
const std::string kSim = std::string(VELQUIN_BINARY_DIR) + "/receiver-sim";

struct Result {
    int status = -1;
    std::vector<std::string> lines;
};

std::vector<std::string> ReadLines(FILE* in)
{
    std::vector<std::string> lines;
    std::string line;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(char(c));
        }
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}

Result RunCommand(const std::string& command)
{
    Result r;
    FILE* in = ::popen(command.c_str(), "r");
    if (!in)
        return r;
    r.lines = ReadLines(in);
    const int status = ::pclose(in);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

// The simulator command, running until Stop; its output is read at the end.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args)
    {
        int fds[2];
        if (::pipe(fds) != 0)
            return;
        m_pid = ::fork();
        if (m_pid == 0) {
            ::dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            std::vector<char*> argv {const_cast<char*>(kSim.c_str())};
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(kSim.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        m_out = ::fdopen(fds[0], "r");
        char line[256] = {};
        if (m_out && std::fgets(line, sizeof line, m_out))
            m_path = std::string(line, std::strcspn(line, "\n"));
    }
    ~SimProcess() { Stop(); }
    const std::string& Path() const { return m_path; }
    std::vector<std::string> Stop()
    {
        std::vector<std::string> lines;
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            lines = ReadLines(m_out);
            ::waitpid(m_pid, nullptr, 0);
            std::fclose(m_out);
            m_pid = -1;
        }
        return lines;
    }

private:
    pid_t m_pid = -1;
    FILE* m_out = nullptr;
    std::string m_path;
};

// "key=value" fields of a line.
std::map<std::string, std::string> Fields(const std::string& line)
{
    std::map<std::string, std::string> f;
    std::istringstream in(line);
    std::string word;
    while (in >> word) {
        const auto eq = word.find('=');
        if (eq != std::string::npos)
            f[word.substr(0, eq)] = word.substr(eq + 1);
    }
    return f;
}

std::vector<std::string> Split(const std::string& text)
{
    std::vector<std::string> parts;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ','))
        parts.push_back(part);
    return parts;
}

std::string Formatted(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", double(value));
    return text;
}

// The codes the probe printed, in order.
// The notification codes printed, in order, without the "command written" ones (+24), which
// come from the write thread and may overtake or follow the reply the read thread posts;
// `written` counts them.
std::vector<int> Codes(const std::vector<std::string>& lines, int& written)
{
    std::vector<int> codes;
    written = 0;
    for (const std::string& line : lines) {
        const auto plus = line.find(" +");
        if (line.rfind("T=", 0) != 0 || plus == std::string::npos)
            continue;
        const int code = std::atoi(line.c_str() + plus + 2);
        if (code == kLinkCommandWritten)
            ++written;
        else
            codes.push_back(code);
    }
    return codes;
}

}  // namespace

TEST(ReceiverProbe, MeasuresFiveFramesFromTheSimulatorCommand)
{
    SimProcess sim({"--seed", "11", "--seq", "300"});
    ASSERT_FALSE(sim.Path().empty());
    const Result probe =
        RunCommand(kProbe + " --port " + sim.Path() + " connect version name start wait:5000 stop wait:1000 info disconnect");
    const std::vector<std::string> simLines = sim.Stop();
    ASSERT_EQ(probe.status, 0);

    std::vector<std::map<std::string, std::string>> got, sent;
    for (const std::string& line : probe.lines)
        if (line.find(" +22 ") != std::string::npos)
            got.push_back(Fields(line));
    for (const std::string& line : simLines)
        if (line.find(" frame ") != std::string::npos)
            sent.push_back(Fields(line));
    ASSERT_EQ(got.size(), 5u);
    ASSERT_EQ(sent.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(got[i]["seq"], std::to_string(300 + i));
        EXPECT_EQ(got[i]["highest"], std::to_string(300 + i));
        EXPECT_EQ(got[i]["status"], "0");
        for (const char* channel : {"eeg", "emg"}) {
            const auto raws = Split(sent[i][channel]);
            const auto values = Split(got[i][channel]);
            ASSERT_EQ(raws.size(), 128u);
            ASSERT_EQ(values.size(), 128u);
            for (std::size_t k = 0; k < 128; ++k)
                ASSERT_EQ(values[k], Formatted(rsim::Microvolts(std::uint16_t(std::stoi(raws[k])), channel[1] == 'e' ? 0 : 1)))
                    << channel << " frame " << i << " sample " << k;
        }
    }
    int written = 0;
    EXPECT_EQ(Codes(probe.lines, written), (std::vector<int> {1, 2, 21, 22, 22, 22, 22, 22, 14}));
    EXPECT_EQ(written, 5);
    const auto info = std::find_if(probe.lines.begin(), probe.lines.end(), [](const std::string& l) { return l.rfind("state=", 0) == 0; });
    ASSERT_NE(info, probe.lines.end());
    EXPECT_EQ(Fields(*info)["version"], "2.0.1.3");
    EXPECT_EQ(Fields(*info)["model"], "1");
    EXPECT_EQ(Fields(*info)["state"], "2");
    EXPECT_EQ(Fields(*info)["port"], sim.Path());
}

TEST(ReceiverProbe, ListsPortsAndReportsStepsThatCannotBeSent)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "sys" / "ttyUSB1");
    std::filesystem::create_directory_symlink(dir.path(), dir.path() / "sys" / "ttyUSB1" / "device");
    std::filesystem::create_directories(dir.path() / "dev");
    std::filesystem::create_symlink("/dev/null", dir.path() / "dev" / "ttyUSB1");
    const Result list = RunCommand("VELQUIN_EXTRA_PORTS=/dev/pts/99 " + kProbe + " --list --tty-class " + dir.file("sys") +
                            " --dev " + dir.file("dev"));
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.lines, (std::vector<std::string> {"/dev/pts/99", dir.file("dev") + "/ttyUSB1"}));

    const Result missing = RunCommand(kProbe + " --port /nonexistent/tty connect version 2>/dev/null");
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.lines.empty());
}

TEST_F(PtyLinkTest, OpenCloseOpenAsAnUnprivilegedUser)
{
    // The terminal's exclusive mode binds only unprivileged users, and a pseudo-terminal
    // keeps it after a close unless it is cleared: run the probe as such a user.
    std::string prefix;
    if (::geteuid() == 0) {
        if (::access("/usr/bin/setpriv", X_OK) != 0)
            GTEST_SKIP() << "setpriv is missing";
        ASSERT_EQ(::chmod(sim->SlavePath().c_str(), 0666), 0);
        prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    const std::string probe = prefix + kProbe + " --port " + sim->SlavePath() + " --pass-ms 10 --timeout-ms 5000 ";
    const Result twice = RunCommand(probe + "connect disconnect connect disconnect");
    EXPECT_EQ(twice.status, 0);
    int written = 0;
    EXPECT_EQ(Codes(twice.lines, written), (std::vector<int> {1, 1}));
    EXPECT_EQ(written, 2);

    // While this process holds the port, the other user cannot open it.
    Handshake();
    const Result held = RunCommand(probe + "connect 2>/dev/null");
    EXPECT_EQ(held.status, 1);
}
