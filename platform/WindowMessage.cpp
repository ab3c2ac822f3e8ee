#include "platform/WindowMessage.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <map>

struct WindowMessageEvent::PendingSend {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool refused = false;
    intptr_t result = 0;

    void Finish(bool wasRefused, intptr_t value) {
        std::lock_guard<std::mutex> lock(mutex);
        if (finished) return;
        finished = true;
        refused = wasRefused;
        result = value;
        done.notify_all();
    }
};

unsigned RegisterWindowMessage(const std::string& name) {
    static std::mutex mutex;
    static std::map<std::string, unsigned> numbers;
    std::lock_guard<std::mutex> lock(mutex);
    auto found = numbers.find(name);
    if (found != numbers.end()) return found->second;
    const unsigned number = 0xC000u + static_cast<unsigned>(numbers.size());
    numbers.emplace(name, number);
    return number;
}

WindowMessageEvent::WindowMessageEvent(unsigned message, uintptr_t wParam, intptr_t lParam,
                                       std::shared_ptr<PendingSend> send)
    : QEvent(EventType()), message(message), wParam(wParam), lParam(lParam), send(std::move(send)) {}

QEvent::Type WindowMessageEvent::EventType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

WindowMessageTarget::WindowMessageTarget(QObject* self) : self_(self) {}

WindowMessageTarget::~WindowMessageTarget() { CloseWindowMessages(); }

bool WindowMessageTarget::HandleWindowMessageEvent(QEvent* event) {
    posted_.load(std::memory_order_acquire);
    if (event->type() != WindowMessageEvent::EventType()) return false;
    auto* message = static_cast<WindowMessageEvent*>(event);
    if (message->send) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            // Refused already (closing): the sender has gone on without an answer.
            if (pending_.erase(message->send) == 0) return true;
        }
        const intptr_t result = OnWindowMessage(message->message, message->wParam, message->lParam);
        message->send->Finish(false, result);
        return true;
    }
    OnWindowMessage(message->message, message->wParam, message->lParam);
    return true;
}

bool WindowMessageTarget::PostWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    auto* event = new WindowMessageEvent(message, wParam, lParam);
    posted_.fetch_add(1, std::memory_order_release);
    QCoreApplication::postEvent(self_, event);
    return true;
}

bool WindowMessageTarget::SendWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result) {
    if (QThread::currentThread() == self_->thread()) {
        if (WindowMessagesClosed()) return false;
        const intptr_t value = OnWindowMessage(message, wParam, lParam);
        if (result) *result = value;
        return true;
    }
    auto send = std::make_shared<WindowMessageEvent::PendingSend>();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (closed_) return false;
        pending_.insert(send);
        auto* event = new WindowMessageEvent(message, wParam, lParam, send);
        posted_.fetch_add(1, std::memory_order_release);
        QCoreApplication::postEvent(self_, event);
    }
    std::unique_lock<std::mutex> lock(send->mutex);
    send->done.wait(lock, [&] { return send->finished; });
    if (send->refused) return false;
    if (result) *result = send->result;
    return true;
}

void WindowMessageTarget::CloseWindowMessages() {
    std::set<std::shared_ptr<WindowMessageEvent::PendingSend>> waiting;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        waiting.swap(pending_);
    }
    for (const auto& send : waiting) send->Finish(true, 0);
}

bool WindowMessageTarget::WindowMessagesClosed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return closed_;
}
