#include "mainwindow/DialogRunner.h"

#include "dialogs/AboutDlg.h"
#include "dialogs/FftSettingDlg.h"
#include "dialogs/ReceiverSettingDlg.h"
#include "mainwindow/VelquinDlg.h"
#include "platform/qt/Prompter.h"

// Each dialog is opened here once it exists; until then its command ends as a cancel.

namespace {

int Result(const QDialog& dialog)
{
    return dialog.result() == QDialog::Accepted ? IDOK : IDCANCEL;
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

CDialogRunner::CDialogRunner(IPrompter* prompter, std::chrono::milliseconds replyWaitLimit)
    : m_prompter(prompter), m_replyWaitLimit(replyWaitLimit)
{
}

int CDialogRunner::RunCommunicationSetting(QWidget*, IWaveIo&)
{
    return IDCANCEL;
}

int CDialogRunner::RunSavedFileSetting(QWidget*, CWaveLog&)
{
    return IDCANCEL;
}

int CDialogRunner::RunFftSetting(CVelquinDlg& dlg)
{
    CWindowFftSettings settings(dlg);
    CFftSettingDlg dialog(&settings, &dlg);
    dialog.exec();
    return Result(dialog);
}

int CDialogRunner::RunReceiverSetting(QWidget* owner, IWaveIo& waveIo)
{
    sReceiverSettingServices services;
    services.prompter = m_prompter;
    services.replyWaitLimit = m_replyWaitLimit;
    ReceiverSettingDlg dialog(&waveIo, owner, services);
    dialog.exec();
    return Result(dialog);
}

int CDialogRunner::RunAbout(QWidget* owner)
{
    CAboutDlg dialog(owner);
    dialog.exec();
    return Result(dialog);
}
