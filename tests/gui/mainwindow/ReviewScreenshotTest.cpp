// Screenshots of a reviewed 10 Hz test file, as band bars and as the detailed spectrum, and of
// a long file over four hours, written to the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "ReviewSupport.h"
#include "display/GraphPainting.h"
#include "resources/MenuTables.h"
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

// At the window's own size the hours unit "[時間]" is wider than the margin right of the plot
// at the labels' size: it ends inside the graph all the same. Drawn into an image wider than
// the graph, nothing lands past the graph's right edge, and the unit's glyphs stand whole in
// the margin beside the plot's lower right corner.
TEST(ReviewScreenshots, FourHoursShowTheHoursUnitWhole)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("20240102_235950.edf", 5 * 3600));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);
    const sTimeRangeCommand& fourHours = kTimeRangeCommands[14];
    ASSERT_EQ(fourHours.seconds, 14400);
    h.dlg->CommandAction(fourHours.mainId)->trigger();
    WindowHarness::Flush();
    ASSERT_TRUE(SaveScreenshot(*h.dlg, QStringLiteral("review_4h")));

    for (const CGraph* graph : {h.Probe().GraphEeg(), h.Probe().GraphEmg()}) {
        ASSERT_EQ(graph->GetXLabel(), QStringLiteral("[時間]"));
        const QRect client = graph->ClientRect();
        const QRect plot = graph->PlotRect().translated(-client.topLeft());
        constexpr int kSpill = 40;
        const QRgb magenta = qRgb(255, 0, 255);
        QImage image(client.width() + kSpill, client.height(), QImage::Format_RGB32);
        image.fill(magenta);
        {
            QPainter painter(&image);
            graph->Draw(painter, client.width(), client.height());
        }
        int past = 0;
        int unit = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = client.width(); x < image.width(); ++x)
                past += image.pixel(x, y) != magenta ? 1 : 0;
            // The margin right of the frame line, above the plot's bottom edge.
            for (int x = plot.right() + 1; x < client.width() && y < plot.bottom(); ++x)
                unit += image.pixel(x, y) == kGraphGreen ? 1 : 0;
        }
        EXPECT_EQ(past, 0) << graph->objectName().toStdString();
        EXPECT_GT(unit, 100) << graph->objectName().toStdString();
    }
}
