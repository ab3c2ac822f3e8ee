// One full collection of what the adapter monitor reads per cycle: the diagnostic record, both
// statistics records, a scan list of 50 networks and the single values, on a connected adapter.
// Target: under 20 microseconds per collection.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimWorldParser.h"

namespace {

// The built-in world plus open networks up to 50, one of them the station's.
SimWorld FiftyNetworks() {
    SimWorld world = SimDefaultWorld::Build();
    world.stepMs = 1;
    for (int i = 0; world.accessPoints.size() < 50; ++i) {
        SimAccessPoint ap;
        ap.ssid = "Net" + std::to_string(i);
        const uint8_t bssid[6] = {0x00, 0x50, 0xF2, 0x00, uint8_t(i / 256), uint8_t(i % 256)};
        ap.bssid = WuMacAddress(bssid);
        ap.wirelessMode = i % 3 == 0 ? 0x1 : 0x8;
        ap.channel = i % 3 == 0 ? 36 + 4 * (i % 8) : 1 + i % 11;
        ap.rssi = -50 - i % 40;
        ap.subnet = "10.1." + std::to_string(i);
        world.accessPoints.push_back(ap);
    }
    return world;
}

struct Session {
    std::string root;
    Zelcore* api = nullptr;
    WcAdapterManager* manager = nullptr;
    WcAdapter* adapter = nullptr;
    WcAdapterDriver* driver = nullptr;

    bool Open() {
        char pattern[] = "/tmp/zelcore-bench-XXXXXX";
        if (!mkdtemp(pattern)) return false;
        root = pattern;
        setenv("ZELVO_ROOT", root.c_str(), 1);
        std::filesystem::create_directories(root + "/zelcore");
        std::ofstream(root + "/zelcore/world.json") << SimWorldParser::Write(FiftyNetworks());
        SimControl::Reset();
        api = ZelcoreLoader::Load(ZELCORE_BENCH_LIBDIR, 0x20000);
        if (!api || api->GetAdapterManager(&manager, 0) || manager->GetAdapter(0, &adapter) ||
            adapter->GetAdapterDriver(&driver, 0))
            return false;
        // Join an open network and wait for the link, so every value exists.
        WcProfileManager* profiles = nullptr;
        WcAdapterConfig* config = nullptr;
        WcProfile* profile = nullptr;
        if (api->GetProfileManager(&profiles, 0) || adapter->GetAdapterConfig(&config, 0) ||
            profiles->CreateProfile(0, &profile))
            return false;
        WcProfileData data;
        profile->GetData(&data);
        data.profileName = "Bench";
        data.ssid = {"Net0", "", ""};
        data.networkType = 1;
        data.securityType = 0;
        data.wirelessModes = 0;
        if (profile->SetData(&data) || config->SetActiveProfile(profile, 0)) return false;
        for (int i = 0; i < 500; ++i) {
            uint32_t state = 0;
            adapter->GetState(&state);
            if (state == WC_ADAPTER_STATE_CONNECTED) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    void Close() {
        if (adapter) adapter->Release();
        if (manager) manager->Release();
        if (api) api->Release();
        SimControl::Reset();
        std::filesystem::remove_all(root);
    }
};

void BM_MonitorCycle(benchmark::State& state) {
    Session s;
    if (!s.Open()) {
        state.SkipWithError("the simulated adapter did not connect");
        s.Close();
        return;
    }
    WcAdapterDriver* d = s.driver;
    WcDriverDiagnosticData diag{};
    WcDriverStatisticData stats{};
    WcDriverStatisticData2 stats2{};
    std::vector<WcBSSID> scan;
    WcAPInfo ap;
    uint32_t u = 0;
    int32_t i = 0;
    size_t networks = 0;
    for (auto _ : state) {
        d->GetDiagnosticData(&diag);
        d->GetConnectionMode(&u);
        d->GetRadioState(&u);
        d->GetAPInfo(&ap);
        d->GetHardwareStatus(&u);
        d->GetStatistics(&stats);
        d->GetStatistics2(&stats2);
        d->GetBSSIDList(&scan);
        d->GetMICAlgorithm(&u);
        d->GetAuthAlgorithm(&u);
        d->GetUpTime(&i);
        d->GetTransmitPower(&u);
        d->GetNoiseFloor(&i);
        d->GetSignalQuality(&i);
        d->GetAPPowerControl(&u);
        d->GetQosInfo(&u);
        s.adapter->GetState(&u);
        networks = scan.size();
        benchmark::DoNotOptimize(diag);
        benchmark::DoNotOptimize(stats);
    }
    state.counters["networks"] = static_cast<double>(networks);
    s.Close();
}
BENCHMARK(BM_MonitorCycle)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
