// The monitor on the simulated client library: failure injection per operation, and adapter
// removal and insertion through the world file and the manager's notification sink.
#include "MonitorFixture.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimWorldParser.h"

namespace {

class SimMonitor : public MonitorFixture {
protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        world_ = SimDefaultWorld::Build();
        WriteWorld();
        SimControl::Reset();
        client_ = WcLoadAPI2(0, nullptr);
        ASSERT_NE(client_, nullptr);
        WgClientRoot::Set(client_);
        ASSERT_EQ(client_->GetAdapterManager(&adapterManager_, 0), WC_STATUS_SUCCESS);
        ASSERT_EQ(adapterManager_->GetAdapter(0, &adapter_), WC_STATUS_SUCCESS);
        manager_ = WgAdapterMonitorManager::GetAdapterMonitorManager();
        ASSERT_NE(manager_, nullptr);
        ASSERT_EQ(manager_->GetAdapterMonitor(adapter_, &monitor_), WG_SUCCESS);
    }
    void TearDown() override {
        if (monitor_) monitor_->Release();
        WgAdapterMonitorManager::destroy();
        EXPECT_TRUE(Eventually([] { return WgAdapterMonitor::LiveCount() == 0; }));
        if (adapter_) adapter_->Release();
        if (adapterManager_) adapterManager_->Release();
        SimControl::ClearFailures();
        WgClientRoot::Set(nullptr);
        if (client_) client_->Release();
        MonitorFixture::TearDown();
    }
    void WriteWorld() {
        std::filesystem::create_directories(root_ / "zelcore");
        std::ofstream(root_ / "zelcore" / "world.json") << SimWorldParser::Write(world_);
    }
    void SetPresent(bool present) {
        world_.adapters[0].present = present;
        WriteWorld();
        ASSERT_TRUE(SimControl::ReloadWorld());
        ASSERT_TRUE(SimControl::WaitForEvents(5000));
    }
    bool RadioKnown() {
        WcDriverRadioState radio;
        return monitor_->GetRadioEnableStatus(&radio) == WG_SUCCESS;
    }

    SimWorld world_;
    Zelcore* client_ = nullptr;
    WcAdapterManager* adapterManager_ = nullptr;
    WcAdapter* adapter_ = nullptr;
    WgAdapterMonitorManager* manager_ = nullptr;
    WgAdapterMonitor* monitor_ = nullptr;
};

TEST_F(SimMonitor, FailedOperationsClearTheirGroups) {
    monitor_->RunCycle();
    ASSERT_TRUE(RadioKnown());
    std::string name;
    EXPECT_EQ(manager_->GetAdapterName(monitor_, &name), WG_SUCCESS);
    EXPECT_EQ(name, "Kovanta 802.11a/b/g Wireless Adapter");

    const struct {
        const char* op;
        bool radioKnown;   // the diagnostic record and radio state survive
        bool scanList;     // the scan list group survives
        bool cleared;      // every flag and counter of the cycle is cleared
    } cases[] = {
        {"WcAdapterDriver::GetDiagnosticData", false, false, true},
        {"WcAdapterDriver::GetStatistics", false, false, true},
        {"WcAdapterDriver::GetStatistics2", false, false, true},
        {"WcAdapterDriver::GetRadioState", false, true, false},
        {"WcAdapterDriver::GetBSSIDList", true, false, false},
    };
    for (const auto& c : cases) {
        SimControl::FailNext(c.op, WC_STATUS_FAILURE, 1);
        monitor_->RunCycle();
        EXPECT_EQ(RadioKnown(), c.radioKnown) << c.op;
        uint32_t count = 99;
        EXPECT_EQ(monitor_->GetBssidList(nullptr, &count), WG_SUCCESS) << c.op;
        EXPECT_EQ(count > 0, c.scanList && c.radioKnown) << c.op;
        QString text;
        monitor_->GetWirelessMode(text);
        EXPECT_EQ(text == " ", !c.radioKnown) << c.op;
        if (c.cleared) {
            long rssi = 5;
            EXPECT_EQ(monitor_->GetRSSI(&rssi), WG_NO_DATA) << c.op;
            uint64_t counters[WgAdapterMonitor::STATISTICS_COUNT];
            monitor_->GetDriverStatistics(counters);
            for (uint64_t counter : counters) EXPECT_EQ(counter, 0u) << c.op;
        }
        // The next cycle recovers.
        monitor_->RunCycle();
        EXPECT_TRUE(RadioKnown()) << c.op;
    }
    EXPECT_GE(SimControl::CallCount("WcAdapterDriver::GetDiagnosticData"), 10u);
}

TEST_F(SimMonitor, RadioSwitchedOffInTheWorld) {
    world_.adapters[0].hardwareRadioOff = true;
    WriteWorld();
    ASSERT_TRUE(SimControl::ReloadWorld());
    monitor_->RunCycle();
    WcDriverRadioState radio = WC_RADIO_ON;
    EXPECT_EQ(monitor_->GetRadioEnableStatus(&radio), WG_SUCCESS);
    EXPECT_EQ(radio & WC_RADIO_OFF_HARDWARE, WC_RADIO_OFF_HARDWARE);
    QString text;
    monitor_->GetLinkStatus(text);
    EXPECT_EQ(text.toStdString(), "Not Associated");
    monitor_->GetChannel(text);
    EXPECT_EQ(text.toStdString(), " ");
}

class ThreadsSimMonitor : public SimMonitor {};

TEST_F(ThreadsSimMonitor, RemovalAndInsertionThroughTheWorldFile) {
    WgMonitorState state;
    state.SetRefreshInterval(10);
    monitor_->SetMonitorState(state);
    ASSERT_EQ(monitor_->StartMonitoring(), WG_SUCCESS);
    ASSERT_TRUE(Eventually([&] { return RadioKnown(); }));

    SetPresent(false);
    EXPECT_TRUE(Eventually([&] { return monitor_->GetRunState() == WgAdapterMonitor::RUN_STATE_PAUSED; }));
    EXPECT_FALSE(RadioKnown());
    QString text;
    EXPECT_EQ(monitor_->GetLinkStatus(text), WG_NO_ADAPTER);
    uint32_t count = 0;
    EXPECT_EQ(monitor_->GetBssidList(nullptr, &count), WG_NO_ADAPTER);
    const uint64_t calls = SimControl::CallCount("WcAdapterDriver::GetDiagnosticData");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(SimControl::CallCount("WcAdapterDriver::GetDiagnosticData"), calls);  // idle

    SetPresent(true);
    EXPECT_TRUE(Eventually([&] { return monitor_->GetRunState() == WgAdapterMonitor::RUN_STATE_RUNNING; }));
    EXPECT_TRUE(Eventually([&] { return RadioKnown(); }));
    // Still filed under the same name; a fresh lookup finds the same monitor.
    WcAdapter* again = nullptr;
    ASSERT_EQ(adapterManager_->GetAdapter(0, &again), WC_STATUS_SUCCESS);
    WgAdapterMonitor* same = nullptr;
    ASSERT_EQ(manager_->GetAdapterMonitor(again, &same), WG_SUCCESS);
    EXPECT_EQ(same, monitor_);
    same->Release();
    again->Release();
}

}  // namespace
