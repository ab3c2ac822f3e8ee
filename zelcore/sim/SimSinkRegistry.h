#pragma once
// The sinks registered with one adapter or with the adapter manager, each with its mask.
// Delivery calls a sink outside the registry's lock; unregistering waits until a call to that
// sink running on another thread has returned, so a sink is never called once unregistering
// returned. A sink may unregister itself from inside its own call.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

template <typename Sink>
class SimSinkRegistry {
public:
    void Register(Sink* sink, uint32_t mask) {
        std::lock_guard lock(m_mutex);
        for (auto& e : m_entries)
            if (e->sink == sink) {
                e->mask = mask;
                return;
            }
        auto entry = std::make_shared<Entry>();
        entry->sink = sink;
        entry->mask = mask;
        m_entries.push_back(std::move(entry));
    }

    // Clears the flags of `mask` from the sink's registration; with none left the sink is gone.
    // False when the sink was not registered.
    bool Unregister(Sink* sink, uint32_t mask) {
        std::unique_lock lock(m_mutex);
        for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
            std::shared_ptr<Entry> e = *it;
            if (e->sink != sink) continue;
            e->mask &= ~mask;
            if (e->mask != 0) return true;
            e->removed = true;
            m_entries.erase(it);
            m_done.wait(lock, [&] { return e->callers.empty() || OnlyThisThreadCalling(*e); });
            return true;
        }
        return false;
    }

    void Clear() {
        std::unique_lock lock(m_mutex);
        for (auto& e : m_entries) e->removed = true;
        m_entries.clear();
    }

    bool Empty() {
        std::lock_guard lock(m_mutex);
        return m_entries.empty();
    }

    // Calls call(sink) for every sink whose mask has any bit of `flag`.
    template <typename Call>
    void Deliver(uint32_t flag, Call&& call) {
        std::vector<std::shared_ptr<Entry>> targets;
        {
            std::lock_guard lock(m_mutex);
            for (auto& e : m_entries)
                if (e->mask & flag) targets.push_back(e);
        }
        for (auto& e : targets) {
            {
                std::lock_guard lock(m_mutex);
                if (e->removed || !(e->mask & flag)) continue;
                e->callers.push_back(std::this_thread::get_id());
            }
            call(e->sink);
            {
                std::lock_guard lock(m_mutex);
                auto& c = e->callers;
                for (auto it = c.begin(); it != c.end(); ++it)
                    if (*it == std::this_thread::get_id()) {
                        c.erase(it);
                        break;
                    }
            }
            m_done.notify_all();
        }
    }

private:
    struct Entry {
        Sink* sink = nullptr;
        uint32_t mask = 0;
        bool removed = false;
        std::vector<std::thread::id> callers;  // threads inside a call to this sink
    };

    static bool OnlyThisThreadCalling(const Entry& e) {
        for (auto id : e.callers)
            if (id != std::this_thread::get_id()) return false;
        return true;
    }

    std::mutex m_mutex;
    std::condition_variable m_done;
    std::vector<std::shared_ptr<Entry>> m_entries;
};
