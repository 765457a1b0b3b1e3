#pragma once
// Menus as lines of text, for comparing whole menu trees with tables written by hand:
//   "表示 >"                 a popup (its items follow, indented)
//   "  2秒 #32787"           an enabled, unchecked command
//   "  30秒 #32791 grey ✓"   a greyed, checked command
//   "  --"                   a separator

#include <QAction>
#include <QMenu>
#include <QString>

#include <string>
#include <vector>

inline void DumpMenuActions(const QList<QAction*>& actions, int depth, std::vector<std::string>& out)
{
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    for (QAction* a : actions) {
        if (a->isSeparator()) {
            out.push_back(indent + "--");
            continue;
        }
        std::string line = indent + a->text().toStdString();
        if (a->menu()) {
            out.push_back(line + (a->isEnabled() ? " >" : " > grey"));
            DumpMenuActions(a->menu()->actions(), depth + 1, out);
            continue;
        }
        line += " #" + std::to_string(a->data().toInt());
        if (!a->isEnabled())
            line += " grey";
        if (a->isChecked())
            line += " ✓";
        out.push_back(line);
    }
}

inline std::vector<std::string> DumpMenu(const QList<QAction*>& actions)
{
    std::vector<std::string> out;
    DumpMenuActions(actions, 0, out);
    return out;
}

// The items of one list of commands with their states: enabled is a string of 'E' (enabled)
// and 'g' (greyed), checked a string of 'x' (checked) and '.', one character per item.
inline void AppendItems(std::vector<std::string>& out, int depth, const std::vector<const char*>& captions,
                        const std::vector<int>& ids, const char* enabled, const char* checked)
{
    const std::string indent(static_cast<size_t>(depth) * 2, ' ');
    for (size_t i = 0; i < captions.size(); ++i) {
        std::string line = indent + captions[i] + " #" + std::to_string(ids[i]);
        if (enabled[i] == 'g')
            line += " grey";
        if (checked[i] == 'x')
            line += " ✓";
        out.push_back(line);
    }
}

inline const std::vector<const char*> kTimeCaptions = {"2秒", "5秒", "10秒", "15秒", "30秒", "1分", "2分", "5分",
                                                       "10分", "15分", "30分", "1時間", "2時間", "3時間", "4時間", "ALL"};
inline const std::vector<const char*> kVoltCaptions = {"±10μV", "±20μV", "±30μV", "±50μV", "±100μV", "±200μV",
                                                       "±300μV", "±500μV", "±1000μV", "±10000μV", "±20000μV"};
inline const std::vector<int> kMainTimeIds = {32787, 32788, 32789, 32790, 32791, 32792, 32793, 32794,
                                              32795, 32796, 32797, 32798, 32799, 32800, 32802, 32803};
inline const std::vector<int> kContextTimeIds = {32821, 32822, 32823, 32824, 32826, 32827, 32828, 32829,
                                                 32830, 32831, 32832, 32833, 32834, 32835, 32836, 32837};
inline const std::vector<int> kEegVoltIds = {32805, 32806, 32847, 32807, 32808, 32809, 32810, 32811, 32812};
inline const std::vector<int> kEmgVoltIds = {32813, 32814, 32848, 32815, 32816, 32817, 32818, 32819, 32820, 32858, 32860};
inline const std::vector<int> kContextVoltIds = {32838, 32839, 32840, 32841, 32842, 32843, 32844, 32845, 32846, 32862, 32863};
