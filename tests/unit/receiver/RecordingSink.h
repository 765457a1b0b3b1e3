#pragma once
// A link sink for tests: records every notification with its generation and time, and
// lets a test wait for a code.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "receiver/LinkSink.h"

class RecordingSink : public ILinkSink {
public:
    using Clock = std::chrono::steady_clock;
    struct Event {
        int code;
        std::uint32_t generation;
        Clock::time_point time;
    };

    void Post(int code, std::uint32_t generation) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({code, generation, Clock::now()});
        m_changed.notify_all();
    }

    std::vector<Event> Events() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }

    // The codes in order, without the command-written notifications (+24) unless asked.
    std::vector<int> Codes(bool withWritten = false) const
    {
        std::vector<int> codes;
        for (const Event& e : Events())
            if (withWritten || e.code != kLinkCommandWritten)
                codes.push_back(e.code);
        return codes;
    }

    int Count(int code) const
    {
        int n = 0;
        for (const Event& e : Events())
            n += e.code == code;
        return n;
    }

    // Waits until `code` has been posted `times` times in all.
    bool WaitFor(int code, int timeoutMs, int times = 1) const
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            int n = 0;
            for (const Event& e : m_events)
                n += e.code == code;
            return n >= times;
        });
    }

    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<Event> m_events;
};
