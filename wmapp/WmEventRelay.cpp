#include "wmapp/WmEventRelay.h"

#include "platform/WindowMessage.h"

#include <QThread>

WmEventRelay::WmEventRelay() = default;

WmEventRelay::~WmEventRelay() { SetTarget(nullptr); }

void WmEventRelay::SetTarget(WindowMessageTarget* target) {
    std::lock_guard lock(m_mutex);
    m_target = target;
    if (!target) LetGoLocked();
}

bool WmEventRelay::HasTarget() const {
    std::lock_guard lock(m_mutex);
    return m_target != nullptr;
}

bool WmEventRelay::SendText(unsigned message, const std::string& text) {
    auto pending = std::make_shared<Pending>();
    pending->text = text;
    if (QThread::currentThread() == thread()) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_target) return false;
        }
        Deliver(message, pending);
        return true;
    }
    std::unique_lock lock(m_mutex);
    if (!m_target) return false;
    QMetaObject::invokeMethod(this, [this, message, pending] { Deliver(message, pending); }, Qt::QueuedConnection);
    if (m_noWait > 0) return true;
    m_waiting.insert(pending);
    m_changed.wait(lock, [&] { return pending->finished; });
    return true;
}

bool WmEventRelay::Post(unsigned message, uintptr_t wParam, intptr_t lParam) {
    std::lock_guard lock(m_mutex);
    return m_target && m_target->PostWindowMessage(message, wParam, lParam);
}

void WmEventRelay::Deliver(unsigned message, const std::shared_ptr<Pending>& pending) {
    // Runs on the user-interface thread, the only one that changes the target, so the window
    // cannot go away during the send.
    WindowMessageTarget* target;
    {
        std::lock_guard lock(m_mutex);
        target = m_target;
    }
    if (target) target->SendWindowMessage(message, reinterpret_cast<uintptr_t>(pending->text.c_str()), 0);
    std::lock_guard lock(m_mutex);
    pending->finished = true;
    m_waiting.erase(pending);
    m_changed.notify_all();
}

void WmEventRelay::LetGoLocked() {
    for (const auto& pending : m_waiting) pending->finished = true;
    m_waiting.clear();
    m_changed.notify_all();
}

WmEventRelay::NoWait::NoWait(WmEventRelay& relay) : m_relay(relay) {
    std::lock_guard lock(m_relay.m_mutex);
    ++m_relay.m_noWait;
    m_relay.LetGoLocked();
}

WmEventRelay::NoWait::~NoWait() {
    std::lock_guard lock(m_relay.m_mutex);
    --m_relay.m_noWait;
}
