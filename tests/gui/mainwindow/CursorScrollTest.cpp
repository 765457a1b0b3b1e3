// The review cursor placed by clicks into either graph, the scroll bar's actions held to
// the file, bursts of scroll actions drawn once, and the status field's colour.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "ReviewSupport.h"
#include "platform/qt/ScrollInfo.h"

namespace {

// A click at the given fraction of a graph's plot width.
void ClickPlot(CRealTimeGraph* graph, double fraction)
{
    const QRect plot = graph->PlotRect();
    const int x = plot.left() + static_cast<int>(plot.width() * fraction);
    QTest::mouseClick(graph, Qt::LeftButton, Qt::NoModifier, QPoint(x, plot.center().y()));
}

}  // namespace

TEST(ReviewCursor, AClickOnEitherGraphPlacesTheCursorOnBoth)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 600));
    h.dlg->PageRight();
    h.dlg->PageRight();
    ASSERT_EQ(h.Probe().FirstSecond(), 60);
    CRealTimeGraph* eeg = h.Probe().GraphEeg();
    CRealTimeGraph* emg = h.Probe().GraphEmg();

    ClickPlot(emg, 0.25);
    EXPECT_NEAR(h.Probe().CursorFraction(), 0.25, 0.01);
    EXPECT_EQ(h.Probe().CursorSecond(), 60 + static_cast<int>(30 * h.Probe().CursorFraction()));
    EXPECT_EQ(eeg->GetCursorPixel(), emg->GetCursorPixel());
    EXPECT_EQ(eeg->GetCursorFraction(), emg->GetCursorFraction());

    // The left edge of the graph (its margin, left of the plot): fraction 0, the first second.
    QTest::mouseClick(eeg, Qt::LeftButton, Qt::NoModifier, QPoint(0, eeg->height() / 2));
    EXPECT_EQ(eeg->GetCursorPixel(), 0);
    EXPECT_EQ(h.Probe().CursorFraction(), 0.0);
    EXPECT_EQ(h.Probe().CursorSecond(), 60);

    // Paging keeps the fraction; the cursor second follows the page.
    ClickPlot(eeg, 0.5);
    h.dlg->PageRight();
    EXPECT_EQ(h.Probe().CursorSecond(), 90 + static_cast<int>(30 * h.Probe().CursorFraction()));

    // Clicks outside the graphs change nothing.
    const double fraction = h.Probe().CursorFraction();
    QTest::mouseClick(h.Probe().ClientArea(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(h.Probe().CursorFraction(), fraction);
}

TEST(ReviewCursor, ClicksOutsideReviewDoNothing)
{
    WindowHarness h;
    CRealTimeGraph* eeg = h.Probe().GraphEeg();
    ClickPlot(eeg, 0.5);
    EXPECT_EQ(eeg->GetCursorPixel(), 0);
    EXPECT_EQ(h.Probe().CursorFraction(), 0.0);
    EXPECT_EQ(h.Probe().CursorSecond(), 0);
}

TEST(ReviewScroll, EveryActionIsHeldToTheFileAndMovesTheShownPart)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 600));
    auto* bar = h.Item<QScrollBar>(kIdScrollBar);
    auto act = [&](QAbstractSlider::SliderAction action) {
        bar->triggerAction(action);
        WindowHarness::Flush();
        EXPECT_EQ(h.Probe().FirstSecond(), bar->value());
        return bar->value();
    };
    EXPECT_EQ(act(QAbstractSlider::SliderSingleStepSub), 0);
    EXPECT_EQ(act(QAbstractSlider::SliderSingleStepAdd), 1);
    EXPECT_EQ(act(QAbstractSlider::SliderPageStepAdd), 31);
    EXPECT_EQ(act(QAbstractSlider::SliderPageStepSub), 1);
    bar->setSliderPosition(550);  // a drag of the thumb
    WindowHarness::Flush();
    EXPECT_EQ(h.Probe().FirstSecond(), 550);
    EXPECT_EQ(act(QAbstractSlider::SliderPageStepAdd), 570);  // stops at 600 − 30
    EXPECT_EQ(act(QAbstractSlider::SliderToMinimum), 570);   // Home and End keep the position
    EXPECT_EQ(act(QAbstractSlider::SliderToMaximum), 570);
    EXPECT_EQ(FieldText(h, kIdNowTime), "2024/01/03 00:09:20-00:09:50");
    const sEdfFixture f = ReviewFiles::OwnFixture(600);
    EXPECT_NEAR(h.Probe().GraphEeg()->GetStoredData()[5], EdfPhysical(f, f.value(0, 570 * 128 + 5)), 1e-3);
    // Scroll information in Windows terms.
    const sScrollInfo info = GetScrollInfo(bar);
    EXPECT_EQ(info.max, 599);
    EXPECT_EQ(info.page, 30);
    EXPECT_EQ(info.pos, 570);
}

TEST(ReviewScroll, ABurstOfScrollActionsIsDrawnOnce)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 600));
    auto* bar = h.Item<QScrollBar>(kIdScrollBar);
    const std::size_t computed = h.Probe().SpectrumComputations();
    for (int i = 0; i < 10; ++i)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    // The window follows at once; the drawing waits for the burst to end.
    EXPECT_EQ(h.Probe().FirstSecond(), 10);
    EXPECT_TRUE(h.Probe().RedrawPending());
    EXPECT_EQ(FieldText(h, kIdNowTime), "2024/01/02 23:59:50-00:00:20");
    WindowHarness::Flush();
    EXPECT_FALSE(h.Probe().RedrawPending());
    EXPECT_EQ(h.Probe().SpectrumComputations(), computed + 1);
    EXPECT_EQ(FieldText(h, kIdNowTime), "2024/01/03 00:00:00-00:00:30");

    // Under "ALL" the bar stays at 0 and the spectrum is taken from the cache.
    h.dlg->OnCommand(32803);
    const std::size_t all = h.Probe().SpectrumComputations();
    for (auto action : {QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderSingleStepAdd,
                        QAbstractSlider::SliderMove})
        bar->triggerAction(action);
    WindowHarness::Flush();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(h.Probe().FirstSecond(), 0);
    EXPECT_EQ(h.Probe().SpectrumComputations(), all);
}

TEST(ReviewScroll, TheScrollBarKeysAreTheWindows)
{
    ReviewFiles files;
    WindowHarness h;
    OpenByDialog(h, files.Own("a.edf", 600));
    auto* bar = h.Item<QScrollBar>(kIdScrollBar);
    bar->setFocus();
    // Right pages by the range (the window's key), PageDown steps a page through the bar.
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(h.Probe().FirstSecond(), 30);
    QTest::keyClick(bar, Qt::Key_PageDown);
    WindowHarness::Flush();
    EXPECT_EQ(h.Probe().FirstSecond(), 60);
    EXPECT_EQ(bar->value(), 60);
}

TEST(ReviewStatus, TheFirstStatusFieldIsGreenInReviewAndRedWithoutAPort)
{
    ReviewFiles files;
    WindowHarness h([](FakeWaveIo& wave, MemoryProfile&) { wave.portName.clear(); });
    auto* field = h.Item<QLabel>(kIdStatusSource);
    auto pixel = [&] { return field->grab().toImage().pixelColor(field->width() - 6, field->height() / 2); };
    EXPECT_EQ(pixel(), QColor(255, 0, 0));
    OpenByDialog(h, files.Own("a.edf", 45));
    EXPECT_EQ(pixel(), QColor(0, 255, 0));
    // Other static texts keep the window's own background.
    auto* other = h.Item<QLabel>(kIdStatusText);
    EXPECT_NE(other->grab().toImage().pixelColor(other->width() - 6, other->height() / 2), QColor(0, 255, 0));
}
