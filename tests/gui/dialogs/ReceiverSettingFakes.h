#pragma once
// Fakes for the receiver information dialog: a receiver façade whose command replies are
// scripted (how many polls of the command state until the reply, how it ends), and a
// prompter that records every box.

#include <QString>

#include <ctime>
#include <deque>
#include <string>
#include <vector>

#include "platform/qt/Prompter.h"
#include "receiver/Protocol.h"
#include "receiver/WaveIoInterface.h"

// How a scripted command ends.
struct sScriptedReply {
    int polls = 3;           // command-state reads that still say "waiting"
    int state = kStateDone;  // then this state
    bool timedOut = false;   // ... reached by the link's reply time-out
};

class ScriptedWaveIo : public IWaveIo {
public:
    std::vector<std::string> calls;  // "OpenAndReceive", "RequestVersion", ...
    int openResult = 1;
    int sendResult = 1;
    std::deque<sScriptedReply> replies;  // one per command sent; a missing one never ends
    std::string firmwareVersion = "2.0.1.3";
    std::string receiverClock = "2024/03/05 07:08:09";
    std::vector<std::tm> clocksSet;
    int pollsDuringWait = 0;

    int RequestVersion() override { return Send("RequestVersion"); }
    int RequestClock() override { return Send("RequestClock"); }
    int SetReceiverClock(const std::tm* time) override
    {
        clocksSet.push_back(*time);
        return Send("SetReceiverClock");
    }
    int OpenAndReceive() override { calls.push_back("OpenAndReceive"); return openResult; }
    int Disconnect() override { calls.push_back("Disconnect"); return 1; }
    int GetCommandState() const override
    {
        auto* self = const_cast<ScriptedWaveIo*>(this);
        ++self->pollsDuringWait;
        if (m_state == kStateWaiting && m_active) {
            if (m_reply.polls > 0)
                --self->m_reply.polls;
            else {
                self->m_state = m_reply.state;
                self->m_timedOut = m_reply.timedOut;
            }
        }
        return m_state;
    }
    int GetCommandTimedOut() const override { return m_timedOut ? 1 : 0; }
    std::string GetFirmwareVersion() const override { return firmwareVersion; }
    std::string GetReceiverClock() const override { return receiverClock; }

    // The rest of the façade is not the dialog's.
    int Connect() override { return Unused(); }
    int RequestName() override { return Unused(); }
    int StartMeasurement() override { return Unused(); }
    int SendCommand4() override { return Unused(); }
    int RequestCardInfo() override { return Unused(); }
    int SendCommand6() override { return Unused(); }
    int SendCommand7() override { return Unused(); }
    int SendCommand8() override { return Unused(); }
    int TestPort() override { return Unused(); }
    void EnumComPorts(std::vector<std::string>&) override { Unused(); }
    std::string GetPortName() const override { return "/dev/ttyUSB0"; }
    void SetPortName(const std::string&) override { Unused(); }
    int GetLinkStatus() const override { return 0; }
    int GetCardErrorCode() const override { return 0; }
    int GetCardTotalMb() const override { return 0; }
    int GetCardFreeMb() const override { return 0; }
    std::string GetReceiverName() const override { return {}; }
    int GetModelType() const override { return 0; }
    int GetChannelCount() const override { return kChannelCount; }
    int GetSampleRate() const override { return kSampleRate; }
    int GetSamples(int, float*) override { return 0; }
    int GetSequence() const override { return 0; }
    int GetLastSequence() const override { return 0; }
    int TakeFrame(sFrameSnapshot&) override { return 0; }
    std::uint32_t GetGeneration() const override { return 1; }

private:
    int Send(const char* name)
    {
        calls.push_back(name);
        m_state = kStateWaiting;
        m_timedOut = false;
        if (sendResult != 1)
            return sendResult;
        m_active = !replies.empty();
        if (m_active) {
            m_reply = replies.front();
            replies.pop_front();
        }
        return 1;
    }
    int Unused() const
    {
        const_cast<ScriptedWaveIo*>(this)->calls.push_back("unexpected");
        return 0;
    }

    int m_state = kStateIdle;
    bool m_timedOut = false;
    bool m_active = false;
    sScriptedReply m_reply;
};

class RecordingPrompter : public IPrompter {
public:
    std::vector<QString> texts;
    int Show(QWidget*, const QString& text, ePromptButtons, ePromptIcon icon) override
    {
        texts.push_back(icon == ePromptIcon::Exclamation ? text : QStringLiteral("(not an error box) ") + text);
        return IDOK;
    }
};
