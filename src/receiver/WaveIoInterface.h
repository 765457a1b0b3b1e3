#pragma once
// The receiver façade as the rest of the program sees it: one method per receiver command and
// one getter per value the link keeps. CWaveIo implements it on the serial port; tests of the
// windows implement it with fakes.

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

inline constexpr int kChannelCount = 2;
inline constexpr int kSampleRate = 128;
inline constexpr int kBlockValues = kChannelCount * kSampleRate;

// One data frame as the read thread took it: carried with each new-frame and late-frame
// notification, so a burst of frames or a busy user-interface thread never mixes seconds.
struct sFrameSnapshot {
    int sequence = 0;             // extended sequence number of this frame
    int highestSequence = 0;      // highest sequence number seen when the frame was taken
    int linkStatus = 0;           // link status 0..5 after this frame
    float samples[kBlockValues]{};  // 128 EEG values then 128 EMG values, in microvolts
};

class IWaveIo {
public:
    virtual ~IWaveIo() = default;

    // Commands: 1 when the command frame was handed to a write thread, 0 otherwise.
    virtual int Connect() = 0;
    virtual int RequestName() = 0;
    virtual int StartMeasurement() = 0;
    virtual int SendCommand4() = 0;
    virtual int RequestCardInfo() = 0;
    virtual int SendCommand6() = 0;
    virtual int SendCommand7() = 0;
    virtual int SendCommand8() = 0;
    virtual int RequestVersion() = 0;
    virtual int RequestClock() = 0;
    virtual int SetReceiverClock(const std::tm* time) = 0;

    virtual int OpenAndReceive() = 0;
    virtual int TestPort() = 0;
    virtual int Disconnect() = 0;

    virtual void EnumComPorts(std::vector<std::string>& ports) = 0;
    virtual std::string GetPortName() const = 0;
    virtual void SetPortName(const std::string& name) = 0;

    virtual int GetLinkStatus() const = 0;
    virtual int GetCardErrorCode() const = 0;
    virtual int GetCardTotalMb() const = 0;
    virtual int GetCardFreeMb() const = 0;
    // Text getters return copies taken under the link's lock.
    virtual std::string GetReceiverName() const = 0;
    virtual int GetModelType() const = 0;
    virtual std::string GetFirmwareVersion() const = 0;
    virtual std::string GetReceiverClock() const = 0;
    virtual int GetCommandState() const = 0;
    // 1 when the last command failed because no reply came in time (the link has then also
    // posted its reply time-out); 0 after a refused or damaged reply, and while none failed.
    virtual int GetCommandTimedOut() const { return 0; }
    virtual int GetChannelCount() const = 0;
    virtual int GetSampleRate() const = 0;
    // Fills 2 × n floats (n EEG then n EMG values, µV) from the last frame; n is clamped to 0..128.
    virtual int GetSamples(int n, float* out) = 0;
    virtual int GetSequence() const = 0;
    virtual int GetLastSequence() const = 0;

    // Takes the oldest frame snapshot queued by the read thread (one per new-frame or
    // late-frame notification); 1 if there was one, 0 if the queue was empty.
    virtual int TakeFrame(sFrameSnapshot& frame) = 0;
    // The current generation of the link (see ILinkSink::Post).
    virtual std::uint32_t GetGeneration() const = 0;
};
