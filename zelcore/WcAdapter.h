#pragma once
// One wireless adapter. Obtained from WcAdapterManager::GetAdapter with one reference.
// A removed adapter keeps answering GetName, GetMacAddress and GetState (101) while referenced.
#include <cstdint>
#include <string>

#include "zelcore/WcAdapterState.h"
#include "zelcore/WcEvents.h"
#include "zelcore/WcStatus.h"
#include "zelcore/WuIp6Address.h"
#include "zelcore/WuMacAddress.h"

class WcAdapter;
class WcAdapterConfig;
class WcAdapterDriver;

// Implemented by callers that want the adapter's status events (WcEventType with its status
// values). extra: an optional text, may be null, valid only during the call. Called on the
// library's event thread, never while holding the library's lock, never after unregistering.
class WcAdapterEventSink {
public:
    virtual void OnStatusEvent(uint32_t type, uint32_t status, const char* extra, WcAdapter* adapter) = 0;
    virtual ~WcAdapterEventSink() = default;
};

enum WcAdapterIdKind : uint32_t {
    WC_ADAPTER_ID_INTERFACE = 1,  // the interface identifier, e.g. "{GUID}"; NOT_AVAILABLE without one
};

class WcAdapter {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

    virtual WcStatus GetName(std::string* name) = 0;
    virtual WcStatus GetMacAddress(WuMacAddress* mac) = 0;
    // WcAdapterState.
    virtual WcStatus GetState(uint32_t* state) = 0;
    // The address the adapter got; empty while it has none.
    virtual WcStatus GetIPAddress(WuIp6Address* address) = 0;
    // The configuration and driver objects live as long as the adapter; no reference is taken.
    virtual WcStatus GetAdapterConfig(WcAdapterConfig** config, uint32_t reserved) = 0;
    virtual WcStatus GetAdapterDriver(WcAdapterDriver** driver, uint32_t reserved) = 0;
    virtual WcStatus GetAdapterId(uint32_t kind, std::string* id) = 0;
    // 1: the operating system's zero-configuration service may drive the adapter; 0: it may not.
    virtual WcStatus SetZeroConfigState(uint32_t enabled) = 0;
    // WcActiveSupplicant; values from 3 up are refused.
    virtual WcStatus SetActiveSupplicant(uint32_t supplicant) = 0;

    // mask: WcEventType bits (0xFFFFFFFF: all). Registering again replaces the mask.
    virtual WcStatus RegisterForEvents(WcAdapterEventSink* sink, uint32_t mask) = 0;
    // Waits for a delivery to that sink in progress on another thread.
    virtual WcStatus UnregisterForEvents(WcAdapterEventSink* sink) = 0;

protected:
    virtual ~WcAdapter() = default;
};
