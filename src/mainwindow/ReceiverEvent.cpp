#include "mainwindow/ReceiverEvent.h"

#include <QCoreApplication>

CReceiverEvent::CReceiverEvent(int code, std::uint32_t generation)
    : QEvent(EventType()), m_code(code), m_generation(generation)
{
}

QEvent::Type CReceiverEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void CWindowLinkSink::Post(int code, std::uint32_t generation)
{
    // Default priority only: events of one receiver and one priority arrive in posting order.
    QCoreApplication::postEvent(m_target, new CReceiverEvent(code, generation));
}
