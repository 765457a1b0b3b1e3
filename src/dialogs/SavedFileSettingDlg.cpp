#include "dialogs/SavedFileSettingDlg.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/FileChooser.h"
#include "platform/qt/Prompter.h"
#include "recording/RecordingPath.h"
#include "recording/WaveLog.h"
#include "resources/MainWindowTexts.h"
#include "resources/SettingDialogTexts.h"

namespace {

constexpr int kTypeEdf = 1;
constexpr int kTypeCsv = 2;
constexpr int kNamingAutomatic = 1;
constexpr int kNamingUser = 0;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

}  // namespace

struct CSavedFileSettingDlg::sNameRules {
    const char* placeholder;
    const char* extension;
    const char* missing;
    const char* badExtension;
    const char* badCharacters;
    const char* tooLong;
    const char* overwrite;
};

eFileNameCheck CheckFileName(const QString& name, const QString& placeholder, const QString& extension,
                             const QString& folder)
{
    if (name == placeholder || name.length() <= 4)
        return eFileNameCheck::NotEntered;
    if (!name.endsWith(extension, Qt::CaseSensitive))
        return eFileNameCheck::BadExtension;
    for (const char* c = kForbiddenNameCharacters; *c; ++c)
        if (name.contains(QLatin1Char(*c)))
            return eFileNameCheck::BadCharacters;
    if (IsFileNameTooLong(name.toStdString(), folder.toStdString()))
        return eFileNameCheck::TooLong;
    // A name the file system cannot hold otherwise (a zero byte) is as unusable.
    if (!IsPlainFileName(name.toStdString(), folder.toStdString()))
        return eFileNameCheck::BadCharacters;
    return eFileNameCheck::Ok;
}

CSavedFileSettingDlg::CSavedFileSettingDlg(CWaveLog* waveLog, IPrompter& prompter, IFileChooser& fileChooser,
                                           QWidget* parent)
    : CKeyRuleDialog(SavedFileSettingTemplate(), parent),
      m_pWaveLog(waveLog),
      m_prompter(prompter),
      m_fileChooser(fileChooser)
{
    m_editFolder = Item<QPlainTextEdit>(kIdFolder);
    m_chkEdf = Item<QCheckBox>(kIdEdfType);
    m_chkCsv = Item<QCheckBox>(kIdCsvType);
    m_radioDefault = Item<QRadioButton>(kIdDefaultName);
    m_radioUser = Item<QRadioButton>(kIdUserName);
    m_editEdfName = Item<QLineEdit>(kIdEdfName);
    m_editCsvName = Item<QLineEdit>(kIdCsvName);

    const auto onClick = [this](int id, void (CSavedFileSettingDlg::*handler)()) {
        connect(Item<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(kIdBrowse, &CSavedFileSettingDlg::OnBnClickedBrowse);
    onClick(kIdDefaultName, &CSavedFileSettingDlg::OnBnClickedDefaultName);
    onClick(kIdUserName, &CSavedFileSettingDlg::OnBnClickedUserName);
    onClick(kIdEdfType, &CSavedFileSettingDlg::OnBnClickedEdfType);
    onClick(kIdOk, &CSavedFileSettingDlg::OnBnClickedOk);
    onClick(kIdCancel, &CSavedFileSettingDlg::OnBnClickedCancel);
    onClick(kIdCsvType, &CSavedFileSettingDlg::OnBnClickedCsvType);
    OnInitDialog();
}

void CSavedFileSettingDlg::OnInitDialog()
{
    m_strFolder = QString::fromStdString(m_pWaveLog->GetFolder());
    m_editFolder->setPlainText(m_strFolder);

    m_nFileTypes = m_pWaveLog->GetFileTypes();
    m_chkEdf->setChecked(m_nFileTypes & kTypeEdf);
    m_chkCsv->setChecked(m_nFileTypes & kTypeCsv);

    m_nNamingMode = m_pWaveLog->GetNamingMode();
    m_strEdfFileName = QString::fromStdString(m_pWaveLog->GetEdfFileName());
    m_strCsvFileName = QString::fromStdString(m_pWaveLog->GetCsvFileName());
    if (m_nNamingMode == kNamingAutomatic) {
        m_radioDefault->setChecked(true);
        m_editEdfName->setText(Text(kTextEdfPlaceholder));
        m_editCsvName->setText(Text(kTextCsvPlaceholder));
    } else {
        m_radioUser->setChecked(true);
        m_editEdfName->setText(m_strEdfFileName.isEmpty() ? Text(kTextEdfPlaceholder) : m_strEdfFileName);
        m_editCsvName->setText(m_strCsvFileName.isEmpty() ? Text(kTextCsvPlaceholder) : m_strCsvFileName);
    }
    ApplyEnableRule();
}

// A file type's controls are all disabled while its check box is clear; while it is checked,
// its example follows "デフォルト設定" and its label and edit box follow "ユーザー設定".
void CSavedFileSettingDlg::ApplyEnableRule()
{
    const bool automatic = m_radioDefault->isChecked();
    const bool user = m_radioUser->isChecked();
    const struct {
        QCheckBox* type;
        int example, label, edit;
    } groups[] = {{m_chkEdf, kIdEdfExample, kIdEdfNameLabel, kIdEdfName},
                  {m_chkCsv, kIdCsvExample, kIdCsvNameLabel, kIdCsvName}};
    for (const auto& g : groups) {
        const bool on = g.type->isChecked();
        DlgItem(g.example)->setEnabled(on && automatic);
        DlgItem(g.label)->setEnabled(on && user);
        DlgItem(g.edit)->setEnabled(on && user);
    }
}

void CSavedFileSettingDlg::OnBnClickedEdfType()
{
    ApplyEnableRule();
}

void CSavedFileSettingDlg::OnBnClickedCsvType()
{
    ApplyEnableRule();
}

void CSavedFileSettingDlg::OnBnClickedDefaultName()
{
    ApplyEnableRule();
}

void CSavedFileSettingDlg::OnBnClickedUserName()
{
    ApplyEnableRule();
}

void CSavedFileSettingDlg::OnBnClickedBrowse()
{
    const QString chosen = m_fileChooser.ChooseFolder(this, Text(kTextChooseFolder), m_strFolder);
    if (!chosen.isEmpty())
        m_strFolder = chosen;
    m_editFolder->setPlainText(m_strFolder);
}

int CSavedFileSettingDlg::Message(const QString& text)
{
    return ShowErrorBox(m_prompter, this, text);
}

int CSavedFileSettingDlg::Question(const QString& text)
{
    return m_prompter.Show(this, text, ePromptButtons::YesNo, ePromptIcon::Question);
}

int CSavedFileSettingDlg::CheckUserFileName(const QString& name, const sNameRules& rules)
{
    switch (CheckFileName(name, Text(rules.placeholder), Text(rules.extension), m_strFolder)) {
    case eFileNameCheck::NotEntered:
        Message(Text(rules.missing));
        return 0;
    case eFileNameCheck::BadExtension:
        Message(Text(rules.badExtension));
        return 0;
    case eFileNameCheck::BadCharacters:
        Message(Text(rules.badCharacters));
        return 0;
    case eFileNameCheck::TooLong:
        Message(Text(rules.tooLong));
        return 0;
    case eFileNameCheck::Ok:
        break;
    }
    // The same place the recording manager will create the file at.
    if (RecordingFileExists(m_strFolder.toStdString(), name.toStdString()) && Question(Text(rules.overwrite)) == IDNO)
        return 0;
    return 1;
}

void CSavedFileSettingDlg::OnBnClickedOk()
{
    static const sNameRules kEdfRules = {kTextEdfPlaceholder, kTextEdfNameEnding, kTextEdfNameMissing,
                                         kTextEdfBadExtension, kTextEdfBadCharacters, kTextEdfNameTooLong,
                                         kTextConfirmOverwriteEdf};
    static const sNameRules kCsvRules = {kTextCsvPlaceholder, kTextCsvNameEnding, kTextCsvNameMissing,
                                         kTextCsvBadExtension, kTextCsvBadCharacters, kTextCsvNameTooLong,
                                         kTextConfirmOverwriteCsv};

    const int types = (m_chkEdf->isChecked() ? kTypeEdf : 0) + (m_chkCsv->isChecked() ? kTypeCsv : 0);
    if (types == 0 && Question(Text(kTextConfirmNoFileType)) == IDNO)
        return;

    int naming = m_nNamingMode;
    QString edfName = m_strEdfFileName;
    QString csvName = m_strCsvFileName;
    if (m_radioDefault->isChecked()) {
        naming = kNamingAutomatic;
        edfName.clear();
        csvName.clear();
    }
    if (m_radioUser->isChecked()) {
        naming = kNamingUser;
        edfName.clear();
        csvName.clear();
        if (m_chkEdf->isChecked()) {
            edfName = m_editEdfName->text();
            if (!CheckUserFileName(edfName, kEdfRules))
                return;
        }
        if (m_chkCsv->isChecked()) {
            csvName = m_editCsvName->text();
            if (!CheckUserFileName(csvName, kCsvRules))
                return;
        }
    }

    m_nFileTypes = types;
    m_nNamingMode = naming;
    m_strEdfFileName = edfName;
    m_strCsvFileName = csvName;
    m_pWaveLog->SetFolder(m_strFolder.toStdString());
    m_pWaveLog->SetFileTypes(m_nFileTypes);
    m_pWaveLog->SetNamingMode(m_nNamingMode);
    m_pWaveLog->SetEdfFileName(m_strEdfFileName.toStdString());
    m_pWaveLog->SetCsvFileName(m_strCsvFileName.toStdString());
    accept();
}

void CSavedFileSettingDlg::OnBnClickedCancel()
{
    reject();
}
