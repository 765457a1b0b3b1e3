// PNG screenshots of the main window in idle and in review, written to the build folder's
// "screenshots" folder for a person to look at; the Japanese captions must render.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "WindowHarness.h"
#include "resources/AppIcon.h"
#include "support/Screenshot.h"

TEST(MainWindowScreenshots, IdleAndReview)
{
    WindowHarness h([](FakeWaveIo& wave, MemoryProfile&) { wave.portName.clear(); });
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode0_idle")));

    // The template font resolves to the IPA Gothic family, which has the Japanese glyphs.
    const QFontInfo info(h.Item<QPushButton>(1068)->font());
    EXPECT_TRUE(info.family().startsWith(QStringLiteral("IPA"))) << info.family().toStdString();

    h.Probe().EnterReview(QStringLiteral("20240102_235950.edf"), QStringLiteral("TQS27123456"), 600);
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("mainwindow_mode4_review")));
    ASSERT_TRUE(SaveScreenshot(RenderAppIcon(128), QStringLiteral("mainwindow_icon")));
}
