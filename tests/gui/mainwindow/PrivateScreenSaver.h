#pragma once
// A private D-Bus daemon with a stand-in for the desktop's screen-saver service on it, the
// service answering on a thread of its own (the program's calls block their thread).

#include <QDBusConnection>
#include <QMutex>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList Log()
    {
        QMutexLocker lock(&m_mutex);
        return m_log;
    }
public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        QMutexLocker lock(&m_mutex);
        m_log << "Inhibit " + application + " " + reason;
        return 42;
    }
    void UnInhibit(uint cookie)
    {
        QMutexLocker lock(&m_mutex);
        m_log << "UnInhibit " + QString::number(cookie);
    }

private:
    QMutex m_mutex;
    QStringList m_log;
};

class PrivateScreenSaver {
public:
    static bool Available() { return !QStandardPaths::findExecutable("dbus-daemon").isEmpty(); }

    PrivateScreenSaver()
    {
        m_daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address"});
        if (!m_daemon.waitForStarted(5000) || !m_daemon.waitForReadyRead(5000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_thread.start();
        m_saver.moveToThread(&m_thread);
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "screensaver-service");
        m_ready = service.isConnected() && service.registerService("org.freedesktop.ScreenSaver") &&
                  service.registerObject("/org/freedesktop/ScreenSaver", &m_saver,
                                         QDBusConnection::ExportAllSlots);
    }
    ~PrivateScreenSaver()
    {
        QDBusConnection::disconnectFromBus("screensaver-client");
        QDBusConnection::disconnectFromBus("screensaver-service");
        m_thread.quit();
        m_thread.wait();
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    bool Ready() const { return m_ready; }
    // A connection for the program's side.
    QDBusConnection Client() const { return QDBusConnection::connectToBus(m_address, "screensaver-client"); }
    QStringList Log() { return m_saver.Log(); }

private:
    QProcess m_daemon;
    QString m_address;
    QThread m_thread;
    FakeScreenSaver m_saver;
    bool m_ready = false;
};
