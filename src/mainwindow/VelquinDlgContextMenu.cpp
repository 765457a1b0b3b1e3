// The graphs' context menu: a right press on the EEG or EMG graph chooses that graph as the
// target of the menu's voltage commands and opens the menu "表示" with the time ranges and
// the voltage ranges, greyed and checked for the window's state. The chosen command goes
// through the same routing as the menu bar's.
#include <QAction>
#include <QHash>
#include <QMenu>

#include "mainwindow/MenuBuilder.h"
#include "mainwindow/MenuStates.h"
#include "mainwindow/VelquinDlg.h"
#include "resources/MenuTables.h"

void CVelquinDlg::OnRButtonDown(const QPoint& point)
{
    // The graphs take no mouse input themselves. A press counts on a graph that is shown and
    // whose rectangle holds the point (a point on its right or bottom edge lies outside).
    const std::pair<CRealTimeGraph*, bool> graphs[2] = {{m_graphEeg, true}, {m_graphEmg, false}};
    for (const auto& [graph, eeg] : graphs) {
        if (!graph->isVisible() || !graph->geometry().contains(point))
            continue;
        // In review the cursor first goes to the press, as a left click puts it.
        if (IsReviewMode())
            PlaceReviewCursor(graph, point);
        m_nMenuTargetA = eeg ? 1 : 0;
        m_nMenuTargetB = eeg ? 0 : 1;
        ShowGraphContextMenu(eeg, point);
    }
}

void CVelquinDlg::ShowGraphContextMenu(bool eegGraph, const QPoint& point)
{
    // The menu is made afresh each time, so nothing carries over from an earlier one.
    QMenu loaded(this);
    QHash<int, QAction*> items;
    BuildMenusFromTemplate(
        GraphContextMenuTemplate(),
        {[&loaded](const QString& caption) { return loaded.addMenu(caption); },
         [this](QMenu* menu) { connect(menu, &QMenu::aboutToShow, this, &CVelquinDlg::OnMenuSelect); },
         [&items](QAction* action, int id) { items.insert(id, action); }});

    const auto times = TimeRangeItemStates(IsReviewMode(), m_nReviewSeconds, m_nTimeRange);
    for (size_t i = 0; i < times.size(); ++i) {
        QAction* action = items.value(kTimeRangeCommands[i].contextId);
        action->setEnabled(times[i].enabled);
        action->setChecked(times[i].checked);
    }
    const auto volts = eegGraph ? VoltageItemStates(m_nEegYMax, true) : VoltageItemStates(m_nEmgYMax, false);
    for (size_t i = 0; i < volts.size(); ++i) {
        QAction* action = items.value(kVoltageCommands[i].contextId);
        action->setEnabled(volts[i].enabled);
        action->setChecked(volts[i].checked);
    }

    QMenu* shown = loaded.actions().constFirst()->menu();
    QAction* chosen = m_services.trackPopupMenu(*shown, m_clientArea->mapToGlobal(point));
    const int id = chosen ? chosen->data().toInt() : 0;
    if (id != 0)
        OnCommand(id);
}
