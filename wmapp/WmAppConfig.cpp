#include "wmapp/WmAppConfig.h"

#include "platform/WindowMessage.h"
#include "platform/ZelvoPaths.h"
#include "wmapp/WmEventNames.h"
#include "wmapp/WmTrace.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcConfigManager.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/WcUtility.h"
#include "zelcore/Zelcore.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/services/WgRegKey.h"
#include "zelgui/services/WgSettings.h"

#include <QCoreApplication>
#include <QThread>

#include <mutex>

#include <sys/stat.h>

namespace {

// The shared objects. Written on the user-interface thread only, under g_mutex, so the sinks can
// read them under the same lock.
struct Shared {
    Zelcore* root = nullptr;
    WcAdapterManager* adapterManager = nullptr;
    WcProfileManager* profileManager = nullptr;
    WcConfigManager* configManager = nullptr;
    WcUtility* utility = nullptr;
    WcAdapter* adapter = nullptr;  // also the adapter the event sink is registered with
    WcAdapterDriver* driver = nullptr;
    WcAdapterConfig* config = nullptr;
    WgAdapterMonitorManager* monitorManager = nullptr;
    WgAdapterMonitor* monitor = nullptr;
};

std::mutex g_mutex;
Shared g_shared;
WmAppConfig* g_instance = nullptr;

const unsigned WM_ADAPTER_STATUS_EVENT = RegisterWindowMessage("AdapterStatusEvent");
constexpr unsigned WM_UPDATE_PAGE = WM_APP + 30;
constexpr unsigned WM_PROFILES_CHANGED = WM_APP + 80;

struct Option {
    const char* name;
    DWORD def;
};

// Indexes 0..13 of GetInstallOption, in that order.
constexpr Option kOptions[WmAppConfig::INSTALL_OPTION_COUNT] = {
    {WgSettings::Machine::UserCreateProfile.name, WgSettings::Machine::UserCreateProfile.def},
    {WgSettings::Machine::UserEditProfile.name, WgSettings::Machine::UserEditProfile.def},
    {WgSettings::Machine::UserDeleteProfile.name, WgSettings::Machine::UserDeleteProfile.def},
    {WgSettings::Machine::UserExportProfile.name, WgSettings::Machine::UserExportProfile.def},
    {WgSettings::Machine::UserImportProfile.name, WgSettings::Machine::UserImportProfile.def},
    {WgSettings::Machine::EnableProfileManagement.name, WgSettings::Machine::EnableProfileManagement.def},
    {WgSettings::Machine::UpdateExistingProfile.name, WgSettings::Machine::UpdateExistingProfile.def},
    {WgSettings::Machine::ForceAutoProfile.name, WgSettings::Machine::ForceAutoProfile.def},
    {WgSettings::Machine::LimitTrayFunctionalities.name, WgSettings::Machine::LimitTrayFunctionalities.def},
    {WgSettings::Machine::DatFileReq.name, WgSettings::Machine::DatFileReq.def},
    {WgSettings::Machine::AllowModifyAutoPACSetting.name, WgSettings::Machine::AllowModifyAutoPACSetting.def},
    {WgSettings::Machine::UsePrivateProfiles.name, WgSettings::Machine::UsePrivateProfiles.def},
    {WgSettings::User::PACFilesExist.name, WgSettings::User::PACFilesExist.def},
    {WgSettings::User::DisableOnLAN.name, WgSettings::User::DisableOnLAN.def},
};
constexpr int kProfileManagementOption = 5;
constexpr int kAllowModifyAutoPacOption = 10;
constexpr int kDatFileReqOption = 9;
constexpr int kDisableOnLanOption = 13;

// Modification time of a file in seconds since 1970, or -1 when it does not exist.
int64_t FileTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    return static_cast<int64_t>(st.st_mtime);
}

void ReadDword(WgRegKey& key, const char* name, DWORD* value) {
    DWORD stored = 0;
    if (key.GetValue(name, &stored)) *value = stored;
}

}  // namespace

WmAppConfig::WmAppConfig(Zelcore* root)
    : m_adminConfigPath(ZelvoPaths::AppDir() + "/" + ADMIN_CONFIG_FILE),
      m_relay(std::make_unique<WmEventRelay>()),
      m_ui(std::make_unique<QObject>()) {
    {
        std::lock_guard lock(g_mutex);
        g_shared = Shared{};
        g_shared.root = root;
    }
    g_instance = this;
    LoadInstallOptions();
}

WmAppConfig::~WmAppConfig() {
    DeInit();
    m_relay->SetTarget(nullptr);
    if (g_instance == this) g_instance = nullptr;
    std::lock_guard lock(g_mutex);
    g_shared.root = nullptr;
}

WmAppConfig* WmAppConfig::Instance() { return g_instance; }

Zelcore* WmAppConfig::Root() { return g_shared.root; }
WcAdapterManager* WmAppConfig::AdapterManager() { return g_shared.adapterManager; }
WcProfileManager* WmAppConfig::ProfileManager() { return g_shared.profileManager; }
WcConfigManager* WmAppConfig::ConfigManager() { return g_shared.configManager; }
WcUtility* WmAppConfig::Utility() { return g_shared.utility; }
WcAdapter* WmAppConfig::Adapter() { return g_shared.adapter; }
WcAdapterDriver* WmAppConfig::AdapterDriver() { return g_shared.driver; }
WcAdapterConfig* WmAppConfig::AdapterConfig() { return g_shared.config; }
WgAdapterMonitorManager* WmAppConfig::MonitorManager() { return g_shared.monitorManager; }
WgAdapterMonitor* WmAppConfig::Monitor() { return g_shared.monitor; }

void WmAppConfig::SetHooks(Hooks hooks) { m_hooks = std::move(hooks); }

void WmAppConfig::SetMainWindow(WindowMessageTarget* window) { m_relay->SetTarget(window); }

// ---- life cycle ----

bool WmAppConfig::Init() {
    DeInit();
    Zelcore* root = Root();
    WcAdapterManager* manager = nullptr;
    if (root && root->GetAdapterManager(&manager, 0) == WC_STATUS_SUCCESS && manager) {
        TracePrint("Got WcAdapterManager\n");
        std::lock_guard lock(g_mutex);
        g_shared.adapterManager = manager;
    } else {
        TracePrint("Failed to get WcAdapterManager\n");
    }

    if (AdapterManager() && SelectAdapter() && Adapter()) {
        std::string name;
        if (Adapter()->GetName(&name) == WC_STATUS_SUCCESS) m_adapterName = name;
    }

    {
        WgAdapterMonitorManager* monitorManager = WgAdapterMonitorManager::GetAdapterMonitorManager();
        std::lock_guard lock(g_mutex);
        g_shared.monitorManager = monitorManager;
    }
    if (Adapter() && StartMonitor()) {
        TracePrint("Got WgAdapterMonitor\n");
    } else {
        TracePrint("Failed to get WgAdapterMonitor\n");
    }

    RegisterManagerEvents();

    WcProfileManager* profiles = nullptr;
    if (root && root->GetProfileManager(&profiles, 0) == WC_STATUS_SUCCESS && profiles) {
        TracePrint("Got WcProfileManager\n");
    } else {
        profiles = nullptr;
        TracePrint("Failed to get WcProfileManager\n");
    }
    WcConfigManager* configs = nullptr;
    if (root && root->GetConfigManager(&configs, 0) == WC_STATUS_SUCCESS && configs) {
        TracePrint("Got WcConfigManager\n");
    } else {
        configs = nullptr;
        TracePrint("Failed to get WcConfigManager\n");
    }
    WcUtility* utility = nullptr;
    if (root && root->GetUtility(&utility, 0) == WC_STATUS_SUCCESS && utility) {
        TracePrint("Got WcUtility\n");
    } else {
        utility = nullptr;
        TracePrint("Failed to get WcUtility\n");
    }
    std::lock_guard lock(g_mutex);
    g_shared.profileManager = profiles;
    g_shared.configManager = configs;
    g_shared.utility = utility;
    return true;
}

bool WmAppConfig::StartMonitor() {
    WgAdapterMonitorManager* monitorManager = MonitorManager();
    WcAdapter* adapter = Adapter();
    WgAdapterMonitor* monitor = nullptr;
    if (!monitorManager || !adapter || monitorManager->GetAdapterMonitor(adapter, &monitor) != WG_SUCCESS || !monitor)
        return false;
    WgAdapterMonitor* previous;
    {
        std::lock_guard lock(g_mutex);
        previous = g_shared.monitor;
        g_shared.monitor = monitor;
    }
    // A monitor kept from before holds one reference already.
    if (previous) previous->Release();
    monitor->StartMonitoring();
    return true;
}

void WmAppConfig::DeInit() {
    if (AdapterManager()) {
        UnregisterManagerEvents();
    } else {
        TracePrint("DeInit: WcAdapterManager not UnRegistered\n");
    }
    DropAdapter();
    ReleaseMonitor();
    WcAdapterManager* manager;
    WcUtility* utility;
    {
        std::lock_guard lock(g_mutex);
        manager = g_shared.adapterManager;
        utility = g_shared.utility;
        Zelcore* root = g_shared.root;
        g_shared = Shared{};
        g_shared.root = root;
    }
    // The adapter manager and the utility are counted references of this context: give them back
    // so a repeated Init does not leak them.
    if (manager) manager->Release();
    if (utility) utility->Release();
}

bool WmAppConfig::SelectAdapter() {
    WcAdapterManager* manager = AdapterManager();
    if (!manager) return false;
    uint32_t count = 0;
    if (manager->GetAdapterCount(&count) == WC_STATUS_SUCCESS) {
        TracePrint("Found %d no of Adapters\n", static_cast<int>(count));
    } else {
        count = 0;
    }

    WcAdapter* chosen = nullptr;
    for (uint32_t index = 0; index < count && !chosen; ++index) {
        WcAdapter* adapter = nullptr;
        if (manager->GetAdapter(index, &adapter) != WC_STATUS_SUCCESS || !adapter) continue;
        uint32_t state = WC_ADAPTER_STATE_DISABLED;
        if (adapter->GetState(&state) != WC_STATUS_SUCCESS) state = WC_ADAPTER_STATE_DISABLED;
        if (state != WC_ADAPTER_STATE_DISABLED && state != WC_ADAPTER_STATE_REMOVED) {
            TracePrint("Got WcAdapter, using index: %i\n", static_cast<int>(index));
            chosen = adapter;
        } else {
            adapter->Release();
        }
    }
    if (!chosen && (manager->GetAdapter(0, &chosen) != WC_STATUS_SUCCESS)) chosen = nullptr;
    if (!chosen) {
        DropAdapter();
        ReleaseMonitor();
        TracePrint("Failed to get WcAdapter\n");
        return false;
    }

    // The same adapter again (the profile store was reloaded): keep its registration, objects and
    // monitor, since unregistering and registering again would lose the events sent in between.
    bool same;
    {
        std::lock_guard lock(g_mutex);
        same = g_shared.adapter == chosen && g_shared.driver && g_shared.config;
    }
    if (same) {
        chosen->Release();
        TracePrint("Got WcAdapterDriver\n");
        TracePrint("Got WcAdapterConfig\n");
        return true;
    }
    DropAdapter();
    ReleaseMonitor();

    chosen->RegisterForEvents(this, WC_EVENT_ALL);
    {
        std::lock_guard lock(g_mutex);
        g_shared.adapter = chosen;
    }

    WcAdapterDriver* driver = nullptr;
    if (chosen->GetAdapterDriver(&driver, 0) != WC_STATUS_SUCCESS || !driver) {
        TracePrint("Failed to get WcAdapterDriver\n");
        return false;
    }
    TracePrint("Got WcAdapterDriver\n");
    WcAdapterConfig* config = nullptr;
    if (chosen->GetAdapterConfig(&config, 0) != WC_STATUS_SUCCESS || !config) {
        std::lock_guard lock(g_mutex);
        g_shared.driver = driver;
        TracePrint("Failed to get WcAdapterConfig\n");
        return false;
    }
    TracePrint("Got WcAdapterConfig\n");
    std::lock_guard lock(g_mutex);
    g_shared.driver = driver;
    g_shared.config = config;
    return true;
}

void WmAppConfig::DropAdapter() {
    WcAdapter* adapter;
    {
        std::lock_guard lock(g_mutex);
        adapter = g_shared.adapter;
        g_shared.adapter = nullptr;
        g_shared.driver = nullptr;
        g_shared.config = nullptr;
    }
    if (!adapter) return;
    {
        // Unregistering waits for a delivery in progress, which may be waiting for this thread.
        WmEventRelay::NoWait noWait(*m_relay);
        adapter->UnregisterForEvents(this);
    }
    adapter->Release();
}

void WmAppConfig::ReleaseMonitor() {
    WgAdapterMonitor* monitor;
    {
        std::lock_guard lock(g_mutex);
        monitor = g_shared.monitor;
        g_shared.monitor = nullptr;
    }
    if (monitor) monitor->Release();
}

void WmAppConfig::RegisterManagerEvents() {
    WcAdapterManager* manager = AdapterManager();
    if (manager && manager->RegisterForEvents(this, WC_NOTIFY_ADAPTER_REMOVED | WC_NOTIFY_ADAPTER_INSERT) == WC_STATUS_SUCCESS)
        TracePrint("Registered for Events with AdapterManager\n");
}

void WmAppConfig::UnregisterManagerEvents() {
    WcAdapterManager* manager = AdapterManager();
    if (!manager) {
        TracePrint("Failed to get WcAdapterManager for unregistering\n");
        return;
    }
    manager->UnregisterForEvents(this, 0xFFFFFFFFu);
}

// ---- install options and files ----

void WmAppConfig::LoadInstallOptions() {
    for (int i = 0; i < INSTALL_OPTION_COUNT; ++i) m_options[static_cast<size_t>(i)] = kOptions[i].def;
    m_vendor = WgSettings::Machine::Vendor.def;
    {
        WgRegKey key;
        if (key.OpenKeyForQueryOnly(HKEY_LOCAL_MACHINE, g_szSWRegPath)) {
            for (int i = 0; i <= 11; ++i)
                if (i != kAllowModifyAutoPacOption) ReadDword(key, kOptions[i].name, &m_options[static_cast<size_t>(i)]);
            ReadDword(key, WgSettings::Machine::Vendor.name, &m_vendor);
        }
    }
    {
        WgRegKey key;
        if (key.OpenKeyForQueryOnly(HKEY_LOCAL_MACHINE, g_szSWRegPath))
            ReadDword(key, kOptions[kAllowModifyAutoPacOption].name, &m_options[kAllowModifyAutoPacOption]);
    }
    for (int i = 12; i < INSTALL_OPTION_COUNT; ++i)
        m_options[static_cast<size_t>(i)] = WgSettings::UserDword(kOptions[i].name, kOptions[i].def);
}

DWORD WmAppConfig::GetInstallOption(int index) const {
    if (index < 0 || index >= INSTALL_OPTION_COUNT) return 0;
    const DWORD value = m_options[static_cast<size_t>(index)];
    if (index <= 4) return value & m_options[kProfileManagementOption];
    return value;
}

DWORD WmAppConfig::GetActiveSuppType() { return WgSettings::MachineDword(WgSettings::Machine::ActiveSuppType); }

DWORD WmAppConfig::SetDisableOnLAN(DWORD value) {
    m_options[kDisableOnLanOption] = value;
    WgSettings::SetUserDword(WgSettings::User::DisableOnLAN.name, value, true);
    return value;
}

bool WmAppConfig::IsAdminConfigChanged() {
    if (!GetInstallOption(kDatFileReqOption)) return false;
    {
        WgRegKey key;
        if (!key.KeyFound(HKEY_CURRENT_USER, g_szSWRegPath)) {
            DWORD disposition = 0;
            if (key.CreateKey(HKEY_CURRENT_USER, g_szSWRegPath, &disposition))
                key.SetValue(WgSettings::User::InitZelvo.name, DWORD{1});
        }
    }
    const DWORD stamp = WgSettings::UserDword(WgSettings::User::DatFileTimeStamp);
    const int64_t modified = FileTime(m_adminConfigPath);
    return modified >= 0 && modified > static_cast<int64_t>(stamp);
}

void WmAppConfig::StoreAdminConfigTimestamp() {
    if (!GetInstallOption(kDatFileReqOption)) return;
    const int64_t modified = FileTime(m_adminConfigPath);
    if (modified < 0) return;
    WgSettings::SetUserDword(WgSettings::User::DatFileTimeStamp.name, static_cast<DWORD>(modified), true);
}

// ---- profiles and availability ----

int WmAppConfig::GetActiveProfileIndex(WcAdapter*) {
    WcProfileManager* profiles = ProfileManager();
    WcAdapterConfig* config = AdapterConfig();
    uint32_t count = 0;
    if (!profiles || profiles->GetProfileCount(&count) != WC_STATUS_SUCCESS || count == 0) return -1;
    std::string name;
    WcProfile* active = nullptr;
    if (!config || config->GetActiveProfileName(&name) != WC_STATUS_SUCCESS ||
        profiles->GetProfileByName(name, &active) != WC_STATUS_SUCCESS || !active) {
        TracePrint("Could not get Active Profile\n");
        return -1;
    }
    WcProfile* profile = nullptr;
    int index = 0;
    for (WcStatus status = profiles->GetFirstProfile(&profile); status == WC_STATUS_SUCCESS && profile;
         status = profiles->GetNextProfile(&profile), ++index) {
        if (profile == active) return index;
    }
    return -1;
}

bool WmAppConfig::IsAdapterUnavailable() {
    WcAdapterManager* manager = AdapterManager();
    WgAdapterMonitor* monitor = Monitor();
    uint32_t count = 0;
    if (!manager || manager->GetAdapterCount(&count) != WC_STATUS_SUCCESS || count == 0) return true;
    WcDriverRadioState radio = WC_RADIO_OFF_BOTH;
    if (!monitor || monitor->GetRadioEnableStatus(&radio) != WG_SUCCESS) return true;
    return radio != WC_RADIO_ON;
}

bool WmAppConfig::SupportsThreeSSIDs() {
    WcUtility* utility = Utility();
    WcAdapterCapabilities caps {};
    return utility && utility->GetAdapterCapabilities(Adapter(), &caps) == WC_STATUS_SUCCESS && caps.maxSsids > 2;
}

bool WmAppConfig::IsQoSSupported(WcAdapter*) {
    uint32_t qos = 0;
    if (!Adapter() || !AdapterDriver() || AdapterDriver()->GetQosInfo(&qos) != WC_STATUS_SUCCESS) {
        TracePrint("No supporting QoS\n");
        return false;
    }
    return true;
}

bool WmAppConfig::IsDriverUp(WcAdapter*) {
    if (Adapter() && AdapterDriver()) return true;
    TracePrint("Failed IsDriverUp()\n");
    return false;
}

uint32_t WmAppConfig::GetOemFeatures(WcAdapter*) {
    uint32_t features = 0;
    if (!AdapterDriver() || AdapterDriver()->GetOemFeatures(&features) != WC_STATUS_SUCCESS || features == 0) {
        TracePrint("No supported Oem Features\n");
        return 0;
    }
    return features;
}

// ---- wrappers ----

namespace {
bool Check(bool ok, const char* failure) {
    if (!ok) TracePrint("%s", failure);
    return ok;
}
}  // namespace

bool WmAppConfig::GetName(WcAdapter* adapter, std::string& name) {
    WcAdapter* held = Adapter();
    return Check(adapter && held && held->GetName(&name) == WC_STATUS_SUCCESS, "Failed GetName()\n");
}

bool WmAppConfig::GetMacAddress(WcAdapter* adapter, std::string& mac) {
    WcAdapter* held = Adapter();
    WuMacAddress address;
    const bool ok = adapter && held && held->GetMacAddress(&address) == WC_STATUS_SUCCESS;
    if (ok) mac = address.ToString();
    return Check(ok, "Failed GetMacAddress()\n");
}

bool WmAppConfig::GetIPAddress(WcAdapter* adapter, std::string& ip) {
    WcAdapter* held = Adapter();
    WuIp6Address address;
    const bool ok = adapter && held && held->GetIPAddress(&address) == WC_STATUS_SUCCESS;
    if (ok) ip = address.ToString();
    return Check(ok, "Failed GetIPAddress()\n");
}

bool WmAppConfig::GetState(WcAdapter* adapter, uint32_t& state) {
    WcAdapter* held = Adapter();
    return Check(adapter && held && held->GetState(&state) == WC_STATUS_SUCCESS, "Failed GetState()\n");
}

bool WmAppConfig::IsAPSActive(WcAdapter*, uint32_t& active) {
    WcAdapterConfig* config = AdapterConfig();
    return Check(config && config->IsAPSActive(&active) == WC_STATUS_SUCCESS, "Failed IsAPSActive()\n");
}

bool WmAppConfig::GetActiveProfileName(WcAdapter*, std::string& name) {
    name.clear();
    WcAdapterConfig* config = AdapterConfig();
    std::string read;
    const bool ok = config && config->GetActiveProfileName(&read) == WC_STATUS_SUCCESS;
    if (ok) name = read;
    return Check(ok, "Failed GetActiveProfileName()\n");
}

bool WmAppConfig::GetActiveProfile(WcAdapter*, WcProfile** profile) {
    if (!profile) return false;
    *profile = nullptr;
    WcAdapterConfig* config = AdapterConfig();
    WcProfileManager* profiles = ProfileManager();
    std::string name;
    WcProfile* found = nullptr;
    const bool ok = config && profiles && config->GetActiveProfileName(&name) == WC_STATUS_SUCCESS &&
                    profiles->GetProfileByName(name, &found) == WC_STATUS_SUCCESS && found;
    if (ok) *profile = found;
    return Check(ok, "Failed GetActiveProfile()\n");
}

bool WmAppConfig::SetActiveProfile(WcAdapter*, WcProfile* profile, uint32_t mode) {
    if (!profile) return Check(false, "Failed SetActiveProfile(). Profile Null\n");
    WcAdapterConfig* config = AdapterConfig();
    return Check(config && config->SetActiveProfile(profile, mode) == WC_STATUS_SUCCESS, "Failed SetActiveProfile()\n");
}

bool WmAppConfig::SetActiveProfile(WcAdapter*, const std::string& name, uint32_t mode) {
    WcAdapterConfig* config = AdapterConfig();
    return Check(config && config->SetActiveProfile(name, mode) == WC_STATUS_SUCCESS, "Failed SetActiveProfile()\n");
}

bool WmAppConfig::ClearCachedCredentials(WcAdapter*, WcProfile* profile) {
    if (!profile) return Check(false, "Failed ClearCachedCredentials(). Profile Null\n");
    WcAdapterConfig* config = AdapterConfig();
    return Check(config && config->ClearCachedCredentials(profile) == WC_STATUS_SUCCESS,
                 "Failed ClearCachedCredentials()\n");
}

#define WM_DRIVER_WRAPPER(call, name) \
    WcAdapterDriver* driver = AdapterDriver(); \
    return Check(driver && driver->call == WC_STATUS_SUCCESS, "Failed " name "()\n")

bool WmAppConfig::GetDriverFileVersionStr(WcAdapter*, std::string& version) {
    WM_DRIVER_WRAPPER(GetDriverFileVersionStr(&version), "GetDriverFileVersionStr");
}
bool WmAppConfig::GetDriverFilePath(WcAdapter*, std::string& path) {
    WM_DRIVER_WRAPPER(GetDriverFilePath(&path), "GetDriverFilePath");
}
bool WmAppConfig::GetSerialNumber(WcAdapter*, std::string& serial) {
    WM_DRIVER_WRAPPER(GetSerialNumber(&serial), "GetSerialNumber");
}
bool WmAppConfig::GetDriverFileTimes(WcAdapter*, int64_t* created, int64_t* written, int64_t* accessed) {
    WM_DRIVER_WRAPPER(GetDriverFileTimes(created, written, accessed), "GetDriverFileTimes");
}
bool WmAppConfig::GetAuthAlgorithm(WcAdapter*, uint32_t& algorithm) {
    WM_DRIVER_WRAPPER(GetAuthAlgorithm(&algorithm), "GetAuthAlgorithm");
}
bool WmAppConfig::GetDeviceInfo(WcAdapter*, WcDriverDeviceInfo* info) {
    WM_DRIVER_WRAPPER(GetDeviceInfo(info), "GetDeviceInfo");
}
bool WmAppConfig::GetCountry(WcAdapter*, std::string& country) { WM_DRIVER_WRAPPER(GetCountry(&country), "GetCountry"); }
bool WmAppConfig::GetRadioState(WcAdapter*, uint32_t& state) { WM_DRIVER_WRAPPER(GetRadioState(&state), "GetRadioState"); }
bool WmAppConfig::SetRadioState(WcAdapter*, uint32_t state) { WM_DRIVER_WRAPPER(SetRadioState(state), "SetRadioState"); }
bool WmAppConfig::RefreshBSSISList(WcAdapter*) { WM_DRIVER_WRAPPER(RefreshBSSISList(), "RefreshBSSISList"); }
bool WmAppConfig::GetSSID(WcAdapter*, std::string& ssid) { WM_DRIVER_WRAPPER(GetSSID(&ssid), "GetSSID"); }

#undef WM_DRIVER_WRAPPER

bool WmAppConfig::SignalStrength(WcAdapter*, int32_t rssi, uint32_t& level) {
    WcAdapterDriver* driver = AdapterDriver();
    if (!driver) return Check(false, "Failed SignalStrength()\n");
    driver->SignalStrength(rssi, &level);
    return true;
}

WcStatus WmAppConfig::SetZeroConfigState(uint32_t enabled) {
    WcAdapter* adapter = Adapter();
    return adapter ? adapter->SetZeroConfigState(enabled) : 0;
}

WcStatus WmAppConfig::SetActiveSupplicant(uint32_t supplicant) {
    WcAdapter* adapter = Adapter();
    if (!adapter || supplicant >= 3) return 0;
    return adapter->SetActiveSupplicant(supplicant);
}

// ---- notifications and events ----

WcAdapter* WmAppConfig::RegisteredAdapterRef() const {
    std::lock_guard lock(g_mutex);
    if (g_shared.adapter) g_shared.adapter->AddRef();
    return g_shared.adapter;
}

uint32_t WmAppConfig::RegisteredAdapterState() const {
    WcAdapter* adapter = RegisteredAdapterRef();
    uint32_t state = NO_ADAPTER_STATE;
    if (adapter) {
        if (adapter->GetState(&state) != WC_STATUS_SUCCESS) state = NO_ADAPTER_STATE;
        adapter->Release();
    }
    return state;
}

void WmAppConfig::OnUiThread(std::function<void()> work) {
    // Always queued, even on the user-interface thread: the work may unregister the very sink
    // that is delivering.
    QMetaObject::invokeMethod(m_ui.get(), std::move(work), Qt::QueuedConnection);
}

void WmAppConfig::Post(unsigned message, uintptr_t wParam) { m_relay->Post(message, wParam); }

uint32_t WmAppConfig::OnAdapterEvent(uint32_t flags, WcAdapter*) {
    if (flags & WC_NOTIFY_ADAPTER_REMOVED) {
        TracePrint("WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_REMOVED\n");
        const uint32_t state = RegisteredAdapterState();
        if (state == WC_ADAPTER_STATE_REMOVED) TracePrint("WmAppConfig: STATE: WC_ADAPTER_STATE_REMOVED\n");
        if (state == WC_ADAPTER_STATE_DISABLED) TracePrint("WmAppConfig: STATE: WC_ADAPTER_STATE_DISABLED\n");
        OnUiThread([this] { HandleAdapterRemoved(); });
    } else if (flags & WC_NOTIFY_ADAPTER_INSERT) {
        TracePrint("WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_INSERT\n");
        OnUiThread([this] { HandleAdapterInserted(); });
    } else if (flags & WC_NOTIFY_ADAPTER_STATE_CHANGE) {
        TracePrint("EVENT: WC_NOTIFY_ADAPTER_STATE_CHANGE\n");
        if (const char* name = WmEventNames::AdapterStateName(RegisteredAdapterState())) TracePrint("STATE: %s\n", name);
    } else if (flags & WC_NOTIFY_ADAPTER_CONFIG_CHANGE) {
        TracePrint("EVENT: WC_NOTIFY_ADAPTER_CONFIG_CHANGE\n");
        const uint32_t state = RegisteredAdapterState();
        if (const char* name = WmEventNames::AdapterStateName(state)) {
            if (state >= WC_ADAPTER_STATE_DISCONNECTED)
                TracePrint("\n%s\n", name);
            else
                TracePrint("STATE: %s\n", name);
        }
    }
    return 0;
}

void WmAppConfig::HandleAdapterRemoved() {
    DropAdapter();
    ReleaseMonitor();
    Post(WM_UPDATE_PAGE, 0);
    if (m_hooks.refreshConnectionStatus) m_hooks.refreshConnectionStatus();
}

void WmAppConfig::HandleAdapterInserted() {
    std::string name;
    if (SelectAdapter() && Adapter()) {
        if (Adapter()->GetName(&name) != WC_STATUS_SUCCESS) name.clear();
    }
    if (WcProfileManager* profiles = ProfileManager()) {
        if (profiles->RefreshFromStorage(0) != WC_STATUS_SUCCESS) {
            if (m_hooks.createDefaultProfile) m_hooks.createDefaultProfile();
            profiles->RefreshFromStorage(0);
        }
    }
    m_adapterName = name;
    if (!StartMonitor()) TracePrint("Failed to get WcAdapterMonitor\n");
    Post(WM_PROFILES_CHANGED, 0);
    Post(WM_UPDATE_PAGE, 1);
    if (m_hooks.refreshConnectionStatus) m_hooks.refreshConnectionStatus();
    if (m_hooks.activateSNProfile) m_hooks.activateSNProfile();
}

void WmAppConfig::OnStatusEvent(uint32_t type, uint32_t status, const char* extra, WcAdapter* adapter) {
    const char* statusName = WmEventNames::StatusName(type, status);
    if (!WmEventNames::IsKnownType(type)) TracePrint("Unknown Adapter Status Event Type");

    WcAdapter* registered = RegisteredAdapterRef();
    // A changed profile store re-selects the adapter; that unregisters this very sink, so it runs
    // on the user-interface thread after this delivery has ended.
    if (type == WC_EVENT_APS_STATUS && status == WC_APS_STATUS_PROFILE_STORE_CHANGED && registered)
        OnUiThread([this] { HandleAdapterInserted(); });

    std::string adapterName;
    if (adapter && adapter->GetName(&adapterName) != WC_STATUS_SUCCESS) adapterName.clear();
    TracePrint("WmApp: Adapter Event: %s, ExtraInfo: %s, Adapter: %s\n", statusName, extra ? extra : "",
               adapterName.c_str());

    if (adapter && adapter == registered)
        m_relay->SendText(WM_ADAPTER_STATUS_EVENT, WmEventNames::HistoryText(statusName, extra));
    if (registered) registered->Release();
}
