#include "zelgui/monitor/WgAdapterMonitorManager.h"

#include "zelcore/Zelcore.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/monitor/WgClientRoot.h"
#include "zelgui/monitor/WgLibraryLock.h"
#include "zelgui/services/WgTrace.h"

#include <new>

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;
WgAdapterMonitorManager* g_pMonitorManager = nullptr;
}  // namespace

WgAdapterMonitorManager* WgAdapterMonitorManager::GetAdapterMonitorManager() {
    Lock lock(WgLibraryLock());
    if (!g_pMonitorManager) g_pMonitorManager = new (std::nothrow) WgAdapterMonitorManager();
    return g_pMonitorManager;
}

WgStatus WgAdapterMonitorManager::destroy() {
    WgAdapterMonitorManager* manager;
    {
        Lock lock(WgLibraryLock());
        manager = g_pMonitorManager;
        g_pMonitorManager = nullptr;
    }
    if (manager) delete manager;
    return WG_SUCCESS;
}

WgAdapterMonitorManager::WgAdapterMonitorManager() { RegisterForAdapterEvents(); }

WgAdapterMonitorManager::~WgAdapterMonitorManager() {
    // Unregistering waits for a notification in progress, which needs the library lock: so it
    // runs without the lock, and so do the releases, which may wait for a monitor's thread.
    UnRegisterForAdapterEvents();
    std::vector<std::pair<WgAdapterMonitor*, std::string>> monitors;
    {
        Lock lock(WgLibraryLock());
        monitors.swap(m_monitors);
    }
    for (auto& entry : monitors) entry.first->Release();
}

int WgAdapterMonitorManager::RegisterForAdapterEvents() {
    Zelcore* root = WgClientRoot::Get();
    WcAdapterManager* adapterManager = nullptr;
    if (!root || root->GetAdapterManager(&adapterManager, 0) != WC_STATUS_SUCCESS || !adapterManager) return 1;
    if (adapterManager->RegisterForEvents(this, WC_NOTIFY_ADAPTER_REMOVED | WC_NOTIFY_ADAPTER_INSERT) !=
        WC_STATUS_SUCCESS) {
        adapterManager->Release();
        return 0;
    }
    Lock lock(WgLibraryLock());
    if (m_pAdapterManager) m_pAdapterManager->Release();
    m_pAdapterManager = adapterManager;
    return 1;
}

int WgAdapterMonitorManager::UnRegisterForAdapterEvents() {
    WcAdapterManager* adapterManager;
    {
        Lock lock(WgLibraryLock());
        adapterManager = m_pAdapterManager;
        m_pAdapterManager = nullptr;
    }
    if (!adapterManager) return 1;
    const WcStatus status = adapterManager->UnregisterForEvents(this, 0xFFFFFFFFu);
    adapterManager->Release();
    return status == WC_STATUS_SUCCESS ? 1 : 0;
}

void WgAdapterMonitorManager::File(WgAdapterMonitor* monitor, const std::string& name, bool takeReference) {
    for (auto& entry : m_monitors)
        if (entry.first == monitor) {
            entry.second = name;
            return;
        }
    if (takeReference) monitor->AddRef();
    m_monitors.emplace_back(monitor, name);
}

WgStatus WgAdapterMonitorManager::Register(WgAdapterMonitor* monitor, WcAdapter* adapter) {
    if (!adapter || !monitor) return WG_NULL_POINTER;
    std::string name;
    adapter->GetName(&name);
    Lock lock(WgLibraryLock());
    // A monitor filed here for the first time gets the reference the map releases at the end.
    File(monitor, name, true);
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitorManager::GetAdapterName(WgAdapterMonitor* monitor, std::string* name) {
    if (!monitor || !name) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    for (const auto& entry : m_monitors)
        if (entry.first == monitor) {
            *name = entry.second;
            return WG_SUCCESS;
        }
    return WG_NOT_FOUND;
}

WgAdapterMonitor* WgAdapterMonitorManager::FindAdapterMonitor(WcAdapter* adapter) {
    if (!adapter) return nullptr;
    std::string name;
    adapter->GetName(&name);
    Lock lock(WgLibraryLock());
    for (const auto& entry : m_monitors)
        if (entry.second == name) return entry.first;
    return nullptr;
}

WgStatus WgAdapterMonitorManager::GetAdapterMonitor(WcAdapter* adapter, WgAdapterMonitor** monitor) {
    if (!adapter || !monitor) return WG_NULL_POINTER;
    Lock lock(WgLibraryLock());
    WgAdapterMonitor* found = FindAdapterMonitor(adapter);
    if (!found) {
        // The creation reference is the map's.
        found = new WgAdapterMonitor(adapter);
        File(found, found->GetAdapterName(), false);
    }
    found->AddRef();
    *monitor = found;
    return WG_SUCCESS;
}

WgStatus WgAdapterMonitorManager::Clear() {
    Lock lock(WgLibraryLock());
    m_monitors.clear();
    return WG_SUCCESS;
}

uint32_t WgAdapterMonitorManager::GetVersion() { return SINK_VERSION; }

uint32_t WgAdapterMonitorManager::OnAdapterEvent(uint32_t flags, WcAdapter* adapter) {
    if (!adapter) return 1;
    WgAdapterMonitor* monitor;
    {
        // Held by a reference while it handles the notification, so a release on another thread
        // cannot free it under us.
        Lock lock(WgLibraryLock());
        monitor = FindAdapterMonitor(adapter);
        if (monitor) monitor->AddRef();
    }
    if (!monitor) return 0;
    if (flags & WC_NOTIFY_ADAPTER_REMOVED) {
        WgTracePrint("WgAdapterMonitor: EVENT: WC_NOTIFY_ADAPTER_REMOVED\n");
        monitor->AdapterRemoved();
    } else if (flags & WC_NOTIFY_ADAPTER_INSERT) {
        WgTracePrint("WgAdapterMonitor: EVENT: WC_NOTIFY_ADAPTER_INSERT\n");
        monitor->AdapterInserted(adapter);
    }
    monitor->Release();
    return 0;
}

uint32_t WgAdapterMonitorManager::OnReserved1() { return 255; }
uint32_t WgAdapterMonitorManager::OnReserved2() { return 255; }
