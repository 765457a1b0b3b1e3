#pragma once
// Which time-range and voltage items of the menus are enabled and checked, from the window's
// state. The menu bar's refresh and the graphs' context menu both use these rules; the items
// are those of the tables in resources/MenuTables.h, in table order.

#include <array>

#include "resources/MenuTables.h"

struct sMenuItemState {
    bool enabled = true;
    bool checked = false;
};

// Real time offers the ranges up to this many seconds.
inline constexpr int kLongestRealTimeRange = 120;

// The sixteen time ranges. In review a fixed range is offered when it is shorter than the
// file, and "ALL" always; elsewhere the fixed ranges up to two minutes. The fixed range equal
// to the shown range is checked, and "ALL" when the shown range equals the file's length
// (so both carry a mark when they are the same).
std::array<sMenuItemState, kTimeRangeCommandCount> TimeRangeItemStates(bool review, int reviewSeconds,
                                                                       int timeRange);

// The eleven voltage ranges of a graph showing ±yMax µV: that value checked. With
// eegOnly the values the EEG graph does not offer are greyed.
std::array<sMenuItemState, kVoltageCommandCount> VoltageItemStates(int yMax, bool eegOnly);
