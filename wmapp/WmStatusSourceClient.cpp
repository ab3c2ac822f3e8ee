#include "wmapp/WmStatusSourceClient.h"

#include <sys/stat.h>

#include "platform/ZelvoPaths.h"
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcConfigManager.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/WcUtility.h"
#include "zelcore/Zelcore.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/services/WgRegKey.h"
#include "zelgui/services/WgSettings.h"

WmStatusSourceClient::WmStatusSourceClient(Zelcore* root) : m_root(root) {
    if (!m_root) return;
    if (m_root->GetUtility(&m_utility, 0) != WC_STATUS_SUCCESS) m_utility = nullptr;
    if (m_root->GetProfileManager(&m_profiles, 0) != WC_STATUS_SUCCESS) m_profiles = nullptr;
    if (m_root->GetAdapterManager(&m_manager, 0) != WC_STATUS_SUCCESS) {
        m_manager = nullptr;
        return;
    }
    uint32_t count = 0;
    if (m_manager->GetAdapterCount(&count) != WC_STATUS_SUCCESS || count == 0) return;
    if (m_manager->GetAdapter(0, &m_adapter) != WC_STATUS_SUCCESS) {
        m_adapter = nullptr;
        return;
    }
    if (m_adapter->GetAdapterDriver(&m_driver, 0) != WC_STATUS_SUCCESS) m_driver = nullptr;
    if (m_adapter->GetAdapterConfig(&m_config, 0) != WC_STATUS_SUCCESS) m_config = nullptr;
    m_monitor = new WgAdapterMonitor(m_adapter);
}

WmStatusSourceClient::~WmStatusSourceClient() {
    if (m_monitor) m_monitor->Release();
    if (m_adapter) m_adapter->Release();
    if (m_manager) m_manager->Release();
    if (m_utility) m_utility->Release();
}

void WmStatusSourceClient::RunMonitorCycle() {
    if (m_monitor) m_monitor->RunCycle();
}

bool WmStatusSourceClient::StartMonitor() {
    return m_monitor && m_monitor->StartMonitoring() == WG_SUCCESS;
}

bool WmStatusSourceClient::IsAdapterUnavailable() {
    uint32_t count = 0;
    if (!m_manager || m_manager->GetAdapterCount(&count) != WC_STATUS_SUCCESS || count == 0) return true;
    WcDriverRadioState radio = static_cast<WcDriverRadioState>(-1);
    if (!m_monitor || m_monitor->GetRadioEnableStatus(&radio) != WG_SUCCESS) return true;
    return radio != WC_RADIO_ON;
}

DWORD WmStatusSourceClient::GetActiveSuppType() {
    return WgSettings::MachineDword(WgSettings::Machine::ActiveSuppType, true);
}

DWORD WmStatusSourceClient::GetVendor() {
    return WgSettings::MachineDword(WgSettings::Machine::Vendor, true);
}

DWORD WmStatusSourceClient::GetInstallOption(int index) {
    using M = WgSettings::Machine;
    const DWORD manage = WgSettings::MachineDword(M::EnableProfileManagement, true);
    switch (index) {
    case 0: return WgSettings::MachineDword(M::UserCreateProfile, true) & manage;
    case 1: return WgSettings::MachineDword(M::UserEditProfile, true) & manage;
    case 2: return WgSettings::MachineDword(M::UserDeleteProfile, true) & manage;
    case 3: return WgSettings::MachineDword(M::UserExportProfile, true) & manage;
    case 4: return WgSettings::MachineDword(M::UserImportProfile, true) & manage;
    case 5: return manage;
    case 6: return WgSettings::MachineDword(M::UpdateExistingProfile, true);
    case 7: return WgSettings::MachineDword(M::ForceAutoProfile, true);
    case 8: return WgSettings::MachineDword(M::LimitTrayFunctionalities, true);
    case 9: return WgSettings::MachineDword(M::DatFileReq, true);
    case 10: return WgSettings::MachineDword(M::AllowModifyAutoPACSetting, true);
    case 11: return WgSettings::MachineDword(M::UsePrivateProfiles, true);
    case 12: return WgSettings::UserDword(WgSettings::User::PACFilesExist);
    case 13: return WgSettings::UserDword(WgSettings::User::DisableOnLAN);
    default: return 0;
    }
}

bool WmStatusSourceClient::GetAdapterName(std::string& name) {
    return m_adapter && m_adapter->GetName(&name) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::GetIPAddress(std::string& address) {
    WuIp6Address ip;
    if (!m_adapter || m_adapter->GetIPAddress(&ip) != WC_STATUS_SUCCESS) return false;
    address = ip.ToString();
    return true;
}

bool WmStatusSourceClient::GetSSID(std::string& ssid) {
    return m_driver && m_driver->GetSSID(&ssid) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::GetRadioState(int32_t& state) {
    uint32_t value = 0;
    if (!m_driver || m_driver->GetRadioState(&value) != WC_STATUS_SUCCESS) return false;
    state = static_cast<int32_t>(value);
    return true;
}

bool WmStatusSourceClient::GetAdapterState(uint32_t& state) {
    return m_adapter && m_adapter->GetState(&state) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::SignalStrength(long rssi, uint32_t& level) {
    return m_driver && m_driver->SignalStrength(static_cast<int32_t>(rssi), &level) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::GetSecurityCaps(uint32_t& caps) {
    WcAdapterCapabilities record {};
    if (!m_utility || !m_adapter || m_utility->GetAdapterCapabilities(m_adapter, &record) != WC_STATUS_SUCCESS)
        return false;
    caps = record.securityCaps;
    return true;
}

bool WmStatusSourceClient::HasExtendedRange(uint32_t caps) {
    return m_utility && m_utility->HasExtendedRange(caps);
}

bool WmStatusSourceClient::HasVelaMode(uint32_t caps) {
    return m_utility && m_utility->HasVelaMode(caps);
}

bool WmStatusSourceClient::GetOemFeatures(uint32_t& features) {
    return m_driver && m_driver->GetOemFeatures(&features) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::GetActiveProfileName(std::string& name) {
    name.clear();
    return m_config && m_config->GetActiveProfileName(&name) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::GetActiveProfileData(WcProfileData& data) {
    std::string name;
    return GetActiveProfileName(name) && GetProfileDataByName(name, data);
}

bool WmStatusSourceClient::GetProfileDataByName(const std::string& name, WcProfileData& data) {
    WcProfile* profile = nullptr;
    if (!m_profiles || m_profiles->GetProfileByName(name, &profile) != WC_STATUS_SUCCESS || !profile) return false;
    return profile->GetData(&data) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::IsProfileDisabled(const std::string& name, bool& disabled) {
    WcProfile* profile = nullptr;
    if (!m_config || !m_profiles || m_profiles->GetProfileByName(name, &profile) != WC_STATUS_SUCCESS || !profile)
        return false;
    uint32_t value = 0;
    if (m_config->IsProfileDisabled(profile, &value) != WC_STATUS_SUCCESS) return false;
    disabled = value != 0;
    return true;
}

bool WmStatusSourceClient::IsAPSActive(uint32_t& active) {
    return m_config && m_config->IsAPSActive(&active) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::GetAutoProfileCount(uint32_t& count) {
    return m_config && m_config->GetAutoProfileCount(&count) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceClient::ListProfiles(std::vector<WmProfileEntry>& profiles) {
    profiles.clear();
    if (!m_profiles) return false;
    WcProfile* profile = nullptr;
    for (WcStatus status = m_profiles->GetFirstProfile(&profile); status == WC_STATUS_SUCCESS && profile;
         status = m_profiles->GetNextProfile(&profile)) {
        WmProfileEntry entry;
        if (profile->GetName(&entry.name) != WC_STATUS_SUCCESS) continue;
        uint32_t disabled = 0;
        entry.disabledKnown = m_config && m_config->IsProfileDisabled(profile, &disabled) == WC_STATUS_SUCCESS;
        entry.disabled = entry.disabledKnown && disabled != 0;
        profiles.push_back(std::move(entry));
        profile = nullptr;
    }
    return true;
}

bool WmStatusSourceClient::ImportChangedAdminConfig() {
    if (!m_root || GetInstallOption(9) == 0) return false;
    WgRegKey probe;
    if (!probe.KeyFound(HKEY_CURRENT_USER, g_szSWRegPath))
        WgSettings::SetUserDword(WgSettings::User::InitZelvo.name, 1, true);  // first run for this user
    const DWORD stamp = WgSettings::UserDword(WgSettings::User::DatFileTimeStamp);
    const std::string path = ZelvoPaths::AppDir() + "/KovantaAdminConfig.dat";
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || info.st_mtime <= static_cast<time_t>(stamp)) return false;
    WcConfigManager* config = nullptr;
    if (m_root->GetConfigManager(&config, 0) != WC_STATUS_SUCCESS || !config) return false;
    if (config->ImportAdminConfig(path) != WC_STATUS_SUCCESS) return false;
    config->ApplyAdminConfig(0);
    return true;
}
