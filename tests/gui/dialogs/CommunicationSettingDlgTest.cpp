// The communication settings dialog: the port list, the preselection, what OK and Cancel
// store, its template, and the keyboard rule (Enter and Escape do nothing).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

#include "DialogTestSupport.h"
#include "dialogs/CommunicationSettingDlg.h"
#include "gui/mainwindow/Fakes.h"
#include "support/Screenshot.h"

namespace {

// A façade that lists the given ports.
class PortListWaveIo : public FakeWaveIo {
public:
    std::vector<std::string> ports;
    void EnumComPorts(std::vector<std::string>& out) override { out = ports; }
    bool PortWasSet() const { return std::count(calls.begin(), calls.end(), "SetPortName") > 0; }
};

QComboBox* Combo(CCommunicationSettingDlg& dlg)
{
    return dlg.Item<QComboBox>(1078);
}

}  // namespace

TEST(CommunicationSettingDlg, NoPortListedLeavesTheListEmptyAndDisabled)
{
    PortListWaveIo wave;
    wave.portName = "/dev/ttyUSB0";
    {
        CCommunicationSettingDlg dlg(&wave);
        EXPECT_EQ(Combo(dlg)->count(), 0);
        EXPECT_FALSE(Combo(dlg)->isEnabled());
        dlg.Item<QPushButton>(2)->click();
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_EQ(wave.portName, "/dev/ttyUSB0");  // Cancel keeps the old port
    }
    {
        CCommunicationSettingDlg dlg(&wave);
        dlg.Item<QPushButton>(1)->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(wave.portName, "");  // OK with nothing listed sets no port
    }
}

TEST(CommunicationSettingDlg, PreselectsTheCurrentPortByExactNameElseTheFirst)
{
    struct Case {
        std::vector<std::string> ports;
        std::string current;
        int selected;
    };
    const Case cases[] = {
        {{"COM3", "COM1"}, "COM1", 1},
        {{"/dev/ttyUSB1", "/dev/ttyUSB10"}, "/dev/ttyUSB1", 0},
        {{"/dev/ttyUSB10", "/dev/ttyUSB1"}, "/dev/ttyUSB1", 1},
        {{"/dev/ttyUSB10", "/dev/ttyUSB1"}, "/dev/ttyUSB", 0},      // a prefix is no match
        {{"/dev/ttyacm0", "/dev/ttyACM0"}, "/dev/ttyACM0", 1},     // case counts
        {{"/dev/ttyS0", "/dev/ttyUSB0"}, "/dev/ttyUSB3", 0},       // gone: the first
        {{"/dev/ttyS0", "/dev/ttyUSB0"}, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        PortListWaveIo wave;
        wave.ports = c.ports;
        wave.portName = c.current;
        CCommunicationSettingDlg dlg(&wave);
        ASSERT_EQ(Combo(dlg)->count(), static_cast<int>(c.ports.size()));
        EXPECT_TRUE(Combo(dlg)->isEnabled());
        EXPECT_EQ(Combo(dlg)->currentIndex(), c.selected);
        EXPECT_FALSE(wave.PortWasSet());
    }
}

TEST(CommunicationSettingDlg, OkStoresTheChosenPortCancelAndCloseBoxStoreNothing)
{
    PortListWaveIo wave;
    wave.ports = {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/pts/7"};
    wave.portName = "/dev/ttyUSB0";
    {
        CCommunicationSettingDlg dlg(&wave);
        Combo(dlg)->setCurrentIndex(2);
        dlg.Item<QPushButton>(2)->click();
        EXPECT_EQ(wave.portName, "/dev/ttyUSB0");
    }
    {
        CCommunicationSettingDlg dlg(&wave);
        dlg.show();
        Combo(dlg)->setCurrentIndex(1);
        dlg.close();  // the close box
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_EQ(wave.portName, "/dev/ttyUSB0");
        EXPECT_FALSE(wave.PortWasSet());
    }
    {
        CCommunicationSettingDlg dlg(&wave);
        QTimer::singleShot(0, &dlg, [&dlg] {
            Combo(dlg)->setCurrentIndex(2);
            dlg.Item<QPushButton>(1)->click();
        });
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(wave.portName, "/dev/pts/7");
    }
}

TEST(CommunicationSettingDlg, TemplateCaptionSizeAndControls)
{
    PortListWaveIo wave;
    wave.ports = {"/dev/ttyUSB0", "/dev/ttyUSB1"};
    CCommunicationSettingDlg dlg(&wave);
    EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("通信設定"));
    EXPECT_EQ(dlg.size(), QSize(275, 87));  // 183 × 58 dialog units
    EXPECT_EQ(dlg.Item<QLabel>(1077)->text(), QString::fromUtf8("ポート番号 ："));
    // The label and the list grow to show their texts whole: the caption, and the longest
    // port name.
    EXPECT_EQ(dlg.Item<QLabel>(1077)->geometry(), QRect(32, 20, 65, 13));
    EXPECT_EQ(Combo(dlg)->geometry(), QRect(101, 17, 108, 18));
    EXPECT_EQ(dlg.Item<QPushButton>(1)->text(), "OK");
    EXPECT_EQ(dlg.Item<QPushButton>(1)->geometry(), QRect(93, 54, 74, 21));
    EXPECT_EQ(dlg.Item<QPushButton>(2)->text(), QString::fromUtf8("キャンセル"));
    EXPECT_EQ(dlg.Item<QPushButton>(2)->geometry(), QRect(179, 54, 74, 21));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    for (QPushButton* button : dlg.findChildren<QPushButton*>()) {
        EXPECT_FALSE(button->autoDefault());
        EXPECT_FALSE(button->isDefault());
    }
    SaveScreenshot(dlg, QStringLiteral("dialog-communication-setting"));
}

TEST(CommunicationSettingDlg, EnterAndEscapeNeitherPressOkNorCancel)
{
    PortListWaveIo wave;
    wave.ports = {"/dev/ttyUSB0", "/dev/ttyUSB1"};
    wave.portName = "/dev/ttyUSB1";
    CCommunicationSettingDlg dlg(&wave);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QWidget* targets[] = {dlg.Item<QPushButton>(1), dlg.Item<QPushButton>(2), Combo(dlg), &dlg};
    for (QWidget* target : targets) {
        target->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            SCOPED_TRACE(target->objectName().toStdString() + " key " + std::to_string(key));
            QTest::keyClick(target, key);
            Flush();
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_EQ(dlg.result(), 0);
        }
    }
    EXPECT_FALSE(wave.PortWasSet());
    EXPECT_EQ(Combo(dlg)->currentIndex(), 1);

    // Space still presses the focused button.
    dlg.Item<QPushButton>(1)->setFocus();
    QTest::keyClick(dlg.Item<QPushButton>(1), Qt::Key_Space);
    Flush();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(wave.portName, "/dev/ttyUSB1");
}
