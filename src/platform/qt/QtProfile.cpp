#include "platform/qt/QtProfile.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

QString Path(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

}  // namespace

CQtProfile::CQtProfile()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QString::fromLatin1(kProfileOrganisation),
                                             QCoreApplication::applicationName()))
{
}

CQtProfile::CQtProfile(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat))
{
}

QString CQtProfile::GetProfileString(const QString& section, const QString& key, const QString& def)
{
    const QVariant value = m_settings->value(Path(section, key));
    if (!value.isValid())
        return def;
    // A hand-edited value with unquoted commas comes back as a list: take it as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

int CQtProfile::GetProfileInt(const QString& section, const QString& key, int def)
{
    const QVariant value = m_settings->value(Path(section, key));
    if (!value.isValid())
        return def;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : def;
}

bool CQtProfile::WriteProfileString(const QString& section, const QString& key, const QString& value)
{
    return Write(section, key, value);
}

bool CQtProfile::WriteProfileInt(const QString& section, const QString& key, int value)
{
    return Write(section, key, value);
}

bool CQtProfile::Write(const QString& section, const QString& key, const QVariant& value)
{
    m_settings->setValue(Path(section, key), value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}
