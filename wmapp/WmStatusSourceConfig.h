#pragma once
// The status source over the program's adapter context: the chosen adapter, its driver,
// configuration and monitor as WmAppConfig holds them at the moment of each call, so an adapter
// removed or inserted while the program runs is followed without any refresh here. Without a
// context (tests of the bare window, the screenshot tool) nothing is available.
#include "wmapp/WmStatusSource.h"

class WmStatusSourceConfig : public WmStatusSource {
public:
    WgAdapterMonitor* Monitor() override;
    bool HasAdapterConfig() override;
    bool HasAdapterDriver() override;
    bool IsAdapterUnavailable() override;
    bool IsZeroConfigEnabled() override;
    DWORD GetActiveSuppType() override;
    DWORD GetVendor() override;
    DWORD GetInstallOption(int index) override;
    bool GetAdapterName(std::string& name) override;
    bool GetIPAddress(std::string& address) override;
    bool GetSSID(std::string& ssid) override;
    bool GetRadioState(int32_t& state) override;
    bool GetAdapterState(uint32_t& state) override;
    bool SignalStrength(long rssi, uint32_t& level) override;
    bool GetSecurityCaps(uint32_t& caps) override;
    bool HasExtendedRange(uint32_t caps) override;
    bool HasVelaMode(uint32_t caps) override;
    bool GetOemFeatures(uint32_t& features) override;
    bool GetActiveProfileName(std::string& name) override;
    bool GetActiveProfileData(WcProfileData& data) override;
    bool GetProfileDataByName(const std::string& name, WcProfileData& data) override;
    bool IsProfileDisabled(const std::string& name, bool& disabled) override;
    bool IsAPSActive(uint32_t& active) override;
    bool GetAutoProfileCount(uint32_t& count) override;
    bool ListProfiles(std::vector<WmProfileEntry>& profiles) override;
    bool ImportChangedAdminConfig() override;
};
