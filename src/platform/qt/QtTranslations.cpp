#include "platform/qt/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Words Qt's Japanese catalogue lacks, by Qt's context and English text: the file dialogs'
// type column would call every folder "Folder", and "/" a "Drive". "フォルダ" is written as
// the catalogue's own texts and the program's write it (フォルダの選択). Other texts fall
// through to the catalogue.
class CMissingQtTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        static const struct {
            const char* context;
            const char* source;
            const char* japanese;
        } kTexts[] = {{"QAbstractFileIconProvider", "Folder", "フォルダ"},
                      {"QAbstractFileIconProvider", "Drive", "ドライブ"}};
        for (const auto& text : kTexts)
            if (qstrcmp(context, text.context) == 0 && qstrcmp(source, text.source) == 0)
                return QString::fromUtf8(text.japanese);
        return QString();
    }
};

}  // namespace

int InstallJapaneseQtTexts(QCoreApplication& app)
{
    // Named outright, not taken from LANG: the program is Japanese on any desktop.
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    QCoreApplication::installTranslator(new CMissingQtTexts(&app));
    auto* translator = new QTranslator(&app);
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return 0;
    }
    QCoreApplication::installTranslator(translator);
    return 1;
}
