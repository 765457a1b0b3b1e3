// The menu bar, built from its template, its refresh whenever a menu opens, the routing of
// every button and command to its handler (the window's message map; a later handler is one
// more row in CommandRoutes), and the commands that open the settings dialogs and the About box.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

#include "mainwindow/MenuBuilder.h"
#include "mainwindow/MenuStates.h"
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
        // The analysis view and the settings dialogs.
        {kIdAnalysisStart, &CVelquinDlg::OnBnClickedAnalysisStart},
        {kIdAnalysisSave, &CVelquinDlg::OnBnClickedAnalysisSave},
        {kCommandSavedFileSetting, &CVelquinDlg::OnSavedFileSetting},
        {kCommandFftSetting, &CVelquinDlg::OnFftSetting},
        {kCommandCommunicationSetting, &CVelquinDlg::OnCommunicationSetting},
        {kCommandReceiverSetting, &CVelquinDlg::OnReceiverSetting},
        {kCommandAppAbout, &CVelquinDlg::OnAppAbout},
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
    QMenuBar* bar = menuBar();
    BuildMenusFromTemplate(
        MainMenuTemplate(),
        {[bar](const QString& caption) { return bar->addMenu(caption); },
         [this](QMenu* menu) { connect(menu, &QMenu::aboutToShow, this, &CVelquinDlg::OnMenuSelect); },
         [this](QAction* action, int id) {
             // Check marks belong to the handlers and the refresh, as on Windows
             // menus: the mark Qt flips on a click is put back before the command runs.
             connect(action, &QAction::triggered, this, [this, action, id](bool checked) {
                 if (action->isCheckable())
                     action->setChecked(!checked);
                 OnCommand(id);
             });
             m_commands.insert(id, action);
         }});

    // The memory-card command has a handler but no menu item.
    auto* card = new QAction(this);
    card->setData(kCommandCardInfo);
    card->setObjectName(QString::number(kCommandCardInfo));
    connect(card, &QAction::triggered, this, [this] { OnCommand(kCommandCardInfo); });
    m_commands.insert(kCommandCardInfo, card);
}

// Runs whenever a menu opens, the context menu's included, and works on the menu bar: view
// marks from the display check boxes, the time ranges offered and marked, the voltage marks.
void CVelquinDlg::OnMenuSelect()
{
    const std::pair<int, QCheckBox*> views[] = {
        {kCommandViewEegGraph, m_chkEeg}, {kCommandViewEmgGraph, m_chkEmg}, {kCommandViewEegFft, m_chkEegFft}};
    for (const auto& [id, box] : views)
        if (QAction* action = CommandAction(id))
            action->setChecked(box->isChecked());

    const auto times = TimeRangeItemStates(IsReviewMode(), m_nReviewSeconds, m_nTimeRange);
    for (size_t i = 0; i < times.size(); ++i)
        EnableCommand(kTimeRangeCommands[i].mainId, times[i].enabled);
    for (size_t i = 0; i < times.size(); ++i)
        if (QAction* action = CommandAction(kTimeRangeCommands[i].mainId))
            action->setChecked(times[i].checked);

    const auto eeg = VoltageItemStates(m_nEegYMax, true);
    const auto emg = VoltageItemStates(m_nEmgYMax, false);
    for (size_t i = 0; i < kVoltageCommands.size(); ++i)
        if (QAction* action = CommandAction(kVoltageCommands[i].eegId))
            action->setChecked(eeg[i].checked);
    for (size_t i = 0; i < kVoltageCommands.size(); ++i)
        if (QAction* action = CommandAction(kVoltageCommands[i].emgId))
            action->setChecked(emg[i].checked);
}

void CVelquinDlg::EnableCommand(int id, bool enable)
{
    if (QAction* action = CommandAction(id))
        action->setEnabled(enable);
}

// The dialogs are modal and live only for their command. Each writes into what it edits
// itself, so only the communication settings look at the result.

void CVelquinDlg::OnSavedFileSetting()
{
    m_services.dialogs->RunSavedFileSetting(this, m_waveLog);
}

void CVelquinDlg::OnFftSetting()
{
    m_services.dialogs->RunFftSetting(*this);
}

void CVelquinDlg::OnCommunicationSetting()
{
    if (m_services.dialogs->RunCommunicationSetting(this, *m_pWaveIo) == IDOK) {
        ClearGraphs();
        UpdateTitle();  // the title shows the port
    }
    SetMode(kModeIdle);
}

void CVelquinDlg::OnReceiverSetting()
{
    m_services.dialogs->RunReceiverSetting(this, *m_pWaveIo);
}

void CVelquinDlg::OnAppAbout()
{
    m_services.dialogs->RunAbout(this);
}
