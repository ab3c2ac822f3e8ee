// Window messages: posts and sends across threads, and the refusal once a window is closing.
#include "platform/WindowMessage.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QObject>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

class Window : public QObject, public WindowMessageTarget {
public:
    Window() : WindowMessageTarget(this) {}
    intptr_t OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) override {
        seen.push_back(message);
        return static_cast<intptr_t>(wParam) + lParam;
    }
    bool event(QEvent* e) override { return HandleWindowMessageEvent(e) || QObject::event(e); }
    std::vector<unsigned> seen;
};

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "message_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

TEST(WindowMessage, RegisteredNumbersAreStablePerName) {
    const unsigned a = RegisterWindowMessage("AdapterStatusEvent");
    const unsigned b = RegisterWindowMessage("TaskbarCreated");
    EXPECT_GE(a, 0xC000u);
    EXPECT_NE(a, b);
    EXPECT_EQ(RegisterWindowMessage("AdapterStatusEvent"), a);
}

TEST(WindowMessage, PostsArriveInOrderOnTheWindowsThread) {
    App();
    Window window;
    std::thread([&] {
        window.PostWindowMessage(WM_APP + 30, 0);
        window.PostWindowMessage(WM_APP + 80);
    }).join();
    EXPECT_TRUE(window.seen.empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(window.seen, (std::vector<unsigned> {WM_APP + 30, WM_APP + 80}));
}

TEST(WindowMessage, SendFromAnotherThreadWaitsForTheResult) {
    App();
    Window window;
    std::atomic<bool> returned {false};
    intptr_t result = 0;
    bool delivered = false;
    std::thread sender([&] {
        delivered = window.SendWindowMessage(WM_APP + 1, 40, 2, &result);
        returned = true;
    });
    while (!returned) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    sender.join();
    EXPECT_TRUE(delivered);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(window.seen.size(), 1u);
}

TEST(WindowMessage, ClosingReleasesAWaitingSenderAndRefusesLaterOnes) {
    App();
    Window window;
    std::atomic<bool> returned {false};
    bool delivered = true;
    std::thread sender([&] {
        delivered = window.SendWindowMessage(WM_APP + 1, 1, 1);
        returned = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    window.CloseWindowMessages();  // the window starts closing without handling the send
    sender.join();
    EXPECT_TRUE(returned);
    EXPECT_FALSE(delivered);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.seen.empty());  // the stale event is dropped, not handled late
    EXPECT_FALSE(window.PostWindowMessage(WM_APP + 80));
    EXPECT_FALSE(window.SendWindowMessage(WM_APP + 80, 0, 0));
}

}  // namespace
