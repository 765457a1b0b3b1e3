// receiver-probe: runs receiver commands through the program's CWaveIo against a port and
// prints every notification as it arrives.
//   receiver-probe --list                         the discovered ports, one per line
//   receiver-probe --port PATH STEP...            steps: connect version name start stop stop2
//                                                 card clock setclock:YYYYMMDDhhmmss info
//                                                 disconnect wait:MS
// A command step waits until its reply is handled (or timed out). Exit status 0 unless a
// step could not be sent.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "receiver/WaveIo.h"

namespace {

using Clock = std::chrono::steady_clock;

struct sEvent {
    int code;
    std::uint32_t generation;
    Clock::time_point time;
};

class CProbeSink : public ILinkSink {
public:
    void Post(int code, std::uint32_t generation) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({code, generation, Clock::now()});
        m_wake.notify_all();
    }
    // Waits up to `until` for an event.
    bool Next(sEvent& event, Clock::time_point until)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!m_wake.wait_until(lock, until, [this] { return !m_events.empty(); }))
            return false;
        event = m_events.front();
        m_events.pop_front();
        return true;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<sEvent> m_events;
};

void Usage()
{
    std::fprintf(stderr,
                 "usage: receiver-probe --list [--tty-class DIR] [--dev DIR]\n"
                 "       receiver-probe --port PATH [--pass-ms N] [--timeout-ms N] STEP...\n"
                 "steps: connect version name start stop stop2 card clock setclock:YYYYMMDDhhmmss\n"
                 "       info disconnect wait:MS\n");
}

class CProbe {
public:
    CProbe(const sLinkTimings& timings, const std::string& port) : m_timings(timings), m_waveIo(&m_sink, timings)
    {
        m_waveIo.SetPortName(port);
    }

    // Runs one step; false when it could not be sent.
    bool Run(const std::string& step)
    {
        if (step.rfind("wait:", 0) == 0) {
            Pump(Clock::now() + std::chrono::milliseconds(std::atoi(step.c_str() + 5)));
            return true;
        }
        if (step == "info") {
            PrintInfo();
            return true;
        }
        if (step == "disconnect")
            return m_waveIo.Disconnect() == 1;
        int sent = 0;
        if (step == "connect") sent = m_waveIo.Connect();
        else if (step == "version") sent = m_waveIo.RequestVersion();
        else if (step == "name") sent = m_waveIo.RequestName();
        else if (step == "start") sent = m_waveIo.StartMeasurement();
        else if (step == "stop") sent = m_waveIo.SendCommand7();
        else if (step == "stop2") sent = m_waveIo.SendCommand8();
        else if (step == "card") sent = m_waveIo.RequestCardInfo();
        else if (step == "clock") sent = m_waveIo.RequestClock();
        else if (step.rfind("setclock:", 0) == 0) {
            std::tm time {};
            if (!ParseClock(step.substr(9), time))
                return false;
            sent = m_waveIo.SetReceiverClock(&time);
        } else {
            std::fprintf(stderr, "receiver-probe: unknown step '%s'\n", step.c_str());
            return false;
        }
        if (!sent)
            return false;
        WaitForReply();
        return true;
    }

    // Prints what is still queued.
    void Drain() { Pump(Clock::now()); }

private:
    static bool ParseClock(const std::string& digits, std::tm& time)
    {
        if (digits.size() != 14 || digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        auto field = [&digits](std::size_t at, std::size_t n) { return std::atoi(digits.substr(at, n).c_str()); };
        time.tm_year = field(0, 4) - 1900;
        time.tm_mon = field(4, 2) - 1;
        time.tm_mday = field(6, 2);
        time.tm_hour = field(8, 2);
        time.tm_min = field(10, 2);
        time.tm_sec = field(12, 2);
        return true;
    }

    // Until the command's bytes are written and its reply is handled or timed out.
    void WaitForReply()
    {
        m_written = false;
        const auto limit = Clock::now() + std::chrono::milliseconds(2 * m_timings.timeoutMs + 1000);
        while (Clock::now() < limit) {
            Pump(Clock::now() + std::chrono::milliseconds(2));
            if (m_written && m_waveIo.Link().GetReplyMode() == 0)
                break;
        }
        Pump(Clock::now());
    }

    void Pump(Clock::time_point until)
    {
        sEvent event;
        while (m_sink.Next(event, until))
            Print(event);
    }

    void Print(const sEvent& event)
    {
        if (event.code == kLinkCommandWritten)
            m_written = true;
        const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(event.time - m_start).count();
        std::printf("T=%lld +%d", ms, event.code);
        sFrameSnapshot frame;
        if ((event.code == kLinkNewFrame || event.code == kLinkLateFrame) &&
            event.generation == m_waveIo.GetGeneration() && m_waveIo.TakeFrame(frame)) {
            std::printf(" seq=%d highest=%d status=%d eeg=", frame.sequence, frame.highestSequence, frame.linkStatus);
            for (int i = 0; i < kSampleRate; ++i)
                std::printf(i ? ",%.6f" : "%.6f", static_cast<double>(frame.samples[i]));
            std::printf(" emg=");
            for (int i = 0; i < kSampleRate; ++i)
                std::printf(i ? ",%.6f" : "%.6f", static_cast<double>(frame.samples[kSampleRate + i]));
        }
        std::printf("\n");
        std::fflush(stdout);
    }

    void PrintInfo()
    {
        std::printf("state=%d version=%s name=%s model=%d clock=%s total=%d free=%d cardcode=%d linkstatus=%d port=%s\n",
                    m_waveIo.GetCommandState(), m_waveIo.GetFirmwareVersion().c_str(),
                    m_waveIo.GetReceiverName().c_str(), m_waveIo.GetModelType(), m_waveIo.GetReceiverClock().c_str(),
                    m_waveIo.GetCardTotalMb(), m_waveIo.GetCardFreeMb(), m_waveIo.GetCardErrorCode(),
                    m_waveIo.GetLinkStatus(), m_waveIo.GetPortName().c_str());
        std::fflush(stdout);
    }

    const Clock::time_point m_start = Clock::now();
    sLinkTimings m_timings;
    CProbeSink m_sink;
    CWaveIo m_waveIo;
    bool m_written = false;
};

}  // namespace

int main(int argc, char** argv)
{
    std::string port;
    bool list = false;
    sLinkTimings timings;
    sPortListRoots roots;
    std::vector<std::string> steps;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--list") list = true;
        else if (arg == "--port") port = value();
        else if (arg == "--pass-ms") timings.passMs = std::atoi(value().c_str());
        else if (arg == "--timeout-ms") timings.timeoutMs = std::atoi(value().c_str());
        else if (arg == "--tty-class") roots.ttyClass = value();
        else if (arg == "--dev") roots.dev = value();
        else if (arg.rfind("--", 0) == 0) {
            Usage();
            return 2;
        } else {
            steps.push_back(arg);
        }
    }
    if (list) {
        std::vector<std::string> ports;
        EnumSerialPorts(ports, roots);
        for (const std::string& p : ports)
            std::printf("%s\n", p.c_str());
        return 0;
    }
    if (port.empty() || steps.empty() || timings.passMs <= 0 || timings.timeoutMs <= 0) {
        Usage();
        return 2;
    }
    int status = 0;
    CProbe probe(timings, port);
    for (const std::string& step : steps) {
        if (!probe.Run(step)) {
            std::fprintf(stderr, "receiver-probe: step '%s' could not be sent\n", step.c_str());
            status = 1;
        }
    }
    probe.Drain();
    return status;
}
