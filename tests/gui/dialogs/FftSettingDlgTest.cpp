// The FFT settings dialog against settings held by the test: what it shows when it opens,
// the two value lists and their refill on every click of a display-mode radio button, the
// separate radio groups, greying in review, what OK writes and in which order, and the
// keys, Cancel and the close box that write nothing.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <string>
#include <vector>

#include "DialogTemplateChecks.h"
#include "dialogs/FftSettingDlg.h"
#include "support/Screenshot.h"

namespace {

class RecordedFftSettings : public IFftSettings {
public:
    int displayMode = 0;
    int option = 1;
    double yMax = 20.0;
    bool review = false;
    std::vector<std::string> writes;  // "YMax 0.2", "DisplayMode 1", "Option 1"

    int GetFftDisplayMode() const override { return displayMode; }
    void SetFftDisplayMode(int mode) override { displayMode = mode; writes.push_back("DisplayMode " + std::to_string(mode)); }
    int GetFftOption() const override { return option; }
    void SetFftOption(int value) override { option = value; writes.push_back("Option " + std::to_string(value)); }
    double GetFftYMax() const override { return yMax; }
    void SetFftYMax(double value) override
    {
        yMax = value;
        writes.push_back("YMax " + QString::number(value).toStdString());
    }
    bool IsReviewMode() const override { return review; }
};

template <typename T>
T* Item(const QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

QStringList Entries(const QDialog& dialog)
{
    QStringList list;
    auto* combo = Item<QComboBox>(dialog, 1089);
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

QString Selected(const QDialog& dialog)
{
    return Item<QComboBox>(dialog, 1089)->currentText();
}

const QStringList kBandEntries = {"10.0", "20.0", "50.0", "100.0", "200.0", "500.0"};
const QStringList kDetailEntries = {"0.1", "0.2", "0.5", "1.0", "2.0", "5.0"};

}  // namespace

TEST(FftSettingDlg, FirstOpeningAfterStartAndTheTemplate)
{
    RecordedFftSettings settings;
    CFftSettingDlg dialog(&settings);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("FFT設定"));
    EXPECT_EQ(dialog.size(), QSize(258, 242));  // 172 × 161 dialog units

    CheckTemplateControls(dialog,
                          {
                              {1084, "FFT表示方法", QRect(11, 17, 225, 60)},
                              {1082, "δ波・θ波・α波・β波を表示", QRect(29, 33, 147, 15)},
                              {1083, "周波数詳細を表示", QRect(29, 54, 117, 15)},
                              {1085, "FFT計算範囲", QRect(11, 89, 224, 62)},
                              {1086, "直近4秒のFFTを計算", QRect(29, 105, 128, 15)},
                              {1087, "表示範囲のFFTを計算", QRect(29, 126, 134, 15)},
                              {1088, "縦軸最大値(μV^2) ：", QRect(21, 170, 105, 12)},
                              {1, "OK", QRect(92, 210, 75, 21)},
                              {2, "キャンセル", QRect(173, 210, 75, 21)},
                          },
                          true);
    EXPECT_EQ(Item<QWidget>(dialog, 1086)->width(), 128);
    EXPECT_LE(Item<QWidget>(dialog, 1088)->geometry().right(), Item<QWidget>(dialog, 1089)->x());
    EXPECT_LE(Item<QWidget>(dialog, 1082)->geometry().right(), Item<QWidget>(dialog, 1084)->geometry().right());
    EXPECT_EQ(Item<QComboBox>(dialog, 1089)->geometry().topLeft(), QPoint(134, 168));

    EXPECT_TRUE(Item<QRadioButton>(dialog, 1082)->isChecked());
    EXPECT_FALSE(Item<QRadioButton>(dialog, 1083)->isChecked());
    EXPECT_TRUE(Item<QRadioButton>(dialog, 1086)->isChecked());
    EXPECT_FALSE(Item<QRadioButton>(dialog, 1087)->isChecked());
    EXPECT_EQ(Entries(dialog), kBandEntries);
    EXPECT_EQ(Selected(dialog), "20.0");
    EXPECT_TRUE(settings.writes.empty());
}

TEST(FftSettingDlg, DetailModeOffersItsOwnListAndOkWritesMaximumThenModeThenOption)
{
    RecordedFftSettings settings;
    CFftSettingDlg dialog(&settings);
    dialog.show();
    Item<QRadioButton>(dialog, 1083)->click();
    EXPECT_EQ(Entries(dialog), kDetailEntries);
    EXPECT_EQ(Selected(dialog), "0.2");
    // The calculation range keeps its own mark.
    EXPECT_TRUE(Item<QRadioButton>(dialog, 1086)->isChecked());
    EXPECT_TRUE(settings.writes.empty());

    Item<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"YMax 0.2", "DisplayMode 1", "Option 1"}));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(FftSettingDlg, TheCurrentMaximumIsSelectedWhenItsListHoldsIt)
{
    const struct {
        int mode;
        double yMax;
        const char* selected;
    } cases[] = {
        {1, 2.0, "2.0"}, {1, 20.0, "0.2"}, {0, 500.0, "500.0"}, {0, 0.5, "20.0"}, {7, 5.0, "5.0"},
    };
    for (const auto& c : cases) {
        RecordedFftSettings settings;
        settings.displayMode = c.mode;
        settings.yMax = c.yMax;
        CFftSettingDlg dialog(&settings);
        EXPECT_EQ(Selected(dialog), c.selected) << c.mode << " " << c.yMax;
        EXPECT_EQ(Item<QRadioButton>(dialog, 1083)->isChecked(), c.mode != 0);
    }
}

TEST(FftSettingDlg, EveryClickOfAModeRadioButtonRefillsTheList)
{
    RecordedFftSettings settings;
    settings.yMax = 50.0;
    CFftSettingDlg dialog(&settings);
    dialog.show();
    auto* combo = Item<QComboBox>(dialog, 1089);
    combo->setCurrentIndex(3);
    EXPECT_EQ(Selected(dialog), "100.0");
    // A click on the radio button already checked.
    Item<QRadioButton>(dialog, 1082)->click();
    EXPECT_EQ(Selected(dialog), "50.0");
    EXPECT_EQ(combo->count(), 6);

    // Back and forth: each switch refills; nothing is written before OK.
    Item<QRadioButton>(dialog, 1083)->click();
    combo->setCurrentIndex(5);
    Item<QRadioButton>(dialog, 1083)->click();
    EXPECT_EQ(Selected(dialog), "0.2");
    Item<QRadioButton>(dialog, 1082)->click();
    EXPECT_EQ(Entries(dialog), kBandEntries);
    EXPECT_EQ(Selected(dialog), "50.0");
    EXPECT_TRUE(settings.writes.empty());

    // The index chosen is the index into the list of the checked mode.
    combo->setCurrentIndex(0);
    Item<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"YMax 10", "DisplayMode 0", "Option 1"}));
}

TEST(FftSettingDlg, TheTwoPairsOfRadioButtonsAreSeparateGroups)
{
    RecordedFftSettings settings;
    settings.option = 0;
    CFftSettingDlg dialog(&settings);
    dialog.show();
    EXPECT_TRUE(Item<QRadioButton>(dialog, 1087)->isChecked());
    Item<QRadioButton>(dialog, 1083)->click();
    Item<QRadioButton>(dialog, 1086)->click();
    EXPECT_TRUE(Item<QRadioButton>(dialog, 1083)->isChecked());
    EXPECT_TRUE(Item<QRadioButton>(dialog, 1086)->isChecked());
    EXPECT_FALSE(Item<QRadioButton>(dialog, 1082)->isChecked());
    EXPECT_FALSE(Item<QRadioButton>(dialog, 1087)->isChecked());
    Item<QPushButton>(dialog, 1)->click();
    EXPECT_EQ(settings.writes, (std::vector<std::string>{"YMax 0.2", "DisplayMode 1", "Option 1"}));
}

TEST(FftSettingDlg, InReviewTheCalculationRangeIsGreyedButKeepsItsMarkAndIsWritten)
{
    for (int option : {1, 0, 5}) {
        RecordedFftSettings settings;
        settings.review = true;
        settings.option = option;
        CFftSettingDlg dialog(&settings);
        dialog.show();
        for (int id : {1085, 1086, 1087})
            EXPECT_FALSE(Item<QWidget>(dialog, id)->isEnabled()) << id;
        EXPECT_TRUE(Item<QWidget>(dialog, 1084)->isEnabled());
        EXPECT_EQ(Item<QRadioButton>(dialog, 1086)->isChecked(), option == 1);
        EXPECT_EQ(Item<QRadioButton>(dialog, 1087)->isChecked(), option != 1);
        Item<QPushButton>(dialog, 1)->click();
        EXPECT_EQ(settings.writes.back(), option == 1 ? "Option 1" : "Option 0");
    }
}

TEST(FftSettingDlg, EnterAndEscapeDoNothingCancelAndTheCloseBoxWriteNothing)
{
    RecordedFftSettings settings;
    CFftSettingDlg dialog(&settings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        EXPECT_FALSE(b->autoDefault()) << b->objectName().toStdString();
        EXPECT_FALSE(b->isDefault()) << b->objectName().toStdString();
    }
    Item<QRadioButton>(dialog, 1083)->click();
    const QString widgets[] = {"1", "2", "1089", "1083"};
    for (const QString& name : widgets) {
        QWidget* w = dialog.findChild<QWidget*>(name);
        w->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(w, key);
            EXPECT_TRUE(dialog.isVisible()) << name.toStdString() << " " << key;
        }
    }
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(settings.writes.empty());

    // Space still presses the focused button.
    Item<QPushButton>(dialog, 2)->setFocus();
    QTest::keyClick(Item<QPushButton>(dialog, 2), Qt::Key_Space);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(settings.writes.empty());

    CFftSettingDlg closed(&settings);
    closed.show();
    Item<QRadioButton>(closed, 1083)->click();
    closed.close();
    EXPECT_EQ(closed.result(), QDialog::Rejected);
    EXPECT_TRUE(settings.writes.empty());
}

TEST(FftSettingDlg, Screenshots)
{
    RecordedFftSettings settings;
    CFftSettingDlg dialog(&settings);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_TRUE(SaveScreenshot(dialog, QStringLiteral("dialog_fft_setting")));

    RecordedFftSettings review;
    review.review = true;
    review.displayMode = 1;
    review.yMax = 2.0;
    CFftSettingDlg greyed(&review);
    greyed.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&greyed));
    ASSERT_TRUE(SaveScreenshot(greyed, QStringLiteral("dialog_fft_setting_review")));
}
