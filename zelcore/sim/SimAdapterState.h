#pragma once
// Everything the simulation keeps about one adapter while it lives. Guarded by the
// environment's lock.
#include <cstdint>
#include <string>
#include <vector>

#include "zelcore/WcAdapterState.h"
#include "zelcore/WcBSSID.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/WuIpAddress.h"
#include "zelcore/sim/SimWorld.h"

struct SimAdapterState {
    enum class Phase {
        Idle,            // no profile in use, or given up
        Associating,     // looking for the profile's network; retried while it is missing
        Authenticating,
        Addressing,      // asking for an address
        Connected,
        AuthFailed,      // refused; stays so until a new activation or a change of the network
        NoAddress,       // associated but no address came
    };

    SimAdapterSpec desc;
    uint32_t index = 0;                // order of creation, for addresses
    bool removed = false;
    uint32_t state = WC_ADAPTER_STATE_DISCONNECTED;
    bool softRadioOff = false;
    uint32_t zeroConfig = 0;
    uint32_t supplicant = 0;

    // Settings kept across runs.
    std::string activeProfile;
    bool aps = false;
    std::vector<std::string> autoList;

    // The connection.
    Phase phase = Phase::Idle;
    WcProfileData profile;             // the record in use
    bool reportedMissing = false;      // "not in range" already reported for this attempt
    WuMacAddress apBssid;              // the access point associated with
    std::string apSecretSeen;          // the access point's secret when it let us in
    uint64_t nextStepMs = 0;
    uint64_t associatedAtMs = 0;
    WuIpAddress ip;
    bool apsWalking = false;           // the current profile came from the automatic list
    std::vector<WcProfileData> apsCandidates;  // the rest of the automatic list, in order
    uint64_t apsRetryAtMs = 0;
    bool resolvePending = false;       // activeProfile must be looked up in the store and used

    // Traffic: totals of simulated time in each condition; the counters derive from them.
    uint64_t connectedMs = 0;
    uint64_t radioOnMs = 0;
    uint64_t lastTrafficMs = 0;

    // The last scan.
    std::vector<WcBSSID> scan;
    uint64_t scanAtMs = 0;

    bool RadioOn() const { return !softRadioOff && !desc.hardwareRadioOff; }
    bool Usable() const { return !removed && desc.enabled && RadioOn(); }
    bool MediaConnected() const {
        return phase == Phase::Authenticating || phase == Phase::Addressing || phase == Phase::Connected ||
               phase == Phase::NoAddress;
    }
};
