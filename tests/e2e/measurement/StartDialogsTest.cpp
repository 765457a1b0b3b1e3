// The way into a measurement through the dialogs, with the real settings dialogs: no port
// (the communication dialog cancelled, or the simulator chosen in it), the confirmation
// answered No (the saved-file dialog) or Cancel, the user's own file names, and an existing
// file that the user will not overwrite. Nothing reaches the receiver unless the user goes on.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "FileChecks.h"
#include "dialogs/CommunicationSettingDlg.h"
#include "dialogs/SavedFileSettingDlg.h"

using namespace e2e;

namespace {

template <typename T>
T* Control(QWidget* dialog, int id)
{
    return dialog->findChild<T*>(QString::number(id));
}

QString ShownText(int error)
{
    QString text = QString::fromUtf8(g_strErrorMsg[static_cast<std::size_t>(error)].data(),
                                     static_cast<qsizetype>(g_strErrorMsg[static_cast<std::size_t>(error)].size()));
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A step that cancels the saved-file settings dialog and notes that it opened.
ModalAnswerer::Step CancelSavedFileSettings(bool& opened)
{
    return [&opened](QWidget* modal) {
        if (!qobject_cast<CSavedFileSettingDlg*>(modal))
            return false;
        opened = true;
        Control<QAbstractButton>(modal, 2)->click();
        return true;
    };
}

}  // namespace

TEST(MeasurementE2e, NoPortAndTheCommunicationDialogCancelledShowsError0)
{
    sRigOptions options;
    options.startWithoutPort = true;
    options.realPrompter = true;
    MeasurementRig rig(options);
    EXPECT_EQ(rig.dlg->windowTitle(), "Velquin");
    EXPECT_EQ(rig.Text(1092), QString::fromUtf8("未接続"));

    ModalAnswerer answerer;
    bool listWasEmpty = false;
    answerer.Then([&](QWidget* modal) {
        if (!qobject_cast<CCommunicationSettingDlg*>(modal))
            return false;
        auto* combo = Control<QComboBox>(modal, 1078);
        listWasEmpty = combo->count() == 0 && !combo->isEnabled();
        Control<QAbstractButton>(modal, 2)->click();
        return true;
    });
    QString boxText, boxTitle;
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    answerer.Then([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        boxText = box->text();
        boxTitle = box->windowTitle();
        boxIcon = box->icon();
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
        return true;
    });
    rig.Click(1068);
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return answerer.Done(); }));
    MeasurementRig::Spin(50);
    EXPECT_TRUE(listWasEmpty);
    EXPECT_EQ(boxText, ShownText(0));
    EXPECT_EQ(boxTitle, "Velquin");
    EXPECT_EQ(boxIcon, QMessageBox::Warning);
    EXPECT_EQ(rig.prompter->Errors(), std::vector<int>{0});
    EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeIdle);
    EXPECT_TRUE(rig.Received(""));
}

TEST(MeasurementE2e, NoPortThenTheSimulatorChosenInTheDialogMeasures)
{
    sRigOptions options;
    options.startWithoutPort = true;
    options.listSimulator = true;
    options.realPrompter = true;
    MeasurementRig rig(options);
    const QString port = QString::fromStdString(rig.sim.SlavePath());

    ModalAnswerer answerer;
    answerer.Then([&](QWidget* modal) {
        if (!qobject_cast<CCommunicationSettingDlg*>(modal))
            return false;
        auto* combo = Control<QComboBox>(modal, 1078);
        combo->setCurrentIndex(combo->findText(port));
        Control<QAbstractButton>(modal, 1)->click();
        return true;
    });
    answerer.Then([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return false;
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->button(QMessageBox::Yes)->click();
        return true;
    });
    rig.Click(1068);
    ASSERT_TRUE(rig.WaitMode(CVelquinDlg::kModeMeasuring));
    EXPECT_EQ(rig.dlg->windowTitle(), "Velquin [" + port + "]");
    ASSERT_TRUE(rig.WaitStored(2));
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_TRUE(rig.Received("evnbe"));
    EXPECT_TRUE(rig.prompter->Errors().empty());
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
}

TEST(MeasurementE2e, ConfirmationNoOpensTheSettingsAndCancelDoesNothing)
{
    MeasurementRig rig;
    ModalAnswerer answerer;
    bool settingsOpened = false;
    answerer.Then(CancelSavedFileSettings(settingsOpened));
    rig.prompter->answers = {IDNO};
    rig.Click(1068);
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return answerer.Done(); }));
    EXPECT_TRUE(settingsOpened);

    rig.prompter->answers = {IDCANCEL};
    rig.Click(1068);
    MeasurementRig::Spin(150);
    EXPECT_EQ(answerer.Answered(), 1);
    EXPECT_EQ(rig.prompter->Questions(), 2);
    EXPECT_TRUE(rig.Received(""));
    EXPECT_EQ(rig.dlg->GetMode(), CVelquinDlg::kModeIdle);
    EXPECT_TRUE(rig.modes.empty() || rig.modes == std::vector<int>{0});
}

TEST(MeasurementE2e, UserFileNamesChosenInTheSettingsAreRecordedAndNotOverwrittenUnasked)
{
    MeasurementRig rig;
    ModalAnswerer answerer;
    answerer.Then([&](QWidget* modal) {
        if (!qobject_cast<CSavedFileSettingDlg*>(modal))
            return false;
        Control<QRadioButton>(modal, 1101)->click();
        Control<QCheckBox>(modal, 1098)->click();  // CSV off
        Control<QLineEdit>(modal, 1108)->setText(QString::fromUtf8("夜間 1.edf"));
        Control<QAbstractButton>(modal, 1)->click();
        return true;
    });
    rig.prompter->answers = {IDNO};
    rig.Click(1068);
    ASSERT_TRUE(MeasurementRig::SpinUntil([&] { return answerer.Done(); }));
    EXPECT_EQ(rig.Log().GetEdfFileName(), "夜間 1.edf");
    EXPECT_TRUE(rig.Received(""));

    ASSERT_TRUE(rig.StartMeasuring());
    ASSERT_TRUE(rig.WaitStored(2));
    ASSERT_TRUE(rig.StopMeasuring());
    EXPECT_EQ(rig.Files(), std::vector<std::string>{"夜間 1.edf"});
    ExpectRecordingMatches(rig, SentByNumber(rig.sim.Frames()));
    const std::string recorded = recfiles::ReadAll(rig.EdfPath());

    // Again: the file exists, and the user will not overwrite it: the settings open instead.
    bool settingsOpened = false;
    answerer.Then(CancelSavedFileSettings(settingsOpened));
    rig.prompter->shown.clear();
    rig.prompter->answers = {IDYES, IDNO};
    rig.Click(1068);
    MeasurementRig::Spin(150);
    EXPECT_TRUE(settingsOpened);
    ASSERT_EQ(rig.prompter->shown.size(), 2u);
    EXPECT_EQ(rig.prompter->shown[1].text,
              QString::fromUtf8("指定されたEDFファイルはすでに存在します。\r\n上書きしますか？"));
    EXPECT_TRUE(rig.Received("evnbe"));
    EXPECT_EQ(recfiles::ReadAll(rig.EdfPath()), recorded);
}

// A stored file type with neither the EDF nor the CSV bit means no files: the confirmation
// says so, the no-type question follows, and after Yes the measurement runs without files.
TEST(MeasurementE2e, FileTypesWithoutEitherBitMeasureWithoutFiles)
{
    for (int types : {0, 4}) {
        sRigOptions options;
        options.fileTypes = types;
        MeasurementRig rig(options);
        ASSERT_TRUE(rig.StartMeasuring()) << types;
        ASSERT_TRUE(rig.WaitStored(3)) << types;
        ASSERT_TRUE(rig.StopMeasuring()) << types;
        EXPECT_TRUE(rig.Received("evnbe")) << types;
        ASSERT_EQ(rig.prompter->shown.size(), 2u) << types;
        EXPECT_TRUE(rig.prompter->shown[0].text.contains(QString::fromUtf8("設定なし"))) << types;
        EXPECT_EQ(rig.prompter->shown[1].buttons, ePromptButtons::YesNo) << types;
        EXPECT_TRUE(rig.prompter->Errors().empty()) << types;
        EXPECT_TRUE(rig.Files().empty()) << types;
    }
}
