#pragma once
// Keeps a fresh picture of one wireless adapter for the user interface: a polling thread collects
// the adapter's diagnostic record, statistics, scan list and single values once per refresh
// interval into a snapshot with one validity flag per group; the getters read that snapshot.
// Reference counted; made and shared by WgAdapterMonitorManager.
#include "zelcore/WcAPInfo.h"
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcBSSID.h"
#include "zelcore/WcDriverDiagnosticData.h"
#include "zelcore/WcDriverStatisticData.h"
#include "zelcore/WcDriverTypes.h"
#include "zelcore/Zelcore.h"
#include "zelgui/monitor/WgMonitorEvents.h"
#include "zelgui/monitor/WgMonitorState.h"
#include "zelgui/monitor/WgStatus.h"
#include "zelgui/monitor/WgValueFormat.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Collection mask bits: optional groups gathered on each cycle besides the basic group.
enum WgCollectionMask : uint32_t {
    WG_COLLECT_STATISTICS2 = 0x1,
    WG_COLLECT_STATISTICS = 0x2,
    WG_COLLECT_BSSID_LIST = 0x4,
    WG_COLLECT_ADVANCED_STATUS = 0x8,
    WG_COLLECT_ALL = 0xFFFFFFFFu,
};

class WgAdapterMonitor {
public:
    static constexpr int STATISTICS_COUNT = 24;
    static constexpr uint32_t RUN_STATE_RUNNING = 0;
    static constexpr uint32_t RUN_STATE_PAUSED = 3;

    // Waits of the handshakes: pause and resume acknowledgements, the thread's end at
    // destruction, and the longest wait for the first collection after the thread starts.
    struct WaitLimits {
        std::chrono::milliseconds acknowledge {5000};
        std::chrono::milliseconds stop {10000};
        std::chrono::milliseconds startSettle {1000};
    };
    static WaitLimits GetWaitLimits();
    static void SetWaitLimits(const WaitLimits& limits);
    // Monitors alive in the process (freed ones are gone, handed-over ones still count).
    static int LiveCount();

    // Takes a reference on adapter (may be null). Count starts at 1.
    explicit WgAdapterMonitor(WcAdapter* adapter);
    WgAdapterMonitor(const WgAdapterMonitor&) = delete;
    WgAdapterMonitor& operator=(const WgAdapterMonitor&) = delete;

    uint32_t AddRef();
    // The count after the decrement; at 0 the monitor stops its thread and is freed (by the
    // thread itself if it does not end in time).
    uint32_t Release();

    WgStatus StartMonitoring();
    WgStatus PauseMonitoring();
    WgStatus ResumeMonitoring();
    WgStatus SetAdapter(WcAdapter* adapter);

    WgMonitorState GetMonitorState() const;
    WgStatus SetMonitorState(const WgMonitorState& state);
    WgStatus SetMonitorMask(uint32_t mask);
    uint32_t GetMonitorMask() const;
    uint32_t GetRunState() const;
    std::string GetAdapterName() const;

    // Text getters (blank " " where a value is not available).
    WgStatus GetLinkStatus(QString& text);
    WgStatus GetSignalStrength(QString& text) const;
    WgStatus GetCurrentNetworkType(QString& text) const;
    WgStatus GetEncryptionType(QString& text) const;
    WgStatus GetCKIP(QString& text) const;
    WgStatus GetNetworkName(QString& text) const;
    WgStatus GetBssid(QString& text) const;
    WgStatus GetChannel(QString& text) const;
    WgStatus GetFrequency(QString& text) const;
    WgStatus GetWirelessMode(QString& text) const;
    WgStatus GetTxRate(QString& text) const;
    WgStatus GetRxRate(QString& text) const;
    WgStatus GetTransmitPower(QString& text) const;
    WgStatus GetAPIPAddress(QString& text) const;
    WgStatus GetAPName(QString& text) const;
    WgStatus GetUpTime(QString& text) const;
    WgStatus GetSmeStatus(QString& text) const;

    // Number getters.
    WgStatus GetRSSI(long* rssi) const;
    WgStatus GetNoiseFloor(long* noise) const;
    WgStatus GetSignalQuality(long* quality) const;
    WgStatus GetQosInfo(long* qos) const;
    WgStatus GetRadioEnableStatus(WcDriverRadioState* state) const;
    WgStatus IsAssociated(int* associated) const;
    WgStatus Authenticated(int* authenticated);
    WgStatus GetConnectionMode(WcConnectionMode* mode) const;
    WgStatus GetCountryInfo(unsigned long* country) const;
    WgStatus GetFrequency5GhzEnable(int* enabled) const;
    WgStatus GetRegulatoryDomain(WgRegulatoryDomain* domain) const;
    WgStatus GetDriverStatisticsData(WcDriverStatisticData* data) const;
    WgStatus GetDriverStatisticsData2(WcDriverStatisticData2* data) const;
    WgStatus GetDriverStatistics(uint64_t counters[STATISTICS_COUNT]) const;
    WgStatus GetBssidList(std::vector<WcBSSID>* list, uint32_t* count) const;

    // Adapter notifications, routed by the monitor manager (removal and insertion).
    WgStatus AdapterRemoved();
    WgStatus AdapterInserted(WcAdapter* adapter);
    WgStatus AdapterDisabled();
    WgStatus AdapterEnabled(WcAdapter* adapter);
    WgStatus AdapterStateChanged(WcAdapter* adapter);
    WgStatus AdapterConfigChanged(WcAdapter* adapter);

    // One collection cycle as the polling thread runs it (mask to switches, collection,
    // formatting), under the library lock. Public so a cycle can be driven without the thread.
    void RunCycle();
    void SetCollectionFlags(uint32_t mask);
    void CollectData();
    void FormatData();
    // Whether the last scanning test found the adapter scanning.
    bool IsScanning() const;

private:
    ~WgAdapterMonitor();

    struct Validity {
        bool diagnostic = false, bssidList = false, upTime = false, transmitPower = false, apIpAddress = false,
             apName = false, apBssid = false, micAlgorithm = false, radioState = false, signalQuality = false,
             noiseFloor = false, apPowerControl = false, qos = false;
    };

    void RunThread();
    void StopThread();
    void TakeAdapter(WcAdapter* adapter);
    void DropAdapter();
    void InvalidateData();
    void InvalidateStatistics();
    void CollectMinGuiData();
    bool CollectDiagnosticData();
    void CollectAdvStatisticsData();
    void CollectDiagnosticsStatisticsData();
    void CollectBSSIDList();
    void CollectAdvStatusData();
    void TestForScanning();
    bool RadioEnabled() const;
    bool Associated() const;
    bool Valid() const;
    bool Disconnected() const;
    uint32_t Frequency() const;
    bool QueryAdapterState(uint32_t* state);
    Zelcore* ClientRoot() const;
    QString Blank() const;

    WcAdapter* m_pAdapter = nullptr;
    WcAdapterDriver* m_pDriver = nullptr;
    std::string m_adapterName;
    uint32_t m_mask = WG_COLLECT_ALL;
    std::thread m_thread;
    bool m_threadCreated = false;
    // Set once the thread has made its first collection (or ended): StartMonitoring waits for it.
    std::mutex m_firstCycleMutex;
    std::condition_variable m_firstCycleDone;
    bool m_firstCycle = false;
    void MarkFirstCycle();
    WgMonitorState m_state;
    uint32_t m_runState = RUN_STATE_PAUSED;
    std::atomic<uint32_t> m_refCount {1};

    // Snapshot.
    WcDriverDiagnosticData m_diag {};
    WcDriverStatisticData m_stats {};
    WcDriverStatisticData2 m_stats2 {};
    std::vector<WcBSSID> m_bssidList;
    uint32_t m_micAlgorithm = 0;
    uint32_t m_authAlgorithm = 0;
    int32_t m_upTime = 0;
    uint32_t m_hardwareStatus = 0;
    uint32_t m_radioState = 0;
    uint32_t m_transmitPower = 0;
    WcAPInfo m_apInfo;
    int32_t m_noiseFloor = 0;
    int32_t m_signalQuality = 0;
    uint32_t m_apPowerControl = 0;
    uint32_t m_qos = 0;
    uint32_t m_connectionMode = 0;
    uint32_t m_adapterState = 0;
    Validity m_valid;

    // Counters: the raw values as collected, the raw values of the previous collection, the
    // differences between the two, and the table the getters show (raw or difference). Raw and
    // shown stay apart so a group left out of a cycle never turns a difference into a raw value.
    uint64_t m_rawCounters[STATISTICS_COUNT] = {};
    uint64_t m_prevCounters[STATISTICS_COUNT] = {};
    uint64_t m_diffCounters[STATISTICS_COUNT] = {};
    uint64_t m_shownCounters[STATISTICS_COUNT] = {};
    bool m_diagCountersCollected = false;
    bool m_statsCountersCollected = false;

    bool m_collectStatistics = true;
    bool m_collectStatistics2 = true;
    bool m_collectBssidList = true;
    bool m_collectAdvancedStatus = true;

    uint32_t m_channelHistory[3] = {};
    bool m_scanning = false;

    WgMonitorEvents m_events;
};
