#pragma once
// Menus made from a menu template (resources/MenuTables.h): popups, separators and command
// items in template order. Each command's action carries its id in data() and as its
// objectName, and is checkable where the template says so. Every popup shows a check mark
// only on a checked item (mainwindow/PlainMenuStyle.h).

#include <QString>

#include <functional>
#include <vector>

#include "resources/MenuTables.h"

class QAction;
class QMenu;

struct sMenuBuildHooks {
    // Makes a popup of depth 0 (on a menu bar, or in a menu that holds the template).
    std::function<QMenu*(const QString& caption)> addTopMenu;
    // Called for every popup made, at any depth.
    std::function<void(QMenu* menu)> menuMade;
    // Called for every command item made.
    std::function<void(QAction* action, int id)> commandMade;
};

void BuildMenusFromTemplate(const std::vector<sMenuItemTemplate>& items, const sMenuBuildHooks& hooks);
