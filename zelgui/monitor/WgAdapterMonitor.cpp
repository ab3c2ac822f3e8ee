#include "zelgui/monitor/WgAdapterMonitor.h"

#include "zelcore/WcUtility.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"
#include "zelgui/monitor/WgLibraryLock.h"
#include "zelgui/monitor/WgMonitorSettings.h"
#include "zelgui/monitor/WgMonitorText.h"
#include "zelgui/services/WgTrace.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

std::atomic<int> g_nLiveMonitors {0};
// Read without the library lock: a thread stuck in a cycle may hold it while we wait for it.
std::atomic<int64_t> g_ackWaitMs {5000};
std::atomic<int64_t> g_stopWaitMs {10000};
std::atomic<int64_t> g_startSettleMs {1000};

// The running thread waits at least 1 ms, so an interval of 0 never spins on the lock.
std::chrono::milliseconds CycleWait(uint32_t interval) { return std::chrono::milliseconds(std::max<uint32_t>(interval, 1)); }

constexpr std::chrono::milliseconds kForever {-1};

}  // namespace

WgAdapterMonitor::WaitLimits WgAdapterMonitor::GetWaitLimits() {
    WaitLimits limits;
    limits.acknowledge = std::chrono::milliseconds(g_ackWaitMs.load());
    limits.stop = std::chrono::milliseconds(g_stopWaitMs.load());
    limits.startSettle = std::chrono::milliseconds(g_startSettleMs.load());
    return limits;
}

void WgAdapterMonitor::SetWaitLimits(const WaitLimits& limits) {
    g_ackWaitMs = limits.acknowledge.count();
    g_stopWaitMs = limits.stop.count();
    g_startSettleMs = limits.startSettle.count();
}

int WgAdapterMonitor::LiveCount() { return g_nLiveMonitors.load(); }

WgAdapterMonitor::WgAdapterMonitor(WcAdapter* adapter) {
    ++g_nLiveMonitors;
    const WgMonitorState loaded = WgMonitorSettings::Load();
    Lock lock(WgLibraryLock());
    TakeAdapter(adapter);
    InvalidateData();
    m_state = loaded;
}

WgAdapterMonitor::~WgAdapterMonitor() {
    {
        Lock lock(WgLibraryLock());
        DropAdapter();
        m_bssidList.clear();
    }
    --g_nLiveMonitors;
}

uint32_t WgAdapterMonitor::AddRef() { return ++m_refCount; }

uint32_t WgAdapterMonitor::Release() {
    const uint32_t count = --m_refCount;
    if (count == 0) StopThread();
    return count;
}

void WgAdapterMonitor::StopThread() {
    // No library lock here: a thread stuck in a cycle holds it. Nobody else holds the monitor
    // any more, so the thread object is ours alone.
    m_events.Signal(WgMonitorEvents::Stop);
    if (m_thread.joinable()) {
        if (!m_events.WaitEnded(GetWaitLimits().stop) && m_events.HandOver()) {
            // The thread is stuck (in the client library or on the lock); it frees the monitor
            // when it ends, so nothing it still touches goes away under it.
            WgTracePrint("WgAdapterMonitor: thread did not end in time, handed over\n");
            m_thread.detach();
            return;
        }
        m_thread.join();
    }
    delete this;
}

void WgAdapterMonitor::TakeAdapter(WcAdapter* adapter) {
    if (adapter != m_pAdapter) {
        if (adapter) adapter->AddRef();
        if (m_pAdapter) m_pAdapter->Release();
        m_pAdapter = adapter;
    }
    m_pDriver = nullptr;
    if (m_pAdapter) {
        WcAdapterDriver* driver = nullptr;
        if (m_pAdapter->GetAdapterDriver(&driver, 0) == WC_STATUS_SUCCESS) m_pDriver = driver;
        std::string name;
        if (m_pAdapter->GetName(&name) == WC_STATUS_SUCCESS) m_adapterName = name;
    }
}

void WgAdapterMonitor::DropAdapter() {
    if (m_pAdapter) m_pAdapter->Release();
    m_pAdapter = nullptr;
    m_pDriver = nullptr;
}

Zelcore* WgAdapterMonitor::ClientRoot() const { return WgClientRoot::Get(); }

QString WgAdapterMonitor::Blank() const { return WgMonitorText::Text(IDS_WG_BLANK); }

// ---- threads and handshakes ------------------------------------------------------------------

WgStatus WgAdapterMonitor::StartMonitoring() {
    WgTracePrint("Enter WgAdapterMonitor::StartMonitoring()\n");
    bool started = false;
    {
        Lock lock(WgLibraryLock());
        if (!m_threadCreated) {
            try {
                m_thread = std::thread(&WgAdapterMonitor::RunThread, this);
            } catch (const std::system_error&) {
                return WG_FAILURE;
            }
            m_threadCreated = true;
            started = true;
        }
    }
    // Let the first collection finish before the caller reads values, waiting no longer than it
    // takes: a fixed sleep here would hold up the program's start for a whole second.
    if (started) {
        std::unique_lock<std::mutex> lock(m_firstCycleMutex);
        m_firstCycleDone.wait_for(lock, GetWaitLimits().startSettle, [this] { return m_firstCycle; });
    }
    WgTracePrint("Exit WgAdapterMonitor::StartMonitoring()\n");
    return WG_SUCCESS;
}

void WgAdapterMonitor::RunThread() {
    {
        Lock lock(WgLibraryLock());
        if (m_runState != RUN_STATE_RUNNING) {
            m_events.Signal(WgMonitorEvents::Resume);
            m_runState = RUN_STATE_RUNNING;
        }
    }
    uint32_t interval = m_state.GetRefreshInterval();
    bool running = false;
    uint64_t pendingResume = 0;  // resume request answered after its first collection
    std::chrono::milliseconds wait {1};
    auto answerResume = [&] {
        if (pendingResume) m_events.Acknowledge(WgMonitorEvents::ResumedAck, pendingResume);
        pendingResume = 0;
    };
    // Pause and resume requests may both be waiting (a caller's wait ran out, or the adapter
    // went and came back quickly): the later request decides, the earlier one is answered too.
    for (;;) {
        uint64_t seq = 0;
        if (!running) {
            const int event = m_events.WaitAny({WgMonitorEvents::Stop, WgMonitorEvents::Resume,
                                                WgMonitorEvents::IntervalChanged},
                                               kForever, &seq);
            if (event == WgMonitorEvents::Stop) break;
            if (event == WgMonitorEvents::IntervalChanged) {
                interval = m_state.GetRefreshInterval();
                continue;
            }
            const uint64_t pause = m_events.Take(WgMonitorEvents::Pause);
            if (pause) m_events.Acknowledge(WgMonitorEvents::PausedAck, pause);
            if (pause > seq) {
                m_events.Acknowledge(WgMonitorEvents::ResumedAck, seq);
                continue;
            }
            pendingResume = seq;
            running = true;
            wait = std::chrono::milliseconds(1);
            continue;
        }
        const int event = m_events.WaitAny({WgMonitorEvents::Stop, WgMonitorEvents::Pause,
                                            WgMonitorEvents::IntervalChanged},
                                           wait, &seq);
        if (event == WgMonitorEvents::Stop) break;
        if (event == WgMonitorEvents::Pause) {
            m_events.Acknowledge(WgMonitorEvents::PausedAck, seq);
            // A resume overtaken by the pause before its first collection is answered too.
            answerResume();
            const uint64_t resume = m_events.Take(WgMonitorEvents::Resume);
            if (resume > seq) {
                pendingResume = resume;
                wait = std::chrono::milliseconds(1);
                continue;
            }
            if (resume) m_events.Acknowledge(WgMonitorEvents::ResumedAck, resume);
            running = false;
            continue;
        }
        if (event == WgMonitorEvents::IntervalChanged) {
            interval = m_state.GetRefreshInterval();
            // The first collection after a resume still comes at once.
            if (!pendingResume) wait = CycleWait(interval);
            continue;
        }
        RunCycle();
        MarkFirstCycle();
        answerResume();
        wait = CycleWait(interval);
    }
    MarkFirstCycle();
    m_events.AcknowledgeAll();
    if (m_events.MarkEnded()) delete this;
}

void WgAdapterMonitor::MarkFirstCycle() {
    std::lock_guard<std::mutex> lock(m_firstCycleMutex);
    if (m_firstCycle) return;
    m_firstCycle = true;
    m_firstCycleDone.notify_all();
}

WgStatus WgAdapterMonitor::PauseMonitoring() {
    uint64_t seq = 0;
    {
        Lock lock(WgLibraryLock());
        WgTracePrint("Enter WgAdapterMonitor::PauseMonitoring()\n");
        if (m_runState != RUN_STATE_PAUSED) {
            const uint64_t signalled = m_events.Signal(WgMonitorEvents::Pause);
            if (m_threadCreated) seq = signalled;
            m_runState = RUN_STATE_PAUSED;
        }
    }
    // The thread needs the library lock to reach its acknowledgement: wait outside it.
    if (seq && !m_events.WaitAcknowledged(WgMonitorEvents::PausedAck, seq, GetWaitLimits().acknowledge))
        WgTracePrint("WgAdapterMonitor::PauseMonitoring() no acknowledgement\n");
    WgTracePrint("Exit WgAdapterMonitor::PauseMonitoring()\n");
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::ResumeMonitoring() {
    uint64_t seq = 0;
    {
        Lock lock(WgLibraryLock());
        WgTracePrint("Enter WgAdapterMonitor::ResumeMonitoring()\n");
        if (m_runState != RUN_STATE_RUNNING) {
            const uint64_t signalled = m_events.Signal(WgMonitorEvents::Resume);
            if (m_threadCreated) seq = signalled;
            m_runState = RUN_STATE_RUNNING;
        }
    }
    if (seq && !m_events.WaitAcknowledged(WgMonitorEvents::ResumedAck, seq, GetWaitLimits().acknowledge))
        WgTracePrint("WgAdapterMonitor::ResumeMonitoring() no acknowledgement\n");
    WgTracePrint("Exit WgAdapterMonitor::ResumeMonitoring()\n");
    return WG_SUCCESS;
}

uint32_t WgAdapterMonitor::GetRunState() const {
    Lock lock(WgLibraryLock());
    return m_runState;
}

std::string WgAdapterMonitor::GetAdapterName() const {
    Lock lock(WgLibraryLock());
    return m_adapterName;
}

WgStatus WgAdapterMonitor::SetAdapter(WcAdapter* adapter) {
    WgTracePrint("Enter WgAdapterMonitor::SetAdapter()\n");
    if (!adapter) return WG_INVALID_ARGUMENT;
    {
        Lock lock(WgLibraryLock());
        if (WgAdapterMonitorManager* manager = WgAdapterMonitorManager::GetAdapterMonitorManager())
            manager->Register(this, adapter);
        TakeAdapter(adapter);
        InvalidateData();
    }
    WgTracePrint("Exit WgAdapterMonitor::SetAdapter()\n");
    return WG_SUCCESS;
}

// ---- settings and mask -----------------------------------------------------------------------

WgMonitorState WgAdapterMonitor::GetMonitorState() const {
    Lock lock(WgLibraryLock());
    return m_state;
}

WgStatus WgAdapterMonitor::SetMonitorState(const WgMonitorState& state) {
    WgTracePrint("Enter WgAdapterMonitor::SetMonitorState()\n");
    const WgMonitorState newState(state);
    uint32_t oldInterval;
    {
        Lock lock(WgLibraryLock());
        oldInterval = m_state.GetRefreshInterval();
        m_state = newState;
    }
    if (oldInterval != newState.GetRefreshInterval()) m_events.Signal(WgMonitorEvents::IntervalChanged);
    WgMonitorSettings::Save(newState);
    WgTracePrint("Exit WgAdapterMonitor::SetMonitorState()\n");
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::SetMonitorMask(uint32_t mask) {
    WgTracePrint("Enter WgAdapterMonitor::SetMonitorMask()\n");
    {
        Lock lock(WgLibraryLock());
        m_mask = mask;
    }
    WgTracePrint("Exit WgAdapterMonitor::SetMonitorMask()\n");
    return WG_SUCCESS;
}

uint32_t WgAdapterMonitor::GetMonitorMask() const {
    Lock lock(WgLibraryLock());
    return m_mask;
}

void WgAdapterMonitor::SetCollectionFlags(uint32_t mask) {
    Lock lock(WgLibraryLock());
    m_collectStatistics2 = (mask & WG_COLLECT_STATISTICS2) != 0;
    m_collectStatistics = (mask & WG_COLLECT_STATISTICS) != 0;
    m_collectBssidList = (mask & WG_COLLECT_BSSID_LIST) != 0;
    m_collectAdvancedStatus = (mask & WG_COLLECT_ADVANCED_STATUS) != 0;
}

// ---- collection ------------------------------------------------------------------------------

void WgAdapterMonitor::RunCycle() {
    Lock lock(WgLibraryLock());
    SetCollectionFlags(m_mask);
    CollectData();
    FormatData();
}

void WgAdapterMonitor::InvalidateData() {
    m_valid = Validity();
    InvalidateStatistics();
}

void WgAdapterMonitor::InvalidateStatistics() {
    std::fill(std::begin(m_rawCounters), std::end(m_rawCounters), 0);
    std::fill(std::begin(m_prevCounters), std::end(m_prevCounters), 0);
    std::fill(std::begin(m_diffCounters), std::end(m_diffCounters), 0);
    std::fill(std::begin(m_shownCounters), std::end(m_shownCounters), 0);
}

void WgAdapterMonitor::CollectData() {
    Lock lock(WgLibraryLock());
    WgTracePrint("Enter WgAdapterMonitor::CollectData()\n");
    m_diagCountersCollected = false;
    m_statsCountersCollected = false;
    if (!m_pAdapter) {
        InvalidateData();
        WgTracePrint("Exit WgAdapterMonitor::CollectData()\n");
        return;
    }
    CollectMinGuiData();
    const bool diagnosticOk = m_valid.diagnostic;
    if (m_collectStatistics) CollectAdvStatisticsData();
    WgTracePrint("Collected CollectAdvStatisticsData\n");
    if (m_collectStatistics2) CollectDiagnosticsStatisticsData();
    WgTracePrint("Collected CollectDiagnosticsStatisticsData\n");
    if (m_collectBssidList) CollectBSSIDList();
    WgTracePrint("Collected CollectBSSIDList\n");
    if (m_collectAdvancedStatus) CollectAdvStatusData();
    WgTracePrint("Collected CollectAdvStatusData\n");
    // Without the diagnostic record nothing of this cycle is shown, not even counters that a
    // later step read successfully.
    if (!diagnosticOk) InvalidateData();
    WgTracePrint("Exit WgAdapterMonitor::CollectData()\n");
}

bool WgAdapterMonitor::CollectDiagnosticData() {
    WgTracePrint("Enter WgAdapterMonitor::CollectDiagnosticData()\n");
    WcDriverDiagnosticData diag {};
    if (m_pAdapter && m_pDriver && m_pDriver->GetDiagnosticData(&diag) == WC_STATUS_SUCCESS) {
        m_diag = diag;
        m_rawCounters[9] = diag.noAckFrames;
        m_rawCounters[10] = diag.rtsRetries;
        m_rawCounters[11] = diag.crcErrors;
        m_diagCountersCollected = true;
        m_valid.diagnostic = true;
        WgTracePrint("Exit WgAdapterMonitor::CollectDiagnosticData()\n");
        return true;
    }
    InvalidateData();
    return false;
}

void WgAdapterMonitor::CollectMinGuiData() {
    CollectDiagnosticData();
    uint32_t value = 0;
    if (m_pDriver && m_pDriver->GetConnectionMode(&value) == WC_STATUS_SUCCESS) m_connectionMode = value;

    value = 0;
    m_valid.radioState = m_pDriver && m_pDriver->GetRadioState(&value) == WC_STATUS_SUCCESS;
    if (m_valid.radioState) m_radioState = value;

    WcAPInfo info;
    const bool apKnown = Associated() && m_pDriver && m_pDriver->GetAPInfo(&info) == WC_STATUS_SUCCESS;
    if (apKnown) m_apInfo = std::move(info);
    m_valid.apIpAddress = m_valid.apName = m_valid.apBssid = apKnown;

    value = 0;
    if (m_pDriver && m_pDriver->GetHardwareStatus(&value) == WC_STATUS_SUCCESS) m_hardwareStatus = value;

    TestForScanning();
    WgTracePrint("Collected CollectMinGuiData\n");
}

void WgAdapterMonitor::CollectAdvStatisticsData() {
    WcDriverStatisticData stats {};
    if (m_pDriver && m_pDriver->GetStatistics(&stats) == WC_STATUS_SUCCESS) {
        m_stats = stats;
        const auto* bytes = reinterpret_cast<const uint8_t*>(&stats);
        std::memcpy(&m_rawCounters[0], bytes, 9 * sizeof(uint64_t));
        std::memcpy(&m_rawCounters[12], bytes + 72, 12 * sizeof(uint64_t));
        m_statsCountersCollected = true;
    } else {
        InvalidateData();
    }
}

void WgAdapterMonitor::CollectDiagnosticsStatisticsData() {
    WcDriverStatisticData2 stats {};
    if (m_pDriver && m_pDriver->GetStatistics2(&stats) == WC_STATUS_SUCCESS) m_stats2 = stats;
    else InvalidateData();
}

void WgAdapterMonitor::CollectBSSIDList() {
    WgTracePrint("Enter WgAdapterMonitor::CollectBSSIDList()\n");
    std::vector<WcBSSID> list;
    if (m_pDriver && m_pDriver->GetBSSIDList(&list) == WC_STATUS_SUCCESS) {
        m_bssidList = std::move(list);
        m_valid.bssidList = true;
        WgTracePrint("Exit WgAdapterMonitor::CollectBSSIDList()\n");
    } else {
        m_valid.bssidList = false;
    }
}

void WgAdapterMonitor::CollectAdvStatusData() {
    WcAdapterDriver* d = m_pDriver;
    uint32_t u = 0;
    int32_t s = 0;
    m_valid.micAlgorithm = d && d->GetMICAlgorithm(&u) == WC_STATUS_SUCCESS;
    if (m_valid.micAlgorithm) m_micAlgorithm = u;
    if (d && d->GetAuthAlgorithm(&u) == WC_STATUS_SUCCESS) m_authAlgorithm = u;
    m_valid.upTime = d && d->GetUpTime(&s) == WC_STATUS_SUCCESS;
    if (m_valid.upTime) m_upTime = s;
    m_valid.transmitPower = d && d->GetTransmitPower(&u) == WC_STATUS_SUCCESS;
    if (m_valid.transmitPower) m_transmitPower = u;
    m_valid.noiseFloor = d && d->GetNoiseFloor(&s) == WC_STATUS_SUCCESS;
    if (m_valid.noiseFloor) m_noiseFloor = s;
    m_valid.signalQuality = d && d->GetSignalQuality(&s) == WC_STATUS_SUCCESS;
    if (m_valid.signalQuality) m_signalQuality = s;
    m_valid.apPowerControl = d && d->GetAPPowerControl(&u) == WC_STATUS_SUCCESS;
    if (m_valid.apPowerControl) m_apPowerControl = u;
    m_valid.qos = d && d->GetQosInfo(&u) == WC_STATUS_SUCCESS;
    if (m_valid.qos) {
        m_qos = u;
        WgTracePrint("WgAdapterMonitor:CollectQosData, QoS retrieval from driver was successful \n");
    } else {
        WgTracePrint("WgAdapterMonitor:CollectQosData, QoS retrieval from driver was not successful \n");
    }
}

void WgAdapterMonitor::TestForScanning() {
    if (!Valid()) {
        m_scanning = false;
        return;
    }
    const uint32_t channel = WgValueFormat::ScanChannel(Frequency());
    const bool steady = channel == m_channelHistory[0] && channel == m_channelHistory[1] &&
                        channel == m_channelHistory[2];
    m_scanning = Disconnected() && !steady;
    m_channelHistory[2] = m_channelHistory[1];
    m_channelHistory[1] = m_channelHistory[0];
    m_channelHistory[0] = channel;
}

void WgAdapterMonitor::FormatData() {
    Lock lock(WgLibraryLock());
    for (int i = 0; i < STATISTICS_COUNT; ++i) {
        const bool collected = (i >= 9 && i <= 11) ? m_diagCountersCollected : m_statsCountersCollected;
        if (!collected) continue;
        // A counter that went backwards restarted (driver reset): count from its new value.
        const uint64_t raw = m_rawCounters[i];
        m_diffCounters[i] = raw >= m_prevCounters[i] ? raw - m_prevCounters[i] : raw;
        m_prevCounters[i] = raw;
    }
    const uint64_t* shown = m_state.GetCumulative() ? m_rawCounters : m_diffCounters;
    std::copy(shown, shown + STATISTICS_COUNT, m_shownCounters);
    m_diagCountersCollected = m_statsCountersCollected = false;
}

bool WgAdapterMonitor::IsScanning() const {
    Lock lock(WgLibraryLock());
    return m_scanning;
}

// ---- predicates ------------------------------------------------------------------------------

bool WgAdapterMonitor::RadioEnabled() const {
    return m_valid.radioState && m_valid.diagnostic && m_radioState == WC_RADIO_ON;
}

bool WgAdapterMonitor::Valid() const { return m_valid.diagnostic && RadioEnabled(); }

bool WgAdapterMonitor::Associated() const { return Valid() && m_diag.mediaState == 0; }

bool WgAdapterMonitor::Disconnected() const { return m_diag.mediaState != 0; }

uint32_t WgAdapterMonitor::Frequency() const { return m_diag.frequency & 0xFFFF; }

bool WgAdapterMonitor::QueryAdapterState(uint32_t* state) {
    uint32_t value = 0;
    if (!m_pAdapter || m_pAdapter->GetState(&value) != WC_STATUS_SUCCESS) return false;
    m_adapterState = value;
    *state = value;
    return true;
}

// ---- adapter notifications -------------------------------------------------------------------

WgStatus WgAdapterMonitor::AdapterRemoved() {
    Lock lock(WgLibraryLock());
    InvalidateData();
    m_radioState = WC_RADIO_OFF_SOFTWARE;
    if (m_runState != RUN_STATE_PAUSED) {
        WgTracePrint("WgAdapterMonitor: AdapterRemoved: Suspending Monitor\n");
        m_events.Signal(WgMonitorEvents::Pause);
        m_runState = RUN_STATE_PAUSED;
        WgTracePrint("WgAdapterMonitor: AdapterRemoved: Suspended Monitor\n");
    }
    DropAdapter();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::AdapterInserted(WcAdapter* adapter) {
    if (!adapter) return WG_SUCCESS;
    Lock lock(WgLibraryLock());
    const std::string name = m_adapterName;
    TakeAdapter(adapter);
    m_adapterName = name;  // the name the monitor is filed under stays
    m_radioState = WC_RADIO_ON;
    if (m_runState != RUN_STATE_RUNNING) {
        WgTracePrint("WgAdapterMonitor: AdapterInserted: Resuming Monitor\n");
        m_events.Signal(WgMonitorEvents::Resume);
        m_runState = RUN_STATE_RUNNING;
        WgTracePrint("WgAdapterMonitor: AdapterInserted: Resumed Monitor\n");
    }
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::AdapterDisabled() {
    Lock lock(WgLibraryLock());
    InvalidateData();
    m_radioState = WC_RADIO_OFF_SOFTWARE;
    if (m_runState != RUN_STATE_PAUSED) {
        m_events.Signal(WgMonitorEvents::Pause);
        m_runState = RUN_STATE_PAUSED;
    }
    DropAdapter();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::AdapterEnabled(WcAdapter* adapter) {
    if (!adapter) return WG_SUCCESS;
    Lock lock(WgLibraryLock());
    const std::string name = m_adapterName;
    TakeAdapter(adapter);
    m_adapterName = name;
    m_radioState = WC_RADIO_ON;
    if (m_runState != RUN_STATE_RUNNING) {
        m_events.Signal(WgMonitorEvents::Resume);
        m_runState = RUN_STATE_RUNNING;
    }
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::AdapterStateChanged(WcAdapter* adapter) {
    if (!adapter) return WG_SUCCESS;
    uint32_t state = 902;
    if (adapter->GetState(&state) != WC_STATUS_SUCCESS) state = 902;
    if (state == WC_ADAPTER_STATE_DISABLED) return AdapterDisabled();
    if (state == WC_ADAPTER_STATE_ENABLED) return AdapterEnabled(adapter);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::AdapterConfigChanged(WcAdapter* adapter) { return AdapterStateChanged(adapter); }

// ---- text getters ----------------------------------------------------------------------------

WgStatus WgAdapterMonitor::GetLinkStatus(QString& text) {
    Lock lock(WgLibraryLock());
    if (!m_pAdapter || !m_pDriver) return WG_NO_ADAPTER;
    uint32_t state = 0;
    if (!RadioEnabled() || Disconnected() || !QueryAdapterState(&state)) {
        text = WgMonitorText::Text(IDS_WG_NOT_ASSOCIATED);
        return WG_SUCCESS;
    }
    bool unknown = false;
    text = WgMonitorText::Text(WgValueFormat::LinkStatusId(state, &unknown));
    if (unknown) WgTracePrint("WgAdapterMonitor:GetLinkStatus() ERROR Unknown link status\n");
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetSignalStrength(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() ? WgMonitorText::Text(WgValueFormat::SignalStrengthId(m_diag.signalLevel)) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetCurrentNetworkType(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() ? WgMonitorText::Text(WgValueFormat::NetworkTypeId(m_diag.networkType)) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetEncryptionType(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Associated() ? WgMonitorText::Text(WgValueFormat::CipherId(m_diag.cipher)) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetCKIP(QString& text) const {
    Lock lock(WgLibraryLock());
    const bool shown = RadioEnabled() && m_valid.micAlgorithm && Associated();
    text = shown ? WgMonitorText::Text(WgValueFormat::MicAlgorithmId(m_micAlgorithm)) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetNetworkName(QString& text) const {
    Lock lock(WgLibraryLock());
    // The record's field has room for 34 bytes; a name is at most 32, ended by a zero or not.
    text = Valid() ? WgValueFormat::NetworkNameText(reinterpret_cast<const uint8_t*>(m_diag.ssid), 32) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetBssid(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() && m_valid.apBssid ? WgValueFormat::BssidText(m_diag.bssid) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetChannel(QString& text) const {
    Lock lock(WgLibraryLock());
    if (!Valid()) {
        text = Blank();
        return WG_SUCCESS;
    }
    if (Disconnected() && m_scanning) {
        text = WgMonitorText::Text(IDS_WG_SCANNING);
        return WG_SUCCESS;
    }
    const uint32_t f = Frequency();
    uint32_t channel = 0;
    if (f <= 5000) {
        WcUtility* utility = nullptr;
        Zelcore* root = ClientRoot();
        if (root && root->GetUtility(&utility, 0) == WC_STATUS_SUCCESS && utility) {
            uint32_t answer = 0;
            if (utility->FrequencyToChannel(f, WgValueFormat::BandCode(f), m_diag.channelFlags & 0xFFFFF, &answer) ==
                WC_STATUS_SUCCESS)
                channel = answer;
            utility->Release();
        }
    }
    text = QString::number(WgValueFormat::ShownChannel(f, channel));
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetFrequency(QString& text) const {
    Lock lock(WgLibraryLock());
    if (!Valid()) text = Blank();
    else if (Disconnected() && m_scanning) text = WgMonitorText::Text(IDS_WG_SCANNING);
    else text = WgValueFormat::FrequencyText(Frequency());
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetWirelessMode(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() ? WgValueFormat::WirelessModeText(Frequency(), m_diag.channelFlags) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetTxRate(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() ? WgValueFormat::RateText(m_diag.txRate) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetRxRate(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() ? WgValueFormat::RateText(m_diag.rxRate) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetTransmitPower(QString& text) const {
    Lock lock(WgLibraryLock());
    if (!m_valid.transmitPower || !RadioEnabled()) {
        text = Blank();
        return WG_SUCCESS;
    }
    double milliwatts = 0.0;
    WcUtility* utility = nullptr;
    Zelcore* root = ClientRoot();
    if (root && root->GetUtility(&utility, 0) == WC_STATUS_SUCCESS && utility) {
        double value = 0.0;
        if (utility->ConvertPower(m_transmitPower, WC_POWER_MILLIWATT, &value) == WC_STATUS_SUCCESS) milliwatts = value;
        utility->Release();
    }
    text = WgValueFormat::TransmitPowerText(milliwatts, m_valid.apPowerControl && m_apPowerControl != 0);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetAPIPAddress(QString& text) const {
    Lock lock(WgLibraryLock());
    if (!m_valid.apIpAddress || !RadioEnabled()) text = Blank();
    else if (m_apInfo.ipAddress.IsEmpty()) text = WgMonitorText::Text(IDS_WG_UNAVAILABLE);
    else text = QString::fromStdString(m_apInfo.ipAddress.ToString());
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetAPName(QString& text) const {
    Lock lock(WgLibraryLock());
    if (!m_valid.apName || !RadioEnabled()) text = Blank();
    else if (m_apInfo.name.empty()) text = WgMonitorText::Text(IDS_WG_UNAVAILABLE);
    else text = QString::fromStdString(m_apInfo.name);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetUpTime(QString& text) const {
    Lock lock(WgLibraryLock());
    text = m_valid.upTime && RadioEnabled() ? WgValueFormat::UpTimeText(m_upTime) : Blank();
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetSmeStatus(QString& text) const {
    Lock lock(WgLibraryLock());
    text = Valid() ? WgMonitorText::Text(WgValueFormat::SmeStateId(m_diag.smeState)) : Blank();
    return WG_SUCCESS;
}

// ---- number getters --------------------------------------------------------------------------

WgStatus WgAdapterMonitor::GetRSSI(long* rssi) const {
    if (!rssi) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *rssi = 0;
    if (!m_valid.diagnostic) return WG_NO_DATA;
    if (!Disconnected()) *rssi = m_diag.rssi;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetNoiseFloor(long* noise) const {
    if (!noise) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *noise = m_valid.noiseFloor && RadioEnabled() ? m_noiseFloor : 0;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetSignalQuality(long* quality) const {
    if (!quality) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *quality = m_valid.signalQuality && RadioEnabled() ? m_signalQuality : 0;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetQosInfo(long* qos) const {
    if (!qos) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    if (m_valid.qos && RadioEnabled()) {
        *qos = long(m_qos);
        WgTracePrint("WgAdapterMonitor::GetQosInfo: retrieved from the driver is considered\n");
    } else {
        *qos = 0;
        WgTracePrint("WgAdapterMonitor::GetQosInfo: Qos = 0\n");
    }
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetRadioEnableStatus(WcDriverRadioState* state) const {
    if (!state) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *state = WcDriverRadioState(-1);
    if (!m_valid.radioState || !m_valid.diagnostic) return WG_FAILURE;
    *state = WcDriverRadioState(m_radioState);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::IsAssociated(int* associated) const {
    if (!associated) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *associated = Associated() ? 1 : 0;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::Authenticated(int* authenticated) {
    if (!authenticated) return WG_INVALID_ARGUMENT;
    Lock lock(WgLibraryLock());
    *authenticated = 0;
    if (!m_pAdapter || !m_pDriver) return WG_NO_ADAPTER;
    uint32_t state = 0;
    if (RadioEnabled() && !Disconnected() && QueryAdapterState(&state))
        *authenticated = WgValueFormat::IsAuthenticatedState(state) ? 1 : 0;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetConnectionMode(WcConnectionMode* mode) const {
    if (!mode) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    if (!m_pAdapter) return WG_NO_ADAPTER;
    *mode = WcConnectionMode(m_connectionMode);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetCountryInfo(unsigned long* country) const {
    if (!country) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    if (RadioEnabled()) *country = m_diag.countryInfo;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetFrequency5GhzEnable(int* enabled) const {
    if (!enabled) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *enabled = Valid() && Frequency() > 4000 ? 1 : 0;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetRegulatoryDomain(WgRegulatoryDomain* domain) const {
    if (!domain) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    return WgValueFormat::RegulatoryDomain(m_diag.regulatoryDomain >> 16, domain);
}

WgStatus WgAdapterMonitor::GetDriverStatisticsData(WcDriverStatisticData* data) const {
    if (!data) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *data = m_stats;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetDriverStatisticsData2(WcDriverStatisticData2* data) const {
    if (!data) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    *data = m_stats2;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetDriverStatistics(uint64_t counters[STATISTICS_COUNT]) const {
    if (!counters) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    std::copy(std::begin(m_shownCounters), std::end(m_shownCounters), counters);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitor::GetBssidList(std::vector<WcBSSID>* list, uint32_t* count) const {
    if (!count) return WG_INVALID_ARGUMENT;
    Lock lock(WgLibraryLock());
    *count = 0;
    if (list) list->clear();
    if (!m_pAdapter || !m_pDriver) return WG_NO_ADAPTER;
    if (!m_valid.bssidList || !RadioEnabled()) return WG_SUCCESS;
    *count = uint32_t(m_bssidList.size());
    if (list) *list = m_bssidList;
    return WG_SUCCESS;
}
