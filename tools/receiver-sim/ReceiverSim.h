#pragma once
// A receiver simulator on a pseudo-terminal, for tests and for trying the program without
// a receiver. Hand SlavePath() to the program as its port. By default it behaves as a
// well-behaved receiver of the current family:
//   'ee'  E ACK; while streaming, the frame in progress is finished and the stream stops
//   'vv'  V with the version characters       'nn'  N with the name (20 or 4 characters)
//   'bb'  B ACK, then one frame per interval, the first after firstFrameDelayMs
//   'dd'  D with the card's total and free MB  'ww'  W with the OK byte 0x11
//   'gg'  G with the simulator's clock          's'   checked, sets the clock, S ACK
// Rules change the answer to chosen commands (refuse, stay silent, corrupt, delay, split,
// garbage around it); frame specs change the frames (numbers, status bytes, samples,
// damage, garbage or the reset pattern in front, split). Every byte the program sends is
// checked: commands go to the command log, anything else to the error list.
//
//   rsim::Options options;
//   options.frameIntervalMs = 200;
//   rsim::ReceiverSim sim(options);
//   sim.Start();
//   program.SetPortName(sim.SlavePath());
//   sim.AddRule(rsim::On('v', rsim::Answer::Nak));
//   rsim::FrameSpec late;
//   late.seq = 70;
//   sim.QueueFrame(late);
//   ... sim.Commands(), sim.Frames(), sim.Errors()

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <ctime>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <termios.h>
#include <thread>
#include <vector>

#include "SimWire.h"

namespace rsim {

using Clock = std::chrono::steady_clock;

enum class Answer {
    Default,      // the well-behaved reply (ACK)
    Nak,          // the same reply refused (NAK), with a correct checksum
    Silent,       // no reply at all
    BadChecksum,  // ACK with a wrong checksum
    WrongLetter,  // the reply with another letter
    Custom,       // exactly Rule::bytes
};

// What happens to the frame stream after a command that a rule answers.
enum class StreamEffect { Auto, Start, Stop, Keep };

struct Rule {
    char command = 'e';     // 'e','n','b','d','w','v','g', or 's' for the clock set
    int skip = 0;           // matching commands to let pass before the rule applies
    int times = 1;          // how many matching commands it answers; -1 for all
    Answer answer = Answer::Default;
    Bytes payload;          // replaces the default payload (Default, Nak, BadChecksum)
    Bytes bytes;            // the whole reply for Answer::Custom
    int delayMs = 0;        // wait before the first byte
    int pieces = 1;         // the reply (with prefix and suffix) split into this many writes
    int pieceGapMs = 0;     // ... this far apart
    Bytes prefix, suffix;   // garbage around the reply, in the same writes
    int framesBefore = 0;   // whole frames of the stream sent right in front of the reply
    // Auto: 'bb' answered with the default starts the stream, 'ee' answered with the
    // default stops it; every other answer leaves it as it is.
    StreamEffect stream = StreamEffect::Auto;
};

// A rule for the next `times` commands `command`, answered with `answer`; set further
// fields on the result as needed.
inline Rule On(char command, Answer answer = Answer::Default, int times = 1)
{
    Rule rule;
    rule.command = command;
    rule.answer = answer;
    rule.times = times;
    return rule;
}

struct FrameSpec {
    std::optional<std::uint16_t> seq;  // default: the stream's next number
    bool advance = true;               // an explicit seq moves the stream's next number past it
    std::uint8_t statusA = 0, statusB = 0;
    std::optional<Samples> eeg, emg;   // default: pseudo-random values 0..16383
    Damage damage = Damage::None;
    int damageAt = 0;
    Bytes prefix;                      // written right before the frame (garbage, reset pattern)
    int pieces = 1;
    int pieceGapMs = 0;
};

// One command the program sent, as the simulator received it.
struct LoggedCommand {
    char letter = 0;
    Bytes bytes;
    std::string clockDigits;  // clock set only: YYMMDDhhmmss
    Clock::time_point time;
};

// One frame the simulator sent.
struct SentFrame {
    std::uint16_t seq = 0;
    std::uint8_t statusA = 0, statusB = 0;
    Samples eeg {}, emg {};
    Damage damage = Damage::None;
    Clock::time_point time;  // when its first byte was queued
};

struct Options {
    std::string versionChars = "2013";  // the four version characters: 2.0.1.3
    std::string name = "TQS27000123";   // padded with blanks (or cut) to the name length
    int cardTotalMb = 1024;
    int cardFreeMb = 512;
    std::uint16_t firstSequence = 0;
    std::uint32_t seed = 1;
    int firstFrameDelayMs = 500;
    int frameIntervalMs = 1000;
    int bytesPerSecond = 3840;          // 38400 baud 8N1; 0 writes each piece at once
    // Samples of streamed frames: uniform noise over the whole raw range (tests), or a
    // sleep-EEG-like signal (a 10 Hz rhythm over slow waves, low EMG) for trying the program.
    bool eegLikeSamples = false;
};

class ReceiverSim {
public:
    explicit ReceiverSim(Options options = {});
    ~ReceiverSim();
    ReceiverSim(const ReceiverSim&) = delete;
    ReceiverSim& operator=(const ReceiverSim&) = delete;

    // Opens the pseudo-terminal and starts serving; false when no pseudo-terminal is free.
    bool Start();
    void Stop();
    std::string SlavePath() const { return m_slavePath; }
    // The terminal settings of the port as the program left them.
    termios SlaveSettings() const;
    // Closes the simulator's side: the program's port hangs up. Stop ends the thread.
    void Hangup();

    void AddRule(const Rule& rule);
    // Frames used, in order, for the next frames of the stream.
    void QueueFrame(const FrameSpec& spec);
    // A frame sent now, streaming or not (after what is already queued for writing).
    void SendFrame(const FrameSpec& spec = {});
    // Bytes sent now, split into pieces.
    void SendRaw(const Bytes& bytes, int pieces = 1, int pieceGapMs = 0, int delayMs = 0);
    void StartStream();
    void StopStream();
    bool IsStreaming() const;
    // The clock the 'gg' reply reports from now on.
    void SetClock(const std::tm& local);

    std::vector<LoggedCommand> Commands() const;
    std::vector<SentFrame> Frames() const;
    std::vector<std::string> Errors() const;
    bool WaitForCommands(std::size_t count, int timeoutMs) const;
    bool WaitForFrames(std::size_t count, int timeoutMs) const;
    // Waits until every queued byte has been written.
    bool WaitUntilWritten(int timeoutMs) const;

private:
    struct Piece {
        Bytes bytes;
        Clock::time_point notBefore;
    };
    void Run();
    void HandleCommand(const ParsedCommand& command, Clock::time_point now);
    Bytes DefaultPayload(char letter, bool ack) const;
    Bytes ReplyFor(char letter, const Rule& rule) const;
    void Enqueue(const Bytes& bytes, int pieces, int gapMs, Clock::time_point start);
    void EmitFrame(FrameSpec spec, Clock::time_point now);
    void WriteOut(Clock::time_point now);
    void CloseTerminal();
    Samples RandomSamples();
    // One second of an EEG-like (channel 0) or EMG-like (channel 1) signal in raw units.
    Samples EegLikeSamples(int channel, std::uint16_t second);
    std::uint32_t NextRandom();

    Options m_options;
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
    std::thread m_thread;
    bool m_running = false;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_stop = false;
    bool m_hangup = false;
    std::vector<Rule> m_rules;
    std::deque<FrameSpec> m_frameQueue;
    std::deque<Piece> m_out;
    double m_budget = 0.0;
    Clock::time_point m_lastWrite;
    bool m_streaming = false;
    Clock::time_point m_nextFrame;
    std::uint16_t m_nextSeq = 0;
    std::uint32_t m_random = 1;
    long long m_clockOffset = 0;  // seconds added to the system clock
    Bytes m_input;
    std::vector<LoggedCommand> m_commands;
    std::vector<SentFrame> m_frames;
    std::vector<std::string> m_errors;
};

}  // namespace rsim
