#pragma once
// The administrator configuration: profiles and settings an administrator prepares in a file
// beside the program.
#include <cstdint>
#include <string>

#include "zelcore/WcStatus.h"

// Settings of kind 1 (WC_ADMIN_SETTINGS_GENERAL): five 32-bit numbers.
struct WcAdminSettings {
    uint32_t formatVersion = 0;         // version of the administrator file they came from
    uint32_t profileCount = 0;          // profiles the file holds
    uint32_t reserved = 0;
    uint32_t allowAllUsersProfiles = 0; // users may turn a private profile into one for all users
    uint32_t autoProfileSelection = 0;  // switch automatic profile selection on after loading
};
static_assert(sizeof(WcAdminSettings) == 20);

enum : uint32_t { WC_ADMIN_SETTINGS_GENERAL = 1 };

class WcConfigManager {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

    // Reads and validates the whole administrator file, then stores its profiles (a stored
    // profile of the same name, ignoring case, takes the file's record; others are appended in
    // file order) and keeps its settings. WC_STATUS_NOT_FOUND when the file is absent,
    // WC_STATUS_BAD_FILE when it is malformed (nothing changes), a storage status when the
    // store cannot be written.
    virtual WcStatus ImportAdminConfig(const std::string& path) = 0;
    // Stores the profiles of the last imported file again (flags: 0); WC_STATUS_NOT_FOUND when
    // nothing was imported in this process.
    virtual WcStatus ApplyAdminConfig(uint32_t flags) = 0;
    // Settings of the last imported file (kept across runs). WC_STATUS_NOT_FOUND when none was
    // ever imported, WC_STATUS_NOT_SUPPORTED for an unknown kind.
    virtual WcStatus GetAdminSettings(uint32_t kind, WcAdminSettings* settings) = 0;
    // Success when an administrator configuration has been imported (flags: 0).
    virtual WcStatus IsConfigReady(uint32_t flags) = 0;

protected:
    virtual ~WcConfigManager() = default;
};
