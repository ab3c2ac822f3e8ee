// Notifications: adapters inserted and removed through the world file, the profile store's
// changes, and the guarantee that a sink is never called once unregistering returned.
#include <atomic>
#include <thread>

#include "ZelcoreFixture.h"

TEST_F(QuickWorldTest, RemovingAndInsertingTheAdapterNotifiesTheManagersSinks) {
    ASSERT_EQ(manager->RegisterForEvents(&managerSink, WC_NOTIFY_ADAPTER_REMOVED | WC_NOTIFY_ADAPTER_INSERT),
              WC_STATUS_SUCCESS);
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ADAPTER_STATUS), WC_STATUS_SUCCESS);

    SimWorld world = QuickWorld();
    world.adapters[0].present = false;
    WriteWorld(world);  // picked up by the library's own watch, not by a reload call
    ASSERT_TRUE(managerSink.WaitForFlag(WC_NOTIFY_ADAPTER_REMOVED));
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_ADAPTER_STATUS, WC_ADAPTER_STATUS_REMOVED));
    uint32_t count = 9;
    ASSERT_EQ(manager->GetAdapterCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_REMOVED));  // the object stays valid while held
    WcDriverDiagnosticData d{};
    EXPECT_EQ(driver->GetDiagnosticData(&d), WC_STATUS_NOT_FOUND);
    WcAdapter* none = nullptr;
    EXPECT_EQ(manager->GetAdapter(0, &none), WC_STATUS_NOT_FOUND);

    WriteWorld(QuickWorld());
    ASSERT_TRUE(managerSink.WaitForFlag(WC_NOTIFY_ADAPTER_INSERT));
    ASSERT_EQ(manager->GetAdapterCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 1u);
    WcAdapter* again = nullptr;
    ASSERT_EQ(manager->GetAdapter(0, &again), WC_STATUS_SUCCESS);
    uint32_t state = 0;
    ASSERT_EQ(again->GetState(&state), WC_STATUS_SUCCESS);
    EXPECT_EQ(state, uint32_t(WC_ADAPTER_STATE_DISCONNECTED));
    again->Release();
    const auto flags = managerSink.flagsSeen.Items();
    ASSERT_EQ(flags.size(), 2u);  // state changes were not asked for
    EXPECT_EQ(flags[0], uint32_t(WC_NOTIFY_ADAPTER_REMOVED));
    EXPECT_EQ(flags[1], uint32_t(WC_NOTIFY_ADAPTER_INSERT));
}

TEST_F(QuickWorldTest, DisablingTheAdapterReportsItsStateAndRefusesDriverCalls) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ADAPTER_STATUS), WC_STATUS_SUCCESS);
    SimWorld world = QuickWorld();
    world.adapters[0].enabled = false;
    WriteWorld(world);
    ASSERT_TRUE(SimControl::ReloadWorld());
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_ADAPTER_STATUS, WC_ADAPTER_STATUS_DISABLED));
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DISABLED));
    uint32_t count = 0;
    ASSERT_EQ(manager->GetAdapterCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 1u);  // a disabled adapter is still there
    uint32_t radio = 0;
    EXPECT_EQ(driver->GetRadioState(&radio), WC_STATUS_NOT_AVAILABLE);

    WriteWorld(QuickWorld());
    ASSERT_TRUE(SimControl::ReloadWorld());
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_ADAPTER_STATUS, WC_ADAPTER_STATUS_ENABLED));
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DISCONNECTED));
}

TEST_F(QuickWorldTest, MalformedWorldFileKeepsThePreviousWorld) {
    const std::string bad[] = {
        "{ not json",
        std::string(4 * 1024 * 1024 + 1, ' '),  // larger than any world; never read whole
        R"({"adapters": [{"id": "x", "name": "X", "mac": "00-11-22-33-44-55", "colour": "red"}]})",
        R"({"accessPoints": [{"ssid": "A", "bssid": "00-11-22-33-44-55", "mode": "a", "channel": 6}]})",
    };
    for (const std::string& text : bad) {
        SCOPED_TRACE(text.substr(0, 80));
        WriteWorldText(text);
        EXPECT_FALSE(SimControl::ReloadWorld());
        uint32_t count = 0;
        ASSERT_EQ(manager->GetAdapterCount(&count), WC_STATUS_SUCCESS);
        EXPECT_EQ(count, 1u);
        ASSERT_EQ(driver->RefreshBSSISList(), WC_STATUS_SUCCESS);
        std::vector<WcBSSID> list;
        ASSERT_EQ(driver->GetBSSIDList(&list), WC_STATUS_SUCCESS);
        EXPECT_EQ(list.size(), QuickWorld().accessPoints.size());
    }
}

TEST_F(QuickWorldTest, StoringAProfileTellsTheAdapterSinksTheStoreChanged) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_APS_STATUS), WC_STATUS_SUCCESS);
    MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_APS_STATUS, WC_APS_STATUS_PROFILE_STORE_CHANGED));
}

// A sink whose call blocks until released, to catch a delivery racing with unregistering.
class BlockingSink : public WcAdapterEventSink {
public:
    void OnStatusEvent(uint32_t, uint32_t, const char*, WcAdapter*) override {
        calls++;
        entered = true;
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        finished = true;
    }
    std::atomic<int> calls{0};
    std::atomic<bool> entered{false}, release{false}, finished{false};
};

TEST_F(QuickWorldTest, UnregisteringWaitsForADeliveryInProgressAndEndsDeliveries) {
    BlockingSink blocking;
    ASSERT_EQ(adapter->RegisterForEvents(&blocking, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->SetRadioState(WC_RADIO_OFF_SOFTWARE), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->SetRadioState(WC_RADIO_ON), WC_STATUS_SUCCESS);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!blocking.entered && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_TRUE(blocking.entered);

    std::atomic<bool> unregistered{false};
    std::thread other([&] {
        EXPECT_EQ(adapter->UnregisterForEvents(&blocking), WC_STATUS_SUCCESS);
        unregistered = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(unregistered);  // still inside the sink's call
    blocking.release = true;
    other.join();
    EXPECT_TRUE(blocking.finished);
    const int callsAtUnregister = blocking.calls;

    // The connection goes on producing events; none reaches the unregistered sink.
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    EXPECT_EQ(blocking.calls, callsAtUnregister);
    EXPECT_EQ(adapter->UnregisterForEvents(&blocking), WC_STATUS_NOT_FOUND);
}

// A sink may unregister itself from inside its own call without waiting for itself.
class SelfRemovingSink : public WcAdapterEventSink {
public:
    explicit SelfRemovingSink(WcAdapter* adapter) : m_adapter(adapter) {}
    void OnStatusEvent(uint32_t, uint32_t, const char*, WcAdapter*) override {
        calls++;
        result = m_adapter->UnregisterForEvents(this);
    }
    std::atomic<int> calls{0};
    std::atomic<WcStatus> result{99};

private:
    WcAdapter* m_adapter;
};

TEST_F(QuickWorldTest, SinkMayUnregisterItselfDuringItsCall) {
    SelfRemovingSink self(adapter);
    ASSERT_EQ(adapter->RegisterForEvents(&self, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    EXPECT_EQ(self.calls, 1);
    EXPECT_EQ(self.result, WC_STATUS_SUCCESS);
}
