#pragma once
// CWaveIo: the receiver façade on the serial port. It owns the link (CSerialIo), the sink
// that receives the link's notifications and the name of the chosen port, and offers one
// method per receiver command and one getter per value the link keeps.
//
//   CWaveIo waveIo(&sink);                       // program: default timings, real port list
//   CWaveIo waveIo(&sink, {10, 500});            // tests: 10 ms pass, 0.5 s time-out
//   CWaveIo waveIo(&sink, {}, {fakeSys, fakeDev});  // tests: another port list

#include <cstdint>
#include <string>
#include <vector>

#include "platform/PortList.h"
#include "receiver/LinkSink.h"
#include "receiver/SerialIo.h"
#include "receiver/WaveIoInterface.h"

class CWaveIo : public IWaveIo {
public:
    // Enumerates the ports and chooses the first one (empty when there is none).
    explicit CWaveIo(ILinkSink* owner, const sLinkTimings& timings = {}, const sPortListRoots& ports = {});
    ~CWaveIo() override = default;

    int Connect() override;
    int RequestName() override;
    int StartMeasurement() override;
    int SendCommand4() override;
    int RequestCardInfo() override;
    int SendCommand6() override;
    int SendCommand7() override;
    int SendCommand8() override;
    int RequestVersion() override;
    int RequestClock() override;
    // 0 without sending for a year outside 2000..2099.
    int SetReceiverClock(const std::tm* time) override;

    int OpenAndReceive() override;
    int TestPort() override;
    int Disconnect() override;

    void EnumComPorts(std::vector<std::string>& ports) override;
    std::string GetPortName() const override { return m_portName; }
    void SetPortName(const std::string& name) override { m_portName = name; }

    int GetLinkStatus() const override { return m_link.GetLinkStatus(); }
    int GetCardErrorCode() const override { return m_link.GetCardErrorCode(); }
    int GetCardTotalMb() const override { return m_link.GetCardTotalMb(); }
    int GetCardFreeMb() const override { return m_link.GetCardFreeMb(); }
    std::string GetReceiverName() const override { return m_link.GetReceiverName(); }
    int GetModelType() const override { return m_link.GetModelType(); }
    std::string GetFirmwareVersion() const override { return m_link.GetFirmwareVersion(); }
    std::string GetReceiverClock() const override { return m_link.GetReceiverClock(); }
    int GetCommandState() const override { return m_link.GetCommandState(); }
    int GetCommandTimedOut() const override { return m_link.GetCommandTimedOut() ? 1 : 0; }
    int GetChannelCount() const override { return kChannelCount; }
    int GetSampleRate() const override { return kSampleRate; }
    int GetSamples(int n, float* out) override { return m_link.GetSamples(n, out); }
    int GetSequence() const override { return m_link.GetSequence(); }
    int GetLastSequence() const override { return m_link.GetLastSequence(); }
    int TakeFrame(sFrameSnapshot& frame) override { return m_link.TakeFrame(frame); }
    std::uint32_t GetGeneration() const override { return m_link.GetGeneration(); }

    // XOR of buffer[first..last], both included; 0 when first > last.
    static std::uint8_t Checksum(const std::uint8_t* buffer, int first, int last);

    // The link itself, for tests and tools that look at its reply mode and pending id.
    const CSerialIo& Link() const { return m_link; }

private:
    int OpenAndStart();
    int SendFrame(int pendingId, const std::uint8_t* frame, int length);
    int SendCommand(int pendingId);

    ILinkSink* m_owner;
    sPortListRoots m_portRoots;
    CSerialIo m_link;
    std::string m_portName;
};
