// The saved-file settings dialog: what it shows from the recording manager, the enable rule
// of the name controls, the folder chooser, each check of OK in its order with its exact
// message, the overwrite questions, and that nothing is stored unless every check passes.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "DialogTestSupport.h"
#include "dialogs/SavedFileSettingDlg.h"
#include "gui/mainwindow/Fakes.h"
#include "recording/WaveLog.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const char* const kNoTypeQuestion =
    "保存ファイルタイプが設定されていません。\r\nこのまま計測を開始してもデータは保存されません。\r\nよろしいですか？";
const char* const kEdfMissing = "EDFファイル名が入力されていません。";
const char* const kEdfExtension = "EDFファイルの拡張子が不適切です。\r\nEDFファイルの拡張子は「.edf」です。";
const char* const kEdfCharacters =
    "EDFファイル名に不適切な文字が含まれています。\r\nファイル名に以下の文字は使えません。\r\n    \\ / : * ? \" < > |";
const char* const kEdfTooLong =
    "EDFファイル名が長すぎます。\r\n保存先フォルダに作成できるファイル名の長さを超えています。";
const char* const kEdfExists = "指定されたEDFファイルはすでに存在します。\r\n上書きしますか？";
const char* const kCsvMissing = "CSVファイル名が入力されていません。";
const char* const kCsvExtension = "CSVファイルの拡張子が不適切です。\r\nCSVファイルの拡張子は「.csv」です。";
const char* const kCsvCharacters =
    "CSVファイル名に不適切な文字が含まれています。\r\nファイル名に以下の文字は使えません。\r\n    \\ / : * ? \" < > |";
const char* const kCsvTooLong =
    "CSVファイル名が長すぎます。\r\n保存先フォルダに作成できるファイル名の長さを超えています。";
const char* const kCsvExists = "指定されたCSVファイルはすでに存在します。\r\n上書きしますか？";

// The dialog on a recording manager with a folder of its own, a scripted prompter and chooser.
struct Rig {
    TempDir dir;
    CWaveLog log{dir.str()};
    FakePrompter prompter;
    FakeFileChooser chooser;
    std::unique_ptr<CSavedFileSettingDlg> dlg;

    void Open()
    {
        dlg = std::make_unique<CSavedFileSettingDlg>(&log, prompter, chooser);
        dlg->show();
        Flush();
    }
    QCheckBox* Edf() { return dlg->Item<QCheckBox>(1097); }
    QCheckBox* Csv() { return dlg->Item<QCheckBox>(1098); }
    QRadioButton* Default() { return dlg->Item<QRadioButton>(1100); }
    QRadioButton* User() { return dlg->Item<QRadioButton>(1101); }
    QLineEdit* EdfName() { return dlg->Item<QLineEdit>(1108); }
    QLineEdit* CsvName() { return dlg->Item<QLineEdit>(1109); }
    void Ok() { dlg->Item<QPushButton>(1)->click(); }
    void Touch(const std::string& name) { std::ofstream(dir.file(name)) << "x"; }
    // The texts of the boxes shown so far.
    std::vector<QString> Texts() const
    {
        std::vector<QString> texts;
        for (const sPromptRecord& r : prompter.shown)
            texts.push_back(r.text);
        return texts;
    }
    // The recording manager's settings as one line, to see that nothing changed.
    std::string Settings() const
    {
        return log.GetFolder() + "|" + std::to_string(log.GetFileTypes()) + "|" + std::to_string(log.GetNamingMode()) +
               "|" + log.GetEdfFileName() + "|" + log.GetCsvFileName();
    }
};

// Enabled state of 1102 1105 1108 1103 1106 1109 as a string of 0 and 1.
std::string NameControls(CSavedFileSettingDlg& dlg)
{
    std::string s;
    for (int id : {1102, 1105, 1108, 1103, 1106, 1109})
        s += dlg.DlgItem(id)->isEnabled() ? '1' : '0';
    return s;
}

}  // namespace

TEST(SavedFileSettingDlg, ShowsTheSettingsOfTheRecordingManager)
{
    Rig r;
    r.log.SetFileTypes(1);
    r.log.SetNamingMode(1);
    r.log.SetEdfFileName("ignored.edf");
    r.Open();
    EXPECT_EQ(r.dlg->Item<QPlainTextEdit>(1096)->toPlainText(), QString::fromStdString(r.dir.str()));
    EXPECT_TRUE(r.dlg->Item<QPlainTextEdit>(1096)->isReadOnly());
    EXPECT_TRUE(r.Edf()->isChecked());
    EXPECT_FALSE(r.Csv()->isChecked());
    EXPECT_TRUE(r.Default()->isChecked());
    EXPECT_FALSE(r.User()->isChecked());
    EXPECT_EQ(r.EdfName()->text(), "*.edf");
    EXPECT_EQ(r.CsvName()->text(), "*.csv");
    EXPECT_EQ(NameControls(*r.dlg), "100000");

    // User names come back as stored; an empty one shows the placeholder.
    Rig u;
    u.log.SetFileTypes(3);
    u.log.SetNamingMode(0);
    u.log.SetEdfFileName("night one.edf");
    u.Open();
    EXPECT_TRUE(u.User()->isChecked());
    EXPECT_EQ(u.EdfName()->text(), QString::fromUtf8("night one.edf"));
    EXPECT_EQ(u.CsvName()->text(), "*.csv");
    EXPECT_EQ(NameControls(*u.dlg), "011011");

    // A stored naming mode other than 1 means the user's names; type bits beyond 0 and 1 are no type.
    Rig odd;
    odd.log.SetFileTypes(4 | 2);
    odd.log.SetNamingMode(2);
    odd.Open();
    EXPECT_TRUE(odd.User()->isChecked());
    EXPECT_FALSE(odd.Edf()->isChecked());
    EXPECT_TRUE(odd.Csv()->isChecked());
}

TEST(SavedFileSettingDlg, NameControlsFollowTheCheckBoxesAndTheNamingChoice)
{
    Rig r;
    r.log.SetFileTypes(0);
    r.Open();
    EXPECT_EQ(NameControls(*r.dlg), "000000");
    r.Edf()->click();
    EXPECT_EQ(NameControls(*r.dlg), "100000");
    r.Csv()->click();
    EXPECT_EQ(NameControls(*r.dlg), "100100");
    r.User()->click();
    EXPECT_EQ(NameControls(*r.dlg), "011011");
    r.Edf()->click();
    EXPECT_EQ(NameControls(*r.dlg), "000011");
    r.EdfName()->setText("kept.edf");
    r.Default()->click();
    EXPECT_EQ(NameControls(*r.dlg), "000100");
    r.Edf()->click();
    EXPECT_EQ(NameControls(*r.dlg), "100100");
    r.Csv()->click();
    EXPECT_EQ(NameControls(*r.dlg), "100000");
    // A disabled edit keeps its text.
    EXPECT_EQ(r.EdfName()->text(), "kept.edf");
}

TEST(SavedFileSettingDlg, NoFileTypeAsksFirstAndNoKeepsTheDialogOpen)
{
    Rig r;
    r.log.SetFileTypes(1);
    r.log.SetNamingMode(0);
    r.log.SetEdfFileName("old.edf");
    r.Open();
    const std::string before = r.Settings();
    r.Edf()->click();
    r.prompter.answers = {IDNO};
    r.Ok();
    EXPECT_EQ(r.Texts(), std::vector<QString>{U(kNoTypeQuestion)});
    EXPECT_EQ(r.prompter.shown[0].buttons, ePromptButtons::YesNo);
    EXPECT_EQ(r.prompter.shown[0].icon, ePromptIcon::Question);
    EXPECT_TRUE(r.dlg->isVisible());
    EXPECT_EQ(r.Settings(), before);

    r.prompter.answers = {IDYES};
    r.Ok();
    EXPECT_EQ(r.dlg->result(), QDialog::Accepted);
    EXPECT_EQ(r.log.GetFileTypes(), 0);
    EXPECT_EQ(r.log.GetNamingMode(), 0);
    EXPECT_EQ(r.log.GetEdfFileName(), "");
    EXPECT_EQ(r.log.GetCsvFileName(), "");
}

TEST(SavedFileSettingDlg, EachNameCheckInItsOrderWithItsMessage)
{
    struct Case {
        const char* edf;
        const char* csv;
        std::vector<const char*> messages;  // empty: stored
    };
    // 85 kanji and the extension: 259 bytes, where the folder's file system takes 255.
    const std::string k85 = QString(85, QChar(0x8133)).toStdString(), longEdf = k85 + ".edf", longCsv = k85 + ".csv";
    const Case cases[] = {
        {"*.edf", "b.csv", {kEdfMissing}},
        {".edf", "b.csv", {kEdfMissing}},
        {"a.ed", "b.csv", {kEdfMissing}},
        {"", "b.csv", {kEdfMissing}},
        {"a.EDF", "b.csv", {kEdfExtension}},
        {"a.edf.txt", "b.csv", {kEdfExtension}},
        {"a:b.EDF", "b.csv", {kEdfExtension}},  // the extension is checked before the characters
        {"a/b.edf", "b.csv", {kEdfCharacters}},
        {"a\\b.edf", "b.csv", {kEdfCharacters}},
        {"a\"b.edf", "b.csv", {kEdfCharacters}},
        {"a|b.edf", "b.csv", {kEdfCharacters}},
        {"a.edf", "*.csv", {kCsvMissing}},
        {"a.edf", "b.CSV", {kCsvExtension}},
        {"a.edf", "<b>.csv", {kCsvCharacters}},
        {longEdf.c_str(), "b.csv", {kEdfTooLong}},
        {"a.edf", longCsv.c_str(), {kCsvTooLong}},
        {"a.edf", "b.csv", {}},
        {"睡眠 1.edf", "睡眠 1.csv", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.edf) + " / " + c.csv);
        Rig r;
        r.log.SetFileTypes(3);
        r.log.SetNamingMode(1);
        r.Open();
        const std::string before = r.Settings();
        r.User()->click();
        r.EdfName()->setText(QString::fromUtf8(c.edf));
        r.CsvName()->setText(QString::fromUtf8(c.csv));
        r.Ok();
        std::vector<QString> expected;
        for (const char* m : c.messages)
            expected.push_back(U(m));
        EXPECT_EQ(r.Texts(), expected);
        for (const sPromptRecord& box : r.prompter.shown) {
            EXPECT_EQ(box.buttons, ePromptButtons::Ok);
            EXPECT_EQ(box.icon, ePromptIcon::Exclamation);
        }
        if (c.messages.empty()) {
            EXPECT_EQ(r.dlg->result(), QDialog::Accepted);
            EXPECT_EQ(r.log.GetNamingMode(), 0);
            EXPECT_EQ(r.log.GetEdfFileName(), c.edf);
            EXPECT_EQ(r.log.GetCsvFileName(), c.csv);
        } else {
            EXPECT_TRUE(r.dlg->isVisible());
            EXPECT_EQ(r.dlg->result(), 0);
            EXPECT_EQ(r.Settings(), before);
        }
    }
}

TEST(SavedFileSettingDlg, CheckFileNameAlone)
{
    const QString p = "*.edf", e = ".edf";
    EXPECT_EQ(CheckFileName("a.edf", p, e), eFileNameCheck::Ok);
    EXPECT_EQ(CheckFileName(".edf", p, e), eFileNameCheck::NotEntered);
    EXPECT_EQ(CheckFileName("x.edf", "x.edf", e), eFileNameCheck::NotEntered);
    EXPECT_EQ(CheckFileName("..edf", p, e), eFileNameCheck::Ok);
    for (const char* bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"})
        EXPECT_EQ(CheckFileName(QString::fromUtf8(bad) + "a.edf", p, e), eFileNameCheck::BadCharacters) << bad;
    // The file system holds 255 bytes of a name: 251 letters and ".edf", but not 85 kanji
    // and ".edf" (259 bytes in UTF-8), nor a zero character.
    EXPECT_EQ(CheckFileName(QString(251, 'a') + e, p, e), eFileNameCheck::Ok);
    EXPECT_EQ(CheckFileName(QString(85, QChar(0x8133)) + e, p, e), eFileNameCheck::TooLong);
    EXPECT_EQ(CheckFileName(QString("a") + QChar(0) + e, p, e), eFileNameCheck::BadCharacters);
}

TEST(SavedFileSettingDlg, ExistingFilesAreQuestionedAtTheRecordingManagersPath)
{
    // The EDF question answered Yes and the CSV question No: nothing is stored.
    Rig r;
    r.log.SetFileTypes(3);
    r.log.SetNamingMode(0);
    r.Touch("a.edf");
    r.Touch("b.csv");
    r.Open();
    const std::string before = r.Settings();
    r.EdfName()->setText("a.edf");
    r.CsvName()->setText("b.csv");
    r.prompter.answers = {IDYES, IDNO};
    r.Ok();
    EXPECT_EQ(r.Texts(), (std::vector<QString>{U(kEdfExists), U(kCsvExists)}));
    EXPECT_EQ(r.prompter.shown[1].buttons, ePromptButtons::YesNo);
    EXPECT_EQ(r.Settings(), before);
    EXPECT_TRUE(r.dlg->isVisible());

    // No to the EDF question stops before the CSV question.
    r.prompter.shown.clear();
    r.prompter.answers = {IDNO};
    r.Ok();
    EXPECT_EQ(r.Texts(), std::vector<QString>{U(kEdfExists)});

    // Yes to both: stored.
    r.prompter.shown.clear();
    r.prompter.answers = {IDYES, IDYES};
    r.Ok();
    EXPECT_EQ(r.dlg->result(), QDialog::Accepted);
    EXPECT_EQ(r.log.GetEdfFileName(), "a.edf");
    EXPECT_EQ(r.log.GetCsvFileName(), "b.csv");

    // A folder of that name and a dangling link count as present; the folder may end in "/".
    Rig s;
    s.log.SetFolder(s.dir.str() + "/");
    s.log.SetFileTypes(3);
    s.log.SetNamingMode(0);
    std::filesystem::create_directory(s.dir.file("x.edf"));
    std::filesystem::create_symlink(s.dir.file("nowhere"), s.dir.file("y.csv"));
    s.Open();
    s.EdfName()->setText("x.edf");
    s.CsvName()->setText("y.csv");
    s.prompter.answers = {IDYES, IDNO};
    s.Ok();
    EXPECT_EQ(s.Texts(), (std::vector<QString>{U(kEdfExists), U(kCsvExists)}));

    // A name that the character check refuses is never looked up.
    Rig t;
    t.log.SetFileTypes(1);
    t.log.SetNamingMode(0);
    t.Touch("q\"x.edf");
    t.Open();
    t.EdfName()->setText("q\"x.edf");
    t.Ok();
    EXPECT_EQ(t.Texts(), std::vector<QString>{U(kEdfCharacters)});
}

TEST(SavedFileSettingDlg, AutomaticNamesIgnoreTheEditsAndAnUncheckedTypeStoresNoName)
{
    Rig r;
    r.log.SetFileTypes(3);
    r.log.SetNamingMode(0);
    r.log.SetEdfFileName("old.edf");
    r.log.SetCsvFileName("old.csv");
    r.Touch("old.edf");
    r.Open();
    r.Default()->click();
    r.Ok();
    EXPECT_TRUE(r.prompter.shown.empty());  // no overwrite question for automatic names
    EXPECT_EQ(r.log.GetNamingMode(), 1);
    EXPECT_EQ(r.log.GetEdfFileName(), "");
    EXPECT_EQ(r.log.GetCsvFileName(), "");

    // Reopened: placeholders, disabled.
    r.Open();
    EXPECT_EQ(r.EdfName()->text(), "*.edf");
    EXPECT_FALSE(r.EdfName()->isEnabled());

    Rig u;
    u.log.SetFileTypes(3);
    u.log.SetNamingMode(0);
    u.log.SetCsvFileName("keep.csv");
    u.Open();
    u.EdfName()->setText("night.edf");
    u.Csv()->click();  // CSV off: its name goes, even though the edit still shows it
    u.Ok();
    EXPECT_EQ(u.log.GetFileTypes(), 1);
    EXPECT_EQ(u.log.GetEdfFileName(), "night.edf");
    EXPECT_EQ(u.log.GetCsvFileName(), "");
    u.Open();
    EXPECT_EQ(u.EdfName()->text(), "night.edf");
    EXPECT_TRUE(u.EdfName()->isEnabled());
}

TEST(SavedFileSettingDlg, FolderChooserAndCancel)
{
    Rig r;
    r.Open();
    const std::string before = r.Settings();
    const QString start = QString::fromStdString(r.dir.str());

    // The chooser cancelled (no answer scripted).
    r.dlg->Item<QPushButton>(1094)->click();
    EXPECT_EQ(r.chooser.folderCalls, QStringList{QString::fromUtf8("フォルダの選択|") + start});
    EXPECT_EQ(r.dlg->Item<QPlainTextEdit>(1096)->toPlainText(), start);

    r.chooser.answers = {QString::fromUtf8("/srv/記録 2024")};
    r.dlg->Item<QPushButton>(1094)->click();
    EXPECT_EQ(r.dlg->Item<QPlainTextEdit>(1096)->toPlainText(), QString::fromUtf8("/srv/記録 2024"));
    // The chooser opens where the folder now is.
    r.dlg->Item<QPushButton>(1094)->click();
    EXPECT_EQ(r.chooser.folderCalls.last(), QString::fromUtf8("フォルダの選択|/srv/記録 2024"));
    EXPECT_EQ(r.dlg->Item<QPlainTextEdit>(1096)->toPlainText(), QString::fromUtf8("/srv/記録 2024"));

    r.dlg->Item<QPushButton>(2)->click();  // Cancel after changing the folder
    EXPECT_EQ(r.dlg->result(), QDialog::Rejected);
    EXPECT_EQ(r.Settings(), before);

    r.Open();
    r.chooser.answers = {QString::fromUtf8("/srv/記録 2024")};
    r.dlg->Item<QPushButton>(1094)->click();
    r.Ok();
    EXPECT_EQ(r.log.GetFolder(), "/srv/記録 2024");
}

TEST(SavedFileSettingDlg, EnterAndEscapeDoNothing)
{
    Rig r;
    r.log.SetFileTypes(1);
    r.log.SetNamingMode(0);
    r.Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(r.dlg.get()));
    const std::string before = r.Settings();
    r.EdfName()->setText("typed.edf");
    for (QWidget* target : {static_cast<QWidget*>(r.EdfName()), static_cast<QWidget*>(r.dlg->Item<QPushButton>(1)),
                            static_cast<QWidget*>(r.Edf()), static_cast<QWidget*>(r.User())}) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
        Flush();
        EXPECT_TRUE(r.dlg->isVisible());
    }
    EXPECT_TRUE(r.prompter.shown.empty());
    EXPECT_EQ(r.Settings(), before);
    EXPECT_EQ(r.EdfName()->text(), "typed.edf");
}

TEST(SavedFileSettingDlg, TemplateTextsAndScreenshot)
{
    Rig r;
    r.log.SetFolder("/home/user/Documents/Velquin");
    r.log.SetFileTypes(3);
    r.log.SetNamingMode(0);
    r.log.SetEdfFileName("20240401_night.edf");
    r.Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(r.dlg.get()));
    EXPECT_EQ(r.dlg->windowTitle(), QString::fromUtf8("保存ファイル設定"));
    EXPECT_EQ(r.dlg->size(), QSize(402, 369));  // 268 × 246 dialog units
    EXPECT_EQ(r.dlg->Item<QLabel>(1095)->text(),
              QString::fromUtf8("保存ファイルタイプ：\r\n(通常の使用時はEDFファイルのみを選択します)"));
    EXPECT_EQ(r.dlg->Item<QLabel>(1102)->text(),
              QString::fromUtf8("[計測開始年月日]_[時刻].edf（例：20180401_221315.edf）"));
    EXPECT_EQ(r.dlg->Item<QPushButton>(1094)->text(), QString::fromUtf8("変更"));
    EXPECT_EQ(r.dlg->Item<QLineEdit>(1108)->geometry(), QRect(155, 275, 230, 21));
    for (QPushButton* button : r.dlg->findChildren<QPushButton*>())
        EXPECT_FALSE(button->autoDefault() || button->isDefault());
    SaveScreenshot(*r.dlg, QStringLiteral("dialog-saved-file-setting"));
}
