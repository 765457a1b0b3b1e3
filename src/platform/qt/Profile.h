#pragma once
// The per-user application profile: named sections of string and integer values. The main
// window keeps the saved-file settings in it.

#include <QString>

class IProfile {
public:
    virtual ~IProfile() = default;
    // The stored value, or def when the key is absent.
    virtual QString GetProfileString(const QString& section, const QString& key, const QString& def) = 0;
    // The stored integer, or def when the key is absent or does not hold an integer.
    virtual int GetProfileInt(const QString& section, const QString& key, int def) = 0;
    // Store a value; true when it reached the profile file.
    virtual bool WriteProfileString(const QString& section, const QString& key, const QString& value) = 0;
    virtual bool WriteProfileInt(const QString& section, const QString& key, int value) = 0;
};
