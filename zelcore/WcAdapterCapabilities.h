#pragma once
// The adapter capability record (WcUtility::GetAdapterCapabilities), 80 bytes, little-endian.
// The profile editor and the program read its fields by these offsets.
#include <cstddef>
#include <cstdint>

#include "zelcore/WuMacAddress.h"

struct WcAdapterCapabilities {
    uint32_t maxSsids;            // 0x00: network names per profile the adapter can use (3 allows SSID2/SSID3)
    uint32_t infraModeCaps;       // 0x04: infrastructure wireless-mode bits
    uint32_t adHocModeCaps;       // 0x08: ad hoc wireless-mode bits; 0 = no ad hoc
    uint32_t maxTxPowerDbm;       // 0x0C
    WuMacAddress macAddress;      // 0x10
    uint32_t securityCaps;        // 0x18: WcSecurityCaps bits, handed to the WcUtility tests
    uint32_t countryCode;         // 0x1C: two letters, first in the low byte
    uint8_t reserved32[48];
};

// Bits of securityCaps.
enum WcSecurityCaps : uint32_t {
    WC_SECCAP_WPA = 0x1,
    WC_SECCAP_WPA2 = 0x2,
    WC_SECCAP_WPA_PSK = 0x4,
    WC_SECCAP_WPA2_PSK = 0x8,
    WC_SECCAP_CKIP = 0x10,
    WC_SECCAP_VELA = 0x100,
    WC_SECCAP_EXTENDED_RANGE = 0x200,
    WC_SECCAP_QOS = 0x400,
};

static_assert(sizeof(WcAdapterCapabilities) == 80);
static_assert(offsetof(WcAdapterCapabilities, infraModeCaps) == 0x04);
static_assert(offsetof(WcAdapterCapabilities, adHocModeCaps) == 0x08);
static_assert(offsetof(WcAdapterCapabilities, macAddress) == 0x10);
static_assert(offsetof(WcAdapterCapabilities, securityCaps) == 0x18);
