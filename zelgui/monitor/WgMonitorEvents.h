#pragma once
// The six auto-reset events of one polling thread (resume, pause, interval changed, stop, paused,
// resumed), built on one mutex and condition variable, plus the thread's end and hand-over flags.
// Every request carries a sequence number and every acknowledgement names the request it answers,
// so a late acknowledgement of an abandoned wait never ends a later wait early.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <initializer_list>
#include <mutex>

class WgMonitorEvents {
public:
    enum Event { Resume, Pause, IntervalChanged, Stop, PausedAck, ResumedAck, EVENT_COUNT };
    static constexpr int TIMED_OUT = -1;

    // Signals a request; returns its sequence number.
    uint64_t Signal(Event event);
    // Signals an acknowledgement of the request with sequence number seq.
    void Acknowledge(Event ack, uint64_t seq);
    // Answers every outstanding request at once (the thread is ending): no waiter is kept waiting.
    void AcknowledgeAll();
    // Waits up to timeout for the first signalled event of events (earlier ones win), resets it
    // and returns it with its sequence number; TIMED_OUT when none came. A negative timeout waits
    // without limit.
    int WaitAny(std::initializer_list<Event> events, std::chrono::milliseconds timeout, uint64_t* seq = nullptr);
    // Takes a signalled event without waiting: its sequence number, or 0 when it is not signalled.
    uint64_t Take(Event event);
    // Waits up to timeout for the acknowledgement of request seq; true when it came.
    bool WaitAcknowledged(Event ack, uint64_t seq, std::chrono::milliseconds timeout);
    // Whether an event is signalled and not yet taken (for tests and traces).
    bool IsSignalled(Event event) const;

    // End of the thread and the hand-over of the monitor to it. The thread calls MarkEnded as its
    // last touch of shared state; it returns true when the owner gave the monitor up to it (the
    // thread then frees it). The owner calls WaitEnded, and when that times out HandOver, which
    // returns false if the thread ended in the meantime (the owner then frees it as usual).
    bool MarkEnded();
    bool WaitEnded(std::chrono::milliseconds timeout);
    bool HandOver();

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled[EVENT_COUNT] = {};
    uint64_t m_seq[EVENT_COUNT] = {};  // requests: last sequence given; acks: last request answered
    uint64_t m_nextSeq = 0;
    bool m_ended = false;
    bool m_handedOver = false;
};
