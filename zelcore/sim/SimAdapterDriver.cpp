#include "zelcore/sim/SimAdapterDriver.h"

#include <cstring>

#include "zelcore/sim/SimAdapter.h"
#include "zelcore/WcAdapterCapabilities.h"
#include "zelcore/sim/SimClock.h"
#include "zelcore/sim/SimConnection.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDriverData.h"
#include "zelcore/sim/SimEnvironment.h"
#include "zelcore/sim/SimRadio.h"

namespace {

constexpr uint64_t kBackgroundScanMs = 5000;  // the driver scans by itself this often

// Counts the call, answers an injected failure, then runs body under the library's lock with the
// adapter's state, unless the adapter is gone or disabled.
template <typename Body>
WcStatus Run(SimAdapter& adapter, const char* op, Body&& body) {
    if (WcStatus injected = SimControl::Enter(op)) return injected;
    auto& env = SimEnvironment::Instance();
    std::lock_guard lock(env.Mutex());
    SimAdapterState& st = adapter.State();
    if (st.removed) return WC_STATUS_NOT_FOUND;
    if (!st.desc.enabled) return WC_STATUS_NOT_AVAILABLE;
    const uint64_t now = SimClock::NowMs();
    SimDriverData::Accumulate(st, now);
    return body(st, env.World(), now);
}

template <typename T>
WcStatus Value(SimAdapter& adapter, const char* op, T* out, T (*get)(const SimAdapterState&, const SimWorld&, uint64_t)) {
    if (!out) return WC_STATUS_INVALID_ARGUMENT;
    return Run(adapter, op, [&](SimAdapterState& st, const SimWorld& world, uint64_t now) {
        *out = get(st, world, now);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus Text(SimAdapter& adapter, const char* op, std::string* out, std::string SimAdapterSpec::*field) {
    if (!out) return WC_STATUS_INVALID_ARGUMENT;
    return Run(adapter, op, [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        if ((st.desc.*field).empty()) return WC_STATUS_NOT_AVAILABLE;
        *out = st.desc.*field;
        return WC_STATUS_SUCCESS;
    });
}

}  // namespace

WcStatus SimAdapterDriver::GetDriverFileVersionStr(std::string* version) {
    return Text(m_adapter, "WcAdapterDriver::GetDriverFileVersionStr", version, &SimAdapterSpec::driverVersion);
}

WcStatus SimAdapterDriver::GetDriverFilePath(std::string* path) {
    return Text(m_adapter, "WcAdapterDriver::GetDriverFilePath", path, &SimAdapterSpec::driverPath);
}

WcStatus SimAdapterDriver::GetSerialNumber(std::string* serial) {
    return Text(m_adapter, "WcAdapterDriver::GetSerialNumber", serial, &SimAdapterSpec::serial);
}

WcStatus SimAdapterDriver::GetCountry(std::string* country) {
    return Text(m_adapter, "WcAdapterDriver::GetCountry", country, &SimAdapterSpec::country);
}

WcStatus SimAdapterDriver::GetDriverFileTimes(int64_t* created, int64_t* written, int64_t* accessed) {
    if (!created && !written && !accessed) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetDriverFileTimes", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        if (st.desc.driverDate == 0) return WC_STATUS_NOT_AVAILABLE;
        if (created) *created = st.desc.driverDate;
        if (written) *written = st.desc.driverDate;
        if (accessed) *accessed = st.desc.driverDate;
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetDeviceInfo(WcDriverDeviceInfo* info) {
    if (!info) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetDeviceInfo", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        std::memset(info, 0, sizeof *info);
        info->vendorId = st.desc.vendorId;
        info->deviceId = st.desc.deviceId;
        info->subVendorId = st.desc.vendorId;
        info->subDeviceId = st.desc.deviceId;
        info->revision = 1;
        info->busType = 3;
        info->modeWord = st.desc.infraModes;
        info->antennaCount = 2;
        info->firmwareVersion = 4u << 16 | 2u;
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetSSID(std::string* ssid) {
    if (!ssid) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetSSID", [&](SimAdapterState& st, const SimWorld& world, uint64_t) {
        const SimAccessPoint* ap = st.MediaConnected() && st.RadioOn() ? SimConnection::CurrentAp(st, world) : nullptr;
        *ssid = ap ? ap->ssid : std::string();
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetOemFeatures(uint32_t* features) {
    if (!features) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetOemFeatures", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        *features = st.desc.oemFeatures;
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetRadioState(uint32_t* state) {
    if (!state) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetRadioState", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        *state = (st.softRadioOff ? WC_RADIO_OFF_SOFTWARE : 0) | (st.desc.hardwareRadioOff ? WC_RADIO_OFF_HARDWARE : 0);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::SetRadioState(uint32_t state) {
    if (state != WC_RADIO_ON && state != WC_RADIO_OFF_SOFTWARE) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::SetRadioState", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        const bool off = state == WC_RADIO_OFF_SOFTWARE;
        // The hardware switch wins: switching on under it would report success with the radio still off.
        if (!off && st.desc.hardwareRadioOff) return WC_STATUS_NOT_AVAILABLE;
        if (st.softRadioOff != off) {
            st.softRadioOff = off;
            st.scan.clear();
            st.scanAtMs = 0;
            SimEnvironment::Instance().StepNow(&m_adapter);
        }
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::RefreshBSSISList() {
    return Run(m_adapter, "WcAdapterDriver::RefreshBSSISList", [&](SimAdapterState& st, const SimWorld& world, uint64_t now) {
        if (!st.RadioOn()) return WC_STATUS_NOT_AVAILABLE;
        st.scan = SimDriverData::Scan(st, world, now);
        st.scanAtMs = now;
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetBSSIDList(std::vector<WcBSSID>* list) {
    if (!list) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetBSSIDList", [&](SimAdapterState& st, const SimWorld& world, uint64_t now) {
        if (st.scanAtMs == 0 || now - st.scanAtMs >= kBackgroundScanMs) {
            st.scan = SimDriverData::Scan(st, world, now);
            st.scanAtMs = now;
        }
        *list = st.scan;
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::SignalStrength(int32_t rssi, uint32_t* level) {
    if (!level) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::SignalStrength", [&](SimAdapterState&, const SimWorld&, uint64_t) {
        *level = SimRadio::SignalLevel(rssi);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetDiagnosticData(WcDriverDiagnosticData* data) {
    if (!data) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetDiagnosticData", [&](SimAdapterState& st, const SimWorld& world, uint64_t now) {
        SimDriverData::Diagnostic(st, world, now, data);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetStatistics(WcDriverStatisticData* data) {
    if (!data) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetStatistics", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        SimDriverData::Statistics(st, data);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetStatistics2(WcDriverStatisticData2* data) {
    if (!data) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetStatistics2", [&](SimAdapterState& st, const SimWorld&, uint64_t) {
        SimDriverData::Statistics2(st, data);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetConnectionMode(uint32_t* mode) {
    return Value<uint32_t>(m_adapter, "WcAdapterDriver::GetConnectionMode", mode,
                           [](const SimAdapterState& st, const SimWorld& w, uint64_t) { return SimDriverData::ConnectionMode(st, w); });
}

WcStatus SimAdapterDriver::GetHardwareStatus(uint32_t* status) {
    return Value<uint32_t>(m_adapter, "WcAdapterDriver::GetHardwareStatus", status,
                           [](const SimAdapterState&, const SimWorld&, uint64_t) { return 0u; });
}

WcStatus SimAdapterDriver::GetMICAlgorithm(uint32_t* algorithm) {
    return Value<uint32_t>(m_adapter, "WcAdapterDriver::GetMICAlgorithm", algorithm,
                           [](const SimAdapterState& st, const SimWorld& w, uint64_t) { return SimDriverData::MicAlgorithm(st, w); });
}

WcStatus SimAdapterDriver::GetAuthAlgorithm(uint32_t* algorithm) {
    return Value<uint32_t>(m_adapter, "WcAdapterDriver::GetAuthAlgorithm", algorithm,
                           [](const SimAdapterState& st, const SimWorld& w, uint64_t) { return SimDriverData::AuthAlgorithm(st, w); });
}

WcStatus SimAdapterDriver::GetUpTime(int32_t* seconds) {
    return Value<int32_t>(m_adapter, "WcAdapterDriver::GetUpTime", seconds,
                          [](const SimAdapterState& st, const SimWorld&, uint64_t now) { return SimDriverData::UpTime(st, now); });
}

WcStatus SimAdapterDriver::GetTransmitPower(uint32_t* power) {
    return Value<uint32_t>(m_adapter, "WcAdapterDriver::GetTransmitPower", power,
                           [](const SimAdapterState& st, const SimWorld&, uint64_t) { return st.desc.txPowerDbm; });
}

WcStatus SimAdapterDriver::GetNoiseFloor(int32_t* dbm) {
    return Value<int32_t>(m_adapter, "WcAdapterDriver::GetNoiseFloor", dbm,
                          [](const SimAdapterState& st, const SimWorld& w, uint64_t now) { return SimDriverData::NoiseFloor(st, w, now); });
}

WcStatus SimAdapterDriver::GetSignalQuality(int32_t* quality) {
    return Value<int32_t>(m_adapter, "WcAdapterDriver::GetSignalQuality", quality,
                          [](const SimAdapterState& st, const SimWorld& w, uint64_t now) { return SimDriverData::SignalQuality(st, w, now); });
}

WcStatus SimAdapterDriver::GetAPPowerControl(uint32_t* control) {
    return Value<uint32_t>(m_adapter, "WcAdapterDriver::GetAPPowerControl", control,
                           [](const SimAdapterState& st, const SimWorld& w, uint64_t) { return SimDriverData::ApPowerControl(st, w); });
}

WcStatus SimAdapterDriver::GetQosInfo(uint32_t* qos) {
    if (!qos) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetQosInfo", [&](SimAdapterState& st, const SimWorld& world, uint64_t) {
        if (!(st.desc.securityCaps & WC_SECCAP_QOS)) return WC_STATUS_NOT_SUPPORTED;
        *qos = SimDriverData::Qos(st, world);
        return WC_STATUS_SUCCESS;
    });
}

WcStatus SimAdapterDriver::GetAPInfo(WcAPInfo* info) {
    if (!info) return WC_STATUS_INVALID_ARGUMENT;
    return Run(m_adapter, "WcAdapterDriver::GetAPInfo", [&](SimAdapterState& st, const SimWorld& world, uint64_t) {
        return SimDriverData::ApInfo(st, world, info) ? WC_STATUS_SUCCESS : WC_STATUS_NOT_CONNECTED;
    });
}
