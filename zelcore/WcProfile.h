#pragma once
// One stored profile. The profile store owns every profile object and keeps it for the life
// of the process, so callers may compare profiles by identity; callers never release them.
// A profile removed from the store stays a valid object whose operations fail.
#include <string>

#include "zelcore/WcProfileData.h"
#include "zelcore/WcStatus.h"

class WcProfile {
public:
    // Copies the stored record out.
    virtual WcStatus GetData(WcProfileData* data) = 0;
    // Stores the record. WC_STATUS_INVALID_ARGUMENT for a record the store cannot hold (no name,
    // a name longer than 32 characters, a name another profile has, ignoring case);
    // WC_STATUS_STORAGE_ERROR when the store cannot be read or locked,
    // WC_STATUS_STORAGE_ERROR_WRITE when it cannot be written. On failure the old record stays.
    virtual WcStatus SetData(const WcProfileData* data) = 0;
    virtual WcStatus GetName(std::string* name) = 0;

protected:
    virtual ~WcProfile() = default;
};
