#include "wmapp/WmStatusSourceConfig.h"

#include "wmapp/WmAppConfig.h"
#include "wmapp/WmStandIns.h"
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcConfigManager.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/WcUtility.h"
#include "zelgui/monitor/WgAdapterMonitor.h"

// The getters ask the client objects directly rather than through the context's wrappers: they
// run on every timer tick and every menu opening, where a failure is an ordinary answer and
// must not fill the trace.

WgAdapterMonitor* WmStatusSourceConfig::Monitor() { return WmAppConfig::Monitor(); }

bool WmStatusSourceConfig::HasAdapterConfig() { return WmAppConfig::AdapterConfig() != nullptr; }

bool WmStatusSourceConfig::HasAdapterDriver() { return WmAppConfig::AdapterDriver() != nullptr; }

bool WmStatusSourceConfig::IsAdapterUnavailable() {
    WmAppConfig* config = WmAppConfig::Instance();
    return !config || config->IsAdapterUnavailable();
}

bool WmStatusSourceConfig::IsZeroConfigEnabled() { return WmStandIns::IsZeroConfigEnabled(); }

DWORD WmStatusSourceConfig::GetActiveSuppType() { return WmAppConfig::GetActiveSuppType(); }

DWORD WmStatusSourceConfig::GetVendor() {
    WmAppConfig* config = WmAppConfig::Instance();
    return config ? config->GetVendor() : 0;
}

DWORD WmStatusSourceConfig::GetInstallOption(int index) {
    WmAppConfig* config = WmAppConfig::Instance();
    return config ? config->GetInstallOption(index) : 0;
}

bool WmStatusSourceConfig::GetAdapterName(std::string& name) {
    WcAdapter* adapter = WmAppConfig::Adapter();
    return adapter && adapter->GetName(&name) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::GetIPAddress(std::string& address) {
    WcAdapter* adapter = WmAppConfig::Adapter();
    WuIp6Address ip;
    if (!adapter || adapter->GetIPAddress(&ip) != WC_STATUS_SUCCESS) return false;
    address = ip.ToString();
    return true;
}

bool WmStatusSourceConfig::GetSSID(std::string& ssid) {
    WcAdapterDriver* driver = WmAppConfig::AdapterDriver();
    return driver && driver->GetSSID(&ssid) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::GetRadioState(int32_t& state) {
    WcAdapterDriver* driver = WmAppConfig::AdapterDriver();
    uint32_t value = 0;
    if (!driver || driver->GetRadioState(&value) != WC_STATUS_SUCCESS) return false;
    state = static_cast<int32_t>(value);
    return true;
}

bool WmStatusSourceConfig::GetAdapterState(uint32_t& state) {
    WcAdapter* adapter = WmAppConfig::Adapter();
    return adapter && adapter->GetState(&state) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::SignalStrength(long rssi, uint32_t& level) {
    WcAdapterDriver* driver = WmAppConfig::AdapterDriver();
    return driver && driver->SignalStrength(static_cast<int32_t>(rssi), &level) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::GetSecurityCaps(uint32_t& caps) {
    WcUtility* utility = WmAppConfig::Utility();
    WcAdapter* adapter = WmAppConfig::Adapter();
    WcAdapterCapabilities record {};
    if (!utility || !adapter || utility->GetAdapterCapabilities(adapter, &record) != WC_STATUS_SUCCESS) return false;
    caps = record.securityCaps;
    return true;
}

bool WmStatusSourceConfig::HasExtendedRange(uint32_t caps) {
    WcUtility* utility = WmAppConfig::Utility();
    return utility && utility->HasExtendedRange(caps);
}

bool WmStatusSourceConfig::HasVelaMode(uint32_t caps) {
    WcUtility* utility = WmAppConfig::Utility();
    return utility && utility->HasVelaMode(caps);
}

bool WmStatusSourceConfig::GetOemFeatures(uint32_t& features) {
    WcAdapterDriver* driver = WmAppConfig::AdapterDriver();
    return driver && driver->GetOemFeatures(&features) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::GetActiveProfileName(std::string& name) {
    name.clear();
    WcAdapterConfig* config = WmAppConfig::AdapterConfig();
    return config && config->GetActiveProfileName(&name) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::GetActiveProfileData(WcProfileData& data) {
    std::string name;
    return GetActiveProfileName(name) && !name.empty() && GetProfileDataByName(name, data);
}

bool WmStatusSourceConfig::GetProfileDataByName(const std::string& name, WcProfileData& data) {
    WcProfileManager* profiles = WmAppConfig::ProfileManager();
    WcProfile* profile = nullptr;
    if (!profiles || profiles->GetProfileByName(name, &profile) != WC_STATUS_SUCCESS || !profile) return false;
    return profile->GetData(&data) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::IsProfileDisabled(const std::string& name, bool& disabled) {
    WcAdapterConfig* config = WmAppConfig::AdapterConfig();
    WcProfileManager* profiles = WmAppConfig::ProfileManager();
    WcProfile* profile = nullptr;
    if (!config || !profiles || profiles->GetProfileByName(name, &profile) != WC_STATUS_SUCCESS || !profile)
        return false;
    uint32_t value = 0;
    if (config->IsProfileDisabled(profile, &value) != WC_STATUS_SUCCESS) return false;
    disabled = value != 0;
    return true;
}

bool WmStatusSourceConfig::IsAPSActive(uint32_t& active) {
    WcAdapterConfig* config = WmAppConfig::AdapterConfig();
    return config && config->IsAPSActive(&active) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::GetAutoProfileCount(uint32_t& count) {
    WcAdapterConfig* config = WmAppConfig::AdapterConfig();
    return config && config->GetAutoProfileCount(&count) == WC_STATUS_SUCCESS;
}

bool WmStatusSourceConfig::ListProfiles(std::vector<WmProfileEntry>& list) {
    list.clear();
    WcProfileManager* profiles = WmAppConfig::ProfileManager();
    WcAdapterConfig* config = WmAppConfig::AdapterConfig();
    if (!profiles) return false;
    WcProfile* profile = nullptr;
    for (WcStatus status = profiles->GetFirstProfile(&profile); status == WC_STATUS_SUCCESS && profile;
         status = profiles->GetNextProfile(&profile)) {
        WmProfileEntry entry;
        if (profile->GetName(&entry.name) == WC_STATUS_SUCCESS) {
            uint32_t disabled = 0;
            entry.disabledKnown = config && config->IsProfileDisabled(profile, &disabled) == WC_STATUS_SUCCESS;
            entry.disabled = entry.disabledKnown && disabled != 0;
            list.push_back(std::move(entry));
        }
        profile = nullptr;
    }
    return true;
}

bool WmStatusSourceConfig::ImportChangedAdminConfig() {
    WmAppConfig* config = WmAppConfig::Instance();
    WcConfigManager* manager = WmAppConfig::ConfigManager();
    if (!config || !manager || !config->IsAdminConfigChanged()) return false;
    if (manager->ImportAdminConfig(config->AdminConfigPath()) != WC_STATUS_SUCCESS) return false;
    manager->ApplyAdminConfig(0);
    config->StoreAdminConfigTimestamp();
    return true;
}
