#pragma once
// The adapter manager of the simulated environment (WcAdapterManager); one per process.
#include <atomic>

#include "zelcore/WcAdapterManager.h"

class SimAdapterManager final : public WcAdapterManager {
public:
    SimAdapterManager() = default;
    ~SimAdapterManager() override = default;

    // The manager lives as long as the library; the count only mirrors callers' bookkeeping.
    uint32_t AddRef() override;
    uint32_t Release() override;
    WcStatus GetAdapterCount(uint32_t* count) override;
    WcStatus GetAdapter(uint32_t index, WcAdapter** adapter) override;
    WcStatus RegisterForEvents(WcAdapterManagerSink* sink, uint32_t mask) override;
    WcStatus UnregisterForEvents(WcAdapterManagerSink* sink, uint32_t mask) override;

private:
    std::atomic<uint32_t> m_refs{1};
};
