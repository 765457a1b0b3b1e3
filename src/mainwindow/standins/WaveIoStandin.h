#pragma once
// Stand-in for the receiver façade until the receiver link lands: no ports, every command
// refused, so the window runs idle.

#include <atomic>

#include "receiver/LinkSink.h"
#include "receiver/WaveIoInterface.h"

class CWaveIo : public IWaveIo {
public:
    explicit CWaveIo(ILinkSink&) {}

    int Connect() override { return 0; }
    int RequestName() override { return 0; }
    int StartMeasurement() override { return 0; }
    int SendCommand4() override { return 0; }
    int RequestCardInfo() override { return 0; }
    int SendCommand6() override { return 0; }
    int SendCommand7() override { return 0; }
    int SendCommand8() override { return 0; }
    int RequestVersion() override { return 0; }
    int RequestClock() override { return 0; }
    int SetReceiverClock(const std::tm*) override { return 0; }
    int OpenAndReceive() override { return 0; }
    int TestPort() override { return 0; }
    int Disconnect() override;
    void EnumComPorts(std::vector<std::string>& ports) override { ports.clear(); }
    std::string GetPortName() const override { return m_portName; }
    void SetPortName(const std::string& name) override { m_portName = name; }
    int GetLinkStatus() const override { return 5; }
    int GetCardErrorCode() const override { return 0; }
    int GetCardTotalMb() const override { return 0; }
    int GetCardFreeMb() const override { return 0; }
    std::string GetReceiverName() const override { return {}; }
    int GetModelType() const override { return 2; }
    std::string GetFirmwareVersion() const override { return {}; }
    std::string GetReceiverClock() const override { return {}; }
    int GetCommandState() const override { return 0; }
    int GetChannelCount() const override { return kChannelCount; }
    int GetSampleRate() const override { return kSampleRate; }
    int GetSamples(int, float*) override { return 0; }
    int GetSequence() const override { return 0; }
    int GetLastSequence() const override { return 0; }
    int TakeFrame(sFrameSnapshot&) override { return 0; }
    std::uint32_t GetGeneration() const override { return m_generation; }

private:
    std::string m_portName;
    std::atomic<std::uint32_t> m_generation{0};
};
