#pragma once
// The library's event thread: runs deliveries one after another, in the order they were posted,
// on a thread of its own, so no caller's sink ever runs inside a caller's call or under the
// library's lock.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

class SimEventQueue {
public:
    SimEventQueue();
    ~SimEventQueue();
    SimEventQueue(const SimEventQueue&) = delete;
    SimEventQueue& operator=(const SimEventQueue&) = delete;

    void Post(std::function<void()> delivery);
    // Drops deliveries not yet started (the one running finishes).
    void Clear();
    // True once everything posted before the call has run; false after timeoutMs.
    bool WaitIdle(uint32_t timeoutMs);
    bool IsEventThread() const { return std::this_thread::get_id() == m_thread.get_id(); }

private:
    void Run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::function<void()>> m_queue;
    bool m_running = false;
    bool m_stop = false;
    std::thread m_thread;
};
