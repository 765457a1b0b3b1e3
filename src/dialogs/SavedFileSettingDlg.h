#pragma once
// CSavedFileSettingDlg: edits the saved-file settings that the recording manager holds: the
// output folder, which file types a measurement writes, and whether the files get automatic
// names from the start time or names the user types. On OK the user's names are checked in
// a fixed order (each refusal a message box, the dialog stays open); nothing is written to
// the recording manager unless every check passes. Cancel or the close box store nothing.
//
//   CSavedFileSettingDlg dlg(&waveLog, prompter, fileChooser, owner);
//   dlg.DoModal();

#include <QString>

#include "dialogs/KeyRuleDialog.h"

class CWaveLog;
class IFileChooser;
class IPrompter;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// The outcome of the checks of one typed file name, before the existence question.
enum class eFileNameCheck { Ok, NotEntered, BadExtension, BadCharacters, TooLong };

// Checks a typed name against the placeholder shown in an untouched edit ("*.edf") and the
// extension it must end in (".edf", case counts): not the placeholder and longer than four
// characters, the extension, then none of \ / : * ? " < > |, a name not longer than the file
// system of the folder takes (TooLong), and one it can hold (BadCharacters otherwise).
eFileNameCheck CheckFileName(const QString& name, const QString& placeholder, const QString& extension,
                             const QString& folder = {});

class CSavedFileSettingDlg : public CKeyRuleDialog {
    Q_OBJECT
public:
    // The recording manager, prompter and chooser are not owned and must outlive the dialog.
    CSavedFileSettingDlg(CWaveLog* waveLog, IPrompter& prompter, IFileChooser& fileChooser,
                         QWidget* parent = nullptr);

private:
    // One file type's texts and controls for the checks.
    struct sNameRules;

    void OnInitDialog();
    void OnBnClickedBrowse();
    void OnBnClickedDefaultName();
    void OnBnClickedUserName();
    void OnBnClickedEdfType();
    void OnBnClickedCsvType();
    void OnBnClickedOk();
    void OnBnClickedCancel();
    // The enable rule of the name controls, from the check boxes and the naming radios.
    void ApplyEnableRule();
    // 1 when the typed name may be stored (an existing file only when the user agreed to
    // overwrite it); 0 after a refusal or a No.
    int CheckUserFileName(const QString& name, const sNameRules& rules);
    int Message(const QString& text);
    int Question(const QString& text);

    CWaveLog* m_pWaveLog;
    QString m_strFolder;
    int m_nFileTypes = 0;
    int m_nNamingMode = 1;
    QString m_strEdfFileName;
    QString m_strCsvFileName;

    IPrompter& m_prompter;
    IFileChooser& m_fileChooser;
    QPlainTextEdit* m_editFolder = nullptr;
    QCheckBox* m_chkEdf = nullptr;
    QCheckBox* m_chkCsv = nullptr;
    QRadioButton* m_radioDefault = nullptr;
    QRadioButton* m_radioUser = nullptr;
    QLineEdit* m_editEdfName = nullptr;
    QLineEdit* m_editCsvName = nullptr;
};
