#pragma once
// A simulated adapter: the client API's WcAdapter, owning its configuration and driver objects.
// Reference counted; the environment holds one reference while the adapter is present.
#include <atomic>

#include "zelcore/WcAdapter.h"
#include "zelcore/sim/SimAdapterConfig.h"
#include "zelcore/sim/SimAdapterDriver.h"
#include "zelcore/sim/SimAdapterState.h"
#include "zelcore/sim/SimSinkRegistry.h"

class SimAdapter final : public WcAdapter {
public:
    SimAdapter(const SimAdapterSpec& desc, uint32_t index);

    uint32_t AddRef() override;
    uint32_t Release() override;
    WcStatus GetName(std::string* name) override;
    WcStatus GetMacAddress(WuMacAddress* mac) override;
    WcStatus GetState(uint32_t* state) override;
    WcStatus GetIPAddress(WuIp6Address* address) override;
    WcStatus GetAdapterConfig(WcAdapterConfig** config, uint32_t reserved) override;
    WcStatus GetAdapterDriver(WcAdapterDriver** driver, uint32_t reserved) override;
    WcStatus GetAdapterId(uint32_t kind, std::string* id) override;
    WcStatus SetZeroConfigState(uint32_t enabled) override;
    WcStatus SetActiveSupplicant(uint32_t supplicant) override;
    WcStatus RegisterForEvents(WcAdapterEventSink* sink, uint32_t mask) override;
    WcStatus UnregisterForEvents(WcAdapterEventSink* sink) override;

    // Under the environment's lock.
    SimAdapterState& State() { return m_state; }
    const SimAdapterState& State() const { return m_state; }
    SimSinkRegistry<WcAdapterEventSink>& Sinks() { return m_sinks; }

private:
    ~SimAdapter() override = default;

    std::atomic<uint32_t> m_refs{1};
    SimAdapterState m_state;
    SimSinkRegistry<WcAdapterEventSink> m_sinks;
    SimAdapterConfig m_config;
    SimAdapterDriver m_driver;
};
