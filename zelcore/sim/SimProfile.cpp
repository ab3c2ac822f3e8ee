#include "zelcore/sim/SimProfile.h"

#include <utility>

#include "zelcore/sim/SimProfileManager.h"

SimProfile::SimProfile(SimProfileManager* manager, WcProfileData data, State state, uint64_t id)
    : manager_(manager), data_(std::move(data)), state_(state), id_(id) {}

WcStatus SimProfile::GetData(WcProfileData* data) { return manager_->ProfileGetData(this, data); }

WcStatus SimProfile::SetData(const WcProfileData* data) { return manager_->ProfileSetData(this, data); }

WcStatus SimProfile::GetName(std::string* name) { return manager_->ProfileGetName(this, name); }
