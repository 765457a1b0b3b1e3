#include "mainwindow/DialogRunner.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/CommunicationSettingDlg.h"
#include "dialogs/FftSettingDlg.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "dialogs/SavedFileSettingDlg.h"
#include "mainwindow/VelquinDlg.h"
#include "platform/qt/FileChooser.h"
#include "platform/qt/Prompter.h"
#include "platform/qt/QtPrompter.h"

namespace {

// The end of a dialog that has no keyboard rule of its own: OK (or accept) is IDOK.
int RunModal(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

// The main window's FFT settings as the FFT settings dialog edits them.
class CWindowFftSettings : public IFftSettings {
public:
    explicit CWindowFftSettings(CVelquinDlg& dlg) : m_dlg(dlg) {}
    int GetFftDisplayMode() const override { return m_dlg.GetFftDisplayMode(); }
    void SetFftDisplayMode(int mode) override { m_dlg.SetFftDisplayMode(mode); }
    int GetFftOption() const override { return m_dlg.GetFftOption(); }
    void SetFftOption(int option) override { m_dlg.SetFftOption(option); }
    double GetFftYMax() const override { return m_dlg.GetFftYMax(); }
    void SetFftYMax(double value) override { m_dlg.SetFftYMax(value); }
    bool IsReviewMode() const override { return m_dlg.IsReviewMode(); }

private:
    CVelquinDlg& m_dlg;
};

}  // namespace

CDialogRunner::CDialogRunner(IPrompter* prompter, IFileChooser* fileChooser, std::chrono::milliseconds replyWaitLimit)
    : m_prompter(prompter), m_fileChooser(fileChooser), m_replyWaitLimit(replyWaitLimit)
{
    if (!m_prompter) {
        m_ownPrompter = std::make_unique<CQtPrompter>();
        m_prompter = m_ownPrompter.get();
    }
    if (!m_fileChooser) {
        m_ownFileChooser = std::make_unique<CQtFileChooser>();
        m_fileChooser = m_ownFileChooser.get();
    }
}

CDialogRunner::~CDialogRunner() = default;

int CDialogRunner::RunCommunicationSetting(QWidget* owner, IWaveIo& waveIo)
{
    CCommunicationSettingDlg dlg(&waveIo, owner);
    return dlg.DoModal();
}

int CDialogRunner::RunSavedFileSetting(QWidget* owner, CWaveLog& waveLog)
{
    CSavedFileSettingDlg dlg(&waveLog, *m_prompter, *m_fileChooser, owner);
    return dlg.DoModal();
}

int CDialogRunner::RunFftSetting(CVelquinDlg& dlg)
{
    CWindowFftSettings settings(dlg);
    CFftSettingDlg dialog(&settings, &dlg);
    return dialog.DoModal();
}

int CDialogRunner::RunReceiverSetting(QWidget* owner, IWaveIo& waveIo)
{
    sReceiverSettingServices services;
    services.prompter = m_prompter;
    services.replyWaitLimit = m_replyWaitLimit;
    ReceiverSettingDlg dialog(&waveIo, owner, services);
    return RunModal(dialog);
}

int CDialogRunner::RunAbout(QWidget* owner)
{
    CAboutDlg dialog(owner);
    return RunModal(dialog);
}
