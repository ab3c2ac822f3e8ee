#pragma once
// The administrator configuration of the simulated library. The administrator file is text in
// the profile file syntax (first line "ZELVO-ADMIN-CONFIG 1"): settings as "key = value" lines
// and one "profile" block per profile. Importing it stores its profiles in the profile store and
// keeps its settings in "adminconfig.dat" in the data folder, so they hold across runs.
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "zelcore/WcConfigManager.h"
#include "zelcore/WcProfileData.h"

class SimProfileManager;

class SimConfigManager final : public WcConfigManager {
public:
    struct AdminConfig {
        WcAdminSettings settings;
        std::vector<WcProfileData> profiles;
    };
    static constexpr std::string_view kMagic = "ZELVO-ADMIN-CONFIG";
    static constexpr uint32_t kVersion = 1;
    static constexpr const char* kSettingsFile = "adminconfig.dat";

    // The process-wide configuration manager, working on SimProfileManager::Instance().
    static SimConfigManager* Instance();
    explicit SimConfigManager(SimProfileManager* store);

    uint32_t AddRef() override;
    uint32_t Release() override;
    WcStatus ImportAdminConfig(const std::string& path) override;
    WcStatus ApplyAdminConfig(uint32_t flags) override;
    WcStatus GetAdminSettings(uint32_t kind, WcAdminSettings* settings) override;
    WcStatus IsConfigReady(uint32_t flags) override;

    // Validates a whole administrator file: known settings with values 0 or 1, profiles with
    // valid names that differ ignoring case, fields as in profile files.
    static bool Parse(std::string_view text, AdminConfig* config, std::string* error);

private:
    WcStatus LoadSettingsLocked(WcAdminSettings* settings);
    std::string SettingsPath() const;

    std::mutex mutex_;
    SimProfileManager* const store_;
    bool imported_ = false;
    AdminConfig last_;
    uint32_t refs_ = 1;
};
