#include "zelcore/sim/SimAdapterConfig.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "zelcore/WcAdapterCapabilities.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/sim/SimAdapter.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimEnvironment.h"
#include "zelcore/sim/SimProfileManager.h"
#include "zelcore/sim/SimProfileMatch.h"

namespace {

std::string CurrentUser() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return pw->pw_name;
    return {};
}

}  // namespace

WcStatus SimAdapterConfig::IsAPSActive(uint32_t* active) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::IsAPSActive")) return injected;
    if (!active) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    if (m_adapter.State().removed) return WC_STATUS_NOT_FOUND;
    *active = m_adapter.State().aps ? 1 : 0;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::SetAPSActive(uint32_t active) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::SetAPSActive")) return injected;
    auto& env = SimEnvironment::Instance();
    std::lock_guard lock(env.Mutex());
    SimAdapterState& st = m_adapter.State();
    if (st.removed) return WC_STATUS_NOT_FOUND;
    const bool on = active != 0;
    if (st.aps == on) return WC_STATUS_SUCCESS;
    st.aps = on;
    st.apsRetryAtMs = 0;
    if (!on) {
        st.apsWalking = false;
        st.apsCandidates.clear();
    }
    env.SaveSettings(m_adapter);
    env.NotifyManager(WC_NOTIFY_ADAPTER_CONFIG_CHANGE, &m_adapter);
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::GetActiveProfileName(std::string* name) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::GetActiveProfileName")) return injected;
    if (!name) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    const SimAdapterState& st = m_adapter.State();
    if (st.removed) return WC_STATUS_NOT_FOUND;
    if (st.activeProfile.empty()) return WC_STATUS_NOT_FOUND;
    *name = st.activeProfile;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::SetActiveProfile(WcProfile* profile, uint32_t mode) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::SetActiveProfile")) return injected;
    if (!profile || mode > WC_ACTIVATE_REAUTHENTICATE) return WC_STATUS_INVALID_ARGUMENT;
    // The record is read before the library's lock is taken: the store has a lock of its own.
    WcProfileData data;
    if (WcStatus status = profile->GetData(&data)) return status;
    if (data.profileName.empty()) return WC_STATUS_INVALID_ARGUMENT;
    {
        std::lock_guard lock(SimEnvironment::Instance().Mutex());
        if (m_adapter.State().removed) return WC_STATUS_NOT_FOUND;
    }
    SimEnvironment::Instance().Activate(&m_adapter, data, mode);
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::SetActiveProfile(const std::string& profileName, uint32_t mode) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::SetActiveProfile")) return injected;
    if (profileName.empty() || mode > WC_ACTIVATE_REAUTHENTICATE) return WC_STATUS_INVALID_ARGUMENT;
    WcProfile* profile = nullptr;
    if (WcStatus status = SimProfileManager::Instance()->GetProfileByName(profileName, &profile)) return status;
    WcProfileData data;
    if (WcStatus status = profile->GetData(&data)) return status;
    {
        std::lock_guard lock(SimEnvironment::Instance().Mutex());
        if (m_adapter.State().removed) return WC_STATUS_NOT_FOUND;
    }
    SimEnvironment::Instance().Activate(&m_adapter, data, mode);
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::ClearCachedCredentials(WcProfile* profile) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::ClearCachedCredentials")) return injected;
    if (!profile) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    // Credentials typed at a login prompt are never kept by the simulated supplicant.
    return m_adapter.State().removed ? WC_STATUS_NOT_FOUND : WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::IsProfileDisabled(WcProfile* profile, uint32_t* disabled) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::IsProfileDisabled")) return injected;
    if (!profile || !disabled) return WC_STATUS_INVALID_ARGUMENT;
    WcProfileData data;
    if (WcStatus status = profile->GetData(&data)) return status;
    const std::string user = CurrentUser();
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    const SimAdapterState& st = m_adapter.State();
    if (st.removed) return WC_STATUS_NOT_FOUND;
    bool off = false;
    // Another user's private profile.
    if (data.ownerScope == WC_OWNER_SCOPE_PRIVATE && data.ownerUserName != user) off = true;
    // A WPA method on an adapter without WPA.
    if (data.wpaMode != 0) {
        const bool psk = data.securityType == WC_SECURITY_PSK;
        const uint32_t need = psk ? (WC_SECCAP_WPA_PSK | WC_SECCAP_WPA2_PSK) : (WC_SECCAP_WPA | WC_SECCAP_WPA2);
        if (!(st.desc.securityCaps & need)) off = true;
    }
    // Wireless modes the adapter has none of.
    const uint32_t modes = data.networkType == WC_NETWORK_TYPE_ADHOC ? st.desc.adHocModes : st.desc.infraModes;
    const uint32_t wanted = data.networkType == WC_NETWORK_TYPE_ADHOC ? data.adHocMode : data.wirelessModes;
    if (wanted != 0 && !(wanted & modes)) off = true;
    *disabled = off ? 1 : 0;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::GetAutoProfileCount(uint32_t* count) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::GetAutoProfileCount")) return injected;
    if (!count) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    if (m_adapter.State().removed) return WC_STATUS_NOT_FOUND;
    *count = static_cast<uint32_t>(m_adapter.State().autoList.size());
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::GetAutoProfileName(uint32_t index, std::string* name) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::GetAutoProfileName")) return injected;
    if (!name) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    const SimAdapterState& st = m_adapter.State();
    if (st.removed) return WC_STATUS_NOT_FOUND;
    if (index >= st.autoList.size()) return WC_STATUS_INVALID_ARGUMENT;
    *name = st.autoList[index];
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterConfig::SetAutoProfileList(WcProfile* const* profiles, uint32_t count) {
    if (WcStatus injected = SimControl::Enter("WcAdapterConfig::SetAutoProfileList")) return injected;
    if (count > 0 && !profiles) return WC_STATUS_INVALID_ARGUMENT;
    std::vector<std::string> names;
    for (uint32_t i = 0; i < count; ++i) {
        if (!profiles[i]) return WC_STATUS_INVALID_ARGUMENT;
        std::string name;
        if (WcStatus status = profiles[i]->GetName(&name)) return status;
        if (name.empty()) return WC_STATUS_INVALID_ARGUMENT;  // a profile not yet stored
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    auto& env = SimEnvironment::Instance();
    std::lock_guard lock(env.Mutex());
    SimAdapterState& st = m_adapter.State();
    if (st.removed) return WC_STATUS_NOT_FOUND;
    st.autoList = std::move(names);
    st.apsRetryAtMs = 0;
    env.SaveSettings(m_adapter);
    env.NotifyManager(WC_NOTIFY_ADAPTER_CONFIG_CHANGE, &m_adapter);
    return WC_STATUS_SUCCESS;
}
