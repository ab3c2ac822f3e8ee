#include "zelcore/sim/SimProfileManager.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <unordered_map>
#include <utility>

#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimLogger.h"
#include "zelcore/sim/SimPaths.h"
#include "zelcore/sim/SimProfileFile.h"
#include "zelcore/sim/SimProfileText.h"

namespace {

constexpr std::string_view kStoreMagic = "ZELVO-PROFILE-STORE";
constexpr uint32_t kStoreVersion = 1;
constexpr size_t kMaxStoreSize = size_t{64} << 20;
constexpr const char* kNextIdKey = "next-id";

}  // namespace

SimProfileManager* SimProfileManager::Instance() {
    // Never destroyed: the library's threads may still read profiles while the process ends.
    static SimProfileManager* const manager = new SimProfileManager();
    return manager;
}

SimProfileManager::SimProfileManager(std::string dataDir) : fixedDir_(std::move(dataDir)) {}

SimProfileManager::~SimProfileManager() = default;

uint32_t SimProfileManager::AddRef() { return ++refs_; }

uint32_t SimProfileManager::Release() {
    uint32_t now = refs_.load();
    while (now > 1 && !refs_.compare_exchange_weak(now, now - 1)) {
    }
    return now > 1 ? now - 1 : 1;
}

WcProfileData SimProfileManager::Defaults() {
    WcProfileData d;
    d.profileName = "Default";
    d.ownerScope = WC_OWNER_SCOPE_ALL_USERS;
    d.networkType = WC_NETWORK_TYPE_INFRASTRUCTURE;
    d.powerSaveMode = WC_PWR_MGMT_OFF;
    d.txPowerBG = 34;  // the highest level both power lists offer
    d.txPowerA = 34;
    d.wirelessModes = WC_WIRELESS_MODE_A | WC_WIRELESS_MODE_B | WC_WIRELESS_MODE_G;
    d.adHocMode = WC_WIRELESS_MODE_B;
    d.adHocChannel = 0;  // automatic
    d.preambleShortLong = 1;
    d.qosEnabled = 1;
    d.mixedCells = 0;
    d.txKeyIndex = 1;
    for (WcWepKey& key : d.wepKey) key.size = 40;
    d.securityType = WC_SECURITY_DISABLED;
    d.leapTimeout = 90;
    d.validateServer = 1;
    d.authMode80211 = WC_AUTH_MODE_OPEN;
    d.dcTimeLimit = 60;
    d.roamingPolicy = 0;
    return d;
}

std::string SimProfileManager::DataDir() {
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    return dir_;
}

std::string SimProfileManager::StorePath() { return DataDir() + "/" + kStoreFile; }

void SimProfileManager::SetChangeListener(std::function<void()> listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void SimProfileManager::NotifyChanged() {
    std::function<void()> listener;
    {
        std::lock_guard lock(listenerMutex_);
        listener = listener_;
    }
    if (listener) listener();
}

void SimProfileManager::Log(const std::string& text) { SimLogger::Instance()->Write(1, "ProfileStore: " + text); }

void SimProfileManager::FollowDataDirLocked() {
    const std::string want = fixedDir_.empty() ? SimPaths::DataDir() : fixedDir_;
    if (want == dir_) return;
    for (auto& object : objects_) object->state_ = SimProfile::State::Deleted;
    order_.clear();
    cursors_.clear();
    loaded_ = false;
    badFile_ = false;
    stamp_ = {};
    nextId_ = 1;
    dir_ = want;
}

SimProfile* SimProfileManager::Own(WcProfile* profile) const {
    auto* sim = dynamic_cast<SimProfile*>(profile);
    return sim && sim->manager_ == this ? sim : nullptr;
}

SimProfile* SimProfileManager::NewObjectLocked(WcProfileData data, SimProfile::State state, uint64_t id) {
    objects_.push_back(std::make_unique<SimProfile>(this, std::move(data), state, id));
    return objects_.back().get();
}

std::vector<SimProfileManager::Entry> SimProfileManager::EntriesLocked() const {
    std::vector<Entry> entries;
    entries.reserve(order_.size());
    for (const SimProfile* p : order_) entries.push_back(Entry{p->id_, p->data_});
    return entries;
}

void SimProfileManager::ApplyLocked(const std::vector<Entry>& entries) {
    std::unordered_map<uint64_t, SimProfile*> byId;
    for (SimProfile* p : order_) byId.emplace(p->id_, p);
    std::vector<SimProfile*> next;
    next.reserve(entries.size());
    for (const Entry& e : entries) {
        SimProfile* p;
        if (auto it = byId.find(e.id); it != byId.end()) {
            p = it->second;
            byId.erase(it);
        } else {
            p = NewObjectLocked(e.data, SimProfile::State::Stored, e.id);
        }
        p->data_ = e.data;
        p->state_ = SimProfile::State::Stored;
        next.push_back(p);
    }
    for (auto& [id, p] : byId) p->state_ = SimProfile::State::Deleted;  // gone from the store
    order_ = std::move(next);
}

WcStatus SimProfileManager::LoadLocked(bool underFileLock, bool* changed) {
    if (changed) *changed = false;
    FollowDataDirLocked();
    const std::string path = dir_ + "/" + kStoreFile;
    const SimProfileStorage::Stamp now = SimProfileStorage::StampOf(path);
    auto moveAside = [&] {
        const std::string aside = path + ".bad-" + std::to_string(static_cast<long long>(std::time(nullptr)));
        if (::rename(path.c_str(), aside.c_str()) == 0) {
            Log("unreadable store kept as " + aside);
            badFile_ = false;
            stamp_ = SimProfileStorage::StampOf(path);
        }
    };
    if (loaded_ && now == stamp_) {
        // A malformed store is never written over: it is moved aside before the next change.
        if (badFile_ && underFileLock && now.exists) moveAside();
        return WC_STATUS_SUCCESS;
    }
    const bool hadProfiles = !order_.empty();
    const bool wasLoaded = loaded_;
    std::string text;
    SimProfileStorage::Stamp readStamp;
    const WcStatus status = SimProfileStorage::ReadFile(path, kMaxStoreSize, &text, &readStamp);
    if (status == WC_STATUS_NOT_FOUND) {
        ApplyLocked({});
        stamp_ = {};
        badFile_ = false;
        loaded_ = true;
        if (changed) *changed = wasLoaded && hadProfiles;
        return WC_STATUS_SUCCESS;
    }
    if (status != WC_STATUS_SUCCESS && status != WC_STATUS_BAD_FILE) return WC_STATUS_STORAGE_ERROR_READ;

    std::string error;
    std::vector<Entry> entries;
    uint64_t fileNextId = 1;
    bool ok = status == WC_STATUS_SUCCESS;
    SimProfileText::Document document;
    if (ok) ok = SimProfileText::Parse(text, kStoreMagic, kStoreVersion, &document, &error);
    if (ok) {
        for (const auto& e : document.entries) {
            int64_t n = 0;
            if (e.key != kNextIdKey || !SimProfileText::ParseNumber(e.value, 1, INT64_MAX, &n)) {
                ok = false;
                error = "bad entry " + e.key;
                break;
            }
            fileNextId = static_cast<uint64_t>(n);
        }
    }
    if (ok) {
        std::unordered_map<uint64_t, bool> seen;
        for (const auto& block : document.blocks) {
            int64_t id = 0;
            if (!SimProfileText::ParseNumber(block.argument, 1, INT64_MAX, &id) || seen[static_cast<uint64_t>(id)]) {
                ok = false;
                error = "bad profile id at line " + std::to_string(block.line);
                break;
            }
            seen[static_cast<uint64_t>(id)] = true;
            WcProfileData data;
            if (!SimProfileText::ReadRecord(block.entries, &data, &error)) {
                ok = false;
                break;
            }
            entries.push_back(Entry{static_cast<uint64_t>(id), std::move(data)});
            fileNextId = std::max(fileNextId, static_cast<uint64_t>(id) + 1);
        }
    }
    stamp_ = readStamp;
    loaded_ = true;
    if (!ok) {
        Log("store " + path + " is malformed (" + error + "); it is read as empty");
        badFile_ = true;
        ApplyLocked({});
        if (underFileLock) moveAside();
        if (changed) *changed = hadProfiles;
        return WC_STATUS_SUCCESS;
    }
    badFile_ = false;
    nextId_ = std::max(nextId_, fileNextId);
    ApplyLocked(entries);
    if (changed) *changed = wasLoaded;
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::MutateLocked(const Change& change, SimProfile* adopt, uint64_t* adoptId) {
    FollowDataDirLocked();
    if (!SimProfileStorage::MakeDirs(dir_)) {
        Log("cannot create " + dir_);
        return WC_STATUS_STORAGE_ERROR;
    }
    SimProfileStorage::Lock fileLock(dir_ + "/profiles.lock");
    if (!fileLock.Held()) return WC_STATUS_STORAGE_ERROR;
    if (LoadLocked(true, nullptr) != WC_STATUS_SUCCESS) return WC_STATUS_STORAGE_ERROR;

    // Temporary files are only written under the lock: any left over belong to dead writers.
    const std::string tempPrefix = std::string(kStoreFile) + std::string(SimProfileStorage::kTempSuffix);
    if (DIR* dir = ::opendir(dir_.c_str())) {
        while (const dirent* e = ::readdir(dir))
            if (std::string_view(e->d_name).starts_with(tempPrefix)) ::unlink((dir_ + "/" + e->d_name).c_str());
        ::closedir(dir);
    }

    std::vector<Entry> entries = EntriesLocked();
    uint64_t nextId = nextId_;
    if (const WcStatus status = change(entries, nextId); status != WC_STATUS_SUCCESS) return status;

    std::string text = SimProfileText::Header(kStoreMagic, kStoreVersion);
    text += std::string(kNextIdKey) + " = " + std::to_string(nextId) + "\n";
    for (const Entry& e : entries) {
        text += "profile " + std::to_string(e.id) + "\n";
        SimProfileText::WriteRecord(e.data, &text);
        text += "end profile\n";
    }
    text += "end\n";
    const std::string path = dir_ + "/" + kStoreFile;
    if (!SimProfileStorage::WriteFileAtomic(path, text)) {
        Log("cannot write " + path);
        return WC_STATUS_STORAGE_ERROR_WRITE;
    }
    stamp_ = SimProfileStorage::StampOf(path);
    badFile_ = false;
    nextId_ = nextId;
    if (adopt) {
        adopt->id_ = *adoptId;
        adopt->state_ = SimProfile::State::Stored;
        order_.push_back(adopt);  // ApplyLocked finds it by its id and puts it in place
    }
    ApplyLocked(entries);
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::GetProfileCount(uint32_t* count) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::GetProfileCount")) return s;
    if (!count) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (!loaded_)
        if (const WcStatus s = LoadLocked(false, nullptr)) return s;
    *count = static_cast<uint32_t>(order_.size());
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::RefreshFromStorage(uint32_t) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::RefreshFromStorage")) return s;
    bool changed = false;
    {
        std::lock_guard lock(mutex_);
        if (const WcStatus s = LoadLocked(false, &changed)) return s;
    }
    if (changed) NotifyChanged();
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::GetFirstProfile(WcProfile** profile) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::GetFirstProfile")) return s;
    if (!profile) return WC_STATUS_INVALID_ARGUMENT;
    *profile = nullptr;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (!loaded_)
        if (const WcStatus s = LoadLocked(false, nullptr)) return s;
    Cursor& cursor = cursors_[std::this_thread::get_id()];
    cursor = Cursor{};
    if (order_.empty()) return WC_STATUS_END_OF_LIST;
    cursor.last = order_.front();
    *profile = cursor.last;
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::GetNextProfile(WcProfile** profile) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::GetNextProfile")) return s;
    if (!profile) return WC_STATUS_INVALID_ARGUMENT;
    *profile = nullptr;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    auto it = cursors_.find(std::this_thread::get_id());
    if (it == cursors_.end() || !it->second.last) return WC_STATUS_END_OF_LIST;
    Cursor& cursor = it->second;
    // When the last profile handed out was removed meanwhile, its old place holds the next one.
    const auto last = std::find(order_.begin(), order_.end(), cursor.last);
    const size_t next = last != order_.end() ? static_cast<size_t>(last - order_.begin()) + 1 : cursor.index;
    if (next >= order_.size()) return WC_STATUS_END_OF_LIST;
    cursor = Cursor{next, order_[next]};
    *profile = cursor.last;
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::GetProfileByName(const std::string& name, WcProfile** profile) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::GetProfileByName")) return s;
    if (!profile) return WC_STATUS_INVALID_ARGUMENT;
    *profile = nullptr;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (!loaded_)
        if (const WcStatus s = LoadLocked(false, nullptr)) return s;
    for (SimProfile* p : order_) {
        if (SimProfileText::SameName(p->data_.profileName, name)) {
            *profile = p;
            return WC_STATUS_SUCCESS;
        }
    }
    return WC_STATUS_NOT_FOUND;
}

WcStatus SimProfileManager::CreateProfile(uint32_t, WcProfile** profile) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::CreateProfile")) return s;
    if (!profile) return WC_STATUS_INVALID_ARGUMENT;
    WcProfileData data = Defaults();
    data.profileName.clear();
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    *profile = NewObjectLocked(std::move(data), SimProfile::State::Pending, 0);
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::GetDefaultProfileData(WcProfileData* data) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::GetDefaultProfileData")) return s;
    if (!data) return WC_STATUS_INVALID_ARGUMENT;
    *data = Defaults();
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::CopyProfile(WcProfile* source, WcProfile** copy) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::CopyProfile")) return s;
    SimProfile* from = Own(source);
    if (!from || !copy) return WC_STATUS_INVALID_ARGUMENT;
    *copy = nullptr;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (from->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
    *copy = NewObjectLocked(from->data_, SimProfile::State::Pending, 0);
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::DeleteProfile(WcProfile* profile) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::DeleteProfile")) return s;
    SimProfile* p = Own(profile);
    if (!p) return WC_STATUS_INVALID_ARGUMENT;
    WcStatus status;
    {
        std::lock_guard lock(mutex_);
        FollowDataDirLocked();
        if (p->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
        if (p->state_ == SimProfile::State::Pending) {
            p->state_ = SimProfile::State::Deleted;
            return WC_STATUS_SUCCESS;
        }
        status = MutateLocked(
            [p](std::vector<Entry>& entries, uint64_t&) {
                const auto it = std::find_if(entries.begin(), entries.end(),
                                             [p](const Entry& e) { return e.id == p->id_; });
                if (it == entries.end()) return WC_STATUS_NOT_FOUND;
                entries.erase(it);
                return WC_STATUS_SUCCESS;
            },
            nullptr, nullptr);
        // Removed meanwhile by another process: the caller's wish holds.
        if (status == WC_STATUS_NOT_FOUND && p->state_ == SimProfile::State::Deleted) return WC_STATUS_SUCCESS;
    }
    if (status == WC_STATUS_SUCCESS) NotifyChanged();
    return status;
}

WcStatus SimProfileManager::ExportProfile(WcProfile* profile, const std::string& path, const std::string& comment) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::ExportProfile")) return s;
    SimProfile* p = Own(profile);
    if (!p || path.empty()) return WC_STATUS_INVALID_ARGUMENT;
    WcProfileData data;
    {
        std::lock_guard lock(mutex_);
        FollowDataDirLocked();
        if (p->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
        data = p->data_;
    }
    const WcStatus status = SimProfileFile::Write(path, data, comment);
    if (status != WC_STATUS_SUCCESS) Log("export to " + path + " failed");
    return status;
}

WcStatus SimProfileManager::ImportProfile(WcProfile** profile, const std::string& path) {
    if (const WcStatus s = SimControl::Enter("WcProfileManager::ImportProfile")) return s;
    if (!profile) return WC_STATUS_INVALID_ARGUMENT;
    *profile = nullptr;
    WcProfileData data;
    std::string error;
    if (const WcStatus s = SimProfileFile::Read(path, Defaults(), &data, &error)) {
        Log("import of " + path + " refused: " + (error.empty() ? "not found" : error));
        return s;
    }
    WcStatus status;
    {
        std::lock_guard lock(mutex_);
        FollowDataDirLocked();
        SimProfile* created = NewObjectLocked(data, SimProfile::State::Pending, 0);
        uint64_t id = 0;
        status = MutateLocked(
            [&](std::vector<Entry>& entries, uint64_t& nextId) {
                for (const Entry& e : entries)
                    if (SimProfileText::SameName(e.data.profileName, data.profileName))
                        return WC_STATUS_PROFILE_EXISTS;
                id = nextId++;
                entries.push_back(Entry{id, data});
                return WC_STATUS_SUCCESS;
            },
            created, &id);
        if (status == WC_STATUS_SUCCESS) {
            *profile = created;
        } else if (!objects_.empty() && objects_.back().get() == created) {
            objects_.pop_back();  // never handed out
        }
    }
    if (status == WC_STATUS_SUCCESS) NotifyChanged();
    return status;
}

std::vector<WcProfile*> SimProfileManager::Profiles() {
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (!loaded_) LoadLocked(false, nullptr);
    return {order_.begin(), order_.end()};
}

bool SimProfileManager::FindRecord(const std::string& name, WcProfile** profile, WcProfileData* data) {
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (!loaded_ && LoadLocked(false, nullptr) != WC_STATUS_SUCCESS) return false;
    for (SimProfile* p : order_) {
        if (SimProfileText::SameName(p->data_.profileName, name)) {
            if (profile) *profile = p;
            if (data) *data = p->data_;
            return true;
        }
    }
    return false;
}

WcStatus SimProfileManager::StoreRecords(const std::vector<WcProfileData>& records) {
    for (const WcProfileData& r : records)
        if (!SimProfileText::IsValidName(r.profileName)) return WC_STATUS_INVALID_ARGUMENT;
    WcStatus status;
    {
        std::lock_guard lock(mutex_);
        status = MutateLocked(
            [&](std::vector<Entry>& entries, uint64_t& nextId) {
                for (const WcProfileData& r : records) {
                    const auto it = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
                        return SimProfileText::SameName(e.data.profileName, r.profileName);
                    });
                    if (it != entries.end())
                        it->data = r;
                    else
                        entries.push_back(Entry{nextId++, r});
                }
                return WC_STATUS_SUCCESS;
            },
            nullptr, nullptr);
    }
    if (status == WC_STATUS_SUCCESS) NotifyChanged();
    return status;
}

WcStatus SimProfileManager::ProfileGetData(SimProfile* profile, WcProfileData* data) {
    if (const WcStatus s = SimControl::Enter("WcProfile::GetData")) return s;
    if (!data) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (profile->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
    *data = profile->data_;
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::ProfileGetName(SimProfile* profile, std::string* name) {
    if (const WcStatus s = SimControl::Enter("WcProfile::GetName")) return s;
    if (!name) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(mutex_);
    FollowDataDirLocked();
    if (profile->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
    *name = profile->data_.profileName;
    return WC_STATUS_SUCCESS;
}

WcStatus SimProfileManager::ProfileSetData(SimProfile* profile, const WcProfileData* data) {
    if (const WcStatus s = SimControl::Enter("WcProfile::SetData")) return s;
    if (!data || !SimProfileText::IsValidName(data->profileName)) return WC_STATUS_INVALID_ARGUMENT;
    WcStatus status;
    {
        std::lock_guard lock(mutex_);
        FollowDataDirLocked();
        if (profile->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
        const bool pending = profile->state_ == SimProfile::State::Pending;
        uint64_t newId = 0;
        status = MutateLocked(
            [&](std::vector<Entry>& entries, uint64_t& nextId) {
                if (!pending && profile->state_ == SimProfile::State::Deleted) return WC_STATUS_NOT_FOUND;
                Entry* own = nullptr;
                for (Entry& e : entries) {
                    if (!pending && e.id == profile->id_)
                        own = &e;
                    else if (SimProfileText::SameName(e.data.profileName, data->profileName))
                        return WC_STATUS_PROFILE_EXISTS;
                }
                if (own) {
                    own->data = *data;
                } else if (pending) {
                    newId = nextId++;
                    entries.push_back(Entry{newId, *data});
                } else {
                    return WC_STATUS_NOT_FOUND;
                }
                return WC_STATUS_SUCCESS;
            },
            pending ? profile : nullptr, &newId);
    }
    if (status == WC_STATUS_SUCCESS) NotifyChanged();
    return status;
}
