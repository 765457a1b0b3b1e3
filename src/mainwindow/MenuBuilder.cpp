#include "mainwindow/MenuBuilder.h"

#include <QAction>
#include <QMenu>

#include "mainwindow/PlainMenuStyle.h"

void BuildMenusFromTemplate(const std::vector<sMenuItemTemplate>& items, const sMenuBuildHooks& hooks)
{
    // popups[d] is the menu that takes the items of depth d + 1.
    std::vector<QMenu*> popups;
    for (const sMenuItemTemplate& item : items) {
        const QString caption = QString::fromUtf8(item.caption);
        popups.resize(static_cast<size_t>(item.depth));
        QMenu* owner = item.depth > 0 ? popups.back() : nullptr;
        switch (item.kind) {
        case eMenuItemKind::Popup: {
            QMenu* menu = owner ? owner->addMenu(caption) : hooks.addTopMenu(caption);
            menu->setStyle(PlainMenuStyle());
            if (hooks.menuMade)
                hooks.menuMade(menu);
            popups.push_back(menu);
            break;
        }
        case eMenuItemKind::Separator:
            owner->addSeparator()->setData(0);
            break;
        case eMenuItemKind::Command: {
            QAction* action = owner->addAction(caption);
            action->setData(item.id);
            action->setObjectName(QString::number(item.id));
            action->setCheckable(item.checkable);
            if (hooks.commandMade)
                hooks.commandMade(action, item.id);
            break;
        }
        }
    }
}
