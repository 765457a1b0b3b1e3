// The Qt platform layer the windows stand on: dialog units, scroll information in the
// Windows terms, the INI profile, the message boxes, the file and folder choosers in Japanese,
// and the screen-saver hold over D-Bus.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QMap>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTreeView>
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

namespace {

// What the file dialog on screen shows once its folder is listed: where it is, its title,
// name field, filter, labels and buttons, and in the detail view the column headers, each
// row's type by the row's name, in the folder and in the view of the whole computer, and what
// its columns cut short there, in the folder "記録" in it, back in the folder and once the
// dialog is wider.
struct ShownFileDialog {
    QString folder, title, name, filter;
    QStringList texts, headers, cut;
    QMap<QString, QString> types, computerTypes;
    QRect frame, area;  // the dialog's frame once its columns are fitted, its screen's available area

    // Reads the dialog once it shows and its folder has rowCount rows, saves the screenshot
    // when one is named, and cancels, or presses the accept button when choose is set.
    void ReadThenClose(QDialogButtonBox::StandardButton accept, int rowCount, const char* screenshot,
                       bool choose = false)
    {
        QTimer::singleShot(50, [=, this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            folder = dialog->directory().absolutePath();
            title = dialog->windowTitle();
            name = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
            filter = dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
            for (const char* label : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
                texts << dialog->findChild<QLabel*>(label)->text();
            auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
            for (auto which : {accept, QDialogButtonBox::Cancel})
                texts << buttons->button(which)->text();
            dialog->setViewMode(QFileDialog::Detail);
            auto* view = dialog->findChild<QTreeView*>("treeView");
            for (int column = 0; column < view->model()->columnCount(view->rootIndex()); ++column)
                if (!view->isColumnHidden(column))
                    headers << view->model()->headerData(column, Qt::Horizontal).toString();
            types = ListedRows(*view, rowCount);
            frame = dialog->frameGeometry();
            area = dialog->screen()->availableGeometry();
            if (screenshot)
                SaveScreenshot(*dialog, QString::fromLatin1(screenshot));
            dialog->setDirectory(QString());
            computerTypes = ListedRows(*view, 1);
            // A folder of folders narrows the type column; back in the folder, listed already,
            // its rows show at once and the columns must widen again, and once more when the
            // dialog grows.
            dialog->setDirectory(folder + QString::fromUtf8("/記録"));
            ListedRows(*view, 1);
            dialog->setDirectory(folder);
            ListedRows(*view, rowCount);
            dialog->resize(dialog->width() + 80, dialog->height());
            ListedRows(*view, rowCount);
            if (choose)
                buttons->button(accept)->click();
            else
                dialog->reject();
        });
    }

    // The folder's rows by name with their types, once it has rowCount rows with types (they
    // come from Qt's file-information thread) and shows them whole; what it cuts goes to cut.
    QMap<QString, QString> ListedRows(QTreeView& view, int rowCount)
    {
        const QAbstractItemModel& model = *view.model();
        const auto type = [&](int row) { return model.index(row, kTypeColumn, view.rootIndex()).data().toString(); };
        const auto typesKnown = [&] {
            for (int row = 0; row < rowCount; ++row)
                if (row >= model.rowCount(view.rootIndex()) || type(row).isEmpty())
                    return false;
            return true;
        };
        QDeadlineTimer deadline(5000);
        while (!(typesKnown() && CutTexts(view).isEmpty()) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        cut += CutTexts(view);
        QMap<QString, QString> types;
        for (int row = 0; row < model.rowCount(view.rootIndex()); ++row)
            types[model.index(row, 0, view.rootIndex()).data().toString()] = type(row);
        return types;
    }

    // The texts of the folder's rows that their columns are too narrow for, and a note when
    // the columns do not end at the list's right edge.
    static QStringList CutTexts(QTreeView& view)
    {
        QStringList cut;
        const QAbstractItemModel& model = *view.model();
        for (int row = 0; row < model.rowCount(view.rootIndex()); ++row)
            for (int column = 0; column < model.columnCount(view.rootIndex()); ++column) {
                const QModelIndex index = model.index(row, column, view.rootIndex());
                if (!view.isColumnHidden(column) && view.sizeHintForIndex(index).width() > view.columnWidth(column))
                    cut << index.data().toString();
            }
        if (view.header()->length() != view.viewport()->width())
            cut << QStringLiteral("(columns end at %1 of %2)").arg(view.header()->length()).arg(view.viewport()->width());
        return cut;
    }

    static constexpr int kTypeColumn = 2;  // QFileSystemModel's: name, size, type, date
};

// No English word: not a single Latin letter.
bool HasLatinLetters(const QString& text)
{
    return text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")));
}

}  // namespace

// The open dialog starts in the given folder, or in its nearest existing parent when it is
// missing, whose name then stays out of the file-name field. Its own words are Japanese; a
// file's type is the desktop's, shown as the MIME database names it, in English here.
TEST(QtFileChooser, TheOpenDialogReadsJapaneseAndOffersEdfFiles)
{
    struct Case {
        const char* startBelow;  // the start folder, below a new folder that exists
        const char* screenshot;
        bool longName;  // a file whose name needs the dialog to grow past the screen's right edge
    };
    const Case cases[] = {{"", "file_dialog_open", false},
                          {"/missing", nullptr, false},
                          {"/missing/deeper/", nullptr, false},
                          {"", "file_dialog_long_name", true}};
    for (const Case& c : cases) {
        // A new folder each time: Qt's dialog would otherwise fall back to the folder it
        // was last in, which is this one.
        TempDir dir;
        const QString existing = QString::fromStdString(dir.str());
        std::ofstream(dir.file("20240102_235950.edf")) << "0";
        QDir(existing).mkpath(QString::fromUtf8("記録/2024"));
        std::string longName = "20240102_235950";
        while (c.longName && longName.size() < 180)
            longName += "_night_recording";
        if (c.longName)
            std::ofstream(dir.file(longName + ".edf")) << "0";
        ShownFileDialog shown;
        shown.ReadThenClose(QDialogButtonBox::Open, c.longName ? 3 : 2, c.screenshot);
        CQtFileChooser chooser;
        EXPECT_EQ(chooser.ChooseOpenFile(nullptr, existing + c.startBelow, QString::fromUtf8("EDFファイル(*.edf)"),
                                         "*.edf", "edf"),
                  QString());
        SCOPED_TRACE(c.startBelow);
        EXPECT_EQ(shown.folder, existing);
        EXPECT_EQ(shown.name, QStringLiteral("*.edf"));
        EXPECT_EQ(shown.filter, QString::fromUtf8("EDFファイル(*.edf)"));
        EXPECT_EQ(shown.texts, QString::fromUtf8("アドレス:|ファイル名(&N):|ファイルの種類:|開く(&O)|キャンセル").split('|'));
        EXPECT_EQ(shown.types.value(QString::fromUtf8("記録")), QString::fromUtf8("フォルダ"));
        EXPECT_EQ(shown.types.value("20240102_235950.edf"), "European Data Format 16-bits");  // see GuiTestMain
        EXPECT_EQ(shown.computerTypes, (QMap<QString, QString>{{"/", QString::fromUtf8("ドライブ")}}));
        EXPECT_EQ(shown.cut, QStringList());
        EXPECT_TRUE(shown.area.contains(shown.frame)) << shown.frame.x() << "+" << shown.frame.width();
        for (const QString& text : shown.headers)
            EXPECT_FALSE(HasLatinLetters(text)) << text.toStdString();
    }
}

// On a fresh account neither Documents nor the output folder in it exists yet: the folder
// chooser opens in the nearest folder that does, with nothing in its name field.
TEST(QtFileChooser, TheFolderChooserStartsInTheNearestExistingFolder)
{
    struct Case {
        const char* startBelow;  // the start folder, below a home folder that exists
        const char* screenshot;
        bool choose;  // press 選択 with the name field empty: the folder shown is chosen
    };
    // One home throughout: from the second opening on, Qt's dialog was last in it.
    const Case cases[] = {{"/Documents/Velquin", nullptr, false},
                          {"", "file_dialog_folder", false},
                          {"/Documents/Velquin", nullptr, true}};
    TempDir dir;
    const QString home = QString::fromStdString(dir.str());
    QDir(home).mkpath(QString::fromUtf8("記録/2024"));
    for (const Case& c : cases) {
        ShownFileDialog shown;
        shown.ReadThenClose(QDialogButtonBox::Open, 1, c.screenshot, c.choose);
        CQtFileChooser chooser;
        EXPECT_EQ(chooser.ChooseFolder(nullptr, QString::fromUtf8("フォルダの選択"), home + c.startBelow),
                  c.choose ? home : QString());
        SCOPED_TRACE(c.startBelow);
        EXPECT_EQ(shown.folder, home);
        EXPECT_EQ(shown.name, QString());
        EXPECT_EQ(shown.title, QString::fromUtf8("フォルダの選択"));
        EXPECT_EQ(shown.texts, QString::fromUtf8("アドレス:|フォルダ:|ファイルの種類:|選択(&C)|キャンセル").split('|'));
        EXPECT_EQ(shown.filter, QString::fromUtf8("フォルダ"));
        const QMap<QString, QString> folderRow{{QString::fromUtf8("記録"), QString::fromUtf8("フォルダ")}};
        EXPECT_EQ(shown.types, folderRow);
        EXPECT_EQ(shown.computerTypes, (QMap<QString, QString>{{"/", QString::fromUtf8("ドライブ")}}));
        EXPECT_EQ(shown.cut, QStringList());
        for (const QString& text : shown.headers)
            EXPECT_FALSE(HasLatinLetters(text)) << text.toStdString();
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

