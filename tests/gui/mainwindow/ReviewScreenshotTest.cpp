// Screenshots of a reviewed 10 Hz test file, as band bars and as the detailed spectrum,
// written to the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QTest>

#include "ReviewSupport.h"
#include "support/Screenshot.h"

TEST(ReviewScreenshots, ATenHertzFileShowsAnAlphaSpectrum)
{
    ReviewFiles files;
    WindowHarness h;
    h.dlg->resize(1200, 800);
    OpenByDialog(h, files.Own("20240102_235950.edf", 600));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    h.dlg->PageRight();

    {
        CRealTimeGraph* eeg = h.Probe().GraphEeg();
        const QRect plot = eeg->PlotRect();
        QTest::mouseClick(eeg, Qt::LeftButton, Qt::NoModifier,
                          QPoint(plot.left() + plot.width() / 3, plot.center().y()));
    }
    WindowHarness::Flush();
    const std::vector<double> bars = ChartValues(*h.Probe().ChartFft());
    ASSERT_EQ(bars.size(), 4u);
    EXPECT_GT(bars[2], 10 * (bars[0] + bars[1] + bars[3]));
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("review_10hz_bands")));

    h.dlg->SetFftYMax(200);
    h.dlg->SetFftDisplayMode(1);
    WindowHarness::Flush();
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("review_10hz_detail")));
}
