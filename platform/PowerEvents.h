#pragma once
// Suspend and resume of the machine, as the window that pauses its work around them sees them.
// The real source listens to the session manager on the system bus (in the program, which links
// the bus library); without a bus there are simply no events. Tests play events through Notify.
#include <functional>

class PowerEvents {
public:
    enum class Kind { Suspend, Resume };
    using Handler = std::function<void(Kind)>;

    virtual ~PowerEvents();

    // Whether events can arrive at all (a bus and its signal were found).
    virtual bool IsListening() const = 0;
    // The one receiver of the events; an empty handler stops delivery.
    void SetHandler(Handler handler) { m_handler = std::move(handler); }
    // Hands one event to the receiver.
    void Notify(Kind kind) const;

private:
    Handler m_handler;
};
