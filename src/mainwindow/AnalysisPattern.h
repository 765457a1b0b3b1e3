#pragma once
// The fixed sleep-stage pattern that the analysis view shows: one stage code per 30-second
// epoch (4 Wake, 3 REM, 2 Light, 1 Deep), the same for every file. It is not a scoring of
// the recording.

#include <cstdint>
#include <vector>

inline constexpr int kAnalysisEpochSeconds = 30;

// The codes of epochs 0 .. epochs − 1; none for a count below 1.
std::vector<std::int32_t> AnalysisStagePattern(int epochs);
