#pragma once
// Stateless helper services of the client API: the adapter's capability record and the tests on
// it, power and channel conversions, the EAP methods the supplicant offers.
#include <cstdint>
#include <vector>

#include "zelcore/WcAdapterCapabilities.h"
#include "zelcore/WcStatus.h"

class WcAdapter;

enum WcPowerUnit : uint32_t {
    WC_POWER_RAW = 0,
    WC_POWER_DBM = 1,
    WC_POWER_MILLIWATT = 2,
};

class WcUtility {
public:
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

    // Capabilities of the adapter; a null adapter means the first adapter present.
    virtual WcStatus GetAdapterCapabilities(WcAdapter* adapter, WcAdapterCapabilities* caps) = 0;

    // Tests on the capability record's securityCaps.
    virtual bool HasVelaMode(uint32_t securityCaps) = 0;
    virtual bool HasExtendedRange(uint32_t securityCaps) = 0;
    virtual bool IsQosCapable(uint32_t securityCaps) = 0;
    virtual bool IsWpa2Supported(uint32_t securityCaps) = 0;
    virtual bool IsWpa2PskSupported(uint32_t securityCaps) = 0;
    // Tests on a wireless-mode word (capability words or the device information's mode word).
    virtual bool HasVelaA(uint32_t modes) = 0;
    virtual bool HasVelaG(uint32_t modes) = 0;
    virtual bool IsBOnlyAdHoc(uint32_t modes) = 0;
    virtual bool HasPublicSafety(uint32_t modes) = 0;
    virtual bool Is80211aSupported(uint32_t modes) = 0;
    virtual bool Is80211bSupported(uint32_t modes) = 0;
    virtual bool Is80211gSupported(uint32_t modes) = 0;

    // A driver transmit power (dBm) in the unit asked for (WcPowerUnit).
    virtual WcStatus ConvertPower(uint32_t raw, uint32_t unit, double* value) = 0;
    // The level number of a transmit power value of the profile editor's lists; code 1 for the
    // 802.11a list, 0 for the 802.11b/g list. INVALID_ARGUMENT for a value not in the list.
    virtual WcStatus GetPowerLevel(uint32_t value, uint32_t code, uint32_t* level) = 0;

    // Channel number of a frequency (MHz); band: WcBand; flags: channel flags (masked 0xFFFFF).
    virtual WcStatus FrequencyToChannel(uint32_t frequency, uint32_t band, uint32_t flags, uint32_t* channel) = 0;
    virtual WcStatus ChannelToFrequency(uint32_t channel, uint32_t band, uint32_t* frequency) = 0;
    // The ad hoc channel of a profile record (0 = automatic) and its place in the editor's
    // channel list ("Auto", 1, 2, ...). mode: the profile's ad hoc wireless mode.
    virtual WcStatus ChannelToPosition(uint32_t channel, uint32_t mode, uint32_t* position) = 0;
    virtual WcStatus PositionToChannel(uint32_t position, uint32_t mode, uint32_t* channel) = 0;

    // EAP method codes the supplicant offers (1 LEAP ... 10 EAP-SIM), replacing *types.
    virtual WcStatus GetSupportedEapTypes(std::vector<uint32_t>* types, uint32_t reserved1, uint32_t reserved2) = 0;

protected:
    virtual ~WcUtility() = default;
};
