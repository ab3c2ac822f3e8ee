#include "zelcore/sim/SimProfileMatch.h"

#include <cctype>
#include <string>
#include <vector>

#include "zelcore/WcEvents.h"
#include "zelcore/sim/SimRadio.h"

namespace {

bool IsHex(const std::string& s) {
    for (unsigned char c : s)
        if (!std::isxdigit(c)) return false;
    return !s.empty();
}

// A WEP key as bytes: 10, 26 or 32 hexadecimal digits, else the characters themselves.
std::vector<uint8_t> WepBytes(const std::string& key) {
    std::vector<uint8_t> bytes;
    if ((key.size() == 10 || key.size() == 26 || key.size() == 32) && IsHex(key)) {
        for (size_t i = 0; i < key.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoi(key.substr(i, 2), nullptr, 16)));
    } else {
        bytes.assign(key.begin(), key.end());
    }
    return bytes;
}

bool SamePassphrase(const std::string& a, const std::string& b) {
    if (a.size() == 64 && b.size() == 64 && IsHex(a) && IsHex(b)) {
        for (size_t i = 0; i < 64; ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
        return true;
    }
    return a == b;
}

// The modes a turbo access point also serves at the normal rate.
uint32_t ServedModes(uint32_t mode) {
    if (mode == WC_WIRELESS_MODE_VELA_A) return mode | WC_WIRELESS_MODE_A;
    if (mode == WC_WIRELESS_MODE_VELA_G) return mode | WC_WIRELESS_MODE_G;
    return mode;
}

}  // namespace

bool SimProfileMatch::IsEapType(int32_t t) {
    return t == WC_SECURITY_LEAP || t == WC_SECURITY_PEAP_GTC || t == WC_SECURITY_PEAP_MSCHAPV2 ||
           t == WC_SECURITY_EAP_TLS || t == WC_SECURITY_EAP_TTLS || t == WC_SECURITY_EAP_MD5 ||
           t == WC_SECURITY_EAP_FAST || t == WC_SECURITY_HOST_BASED_EAP || t == WC_SECURITY_EAP_SIM;
}

bool SimProfileMatch::Authenticates(const SimAccessPoint& ap) {
    return ap.security != SimSecurity::Open && !(ap.security == SimSecurity::Wep && !ap.sharedKey);
}

bool SimProfileMatch::Fits(const WcProfileData& p, const SimAccessPoint& ap, const SimAdapterSpec& adapter) {
    // A profile without any network name joins any network its other settings fit, as the
    // default profile does.
    bool named = true;
    for (const auto& s : p.ssid)
        if (!s.empty()) named = false;
    for (const auto& s : p.ssid)
        if (!s.empty() && s == ap.ssid) named = true;
    if (!named) return false;

    const bool adHocProfile = p.networkType == WC_NETWORK_TYPE_ADHOC;
    if (adHocProfile != ap.adHoc) return false;

    const uint32_t served = ServedModes(ap.wirelessMode);
    const uint32_t adapterModes = ap.adHoc ? adapter.adHocModes : adapter.infraModes;
    if (!(adapterModes & served)) return false;
    if (!ap.adHoc && p.wirelessModes != 0 && !(p.wirelessModes & served)) return false;

    const int32_t t = p.securityType;
    switch (ap.security) {
    case SimSecurity::Open: return t == WC_SECURITY_DISABLED;
    case SimSecurity::Wep: return t == WC_SECURITY_PSK && p.wpaMode == 0;
    case SimSecurity::WpaPsk:
    case SimSecurity::Wpa2Psk: return t == WC_SECURITY_PSK && p.wpaMode != 0;
    case SimSecurity::WpaEap:
    case SimSecurity::Wpa2Eap: return IsEapType(t) && p.wpaMode != 0;
    case SimSecurity::Dot1x: return IsEapType(t) && p.wpaMode == 0;
    case SimSecurity::Leap: return t == WC_SECURITY_LEAP;
    }
    return false;
}

SimProfileMatch::Result SimProfileMatch::Authenticate(const WcProfileData& p, const SimAccessPoint& ap) {
    Result result;
    switch (ap.security) {
    case SimSecurity::Open: return result;
    case SimSecurity::Wep: {
        const int32_t index = p.txKeyIndex;
        const std::string key = index >= 1 && index <= 4 ? p.wepKey[size_t(index - 1)].key : std::string();
        if (WepBytes(key) == WepBytes(ap.secret)) return result;
        if (ap.sharedKey) return {Outcome::Reject, WC_AUTH_ERROR_GENERIC};
        return {Outcome::NoTraffic, WC_AUTH_ERROR_NONE};
    }
    case SimSecurity::WpaPsk:
    case SimSecurity::Wpa2Psk:
        if (SamePassphrase(p.passphrase, ap.secret)) return result;
        return {Outcome::Reject, WC_AUTH_ERROR_WPAPSK_KEY};
    default: break;
    }

    // 802.1X methods.
    switch (p.securityType) {
    case WC_SECURITY_HOST_BASED_EAP:
    case WC_SECURITY_EAP_SIM:
        return result;
    case WC_SECURITY_EAP_TLS:
        if (p.certificate.empty()) return {Outcome::Reject, WC_AUTH_ERROR_CLIENT_CERTIFICATE};
        return result;
    default: break;
    }
    if (p.useWindowsLogon) return result;  // the logged-on account is taken as known to the server
    std::string user, password;
    if (p.securityType == WC_SECURITY_LEAP) {
        user = p.loginName;
        password = p.loginPassword;
    } else {
        user = p.userName.empty() ? p.loginName : p.userName;
        password = p.password;
    }
    if (user.empty()) return {Outcome::Reject, WC_AUTH_ERROR_CLIENT_IDENTITY};
    if ((!ap.username.empty() && user != ap.username) || password != ap.secret)
        return {Outcome::Reject, WC_AUTH_ERROR_USERNAME_PASSWORD};
    return result;
}
