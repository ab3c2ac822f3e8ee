#pragma once
// The profile store: an ordered list of profiles, shared by every client root of the process.
#include <cstdint>
#include <string>

#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/WcStatus.h"

class WcProfileManager {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

    virtual WcStatus GetProfileCount(uint32_t* count) = 0;
    // Picks up changes other processes made to the stored profiles (flags: 0). Profiles that are
    // still stored keep their objects.
    virtual WcStatus RefreshFromStorage(uint32_t flags) = 0;
    // Walk in store order: GetFirstProfile, then GetNextProfile until WC_STATUS_END_OF_LIST.
    // Each calling thread has its own position.
    virtual WcStatus GetFirstProfile(WcProfile** profile) = 0;
    virtual WcStatus GetNextProfile(WcProfile** profile) = 0;
    // Names are matched ignoring ASCII letter case; WC_STATUS_NOT_FOUND when none matches.
    virtual WcStatus GetProfileByName(const std::string& name, WcProfile** profile) = 0;
    // Creates a new profile holding the defaults and no name (flags: 0). It joins the store at its
    // end with its first successful SetData; until then it is not listed, counted or kept on disk.
    virtual WcStatus CreateProfile(uint32_t flags, WcProfile** profile) = 0;
    virtual WcStatus GetDefaultProfileData(WcProfileData* data) = 0;
    // A new, not yet stored profile holding a copy of the source's record (name included); it
    // joins the store with its first successful SetData under a name of its own.
    virtual WcStatus CopyProfile(WcProfile* source, WcProfile** copy) = 0;
    virtual WcStatus DeleteProfile(WcProfile* profile) = 0;
    // Writes one profile to a profile file (mode 0600: it holds the secrets). `comment` is written
    // as a comment line at the top of the file; it may be empty and must be a single line.
    virtual WcStatus ExportProfile(WcProfile* profile, const std::string& path, const std::string& comment) = 0;
    // Creates a stored profile from a profile file, appended at the end of the store.
    // WC_STATUS_PROFILE_EXISTS when a profile of that name is stored (nothing changes),
    // WC_STATUS_BAD_FILE when the file is unreadable or malformed (nothing is created).
    virtual WcStatus ImportProfile(WcProfile** profile, const std::string& path) = 0;

protected:
    virtual ~WcProfileManager() = default;
};
