#pragma once
// The link between the adapter context and the main window. Client library threads hand adapter
// event texts to it; it delivers each on the user-interface thread by a send of the registered
// message to the window (the text pointer is valid during that call) and the client thread waits
// until the window has taken it. Posts to the window go through it too. The window is forgotten
// under the link's lock before it is destroyed, so no thread reaches a dead window.
//
// Waiting senders are let go (their texts are still delivered later) while the user-interface
// thread calls into the client library in a way that waits for a delivery in progress (unregistering
// a sink): otherwise the two threads would wait on each other.
#include <QObject>

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

class WindowMessageTarget;

class WmEventRelay : public QObject {
    Q_OBJECT
public:
    // Lives on the thread that creates it, the user-interface thread.
    WmEventRelay();
    ~WmEventRelay() override;

    // Null forgets the window and lets every waiting sender go.
    void SetTarget(WindowMessageTarget* target);
    bool HasTarget() const;

    // Any thread: delivers text with the registered message and waits until the window handled it
    // (or until the window goes away, or senders are let go). False when there is no window.
    bool SendText(unsigned message, const std::string& text);
    // Any thread: posts to the window; false when there is none or it is closing.
    bool Post(unsigned message, uintptr_t wParam = 0, intptr_t lParam = 0);

    // While one exists, senders do not wait (the ones waiting are let go at once).
    class NoWait {
    public:
        explicit NoWait(WmEventRelay& relay);
        ~NoWait();
        NoWait(const NoWait&) = delete;
        NoWait& operator=(const NoWait&) = delete;

    private:
        WmEventRelay& m_relay;
    };

private:
    struct Pending {
        std::string text;
        bool finished = false;
    };
    void Deliver(unsigned message, const std::shared_ptr<Pending>& pending);
    void LetGoLocked();

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    WindowMessageTarget* m_target = nullptr;
    int m_noWait = 0;
    std::set<std::shared_ptr<Pending>> m_waiting;
};
