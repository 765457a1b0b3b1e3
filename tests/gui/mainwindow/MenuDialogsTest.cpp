// The real dialogs as the menu bar opens them: every choice of the FFT settings dialog lands
// in the window and its spectrum chart and is shown again at the next opening, and a new
// maximum is on the chart's axis at once in every mode; the About box opens from its item.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include "Fakes.h"
#include "ReviewSupport.h"
#include "dialogs/AboutDlg.h"
#include "dialogs/FftSettingDlg.h"
#include "mainwindow/VelquinDlg.h"

namespace {

// The window with the program's own dialogs and fakes for the rest.
std::unique_ptr<CVelquinDlg> WindowWithRealDialogs()
{
    sDlgServices services;
    services.makeWaveIo = [](ILinkSink&) { return std::make_unique<FakeWaveIo>(); };
    services.prompter = std::make_unique<FakePrompter>();
    services.profile = std::make_unique<MemoryProfile>();
    services.inhibitScreenSaver = false;
    auto dlg = std::make_unique<CVelquinDlg>(std::move(services));
    dlg->show();
    return dlg;
}

// Runs the command; when its modal dialog is up, hands it to `drive`, which ends it.
void RunWithDialog(CVelquinDlg& dlg, int command, const std::function<void(QDialog&)>& drive)
{
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        driven = true;
        drive(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    dlg.CommandAction(command)->trigger();
    EXPECT_TRUE(driven);
}

template <typename T>
T* Item(QDialog& dialog, int id)
{
    return dialog.findChild<T*>(QString::number(id));
}

}  // namespace

TEST(MenuDialogs, EveryFftChoiceReachesTheWindowAndTheChartAndIsShownAgain)
{
    auto dlg = WindowWithRealDialogs();
    auto* chart = dlg->findChild<CFftMSChart*>(QStringLiteral("1060"));
    ASSERT_NE(chart, nullptr);
    for (int detail : {0, 1}) {
        const auto& values = detail ? kFftDetailYMaxList : kFftBandYMaxList;
        for (int index = 0; index < 6; ++index) {
            for (int newest : {0, 1}) {
                SCOPED_TRACE(std::to_string(detail) + " " + std::to_string(index) + " " + std::to_string(newest));
                RunWithDialog(*dlg, 32853, [&](QDialog& d) {
                    Item<QRadioButton>(d, detail ? 1083 : 1082)->click();
                    Item<QComboBox>(d, 1089)->setCurrentIndex(index);
                    Item<QRadioButton>(d, newest ? 1086 : 1087)->click();
                    Item<QPushButton>(d, 1)->click();
                });
                EXPECT_EQ(dlg->GetFftDisplayMode(), detail);
                EXPECT_EQ(dlg->GetFftOption(), newest);
                // The maximum chosen survives the display-mode setter that comes after it.
                EXPECT_EQ(dlg->GetFftYMax(), values[static_cast<size_t>(index)]);
                EXPECT_EQ(chart->GetVerticalMax(), values[static_cast<size_t>(index)]);

                RunWithDialog(*dlg, 32853, [&](QDialog& d) {
                    EXPECT_EQ(Item<QRadioButton>(d, 1083)->isChecked(), detail == 1);
                    EXPECT_EQ(Item<QRadioButton>(d, 1086)->isChecked(), newest == 1);
                    EXPECT_EQ(Item<QComboBox>(d, 1089)->currentIndex(), index);
                    Item<QPushButton>(d, 2)->click();
                });
            }
        }
    }
}

TEST(MenuDialogs, ANewFftMaximumIsOnTheChartsAxisRightAfterOkInEveryMode)
{
    const struct {
        const char* name;
        int mode;
    } cases[] = {{"idle", CVelquinDlg::kModeIdle},
                 {"measuring", CVelquinDlg::kModeMeasuring},
                 {"review", CVelquinDlg::kModeReview}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto dlg = WindowWithRealDialogs();
        if (c.mode == CVelquinDlg::kModeReview)
            CVelquinDlgProbe(*dlg).EnterReview(QStringLiteral("a.edf"), QStringLiteral("TQS27123456"), 60);
        else
            dlg->SetMode(c.mode);
        const float bands[4] = {5.0f, 10.0f, 2.5f, 12.5f};
        CFftMSChart* chart = CVelquinDlgProbe(*dlg).ChartFft();
        if (c.mode != CVelquinDlg::kModeReview) {  // as the last block left them
            chart->SetCount(4);
            chart->SetData(bands);
            chart->Update(0);
        }
        const std::vector<double> shown = ChartValues(*chart);
        ASSERT_EQ(chart->State().Axis(kAxisY).valueScale.maximum, 20.0);

        RunWithDialog(*dlg, 32853, [](QDialog& d) {
            Item<QComboBox>(d, 1089)->setCurrentIndex(4);  // 200
            Item<QPushButton>(d, 1)->click();
        });
        EXPECT_EQ(chart->State().Axis(kAxisY).valueScale.maximum, 200.0);
        EXPECT_EQ(ChartValues(*chart), shown);  // the same bars, on the new scale
    }
}

TEST(MenuDialogs, CancelLeavesTheFftSettingsAsTheyWere)
{
    auto dlg = WindowWithRealDialogs();
    RunWithDialog(*dlg, 32853, [](QDialog& d) {
        Item<QRadioButton>(d, 1083)->click();
        Item<QComboBox>(d, 1089)->setCurrentIndex(5);
        Item<QRadioButton>(d, 1087)->click();
        d.close();
    });
    EXPECT_EQ(dlg->GetFftDisplayMode(), 0);
    EXPECT_EQ(dlg->GetFftOption(), 1);
    EXPECT_EQ(dlg->GetFftYMax(), 20.0);
}

TEST(MenuDialogs, TheAboutBoxOpensFromItsItem)
{
    auto dlg = WindowWithRealDialogs();
    CVelquinDlg* window = dlg.get();
    RunWithDialog(*dlg, 32782, [window](QDialog& d) {
        EXPECT_NE(qobject_cast<CAboutDlg*>(&d), nullptr);
        EXPECT_EQ(Item<QLabel>(d, 1050)->text(), "Product Name : Velquin");
        EXPECT_EQ(d.parentWidget(), window);
        Item<QPushButton>(d, 1)->click();
    });
}
