// main() of the GUI test binaries: a QApplication on the offscreen platform, with a fresh
// temporary home and config folder so no test sees the user's profile, and Qt's own texts
// in Japanese as in the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <clocale>
#include <cstdlib>

#include "platform/qt/Fonts.h"
#include "platform/qt/QtTranslations.h"

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir home;
    setenv("HOME", home.path().toLocal8Bit().constData(), 1);
    setenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit().constData(), 1);
    setenv("XDG_DOCUMENTS_DIR", (home.path() + "/Documents").toLocal8Bit().constData(), 1);
    QDir().mkpath(home.path() + "/Documents");

    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
    QCoreApplication::setApplicationName(QStringLiteral("Velquin"));
    InstallFontSubstitutions();
    InstallJapaneseQtTexts(app);

    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
