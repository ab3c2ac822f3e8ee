#include "zelcore/sim/SimEnvironment.h"

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "zelcore/WcEvents.h"
#include "zelcore/WcProfile.h"
#include "zelcore/sim/SimAdapter.h"
#include "zelcore/sim/SimAdapterManager.h"
#include "zelcore/sim/SimAdapterSettings.h"
#include "zelcore/sim/SimClock.h"
#include "zelcore/sim/SimConnection.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimDriverData.h"
#include "zelcore/sim/SimLogger.h"
#include "zelcore/sim/SimPaths.h"
#include "zelcore/sim/SimProfileManager.h"
#include "zelcore/sim/SimUtility.h"
#include "zelcore/sim/SimWorldParser.h"

namespace {

constexpr uint64_t kTickMs = 50;
constexpr uint64_t kWorldCheckMs = 300;
constexpr uint64_t kManualGraceMs = 5000;  // a profile chosen by hand is tried before the automatic list

// Reads the profiles named, outside the library's lock; names not stored are left out.
std::vector<WcProfileData> FetchProfiles(const std::vector<std::string>& names) {
    std::vector<WcProfileData> records;
    SimProfileManager* store = SimProfileManager::Instance();
    if (!store) return records;
    for (const auto& name : names) {
        WcProfile* profile = nullptr;
        WcProfileData data;
        if (store->GetProfileByName(name, &profile) == WC_STATUS_SUCCESS && profile &&
            profile->GetData(&data) == WC_STATUS_SUCCESS)
            records.push_back(std::move(data));
    }
    return records;
}

// A reference on the adapter for a queued delivery; dropped with the delivery, run or not.
std::shared_ptr<SimAdapter> Hold(SimAdapter* adapter) {
    adapter->AddRef();
    return std::shared_ptr<SimAdapter>(adapter, [](SimAdapter* a) { a->Release(); });
}

// The world file's text; refuses a file larger than any world can be before reading it.
bool ReadWorldText(const std::string& path, std::string* text, std::string* error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        *error = "cannot read " + path;
        return false;
    }
    if (static_cast<uint64_t>(info.st_size) > SimWorldParser::kMaxFileSize) {
        *error = "the world file is larger than 4 MiB";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    if (!in && !in.eof()) {
        *error = "cannot read " + path;
        return false;
    }
    *text = content.str();
    return true;
}

bool WantsAutoWalk(const SimAdapterState& st, uint64_t now) {
    using Phase = SimAdapterState::Phase;
    if (!st.aps || st.autoList.empty() || !st.Usable() || st.apsWalking || now < st.apsRetryAtMs) return false;
    return st.phase == Phase::Idle || st.phase == Phase::AuthFailed || st.phase == Phase::NoAddress ||
           (st.phase == Phase::Associating && st.reportedMissing);
}

}  // namespace

SimEnvironment& SimEnvironment::Instance() {
    static SimEnvironment environment;
    return environment;
}

SimEnvironment::SimEnvironment() : m_manager(new SimAdapterManager()), m_utility(new SimUtility()) {
    {
        std::lock_guard lock(m_mutex);
        LoadInitialLocked();
    }
    if (SimProfileManager* store = SimProfileManager::Instance()) {
        store->SetChangeListener([this] {
            m_storeChanged = true;
            m_wake.notify_one();
        });
    }
    m_thread = std::thread([this] { ThreadMain(); });
}

SimEnvironment::~SimEnvironment() {
    {
        std::lock_guard lock(m_threadMutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
    if (SimProfileManager* store = SimProfileManager::Instance()) store->SetChangeListener(nullptr);
    std::lock_guard lock(m_mutex);
    for (SimAdapter* a : m_adapters) a->Release();
    m_adapters.clear();
    // The manager and the utility stay: callers may hold them until the process ends.
}

std::string SimEnvironment::WorldPath() const { return m_dataDir + "/world.json"; }

SimEnvironment::FileStamp SimEnvironment::Stamp(const std::string& path) {
    FileStamp stamp;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.mtimeNs = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

void SimEnvironment::Log(const std::string& text) {
    if (SimLogger* logger = SimLogger::Instance()) logger->Write(1, "zelcore world: " + text);
}

void SimEnvironment::LoadInitialLocked() {
    m_dataDir = SimPaths::DataDir();
    m_stamp = Stamp(WorldPath());
    SimWorld world = SimDefaultWorld::Build();
    if (m_stamp.exists) {
        std::string text, error;
        SimWorld fromFile;
        if (ReadWorldText(WorldPath(), &text, &error) && SimWorldParser::Parse(text, &fromFile, &error)) {
            world = std::move(fromFile);
        } else {
            Log("malformed world file " + WorldPath() + ": " + error + "; using the built-in world");
        }
    }
    ApplyWorldLocked(std::move(world), false);
}

bool SimEnvironment::ReadWorldFileLocked(bool logMissing) {
    const std::string path = WorldPath();
    m_stamp = Stamp(path);
    if (!m_stamp.exists) {
        if (logMissing) Log("no world file at " + path + "; the world stays as it is");
        return false;
    }
    std::string text, error;
    SimWorld world;
    if (!ReadWorldText(path, &text, &error) || !SimWorldParser::Parse(text, &world, &error)) {
        Log("malformed world file " + path + ": " + error + "; the previous world stays");
        return false;
    }
    ApplyWorldLocked(std::move(world), true);
    Log("loaded " + path);
    return true;
}

void SimEnvironment::ApplyWorldLocked(SimWorld world, bool notify) {
    SimControl::SetWorldFailures(world.failures);
    const uint64_t now = SimClock::NowMs();

    // Adapters gone from the file, or marked absent, are removed.
    for (SimAdapter* a : std::vector<SimAdapter*>(m_adapters)) {
        auto it = std::find_if(world.adapters.begin(), world.adapters.end(),
                               [&](const SimAdapterSpec& s) { return s.id == a->State().desc.id; });
        if (it == world.adapters.end() || !it->present) RemoveLocked(a, notify);
    }
    m_world.accessPoints = std::move(world.accessPoints);
    m_world.stepMs = world.stepMs;
    m_world.failures = std::move(world.failures);

    for (const SimAdapterSpec& desc : world.adapters) {
        if (!desc.present) continue;
        auto it = std::find_if(m_adapters.begin(), m_adapters.end(),
                               [&](SimAdapter* a) { return a->State().desc.id == desc.id; });
        if (it == m_adapters.end()) {
            InsertLocked(desc, notify);
            continue;
        }
        SimAdapter* a = *it;
        SimAdapterState& st = a->State();
        const uint32_t oldState = st.state;
        const bool wasEnabled = st.desc.enabled;
        SimDriverData::Accumulate(st, now);
        st.desc = desc;
        std::vector<SimEvent> events;
        if (wasEnabled && !desc.enabled) {
            SimConnection::Drop(st, events);
            if (!st.activeProfile.empty()) st.phase = SimAdapterState::Phase::Associating;
            st.state = WC_ADAPTER_STATE_DISABLED;
            events.push_back(SimEvent{WC_EVENT_ADAPTER_STATUS, WC_ADAPTER_STATUS_DISABLED, {}});
        } else if (!wasEnabled && desc.enabled) {
            st.state = WC_ADAPTER_STATE_DISCONNECTED;
            events.push_back(SimEvent{WC_EVENT_ADAPTER_STATUS, WC_ADAPTER_STATUS_ENABLED, {}});
        }
        if (!st.RadioOn()) {
            st.scan.clear();
            st.scanAtMs = 0;
        }
        SimConnection::Step(st, m_world, now, events);
        if (notify) Publish(a, events, oldState);
    }
    m_world.adapters.clear();
    for (SimAdapter* a : m_adapters) m_world.adapters.push_back(a->State().desc);
}

void SimEnvironment::InsertLocked(const SimAdapterSpec& desc, bool notify) {
    auto* a = new SimAdapter(desc, m_nextIndex++);
    SimAdapterState& st = a->State();
    SimAdapterSettings::Load(m_dataDir, st);
    st.resolvePending = !st.activeProfile.empty() && !st.aps;
    m_adapters.push_back(a);
    if (notify) NotifyManager(WC_NOTIFY_ADAPTER_INSERT, a);
}

void SimEnvironment::RemoveLocked(SimAdapter* a, bool notify) {
    SimAdapterState& st = a->State();
    std::vector<SimEvent> events;
    SimConnection::Drop(st, events);
    st.removed = true;
    st.state = WC_ADAPTER_STATE_REMOVED;
    st.scan.clear();
    events.push_back(SimEvent{WC_EVENT_ADAPTER_STATUS, WC_ADAPTER_STATUS_REMOVED, {}});
    if (notify) {
        Publish(a, events, st.state);
        NotifyManager(WC_NOTIFY_ADAPTER_REMOVED, a);
    }
    m_adapters.erase(std::remove(m_adapters.begin(), m_adapters.end(), a), m_adapters.end());
    a->Release();  // queued deliveries hold references of their own
}

void SimEnvironment::Publish(SimAdapter* adapter, std::vector<SimEvent>& events, uint32_t oldState) {
    SimLogger* logger = SimLogger::Instance();
    const bool logging = logger && logger->Level() >= 2;
    for (auto& event : events) {
        if (logging)
            logger->Write(2, "zelcore adapter " + adapter->State().desc.id + ": event " + std::to_string(event.type) +
                                 " status " + std::to_string(event.status) + (event.extra ? ", " + *event.extra : ""));
        m_events.Post([ref = Hold(adapter), event = std::move(event)] {
            SimAdapter* a = ref.get();
            a->Sinks().Deliver(event.type, [&](WcAdapterEventSink* sink) {
                sink->OnStatusEvent(event.type, event.status, event.extra ? event.extra->c_str() : nullptr, a);
            });
        });
    }
    events.clear();
    if (adapter->State().state != oldState && !adapter->State().removed)
        NotifyManager(WC_NOTIFY_ADAPTER_STATE_CHANGE, adapter);
}

void SimEnvironment::NotifyManager(uint32_t flag, SimAdapter* adapter) {
    m_events.Post([this, flag, ref = Hold(adapter)] {
        m_managerSinks.Deliver(flag, [&](WcAdapterManagerSink* sink) { sink->OnAdapterEvent(flag, ref.get()); });
    });
}

void SimEnvironment::SaveSettings(const SimAdapter& adapter) {
    if (!SimAdapterSettings::Save(m_dataDir, adapter.State()))
        Log("cannot store the settings of adapter " + adapter.State().desc.id + " in " + m_dataDir);
}

void SimEnvironment::StepNow(SimAdapter* adapter) {
    SimAdapterState& st = adapter->State();
    const uint32_t oldState = st.state;
    std::vector<SimEvent> events;
    SimConnection::Step(st, m_world, SimClock::NowMs(), events);
    Publish(adapter, events, oldState);
}

void SimEnvironment::Activate(SimAdapter* adapter, const WcProfileData& profile, uint32_t mode) {
    std::lock_guard lock(m_mutex);
    SimAdapterState& st = adapter->State();
    if (st.removed) return;
    const uint64_t now = SimClock::NowMs();
    const uint32_t oldState = st.state;
    std::vector<SimEvent> events;
    st.apsWalking = false;
    st.apsCandidates.clear();
    st.apsRetryAtMs = now + kManualGraceMs;
    st.resolvePending = false;
    SimConnection::Activate(st, m_world, profile, mode, now, events);
    SaveSettings(*adapter);
    Publish(adapter, events, oldState);
}

void SimEnvironment::Tick() {
    struct Request {
        SimAdapter* adapter;
        bool walk;  // the automatic list; otherwise the remembered active profile
        std::vector<std::string> names;
    };
    std::vector<Request> requests;
    const bool storeChanged = m_storeChanged.exchange(false);
    {
        std::lock_guard lock(m_mutex);
        const uint64_t now = SimClock::NowMs();
        for (SimAdapter* a : m_adapters) {
            SimAdapterState& st = a->State();
            SimDriverData::Accumulate(st, now);
            if (st.resolvePending && st.Usable()) {
                a->AddRef();
                requests.push_back({a, false, {st.activeProfile}});
            } else if (WantsAutoWalk(st, now)) {
                a->AddRef();
                requests.push_back({a, true, st.autoList});
            }
            if (storeChanged) {
                std::vector<SimEvent> events{{WC_EVENT_APS_STATUS, WC_APS_STATUS_PROFILE_STORE_CHANGED, {}}};
                Publish(a, events, st.state);
            }
        }
    }

    // The store is asked without the library's lock held.
    std::vector<std::vector<WcProfileData>> records;
    for (const auto& r : requests) records.push_back(FetchProfiles(r.names));

    std::lock_guard lock(m_mutex);
    const uint64_t now = SimClock::NowMs();
    for (size_t i = 0; i < requests.size(); ++i) {
        SimAdapter* a = requests[i].adapter;
        SimAdapterState& st = a->State();
        const uint32_t oldState = st.state;
        std::vector<SimEvent> events;
        if (!requests[i].walk && st.resolvePending) {
            st.resolvePending = false;
            if (!records[i].empty()) SimConnection::Activate(st, m_world, records[i].front(), 0, now, events);
        } else if (requests[i].walk && WantsAutoWalk(st, now)) {
            SimConnection::StartAutoWalk(st, m_world, std::move(records[i]), now, events);
        }
        Publish(a, events, oldState);
    }
    for (SimAdapter* a : m_adapters) StepNow(a);
    for (const auto& r : requests) r.adapter->Release();
}

void SimEnvironment::CheckWorldFile() {
    std::lock_guard lock(m_mutex);
    const FileStamp now = Stamp(WorldPath());
    if (now == m_stamp) return;
    if (!now.exists) {
        m_stamp = now;
        Log("the world file " + WorldPath() + " was removed; the world stays as it is");
        return;
    }
    ReadWorldFileLocked(false);
}

bool SimEnvironment::ReloadWorld() {
    std::lock_guard lock(m_mutex);
    return ReadWorldFileLocked(true);
}

void SimEnvironment::Reset() {
    {
        std::lock_guard lock(m_mutex);
        m_events.Clear();
        m_managerSinks.Clear();
        for (SimAdapter* a : m_adapters) {
            a->Sinks().Clear();
            a->State().removed = true;
            a->State().state = WC_ADAPTER_STATE_REMOVED;
            a->Release();
        }
        m_adapters.clear();
        m_world = SimWorld();
        m_nextIndex = 0;
        m_storeChanged = false;
        LoadInitialLocked();
    }
    m_events.WaitIdle(5000);
}

bool SimEnvironment::WaitForEvents(uint32_t timeoutMs) { return m_events.WaitIdle(timeoutMs); }

void SimEnvironment::ThreadMain() {
    std::unique_lock lock(m_threadMutex);
    while (!m_stop) {
        m_wake.wait_for(lock, std::chrono::milliseconds(kTickMs));
        if (m_stop) break;
        lock.unlock();
        const uint64_t now = SimClock::NowMs();
        if (now - m_lastWorldCheckMs >= kWorldCheckMs) {
            m_lastWorldCheckMs = now;
            CheckWorldFile();
        }
        Tick();
        lock.lock();
    }
}
