#pragma once
// Whether a profile fits an access point, and whether its secret gets it through
// authentication. Pure functions of the records, so every rule is testable on its own.
#include <cstdint>

#include "zelcore/WcProfileData.h"
#include "zelcore/sim/SimWorld.h"

class SimProfileMatch {
public:
    // The adapter can use the access point's mode, and the profile's network names (none: any
    // network), network type, wireless modes and security method fit it. Secrets are not looked at.
    static bool Fits(const WcProfileData& profile, const SimAccessPoint& ap, const SimAdapterSpec& adapter);

    enum class Outcome {
        Pass,          // authenticated (or nothing to authenticate)
        Reject,        // authentication fails with authError
        NoTraffic,     // static WEP with the wrong key: associates, but no frame gets through
    };
    struct Result {
        Outcome outcome = Outcome::Pass;
        uint32_t authError = 0;  // WcAuthError
    };
    static Result Authenticate(const WcProfileData& profile, const SimAccessPoint& ap);

    // True for the methods that run an 802.1X exchange.
    static bool IsEapType(int32_t securityType);
    // True when the network runs an authentication step (802.1X or a WPA key handshake).
    static bool Authenticates(const SimAccessPoint& ap);
};
