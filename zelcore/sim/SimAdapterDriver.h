#pragma once
// The driver object of a simulated adapter (WcAdapterDriver). Refuses every call once the
// adapter is removed (NOT_FOUND) or while it is disabled (NOT_AVAILABLE).
#include "zelcore/WcAdapterDriver.h"

class SimAdapter;

class SimAdapterDriver final : public WcAdapterDriver {
public:
    explicit SimAdapterDriver(SimAdapter& adapter) : m_adapter(adapter) {}
    ~SimAdapterDriver() override = default;

    WcStatus GetDriverFileVersionStr(std::string* version) override;
    WcStatus GetDriverFilePath(std::string* path) override;
    WcStatus GetSerialNumber(std::string* serial) override;
    WcStatus GetDriverFileTimes(int64_t* created, int64_t* written, int64_t* accessed) override;
    WcStatus GetDeviceInfo(WcDriverDeviceInfo* info) override;
    WcStatus GetCountry(std::string* country) override;
    WcStatus GetSSID(std::string* ssid) override;
    WcStatus GetOemFeatures(uint32_t* features) override;
    WcStatus GetRadioState(uint32_t* state) override;
    WcStatus SetRadioState(uint32_t state) override;
    WcStatus RefreshBSSISList() override;
    WcStatus GetBSSIDList(std::vector<WcBSSID>* list) override;
    WcStatus SignalStrength(int32_t rssi, uint32_t* level) override;
    WcStatus GetDiagnosticData(WcDriverDiagnosticData* data) override;
    WcStatus GetStatistics(WcDriverStatisticData* data) override;
    WcStatus GetStatistics2(WcDriverStatisticData2* data) override;
    WcStatus GetConnectionMode(uint32_t* mode) override;
    WcStatus GetHardwareStatus(uint32_t* status) override;
    WcStatus GetMICAlgorithm(uint32_t* algorithm) override;
    WcStatus GetAuthAlgorithm(uint32_t* algorithm) override;
    WcStatus GetUpTime(int32_t* seconds) override;
    WcStatus GetTransmitPower(uint32_t* power) override;
    WcStatus GetNoiseFloor(int32_t* dbm) override;
    WcStatus GetSignalQuality(int32_t* quality) override;
    WcStatus GetAPPowerControl(uint32_t* control) override;
    WcStatus GetQosInfo(uint32_t* qos) override;
    WcStatus GetAPInfo(WcAPInfo* info) override;

private:
    SimAdapter& m_adapter;
};
