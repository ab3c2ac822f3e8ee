#pragma once
// The helper services of the simulated client library (WcUtility); one per process.
#include <atomic>

#include "zelcore/WcUtility.h"

class SimUtility final : public WcUtility {
public:
    SimUtility() = default;
    ~SimUtility() override = default;

    uint32_t AddRef() override;
    uint32_t Release() override;
    WcStatus GetAdapterCapabilities(WcAdapter* adapter, WcAdapterCapabilities* caps) override;
    bool HasVelaMode(uint32_t securityCaps) override;
    bool HasExtendedRange(uint32_t securityCaps) override;
    bool IsQosCapable(uint32_t securityCaps) override;
    bool IsWpa2Supported(uint32_t securityCaps) override;
    bool IsWpa2PskSupported(uint32_t securityCaps) override;
    bool HasVelaA(uint32_t modes) override;
    bool HasVelaG(uint32_t modes) override;
    bool IsBOnlyAdHoc(uint32_t modes) override;
    bool HasPublicSafety(uint32_t modes) override;
    bool Is80211aSupported(uint32_t modes) override;
    bool Is80211bSupported(uint32_t modes) override;
    bool Is80211gSupported(uint32_t modes) override;
    WcStatus ConvertPower(uint32_t raw, uint32_t unit, double* value) override;
    WcStatus GetPowerLevel(uint32_t value, uint32_t code, uint32_t* level) override;
    WcStatus FrequencyToChannel(uint32_t frequency, uint32_t band, uint32_t flags, uint32_t* channel) override;
    WcStatus ChannelToFrequency(uint32_t channel, uint32_t band, uint32_t* frequency) override;
    WcStatus ChannelToPosition(uint32_t channel, uint32_t mode, uint32_t* position) override;
    WcStatus PositionToChannel(uint32_t position, uint32_t mode, uint32_t* channel) override;
    WcStatus GetSupportedEapTypes(std::vector<uint32_t>* types, uint32_t reserved1, uint32_t reserved2) override;

private:
    std::atomic<uint32_t> m_refs{1};
};
