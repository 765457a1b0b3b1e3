// The part of a reviewed file that the graphs and the spectrum chart show, after every way
// of moving through it: the file's every second differs from the others, so a slice taken
// from the wrong second (the file's start, or a second late) shows.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

#include "ReviewSupport.h"
#include "analysis/SleepScorer.h"

namespace {

constexpr int kRate = 128;
constexpr long long kSeconds = 100;

// The four band powers of `range` seconds from second `first` of the file, computed here
// from the file's own values as the range method computes them.
std::vector<double> ExpectedBands(const sEdfFixture& f, int first, int range)
{
    std::vector<float> eeg;
    for (long long i = static_cast<long long>(first) * kRate; i < kSeconds * kRate; ++i)
        eeg.push_back(static_cast<float>(EdfPhysical(f, f.value(0, i))));
    CSleepScorer scorer;
    std::vector<float> spectrum(static_cast<std::size_t>(scorer.SetRangeFftLength(range, kRate)));
    scorer.ComputeRangeBands(eeg.data(), eeg.size(), spectrum.data(), range, kRate);
    return {static_cast<float>(scorer.GetRangeDelta()), static_cast<float>(scorer.GetRangeTheta()),
            static_cast<float>(scorer.GetRangeAlpha()), static_cast<float>(scorer.GetRangeBeta())};
}

// Both graphs hold exactly the file's samples of `range` seconds from second `first`.
void ExpectGraphsShow(WindowHarness& h, const sEdfFixture& f, int first, int range, const char* step)
{
    const CRealTimeGraph* graphs[] = {h.Probe().GraphEeg(), h.Probe().GraphEmg()};
    for (int signal = 0; signal < 2; ++signal) {
        const std::span<const double> shown = graphs[signal]->GetStoredData();
        ASSERT_EQ(shown.size(), static_cast<std::size_t>(range) * kRate) << step << ", signal " << signal;
        for (std::size_t k = 0; k < shown.size(); ++k)
            ASSERT_NEAR(shown[k], EdfPhysical(f, f.value(signal, first * kRate + static_cast<long long>(k))), 1e-3)
                << step << ", signal " << signal << ", sample " << k;
    }
}

}  // namespace

TEST(ReviewSlice, GraphsAndSpectrumShowTheFileWhereverTheViewMoves)
{
    ReviewFiles files;
    const sEdfFixture f = ReviewFiles::ChangingFixture(kSeconds);
    WindowHarness h;
    OpenByDialog(h, files.Changing("ramp.edf", kSeconds));
    ASSERT_EQ(h.dlg->GetMode(), CVelquinDlg::kModeReview);

    auto* bar = h.Item<QScrollBar>(kIdScrollBar);
    auto key = [&](Qt::Key k) {
        QWidget* target = h.Item<QPushButton>(kIdOpenEdf);
        target->setFocus();
        QTest::keyClick(target, k);
    };
    auto button = [&](int id) { QTest::mouseClick(h.Item<QPushButton>(id), Qt::LeftButton); };
    auto scroll = [&](QAbstractSlider::SliderAction action) {
        bar->triggerAction(action);
        WindowHarness::Flush();
    };
    // A click at 0.558 of the plot: the cursor lands on second first + 16 at a fraction that
    // keeps every zoom below clear of a whole second.
    auto click = [&](double fraction) {
        CRealTimeGraph* eeg = h.Probe().GraphEeg();
        const QRect plot = eeg->PlotRect();
        QTest::mouseClick(eeg, Qt::LeftButton, Qt::NoModifier,
                          QPoint(plot.left() + static_cast<int>(plot.width() * fraction), plot.center().y()));
    };

    struct sStep {
        const char* name;
        std::function<void()> act;
        int first, range;
    };
    const sStep steps[] = {
        {"opened", [] {}, 0, 30},
        {"right button", [&] { button(kIdRight); }, 30, 30},
        {"right key", [&] { key(Qt::Key_Right); }, 60, 30},
        {"right key at the end", [&] { key(Qt::Key_Right); }, 70, 30},
        {"left button", [&] { button(kIdLeft); }, 40, 30},
        {"left key", [&] { key(Qt::Key_Left); }, 10, 30},
        {"scroll line right", [&] { scroll(QAbstractSlider::SliderSingleStepAdd); }, 11, 30},
        {"scroll page right", [&] { scroll(QAbstractSlider::SliderPageStepAdd); }, 41, 30},
        {"scroll page left", [&] { scroll(QAbstractSlider::SliderPageStepSub); }, 11, 30},
        {"thumb dragged", [&] { bar->setSliderPosition(45); WindowHarness::Flush(); }, 45, 30},
        {"click on the graph", [&] { click(0.558); EXPECT_EQ(h.Probe().CursorSecond(), 61); }, 45, 30},
        {"zoom in", [&] { key(Qt::Key_Plus); }, 61 - 8, 15},
        {"zoom out", [&] { key(Qt::Key_Minus); }, 61 - 16, 30},
        {"zoom out again", [&] { key(Qt::Key_Minus); }, 61 - 33, 60},
        {"ALL", [&] { h.dlg->OnCommand(32803); }, 0, 100},  // the cursor now at 61/100
        {"zoom in from ALL", [&] { key(Qt::Key_Plus); }, 61 - 36, 60},
    };
    for (const sStep& step : steps) {
        step.act();
        ASSERT_EQ(h.Probe().FirstSecond(), step.first) << step.name;
        ASSERT_EQ(h.Probe().TimeRange(), step.range) << step.name;
        ExpectGraphsShow(h, f, step.first, step.range, step.name);
        const std::vector<double> expected = ExpectedBands(f, step.first, step.range);
        const std::vector<double> shown = ChartValues(*h.Probe().ChartFft());
        ASSERT_EQ(shown.size(), 4u) << step.name;
        for (std::size_t b = 0; b < 4; ++b)
            EXPECT_NEAR(shown[b], expected[b], 1e-4 * std::abs(expected[b]) + 1e-6) << step.name << ", band " << b;
    }
}
