#include "mainwindow/MenuStates.h"

#include <cstddef>

std::array<sMenuItemState, kTimeRangeCommandCount> TimeRangeItemStates(bool review, int reviewSeconds,
                                                                       int timeRange)
{
    std::array<sMenuItemState, kTimeRangeCommandCount> states{};
    for (std::size_t i = 0; i < states.size(); ++i) {
        const int seconds = kTimeRangeCommands[i].seconds;
        if (seconds == 0) {  // "ALL"
            states[i].enabled = review;
            states[i].checked = timeRange == reviewSeconds;
        } else {
            states[i].enabled = review ? seconds < reviewSeconds : seconds <= kLongestRealTimeRange;
            states[i].checked = timeRange == seconds;
        }
    }
    return states;
}

std::array<sMenuItemState, kVoltageCommandCount> VoltageItemStates(int yMax, bool eegOnly)
{
    std::array<sMenuItemState, kVoltageCommandCount> states{};
    for (std::size_t i = 0; i < states.size(); ++i)
        states[i] = {!eegOnly || kVoltageCommands[i].eegId != 0, kVoltageCommands[i].microvolts == yMax};
    return states;
}
