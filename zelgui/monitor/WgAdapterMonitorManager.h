#pragma once
// The process-wide registry of adapter monitors: one monitor per adapter name, shared by
// reference count, and the library's listener for adapter removal and insertion, which it passes
// on to the monitor concerned. The notification arrives on a client library thread; the map is
// guarded by the library lock and a monitor is held by a reference while a notification uses it.
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterManager.h"
#include "zelgui/monitor/WgStatus.h"

#include <string>
#include <utility>
#include <vector>

class WgAdapterMonitor;

class WgAdapterMonitorManager : public WcAdapterManagerSink {
public:
    static constexpr uint32_t SINK_VERSION = 2;

    // The instance, made (and registered for notifications) on the first call.
    static WgAdapterMonitorManager* GetAdapterMonitorManager();
    // Unregisters, releases the manager's reference on every monitor and forgets the instance.
    static WgStatus destroy();

    // The monitor for adapter (found by name, or made and filed), with one reference added for
    // the caller, who Releases it.
    WgStatus GetAdapterMonitor(WcAdapter* adapter, WgAdapterMonitor** monitor);
    // Files monitor under adapter's name (replacing its name when it is filed already).
    WgStatus Register(WgAdapterMonitor* monitor, WcAdapter* adapter);
    WgStatus GetAdapterName(WgAdapterMonitor* monitor, std::string* name);
    // The monitor filed under adapter's name (exact comparison), or null. No reference added.
    WgAdapterMonitor* FindAdapterMonitor(WcAdapter* adapter);
    // Empties the map without releasing any monitor.
    WgStatus Clear();
    int RegisterForAdapterEvents();
    int UnRegisterForAdapterEvents();

    uint32_t GetVersion() override;
    uint32_t OnAdapterEvent(uint32_t flags, WcAdapter* adapter) override;
    uint32_t OnReserved1() override;
    uint32_t OnReserved2() override;

private:
    WgAdapterMonitorManager();
    ~WgAdapterMonitorManager() override;
    void File(WgAdapterMonitor* monitor, const std::string& name, bool takeReference);

    std::vector<std::pair<WgAdapterMonitor*, std::string>> m_monitors;
    WcAdapterManager* m_pAdapterManager = nullptr;
};
