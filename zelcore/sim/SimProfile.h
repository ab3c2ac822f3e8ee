#pragma once
// One profile of the simulated store. Its record lives here and is guarded by the owning
// manager's lock; every operation goes through the manager.
#include <cstdint>
#include <string>

#include "zelcore/WcProfile.h"

class SimProfileManager;

class SimProfile final : public WcProfile {
public:
    // Pending: created or copied, not yet stored. Stored: in the store's list. Deleted: removed
    // from the store (or the store moved away); the object stays valid and its operations fail.
    enum class State { Pending, Stored, Deleted };

    SimProfile(SimProfileManager* manager, WcProfileData data, State state, uint64_t id);
    ~SimProfile() override = default;
    SimProfile(const SimProfile&) = delete;
    SimProfile& operator=(const SimProfile&) = delete;

    WcStatus GetData(WcProfileData* data) override;
    WcStatus SetData(const WcProfileData* data) override;
    WcStatus GetName(std::string* name) override;

private:
    friend class SimProfileManager;
    SimProfileManager* const manager_;
    WcProfileData data_;
    State state_;
    uint64_t id_;  // the store's key of the profile; 0 while pending
};
