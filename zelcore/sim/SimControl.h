#pragma once
// Test and demonstration control of the simulated client library: failure injection and call
// counts per operation, and direct control of the world. Operations are named
// "Interface::Operation" (for example "WcAdapterDriver::GetStatistics"); a bare operation name
// matches that operation on every interface.
#include <cstdint>
#include <map>
#include <string>

#include "zelcore/WcStatus.h"
#include "zelcore/sim/SimWorld.h"

class SimControl {
public:
    // The next `count` calls of op answer `status` without doing anything; count 0 clears,
    // kForever fails every call until cleared.
    static constexpr uint32_t kForever = 0xFFFFFFFFu;
    static void FailNext(const std::string& op, WcStatus status, uint32_t count);
    static void ClearFailures();
    // Calls made to op since the last ResetCounts (a bare name sums over every interface).
    static uint64_t CallCount(const std::string& op);
    static void ResetCounts();

    // Forgets every adapter, every registered sink (of the manager and the adapters) and every
    // pending event, clears failures and counts, and loads the world again from the current data
    // folder (or the built-in world). For tests that start afresh: register sinks after it.
    static void Reset();
    // Reads the world file now instead of at the next poll; false when it is malformed (the
    // previous world stays).
    static bool ReloadWorld();
    // Moves the simulated clock forward: drift, counters, up time, connection steps.
    static void AdvanceClock(uint64_t ms);
    // Waits until every event queued so far has been delivered (or the timeout in ms passed).
    static bool WaitForEvents(uint32_t timeoutMs);

    // Used by the library itself: counts a call and answers an injected failure, else 0.
    static WcStatus Enter(const char* op);
    // Failures named in the world file; they replace the previous file's set.
    static void SetWorldFailures(const std::map<std::string, SimFailure>& failures);
};
