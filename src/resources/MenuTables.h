#pragma once
// The menu bar of the main window and the graphs' context menu as data: every popup,
// caption, separator and command id in menu order, plus the tables of the time-range and
// voltage commands that both menus share.

#include <array>
#include <vector>

// One fixed time range: the command of the menu bar, the command of the context menu, the
// caption and the range in seconds (0 for "ALL", the whole reviewed file).
struct sTimeRangeCommand {
    int mainId;
    int contextId;
    const char* caption;
    int seconds;
};
inline constexpr int kTimeRangeCommandCount = 16;
extern const std::array<sTimeRangeCommand, kTimeRangeCommandCount> kTimeRangeCommands;

// One voltage range (± value µV): the EEG and EMG commands of the menu bar (0 where the
// EEG list has no such item) and the command of the context menu.
struct sVoltageCommand {
    int eegId;
    int emgId;
    int contextId;
    const char* caption;
    int microvolts;
};
inline constexpr int kVoltageCommandCount = 11;
extern const std::array<sVoltageCommand, kVoltageCommandCount> kVoltageCommands;

enum class eMenuItemKind { Popup, Command, Separator };

// One item of a menu template. Items follow each other in menu order; depth 0 is the menu
// bar itself, and the items after a popup with a greater depth are that popup's content.
struct sMenuItemTemplate {
    int depth;
    eMenuItemKind kind;
    int id;                // command id; 0 for popups and separators
    const char* caption;   // UTF-8; empty for separators
    bool checkable;        // the item can carry a check mark
};

// The menu bar of the main window.
const std::vector<sMenuItemTemplate>& MainMenuTemplate();
// The graphs' context menu: the popup "表示" with its two sub-popups.
const std::vector<sMenuItemTemplate>& GraphContextMenuTemplate();
