#pragma once
// Receiver notifications on the Qt event queue. The link's threads call Post on the window's
// sink, which posts one event per notification; the window handles them in event(), on its
// own thread, in the order they were posted.

#include <QEvent>

#include <cstdint>

#include "receiver/LinkSink.h"

class QObject;

class CReceiverEvent : public QEvent {
public:
    CReceiverEvent(int code, std::uint32_t generation);
    static QEvent::Type EventType();

    int Code() const { return m_code; }
    std::uint32_t Generation() const { return m_generation; }

private:
    int m_code;
    std::uint32_t m_generation;
};

class CWindowLinkSink : public ILinkSink {
public:
    explicit CWindowLinkSink(QObject* target) : m_target(target) {}
    // Safe from any thread; the target must outlive every thread that posts.
    void Post(int code, std::uint32_t generation) override;

private:
    QObject* m_target;
};
