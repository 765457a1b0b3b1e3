#pragma once
// Keeps the screen saver and the monitor's power saving off while the program runs, through
// the desktop's freedesktop ScreenSaver service on the session bus. Without a session bus
// or without the service nothing happens.

#include <QDBusConnection>
#include <QString>

class CScreenSaverInhibitor {
public:
    // Uses the given bus; the default is the session bus.
    CScreenSaverInhibitor();
    explicit CScreenSaverInhibitor(const QDBusConnection& bus);
    ~CScreenSaverInhibitor();
    CScreenSaverInhibitor(const CScreenSaverInhibitor&) = delete;
    CScreenSaverInhibitor& operator=(const CScreenSaverInhibitor&) = delete;

    // Asks the service to hold off; true when it granted it. A second call while inhibiting
    // does nothing.
    bool Inhibit(const QString& application, const QString& reason);
    // Gives the inhibition back; nothing when none is held.
    void Release();
    bool IsInhibiting() const { return m_inhibiting; }

private:
    QDBusConnection m_bus;
    QString m_path;       // object path that granted the inhibition
    uint m_cookie = 0;
    bool m_inhibiting = false;
};
