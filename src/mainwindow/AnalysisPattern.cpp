#include "mainwindow/AnalysisPattern.h"

#include <array>
#include <cstddef>

namespace {

// Each run of the pattern: its last epoch and its code. Epochs after the last run are Wake.
struct sStageRun {
    int lastEpoch;
    std::int32_t code;
};

constexpr std::array<sStageRun, 13> kRuns = {{
    {28, 4},  {67, 2},  {100, 1}, {120, 2}, {164, 3}, {201, 2}, {253, 1},
    {286, 2}, {311, 3}, {386, 2}, {400, 1}, {435, 2}, {487, 3},
}};
constexpr std::int32_t kAfterPattern = 4;

}  // namespace

std::vector<std::int32_t> AnalysisStagePattern(int epochs)
{
    std::vector<std::int32_t> codes;
    if (epochs < 1)
        return codes;
    codes.reserve(static_cast<std::size_t>(epochs));
    std::size_t run = 0;
    for (int i = 0; i < epochs; ++i) {
        while (run < kRuns.size() && i > kRuns[run].lastEpoch)
            ++run;
        codes.push_back(run < kRuns.size() ? kRuns[run].code : kAfterPattern);
    }
    return codes;
}
