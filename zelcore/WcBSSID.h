#pragma once
// One scan-list entry (WcAdapterDriver::GetBSSIDList). The entry carries a text, so it is a
// C++ record with the fields of the driver's 96-byte entry in their order, owning its SSID;
// it is copied by value and never read at byte offsets.
#include <cstdint>
#include <string>

#include "zelcore/WuMacAddress.h"

struct WcBSSID {
    WuMacAddress bssid;
    std::string ssid;
    uint32_t privacy = 0;        // non-zero: the network requires encryption
    int32_t signal = 0;          // signal over noise in dB
    uint32_t networkType = 1;    // 0 ad hoc, 1 infrastructure
    uint32_t qx = 0;             // the network offers extended range
    uint32_t vela = 0;           // the network offers double-rate modes
    uint32_t wirelessMode = 0;   // one wireless-mode bit of the profile record
    int32_t channel = 0;
    double beaconInterval = 0;   // carried, not shown
    uint8_t reserved[48] = {};   // carried, not shown

    friend bool operator==(const WcBSSID&, const WcBSSID&) = default;
};
