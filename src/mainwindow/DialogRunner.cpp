#include "mainwindow/DialogRunner.h"

#include "dialogs/CommunicationSettingDlg.h"
#include "dialogs/SavedFileSettingDlg.h"
#include "platform/qt/FileChooser.h"
#include "platform/qt/Prompter.h"
#include "platform/qt/QtPrompter.h"

CDialogRunner::CDialogRunner(IPrompter* prompter, IFileChooser* fileChooser)
    : m_prompter(prompter), m_fileChooser(fileChooser)
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

// Each dialog below is opened here once it exists; until then its command ends as a cancel.

int CDialogRunner::RunFftSetting(CVelquinDlg&)
{
    return IDCANCEL;
}

int CDialogRunner::RunReceiverSetting(QWidget*, IWaveIo&)
{
    return IDCANCEL;
}

int CDialogRunner::RunAbout(QWidget*)
{
    return IDCANCEL;
}
