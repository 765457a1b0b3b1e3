// main() of the GUI test binaries: a QApplication on the offscreen platform, with a fresh
// temporary home, config and data folders so no test sees the user's profile or the
// machine's MIME database, and Qt's own texts in Japanese as in the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QTemporaryDir>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtTranslations.h"

namespace {

// The offscreen platform's screens: a desktop monitor, the primary screen every window opens
// on, and beside it a laptop screen and a small one for the tests of windows on small
// screens. Without a configuration the platform has one screen of 800 × 800. The binary of the
// tests of drawing at the scales desktops set also has 1920 × 1080 screens at 125 %, 150 %,
// 175 % and 200 %, scaled as Xft.dpi scales them (a logical DPI above 96; see
// support/ScaledScreens.h). Only that binary has them: while any screen is scaled, Qt draws all
// text unhinted, on the unscaled screens too.
constexpr const char* kScreens = R"({"screens": [
  {"name": "desktop", "x": 0, "y": 0, "width": 1920, "height": 1080, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "laptop", "x": 1920, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "small", "x": 3286, "y": 0, "width": 800, "height": 600, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1})"
#ifdef VELQUIN_SCALED_SCREENS
R"(,
  {"name": "scaled125", "x": 4086, "y": 0, "width": 2400, "height": 1350, "logicalDpi": 120, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "scaled150", "x": 6486, "y": 0, "width": 2880, "height": 1620, "logicalDpi": 144, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "scaled175", "x": 9366, "y": 0, "width": 3360, "height": 1890, "logicalDpi": 168, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "scaled200", "x": 12726, "y": 0, "width": 3840, "height": 2160, "logicalDpi": 192, "logicalBaseDpi": 96, "dpr": 1})"
#endif
R"(
]})";

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || std::string_view(platform) == "offscreen") {
        QFile screens(home.path() + "/screens.json");
        if (screens.open(QIODevice::WriteOnly))
            screens.write(kScreens);
        screens.close();
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + screens.fileName()).toLocal8Bit().constData(), 1);
    }
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit().constData(), 1);
    setenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").toLocal8Bit().constData(), 1);
    QDir().mkpath(home.path() + "/Documents");
    // File types in the file dialogs come from the desktop's MIME database, which any
    // installed package may add to. The tests have one of their own in place of the machine's
    // shared one, holding what another program's package might add: "*.edf" named only in
    // English. Qt reads its packages folder directly when there is no compiled cache.
    const QString shared = home.path() + "/share";
    setenv("XDG_DATA_HOME", (home.path() + "/.local/share").toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_DIRS", shared.toLocal8Bit().constData(), 1);
    QDir().mkpath(shared + "/mime/packages");
    QFile edfType(shared + "/mime/packages/other-eeg-program.xml");
    if (edfType.open(QIODevice::WriteOnly))
        edfType.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">
  <mime-type type="application/x-edf">
    <comment>European Data Format 16-bits</comment>
    <glob pattern="*.edf"/>
  </mime-type>
</mime-info>
)");
    edfType.close();

    // A style asked for on the command line ("-style Adwaita") must be the one the tests run
    // under: Qt would fall back to its default where the style is not installed.
    QString style;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "-style")
            style = QString::fromLocal8Bit(argv[i + 1]);

    QApplication app(argc, argv);
    if (!style.isEmpty() && app.style()->name().compare(style, Qt::CaseInsensitive) != 0) {
        std::fprintf(stderr, "The Qt style %s is not installed (scripts/setup installs it); running under %s.\n",
                     qPrintable(style), qPrintable(app.style()->name()));
        return 1;
    }
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Velquin"));
    InstallFontSubstitutions();
    InstallJapaneseQtTexts(app);

    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
