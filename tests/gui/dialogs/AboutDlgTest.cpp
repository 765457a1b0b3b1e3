// The About box: its five lines from the program's version texts, the empty-field form,
// plain-text display, the ways to close it, and a screenshot.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "dialogs/AboutDlg.h"
#include "support/Screenshot.h"

namespace {

QString LineText(const QDialog& dialog, int id)
{
    auto* label = dialog.findChild<QLabel*>(QString::number(id));
    return label ? label->text() : QStringLiteral("<missing>");
}

}  // namespace

TEST(AboutDlg, ShowsTheProgramsVersionTextsAsTheTemplateLaysThemOut)
{
    VersionInfoStrings version;
    ReadVersionInfoStrings(version);
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Velquin");
    EXPECT_EQ(dialog.size(), QSize(377, 143));  // 251 × 95 dialog units
    EXPECT_EQ(LineText(dialog, 1050), QString::fromStdString("Product Name : " + version.productName));
    EXPECT_EQ(LineText(dialog, 1051), QString::fromStdString("Product Version : " + version.productVersion));
    EXPECT_EQ(LineText(dialog, 1052), QString::fromStdString("File Version : " + version.fileVersion));
    EXPECT_EQ(LineText(dialog, 1053), QString::fromStdString(version.legalCopyright));
    EXPECT_EQ(LineText(dialog, 1054), QString::fromStdString(version.companyName));
    EXPECT_EQ(LineText(dialog, 1050), "Product Name : Velquin");
    // The comments are not shown anywhere.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        EXPECT_FALSE(label->text().contains(QString::fromStdString(version.comments)));

    // The lines are a text line high (13 pixels, a pixel more than the template's 8 units).
    EXPECT_EQ(dialog.findChild<QLabel*>("1050")->geometry(), QRect(63, 21, 224, 13));
    EXPECT_EQ(dialog.findChild<QLabel*>("1054")->geometry(), QRect(63, 93, 224, 13));
    auto* ok = dialog.findChild<QPushButton*>("1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_EQ(ok->geometry(), QRect(291, 111, 75, 21));
    EXPECT_TRUE(ok->isDefault());
}

TEST(AboutDlg, MissingFieldsLeaveTheLabelsAndTheValuesShowAsPlainText)
{
    const CAboutDlg empty(VersionInfoStrings{});
    EXPECT_EQ(LineText(empty, 1050), "Product Name : ");
    EXPECT_EQ(LineText(empty, 1051), "Product Version : ");
    EXPECT_EQ(LineText(empty, 1052), "File Version : ");
    EXPECT_EQ(LineText(empty, 1053), "");
    EXPECT_EQ(LineText(empty, 1054), "");

    VersionInfoStrings odd;
    odd.productName = "<b>A&B</b>";
    const CAboutDlg dialog(odd);
    auto* label = dialog.findChild<QLabel*>("1050");
    EXPECT_EQ(label->text(), "Product Name : <b>A&B</b>");
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST(AboutDlg, OkEnterEscapeAndTheCloseBoxEndIt)
{
    {
        CAboutDlg dialog;
        dialog.show();
        dialog.findChild<QPushButton*>("1")->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    {
        CAboutDlg dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    {
        CAboutDlg dialog;
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    {
        CAboutDlg dialog;
        dialog.show();
        dialog.close();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

TEST(AboutDlg, Screenshot)
{
    CAboutDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_TRUE(SaveScreenshot(dialog, QStringLiteral("dialog_about")));
}
