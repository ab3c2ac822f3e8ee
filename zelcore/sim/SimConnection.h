#pragma once
// The connection state machine of one adapter: association, authentication, address and
// connection, each step after the world's step delay, with the status events of each step.
// Works on the adapter's state under the environment's lock; the events it appends are
// delivered later by the event thread.
#include <cstdint>
#include <vector>

#include "zelcore/WcProfileData.h"
#include "zelcore/sim/SimAdapterState.h"
#include "zelcore/sim/SimEvent.h"
#include "zelcore/sim/SimWorld.h"

class SimConnection {
public:
    // Starts using the profile (mode: WcActivationMode). Reauthentication keeps a live
    // association with the same profile and runs only the authentication again.
    static void Activate(SimAdapterState& st, const SimWorld& world, const WcProfileData& profile, uint32_t mode,
                         uint64_t nowMs, std::vector<SimEvent>& out);
    // Starts a walk of the automatic list: the first candidate is tried, each failure moves on.
    static void StartAutoWalk(SimAdapterState& st, const SimWorld& world, std::vector<WcProfileData> candidates,
                              uint64_t nowMs, std::vector<SimEvent>& out);
    // Advances the machine to nowMs and checks a live link against the world.
    static void Step(SimAdapterState& st, const SimWorld& world, uint64_t nowMs, std::vector<SimEvent>& out);
    // Ends the link (events for what was up) and forgets the profile in use.
    static void Drop(SimAdapterState& st, std::vector<SimEvent>& out);

    // The access point the adapter is associated with, when it is still in range.
    static const SimAccessPoint* CurrentAp(const SimAdapterState& st, const SimWorld& world);
    // The strongest access point in range that the profile fits.
    static const SimAccessPoint* BestAp(const SimAdapterState& st, const SimWorld& world, const WcProfileData& profile,
                                        uint64_t nowMs);

private:
    static void LoseLink(SimAdapterState& st, uint64_t nowMs, std::vector<SimEvent>& out);
    static void NextCandidate(SimAdapterState& st, const SimWorld& world, uint64_t nowMs, std::vector<SimEvent>& out);
};
