#include "analysis/SleepStaging.h"

namespace {

// The state machine's thresholds (band powers in µV², slopes in µV² per epoch).
constexpr double kSlopeThreshold = 0.2;
constexpr double kCumulativeThreshold = 10.0;
constexpr double kSleepIntercept = 10.0;
constexpr double kWakeIntercept = 50.0;
constexpr int kArtifactLimit = 2;   // epochs with this many artifact seconds count as disturbed

} // namespace

const char16_t* SleepStateText(eSleepState state)
{
    switch (state) {
    case eSleepState::Wake: return u"Wake";
    case eSleepState::WakeToSleep: return u"WakeToSleep";
    case eSleepState::Sleep: return u"Sleep";
    case eSleepState::SleepToWake: return u"SleepToWake";
    }
    return u"";
}

void CSleepStaging::Reset()
{
    m_epochNumber = 0;
    m_secondInEpoch = 0;
    m_artifactSeconds = 0;
    m_raw = {};
    m_cleaned = {};
    for (auto* history : {&m_deltaHistory, &m_thetaHistory, &m_alphaHistory, &m_betaHistory, &m_alphaBetaHistory})
        history->clear();
    m_provisional.clear();
    m_final.clear();
    m_sleeping = 0;
}

void CSleepStaging::StoreSecond(const sBandPowers& raw)
{
    const auto second = static_cast<std::size_t>(m_secondInEpoch);
    const double total = raw.delta + raw.theta + raw.alpha + raw.beta;
    const bool artifact = total >= kArtifactTotal || raw.beta >= kArtifactBeta;
    m_raw[second] = raw;
    m_cleaned[second] = artifact ? sBandPowers{} : raw;
    if (artifact)
        ++m_artifactSeconds;
}

void CSleepStaging::AdvanceSecond()
{
    if (++m_secondInEpoch < kSecondsPerEpoch)
        return;
    ++m_epochNumber;
    m_secondInEpoch = 0;
    m_artifactSeconds = 0;
    m_raw = {};
    m_cleaned = {};
}

void CSleepStaging::PushCapped(std::deque<double>& history, double value)
{
    history.push_back(value);
    while (history.size() > static_cast<std::size_t>(kTrendEpochs))
        history.pop_front();
}

void CSleepStaging::ComputeEpochAverages()
{
    // A second whose cleaned delta is exactly 0 (an artifact, or a second of zeros) adds
    // nothing, yet only artifact seconds leave the divisor.
    sBandPowers sum;
    for (const sBandPowers& second : m_cleaned) {
        if (second.delta == 0.0)
            continue;
        sum.delta += second.delta;
        sum.theta += second.theta;
        sum.alpha += second.alpha;
        sum.beta += second.beta;
    }
    sBandPowers average;
    if (m_artifactSeconds < kArtifactLimit) {
        const int divisor = kSecondsPerEpoch - m_artifactSeconds;
        average.delta = sum.delta / divisor;
        average.theta = sum.theta / divisor;
        average.alpha = sum.alpha / divisor;
        average.beta = sum.beta / divisor;
    }
    PushCapped(m_deltaHistory, average.delta);
    PushCapped(m_thetaHistory, average.theta);
    PushCapped(m_alphaHistory, average.alpha);
    PushCapped(m_betaHistory, average.beta);
    PushCapped(m_alphaBetaHistory, average.alpha + average.beta);
}

sBandPowers CSleepStaging::GetAverages() const
{
    sBandPowers average;
    if (!m_deltaHistory.empty()) {
        average.delta = m_deltaHistory.back();
        average.theta = m_thetaHistory.back();
        average.alpha = m_alphaHistory.back();
        average.beta = m_betaHistory.back();
    }
    return average;
}

void CSleepStaging::FitTrendLine()
{
    // Least squares through the alpha+beta averages with x = 0 at the newest epoch and
    // x = -14 at the oldest; averages of 0 (disturbed epochs) are left out.
    double n = 0.0, sx = 0.0, sxx = 0.0, sy = 0.0, sxy = 0.0;
    const int newest = static_cast<int>(m_alphaBetaHistory.size()) - 1;
    for (int i = 0; i <= newest; ++i) {
        const double y = m_alphaBetaHistory[static_cast<std::size_t>(i)];
        if (y == 0.0)
            continue;
        const double x = i - newest;
        n += 1.0;
        sx += x;
        sxx += x * x;
        sy += y;
        sxy += x * y;
    }
    const double d = sx * sx - n * sxx;
    if (d == 0.0) {
        m_slope = 0.0;
        m_intercept = 0.0;
        return;
    }
    m_slope = (sx * sy - n * sxy) / d;
    m_intercept = (sx * sxy - sxx * sy) / d;
}

void CSleepStaging::AppendStates(eSleepState provisional, eSleepState final)
{
    m_provisional.push_back(provisional);
    m_final.push_back(final);
    while (m_provisional.size() > static_cast<std::size_t>(kStateListLength))
        m_provisional.pop_front();
    while (m_final.size() > static_cast<std::size_t>(kStateListLength))
        m_final.pop_front();
}

void CSleepStaging::ReplaceStates(eSleepState provisional, eSleepState final)
{
    m_provisional.back() = provisional;
    m_final.back() = final;
}

void CSleepStaging::ClassifyEpoch()
{
    const int artifacts = m_artifactSeconds;
    if (m_epochNumber < kTrendEpochs - 1 || m_provisional.empty()) {
        // The first trend line needs 15 epoch averages; until then the subject is awake.
        AppendStates(eSleepState::Wake, eSleepState::Wake);
        m_slope = 0.0;
        m_intercept = 0.0;
        m_transitionCount = 0;
        m_cumulativeSlope = 0.0;
    } else {
        FitTrendLine();
        auto startTransition = [this](eSleepState provisional, eSleepState final) {
            AppendStates(provisional, final);
            m_transitionCount = 1;
            m_cumulativeSlope = m_slope;
        };
        auto continueTransition = [this](eSleepState provisional, eSleepState final) {
            AppendStates(provisional, final);
            ++m_transitionCount;
            m_cumulativeSlope += m_slope;
        };
        auto settle = [this](eSleepState state) {
            AppendStates(state, state);
            m_transitionCount = 0;
            m_cumulativeSlope = 0.0;
        };

        switch (m_provisional.back()) {
        case eSleepState::Wake:
            if (m_slope < -kSlopeThreshold)
                startTransition(eSleepState::WakeToSleep, eSleepState::Wake);
            else
                settle(eSleepState::Wake);
            break;
        case eSleepState::WakeToSleep:
            if (m_slope < kSlopeThreshold && artifacts < kArtifactLimit) {
                continueTransition(eSleepState::WakeToSleep, eSleepState::Wake);
                if ((m_cumulativeSlope < -kCumulativeThreshold || m_intercept < kSleepIntercept) && artifacts == 0)
                    ReplaceStates(eSleepState::Sleep, eSleepState::Sleep);
            } else {
                settle(eSleepState::Wake);
            }
            break;
        case eSleepState::Sleep:
            if (m_slope > kSlopeThreshold || artifacts >= kArtifactLimit)
                startTransition(eSleepState::SleepToWake, eSleepState::Sleep);
            else
                settle(eSleepState::Sleep);
            break;
        case eSleepState::SleepToWake:
            if (m_slope > -kSlopeThreshold || artifacts >= kArtifactLimit) {
                continueTransition(eSleepState::SleepToWake, eSleepState::Sleep);
                if (m_cumulativeSlope > kCumulativeThreshold || m_intercept > kWakeIntercept
                    || artifacts >= kArtifactLimit)
                    ReplaceStates(eSleepState::Wake, eSleepState::Wake);
            } else {
                settle(eSleepState::Sleep);
            }
            break;
        }
    }
    m_sleeping = m_final.back() == eSleepState::Sleep ? 1 : 0;
}
