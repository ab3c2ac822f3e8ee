#pragma once
// What the status page, the tray icon and the menus ask of the adapter context: the adapter's
// monitor and the handful of wrapper values around it. The main window implements it over its
// adapter context; tests and the screenshot tool use WmStatusSourceClient over the client API.
// Every call may fail (false): the caller then shows its "not available" form.
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/RegistryTypes.h"
#include "zelcore/WcProfileData.h"

class WgAdapterMonitor;

// One profile of the store, in store order, with whether it can be used here.
struct WmProfileEntry {
    std::string name;
    bool disabled = false;
    bool disabledKnown = true;  // false when the disabled state could not be read
};

class WmStatusSource {
public:
    virtual ~WmStatusSource();

    // The adapter's monitor, or null (no reference is handed over).
    virtual WgAdapterMonitor* Monitor() = 0;
    // Whether the adapter's configuration and driver interfaces are held.
    virtual bool HasAdapterConfig() = 0;
    virtual bool HasAdapterDriver() = 0;
    // True unless an adapter is present and the monitor reports its radio enabled.
    virtual bool IsAdapterUnavailable() = 0;
    // Whether the system's own wireless configuration service controls the adapter.
    virtual bool IsZeroConfigEnabled() = 0;
    virtual DWORD GetActiveSuppType() = 0;
    virtual DWORD GetVendor() = 0;
    // Administrator install options by index (8 LimitTrayFunctionalities, 13 DisableOnLAN...).
    virtual DWORD GetInstallOption(int index) = 0;

    virtual bool GetAdapterName(std::string& name) = 0;
    virtual bool GetIPAddress(std::string& address) = 0;
    virtual bool GetSSID(std::string& ssid) = 0;
    // WcDriverRadioState.
    virtual bool GetRadioState(int32_t& state) = 0;
    // WcAdapterState.
    virtual bool GetAdapterState(uint32_t& state) = 0;
    // Signal level 0..4 of an RSSI, as the driver computes it.
    virtual bool SignalStrength(long rssi, uint32_t& level) = 0;
    // The capability record's securityCaps and the client API's tests on it.
    virtual bool GetSecurityCaps(uint32_t& caps) = 0;
    virtual bool HasExtendedRange(uint32_t caps) = 0;
    virtual bool HasVelaMode(uint32_t caps) = 0;
    virtual bool GetOemFeatures(uint32_t& features) = 0;

    virtual bool GetActiveProfileName(std::string& name) = 0;
    virtual bool GetActiveProfileData(WcProfileData& data) = 0;
    virtual bool GetProfileDataByName(const std::string& name, WcProfileData& data) = 0;
    // Whether the named stored profile cannot be used on this adapter or by this user.
    virtual bool IsProfileDisabled(const std::string& name, bool& disabled) = 0;
    virtual bool IsAPSActive(uint32_t& active) = 0;
    virtual bool GetAutoProfileCount(uint32_t& count) = 0;
    // Every stored profile in store order.
    virtual bool ListProfiles(std::vector<WmProfileEntry>& profiles) = 0;

    // Imports the administrator configuration file when it changed since the last import and
    // applies it; true when it was imported.
    virtual bool ImportChangedAdminConfig() = 0;

    // Display name of a security type (WcSecurityType), as the GUI library's string table has it;
    // empty for an unknown type.
    virtual QString AuthenticationTypeText(int32_t type);
};
