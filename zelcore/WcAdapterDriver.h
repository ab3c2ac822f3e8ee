#pragma once
// The adapter's driver: identity, radio switch, scan list, diagnostic and statistics records,
// and the single values the adapter monitor collects. Out-values count only on success.
#include <cstdint>
#include <string>
#include <vector>

#include "zelcore/WcAPInfo.h"
#include "zelcore/WcBSSID.h"
#include "zelcore/WcDriverDeviceInfo.h"
#include "zelcore/WcDriverDiagnosticData.h"
#include "zelcore/WcDriverStatisticData.h"
#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcStatus.h"

class WcAdapterDriver {
public:
    virtual WcStatus GetDriverFileVersionStr(std::string* version) = 0;
    virtual WcStatus GetDriverFilePath(std::string* path) = 0;
    virtual WcStatus GetSerialNumber(std::string* serial) = 0;
    // Seconds since 1970 (UTC) of the driver file: creation, last write, last access. Any of
    // the three may be null; at least one must be given.
    virtual WcStatus GetDriverFileTimes(int64_t* created, int64_t* written, int64_t* accessed) = 0;
    virtual WcStatus GetDeviceInfo(WcDriverDeviceInfo* info) = 0;
    // Two-letter country code of the radio's regulatory setting, e.g. "US", "JP".
    virtual WcStatus GetCountry(std::string* country) = 0;
    // Current network name; empty while not associated.
    virtual WcStatus GetSSID(std::string* ssid) = 0;
    // Non-zero: OEM features such as the serial number and troubleshooting are offered.
    virtual WcStatus GetOemFeatures(uint32_t* features) = 0;

    // WcDriverRadioState. SetRadioState takes 0 (on) or 1 (off by software); the hardware
    // switch is not under software control, and switching on while it is off is refused
    // (NOT_AVAILABLE, nothing changes).
    virtual WcStatus GetRadioState(uint32_t* state) = 0;
    virtual WcStatus SetRadioState(uint32_t state) = 0;

    // Starts a new scan; GetBSSIDList replaces *list with the current scan list.
    virtual WcStatus RefreshBSSISList() = 0;
    virtual WcStatus GetBSSIDList(std::vector<WcBSSID>* list) = 0;
    // Signal level 0..4 for an RSSI in dBm.
    virtual WcStatus SignalStrength(int32_t rssi, uint32_t* level) = 0;

    virtual WcStatus GetDiagnosticData(WcDriverDiagnosticData* data) = 0;
    virtual WcStatus GetStatistics(WcDriverStatisticData* data) = 0;
    virtual WcStatus GetStatistics2(WcDriverStatisticData2* data) = 0;

    virtual WcStatus GetConnectionMode(uint32_t* mode) = 0;       // WcConnectionMode
    virtual WcStatus GetHardwareStatus(uint32_t* status) = 0;     // 0 ready
    virtual WcStatus GetMICAlgorithm(uint32_t* algorithm) = 0;    // WcMicAlgorithm
    virtual WcStatus GetAuthAlgorithm(uint32_t* algorithm) = 0;   // 1 open, 2 shared
    virtual WcStatus GetUpTime(int32_t* seconds) = 0;             // seconds associated
    virtual WcStatus GetTransmitPower(uint32_t* power) = 0;       // dBm, for WcUtility::ConvertPower
    // Noise floor as a positive magnitude: 95 stands for -95 dBm.
    virtual WcStatus GetNoiseFloor(int32_t* magnitude) = 0;
    virtual WcStatus GetSignalQuality(int32_t* quality) = 0;      // 0..100
    virtual WcStatus GetAPPowerControl(uint32_t* control) = 0;    // non-zero: the AP sets the power
    virtual WcStatus GetQosInfo(uint32_t* qos) = 0;               // NOT_SUPPORTED without QoS
    // NOT_CONNECTED while not associated.
    virtual WcStatus GetAPInfo(WcAPInfo* info) = 0;

protected:
    virtual ~WcAdapterDriver() = default;
};
