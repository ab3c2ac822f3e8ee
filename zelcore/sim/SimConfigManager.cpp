#include "zelcore/sim/SimConfigManager.h"

#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimLogger.h"
#include "zelcore/sim/SimProfileManager.h"
#include "zelcore/sim/SimProfileStorage.h"
#include "zelcore/sim/SimProfileText.h"

namespace {

constexpr std::string_view kSettingsMagic = "ZELVO-ADMIN-SETTINGS";

struct SettingKey {
    const char* key;
    uint32_t WcAdminSettings::*member;
};
constexpr SettingKey kSettingKeys[] = {
    {"allowAllUsersProfiles", &WcAdminSettings::allowAllUsersProfiles},
    {"autoProfileSelection", &WcAdminSettings::autoProfileSelection},
};

void Log(const std::string& text) { SimLogger::Instance()->Write(1, "AdminConfig: " + text); }

}  // namespace

SimConfigManager* SimConfigManager::Instance() {
    static SimConfigManager* const manager = new SimConfigManager(SimProfileManager::Instance());
    return manager;
}

SimConfigManager::SimConfigManager(SimProfileManager* store) : store_(store) {}

uint32_t SimConfigManager::AddRef() {
    std::lock_guard lock(mutex_);
    return ++refs_;
}

uint32_t SimConfigManager::Release() {
    std::lock_guard lock(mutex_);
    if (refs_ > 1) --refs_;
    return refs_;
}

std::string SimConfigManager::SettingsPath() const { return store_->DataDir() + "/" + kSettingsFile; }

bool SimConfigManager::Parse(std::string_view text, AdminConfig* config, std::string* error) {
    std::string ignored;
    std::string& err = error ? *error : ignored;
    SimProfileText::Document document;
    if (!SimProfileText::Parse(text, kMagic, kVersion, &document, &err)) return false;
    AdminConfig parsed;
    parsed.settings.formatVersion = kVersion;
    for (const auto& e : document.entries) {
        const SettingKey* known = nullptr;
        for (const SettingKey& k : kSettingKeys)
            if (e.key == k.key) known = &k;
        int64_t value = 0;
        if (!known) return err = "unknown setting " + e.key, false;
        if (!SimProfileText::ParseNumber(e.value, 0, 1, &value)) return err = "bad value of " + e.key, false;
        parsed.settings.*(known->member) = static_cast<uint32_t>(value);
    }
    for (const auto& block : document.blocks) {
        if (!block.argument.empty()) return err = "line " + std::to_string(block.line) + ": unexpected text", false;
        WcProfileData record = SimProfileManager::Defaults();
        if (!SimProfileText::ReadRecord(block.entries, &record, &err)) return false;
        for (const WcProfileData& other : parsed.profiles)
            if (SimProfileText::SameName(other.profileName, record.profileName))
                return err = "profile " + record.profileName + " appears twice", false;
        parsed.profiles.push_back(std::move(record));
    }
    parsed.settings.profileCount = static_cast<uint32_t>(parsed.profiles.size());
    *config = std::move(parsed);
    return true;
}

WcStatus SimConfigManager::ImportAdminConfig(const std::string& path) {
    if (const WcStatus s = SimControl::Enter("WcConfigManager::ImportAdminConfig")) return s;
    std::string text;
    if (const WcStatus s = SimProfileStorage::ReadFile(path, SimProfileText::kMaxFileSize, &text)) {
        Log("cannot read " + path);
        return s == WC_STATUS_NOT_FOUND ? s : WC_STATUS_BAD_FILE;
    }
    AdminConfig config;
    std::string error;
    if (!Parse(text, &config, &error)) {
        Log(path + " refused: " + error);
        return WC_STATUS_BAD_FILE;
    }
    std::lock_guard lock(mutex_);
    if (!config.profiles.empty())
        if (const WcStatus s = store_->StoreRecords(config.profiles)) return s;
    std::string settings = SimProfileText::Header(kSettingsMagic, kVersion);
    for (const SettingKey& k : kSettingKeys)
        settings += std::string(k.key) + " = " + std::to_string(config.settings.*(k.member)) + "\n";
    settings += "profileCount = " + std::to_string(config.settings.profileCount) + "\nend\n";
    const std::string settingsPath = SettingsPath();
    if (!SimProfileStorage::MakeDirs(store_->DataDir()) ||
        !SimProfileStorage::WriteFileAtomic(settingsPath, settings)) {
        Log("cannot write " + settingsPath);
        return WC_STATUS_STORAGE_ERROR_WRITE;
    }
    last_ = std::move(config);
    imported_ = true;
    Log("imported " + path);
    return WC_STATUS_SUCCESS;
}

WcStatus SimConfigManager::ApplyAdminConfig(uint32_t) {
    if (const WcStatus s = SimControl::Enter("WcConfigManager::ApplyAdminConfig")) return s;
    std::lock_guard lock(mutex_);
    if (!imported_) return WC_STATUS_NOT_FOUND;
    return last_.profiles.empty() ? WC_STATUS_SUCCESS : store_->StoreRecords(last_.profiles);
}

WcStatus SimConfigManager::LoadSettingsLocked(WcAdminSettings* settings) {
    std::string text;
    if (const WcStatus s = SimProfileStorage::ReadFile(SettingsPath(), 64 * 1024, &text))
        return s == WC_STATUS_NOT_FOUND ? s : WC_STATUS_STORAGE_ERROR_READ;
    SimProfileText::Document document;
    std::string error;
    if (!SimProfileText::Parse(text, kSettingsMagic, kVersion, &document, &error) || !document.blocks.empty()) {
        Log("stored settings unreadable: " + error);
        return WC_STATUS_STORAGE_ERROR_READ;
    }
    WcAdminSettings read;
    read.formatVersion = kVersion;
    for (const auto& e : document.entries) {
        int64_t value = 0;
        if (!SimProfileText::ParseNumber(e.value, 0, UINT32_MAX, &value)) return WC_STATUS_STORAGE_ERROR_READ;
        bool known = false;
        for (const SettingKey& k : kSettingKeys) {
            if (e.key == k.key) {
                read.*(k.member) = static_cast<uint32_t>(value);
                known = true;
            }
        }
        if (e.key == "profileCount") {
            read.profileCount = static_cast<uint32_t>(value);
            known = true;
        }
        if (!known) return WC_STATUS_STORAGE_ERROR_READ;
    }
    *settings = read;
    return WC_STATUS_SUCCESS;
}

WcStatus SimConfigManager::GetAdminSettings(uint32_t kind, WcAdminSettings* settings) {
    if (const WcStatus s = SimControl::Enter("WcConfigManager::GetAdminSettings")) return s;
    if (!settings) return WC_STATUS_INVALID_ARGUMENT;
    if (kind != WC_ADMIN_SETTINGS_GENERAL) return WC_STATUS_NOT_SUPPORTED;
    std::lock_guard lock(mutex_);
    return LoadSettingsLocked(settings);
}

WcStatus SimConfigManager::IsConfigReady(uint32_t) {
    if (const WcStatus s = SimControl::Enter("WcConfigManager::IsConfigReady")) return s;
    std::lock_guard lock(mutex_);
    WcAdminSettings settings;
    return LoadSettingsLocked(&settings);
}
