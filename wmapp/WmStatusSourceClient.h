#pragma once
// The status source over the client API directly: the first adapter of a client root, its driver,
// configuration and a monitor of its own. For tools and tests that run the status parts without
// the main window; the main window answers the same questions from its adapter context.
#include "wmapp/WmStatusSource.h"

class Zelcore;
class WcAdapter;
class WcAdapterConfig;
class WcAdapterDriver;
class WcAdapterManager;
class WcProfileManager;
class WcUtility;

class WmStatusSourceClient : public WmStatusSource {
public:
    // Takes the first adapter of root (root may be null: then nothing is available). The
    // monitor is made without its polling thread; RunMonitorCycle collects on demand, or
    // StartMonitor runs the thread.
    explicit WmStatusSourceClient(Zelcore* root);
    ~WmStatusSourceClient() override;
    WmStatusSourceClient(const WmStatusSourceClient&) = delete;
    WmStatusSourceClient& operator=(const WmStatusSourceClient&) = delete;

    bool HasAdapter() const { return m_adapter != nullptr; }
    WcAdapter* Adapter() const { return m_adapter; }
    WcAdapterConfig* AdapterConfig() const { return m_config; }
    WcProfileManager* ProfileManager() const { return m_profiles; }
    void RunMonitorCycle();
    bool StartMonitor();
    // This source cannot ask the system's configuration service; tests set the answer.
    void SetZeroConfigEnabled(bool enabled) { m_zeroConfig = enabled; }

    WgAdapterMonitor* Monitor() override { return m_monitor; }
    bool HasAdapterConfig() override { return m_config != nullptr; }
    bool HasAdapterDriver() override { return m_driver != nullptr; }
    bool IsAdapterUnavailable() override;
    bool IsZeroConfigEnabled() override { return m_zeroConfig; }
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

private:
    Zelcore* m_root = nullptr;
    WcAdapterManager* m_manager = nullptr;
    WcAdapter* m_adapter = nullptr;
    WcAdapterDriver* m_driver = nullptr;
    WcAdapterConfig* m_config = nullptr;
    WcUtility* m_utility = nullptr;
    WcProfileManager* m_profiles = nullptr;
    WgAdapterMonitor* m_monitor = nullptr;
    bool m_zeroConfig = false;
};
