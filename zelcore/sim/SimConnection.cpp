#include "zelcore/sim/SimConnection.h"

#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcEvents.h"
#include "zelcore/sim/SimProfileMatch.h"
#include "zelcore/sim/SimRadio.h"

namespace {

constexpr uint64_t kSearchRetryMs = 1000;  // looking again for a missing network
constexpr uint64_t kRadioWaitMs = 500;     // waiting for the radio or the adapter to come back
constexpr uint64_t kAutoRetryMs = 5000;    // starting the automatic list over after a full failed walk

void Emit(std::vector<SimEvent>& out, uint32_t type, uint32_t status) { out.push_back(SimEvent{type, status, {}}); }
void Emit(std::vector<SimEvent>& out, uint32_t type, uint32_t status, std::string extra) {
    out.push_back(SimEvent{type, status, std::move(extra)});
}

const char* AuthErrorText(uint32_t error) {
    switch (error) {
    case WC_AUTH_ERROR_WPAPSK_KEY: return "The pre-shared key does not match the network's";
    case WC_AUTH_ERROR_USERNAME_PASSWORD: return "The server refused the user name or password";
    case WC_AUTH_ERROR_CLIENT_IDENTITY: return "No user name was given";
    case WC_AUTH_ERROR_CLIENT_CERTIFICATE: return "No client certificate was given";
    default: return "The access point refused the authentication";
    }
}

WuIpAddress AddressFor(const SimAdapterState& st, const SimAccessPoint& ap) {
    WuIpAddress ip;
    if (!ap.subnet.empty() && WuIpAddress::Parse(ap.subnet + "." + std::to_string(100 + st.index % 100), &ip)) return ip;
    const uint8_t* mac = st.desc.mac.Bytes();  // link-local, as an ad hoc cell without a server gives
    return WuIpAddress(169, 254, mac[4] ? mac[4] : 1, mac[5] ? mac[5] : 1);
}

}  // namespace

const SimAccessPoint* SimConnection::CurrentAp(const SimAdapterState& st, const SimWorld& world) {
    for (const auto& ap : world.accessPoints)
        if (ap.bssid == st.apBssid && ap.inRange) return &ap;
    return nullptr;
}

const SimAccessPoint* SimConnection::BestAp(const SimAdapterState& st, const SimWorld& world,
                                            const WcProfileData& profile, uint64_t nowMs) {
    const SimAccessPoint* best = nullptr;
    int32_t bestRssi = 0;
    for (const auto& ap : world.accessPoints) {
        if (!ap.inRange || !SimProfileMatch::Fits(profile, ap, st.desc)) continue;
        const int32_t rssi = SimRadio::Rssi(ap, nowMs);
        if (!best || rssi > bestRssi) {
            best = &ap;
            bestRssi = rssi;
        }
    }
    return best;
}

void SimConnection::Drop(SimAdapterState& st, std::vector<SimEvent>& out) {
    if (st.MediaConnected()) {
        Emit(out, WC_EVENT_ASSOCIATE_STATUS, WC_ASSOCIATE_STATUS_DISCONNECTED);
        if (st.phase == SimAdapterState::Phase::Connected)
            Emit(out, WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_DISCONNECTED);
    }
    st.phase = SimAdapterState::Phase::Idle;
    st.ip = {};
    st.apBssid = {};
    if (!st.removed && st.desc.enabled) st.state = WC_ADAPTER_STATE_DISCONNECTED;
}

void SimConnection::LoseLink(SimAdapterState& st, uint64_t nowMs, std::vector<SimEvent>& out) {
    Drop(st, out);
    // Keep the profile: the adapter goes on looking for its network.
    st.phase = SimAdapterState::Phase::Associating;
    st.reportedMissing = false;
    st.nextStepMs = nowMs + kSearchRetryMs;
}

void SimConnection::Activate(SimAdapterState& st, const SimWorld& world, const WcProfileData& profile, uint32_t mode,
                             uint64_t nowMs, std::vector<SimEvent>& out) {
    const bool sameProfile = st.profile.profileName == profile.profileName;
    st.activeProfile = profile.profileName;
    if (mode == WC_ACTIVATE_REAUTHENTICATE && sameProfile && st.MediaConnected()) {
        const SimAccessPoint* ap = CurrentAp(st, world);
        if (ap && SimProfileMatch::Fits(profile, *ap, st.desc) && SimProfileMatch::Authenticates(*ap)) {
            st.profile = profile;
            if (st.phase == SimAdapterState::Phase::Connected)
                Emit(out, WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_DISCONNECTED);
            st.ip = {};
            st.phase = SimAdapterState::Phase::Authenticating;
            st.state = WC_ADAPTER_STATE_AUTH_IN_PROGRESS;
            Emit(out, WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_IN_PROGRESS);
            st.nextStepMs = nowMs + world.stepMs;
            return;
        }
    }
    Drop(st, out);
    st.profile = profile;
    st.phase = SimAdapterState::Phase::Associating;
    st.reportedMissing = false;
    st.nextStepMs = nowMs + world.stepMs;
}

void SimConnection::StartAutoWalk(SimAdapterState& st, const SimWorld& world, std::vector<WcProfileData> candidates,
                                  uint64_t nowMs, std::vector<SimEvent>& out) {
    st.apsCandidates = std::move(candidates);
    st.apsWalking = true;
    NextCandidate(st, world, nowMs, out);
}

void SimConnection::NextCandidate(SimAdapterState& st, const SimWorld& world, uint64_t nowMs,
                                  std::vector<SimEvent>& out) {
    if (st.apsCandidates.empty()) {
        st.apsWalking = false;
        st.apsRetryAtMs = nowMs + kAutoRetryMs;
        if (st.phase == SimAdapterState::Phase::Associating) st.phase = SimAdapterState::Phase::Idle;
        return;
    }
    WcProfileData next = std::move(st.apsCandidates.front());
    st.apsCandidates.erase(st.apsCandidates.begin());
    Emit(out, WC_EVENT_APS_STATUS, WC_APS_STATUS_ACTIVATE_PROFILE, next.profileName);
    Activate(st, world, next, WC_ACTIVATE_NORMAL, nowMs, out);
}

void SimConnection::Step(SimAdapterState& st, const SimWorld& world, uint64_t nowMs, std::vector<SimEvent>& out) {
    using Phase = SimAdapterState::Phase;
    if (st.removed) return;

    if (!st.Usable()) {
        if (st.MediaConnected()) {
            Drop(st, out);
            st.phase = Phase::Associating;
            st.reportedMissing = false;
        }
        if (st.phase == Phase::Associating) st.nextStepMs = nowMs + kRadioWaitMs;
        return;
    }

    // A live link follows the world at once: the network leaving, or its secret changing.
    if (st.phase == Phase::Connected || st.phase == Phase::NoAddress || st.phase == Phase::Addressing ||
        st.phase == Phase::Authenticating) {
        const SimAccessPoint* ap = CurrentAp(st, world);
        if (!ap || !SimProfileMatch::Fits(st.profile, *ap, st.desc)) {
            LoseLink(st, nowMs, out);
            return;
        }
        if (st.phase == Phase::Connected && SimProfileMatch::Authenticates(*ap) && ap->secret != st.apSecretSeen) {
            Emit(out, WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_DISCONNECTED);
            st.ip = {};
            st.phase = Phase::Authenticating;
            st.state = WC_ADAPTER_STATE_AUTH_IN_PROGRESS;
            Emit(out, WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_IN_PROGRESS);
            st.nextStepMs = nowMs + world.stepMs;
            return;
        }
    }

    if (nowMs < st.nextStepMs) return;

    switch (st.phase) {
    case Phase::Idle:
    case Phase::Connected:
    case Phase::AuthFailed:
    case Phase::NoAddress:
        return;

    case Phase::Associating: {
        const SimAccessPoint* ap = BestAp(st, world, st.profile, nowMs);
        if (!ap) {
            if (!st.reportedMissing) {
                const std::string& name = st.profile.ssid[0].empty() ? st.profile.profileName : st.profile.ssid[0];
                Emit(out, WC_EVENT_ASSOCIATE_STATUS, WC_ASSOCIATE_STATUS_DISCONNECTED, name + ": no matching network in range");
                st.reportedMissing = true;
            }
            st.state = WC_ADAPTER_STATE_DISCONNECTED;
            if (st.apsWalking) {
                NextCandidate(st, world, nowMs, out);
                return;
            }
            st.nextStepMs = nowMs + kSearchRetryMs;
            return;
        }
        st.apBssid = ap->bssid;
        st.associatedAtMs = nowMs;
        Emit(out, WC_EVENT_ASSOCIATE_STATUS, WC_ASSOCIATE_STATUS_CONNECTED);
        if (SimProfileMatch::Authenticates(*ap)) {
            st.state = WC_ADAPTER_STATE_AUTH_IN_PROGRESS;
            st.phase = Phase::Authenticating;
            Emit(out, WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_IN_PROGRESS);
        } else {
            st.state = WC_ADAPTER_STATE_CONNECTED;
            st.phase = Phase::Addressing;
            Emit(out, WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_START);
        }
        st.nextStepMs = nowMs + world.stepMs;
        return;
    }

    case Phase::Authenticating: {
        const SimAccessPoint* ap = CurrentAp(st, world);
        const auto result = SimProfileMatch::Authenticate(st.profile, *ap);
        if (result.outcome == SimProfileMatch::Outcome::Reject) {
            Emit(out, WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_FAILED, AuthErrorText(result.authError));
            Emit(out, WC_EVENT_AUTH_ERROR, result.authError, st.profile.profileName);
            Drop(st, out);
            st.phase = Phase::AuthFailed;
            st.state = WC_ADAPTER_STATE_AUTH_FAILED;
            if (st.apsWalking) NextCandidate(st, world, nowMs, out);
            return;
        }
        st.apSecretSeen = ap->secret;
        Emit(out, WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_SUCCESS);
        Emit(out, WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_START);
        st.state = WC_ADAPTER_STATE_DHCP_START;
        st.phase = Phase::Addressing;
        st.nextStepMs = nowMs + world.stepMs;
        return;
    }

    case Phase::Addressing: {
        const SimAccessPoint* ap = CurrentAp(st, world);
        if (SimProfileMatch::Authenticate(st.profile, *ap).outcome == SimProfileMatch::Outcome::NoTraffic) {
            Emit(out, WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_FAILED);
            st.state = WC_ADAPTER_STATE_DHCP_FAILED;
            st.phase = Phase::NoAddress;
            if (st.apsWalking) {
                Drop(st, out);
                NextCandidate(st, world, nowMs, out);
            }
            return;
        }
        st.apSecretSeen = ap->secret;
        st.ip = AddressFor(st, *ap);
        Emit(out, WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_SUCCESS, st.ip.ToString());
        st.state = SimProfileMatch::Authenticates(*ap) ? WC_ADAPTER_STATE_DHCP_SUCCESS : WC_ADAPTER_STATE_CONNECTED;
        st.phase = Phase::Connected;
        st.apsWalking = false;
        st.apsCandidates.clear();
        Emit(out, WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED, st.profile.profileName);
        return;
    }
    }
}
