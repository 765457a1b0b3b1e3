#include "Fakes.h"

#include "app/MessageTables.h"

std::vector<std::string> FakeWaveIo::Commands() const
{
    static const char* const kQueries[] = {"GetPortName", "GetLinkStatus", "GetCardErrorCode",
                                           "GetCardTotalMb", "GetCardFreeMb", "GetReceiverName",
                                           "GetModelType", "GetCommandState", "TestPort"};
    std::vector<std::string> out;
    for (const std::string& c : calls) {
        bool query = false;
        for (const char* q : kQueries)
            query = query || c == q;
        if (!query)
            out.push_back(c);
    }
    return out;
}

int FakeWaveIo::GetCommandState() const
{
    Log("GetCommandState");
    auto* self = const_cast<FakeWaveIo*>(this);
    if (!self->commandStates.empty()) {
        self->commandState = self->commandStates.front();
        if (self->commandStates.size() > 1)
            self->commandStates.pop_front();
        else
            self->commandStates.clear();
    }
    return commandState;
}

int FakeWaveIo::TakeFrame(sFrameSnapshot& frame)
{
    Record("TakeFrame");
    if (frames.empty())
        return 0;
    frame = frames.front();
    frames.pop_front();
    return 1;
}

int FakePrompter::Show(QWidget*, const QString& text, ePromptButtons buttons, ePromptIcon icon)
{
    shown.push_back({text, buttons, icon});
    if (whileShown)
        whileShown();
    if (!answers.empty()) {
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == ePromptButtons::Ok ? IDOK : IDYES;
}

std::vector<int> FakePrompter::ErrorNumbers() const
{
    std::vector<int> numbers;
    for (const sPromptRecord& box : shown) {
        if (box.icon != ePromptIcon::Exclamation)
            continue;
        int found = -1;
        for (size_t i = 0; i < g_strErrorMsg.size(); ++i)
            if (box.text == QString::fromUtf8(g_strErrorMsg[i].data(), qsizetype(g_strErrorMsg[i].size())))
                found = static_cast<int>(i);
        numbers.push_back(found);
    }
    return numbers;
}

int FakeDialogRunner::RunCommunicationSetting(QWidget*, IWaveIo& waveIo)
{
    opened << "CommunicationSetting";
    if (communicationResult == IDOK)
        waveIo.SetPortName(portChosen);
    return communicationResult;
}

QString MemoryProfile::GetProfileString(const QString& section, const QString& key, const QString& def)
{
    return values.value(section + '/' + key, def);
}

int MemoryProfile::GetProfileInt(const QString& section, const QString& key, int def)
{
    bool ok = false;
    const int v = values.value(section + '/' + key).toInt(&ok);
    return ok ? v : def;
}

bool MemoryProfile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    values[section + '/' + key] = value;
    return true;
}

bool MemoryProfile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    values[section + '/' + key] = QString::number(value);
    return true;
}
