#include "receiver/WaveIo.h"

#include "receiver/Protocol.h"

CWaveIo::CWaveIo(ILinkSink* owner, const sLinkTimings& timings, const sPortListRoots& ports)
    : m_owner(owner), m_portRoots(ports), m_link(timings)
{
    std::vector<std::string> list;
    EnumSerialPorts(list, m_portRoots);
    m_portName = list.empty() ? std::string() : list.front();
}

std::uint8_t CWaveIo::Checksum(const std::uint8_t* buffer, int first, int last)
{
    return XorBytes(buffer, first, last);
}

void CWaveIo::EnumComPorts(std::vector<std::string>& ports)
{
    EnumSerialPorts(ports, m_portRoots);
}

// The reply mode and the pending id are set before any byte leaves, so a reply can never
// come unexpected; a refused send takes them back.
int CWaveIo::SendFrame(int pendingId, const std::uint8_t* frame, int length)
{
    m_link.BeginCommand(pendingId);
    if (m_link.Send(frame, length))
        return 1;
    m_link.CancelCommand();
    return 0;
}

int CWaveIo::SendCommand(int pendingId)
{
    const auto frame = CommandFrame(pendingId);
    return SendFrame(pendingId, frame.data(), static_cast<int>(frame.size()));
}

// Opens the port and starts the read thread; a port that cannot start receiving is closed
// again, so that it is not left busy.
int CWaveIo::OpenAndStart()
{
    if (!m_link.Open(m_portName))
        return 0;
    if (!m_link.StartReceive(m_owner)) {
        m_link.Close();
        return 0;
    }
    return 1;
}

int CWaveIo::Connect()
{
    if (!OpenAndStart())
        return 0;
    return SendCommand(kCmdConnect);
}

int CWaveIo::OpenAndReceive()
{
    return OpenAndStart();
}

int CWaveIo::RequestName()
{
    return SendCommand(kCmdName);
}

int CWaveIo::StartMeasurement()
{
    return SendCommand(kCmdStart);
}

int CWaveIo::SendCommand4()
{
    return SendCommand(kCmdStep4);
}

int CWaveIo::RequestCardInfo()
{
    return SendCommand(kCmdCardInfo);
}

int CWaveIo::SendCommand6()
{
    return SendCommand(kCmdTransmitterCheck);
}

int CWaveIo::SendCommand7()
{
    return SendCommand(kCmdStop);
}

int CWaveIo::SendCommand8()
{
    return SendCommand(kCmdStop2);
}

int CWaveIo::RequestVersion()
{
    m_link.SetCommandState(kStateWaiting);
    return SendCommand(kCmdVersion);
}

int CWaveIo::RequestClock()
{
    m_link.SetCommandState(kStateWaiting);
    return SendCommand(kCmdClock);
}

int CWaveIo::SetReceiverClock(const std::tm* time)
{
    std::uint8_t frame[kClockSetFrameSize];
    if (!time || !BuildClockSetFrame(*time, frame))
        return 0;
    m_link.SetCommandState(kStateWaiting);
    return SendFrame(kCmdSetClock, frame, kClockSetFrameSize);
}

int CWaveIo::TestPort()
{
    if (!m_link.Open(m_portName))
        return 0;
    return m_link.Close();
}

int CWaveIo::Disconnect()
{
    m_link.CancelCommand();
    m_link.SetLinkStatus(kLinkNoDataStatus);
    return m_link.Close();
}
