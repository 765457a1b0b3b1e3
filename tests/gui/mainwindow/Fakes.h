#pragma once
// Fakes for the main window's collaborators: a receiver façade that logs every call and
// answers as scripted, a prompter that logs every box and answers from a script, a dialog
// runner, and a profile held in memory.

#include <QMap>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "mainwindow/DialogRunner.h"
#include "platform/qt/FileChooser.h"
#include "platform/qt/Profile.h"
#include "platform/qt/Prompter.h"
#include "receiver/WaveIoInterface.h"

// Test failures print texts as text.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

class FakeWaveIo : public IWaveIo {
public:
    FakeWaveIo() = default;
    ~FakeWaveIo() override { *alive = false; }

    // Outlive the fake: every call, and whether the fake still exists.
    std::shared_ptr<std::vector<std::string>> journal = std::make_shared<std::vector<std::string>>();
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    // Every call, in order, by name ("Connect", "GetPortName", ...).
    std::vector<std::string> calls;
    // The commands only (calls that send or open or close), the getters left out.
    std::vector<std::string> Commands() const;
    void ClearCalls() { calls.clear(); }

    // Scripted answers.
    int sendResult = 1;           // every command sender and Connect/OpenAndReceive
    int testPortResult = 1;
    int disconnectResult = 1;
    std::string portName = "/dev/ttyUSB0";
    int linkStatus = 0;
    int cardError = 0, cardTotal = 0, cardFree = 0;
    std::string receiverName;
    int modelType = 1;
    std::deque<int> commandStates;  // popped by each GetCommandState; the last one stays
    int commandState = 2;
    std::uint32_t generation = 1;
    std::deque<sFrameSnapshot> frames;

    int Connect() override { return Send("Connect"); }
    int RequestName() override { return Send("RequestName"); }
    int StartMeasurement() override { return Send("StartMeasurement"); }
    int SendCommand4() override { return Send("SendCommand4"); }
    int RequestCardInfo() override { return Send("RequestCardInfo"); }
    int SendCommand6() override { return Send("SendCommand6"); }
    int SendCommand7() override { return Send("SendCommand7"); }
    int SendCommand8() override { return Send("SendCommand8"); }
    int RequestVersion() override { return Send("RequestVersion"); }
    int RequestClock() override { return Send("RequestClock"); }
    int SetReceiverClock(const std::tm*) override { return Send("SetReceiverClock"); }
    int OpenAndReceive() override { return Send("OpenAndReceive"); }
    int TestPort() override { Record("TestPort"); return testPortResult; }
    int Disconnect() override
    {
        Record("Disconnect");
        ++generation;
        return disconnectResult;
    }
    void EnumComPorts(std::vector<std::string>& ports) override { Record("EnumComPorts"); ports = {portName}; }
    std::string GetPortName() const override { Log("GetPortName"); return portName; }
    void SetPortName(const std::string& name) override { Record("SetPortName"); portName = name; }
    int GetLinkStatus() const override { Log("GetLinkStatus"); return linkStatus; }
    int GetCardErrorCode() const override { Log("GetCardErrorCode"); return cardError; }
    int GetCardTotalMb() const override { Log("GetCardTotalMb"); return cardTotal; }
    int GetCardFreeMb() const override { Log("GetCardFreeMb"); return cardFree; }
    std::string GetReceiverName() const override { Log("GetReceiverName"); return receiverName; }
    int GetModelType() const override { Log("GetModelType"); return modelType; }
    std::string GetFirmwareVersion() const override { return {}; }
    std::string GetReceiverClock() const override { return {}; }
    int GetCommandState() const override;
    int GetChannelCount() const override { return kChannelCount; }
    int GetSampleRate() const override { return kSampleRate; }
    int GetSamples(int, float*) override { Record("GetSamples"); return 1; }
    int GetSequence() const override { return 0; }
    int GetLastSequence() const override { return 0; }
    int TakeFrame(sFrameSnapshot& frame) override;
    std::uint32_t GetGeneration() const override { return generation; }

private:
    int Send(const char* name)
    {
        Record(name);
        return sendResult;
    }
    void Record(const char* name)
    {
        calls.push_back(name);
        journal->push_back(name);
    }
    void Log(const char* name) const { const_cast<FakeWaveIo*>(this)->Record(name); }
};

// One message box as the window asked for it.
struct sPromptRecord {
    QString text;
    ePromptButtons buttons;
    ePromptIcon icon;
};

class FakePrompter : public IPrompter {
public:
    std::vector<sPromptRecord> shown;
    std::deque<int> answers;  // popped per box; when empty: Yes for questions, OK for the rest
    std::function<void()> whileShown;  // what the user does while a box is open

    int Show(QWidget*, const QString& text, ePromptButtons buttons, ePromptIcon icon) override;
    // The error numbers of the error boxes shown, found by their texts.
    std::vector<int> ErrorNumbers() const;
};

class FakeDialogRunner : public IDialogRunner {
public:
    QStringList opened;
    int communicationResult = IDCANCEL;
    std::string portChosen;  // set as the façade's port on OK

    int RunCommunicationSetting(QWidget*, IWaveIo& waveIo) override;
    int RunSavedFileSetting(QWidget*, CWaveLog&) override { opened << "SavedFileSetting"; return IDCANCEL; }
    int RunFftSetting(CVelquinDlg&) override { opened << "FftSetting"; return IDCANCEL; }
    int RunReceiverSetting(QWidget*, IWaveIo&) override { opened << "ReceiverSetting"; return IDCANCEL; }
    int RunAbout(QWidget*) override { opened << "About"; return IDOK; }
};

// A file chooser that answers from a script and logs where each dialog started.
class FakeFileChooser : public IFileChooser {
public:
    struct sOpenRequest {
        QString startFolder;
        QString filter;
        QString initialName;
        QString defaultSuffix;
    };
    std::vector<sOpenRequest> opened;
    QStringList folderCalls;      // "caption|start folder" per folder dialog
    std::deque<QString> answers;  // popped per dialog; when empty: cancelled

    QString ChooseOpenFile(QWidget*, const QString& startFolder, const QString& filter,
                           const QString& initialName, const QString& defaultSuffix) override
    {
        opened.push_back({startFolder, filter, initialName, defaultSuffix});
        return Next();
    }
    QString ChooseFolder(QWidget*, const QString& caption, const QString& startFolder) override
    {
        folderCalls << caption + QLatin1Char('|') + startFolder;
        return Next();
    }

private:
    QString Next()
    {
        if (answers.empty())
            return QString();
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class MemoryProfile : public IProfile {
public:
    QMap<QString, QString> values;  // "section/key" → value

    QString GetProfileString(const QString& section, const QString& key, const QString& def) override;
    int GetProfileInt(const QString& section, const QString& key, int def) override;
    bool WriteProfileString(const QString& section, const QString& key, const QString& value) override;
    bool WriteProfileInt(const QString& section, const QString& key, int value) override;
};
