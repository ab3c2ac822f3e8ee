#pragma once
// The adapter manager: the adapters the client API knows, and notifications about them.
#include <cstdint>

#include "zelcore/WcEvents.h"
#include "zelcore/WcStatus.h"

class WcAdapter;

// Implemented by callers that want adapter-manager notifications. The library calls it on its
// own event thread, never while holding its own lock, and never after UnregisterForEvents returned.
class WcAdapterManagerSink {
public:
    virtual uint32_t GetVersion() = 0;
    // flags: WcNotifyFlags restricted to the registered mask; adapter: the adapter concerned.
    virtual uint32_t OnAdapterEvent(uint32_t flags, WcAdapter* adapter) = 0;
    virtual uint32_t OnReserved1() { return 255; }
    virtual uint32_t OnReserved2() { return 255; }
    virtual ~WcAdapterManagerSink() = default;
};

class WcAdapterManager {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

    // Adapters the manager knows, including disabled ones; removed adapters are not counted.
    virtual WcStatus GetAdapterCount(uint32_t* count) = 0;
    // The adapter at index (0-based); the caller owns one reference and Releases it.
    virtual WcStatus GetAdapter(uint32_t index, WcAdapter** adapter) = 0;

    // mask: WcNotifyFlags. Registering a sink again replaces its mask.
    virtual WcStatus RegisterForEvents(WcAdapterManagerSink* sink, uint32_t mask) = 0;
    // Removes the flags in mask (0xFFFFFFFF: all) from the sink's registration; a sink left with
    // no flag is dropped. Waits for a delivery to that sink in progress on another thread.
    virtual WcStatus UnregisterForEvents(WcAdapterManagerSink* sink, uint32_t mask) = 0;

protected:
    virtual ~WcAdapterManager() = default;
};
