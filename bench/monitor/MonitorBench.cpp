// One collection cycle and the getters of a Current Status refresh, on the simulated default
// world and on a fake client whose calls cost next to nothing (the monitor's own share).
#include "tests/monitor/FakeClient.h"
#include "zelcore/sim/SimControl.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

struct BenchRoot {
    BenchRoot() {
        dir = std::filesystem::temp_directory_path() / ("zelvo-monitor-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        setenv("ZELVO_ROOT", dir.c_str(), 1);
    }
    ~BenchRoot() { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

// Monitor on the simulated default world, through the manager as the program gets it.
struct SimSetup {
    SimSetup() {
        SimControl::Reset();
        root = WcLoadAPI2(0, nullptr);
        WgClientRoot::Set(root);
        root->GetAdapterManager(&adapterManager, 0);
        adapterManager->GetAdapter(0, &adapter);
        WgAdapterMonitorManager::GetAdapterMonitorManager()->GetAdapterMonitor(adapter, &monitor);
        monitor->RunCycle();
    }
    ~SimSetup() {
        monitor->Release();
        WgAdapterMonitorManager::destroy();
        adapter->Release();
        adapterManager->Release();
        WgClientRoot::Set(nullptr);
        root->Release();
    }
    BenchRoot benchRoot;
    Zelcore* root = nullptr;
    WcAdapterManager* adapterManager = nullptr;
    WcAdapter* adapter = nullptr;
    WgAdapterMonitor* monitor = nullptr;
};

struct FakeSetup {
    FakeSetup() {
        WgClientRoot::Set(&root);
        monitor = new WgAdapterMonitor(&adapter);
        monitor->RunCycle();
    }
    ~FakeSetup() {
        monitor->Release();
        WgClientRoot::Set(nullptr);
    }
    BenchRoot benchRoot;
    FakeRoot root;
    FakeAdapter adapter {"Wireless Adapter 1"};
    WgAdapterMonitor* monitor = nullptr;
};

// The monitor values a Current Status refresh reads.
void StatusRefresh(WgAdapterMonitor* monitor) {
    QString encryption, mode, channel, link, networkType, signal;
    int authenticated = 0, associated = 0;
    long rssi = 0;
    WcConnectionMode connectionMode = WC_CONNECTION_MODE_NORMAL;
    monitor->GetEncryptionType(encryption);
    monitor->GetWirelessMode(mode);
    monitor->GetChannel(channel);
    monitor->GetLinkStatus(link);
    monitor->GetCurrentNetworkType(networkType);
    monitor->Authenticated(&authenticated);
    monitor->IsAssociated(&associated);
    monitor->GetRSSI(&rssi);
    monitor->GetSignalStrength(signal);
    monitor->GetConnectionMode(&connectionMode);
    benchmark::DoNotOptimize(encryption);
    benchmark::DoNotOptimize(signal);
    benchmark::DoNotOptimize(rssi);
}

void BM_CycleSimulatedWorld(benchmark::State& state) {
    SimSetup setup;
    for (auto _ : state) setup.monitor->RunCycle();
}
BENCHMARK(BM_CycleSimulatedWorld);

void BM_CycleMonitorShare(benchmark::State& state) {
    FakeSetup setup;
    for (auto _ : state) setup.monitor->RunCycle();
}
BENCHMARK(BM_CycleMonitorShare);

void BM_StatusRefreshSimulatedWorld(benchmark::State& state) {
    SimSetup setup;
    for (auto _ : state) StatusRefresh(setup.monitor);
}
BENCHMARK(BM_StatusRefreshSimulatedWorld);

void BM_StatusRefreshMonitorShare(benchmark::State& state) {
    FakeSetup setup;
    for (auto _ : state) StatusRefresh(setup.monitor);
}
BENCHMARK(BM_StatusRefreshMonitorShare);

}  // namespace

BENCHMARK_MAIN();
