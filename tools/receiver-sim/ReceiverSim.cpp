#include "ReceiverSim.h"

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace rsim {

ReceiverSim::ReceiverSim(Options options) : m_options(std::move(options))
{
    m_nextSeq = m_options.firstSequence;
    m_random = m_options.seed ? m_options.seed : 1;
}

ReceiverSim::~ReceiverSim()
{
    Stop();
}

bool ReceiverSim::Start()
{
    if (m_running)
        return true;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0)
        return false;
    char name[128];
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 || ::ptsname_r(m_master, name, sizeof name) != 0) {
        ::close(m_master);
        m_master = -1;
        return false;
    }
    m_slavePath = name;
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    // Holding the slave open (never reading it) keeps the terminal alive between the
    // program's sessions: without it every close by the program would hang up the master.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    m_lastWrite = Clock::now();
    m_stop = false;
    m_thread = std::thread(&ReceiverSim::Run, this);
    m_running = true;
    return true;
}

void ReceiverSim::Stop()
{
    if (!m_running)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_thread.join();
    m_running = false;
    CloseTerminal();
}

void ReceiverSim::Hangup()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_running || m_master < 0)
        return;
    // The serving thread closes the descriptors itself, between two polls.
    m_hangup = true;
    m_changed.wait(lock, [this] { return m_master < 0; });
}

void ReceiverSim::CloseTerminal()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
    m_out.clear();
    m_streaming = false;
    m_changed.notify_all();
}

termios ReceiverSim::SlaveSettings() const
{
    termios tio {};
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_slave >= 0)
        ::tcgetattr(m_slave, &tio);
    return tio;
}

void ReceiverSim::AddRule(const Rule& rule)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rules.push_back(rule);
}

void ReceiverSim::QueueFrame(const FrameSpec& spec)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_frameQueue.push_back(spec);
}

void ReceiverSim::SendFrame(const FrameSpec& spec)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    EmitFrame(spec, Clock::now());
}

void ReceiverSim::SendRaw(const Bytes& bytes, int pieces, int pieceGapMs, int delayMs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Enqueue(bytes, pieces, pieceGapMs, Clock::now() + std::chrono::milliseconds(delayMs));
}

void ReceiverSim::StartStream()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_streaming = true;
    m_nextFrame = Clock::now() + std::chrono::milliseconds(m_options.firstFrameDelayMs);
}

void ReceiverSim::StopStream()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_streaming = false;
}

bool ReceiverSim::IsStreaming() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_streaming;
}

void ReceiverSim::SetClock(const std::tm& local)
{
    std::tm copy = local;
    copy.tm_isdst = -1;
    const std::time_t wanted = std::mktime(&copy);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clockOffset = static_cast<long long>(wanted) - static_cast<long long>(std::time(nullptr));
}

std::vector<LoggedCommand> ReceiverSim::Commands() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands;
}

std::vector<SentFrame> ReceiverSim::Frames() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_frames;
}

std::vector<std::string> ReceiverSim::Errors() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_errors;
}

bool ReceiverSim::WaitForCommands(std::size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_commands.size() >= count; });
}

bool ReceiverSim::WaitForFrames(std::size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_frames.size() >= count; });
}

bool ReceiverSim::WaitUntilWritten(int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_out.empty(); });
}

std::uint32_t ReceiverSim::NextRandom()
{
    // xorshift32: cheap, reproducible from the seed, and irregular enough that the
    // samples do not cancel out in the frame's XOR checksum.
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return m_random;
}

Samples ReceiverSim::RandomSamples()
{
    Samples s {};
    for (std::uint16_t& v : s)
        v = static_cast<std::uint16_t>(NextRandom() % 16384u);
    return s;
}

Samples ReceiverSim::EegLikeSamples(int channel, std::uint16_t second)
{
    // Raw value 8192 is 0 µV; one raw step is 3 V / 16384 divided by the channel's gain
    // (2000 for EEG, 141 for EMG).
    const double microvoltsPerStep = 3.0e6 / 16384.0 / (channel == 0 ? 2000.0 : 141.0);
    const double pi = 3.14159265358979323846;
    Samples s {};
    for (int i = 0; i < static_cast<int>(s.size()); ++i) {
        const double t = second + i / 128.0;
        const double noise = (static_cast<double>(NextRandom() % 2001u) - 1000.0) / 1000.0;
        double uv;
        if (channel == 0) {
            // An alpha rhythm that waxes and wanes every 8 s over a slow 1.5 Hz wave.
            const double alpha = 30.0 + 20.0 * std::sin(2 * pi * t / 8.0);
            uv = alpha * std::sin(2 * pi * 10.0 * t) + 25.0 * std::sin(2 * pi * 1.5 * t) + 8.0 * noise;
        } else {
            uv = 15.0 * noise;
        }
        const long raw = std::lround(8192.0 + uv / microvoltsPerStep);
        s[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(std::clamp(raw, 0L, 16383L));
    }
    return s;
}

void ReceiverSim::Enqueue(const Bytes& bytes, int pieces, int gapMs, Clock::time_point start)
{
    pieces = std::clamp(pieces, 1, std::max<int>(1, static_cast<int>(bytes.size())));
    const std::size_t size = bytes.size();
    for (int i = 0; i < pieces; ++i) {
        const std::size_t from = size * static_cast<std::size_t>(i) / static_cast<std::size_t>(pieces);
        const std::size_t to = size * static_cast<std::size_t>(i + 1) / static_cast<std::size_t>(pieces);
        m_out.push_back({Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(to)),
                         start + std::chrono::milliseconds(gapMs * i)});
    }
}

void ReceiverSim::EmitFrame(FrameSpec spec, Clock::time_point now)
{
    SentFrame sent;
    if (spec.seq) {
        sent.seq = *spec.seq;
        if (spec.advance)
            m_nextSeq = static_cast<std::uint16_t>(*spec.seq + 1);
    } else {
        sent.seq = m_nextSeq++;
    }
    sent.statusA = spec.statusA;
    sent.statusB = spec.statusB;
    if (m_options.eegLikeSamples) {
        sent.eeg = spec.eeg ? *spec.eeg : EegLikeSamples(0, sent.seq);
        sent.emg = spec.emg ? *spec.emg : EegLikeSamples(1, sent.seq);
    } else {
        sent.eeg = spec.eeg ? *spec.eeg : RandomSamples();
        sent.emg = spec.emg ? *spec.emg : RandomSamples();
    }
    sent.damage = spec.damage;
    sent.time = now;
    Bytes bytes = spec.prefix;
    const Bytes frame = BuildFrame(sent.seq, sent.statusA, sent.statusB, sent.eeg, sent.emg, spec.damage, spec.damageAt);
    bytes.insert(bytes.end(), frame.begin(), frame.end());
    Enqueue(bytes, spec.pieces, spec.pieceGapMs, now);
    m_frames.push_back(sent);
    m_changed.notify_all();
}

Bytes ReceiverSim::DefaultPayload(char letter, bool ack) const
{
    char text[32];
    switch (letter) {
    case 'N': {
        std::string name = m_options.name;
        name.resize(static_cast<std::size_t>(NameCharsForVersion(m_options.versionChars)), ' ');
        return Bytes(name.begin(), name.end());
    }
    case 'D':
        if (!ack)
            return Bytes {0x11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        std::snprintf(text, sizeof text, "%06d%06d", m_options.cardTotalMb % 1000000, m_options.cardFreeMb % 1000000);
        return Bytes(text, text + 12);
    case 'W': return Bytes {0x00, 0x11, 0x00};
    case 'V': {
        Bytes p(15, 0x00);
        for (std::size_t i = 0; i < 4 && i < m_options.versionChars.size(); ++i)
            p[10 + i] = static_cast<std::uint8_t>(m_options.versionChars[i]);
        return p;
    }
    case 'G': {
        const std::time_t now = std::time(nullptr) + static_cast<std::time_t>(m_clockOffset);
        std::tm local {};
        ::localtime_r(&now, &local);
        std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", local.tm_year % 100, local.tm_mon + 1,
                      local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
        return Bytes(text, text + 12);
    }
    default: return Bytes {0x00};
    }
}

Bytes ReceiverSim::ReplyFor(char command, const Rule& rule) const
{
    const char letter = static_cast<char>(command - 'a' + 'A');
    switch (rule.answer) {
    case Answer::Custom: return rule.bytes;
    case Answer::Silent: return {};
    default: break;
    }
    const bool ack = rule.answer != Answer::Nak;
    const Bytes payload = rule.payload.empty() ? DefaultPayload(letter, ack) : rule.payload;
    Bytes reply = BuildReply(rule.answer == Answer::WrongLetter ? 'X' : letter, ack, payload);
    if (rule.answer == Answer::BadChecksum)
        reply[reply.size() - 2] ^= 0xFF;
    return reply;
}

void ReceiverSim::HandleCommand(const ParsedCommand& command, Clock::time_point now)
{
    m_commands.push_back({command.letter, command.bytes, command.clockDigits, now});
    m_changed.notify_all();

    Rule rule;
    rule.command = command.letter;
    bool found = false;
    for (Rule& r : m_rules) {
        if (r.command != command.letter || r.times == 0)
            continue;
        if (r.skip > 0) {
            --r.skip;
            continue;
        }
        if (!found) {
            rule = r;
            found = true;
            if (r.times > 0)
                --r.times;
        }
    }
    std::erase_if(m_rules, [](const Rule& r) { return r.times == 0; });

    if (command.letter == 's' && rule.answer == Answer::Default) {
        std::tm set {};
        const std::string& d = command.clockDigits;
        set.tm_year = 100 + std::atoi(d.substr(0, 2).c_str());
        set.tm_mon = std::atoi(d.substr(2, 2).c_str()) - 1;
        set.tm_mday = std::atoi(d.substr(4, 2).c_str());
        set.tm_hour = std::atoi(d.substr(6, 2).c_str());
        set.tm_min = std::atoi(d.substr(8, 2).c_str());
        set.tm_sec = std::atoi(d.substr(10, 2).c_str());
        set.tm_isdst = -1;
        m_clockOffset = static_cast<long long>(std::mktime(&set)) - static_cast<long long>(std::time(nullptr));
    }

    const char letter = command.letter;
    StreamEffect effect = rule.stream;
    if (effect == StreamEffect::Auto) {
        effect = StreamEffect::Keep;
        if (rule.answer == Answer::Default && letter == 'b')
            effect = StreamEffect::Start;
        if (rule.answer == Answer::Default && letter == 'e')
            effect = StreamEffect::Stop;
    }
    // A stop ends the stream at once; the frame in progress is already queued in full, so
    // the reply follows it.
    if (effect == StreamEffect::Stop)
        m_streaming = false;

    // Frames that were already on the wire when the command arrived come before its reply.
    for (int i = 0; i < rule.framesBefore; ++i)
        EmitFrame({}, now);
    const Bytes reply = ReplyFor(letter, rule);
    const auto start = now + std::chrono::milliseconds(rule.delayMs);
    if (!reply.empty()) {
        Bytes all = rule.prefix;
        all.insert(all.end(), reply.begin(), reply.end());
        all.insert(all.end(), rule.suffix.begin(), rule.suffix.end());
        Enqueue(all, rule.pieces, rule.pieceGapMs, start);
    }
    if (effect == StreamEffect::Start) {
        m_streaming = true;
        m_nextFrame = start + std::chrono::milliseconds(m_options.firstFrameDelayMs);
    }
}

void ReceiverSim::WriteOut(Clock::time_point now)
{
    const double elapsed = std::chrono::duration<double>(now - m_lastWrite).count();
    m_lastWrite = now;
    const int rate = m_options.bytesPerSecond;
    // Line rate: at most what the line carries since the last write, with a burst of no
    // more than 10 ms worth after a pause.
    if (rate > 0)
        m_budget = std::min(m_budget + elapsed * rate, std::max(1.0, rate * 0.01));
    bool wrote = false;
    while (!m_out.empty() && m_out.front().notBefore <= now && m_master >= 0) {
        Piece& piece = m_out.front();
        std::size_t count = piece.bytes.size();
        if (rate > 0)
            count = std::min(count, static_cast<std::size_t>(m_budget));
        if (count == 0)
            break;
        const ssize_t n = ::write(m_master, piece.bytes.data(), count);
        if (n <= 0)
            break;
        wrote = true;
        if (rate > 0)
            m_budget -= static_cast<double>(n);
        piece.bytes.erase(piece.bytes.begin(), piece.bytes.begin() + n);
        if (piece.bytes.empty())
            m_out.pop_front();
    }
    if (wrote && m_out.empty())
        m_changed.notify_all();
}

void ReceiverSim::Run()
{
    for (;;) {
        int master;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_stop)
                return;
            if (m_hangup) {
                m_hangup = false;
                CloseTerminal();
            }
            master = m_master;
        }
        std::uint8_t buffer[512];
        ssize_t got = 0;
        if (master >= 0) {
            pollfd pfd {master, POLLIN, 0};
            if (::poll(&pfd, 1, 2) > 0 && (pfd.revents & POLLIN))
                got = ::read(master, buffer, sizeof buffer);
        } else {
            ::usleep(2000);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto now = Clock::now();
        if (got > 0 && m_master >= 0) {
            m_input.insert(m_input.end(), buffer, buffer + got);
            const std::size_t errorsBefore = m_errors.size();
            for (const ParsedCommand& command : ParseCommands(m_input, m_errors))
                HandleCommand(command, now);
            if (m_errors.size() != errorsBefore)
                m_changed.notify_all();
        }
        if (m_streaming && now >= m_nextFrame) {
            FrameSpec spec;
            if (!m_frameQueue.empty()) {
                spec = m_frameQueue.front();
                m_frameQueue.pop_front();
            }
            EmitFrame(spec, now);
            m_nextFrame += std::chrono::milliseconds(m_options.frameIntervalMs);
        }
        WriteOut(now);
    }
}

}  // namespace rsim
