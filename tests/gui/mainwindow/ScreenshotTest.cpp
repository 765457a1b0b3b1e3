// PNG screenshots of the main window in each mode, written to the build folder's
// "screenshots" folder for a person to look at; the Japanese captions must render.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include <cmath>
#include <vector>

#include "WindowHarness.h"
#include "resources/AppIcon.h"
#include "support/Screenshot.h"
#include "support/TempDir.h"

TEST(MainWindowScreenshots, IdleAndReview)
{
    WindowHarness h([](FakeWaveIo& wave, MemoryProfile&) { wave.portName.clear(); });
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode0_idle")));

    // The template font resolves to the IPA Gothic family, which has the Japanese glyphs.
    const QFontInfo info(h.Item<QPushButton>(1068)->font());
    EXPECT_TRUE(info.family().startsWith(QStringLiteral("IPA"))) << info.family().toStdString();

    h.Probe().EnterReview(QStringLiteral("20240102_235950.edf"), QStringLiteral("TQS27123456"), 600);
    // A slice of 30 seconds handed to the graphs and band powers to the chart, as a shown
    // file would have them: a 10 Hz rhythm of ±60 µV, and a lower, faster EMG.
    std::vector<float> eeg(30 * 128), emg(30 * 128);
    for (size_t i = 0; i < eeg.size(); ++i) {
        eeg[i] = float(60 * std::sin(2 * M_PI * 10 * double(i) / 128) + 15 * std::sin(2 * M_PI * 1.5 * double(i) / 128));
        emg[i] = float(20 * std::sin(2 * M_PI * 37 * double(i) / 128) * std::sin(2 * M_PI * 0.2 * double(i) / 128));
    }
    h.Probe().GraphEeg()->AddData(eeg, 1);
    h.Probe().GraphEmg()->AddData(emg, 1);
    const float bands[4] = {3.1f, 1.2f, 14.6f, 2.4f};
    h.Probe().ChartFft()->SetCount(4);
    h.Probe().ChartFft()->SetData(bands);
    h.Probe().ChartFft()->Update(0);
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode4_review")));
    ASSERT_TRUE(SaveScreenshot(RenderAppIcon(128), QStringLiteral("mainwindow_icon")));
}

TEST(MainWindowScreenshots, TalkingLockedAndMeasuring)
{
    // The folder outlives the window, which still measures into it when the test ends.
    TempDir folder;
    WindowHarness h([](FakeWaveIo& wave, MemoryProfile&) {
        wave.portName = "/dev/ttyUSB10";
        wave.receiverName = "TQR27012345";
    });
    h.dlg->SetMode(CVelquinDlg::kModeTalking);
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode1_talking")));

    // The longest receiver description: the older model on a two-digit port.
    h.MeasureOneSecond(folder.str());
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeMeasuring);
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode2_measuring")));
    h.dlg->SetMode(CVelquinDlg::kModeLocked);
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode3_locked")));
}
