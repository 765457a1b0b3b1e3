#pragma once
// The per-second and per-epoch state of the sleep/wake scoring: band powers of the four
// seconds of an epoch with the artifact rule, the epoch averages, a trend line through the
// alpha+beta averages of the last 15 epochs, and the four-state machine that turns slope
// and intercept into a provisional and a final state. No files and no spectrum here.

#include "analysis/BandPowers.h"

#include <array>
#include <deque>

enum class eSleepState { Wake, WakeToSleep, Sleep, SleepToWake };

// "Wake", "WakeToSleep", "Sleep" or "SleepToWake", as written to the result files.
const char16_t* SleepStateText(eSleepState state);

class CSleepStaging {
public:
    static constexpr int kSecondsPerEpoch = 4;
    static constexpr int kTrendEpochs = 15;       // averages kept and fitted by the trend line
    static constexpr int kStateListLength = 14;   // provisional and final states kept
    static constexpr double kArtifactTotal = 500.0;   // a second whose four bands reach this is an artifact
    static constexpr double kArtifactBeta = 100.0;    // ... or whose beta reaches this

    // Back to the first second of epoch 0 with empty histories and state lists. Slope,
    // intercept, transition count and cumulative slope are left for the first epoch to set.
    void Reset();

    // Stores one second's band powers at the current second of the epoch, applying the
    // artifact rule to give its cleaned values.
    void StoreSecond(const sBandPowers& raw);
    // True when the second stored last is the epoch's fourth: the epoch is then averaged,
    // classified and written before AdvanceSecond.
    bool IsEpochComplete() const { return m_secondInEpoch == kSecondsPerEpoch - 1; }
    // Appends the epoch's delta, theta, alpha, beta and alpha+beta averages to the histories.
    void ComputeEpochAverages();
    // Fits the trend line (from epoch 14 on) and moves the state machine by one epoch.
    void ClassifyEpoch();
    // Moves to the next second; after the fourth, to the first second of the next epoch.
    void AdvanceSecond();

    int GetEpochNumber() const { return m_epochNumber; }
    int GetSecondInEpoch() const { return m_secondInEpoch; }
    int GetArtifactSeconds() const { return m_artifactSeconds; }
    const sBandPowers& GetRawBands(int second) const { return m_raw[static_cast<std::size_t>(second)]; }
    const sBandPowers& GetCleanedBands(int second) const { return m_cleaned[static_cast<std::size_t>(second)]; }
    // The newest epoch averages (0 before the first epoch).
    sBandPowers GetAverages() const;
    double GetAlphaBetaAverage() const { return m_alphaBetaHistory.empty() ? 0.0 : m_alphaBetaHistory.back(); }
    const std::deque<double>& GetAlphaBetaHistory() const { return m_alphaBetaHistory; }
    const std::deque<eSleepState>& GetProvisionalStates() const { return m_provisional; }
    const std::deque<eSleepState>& GetFinalStates() const { return m_final; }
    int IsSleeping() const { return m_sleeping; }
    double GetSlope() const { return m_slope; }
    double GetIntercept() const { return m_intercept; }
    int GetTransitionCount() const { return m_transitionCount; }
    double GetCumulativeSlope() const { return m_cumulativeSlope; }

private:
    void FitTrendLine();
    void AppendStates(eSleepState provisional, eSleepState final);
    void ReplaceStates(eSleepState provisional, eSleepState final);
    static void PushCapped(std::deque<double>& history, double value);

    int m_epochNumber = 0;
    int m_secondInEpoch = 0;
    std::array<sBandPowers, kSecondsPerEpoch> m_raw{};
    std::array<sBandPowers, kSecondsPerEpoch> m_cleaned{};
    int m_artifactSeconds = 0;
    std::deque<double> m_deltaHistory;
    std::deque<double> m_thetaHistory;
    std::deque<double> m_alphaHistory;
    std::deque<double> m_betaHistory;
    std::deque<double> m_alphaBetaHistory;
    std::deque<eSleepState> m_provisional;
    std::deque<eSleepState> m_final;
    int m_sleeping = 0;
    double m_slope = 0.0;
    double m_intercept = 0.0;
    int m_transitionCount = 0;
    double m_cumulativeSlope = 0.0;
};
