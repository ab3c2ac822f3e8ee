#include "zelcore/sim/SimUtility.h"

#include <cmath>
#include <cstring>

#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/sim/SimAdapter.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDriverData.h"
#include "zelcore/sim/SimEnvironment.h"
#include "zelcore/sim/SimRadio.h"

namespace {

// Power values of the profile editor's lists and their level numbers.
struct PowerLevel {
    uint32_t value;
    uint32_t level;
};
constexpr PowerLevel kLevelsA[] = {  // code 1: the 802.11a list
    {34, 1}, {32, 2}, {28, 3}, {26, 4}, {22, 6}, {20, 7}, {19, 10}, {18, 11},
    {17, 12}, {16, 13}, {14, 14}, {12, 15}, {10, 16}, {6, 17}, {0, 18},
};
constexpr PowerLevel kLevelsBG[] = {  // code 0: the 802.11b/g list
    {40, 1}, {36, 3}, {34, 5}, {30, 7}, {26, 8}, {20, 9}, {19, 10}, {18, 11},
    {17, 12}, {16, 13}, {14, 14}, {12, 15}, {10, 16}, {6, 17}, {0, 18},
};

constexpr uint32_t kLastAdHocPosition = 14;  // "Auto", then channels 1..14

}  // namespace

uint32_t SimUtility::AddRef() { return ++m_refs; }

uint32_t SimUtility::Release() {
    uint32_t refs = m_refs.load();
    while (refs > 1 && !m_refs.compare_exchange_weak(refs, refs - 1)) {
    }
    return refs > 1 ? refs - 1 : 1;
}

WcStatus SimUtility::GetAdapterCapabilities(WcAdapter* adapter, WcAdapterCapabilities* caps) {
    if (WcStatus injected = SimControl::Enter("WcUtility::GetAdapterCapabilities")) return injected;
    if (!caps) return WC_STATUS_INVALID_ARGUMENT;
    auto& env = SimEnvironment::Instance();
    std::lock_guard lock(env.Mutex());
    const SimAdapter* chosen = nullptr;
    if (adapter) {
        for (SimAdapter* a : env.Adapters())
            if (a == adapter) chosen = a;
    } else if (!env.Adapters().empty()) {
        chosen = env.Adapters().front();
    }
    if (!chosen) return WC_STATUS_NOT_FOUND;
    const SimAdapterSpec& desc = chosen->State().desc;
    *caps = WcAdapterCapabilities{};
    caps->maxSsids = desc.maxSsids;
    caps->infraModeCaps = desc.infraModes;
    caps->adHocModeCaps = desc.adHocModes;
    caps->maxTxPowerDbm = desc.txPowerDbm;
    caps->macAddress = desc.mac;
    caps->securityCaps = desc.securityCaps;
    caps->countryCode = SimDriverData::CountryWord(desc.country);
    return WC_STATUS_SUCCESS;
}

bool SimUtility::HasVelaMode(uint32_t c) { return c & WC_SECCAP_VELA; }
bool SimUtility::HasExtendedRange(uint32_t c) { return c & WC_SECCAP_EXTENDED_RANGE; }
bool SimUtility::IsQosCapable(uint32_t c) { return c & WC_SECCAP_QOS; }
bool SimUtility::IsWpa2Supported(uint32_t c) { return c & WC_SECCAP_WPA2; }
bool SimUtility::IsWpa2PskSupported(uint32_t c) { return c & WC_SECCAP_WPA2_PSK; }
bool SimUtility::HasVelaA(uint32_t m) { return m & WC_WIRELESS_MODE_VELA_A; }
bool SimUtility::HasVelaG(uint32_t m) { return m & WC_WIRELESS_MODE_VELA_G; }
bool SimUtility::IsBOnlyAdHoc(uint32_t m) { return (m & WC_WIRELESS_MODE_B) && !(m & (WC_WIRELESS_MODE_G | WC_WIRELESS_MODE_VELA_G)); }
bool SimUtility::HasPublicSafety(uint32_t m) { return m & WC_WIRELESS_MODE_PS_MASK; }
bool SimUtility::Is80211aSupported(uint32_t m) { return m & (WC_WIRELESS_MODE_A | WC_WIRELESS_MODE_VELA_A); }
bool SimUtility::Is80211bSupported(uint32_t m) { return m & WC_WIRELESS_MODE_B; }
bool SimUtility::Is80211gSupported(uint32_t m) { return m & (WC_WIRELESS_MODE_G | WC_WIRELESS_MODE_VELA_G); }

WcStatus SimUtility::ConvertPower(uint32_t raw, uint32_t unit, double* value) {
    if (WcStatus injected = SimControl::Enter("WcUtility::ConvertPower")) return injected;
    if (!value || raw > 60) return WC_STATUS_INVALID_ARGUMENT;
    switch (unit) {
    case WC_POWER_RAW:
    case WC_POWER_DBM: *value = raw; return WC_STATUS_SUCCESS;
    case WC_POWER_MILLIWATT: *value = std::pow(10.0, raw / 10.0); return WC_STATUS_SUCCESS;
    default: return WC_STATUS_INVALID_ARGUMENT;
    }
}

WcStatus SimUtility::GetPowerLevel(uint32_t value, uint32_t code, uint32_t* level) {
    if (WcStatus injected = SimControl::Enter("WcUtility::GetPowerLevel")) return injected;
    if (!level || code > 1) return WC_STATUS_INVALID_ARGUMENT;
    const auto& table = code == 1 ? kLevelsA : kLevelsBG;
    for (const auto& row : table)
        if (row.value == value) {
            *level = row.level;
            return WC_STATUS_SUCCESS;
        }
    return WC_STATUS_INVALID_ARGUMENT;
}

WcStatus SimUtility::FrequencyToChannel(uint32_t frequency, uint32_t, uint32_t, uint32_t* channel) {
    if (WcStatus injected = SimControl::Enter("WcUtility::FrequencyToChannel")) return injected;
    if (!channel) return WC_STATUS_INVALID_ARGUMENT;
    const uint32_t c = SimRadio::ChannelOf(frequency);
    if (c == 0) return WC_STATUS_INVALID_ARGUMENT;
    *channel = c;
    return WC_STATUS_SUCCESS;
}

WcStatus SimUtility::ChannelToFrequency(uint32_t channel, uint32_t band, uint32_t* frequency) {
    if (WcStatus injected = SimControl::Enter("WcUtility::ChannelToFrequency")) return injected;
    if (!frequency) return WC_STATUS_INVALID_ARGUMENT;
    uint32_t mode = 0;
    switch (band) {
    case WC_BAND_24GHZ: mode = WC_WIRELESS_MODE_G; break;
    case WC_BAND_5GHZ: mode = WC_WIRELESS_MODE_A; break;
    case WC_BAND_49GHZ: mode = WC_WIRELESS_MODE_PS_3; break;
    default: return WC_STATUS_INVALID_ARGUMENT;
    }
    if (!SimRadio::IsValidChannel(mode, channel)) return WC_STATUS_INVALID_ARGUMENT;
    *frequency = SimRadio::FrequencyOf(mode, channel);
    return WC_STATUS_SUCCESS;
}

// The ad hoc channel is stored as its number (0 for "Auto"), so a position is the number itself.
WcStatus SimUtility::ChannelToPosition(uint32_t channel, uint32_t, uint32_t* position) {
    if (WcStatus injected = SimControl::Enter("WcUtility::ChannelToPosition")) return injected;
    if (!position || channel > kLastAdHocPosition) return WC_STATUS_INVALID_ARGUMENT;
    *position = channel;
    return WC_STATUS_SUCCESS;
}

WcStatus SimUtility::PositionToChannel(uint32_t position, uint32_t, uint32_t* channel) {
    if (WcStatus injected = SimControl::Enter("WcUtility::PositionToChannel")) return injected;
    if (!channel || position > kLastAdHocPosition) return WC_STATUS_INVALID_ARGUMENT;
    *channel = position;
    return WC_STATUS_SUCCESS;
}

WcStatus SimUtility::GetSupportedEapTypes(std::vector<uint32_t>* types, uint32_t, uint32_t) {
    if (WcStatus injected = SimControl::Enter("WcUtility::GetSupportedEapTypes")) return injected;
    if (!types) return WC_STATUS_INVALID_ARGUMENT;
    *types = {WC_SECURITY_LEAP, WC_SECURITY_EAP_FAST, WC_SECURITY_PEAP_GTC, WC_SECURITY_PEAP_MSCHAPV2,
              WC_SECURITY_EAP_TLS, WC_SECURITY_EAP_TTLS, WC_SECURITY_EAP_MD5, WC_SECURITY_HOST_BASED_EAP,
              WC_SECURITY_EAP_SIM};
    return WC_STATUS_SUCCESS;
}
