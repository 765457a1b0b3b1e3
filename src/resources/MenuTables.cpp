#include "resources/MenuTables.h"

#include "resources/ResourceIds.h"

const std::array<sTimeRangeCommand, kTimeRangeCommandCount> kTimeRangeCommands = {{
    {32787, 32821, "2秒", 2},
    {32788, 32822, "5秒", 5},
    {32789, 32823, "10秒", 10},
    {32790, 32824, "15秒", 15},
    {32791, 32826, "30秒", 30},
    {32792, 32827, "1分", 60},
    {32793, 32828, "2分", 120},
    {32794, 32829, "5分", 300},
    {32795, 32830, "10分", 600},
    {32796, 32831, "15分", 900},
    {32797, 32832, "30分", 1800},
    {32798, 32833, "1時間", 3600},
    {32799, 32834, "2時間", 7200},
    {32800, 32835, "3時間", 10800},
    {32802, 32836, "4時間", 14400},
    {32803, 32837, "ALL", 0},
}};

// The ids of a list are not consecutive ("±30μV" came later and got 32847/32848).
const std::array<sVoltageCommand, kVoltageCommandCount> kVoltageCommands = {{
    {32805, 32813, 32838, "±10μV", 10},
    {32806, 32814, 32839, "±20μV", 20},
    {32847, 32848, 32840, "±30μV", 30},
    {32807, 32815, 32841, "±50μV", 50},
    {32808, 32816, 32842, "±100μV", 100},
    {32809, 32817, 32843, "±200μV", 200},
    {32810, 32818, 32844, "±300μV", 300},
    {32811, 32819, 32845, "±500μV", 500},
    {32812, 32820, 32846, "±1000μV", 1000},
    {0, 32858, 32862, "±10000μV", 10000},
    {0, 32860, 32863, "±20000μV", 20000},
}};

namespace {

using Items = std::vector<sMenuItemTemplate>;

void AddPopup(Items& items, int depth, const char* caption)
{
    items.push_back({depth, eMenuItemKind::Popup, 0, caption, false});
}

void AddCommand(Items& items, int depth, int id, const char* caption, bool checkable = false)
{
    items.push_back({depth, eMenuItemKind::Command, id, caption, checkable});
}

void AddSeparator(Items& items, int depth)
{
    items.push_back({depth, eMenuItemKind::Separator, 0, "", false});
}

void AddTimeRanges(Items& items, int depth, bool context)
{
    for (const sTimeRangeCommand& c : kTimeRangeCommands)
        AddCommand(items, depth, context ? c.contextId : c.mainId, c.caption, true);
}

Items BuildMainMenu()
{
    Items m;
    AddPopup(m, 0, "ファイル");
    AddCommand(m, 1, kCommandOpenEdf, "EDFファイルオープン...");
    AddCommand(m, 1, kCommandSavedFileSetting, "保存ファイル設定...");

    AddPopup(m, 0, "表示");
    AddPopup(m, 1, "表示グラフ");
    AddCommand(m, 2, kCommandViewEegGraph, "脳波グラフ", true);
    AddCommand(m, 2, kCommandViewEmgGraph, "筋電グラフ", true);
    AddCommand(m, 2, kCommandViewEegFft, "脳波FFT", true);
    AddSeparator(m, 1);
    AddPopup(m, 1, "時間範囲設定");
    AddTimeRanges(m, 2, false);
    AddPopup(m, 1, "電圧範囲設定(脳波)");
    for (const sVoltageCommand& c : kVoltageCommands)
        if (c.eegId != 0)
            AddCommand(m, 2, c.eegId, c.caption, true);
    AddPopup(m, 1, "電圧範囲設定(筋電)");
    for (const sVoltageCommand& c : kVoltageCommands)
        AddCommand(m, 2, c.emgId, c.caption, true);
    AddSeparator(m, 1);
    AddCommand(m, 1, kCommandFftSetting, "FFT設定...");

    AddPopup(m, 0, "通信");
    AddCommand(m, 1, kCommandCommunicationSetting, "通信設定...");
    AddCommand(m, 1, kCommandReceiverSetting, "受信機情報設定");

    AddPopup(m, 0, "ヘルプ");
    AddCommand(m, 1, kCommandAppAbout, "バージョン情報");
    return m;
}

Items BuildContextMenu()
{
    Items m;
    AddPopup(m, 0, "表示");
    AddPopup(m, 1, "時間範囲設定");
    AddTimeRanges(m, 2, true);
    AddPopup(m, 1, "電圧範囲設定");
    for (const sVoltageCommand& c : kVoltageCommands)
        AddCommand(m, 2, c.contextId, c.caption, true);
    return m;
}

}  // namespace

const std::vector<sMenuItemTemplate>& MainMenuTemplate()
{
    static const Items items = BuildMainMenu();
    return items;
}

const std::vector<sMenuItemTemplate>& GraphContextMenuTemplate()
{
    static const Items items = BuildContextMenu();
    return items;
}
