#pragma once
// The simulated radio world: adapters plugged into the station and access points around it.
// Plain data; SimWorldParser reads and writes it as JSON, SimEnvironment brings it to life.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "zelcore/WuMacAddress.h"

struct SimAdapterSpec {
    std::string id;                  // stable key across world files
    std::string name;
    WuMacAddress mac;
    bool present = true;             // false: unplugged
    bool enabled = true;             // false: disabled in the system
    bool hardwareRadioOff = false;   // the hardware radio switch
    std::string driverPath;
    std::string driverVersion;
    int64_t driverDate = 0;          // seconds since 1970, UTC
    std::string serial;
    std::string country = "US";
    std::string interfaceId;         // empty: not available
    uint32_t infraModes = 0;         // wireless-mode bits
    uint32_t adHocModes = 0;
    uint32_t securityCaps = 0;       // WcSecurityCaps bits
    uint32_t maxSsids = 3;
    uint32_t oemFeatures = 0;
    uint32_t txPowerDbm = 20;
    uint16_t vendorId = 0;
    uint16_t deviceId = 0;

    friend bool operator==(const SimAdapterSpec&, const SimAdapterSpec&) = default;
};

enum class SimSecurity {
    Open,
    Wep,         // static WEP
    WpaPsk,      // WPA, TKIP
    Wpa2Psk,     // WPA2, AES
    WpaEap,
    Wpa2Eap,
    Dot1x,       // 802.1X with dynamic WEP
    Leap,        // 802.1X with CKIP
};

struct SimAccessPoint {
    std::string ssid;
    WuMacAddress bssid;
    uint32_t wirelessMode = 0x8;     // exactly one wireless-mode bit
    uint32_t channel = 0;            // in the numbering of WcUtility::FrequencyToChannel
    bool adHoc = false;
    SimSecurity security = SimSecurity::Open;
    std::string secret;              // passphrase, WEP key, or EAP password
    std::string username;            // EAP user; empty: any user with the right password
    int32_t rssi = -60;              // dBm at the station
    int32_t noise = -95;             // dBm
    bool inRange = true;
    std::string apName;
    std::string apIp;                // dotted; empty: not announced
    std::string subnet;              // first three parts of the addresses it hands out
    bool qx = false;
    bool vela = false;
    bool qos = false;
    bool powerControl = false;
    bool sharedKey = false;          // WEP with shared-key 802.11 authentication

    friend bool operator==(const SimAccessPoint&, const SimAccessPoint&) = default;
};

struct SimFailure {
    uint32_t status = 1;
    int64_t count = -1;              // calls still to fail; -1: every call

    friend bool operator==(const SimFailure&, const SimFailure&) = default;
};

struct SimWorld {
    uint32_t stepMs = 150;           // time between the steps of a connection
    std::vector<SimAdapterSpec> adapters;
    std::vector<SimAccessPoint> accessPoints;
    std::map<std::string, SimFailure> failures;  // operation name -> failure

    friend bool operator==(const SimWorld&, const SimWorld&) = default;
};
