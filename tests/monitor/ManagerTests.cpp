// The monitor manager with a fake client: sharing by name, reference counts, names, routing.
#include "MonitorFixture.h"

namespace {

class MonitorManager : public MonitorFixture {
protected:
    FakeAdapter adapter_ {"Wireless Adapter 1"};
};

TEST_F(MonitorManager, SharesOneMonitorPerAdapterName) {
    WgAdapterMonitorManager* manager = WgAdapterMonitorManager::GetAdapterMonitorManager();
    ASSERT_NE(manager, nullptr);
    EXPECT_EQ(manager, WgAdapterMonitorManager::GetAdapterMonitorManager());
    EXPECT_EQ(fakeRoot_.adapterManager.mask.load(), 3u);
    EXPECT_EQ(manager->GetVersion(), 2u);
    EXPECT_EQ(manager->OnReserved1(), 255u);
    EXPECT_EQ(manager->OnReserved2(), 255u);

    WgAdapterMonitor* first = nullptr;
    WgAdapterMonitor* second = nullptr;
    ASSERT_EQ(manager->GetAdapterMonitor(&adapter_, &first), WG_SUCCESS);
    ASSERT_EQ(manager->GetAdapterMonitor(&adapter_, &second), WG_SUCCESS);
    EXPECT_EQ(first, second);
    // Map, first caller, second caller.
    EXPECT_EQ(first->AddRef(), 4u);
    EXPECT_EQ(first->Release(), 3u);

    // A new adapter object with the same name finds the old monitor.
    FakeAdapter sameName("Wireless Adapter 1");
    WgAdapterMonitor* third = nullptr;
    ASSERT_EQ(manager->GetAdapterMonitor(&sameName, &third), WG_SUCCESS);
    EXPECT_EQ(third, first);
    // Names compare exactly.
    FakeAdapter otherCase("wireless adapter 1");
    WgAdapterMonitor* fourth = nullptr;
    ASSERT_EQ(manager->GetAdapterMonitor(&otherCase, &fourth), WG_SUCCESS);
    EXPECT_NE(fourth, first);

    std::string name;
    EXPECT_EQ(manager->GetAdapterName(fourth, &name), WG_SUCCESS);
    EXPECT_EQ(name, "wireless adapter 1");
    EXPECT_EQ(manager->GetAdapterName(nullptr, &name), WG_NULL_POINTER);
    EXPECT_EQ(manager->GetAdapterMonitor(nullptr, &first), WG_NULL_POINTER);
    EXPECT_EQ(manager->GetAdapterMonitor(&adapter_, nullptr), WG_NULL_POINTER);
    EXPECT_EQ(manager->Register(first, nullptr), WG_NULL_POINTER);

    for (WgAdapterMonitor* m : {first, second, third, fourth}) m->Release();
    EXPECT_EQ(WgAdapterMonitor::LiveCount(), 2);
    WgAdapterMonitorManager::destroy();
    EXPECT_EQ(WgAdapterMonitor::LiveCount(), 0);
    EXPECT_EQ(adapter_.refs, 0);
    EXPECT_EQ(otherCase.refs, 0);
    EXPECT_EQ(WgAdapterMonitorManager::destroy(), WG_SUCCESS);  // nothing left: still fine
}

TEST_F(MonitorManager, UnregisteredMonitorHasNoName) {
    WgAdapterMonitorManager* manager = WgAdapterMonitorManager::GetAdapterMonitorManager();
    WgAdapterMonitor* loose = new WgAdapterMonitor(&adapter_);
    std::string name = "kept";
    EXPECT_EQ(manager->GetAdapterName(loose, &name), WG_NOT_FOUND);
    EXPECT_EQ(name, "kept");
    // SetAdapter files it; the map then holds a reference of its own.
    FakeAdapter renamed("Wireless Adapter 2");
    EXPECT_EQ(loose->SetAdapter(&renamed), WG_SUCCESS);
    EXPECT_EQ(manager->GetAdapterName(loose, &name), WG_SUCCESS);
    EXPECT_EQ(name, "Wireless Adapter 2");
    EXPECT_EQ(adapter_.refs, 0);
    EXPECT_EQ(renamed.refs, 1);
    EXPECT_EQ(loose->Release(), 1u);
    WgAdapterMonitorManager::destroy();
    EXPECT_EQ(WgAdapterMonitor::LiveCount(), 0);
    EXPECT_EQ(renamed.refs, 0);
}

TEST_F(MonitorManager, NotificationsReachTheNamedMonitor) {
    WgSetTrace(true);
    WgAdapterMonitorManager* manager = WgAdapterMonitorManager::GetAdapterMonitorManager();
    WgAdapterMonitor* monitor = nullptr;
    ASSERT_EQ(manager->GetAdapterMonitor(&adapter_, &monitor), WG_SUCCESS);
    monitor->AdapterInserted(&adapter_);  // running, as a started monitor would be
    monitor->RunCycle();
    FakeAdapter stranger("Other Adapter");

    const struct {
        uint32_t flags;
        WcAdapter* adapter;
        uint32_t result;
        uint32_t runState;
        int refs;
    } cases[] = {
        {WC_NOTIFY_ADAPTER_REMOVED | WC_NOTIFY_ADAPTER_INSERT, &adapter_, 0, WgAdapterMonitor::RUN_STATE_PAUSED, 0},
        {WC_NOTIFY_ADAPTER_INSERT, &adapter_, 0, WgAdapterMonitor::RUN_STATE_RUNNING, 1},
        {WC_NOTIFY_ADAPTER_INSERT, &stranger, 0, WgAdapterMonitor::RUN_STATE_RUNNING, 1},
        {WC_NOTIFY_ADAPTER_STATE_CHANGE, &adapter_, 0, WgAdapterMonitor::RUN_STATE_RUNNING, 1},
        {WC_NOTIFY_ADAPTER_REMOVED, nullptr, 1, WgAdapterMonitor::RUN_STATE_RUNNING, 1},
        {WC_NOTIFY_ADAPTER_REMOVED, &adapter_, 0, WgAdapterMonitor::RUN_STATE_PAUSED, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(manager->OnAdapterEvent(c.flags, c.adapter), c.result) << c.flags;
        EXPECT_EQ(monitor->GetRunState(), c.runState) << c.flags;
        EXPECT_EQ(adapter_.refs, c.refs) << c.flags;
    }
    QString text;
    EXPECT_EQ(monitor->GetNetworkName(text), WG_SUCCESS);
    EXPECT_EQ(text.toStdString(), " ");
    const std::string trace = Trace();
    EXPECT_NE(trace.find("WgAdapterMonitor: EVENT: WC_NOTIFY_ADAPTER_REMOVED\n"), std::string::npos);
    EXPECT_NE(trace.find("WgAdapterMonitor: EVENT: WC_NOTIFY_ADAPTER_INSERT\n"), std::string::npos);
    EXPECT_NE(trace.find("WgAdapterMonitor: AdapterRemoved: Suspended Monitor\n"), std::string::npos);
    EXPECT_NE(trace.find("WgAdapterMonitor: AdapterInserted: Resumed Monitor\n"), std::string::npos);
    monitor->Release();
}

}  // namespace
