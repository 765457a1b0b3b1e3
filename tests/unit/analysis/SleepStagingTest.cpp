// The artifact rule, epoch averages, trend line and state machine, driven with band powers.
// Alpha+beta averages are whole numbers here, so slopes and intercepts come out exactly as
// worked out by hand: with y_x the average at x = -14..0 (0 newest), the least-squares slope
// is sum((x + 7)·y_x) / 280 and the intercept mean(y) + 7·slope.

#include "analysis/SleepStaging.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

namespace {

using S = eSleepState;

// Runs the steps of one second as the scorer does.
void Second(CSleepStaging& st, const sBandPowers& bands)
{
    st.StoreSecond(bands);
    if (st.IsEpochComplete()) {
        st.ComputeEpochAverages();
        st.ClassifyEpoch();
    }
    st.AdvanceSecond();
}

// One epoch whose alpha+beta average is `y`: four seconds of delta 1, alpha y, of which the
// first `artifacts` are artifacts (beta 150).
void Epoch(CSleepStaging& st, double y, int artifacts = 0)
{
    for (int s = 0; s < 4; ++s)
        Second(st, s < artifacts ? sBandPowers{1.0, 0.0, 0.0, 150.0} : sBandPowers{1.0, 0.0, y, 0.0});
}

void Epochs(CSleepStaging& st, int count, double y)
{
    for (int i = 0; i < count; ++i)
        Epoch(st, y);
}

struct Expect {
    S provisional;
    S final;
    int count;
};

void ExpectState(const CSleepStaging& st, S provisional, S final, int count)
{
    EXPECT_EQ(provisional, st.GetProvisionalStates().back());
    EXPECT_EQ(final, st.GetFinalStates().back());
    EXPECT_EQ(count, st.GetTransitionCount());
    EXPECT_EQ(final == S::Sleep ? 1 : 0, st.IsSleeping());
}

// Wake for 15 epochs at `high`, then `low`, until the state is Sleep and the history flat.
void FallAsleep(CSleepStaging& st, double high, double low)
{
    Epochs(st, 15, high);
    Epochs(st, 15, low);
    ASSERT_EQ(S::Sleep, st.GetProvisionalStates().back());
    ASSERT_EQ(0.0, st.GetSlope());
}

} // namespace

TEST(ArtifactRule, BoundsAreInclusive)
{
    struct Case {
        sBandPowers bands;
        bool artifact;
    };
    const Case cases[] = {
        {{200.0, 100.0, 100.0, 100.0}, true},    // beta exactly 100 (sum 500 too)
        {{300.0, 100.0, 100.0, 0.0}, true},      // sum exactly 500
        {{299.0, 100.0, 100.9, 0.0}, false},     // sum 499.9
        {{10.0, 10.0, 10.0, 100.0}, true},       // beta exactly 100 alone
        {{10.0, 10.0, 10.0, 99.999}, false},
    };
    for (const Case& c : cases) {
        CSleepStaging st;
        st.Reset();
        st.StoreSecond(c.bands);
        EXPECT_EQ(c.artifact ? 1 : 0, st.GetArtifactSeconds());
        EXPECT_EQ(c.artifact ? 0.0 : c.bands.alpha, st.GetCleanedBands(0).alpha);
        EXPECT_EQ(c.bands.alpha, st.GetRawBands(0).alpha);
    }
}

TEST(EpochAverages, ArtifactSecondsAndZeroDelta)
{
    CSleepStaging st;
    st.Reset();
    // One artifact second: the three clean seconds divided by 3.
    Second(st, {2.0, 3.0, 4.0, 5.0});
    Second(st, {4.0, 6.0, 8.0, 10.0});
    Second(st, {0.0, 0.0, 0.0, 120.0});   // artifact
    Second(st, {6.0, 9.0, 12.0, 15.0});
    auto avg = st.GetAverages();
    EXPECT_DOUBLE_EQ(4.0, avg.delta);
    EXPECT_DOUBLE_EQ(6.0, avg.theta);
    EXPECT_DOUBLE_EQ(8.0, avg.alpha);
    EXPECT_DOUBLE_EQ(10.0, avg.beta);
    EXPECT_DOUBLE_EQ(18.0, st.GetAlphaBetaAverage());

    // Two artifact seconds: every average 0.
    Second(st, {2.0, 3.0, 4.0, 5.0});
    Second(st, {0.0, 0.0, 0.0, 120.0});
    Second(st, {400.0, 50.0, 50.0, 0.0});
    Second(st, {2.0, 3.0, 4.0, 5.0});
    avg = st.GetAverages();
    EXPECT_EQ(0.0, avg.delta);
    EXPECT_EQ(0.0, avg.beta);
    EXPECT_EQ(0.0, st.GetAlphaBetaAverage());

    // A clean second with delta exactly 0 adds nothing but still counts in the divisor.
    Second(st, {0.0, 8.0, 8.0, 8.0});
    Second(st, {4.0, 4.0, 4.0, 4.0});
    Second(st, {4.0, 4.0, 4.0, 4.0});
    Second(st, {4.0, 4.0, 4.0, 4.0});
    avg = st.GetAverages();
    EXPECT_DOUBLE_EQ(3.0, avg.theta);
    EXPECT_DOUBLE_EQ(6.0, st.GetAlphaBetaAverage());
    EXPECT_EQ(3, static_cast<int>(st.GetAlphaBetaHistory().size()));
}

TEST(TrendLine, FirstFourteenEpochsAreWakeThenTheLineStarts)
{
    CSleepStaging st;
    st.Reset();
    for (int e = 0; e < 14; ++e) {
        Epoch(st, 10.0 + 3.0 * e);   // rising steeply: no line yet
        ExpectState(st, S::Wake, S::Wake, 0);
        EXPECT_EQ(0.0, st.GetSlope());
        EXPECT_EQ(0.0, st.GetIntercept());
        EXPECT_EQ(0.0, st.GetCumulativeSlope());
    }
    Epoch(st, 10.0 + 3.0 * 14);
    EXPECT_DOUBLE_EQ(3.0, st.GetSlope());
    EXPECT_DOUBLE_EQ(52.0, st.GetIntercept());   // the line's value at the newest epoch
    EXPECT_EQ(15, st.GetEpochNumber());   // epoch 14 is done
}

TEST(TrendLine, DisturbedEpochsAreLeftOut)
{
    CSleepStaging st;
    st.Reset();
    // y = 2·(x + 14) + 4 except for two disturbed epochs (average 0): the line through the
    // other 13 points is still exactly slope 2, intercept 32.
    for (int e = 0; e < 15; ++e)
        Epoch(st, 2.0 * e + 4.0, e == 3 || e == 9 ? 2 : 0);
    EXPECT_DOUBLE_EQ(2.0, st.GetSlope());
    EXPECT_DOUBLE_EQ(32.0, st.GetIntercept());

    // One usable average among 15: no line.
    CSleepStaging single;
    single.Reset();
    for (int e = 0; e < 15; ++e)
        Epoch(single, 50.0, e == 7 ? 0 : 3);
    EXPECT_EQ(0.0, single.GetSlope());
    EXPECT_EQ(0.0, single.GetIntercept());
}

TEST(StateMachine, FallingAsleepAndWakingUp)
{
    // 20 epochs at 60, 20 at 20, then 60 again. A step of d at the newest k epochs gives a
    // slope of d·(7k - k(k-1)/2)/280: for d = -40, k = 1..5: -1, -1.857, -2.571, -3.143,
    // -3.571; the cumulative slope passes -10 at k = 5 (-12.14). Rising again by 40, the
    // intercept 20 + 40k/15 + 7·slope is 52.67 > 50 at k = 4 (cumulative 8.57).
    CSleepStaging st;
    st.Reset();
    std::vector<Expect> expected;
    for (int e = 0; e < 20; ++e)
        expected.push_back({S::Wake, S::Wake, 0});
    for (int k = 1; k <= 4; ++k)
        expected.push_back({S::WakeToSleep, S::Wake, k});
    expected.push_back({S::Sleep, S::Sleep, 5});
    for (int e = 25; e < 40; ++e)
        expected.push_back({S::Sleep, S::Sleep, 0});
    for (int k = 1; k <= 3; ++k)
        expected.push_back({S::SleepToWake, S::Sleep, k});
    expected.push_back({S::Wake, S::Wake, 4});
    for (int e = 44; e < 60; ++e)
        expected.push_back({S::Wake, S::Wake, 0});

    for (int e = 0; e < 60; ++e) {
        SCOPED_TRACE(e);
        Epoch(st, e < 20 || e >= 40 ? 60.0 : 20.0);
        ExpectState(st, expected[static_cast<std::size_t>(e)].provisional, expected[static_cast<std::size_t>(e)].final,
                    expected[static_cast<std::size_t>(e)].count);
        // The lists hold one state per epoch, the newest 14: a replaced pair leaves no trace.
        std::deque<S> provisional, final;
        for (int i = std::max(0, e - 13); i <= e; ++i) {
            provisional.push_back(expected[static_cast<std::size_t>(i)].provisional);
            final.push_back(expected[static_cast<std::size_t>(i)].final);
        }
        EXPECT_EQ(provisional, st.GetProvisionalStates());
        EXPECT_EQ(final, st.GetFinalStates());
        if (e == 20) {
            EXPECT_DOUBLE_EQ(-1.0, st.GetCumulativeSlope());
        }
        if (e == 24) {
            EXPECT_NEAR(-(7.0 + 13 + 18 + 22 + 25) * 40 / 280, st.GetCumulativeSlope(), 1e-12);
        }
        if (e == 43) {
            EXPECT_NEAR((7.0 + 13 + 18 + 22) * 40 / 280, st.GetCumulativeSlope(), 1e-12);
            EXPECT_NEAR(20.0 + 160.0 / 15 + 22.0, st.GetIntercept(), 1e-12);
        }
    }
}

TEST(StateMachine, TransitionsAtTheirThresholds)
{
    // Each case starts awake on 15 epochs at `high`, or asleep on a flat history (15 epochs
    // at `high`, then 15 at `low`), and adds its epochs. A change of d at the newest epoch
    // alone is a slope of d/40, so 8 gives exactly 0.2; +14 then -20 on a flat history is
    // (6·14 - 7·20)/280 = -0.2 exactly.
    struct Step {
        double y;
        int artifacts = 0;
    };
    struct Case {
        const char* what;
        bool asleep;
        double high, low;
        std::vector<Step> steps;
        S provisional, final;
        int count;
        double slope = std::nan("");       // checked when given
        double intercept = std::nan("");
    };
    const Case cases[] = {
        {"awake, slope exactly -0.2", false, 60, 0, {{52}}, S::Wake, S::Wake, 0, -0.2},
        {"awake, slope -0.225", false, 60, 0, {{51}}, S::WakeToSleep, S::Wake, 1, -0.225},
        {"asleep, slope exactly 0.2", true, 60, 20, {{28}}, S::Sleep, S::Sleep, 0, 0.2},
        {"asleep, slope 0.225", true, 60, 20, {{29}}, S::SleepToWake, S::Sleep, 1, 0.225},
        {"waking up, then exactly -0.2", true, 70, 30, {{44}, {10}}, S::Sleep, S::Sleep, 0, -0.2},
        {"falling asleep, then exactly 0.2", false, 60, 0, {{46}, {80}}, S::Wake, S::Wake, 0, 0.2},
        // 12 then 2 twice: the intercept 12 - 20/15 - 3.25 = 7.42 is below 10 while the
        // cumulative slope is only -0.71.
        {"falling asleep, intercept below 10", false, 12, 0, {{2}, {2}}, S::Sleep, S::Sleep, 2, -13.0 / 28,
         12.0 - 20.0 / 15 - 3.25},
        {"... with an artifact second", false, 12, 0, {{2}, {2, 1}}, S::WakeToSleep, S::Wake, 2},
        {"falling asleep, then disturbed", false, 60, 0, {{20}, {20, 2}}, S::Wake, S::Wake, 0},
        {"asleep, then disturbed", true, 60, 20, {{20, 2}}, S::SleepToWake, S::Sleep, 1},
        {"waking up, then disturbed", true, 60, 20, {{20, 2}, {20, 3}}, S::Wake, S::Wake, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CSleepStaging st;
        st.Reset();
        if (c.asleep)
            FallAsleep(st, c.high, c.low);
        else
            Epochs(st, 15, c.high);
        for (const Step& step : c.steps)
            Epoch(st, step.y, step.artifacts);
        ExpectState(st, c.provisional, c.final, c.count);
        if (!std::isnan(c.slope)) {
            EXPECT_NEAR(c.slope, st.GetSlope(), std::abs(c.slope) == 0.2 ? 0.0 : 1e-12);
        }
        if (!std::isnan(c.intercept)) {
            EXPECT_NEAR(c.intercept, st.GetIntercept(), 1e-12);
        }
        if (c.count == 0) {
            EXPECT_EQ(0.0, st.GetCumulativeSlope());
        }
        if (c.count == 1) {
            EXPECT_EQ(st.GetSlope(), st.GetCumulativeSlope());
        }
    }
}

TEST(StateMachine, ListsAndHistoriesStayBounded)
{
    CSleepStaging st;
    st.Reset();
    for (int e = 0; e < 100; ++e)
        Epoch(st, e % 30 < 15 ? 60.0 : 20.0);
    EXPECT_EQ(14u, st.GetProvisionalStates().size());
    EXPECT_EQ(14u, st.GetFinalStates().size());
    EXPECT_EQ(15u, st.GetAlphaBetaHistory().size());
    EXPECT_EQ(100, st.GetEpochNumber());
    for (const S s : st.GetFinalStates())
        EXPECT_TRUE(s == S::Wake || s == S::Sleep);
}
