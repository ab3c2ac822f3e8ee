#pragma once
// The simulated profile store: an ordered list of profiles kept in "profiles.dat" in the
// library's data folder (mode 0600). Every change is made under an exclusive file lock on top
// of the newest stored state and written in one step (temporary file, flush, rename), so a crash
// leaves the old or the new store and changes of other processes are never overwritten.
// Each stored profile has one object for the life of the process.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "zelcore/WcProfileManager.h"
#include "zelcore/sim/SimProfile.h"
#include "zelcore/sim/SimProfileStorage.h"

class SimProfileManager final : public WcProfileManager {
public:
    // The process-wide store, shared by every client root.
    static SimProfileManager* Instance();

    // With an empty folder the store follows SimPaths::DataDir(), checked at each call: when the
    // folder changes (another ZELVO_ROOT) the profiles of the old one are detached.
    explicit SimProfileManager(std::string dataDir = {});
    ~SimProfileManager() override;
    SimProfileManager(const SimProfileManager&) = delete;
    SimProfileManager& operator=(const SimProfileManager&) = delete;

    // The store lives as long as its owner; the count only mirrors the callers' bookkeeping.
    uint32_t AddRef() override;
    uint32_t Release() override;

    WcStatus GetProfileCount(uint32_t* count) override;
    WcStatus RefreshFromStorage(uint32_t flags) override;
    WcStatus GetFirstProfile(WcProfile** profile) override;
    WcStatus GetNextProfile(WcProfile** profile) override;
    WcStatus GetProfileByName(const std::string& name, WcProfile** profile) override;
    WcStatus CreateProfile(uint32_t flags, WcProfile** profile) override;
    WcStatus GetDefaultProfileData(WcProfileData* data) override;
    WcStatus CopyProfile(WcProfile* source, WcProfile** copy) override;
    WcStatus DeleteProfile(WcProfile* profile) override;
    WcStatus ExportProfile(WcProfile* profile, const std::string& path, const std::string& comment) override;
    WcStatus ImportProfile(WcProfile** profile, const std::string& path) override;

    // The record a new profile starts with.
    static WcProfileData Defaults();
    // For the library's own threads: neither counted as calls nor open to injected failures,
    // and without a walk position. Profiles() lists the stored profiles in store order;
    // FindRecord copies out the record of the stored profile of that name (ignoring case).
    std::vector<WcProfile*> Profiles();
    bool FindRecord(const std::string& name, WcProfile** profile, WcProfileData* data);
    // Stores records in one change: a stored profile of the same name (ignoring case) takes the
    // record and keeps its object, the others are appended in the given order.
    WcStatus StoreRecords(const std::vector<WcProfileData>& records);
    // Called after the stored profiles changed (by this process or, seen at RefreshFromStorage,
    // by another), on the thread that noticed it and outside the store's lock.
    void SetChangeListener(std::function<void()> listener);
    std::string DataDir();
    std::string StorePath();

    // The profile objects' operations.
    WcStatus ProfileGetData(SimProfile* profile, WcProfileData* data);
    WcStatus ProfileSetData(SimProfile* profile, const WcProfileData* data);
    WcStatus ProfileGetName(SimProfile* profile, std::string* name);

    static constexpr const char* kStoreFile = "profiles.dat";

private:
    struct Entry {
        uint64_t id;
        WcProfileData data;
    };
    struct Cursor {
        size_t index = 0;
        SimProfile* last = nullptr;
    };
    using Change = std::function<WcStatus(std::vector<Entry>& entries, uint64_t& nextId)>;

    void FollowDataDirLocked();
    WcStatus LoadLocked(bool underFileLock, bool* changed);
    WcStatus MutateLocked(const Change& change, SimProfile* adopt, uint64_t* adoptId);
    void ApplyLocked(const std::vector<Entry>& entries);
    std::vector<Entry> EntriesLocked() const;
    SimProfile* Own(WcProfile* profile) const;
    SimProfile* NewObjectLocked(WcProfileData data, SimProfile::State state, uint64_t id);
    void NotifyChanged();
    void Log(const std::string& text);

    std::mutex mutex_;
    const std::string fixedDir_;
    std::string dir_;
    bool loaded_ = false;
    bool badFile_ = false;  // the file at stamp_ could not be parsed
    SimProfileStorage::Stamp stamp_;
    uint64_t nextId_ = 1;
    std::vector<std::unique_ptr<SimProfile>> objects_;  // every object handed out, never freed early
    std::vector<SimProfile*> order_;                    // the stored profiles in store order
    std::map<std::thread::id, Cursor> cursors_;
    std::atomic<uint32_t> refs_{1};
    std::mutex listenerMutex_;
    std::function<void()> listener_;
};
