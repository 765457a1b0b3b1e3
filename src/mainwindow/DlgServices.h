#pragma once
// The main window's collaborators: how it makes the receiver façade, shows prompts, chooses
// files, opens dialogs, keeps the profile, reads the clock and holds off the screen saver.
// The real program passes them all empty; tests put fakes in the fields they need and leave
// the others empty. The window fills every empty field through FillDefaultDlgServices().

#include <chrono>
#include <ctime>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPoint;

#include "mainwindow/DialogRunner.h"
#include "platform/qt/FileChooser.h"
#include "platform/qt/Profile.h"
#include "platform/qt/Prompter.h"
#include "platform/qt/ScreenSaverInhibitor.h"
#include "receiver/LinkSink.h"
#include "receiver/WaveIoInterface.h"

struct sDlgServices {
    // Makes the receiver façade that posts its notifications to the sink.
    std::function<std::unique_ptr<IWaveIo>(ILinkSink&)> makeWaveIo;
    std::unique_ptr<IPrompter> prompter;
    std::unique_ptr<IProfile> profile;
    std::unique_ptr<IFileChooser> fileChooser;
    std::unique_ptr<IDialogRunner> dialogs;
    // The current time (seconds since the epoch).
    std::function<std::time_t()> now;
    // Holds off the screen saver while the window is shown; none when empty.
    std::unique_ptr<CScreenSaverInhibitor> screenSaver;
    bool inhibitScreenSaver = true;
    // Shows a context menu at a screen position and returns the item chosen (nullptr when
    // the menu was closed without a choice).
    std::function<QAction*(QMenu& menu, const QPoint& globalPos)> trackPopupMenu;
    // Longest wait for a receiver reply on the user-interface thread; past it the command
    // counts as failed.
    std::chrono::milliseconds replyWaitLimit{6000};
};

// Fills every empty field with the real program's collaborator.
void FillDefaultDlgServices(sDlgServices& services);
