#pragma once
// The profile as a QSettings INI file: by default the per-user file of the organisation
// "Kestrova" and the application name (~/.config/Kestrova/<name>.ini), or a given file.

#include <QSettings>

#include <memory>

#include "platform/qt/Profile.h"

inline constexpr const char* kProfileOrganisation = "Kestrova";

class CQtProfile : public IProfile {
public:
    CQtProfile();
    explicit CQtProfile(const QString& iniFile);

    QString GetProfileString(const QString& section, const QString& key, const QString& def) override;
    int GetProfileInt(const QString& section, const QString& key, int def) override;
    bool WriteProfileString(const QString& section, const QString& key, const QString& value) override;
    bool WriteProfileInt(const QString& section, const QString& key, int value) override;

    QString FileName() const { return m_settings->fileName(); }

private:
    bool Write(const QString& section, const QString& key, const QVariant& value);

    std::unique_ptr<QSettings> m_settings;
};
