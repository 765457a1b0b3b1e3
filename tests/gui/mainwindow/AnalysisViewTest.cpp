// The analysis view: the fixed stage pattern epoch by epoch, what its button puts into the two
// charts, the save button that writes nothing, and that its controls stay hidden.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QPushButton>

#include <cmath>

#include "WindowHarness.h"
#include "mainwindow/AnalysisPattern.h"

namespace {

// The stage code a chart shows in row r (from 1): the series that has a point there.
int StageAt(const CChartState& state, int row)
{
    for (int series = 1; series <= 4; ++series) {
        const double v = state.GetValue(series, row);
        if (!std::isnan(v))
            return static_cast<int>(v);
    }
    return 0;
}

}  // namespace

TEST(AnalysisView, ThePatternChangesExactlyAtItsRunEdges)
{
    // Each run's first and last epoch, written out from the table of runs.
    const struct {
        int first, last, code;
    } runs[] = {
        {0, 28, 4},    {29, 67, 2},   {68, 100, 1},  {101, 120, 2}, {121, 164, 3},
        {165, 201, 2}, {202, 253, 1}, {254, 286, 2}, {287, 311, 3}, {312, 386, 2},
        {387, 400, 1}, {401, 435, 2}, {436, 487, 3}, {488, 1199, 4},
    };
    const std::vector<std::int32_t> codes = AnalysisStagePattern(1200);
    ASSERT_EQ(codes.size(), 1200u);
    for (const auto& run : runs)
        for (int i = run.first; i <= run.last; ++i)
            ASSERT_EQ(codes[static_cast<size_t>(i)], run.code) << i;
    EXPECT_TRUE(AnalysisStagePattern(0).empty());
    EXPECT_TRUE(AnalysisStagePattern(-3).empty());
    EXPECT_EQ(AnalysisStagePattern(30), std::vector<std::int32_t>(codes.begin(), codes.begin() + 30));
}

TEST(AnalysisView, StartFillsBothChartsForTheOpenedFile)
{
    WindowHarness h;
    h.Probe().EnterReview(QStringLiteral("night.edf"), QString(), 36000);  // 10 hours
    h.Probe().SetStartTime(1700000000);
    h.dlg->OnCommand(1084);
    for (CEpochMSChart* chart : {static_cast<CEpochMSChart*>(h.Probe().ChartHypnogram()),
                                 static_cast<CEpochMSChart*>(h.Probe().ChartFftTrend())}) {
        EXPECT_EQ(chart->GetCount(), 1200);
        EXPECT_EQ(chart->GetStartTime(), 1700000000);
        const CChartState& state = chart->State();
        ASSERT_EQ(state.GetRowCount(), 1200);
        const std::pair<int, int> samples[] = {{1, 4}, {29, 4}, {30, 2}, {69, 1}, {122, 3}, {488, 3}, {489, 4}, {1200, 4}};
        for (const auto& [row, code] : samples)
            EXPECT_EQ(StageAt(state, row), code) << row;
    }
}

TEST(AnalysisView, ShortOrNoFileGivesNoEpochs)
{
    for (int seconds : {0, 29}) {
        WindowHarness h;
        if (seconds > 0)
            h.Probe().EnterReview(QStringLiteral("short.edf"), QString(), seconds);
        h.dlg->OnCommand(1084);
        EXPECT_EQ(h.Probe().ChartHypnogram()->GetCount(), 0) << seconds;
        EXPECT_EQ(h.Probe().ChartFftTrend()->GetCount(), 0) << seconds;
        EXPECT_EQ(h.Probe().ChartHypnogram()->State().GetRowCount(), 0) << seconds;
    }
}

TEST(AnalysisView, SaveWritesNothingAndTheViewStaysHiddenInEveryMode)
{
    WindowHarness h;
    h.Probe().EnterReview(QStringLiteral("night.edf"), QString(), 3600);
    const QStringList before = QDir::home().entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    h.dlg->OnCommand(1085);
    EXPECT_EQ(QDir::home().entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(h.prompter->shown.empty());

    for (int mode : {0, 1, 2, 3, 4}) {
        if (mode == 4)
            h.Probe().EnterReview(QStringLiteral("night.edf"), QString(), 3600);
        else
            h.dlg->SetMode(mode);
        for (int id : {1083, 1084, 1085})
            EXPECT_FALSE(h.dlg->DlgItem(id)->isVisible()) << mode << " " << id;
        EXPECT_FALSE(h.Item<QCheckBox>(1083)->isChecked()) << mode;
        EXPECT_FALSE(h.Item<QCheckBox>(1083)->isEnabled()) << mode;
        EXPECT_FALSE(h.Probe().ChartHypnogram()->isVisible()) << mode;
        EXPECT_FALSE(h.Probe().ChartFftTrend()->isVisible()) << mode;
    }
}
