// receiver-sim: serves a simulated receiver on a pseudo-terminal until killed. The first
// line of output is the terminal's path; then one line per command received, frame sent
// and byte refused, each with the milliseconds since start.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "ReceiverSim.h"

namespace {

std::atomic<bool> g_quit {false};

void OnSignal(int)
{
    g_quit.store(true);
}

void Usage()
{
    std::fprintf(stderr,
                 "usage: receiver-sim [options]\n"
                 "  --version CHARS     four version characters (default 2013, i.e. 2.0.1.3)\n"
                 "  --name TEXT         receiver name (default TQS27000123)\n"
                 "  --seq N             number of the first frame (default 0)\n"
                 "  --seed N            seed of the pseudo-random samples (default 1)\n"
                 "  --interval MS       time between frames (default 1000)\n"
                 "  --first-delay MS    time from the start reply to the first frame (default 500)\n"
                 "  --burst             write without pacing to the line rate\n"
                 "  --eeg-like          stream an EEG-like signal instead of noise over the whole range\n"
                 "  --on C[#K]:ANSWER[:delay=MS][:pieces=N][:gap=MS][:frames=N]\n"
                 "                      answer the K-th (default next) command C (e n b d w v g s)\n"
                 "                      with nak, silent, badsum, wrongletter or ack, after N frames\n"
                 "  --quiet             print only the terminal's path\n");
}

bool ParseRule(const std::string& text, rsim::Rule& rule)
{
    if (text.size() < 3)
        return false;
    rule.command = text[0];
    std::size_t at = 1;
    if (text[at] == '#') {
        const std::size_t colon = text.find(':', at);
        if (colon == std::string::npos)
            return false;
        rule.skip = std::atoi(text.substr(at + 1, colon - at - 1).c_str()) - 1;
        at = colon;
    }
    if (text[at] != ':')
        return false;
    std::size_t start = at + 1;
    bool first = true;
    while (start <= text.size()) {
        std::size_t end = text.find(':', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(start, end - start);
        if (first) {
            if (part == "nak") rule.answer = rsim::Answer::Nak;
            else if (part == "silent") rule.answer = rsim::Answer::Silent;
            else if (part == "badsum") rule.answer = rsim::Answer::BadChecksum;
            else if (part == "wrongletter") rule.answer = rsim::Answer::WrongLetter;
            else if (part == "ack") rule.answer = rsim::Answer::Default;
            else return false;
            first = false;
        } else if (part.rfind("delay=", 0) == 0) {
            rule.delayMs = std::atoi(part.c_str() + 6);
        } else if (part.rfind("pieces=", 0) == 0) {
            rule.pieces = std::atoi(part.c_str() + 7);
        } else if (part.rfind("gap=", 0) == 0) {
            rule.pieceGapMs = std::atoi(part.c_str() + 4);
        } else if (part.rfind("frames=", 0) == 0) {
            rule.framesBefore = std::atoi(part.c_str() + 7);
        } else {
            return false;
        }
        start = end + 1;
    }
    return rule.skip >= 0;
}

void PrintValues(const char* label, const rsim::Samples& values)
{
    std::printf(" %s=", label);
    for (std::size_t i = 0; i < values.size(); ++i)
        std::printf(i ? ",%u" : "%u", static_cast<unsigned>(values[i]));
}

}  // namespace

int main(int argc, char** argv)
{
    rsim::Options options;
    std::vector<rsim::Rule> rules;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--version") options.versionChars = value();
        else if (arg == "--name") options.name = value();
        else if (arg == "--seq") options.firstSequence = static_cast<std::uint16_t>(std::atoi(value().c_str()));
        else if (arg == "--seed") options.seed = static_cast<std::uint32_t>(std::strtoul(value().c_str(), nullptr, 10));
        else if (arg == "--interval") options.frameIntervalMs = std::atoi(value().c_str());
        else if (arg == "--first-delay") options.firstFrameDelayMs = std::atoi(value().c_str());
        else if (arg == "--burst") options.bytesPerSecond = 0;
        else if (arg == "--eeg-like") options.eegLikeSamples = true;
        else if (arg == "--quiet") quiet = true;
        else if (arg == "--on") {
            rsim::Rule rule;
            if (!ParseRule(value(), rule)) {
                Usage();
                return 2;
            }
            rules.push_back(rule);
        } else {
            Usage();
            return 2;
        }
    }

    rsim::ReceiverSim sim(options);
    for (const rsim::Rule& rule : rules)
        sim.AddRule(rule);
    if (!sim.Start()) {
        std::fprintf(stderr, "receiver-sim: no pseudo-terminal: %s\n", std::strerror(errno));
        return 1;
    }
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGHUP, OnSignal);
    std::printf("%s\n", sim.SlavePath().c_str());
    std::fflush(stdout);

    const auto start = rsim::Clock::now();
    auto ms = [start](rsim::Clock::time_point t) {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(t - start).count());
    };
    std::size_t commands = 0, frames = 0, errors = 0;
    while (!g_quit.load()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (quiet)
            continue;
        const auto c = sim.Commands();
        for (; commands < c.size(); ++commands) {
            const rsim::LoggedCommand& cmd = c[commands];
            std::printf("T=%lld command %c", ms(cmd.time), cmd.letter);
            if (cmd.letter == 's')
                std::printf(" clock=%s", cmd.clockDigits.c_str());
            std::printf("\n");
        }
        const auto f = sim.Frames();
        for (; frames < f.size(); ++frames) {
            const rsim::SentFrame& frame = f[frames];
            std::printf("T=%lld frame seq=%u status=%u,%u", ms(frame.time), static_cast<unsigned>(frame.seq),
                        static_cast<unsigned>(frame.statusA), static_cast<unsigned>(frame.statusB));
            PrintValues("eeg", frame.eeg);
            PrintValues("emg", frame.emg);
            std::printf("\n");
        }
        const auto e = sim.Errors();
        for (; errors < e.size(); ++errors)
            std::printf("error %s\n", e[errors].c_str());
        std::fflush(stdout);
    }
    sim.Stop();
    return 0;
}
