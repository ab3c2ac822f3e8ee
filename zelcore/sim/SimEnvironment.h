#pragma once
// The simulated adapter environment of the process: the world, the adapter objects, the
// library's lock, its thread (world file watch, connection steps, traffic) and its event thread.
// Every client root of the process leads here.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <sys/types.h>
#include <thread>
#include <vector>

#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/sim/SimEvent.h"
#include "zelcore/sim/SimEventQueue.h"
#include "zelcore/sim/SimSinkRegistry.h"
#include "zelcore/sim/SimWorld.h"

class SimAdapter;
class SimAdapterManager;
class SimUtility;

class SimEnvironment {
public:
    static SimEnvironment& Instance();

    // The library's lock. Never held while a caller's sink runs or while the profile store is asked.
    std::mutex& Mutex() { return m_mutex; }

    // --- Under the lock ---
    const SimWorld& World() const { return m_world; }
    const std::vector<SimAdapter*>& Adapters() const { return m_adapters; }
    // Sends the events to the adapter's sinks and, when its state moved away from oldState, a
    // state-change notification to the manager's sinks.
    void Publish(SimAdapter* adapter, std::vector<SimEvent>& events, uint32_t oldState);
    void NotifyManager(uint32_t flag, SimAdapter* adapter);
    void SaveSettings(const SimAdapter& adapter);
    // Runs the adapter's state machine now (after a change made by a caller).
    void StepNow(SimAdapter* adapter);

    // --- Take the lock themselves ---
    void Activate(SimAdapter* adapter, const WcProfileData& profile, uint32_t mode);
    void Tick();
    void Reset();
    bool ReloadWorld();
    bool WaitForEvents(uint32_t timeoutMs);

    SimSinkRegistry<WcAdapterManagerSink>& ManagerSinks() { return m_managerSinks; }
    SimAdapterManager& Manager() { return *m_manager; }
    SimUtility& Utility() { return *m_utility; }

private:
    SimEnvironment();
    ~SimEnvironment();

    struct FileStamp {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        int64_t mtimeNs = 0;
        friend bool operator==(const FileStamp&, const FileStamp&) = default;
    };

    std::string WorldPath() const;
    static FileStamp Stamp(const std::string& path);
    void LoadInitialLocked();
    bool ReadWorldFileLocked(bool logMissing);
    void ApplyWorldLocked(SimWorld world, bool notify);
    void InsertLocked(const SimAdapterSpec& desc, bool notify);
    void RemoveLocked(SimAdapter* adapter, bool notify);
    void CheckWorldFile();
    void Log(const std::string& text);
    void ThreadMain();

    std::mutex m_mutex;
    SimWorld m_world;
    std::vector<SimAdapter*> m_adapters;  // present adapters, each with the environment's reference
    uint32_t m_nextIndex = 0;
    std::string m_dataDir;
    FileStamp m_stamp;
    uint64_t m_lastWorldCheckMs = 0;
    std::atomic<bool> m_storeChanged{false};

    SimSinkRegistry<WcAdapterManagerSink> m_managerSinks;
    SimAdapterManager* m_manager;
    SimUtility* m_utility;
    SimEventQueue m_events;

    std::mutex m_threadMutex;
    std::condition_variable m_wake;
    bool m_stop = false;
    std::thread m_thread;
};
