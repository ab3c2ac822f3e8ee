#pragma once
// What the simulated driver reports: the diagnostic and statistics records, the scan list and
// the single values, computed from the adapter's state, the world and the clock so that they
// agree with each other and move like a real link.
#include <cstdint>
#include <vector>

#include "zelcore/WcAPInfo.h"
#include "zelcore/WcBSSID.h"
#include "zelcore/WcDriverDiagnosticData.h"
#include "zelcore/WcDriverStatisticData.h"
#include "zelcore/sim/SimAdapterState.h"
#include "zelcore/sim/SimWorld.h"

class SimDriverData {
public:
    // Adds the time since the last call to the traffic totals.
    static void Accumulate(SimAdapterState& st, uint64_t nowMs);

    static void Diagnostic(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs, WcDriverDiagnosticData* d);
    static void Statistics(const SimAdapterState& st, WcDriverStatisticData* s);
    static void Statistics2(const SimAdapterState& st, WcDriverStatisticData2* s);
    // The networks the adapter hears now (its bands only; nothing with the radio off).
    static std::vector<WcBSSID> Scan(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs);

    // Single values; false when the value does not exist now (not associated).
    static int32_t NoiseFloor(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs);
    static int32_t SignalQuality(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs);
    static uint32_t MicAlgorithm(const SimAdapterState& st, const SimWorld& world);
    static uint32_t AuthAlgorithm(const SimAdapterState& st, const SimWorld& world);
    static uint32_t ConnectionMode(const SimAdapterState& st, const SimWorld& world);
    static int32_t UpTime(const SimAdapterState& st, uint64_t nowMs);
    static bool ApInfo(const SimAdapterState& st, const SimWorld& world, WcAPInfo* info);
    static uint32_t ApPowerControl(const SimAdapterState& st, const SimWorld& world);
    static uint32_t Qos(const SimAdapterState& st, const SimWorld& world);
    static uint32_t CountryWord(const std::string& country);
    static uint32_t RegulatoryDomain(const std::string& country);
};
