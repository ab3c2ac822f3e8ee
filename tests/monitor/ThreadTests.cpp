// The polling thread: start, pause, resume and stop handshakes, interval changes, and a monitor
// released while its thread is stuck. Suites are named Threads* (CTest label "threads").
#include "MonitorFixture.h"
#include "zelgui/monitor/WgLibraryLock.h"

namespace {

class ThreadsMonitor : public MonitorFixture {
protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        monitor_ = new WgAdapterMonitor(&adapter_);
        WgMonitorState state;
        state.SetRefreshInterval(10);
        monitor_->SetMonitorState(state);
    }
    void TearDown() override {
        adapter_.Unblock();
        if (monitor_) monitor_->Release();
        EXPECT_TRUE(Eventually([] { return WgAdapterMonitor::LiveCount() == 0; }));
        MonitorFixture::TearDown();
    }
    // Collections stay at the same count over several intervals.
    bool Quiet() {
        const int before = adapter_.diagCalls;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return adapter_.diagCalls == before;
    }
    FakeAdapter adapter_ {"Wireless Adapter 1"};
    WgAdapterMonitor* monitor_ = nullptr;
};

TEST_F(ThreadsMonitor, StartsRunningAndCollects) {
    EXPECT_EQ(monitor_->GetRunState(), WgAdapterMonitor::RUN_STATE_PAUSED);
    EXPECT_EQ(monitor_->StartMonitoring(), WG_SUCCESS);
    EXPECT_TRUE(Eventually([&] { return adapter_.diagCalls >= 3; }));
    EXPECT_EQ(monitor_->GetRunState(), WgAdapterMonitor::RUN_STATE_RUNNING);
    QString name;
    EXPECT_TRUE(Eventually([&] {
        monitor_->GetNetworkName(name);
        return name == "HomeNet";
    }));
    EXPECT_EQ(monitor_->StartMonitoring(), WG_SUCCESS);  // one thread in a monitor's life
}

TEST_F(ThreadsMonitor, StartReturnsOnceTheFirstCollectionIsDone) {
    // However long the settle limit, the start waits for the first collection only.
    WgAdapterMonitor::WaitLimits limits;
    limits.startSettle = std::chrono::minutes(10);
    WgAdapterMonitor::SetWaitLimits(limits);
    EXPECT_EQ(monitor_->StartMonitoring(), WG_SUCCESS);
    EXPECT_GE(adapter_.diagCalls, 1);
    QString name;
    monitor_->GetNetworkName(name);
    EXPECT_EQ(name, "HomeNet");
}

TEST_F(ThreadsMonitor, PauseAndResumeAreAcknowledged) {
    WgSetTrace(true);
    monitor_->StartMonitoring();
    ASSERT_TRUE(Eventually([&] { return adapter_.diagCalls >= 1; }));
    for (int round = 0; round < 5; ++round) {
        EXPECT_EQ(monitor_->PauseMonitoring(), WG_SUCCESS);
        EXPECT_EQ(monitor_->GetRunState(), WgAdapterMonitor::RUN_STATE_PAUSED);
        EXPECT_TRUE(Quiet()) << round;
        const int before = adapter_.diagCalls;
        EXPECT_EQ(monitor_->ResumeMonitoring(), WG_SUCCESS);
        // The resume is acknowledged after the first collection that follows it.
        EXPECT_GT(adapter_.diagCalls, before) << round;
    }
    EXPECT_EQ(monitor_->PauseMonitoring(), WG_SUCCESS);
    EXPECT_EQ(monitor_->PauseMonitoring(), WG_SUCCESS);  // already paused: nothing to wait for
    EXPECT_TRUE(Quiet());
    EXPECT_EQ(Trace().find("no acknowledgement"), std::string::npos);
}

TEST_F(ThreadsMonitor, LateAcknowledgementNeverEndsALaterWait) {
    WgAdapterMonitor::WaitLimits limits = WgAdapterMonitor::GetWaitLimits();
    limits.acknowledge = std::chrono::milliseconds(50);
    WgAdapterMonitor::SetWaitLimits(limits);
    monitor_->StartMonitoring();
    ASSERT_TRUE(Eventually([&] { return adapter_.diagCalls >= 1; }));
    {
        // The thread's next cycle waits for the library lock held here, so both waits run out
        // unanswered (the handshakes themselves must not need the lock while waiting).
        std::lock_guard hold(WgLibraryLock());
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        monitor_->PauseMonitoring();
        monitor_->ResumeMonitoring();
        limits.acknowledge = std::chrono::milliseconds(5000);
        WgAdapterMonitor::SetWaitLimits(limits);
    }
    // This pause must wait for its own acknowledgement, not take the stale one: once it
    // returns, the thread is idle.
    monitor_->PauseMonitoring();
    EXPECT_TRUE(Quiet());
    EXPECT_EQ(monitor_->ResumeMonitoring(), WG_SUCCESS);
    EXPECT_TRUE(Eventually([&] { return !Quiet(); }));
}

TEST_F(ThreadsMonitor, IntervalChangeTakesEffectAtOnce) {
    WgMonitorState slow;
    slow.SetRefreshInterval(600000);
    monitor_->SetMonitorState(slow);
    monitor_->StartMonitoring();
    ASSERT_TRUE(Eventually([&] { return adapter_.diagCalls >= 1; }));
    EXPECT_TRUE(Quiet());
    WgMonitorState fast;
    fast.SetRefreshInterval(10);
    monitor_->SetMonitorState(fast);
    const int before = adapter_.diagCalls;
    EXPECT_TRUE(Eventually([&] { return adapter_.diagCalls >= before + 3; }));
}

TEST_F(ThreadsMonitor, ReleasedWhileTheThreadIsStuckFreesOnlyWhenItEnds) {
    WgAdapterMonitor::WaitLimits limits = WgAdapterMonitor::GetWaitLimits();
    limits.stop = std::chrono::milliseconds(50);
    WgAdapterMonitor::SetWaitLimits(limits);
    monitor_->StartMonitoring();
    adapter_.BlockDiagnostics();
    ASSERT_TRUE(Eventually([&] { return adapter_.entered.load(); }));
    EXPECT_EQ(monitor_->Release(), 0u);
    monitor_ = nullptr;
    // Handed over: the thread still works on the monitor, which is still there.
    EXPECT_EQ(WgAdapterMonitor::LiveCount(), 1);
    EXPECT_EQ(adapter_.refs, 1);
    adapter_.Unblock();
    EXPECT_TRUE(Eventually([] { return WgAdapterMonitor::LiveCount() == 0; }));
    EXPECT_EQ(adapter_.refs, 0);
}

TEST_F(ThreadsMonitor, GettersDuringCollectionsAndRemoval) {
    monitor_->StartMonitoring();
    std::atomic<bool> stop {false};
    std::thread notifier([&] {
        for (int i = 0; i < 50 && !stop; ++i) {
            monitor_->AdapterRemoved();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            monitor_->AdapterInserted(&adapter_);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    for (int i = 0; i < 200; ++i) {
        QString text;
        monitor_->GetLinkStatus(text);
        monitor_->GetChannel(text);
        monitor_->GetNetworkName(text);
        int flag = 0;
        monitor_->Authenticated(&flag);
        uint32_t count = 0;
        std::vector<WcBSSID> list;
        monitor_->GetBssidList(&list, &count);
        EXPECT_EQ(list.size(), count);
    }
    stop = true;
    notifier.join();
}

// ---- the manager with a fake adapter manager ---------------------------------------------------

class ThreadsManager : public MonitorFixture {
protected:
    FakeAdapter adapter_ {"Wireless Adapter 1"};
};

TEST_F(ThreadsManager, NotificationsRaceWithGettersAndDestroy) {
    WgAdapterMonitorManager* manager = WgAdapterMonitorManager::GetAdapterMonitorManager();
    ASSERT_NE(manager, nullptr);
    WcAdapterManagerSink* sink = fakeRoot_.adapterManager.sink;
    ASSERT_EQ(sink, manager);
    WgAdapterMonitor* monitor = nullptr;
    ASSERT_EQ(manager->GetAdapterMonitor(&adapter_, &monitor), WG_SUCCESS);
    WgMonitorState state;
    state.SetRefreshInterval(10);
    monitor->SetMonitorState(state);
    monitor->StartMonitoring();
    std::thread notifier([&] {
        for (int i = 0; i < 100; ++i) {
            sink->OnAdapterEvent(i % 2 ? WC_NOTIFY_ADAPTER_INSERT : WC_NOTIFY_ADAPTER_REMOVED, &adapter_);
            std::this_thread::yield();
        }
    });
    for (int i = 0; i < 100; ++i) {
        WgAdapterMonitor* again = nullptr;
        ASSERT_EQ(manager->GetAdapterMonitor(&adapter_, &again), WG_SUCCESS);
        EXPECT_EQ(again, monitor);
        QString text;
        again->GetLinkStatus(text);
        again->Release();
    }
    notifier.join();
    // Destroy while the caller still holds the monitor: it survives and keeps polling.
    EXPECT_EQ(WgAdapterMonitorManager::destroy(), WG_SUCCESS);
    EXPECT_EQ(fakeRoot_.adapterManager.sink.load(), nullptr);
    EXPECT_EQ(WgAdapterMonitor::LiveCount(), 1);
    monitor->AdapterInserted(&adapter_);
    const int before = adapter_.diagCalls;
    EXPECT_TRUE(Eventually([&] { return adapter_.diagCalls > before; }));
    EXPECT_EQ(monitor->Release(), 0u);
    EXPECT_TRUE(Eventually([] { return WgAdapterMonitor::LiveCount() == 0; }));
    EXPECT_EQ(adapter_.refs, 0);
}

}  // namespace
