#pragma once
// The settings dialogs and the About box as the main window opens them: modal, on the
// object they edit, returning IDOK or IDCANCEL. Behind an interface so the window's tests
// script the dialogs; CDialogRunner opens the real ones.

#include <chrono>
#include <memory>

class CVelquinDlg;
class CWaveLog;
class IFileChooser;
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
    // The dialogs show their message boxes through the prompter and choose folders through
    // the chooser (neither owned); Qt's own boxes and chooser when they are null. The
    // receiver information dialog waits at most replyWaitLimit for one receiver reply.
    explicit CDialogRunner(IPrompter* prompter = nullptr, IFileChooser* fileChooser = nullptr,
                           std::chrono::milliseconds replyWaitLimit = std::chrono::milliseconds(6000));
    ~CDialogRunner() override;

    int RunCommunicationSetting(QWidget* owner, IWaveIo& waveIo) override;
    int RunSavedFileSetting(QWidget* owner, CWaveLog& waveLog) override;
    int RunFftSetting(CVelquinDlg& dlg) override;
    int RunReceiverSetting(QWidget* owner, IWaveIo& waveIo) override;
    int RunAbout(QWidget* owner) override;

private:
    std::unique_ptr<IPrompter> m_ownPrompter;
    std::unique_ptr<IFileChooser> m_ownFileChooser;
    IPrompter* m_prompter;
    IFileChooser* m_fileChooser;
    std::chrono::milliseconds m_replyWaitLimit;
};
