#include "mainwindow/DlgServices.h"

#include <QMenu>

#include "mainwindow/Subsystems.h"
#include "platform/qt/QtProfile.h"
#include "platform/qt/QtPrompter.h"

void FillDefaultDlgServices(sDlgServices& services)
{
    if (!services.makeWaveIo)
        services.makeWaveIo = [](ILinkSink& sink) -> std::unique_ptr<IWaveIo> {
            return std::make_unique<CWaveIo>(&sink);
        };
    if (!services.prompter)
        services.prompter = std::make_unique<CQtPrompter>();
    if (!services.profile)
        services.profile = std::make_unique<CQtProfile>();
    if (!services.fileChooser)
        services.fileChooser = std::make_unique<CQtFileChooser>();
    if (!services.dialogs)
        services.dialogs = std::make_unique<CDialogRunner>(services.prompter.get(), services.fileChooser.get(),
                                                           services.replyWaitLimit);
    if (!services.trackPopupMenu)
        services.trackPopupMenu = [](QMenu& menu, const QPoint& globalPos) { return menu.exec(globalPos); };
    if (!services.now)
        services.now = [] { return std::time(nullptr); };
    if (!services.screenSaver && services.inhibitScreenSaver)
        services.screenSaver = std::make_unique<CScreenSaverInhibitor>();
}
