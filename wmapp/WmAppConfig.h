#pragma once
// The adapter context: the program's one connection to the client API. It holds the managers,
// the chosen adapter with its driver and configuration objects and the adapter's monitor, listens
// to adapter-manager notifications and to the chosen adapter's events, keeps the administrator's
// install options, and offers thin wrappers that trace a fixed line on failure and answer true or
// false.
//
// Threads: the shared pointers change only on the user-interface thread. The sinks run on client
// library threads: they trace, read the chosen adapter under the context's lock, hand removal,
// insertion and re-selection to the user-interface thread, and deliver event texts to the main
// window through the relay.
#include "platform/RegistryTypes.h"
#include "wmapp/WmEventRelay.h"
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcDriverDeviceInfo.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class Zelcore;
class WcAdapterConfig;
class WcAdapterDriver;
class WcConfigManager;
class WcProfile;
class WcProfileManager;
class WcUtility;
class WgAdapterMonitor;
class WgAdapterMonitorManager;

class WmAppConfig : public WcAdapterManagerSink, public WcAdapterEventSink {
public:
    static constexpr int INSTALL_OPTION_COUNT = 14;
    static constexpr uint32_t NO_ADAPTER_STATE = 902;
    static constexpr const char* ADMIN_CONFIG_FILE = "KovantaAdminConfig.dat";

    // Work of other parts of the program that adapter changes trigger; each may be empty.
    struct Hooks {
        std::function<void()> refreshConnectionStatus;
        std::function<void()> activateSNProfile;
        std::function<void()> createDefaultProfile;
    };

    // root: the program's client API root (kept, never released here; may be null). Reads the
    // install options.
    explicit WmAppConfig(Zelcore* root);
    ~WmAppConfig() override;
    WmAppConfig(const WmAppConfig&) = delete;
    WmAppConfig& operator=(const WmAppConfig&) = delete;

    // The session of the running program, or null.
    static WmAppConfig* Instance();

    // Process-wide objects (null when not obtained). For the user-interface thread.
    static Zelcore* Root();
    static WcAdapterManager* AdapterManager();
    static WcProfileManager* ProfileManager();
    static WcConfigManager* ConfigManager();
    static WcUtility* Utility();
    static WcAdapter* Adapter();
    static WcAdapterDriver* AdapterDriver();
    static WcAdapterConfig* AdapterConfig();
    static WgAdapterMonitorManager* MonitorManager();
    static WgAdapterMonitor* Monitor();

    // Life cycle.
    bool Init();
    void DeInit();
    bool SelectAdapter();
    void RegisterManagerEvents();
    void UnregisterManagerEvents();

    void SetHooks(Hooks hooks);
    // The main window that receives posts and event texts; null forgets it (call before the
    // window is destroyed). User-interface thread.
    void SetMainWindow(WindowMessageTarget* window);
    WmEventRelay& Relay() { return *m_relay; }

    const std::string& AdapterName() const { return m_adapterName; }
    const std::string& AdminConfigPath() const { return m_adminConfigPath; }

    // Install options and settings.
    DWORD GetInstallOption(int index) const;
    DWORD GetVendor() const { return m_vendor; }
    static DWORD GetActiveSuppType();
    DWORD SetDisableOnLAN(DWORD value);
    bool IsAdminConfigChanged();
    void StoreAdminConfigTimestamp();

    // Profiles.
    int GetActiveProfileIndex(WcAdapter* adapter);

    // Availability.
    bool IsAdapterUnavailable();
    bool SupportsThreeSSIDs();
    bool IsQoSSupported(WcAdapter* adapter);
    bool IsDriverUp(WcAdapter* adapter);
    uint32_t GetOemFeatures(WcAdapter* adapter);

    // Wrappers: true on success; on failure a trace line and false.
    bool GetName(WcAdapter* adapter, std::string& name);
    bool GetMacAddress(WcAdapter* adapter, std::string& mac);
    bool GetIPAddress(WcAdapter* adapter, std::string& ip);
    bool GetState(WcAdapter* adapter, uint32_t& state);
    bool IsAPSActive(WcAdapter* adapter, uint32_t& active);
    bool GetActiveProfileName(WcAdapter* adapter, std::string& name);
    bool GetActiveProfile(WcAdapter* adapter, WcProfile** profile);
    bool SetActiveProfile(WcAdapter* adapter, WcProfile* profile, uint32_t mode);
    bool SetActiveProfile(WcAdapter* adapter, const std::string& name, uint32_t mode);
    bool ClearCachedCredentials(WcAdapter* adapter, WcProfile* profile);
    bool GetDriverFileVersionStr(WcAdapter* adapter, std::string& version);
    bool GetDriverFilePath(WcAdapter* adapter, std::string& path);
    bool GetSerialNumber(WcAdapter* adapter, std::string& serial);
    bool GetDriverFileTimes(WcAdapter* adapter, int64_t* created, int64_t* written, int64_t* accessed);
    bool GetAuthAlgorithm(WcAdapter* adapter, uint32_t& algorithm);
    bool GetDeviceInfo(WcAdapter* adapter, WcDriverDeviceInfo* info);
    bool GetCountry(WcAdapter* adapter, std::string& country);
    bool GetRadioState(WcAdapter* adapter, uint32_t& state);
    bool SetRadioState(WcAdapter* adapter, uint32_t state);
    bool RefreshBSSISList(WcAdapter* adapter);
    bool GetSSID(WcAdapter* adapter, std::string& ssid);
    bool SignalStrength(WcAdapter* adapter, int32_t rssi, uint32_t& level);
    // Pass-throughs on the registered adapter; 0 without one.
    WcStatus SetZeroConfigState(uint32_t enabled);
    WcStatus SetActiveSupplicant(uint32_t supplicant);

    // Adapter-manager notification sink.
    uint32_t GetVersion() override { return 1; }
    uint32_t OnAdapterEvent(uint32_t flags, WcAdapter* adapter) override;
    uint32_t OnReserved1() override { return 255; }
    uint32_t OnReserved2() override { return 255; }
    // Adapter event sink.
    void OnStatusEvent(uint32_t type, uint32_t status, const char* extra, WcAdapter* adapter) override;

    // The handling the sinks hand to the user-interface thread (public for tests).
    void HandleAdapterRemoved();
    void HandleAdapterInserted();

private:
    void LoadInstallOptions();
    // The registered adapter with a reference for the caller, or null. Any thread.
    WcAdapter* RegisteredAdapterRef() const;
    uint32_t RegisteredAdapterState() const;
    // Unregisters from, releases and forgets the registered adapter and its objects.
    void DropAdapter();
    void ReleaseMonitor();
    bool StartMonitor();
    void OnUiThread(std::function<void()> work);
    void Post(unsigned message, uintptr_t wParam);

    std::string m_adminConfigPath;
    std::string m_adapterName;
    std::array<DWORD, INSTALL_OPTION_COUNT> m_options {};
    DWORD m_vendor = 0;
    Hooks m_hooks;
    std::unique_ptr<WmEventRelay> m_relay;
    std::unique_ptr<QObject> m_ui;  // queued work for the user-interface thread
};
