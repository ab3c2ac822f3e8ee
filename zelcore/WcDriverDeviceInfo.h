#pragma once
// The driver's device information (WcAdapterDriver::GetDeviceInfo), 72 bytes, little-endian.
#include <cstddef>
#include <cstdint>

struct WcDriverDeviceInfo {
    uint16_t vendorId;            // 0: PCI vendor
    uint16_t deviceId;            // 2: PCI device
    uint16_t subVendorId;         // 4
    uint16_t subDeviceId;         // 6
    uint32_t revision;            // 8
    uint32_t busType;             // 12: 0 PCI, 1 CardBus, 2 USB, 3 mini PCI
    uint32_t modeWord;            // 16: wireless-mode bits the radio supports (0x1 a, 0x4 b, 0x8 g, ...)
    uint32_t antennaCount;        // 20
    uint32_t firmwareVersion;     // 24: major in the high 16 bits
    uint8_t reserved28[44];
};

static_assert(sizeof(WcDriverDeviceInfo) == 72);
static_assert(offsetof(WcDriverDeviceInfo, modeWord) == 16);
