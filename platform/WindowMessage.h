#pragma once
// Window messages between threads and windows: private messages (WM_APP + n) and registered
// messages travel as one custom QEvent type carrying the message number and its two parameters.
// Post works from any thread; Send from another thread is a blocking queued call that is refused
// once the target has started closing, so a client library thread never waits on a dead window.
#include <QEvent>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class QObject;

constexpr unsigned WM_APP = 0x8000;

// Number of a registered message, the same for every caller in the process (0xC000 upward).
unsigned RegisterWindowMessage(const std::string& name);

class WindowMessageEvent : public QEvent {
public:
    struct PendingSend;
    WindowMessageEvent(unsigned message, uintptr_t wParam, intptr_t lParam, std::shared_ptr<PendingSend> send = {});
    static QEvent::Type EventType();

    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
    std::shared_ptr<PendingSend> send;  // set for a send from another thread
};

// Mixed into a window class. The window's event() calls HandleWindowMessageEvent first.
class WindowMessageTarget {
public:
    explicit WindowMessageTarget(QObject* self);
    virtual ~WindowMessageTarget();
    WindowMessageTarget(const WindowMessageTarget&) = delete;
    WindowMessageTarget& operator=(const WindowMessageTarget&) = delete;

    // Handles one message on the window's own thread; the result goes back to a sender.
    virtual intptr_t OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) = 0;

    // True when the event was a window message (it has then been handled).
    bool HandleWindowMessageEvent(QEvent* event);

    // From any thread. False once the target is closing.
    bool PostWindowMessage(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);
    // From any thread; on the window's thread the handler runs at once. False when refused (closing),
    // in which case the handler did not run.
    bool SendWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam, intptr_t* result = nullptr);

    // Refuses later posts and sends and releases every sender still waiting. Call when the window
    // starts closing; the destructor calls it too.
    void CloseWindowMessages();
    bool WindowMessagesClosed() const;

private:
    QObject* self_;
    // Counts posts. Qt hands an event to the window's thread under locks of its own; this pair of
    // release and acquire makes that hand-over visible to thread checkers as well.
    std::atomic<uint64_t> posted_ {0};
    mutable std::mutex mutex_;
    bool closed_ = false;
    std::set<std::shared_ptr<WindowMessageEvent::PendingSend>> pending_;
};
