#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int InstallJapaneseQtTexts(QCoreApplication& app)
{
    // Named outright, not taken from LANG: the program is Japanese on any desktop.
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto* translator = new QTranslator(&app);
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return 0;
    }
    QCoreApplication::installTranslator(translator);
    return 1;
}
