#pragma once
// The settings dialogs and the About box as the main window opens them: modal, on the
// object they edit, returning IDOK or IDCANCEL. Behind an interface so the window's tests
// script the dialogs; CDialogRunner opens the real ones.

#include <chrono>

class CVelquinDlg;
class CWaveLog;
class IPrompter;
class IWaveIo;
class QWidget;

class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    virtual int RunCommunicationSetting(QWidget* owner, IWaveIo& waveIo) = 0;
    virtual int RunSavedFileSetting(QWidget* owner, CWaveLog& waveLog) = 0;
    virtual int RunFftSetting(CVelquinDlg& dlg) = 0;
    virtual int RunReceiverSetting(QWidget* owner, IWaveIo& waveIo) = 0;
    virtual int RunAbout(QWidget* owner) = 0;
};

class CDialogRunner : public IDialogRunner {
public:
    // The dialogs show their error boxes through prompter (Qt's boxes when none) and wait
    // at most replyWaitLimit for a receiver reply.
    explicit CDialogRunner(IPrompter* prompter = nullptr,
                           std::chrono::milliseconds replyWaitLimit = std::chrono::milliseconds(6000));

    int RunCommunicationSetting(QWidget* owner, IWaveIo& waveIo) override;
    int RunSavedFileSetting(QWidget* owner, CWaveLog& waveLog) override;
    int RunFftSetting(CVelquinDlg& dlg) override;
    int RunReceiverSetting(QWidget* owner, IWaveIo& waveIo) override;
    int RunAbout(QWidget* owner) override;

private:
    IPrompter* m_prompter;
    std::chrono::milliseconds m_replyWaitLimit;
};
