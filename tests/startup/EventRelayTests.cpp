#include "wmapp/WmEventRelay.h"

#include "platform/WindowMessage.h"

#include "StartupTestSupport.h"

#include <QObject>

#include <atomic>
#include <thread>

namespace {

const unsigned kEventMessage = RegisterWindowMessage("AdapterStatusEvent");

// A window stand-in that keeps every text it is sent.
class TextWindow : public QObject, public WindowMessageTarget {
public:
    TextWindow() : WindowMessageTarget(this) {}
    intptr_t OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t) override {
        if (message == kEventMessage) texts.push_back(reinterpret_cast<const char*>(wParam));
        else posts.push_back(message);
        return 0;
    }
    bool event(QEvent* e) override { return HandleWindowMessageEvent(e) || QObject::event(e); }
    std::vector<std::string> texts;
    std::vector<unsigned> posts;
};

TEST(WmEventRelay, ASenderWaitsUntilTheWindowTookItsTextAndOrderHolds) {
    WmEventRelay relay;
    TextWindow window;
    relay.SetTarget(&window);
    std::atomic<int> sent {0};
    std::thread sender([&] {
        for (const char* text : {"one", "two", "three"}) {
            relay.SendText(kEventMessage, text);
            // Back from the send only once the window holds the text.
            EXPECT_EQ(window.texts.size(), static_cast<size_t>(sent + 1));
            ++sent;
        }
    });
    EXPECT_TRUE(SpinUntil([&] { return sent == 3; }));
    sender.join();
    EXPECT_EQ(window.texts, (std::vector<std::string>{"one", "two", "three"}));
}

TEST(WmEventRelay, NothingIsSentOrPostedWithoutAWindow) {
    WmEventRelay relay;
    EXPECT_FALSE(relay.SendText(kEventMessage, "lost"));
    EXPECT_FALSE(relay.Post(WM_APP + 30));
    TextWindow window;
    relay.SetTarget(&window);
    EXPECT_TRUE(relay.Post(WM_APP + 30, 1));
    relay.SetTarget(nullptr);
    EXPECT_FALSE(relay.Post(WM_APP + 80));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.posts, (std::vector<unsigned>{WM_APP + 30}));
}

TEST(WmEventRelay, NoWaitLetsAWaitingSenderGoAndItsTextStillArrives) {
    WmEventRelay relay;
    TextWindow window;
    relay.SetTarget(&window);
    std::atomic<bool> returned {false};
    std::thread sender([&] {
        relay.SendText(kEventMessage, "in flight");
        returned = true;
    });
    // The window's thread does not run its loop here, as while it waits on the client library.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(returned);
    {
        WmEventRelay::NoWait noWait(relay);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!returned && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_TRUE(returned);
        sender.join();
        // While it lasts, senders do not wait at all.
        std::thread quick([&] { relay.SendText(kEventMessage, "quick"); });
        quick.join();
    }
    EXPECT_TRUE(window.texts.empty());
    EXPECT_TRUE(SpinUntil([&] { return window.texts.size() == 2; }));
    EXPECT_EQ(window.texts, (std::vector<std::string>{"in flight", "quick"}));
}

TEST(WmEventRelay, AForgottenWindowReleasesSendersAndGetsNothingMore) {
    WmEventRelay relay;
    auto window = std::make_unique<TextWindow>();
    relay.SetTarget(window.get());
    std::atomic<bool> returned {false};
    std::thread sender([&] {
        relay.SendText(kEventMessage, "late");
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    relay.SetTarget(nullptr);
    sender.join();
    EXPECT_TRUE(returned);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->texts.empty());
    window.reset();
    QCoreApplication::processEvents();  // the queued delivery finds no window
}

}  // namespace
