// The Qt platform layer the windows stand on: dialog units, scroll information in the
// Windows terms, the INI profile, the message boxes, the open-file dialog in Japanese, and
// the screen-saver hold over D-Bus.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <fstream>
#include <functional>

#include "Fakes.h"
#include "PrivateScreenSaver.h"
#include "mainwindow/VelquinDlg.h"
#include "mainwindow/WindowGeometry.h"
#include "platform/qt/DialogUnits.h"
#include "platform/qt/FileChooser.h"
#include "platform/qt/QtProfile.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/ScreenSaverInhibitor.h"
#include "platform/qt/ScrollInfo.h"
#include "platform/qt/ShellFolders.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"

TEST(DialogUnits, RoundHalfAwayFromZeroForEachEdgeOnItsOwn)
{
    EXPECT_EQ(DluToPixelsX(7), 11);     // 10.5
    EXPECT_EQ(DluToPixelsX(383), 575);  // 574.5
    EXPECT_EQ(DluToPixelsX(70), 105);
    EXPECT_EQ(DluToPixelsY(13), 20);    // 19.5
    EXPECT_EQ(DluToPixelsY(0), 0);
    EXPECT_EQ(MulDiv(-7, 6, 4), -11);
    EXPECT_EQ(MulDiv(7, 6, 0), -1);
    EXPECT_EQ(MulDiv(1000000000, 3, 2), 1500000000);  // the product does not overflow
    // x + w and x are rounded apart: 383 + 93 units give 140 pixels of width, not 139.
    EXPECT_EQ(DluRectToPixels(383, 7, 93, 13), QRect(575, 11, 140, 20));
    EXPECT_EQ(DluSizeToPixels(762, 551), QSize(1143, 827));
    QWidget w;
    PlaceControlInDlu(&w, 7, 10, 70, 23);
    EXPECT_EQ(w.geometry(), QRect(11, 15, 105, 35));
}

TEST(ScrollInfo, RangeIncludesTheLastPageAsWindowsCounts)
{
    QScrollBar bar(Qt::Horizontal);
    // A file of 45 seconds shown 30 at a time: positions 0..15.
    SetScrollInfo(&bar, {0, 44, 30, 10});
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 15);
    EXPECT_EQ(bar.pageStep(), 30);
    EXPECT_EQ(bar.value(), 10);
    sScrollInfo back = GetScrollInfo(&bar);
    EXPECT_EQ(back.max, 44);
    EXPECT_EQ(back.page, 30);
    // A position past the last page stops at it.
    SetScrollInfo(&bar, {0, 44, 30, 40});
    EXPECT_EQ(bar.value(), 15);
    // A page as long as the file: only position 0; the range reads back as given.
    SetScrollInfo(&bar, {0, 19, 20, 5});
    EXPECT_EQ(bar.maximum(), 0);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(GetScrollInfo(&bar).max, 19);
    // No page: every position of the range.
    SetScrollInfo(&bar, {0, 100, 0, 100});
    EXPECT_EQ(bar.value(), 100);

    // The review bar's reset: range 0..100, position 0, page kept.
    SetScrollInfo(&bar, {0, 44, 30, 10});
    ResetScrollBar(&bar);
    const sScrollInfo reset = GetScrollInfo(&bar);
    EXPECT_EQ(reset.min, 0);
    EXPECT_EQ(reset.max, 100);
    EXPECT_EQ(reset.page, 30);
    EXPECT_EQ(reset.pos, 0);
}

TEST(QtProfile, DefaultsForAbsentOrUnreadableValuesAndExactStrings)
{
    TempDir dir;
    const QString ini = QString::fromStdString(dir.file("p.ini"));
    {
        CQtProfile p(ini);
        EXPECT_EQ(p.GetProfileString("S", "missing", "def"), "def");
        EXPECT_EQ(p.GetProfileInt("S", "missing", 7), 7);
        EXPECT_TRUE(p.WriteProfileInt("S", "n", -12));
        EXPECT_TRUE(p.WriteProfileString("S", "t", QString::fromUtf8("/計測 データ/a,b;c=d \"x\" @y")));
        EXPECT_TRUE(p.WriteProfileString("S", "e", ""));
    }
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.setValue("S/word", "abc");
        raw.setValue("S/list", QStringList{"a", "b"});
    }
    CQtProfile p(ini);
    EXPECT_EQ(p.GetProfileInt("S", "n", 0), -12);
    EXPECT_EQ(p.GetProfileString("S", "t", ""), QString::fromUtf8("/計測 データ/a,b;c=d \"x\" @y"));
    EXPECT_EQ(p.GetProfileString("S", "e", "def"), "");
    EXPECT_EQ(p.GetProfileInt("S", "word", 5), 5);
    EXPECT_EQ(p.GetProfileString("S", "list", ""), "a,b");
    EXPECT_EQ(p.FileName(), ini);
}

TEST(QtProfile, TheDefaultFileIsTheUsersIniOfTheOrganisationAndApplication)
{
    CQtProfile p;
    EXPECT_TRUE(p.FileName().endsWith("/Kestrova/Velquin.ini")) << p.FileName().toStdString();
    EXPECT_TRUE(p.FileName().startsWith(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"))));
}

TEST(ShellFolders, DocumentsFolderHasNoTrailingSlash)
{
    const QString docs = GetDocumentsFolder();
    EXPECT_FALSE(docs.isEmpty());
    EXPECT_FALSE(docs.endsWith('/'));
    EXPECT_EQ(docs, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

namespace {

// Answers the next modal box with the given button (by its text) once it shows, after
// reading what it shows.
struct BoxReader {
    QString title, text, defaultButton;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

    void AnswerWith(const QString& buttonText)
    {
        QTimer::singleShot(20, [this, buttonText] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            if (box->defaultButton())
                defaultButton = box->defaultButton()->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == buttonText)
                    b->click();
        });
    }
};

}  // namespace

TEST(QtPrompter, ErrorBoxAndQuestionsLookAndAnswerAsExpected)
{
    CQtPrompter prompter;
    BoxReader error;
    error.AnswerWith("OK");
    EXPECT_EQ(ShowErrorBox(prompter, nullptr, QString::fromUtf8("一行目\r\n二行目")), IDOK);
    EXPECT_EQ(error.title, QCoreApplication::applicationName());
    EXPECT_EQ(error.text, QString::fromUtf8("一行目\n二行目"));
    EXPECT_EQ(error.icon, QMessageBox::Warning);
    EXPECT_EQ(error.buttons, QStringList{"OK"});

    BoxReader question;
    question.AnswerWith(QString::fromUtf8("いいえ"));
    EXPECT_EQ(prompter.Show(nullptr, "?", ePromptButtons::YesNo, ePromptIcon::Question), IDNO);
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(question.buttons.size(), 2);
    EXPECT_TRUE(question.buttons.contains(QString::fromUtf8("はい")));
    EXPECT_EQ(question.defaultButton, QString::fromUtf8("はい"));

    BoxReader three;
    three.AnswerWith(QString::fromUtf8("キャンセル"));
    EXPECT_EQ(prompter.Show(nullptr, "?", ePromptButtons::YesNoCancel, ePromptIcon::Question), IDCANCEL);
    EXPECT_EQ(three.buttons.size(), 3);

    BoxReader info;
    info.AnswerWith("OK");
    EXPECT_EQ(prompter.Show(nullptr, "i", ePromptButtons::Ok, ePromptIcon::Information), IDOK);
    EXPECT_EQ(info.icon, QMessageBox::Information);
}

TEST(QtFileChooser, TheOpenDialogReadsJapaneseAndOffersEdfFiles)
{
    TempDir dir;
    const QString existing = QString::fromStdString(dir.str());
    std::ofstream(dir.file("20240102_235950.edf")) << "0";
    struct Case {
        QString startFolder;
        QString shownFolder;  // empty: the dialog's own choice
        const char* screenshot;
    };
    // A start folder that is missing leaves the dialog where it likes, and its name stays
    // out of the file-name field.
    const Case cases[] = {{existing, existing, "file_dialog_open"},
                          {existing + "/missing", QString(), nullptr}};
    for (const Case& c : cases) {
        QString folder, name, filter;
        QStringList texts;
        QTimer::singleShot(50, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            folder = dialog->directory().absolutePath();
            name = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            filter = dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
            for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                texts << dialog->findChild<QLabel*>(label)->text();
            auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
            for (auto which : {QDialogButtonBox::Open, QDialogButtonBox::Cancel})
                texts << buttons->button(which)->text();
            if (c.screenshot)
                SaveScreenshot(*dialog, QString::fromLatin1(c.screenshot));
            dialog->reject();
        });
        CQtFileChooser chooser;
        EXPECT_EQ(chooser.ChooseOpenFile(nullptr, c.startFolder, QString::fromUtf8("EDFファイル(*.edf)"),
                                         "*.edf", "edf"),
                  QString());
        if (!c.shownFolder.isEmpty()) {
            EXPECT_EQ(folder, c.shownFolder);
        }
        EXPECT_EQ(name, QStringLiteral("*.edf")) << c.startFolder.toStdString();
        EXPECT_EQ(filter, QString::fromUtf8("EDFファイル(*.edf)"));
        EXPECT_EQ(texts, QString::fromUtf8("アドレス:|ファイル名(&N):|ファイルの種類:|開く(&O)|キャンセル").split('|'));
    }
}

TEST(ScreenSaverInhibitor, HoldsAndReleasesThroughTheDesktopService)
{
    if (!PrivateScreenSaver::Available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    PrivateScreenSaver bus;
    ASSERT_TRUE(bus.Ready());
    {
        CScreenSaverInhibitor inhibitor(bus.Client());
        EXPECT_TRUE(inhibitor.Inhibit("Velquin", "measuring"));
        EXPECT_TRUE(inhibitor.IsInhibiting());
        EXPECT_TRUE(inhibitor.Inhibit("Velquin", "again"));  // held already: no second call
    }  // released by the destructor
    EXPECT_EQ(bus.Log(), (QStringList{"Inhibit Velquin measuring", "UnInhibit 42"}));
}

TEST(ScreenSaverInhibitor, TheWindowHoldsItFromShowToClose)
{
    if (!PrivateScreenSaver::Available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    PrivateScreenSaver bus;
    ASSERT_TRUE(bus.Ready());
    sDlgServices services;
    services.makeWaveIo = [](ILinkSink&) { return std::make_unique<FakeWaveIo>(); };
    services.prompter = std::make_unique<FakePrompter>();
    services.profile = std::make_unique<MemoryProfile>();
    services.screenSaver = std::make_unique<CScreenSaverInhibitor>(bus.Client());
    CVelquinDlg dlg(std::move(services));
    EXPECT_TRUE(bus.Log().isEmpty());
    dlg.show();
    ASSERT_EQ(bus.Log().size(), 1);
    EXPECT_TRUE(bus.Log()[0].startsWith("Inhibit Velquin "));
    dlg.close();
    EXPECT_EQ(bus.Log().size(), 2);
    EXPECT_EQ(bus.Log()[1], "UnInhibit 42");
}

TEST(ScreenSaverInhibitor, NothingHappensWithoutABus)
{
    CScreenSaverInhibitor inhibitor(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "nobus"));
    EXPECT_FALSE(inhibitor.Inhibit("Velquin", "measuring"));
    EXPECT_FALSE(inhibitor.IsInhibiting());
    inhibitor.Release();
    QDBusConnection::disconnectFromBus("nobus");
}

