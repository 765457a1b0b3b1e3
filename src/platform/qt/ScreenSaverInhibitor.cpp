#include "platform/qt/ScreenSaverInhibitor.h"

#include <QDBusMessage>
#include <QDBusReply>

namespace {

constexpr const char* kService = "org.freedesktop.ScreenSaver";
constexpr const char* kInterface = "org.freedesktop.ScreenSaver";
// Desktops publish the service under one or both of these paths.
constexpr const char* kPaths[] = {"/org/freedesktop/ScreenSaver", "/ScreenSaver"};
// A desktop that does not answer must not hold up the window for long.
constexpr int kCallTimeoutMs = 2000;

}  // namespace

CScreenSaverInhibitor::CScreenSaverInhibitor() : m_bus(QDBusConnection::sessionBus())
{
}

CScreenSaverInhibitor::CScreenSaverInhibitor(const QDBusConnection& bus) : m_bus(bus)
{
}

CScreenSaverInhibitor::~CScreenSaverInhibitor()
{
    Release();
}

bool CScreenSaverInhibitor::Inhibit(const QString& application, const QString& reason)
{
    if (m_inhibiting)
        return true;
    if (!m_bus.isConnected())
        return false;
    for (const char* path : kPaths) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QString::fromLatin1(kService), QString::fromLatin1(path), QString::fromLatin1(kInterface),
            QStringLiteral("Inhibit"));
        call << application << reason;
        const QDBusReply<uint> reply = m_bus.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.isValid()) {
            m_path = QString::fromLatin1(path);
            m_cookie = reply.value();
            m_inhibiting = true;
            return true;
        }
    }
    return false;
}

void CScreenSaverInhibitor::Release()
{
    if (!m_inhibiting)
        return;
    m_inhibiting = false;
    if (!m_bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), m_path, QString::fromLatin1(kInterface), QStringLiteral("UnInhibit"));
    call << m_cookie;
    m_bus.call(call, QDBus::Block, kCallTimeoutMs);
}
