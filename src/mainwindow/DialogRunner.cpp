#include "mainwindow/DialogRunner.h"

#include "platform/qt/Prompter.h"

// Each dialog is opened here once it exists; until then its command ends as a cancel.

int CDialogRunner::RunCommunicationSetting(QWidget*, IWaveIo&)
{
    return IDCANCEL;
}

int CDialogRunner::RunSavedFileSetting(QWidget*, CWaveLog&)
{
    return IDCANCEL;
}

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
