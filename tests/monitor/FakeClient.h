#pragma once
// A small stand-in for the client API with every value under the test's control, for the cases
// the simulated world cannot pin down (exact records, counters, a driver call that blocks).
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcUtility.h"
#include "zelcore/Zelcore.h"

#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

// One adapter and its driver. Every field is read and written under its mutex.
class FakeAdapter : public WcAdapter, public WcAdapterDriver {
public:
    explicit FakeAdapter(std::string name) : name(std::move(name)) {
        frequency(2437);
        diag.channelFlags = 0x400;
        diag.txRate = 54;
        diag.rxRate = 11;
        diag.rssi = -55;
        diag.signalLevel = 3;
        diag.smeState = 3;
        diag.cipher = 5;
        const uint8_t bssid[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
        std::memcpy(diag.bssid, bssid, 6);
        std::strcpy(diag.ssid, "HomeNet");
        diag.countryInfo = 'U' | ('S' << 8);
        diag.regulatoryDomain = 0x10u << 16;
        apInfo.ipAddress = WuIpAddress(192, 168, 1, 1);
        apInfo.name = "AP-Hall";
    }

    void frequency(uint32_t f) { diag.frequency = f; }
    // Blocks the next GetDiagnosticData until Unblock; entered tells when a call is inside.
    void BlockDiagnostics() {
        std::lock_guard lock(gate);
        blocked = true;
    }
    void Unblock() {
        std::lock_guard lock(gate);
        blocked = false;
        gateChanged.notify_all();
    }
    std::atomic<bool> entered {false};
    std::atomic<int> diagCalls {0};
    std::atomic<int> refs {0};

    std::mutex m;
    std::string name;
    uint32_t state = WC_ADAPTER_STATE_DHCP_SUCCESS;
    WcStatus stateStatus = 0;
    WcDriverDiagnosticData diag {};
    WcDriverStatisticData stats {};
    WcDriverStatisticData2 stats2 {};
    std::vector<WcBSSID> bssids {WcBSSID {}, WcBSSID {}};
    WcAPInfo apInfo;
    uint32_t radio = 0;
    uint32_t mic = 3;
    int32_t upTime = 3661;
    uint32_t power = 20;
    int32_t noise = -92;
    int32_t quality = 80;
    uint32_t apPower = 0;
    uint32_t qos = 1;
    uint32_t connectionMode = 2;
    // Statuses per operation (0 success).
    WcStatus diagStatus = 0, statsStatus = 0, stats2Status = 0, bssidStatus = 0, radioStatus = 0, apStatus = 0,
             advStatus = 0;

    uint32_t AddRef() override { return ++refs; }
    uint32_t Release() override { return --refs; }
    WcStatus GetName(std::string* out) override {
        std::lock_guard lock(m);
        *out = name;
        return 0;
    }
    WcStatus GetMacAddress(WuMacAddress*) override { return 0; }
    WcStatus GetState(uint32_t* out) override {
        std::lock_guard lock(m);
        if (stateStatus) return stateStatus;
        *out = state;
        return 0;
    }
    WcStatus GetIPAddress(WuIp6Address*) override { return 0; }
    WcStatus GetAdapterConfig(WcAdapterConfig**, uint32_t) override { return 1; }
    WcStatus GetAdapterDriver(WcAdapterDriver** out, uint32_t) override {
        *out = this;
        return 0;
    }
    WcStatus GetAdapterId(uint32_t, std::string*) override { return 1; }
    WcStatus SetZeroConfigState(uint32_t) override { return 0; }
    WcStatus SetActiveSupplicant(uint32_t) override { return 0; }
    WcStatus RegisterForEvents(WcAdapterEventSink*, uint32_t) override { return 0; }
    WcStatus UnregisterForEvents(WcAdapterEventSink*) override { return 0; }

    WcStatus GetDriverFileVersionStr(std::string*) override { return 1; }
    WcStatus GetDriverFilePath(std::string*) override { return 1; }
    WcStatus GetSerialNumber(std::string*) override { return 1; }
    WcStatus GetDriverFileTimes(int64_t*, int64_t*, int64_t*) override { return 1; }
    WcStatus GetDeviceInfo(WcDriverDeviceInfo*) override { return 1; }
    WcStatus GetCountry(std::string*) override { return 1; }
    WcStatus GetSSID(std::string*) override { return 1; }
    WcStatus GetOemFeatures(uint32_t*) override { return 1; }
    WcStatus GetRadioState(uint32_t* out) override { return Get(radioStatus, radio, out); }
    WcStatus SetRadioState(uint32_t) override { return 1; }
    WcStatus RefreshBSSISList() override { return 0; }
    WcStatus GetBSSIDList(std::vector<WcBSSID>* out) override { return Get(bssidStatus, bssids, out); }
    WcStatus SignalStrength(int32_t, uint32_t*) override { return 1; }
    WcStatus GetDiagnosticData(WcDriverDiagnosticData* out) override {
        ++diagCalls;
        {
            std::unique_lock lock(gate);
            entered = true;
            gateChanged.wait(lock, [&] { return !blocked; });
            entered = false;
        }
        return Get(diagStatus, diag, out);
    }
    WcStatus GetStatistics(WcDriverStatisticData* out) override { return Get(statsStatus, stats, out); }
    WcStatus GetStatistics2(WcDriverStatisticData2* out) override { return Get(stats2Status, stats2, out); }
    WcStatus GetConnectionMode(uint32_t* out) override { return Get(0, connectionMode, out); }
    WcStatus GetHardwareStatus(uint32_t* out) override { return Get(0, 0u, out); }
    WcStatus GetMICAlgorithm(uint32_t* out) override { return Get(advStatus, mic, out); }
    WcStatus GetAuthAlgorithm(uint32_t* out) override { return Get(advStatus, 1u, out); }
    WcStatus GetUpTime(int32_t* out) override { return Get(advStatus, upTime, out); }
    WcStatus GetTransmitPower(uint32_t* out) override { return Get(advStatus, power, out); }
    WcStatus GetNoiseFloor(int32_t* out) override { return Get(advStatus, noise, out); }
    WcStatus GetSignalQuality(int32_t* out) override { return Get(advStatus, quality, out); }
    WcStatus GetAPPowerControl(uint32_t* out) override { return Get(advStatus, apPower, out); }
    WcStatus GetQosInfo(uint32_t* out) override { return Get(advStatus, qos, out); }
    WcStatus GetAPInfo(WcAPInfo* out) override { return Get(apStatus, apInfo, out); }

private:
    template <class T, class U>
    WcStatus Get(const WcStatus& status, const U& value, T* out) {
        std::lock_guard lock(m);
        if (status) return status;
        *out = value;
        return 0;
    }
    std::mutex gate;
    std::condition_variable gateChanged;
    bool blocked = false;
};

class FakeAdapterManager : public WcAdapterManager {
public:
    std::atomic<WcAdapterManagerSink*> sink {nullptr};
    std::atomic<uint32_t> mask {0};
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    WcStatus GetAdapterCount(uint32_t* count) override {
        *count = 0;
        return 0;
    }
    WcStatus GetAdapter(uint32_t, WcAdapter**) override { return 5; }
    WcStatus RegisterForEvents(WcAdapterManagerSink* s, uint32_t m) override {
        sink = s;
        mask = m;
        return 0;
    }
    WcStatus UnregisterForEvents(WcAdapterManagerSink* s, uint32_t) override {
        if (sink == s) sink = nullptr;
        return 0;
    }
};

class FakeUtility : public WcUtility {
public:
    std::atomic<uint32_t> channelAnswer {6};
    uint32_t AddRef() override { return 1; }
    uint32_t Release() override { return 1; }
    WcStatus GetAdapterCapabilities(WcAdapter*, WcAdapterCapabilities*) override { return 1; }
    bool HasVelaMode(uint32_t) override { return false; }
    bool HasExtendedRange(uint32_t) override { return false; }
    bool IsQosCapable(uint32_t) override { return false; }
    bool IsWpa2Supported(uint32_t) override { return false; }
    bool IsWpa2PskSupported(uint32_t) override { return false; }
    bool HasVelaA(uint32_t) override { return false; }
    bool HasVelaG(uint32_t) override { return false; }
    bool IsBOnlyAdHoc(uint32_t) override { return false; }
    bool HasPublicSafety(uint32_t) override { return false; }
    bool Is80211aSupported(uint32_t) override { return false; }
    bool Is80211bSupported(uint32_t) override { return false; }
    bool Is80211gSupported(uint32_t) override { return false; }
    WcStatus ConvertPower(uint32_t raw, uint32_t unit, double* value) override {
        if (unit != WC_POWER_MILLIWATT) return 2;
        *value = std::pow(10.0, raw / 10.0);
        return 0;
    }
    WcStatus GetPowerLevel(uint32_t, uint32_t, uint32_t*) override { return 1; }
    WcStatus FrequencyToChannel(uint32_t, uint32_t, uint32_t, uint32_t* channel) override {
        *channel = channelAnswer;
        return 0;
    }
    WcStatus ChannelToFrequency(uint32_t, uint32_t, uint32_t*) override { return 1; }
    WcStatus ChannelToPosition(uint32_t, uint32_t, uint32_t*) override { return 1; }
    WcStatus PositionToChannel(uint32_t, uint32_t, uint32_t*) override { return 1; }
    WcStatus GetSupportedEapTypes(std::vector<uint32_t>*, uint32_t, uint32_t) override { return 1; }
};

class FakeRoot : public Zelcore {
public:
    FakeAdapterManager adapterManager;
    FakeUtility utility;
    uint32_t GetVersion() override { return 2; }
    WcStatus GetAdapterManager(WcAdapterManager** out, uint32_t) override {
        *out = &adapterManager;
        return 0;
    }
    WcStatus GetProfileManager(WcProfileManager**, uint32_t) override { return 1; }
    WcStatus GetConfigManager(WcConfigManager**, uint32_t) override { return 1; }
    WcStatus GetUtility(WcUtility** out, uint32_t) override {
        *out = &utility;
        return 0;
    }
    uint32_t GetOSVersion() override { return 6; }
    WcStatus GetVersionInfo(WcVersionInfo*) override { return 1; }
    WcStatus GetLogger(WcLogger**) override { return 1; }
    void Release() override {}
    ~FakeRoot() override = default;
};
