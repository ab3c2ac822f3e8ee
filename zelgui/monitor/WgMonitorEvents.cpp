#include "zelgui/monitor/WgMonitorEvents.h"

#include <algorithm>

uint64_t WgMonitorEvents::Signal(Event event) {
    std::lock_guard lock(m_mutex);
    const uint64_t seq = ++m_nextSeq;
    m_signalled[event] = true;
    m_seq[event] = seq;
    m_changed.notify_all();
    return seq;
}

void WgMonitorEvents::Acknowledge(Event ack, uint64_t seq) {
    std::lock_guard lock(m_mutex);
    m_signalled[ack] = true;
    m_seq[ack] = std::max(m_seq[ack], seq);
    m_changed.notify_all();
}

void WgMonitorEvents::AcknowledgeAll() {
    std::lock_guard lock(m_mutex);
    m_signalled[PausedAck] = m_signalled[ResumedAck] = true;
    m_seq[PausedAck] = m_seq[ResumedAck] = UINT64_MAX;
    m_changed.notify_all();
}

int WgMonitorEvents::WaitAny(std::initializer_list<Event> events, std::chrono::milliseconds timeout, uint64_t* seq) {
    std::unique_lock lock(m_mutex);
    int found = TIMED_OUT;
    auto ready = [&] {
        for (Event event : events)
            if (m_signalled[event]) {
                found = event;
                return true;
            }
        return false;
    };
    if (timeout.count() < 0) m_changed.wait(lock, ready);
    else m_changed.wait_for(lock, timeout, ready);
    if (found != TIMED_OUT) {
        m_signalled[found] = false;
        if (seq) *seq = m_seq[found];
    }
    return found;
}

uint64_t WgMonitorEvents::Take(Event event) {
    std::lock_guard lock(m_mutex);
    if (!m_signalled[event]) return 0;
    m_signalled[event] = false;
    return m_seq[event];
}

bool WgMonitorEvents::WaitAcknowledged(Event ack, uint64_t seq, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    const bool answered = m_changed.wait_for(lock, timeout, [&] { return m_seq[ack] >= seq; });
    if (answered) m_signalled[ack] = false;
    return answered;
}

bool WgMonitorEvents::IsSignalled(Event event) const {
    std::lock_guard lock(m_mutex);
    return m_signalled[event];
}

bool WgMonitorEvents::MarkEnded() {
    std::lock_guard lock(m_mutex);
    m_ended = true;
    m_changed.notify_all();
    return m_handedOver;
}

bool WgMonitorEvents::WaitEnded(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_ended; });
}

bool WgMonitorEvents::HandOver() {
    std::lock_guard lock(m_mutex);
    if (m_ended) return false;
    m_handedOver = true;
    return true;
}
