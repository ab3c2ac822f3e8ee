#pragma once
// The adapter's connection settings: the active profile, automatic profile selection and its
// ordered list. Profiles belong to the profile store (WcProfileManager).
#include <cstdint>
#include <string>

#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcStatus.h"

class WcProfile;

class WcAdapterConfig {
public:
    // Automatic profile selection on (1) or off (0).
    virtual WcStatus IsAPSActive(uint32_t* active) = 0;
    virtual WcStatus SetAPSActive(uint32_t active) = 0;

    // NOT_FOUND when no profile is active.
    virtual WcStatus GetActiveProfileName(std::string* name) = 0;
    // Connects with the profile; mode: WcActivationMode. The result says the request was taken;
    // its outcome comes as status events.
    virtual WcStatus SetActiveProfile(WcProfile* profile, uint32_t mode) = 0;
    virtual WcStatus SetActiveProfile(const std::string& profileName, uint32_t mode) = 0;
    // Forgets the credentials entered at a login prompt for that profile.
    virtual WcStatus ClearCachedCredentials(WcProfile* profile) = 0;
    // disabled: 1 when the profile cannot be used on this adapter or by this user.
    virtual WcStatus IsProfileDisabled(WcProfile* profile, uint32_t* disabled) = 0;

    virtual WcStatus GetAutoProfileCount(uint32_t* count) = 0;
    virtual WcStatus GetAutoProfileName(uint32_t index, std::string* name) = 0;
    // Replaces the ordered list; count 0 empties it. Null entries are refused.
    virtual WcStatus SetAutoProfileList(WcProfile* const* profiles, uint32_t count) = 0;

protected:
    virtual ~WcAdapterConfig() = default;
};
