// The menu bar, built from its template, and the routing of every button and command to
// its handler (the window's message map). A later handler is one more row in CommandRoutes.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

#include "mainwindow/VelquinDlg.h"
#include "resources/MenuTables.h"
#include "resources/ResourceIds.h"

struct CVelquinDlg::sCommandRoute {
    int id;
    void (CVelquinDlg::*handler)();
};

const std::vector<CVelquinDlg::sCommandRoute>& CVelquinDlg::CommandRoutes()
{
    static const std::vector<sCommandRoute> routes = {
        {kIdStart, &CVelquinDlg::OnBnClickedStart},
        {kIdStop, &CVelquinDlg::OnBnClickedStop},
        {kIdBackToRealTime, &CVelquinDlg::OnBnClickedBackToRealTime},
        {kIdCheckEeg, &CVelquinDlg::OnBnClickedGraphCheck},
        {kIdCheckEmg, &CVelquinDlg::OnBnClickedGraphCheck},
        {kIdCheckEegFft, &CVelquinDlg::OnBnClickedGraphCheck},
        {kIdCheckAnalysis, &CVelquinDlg::OnBnClickedGraphCheck},
        {kCommandViewEegGraph, &CVelquinDlg::OnViewEegGraph},
        {kCommandViewEmgGraph, &CVelquinDlg::OnViewEmgGraph},
        {kCommandViewEegFft, &CVelquinDlg::OnViewEegFft},
        {kCommandCardInfo, &CVelquinDlg::OnCommand32855},
        // Review.
        {kIdOpenEdf, &CVelquinDlg::OnBnClickedOpenEdf},
        {kCommandOpenEdf, &CVelquinDlg::OnBnClickedOpenEdf},
        {kIdLeft, &CVelquinDlg::OnBnClickedLeft},
        {kIdRight, &CVelquinDlg::OnBnClickedRight},
    };
    return routes;
}

void CVelquinDlg::OnCommand(int id)
{
    if (m_bClosing)
        return;
    const auto& routes = CommandRoutes();
    const auto route = std::find_if(routes.begin(), routes.end(),
                                    [id](const sCommandRoute& r) { return r.id == id; });
    if (route != routes.end()) {
        (this->*(route->handler))();
        return;
    }
    // The time-range and voltage commands of both menus, from their tables.
    if (!OnTimeRangeCommand(id))
        OnVoltageCommand(id);
}

void CVelquinDlg::BuildMenuBar()
{
    // popups[d] is the menu that takes the items of depth d + 1.
    std::vector<QMenu*> popups;
    QMenuBar* bar = menuBar();
    for (const sMenuItemTemplate& item : MainMenuTemplate()) {
        const QString caption = QString::fromUtf8(item.caption);
        popups.resize(static_cast<size_t>(item.depth));
        QMenu* owner = item.depth > 0 ? popups.back() : nullptr;
        switch (item.kind) {
        case eMenuItemKind::Popup: {
            QMenu* menu = owner ? owner->addMenu(caption) : bar->addMenu(caption);
            connect(menu, &QMenu::aboutToShow, this, &CVelquinDlg::OnMenuSelect);
            popups.push_back(menu);
            break;
        }
        case eMenuItemKind::Separator: {
            QAction* separator = owner->addSeparator();
            separator->setData(0);
            break;
        }
        case eMenuItemKind::Command: {
            QAction* action = owner->addAction(caption);
            const int id = item.id;
            action->setData(id);
            action->setObjectName(QString::number(id));
            action->setCheckable(item.checkable);
            // Check marks belong to the handlers, as on the original's menus: the mark Qt
            // flips on a click is put back before the command runs.
            connect(action, &QAction::triggered, this, [this, action, id](bool checked) {
                if (action->isCheckable())
                    action->setChecked(!checked);
                OnCommand(id);
            });
            m_commands.insert(id, action);
            break;
        }
        }
    }

    // The memory-card command has a handler but no menu item.
    auto* card = new QAction(this);
    card->setData(kCommandCardInfo);
    card->setObjectName(QString::number(kCommandCardInfo));
    connect(card, &QAction::triggered, this, [this] { OnCommand(kCommandCardInfo); });
    m_commands.insert(kCommandCardInfo, card);
}

// Runs whenever a menu opens: the view marks follow the display check boxes.
void CVelquinDlg::OnMenuSelect()
{
    const std::pair<int, QCheckBox*> views[] = {
        {kCommandViewEegGraph, m_chkEeg}, {kCommandViewEmgGraph, m_chkEmg}, {kCommandViewEegFft, m_chkEegFft}};
    for (const auto& [id, box] : views)
        if (QAction* action = CommandAction(id))
            action->setChecked(box->isChecked());
}

void CVelquinDlg::EnableCommand(int id, bool enable)
{
    if (QAction* action = CommandAction(id))
        action->setEnabled(enable);
}
