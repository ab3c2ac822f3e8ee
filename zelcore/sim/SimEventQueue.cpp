#include "zelcore/sim/SimEventQueue.h"

#include <chrono>

SimEventQueue::SimEventQueue() : m_thread([this] { Run(); }) {}

SimEventQueue::~SimEventQueue() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
}

void SimEventQueue::Post(std::function<void()> delivery) {
    {
        std::lock_guard lock(m_mutex);
        if (m_stop) return;
        m_queue.push_back(std::move(delivery));
    }
    m_wake.notify_one();
}

void SimEventQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_queue.clear();
}

bool SimEventQueue::WaitIdle(uint32_t timeoutMs) {
    std::unique_lock lock(m_mutex);
    if (IsEventThread()) return m_queue.empty();
    return m_idle.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_queue.empty() && !m_running; });
}

void SimEventQueue::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || !m_queue.empty(); });
        if (m_stop) break;
        auto delivery = std::move(m_queue.front());
        m_queue.pop_front();
        m_running = true;
        lock.unlock();
        delivery();
        delivery = nullptr;  // drop what the delivery holds before reporting idle
        lock.lock();
        m_running = false;
        if (m_queue.empty()) m_idle.notify_all();
    }
    m_running = false;
    m_idle.notify_all();
}
