#include "app/startup/VelquinApp.h"

#include <QApplication>
#include <QFileInfo>

#include <clocale>

#include "mainwindow/VelquinDlg.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/QtTranslations.h"

int CVelquinApp::Run(int argc, char** argv)
{
    QApplication app(argc, argv);
    // QApplication takes the C locale from the environment; every number the program writes
    // or parses uses the "C" rules, whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");

    // The profile lives under the organisation and the executable's own name, so a renamed
    // copy keeps its own settings and message-box caption.
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());

    InstallFontSubstitutions();
    InstallJapaneseQtTexts(app);

    {
        CVelquinDlg dlg;
        dlg.show();
        app.exec();
    }
    return 0;
}
