#pragma once
// The profile record that travels between the profile store, the program and the editor.
// Fields keep the record's order; texts are owned UTF-8 strings, so copies are independent.
// Fields that nothing shows are carried as members so that they survive every round trip.
// Integer fields stay plain integers: a stored value outside the enumerations below must
// come back unchanged (a network type of 5, for instance, reads as Infrastructure).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Security methods (field `securityType`).
enum WcSecurityType : int32_t {
    WC_SECURITY_DISABLED = 0,
    WC_SECURITY_LEAP = 1,
    WC_SECURITY_PEAP_GTC = 2,
    WC_SECURITY_PEAP_MSCHAPV2 = 3,
    WC_SECURITY_EAP_TLS = 4,
    WC_SECURITY_EAP_TTLS = 5,
    WC_SECURITY_EAP_MD5 = 6,
    WC_SECURITY_PSK = 7,
    WC_SECURITY_EAP_FAST = 8,
    WC_SECURITY_HOST_BASED_EAP = 9,
    WC_SECURITY_EAP_SIM = 10,
};

// Power save modes (field `powerSaveMode`).
enum WcPwrMgmt : int32_t {
    WC_PWR_MGMT_OFF = 0,
    WC_PWR_MGMT_MAXIMUM = 1,
    WC_PWR_MGMT_NORMAL = 2,
};

// Network types (field `networkType`); any non-zero value means Infrastructure.
enum WcNetworkType : int32_t {
    WC_NETWORK_TYPE_ADHOC = 0,
    WC_NETWORK_TYPE_INFRASTRUCTURE = 1,
};

// Who may use a profile (field `ownerScope`).
enum WcOwnerScope : int32_t {
    WC_OWNER_SCOPE_ALL_USERS = 0,
    WC_OWNER_SCOPE_PRIVATE = 2,
};

// 802.11 authentication modes (field `authMode80211`).
enum WcAuthMode80211 : int32_t {
    WC_AUTH_MODE_OPEN = 1,
    WC_AUTH_MODE_SHARED = 2,
    WC_AUTH_MODE_AUTO = 3,
};

// Wireless-mode bits of `wirelessModes` and the single value of `adHocMode`; the adapter
// capability words use the same bits.
enum WcWirelessMode : uint32_t {
    WC_WIRELESS_MODE_A = 0x001,        // 802.11a, "5 GHz 54 Mbps"
    WC_WIRELESS_MODE_VELA_A = 0x002,   // double-rate 802.11a, ad hoc "5 GHz 108 Mbps"
    WC_WIRELESS_MODE_B = 0x004,        // 802.11b, ad hoc "802.11b/g 54/11 Mbps"
    WC_WIRELESS_MODE_G = 0x008,        // 802.11g, "802.11g 54 Mbps"
    WC_WIRELESS_MODE_VELA_G = 0x010,   // double-rate 802.11g (infrastructure only)
    WC_WIRELESS_MODE_PS_1 = 0x100,     // 4.9 GHz public safety band selection
    WC_WIRELESS_MODE_PS_2 = 0x200,
    WC_WIRELESS_MODE_PS_3 = 0x400,
    WC_WIRELESS_MODE_PS_MASK = 0x700,
};

// One static WEP key: the key text and its size in bits of key material (40, 104 or 128).
struct WcWepKey {
    std::string key;
    uint32_t size = 0;
    bool operator==(const WcWepKey&) const = default;
};

struct WcProfileData {
    std::string profileName;               // at most 32 characters
    std::array<std::string, 3> ssid;       // SSID1..3, each at most 32 characters
    std::string clientName;                // at most 16 characters
    int32_t ownerScope = 0;                // WcOwnerScope
    std::string reserved018;               // not used
    std::string ownerUserName;
    int32_t networkType = 1;               // WcNetworkType
    int32_t powerSaveMode = 0;             // WcPwrMgmt
    int32_t reserved028 = 0;               // kept by the editor
    uint32_t txPowerBG = 0;
    uint32_t txPowerA = 0;
    uint32_t wirelessModes = 0;            // WcWirelessMode bits
    uint32_t adHocMode = 0;                // one WcWirelessMode value
    uint32_t adHocChannel = 0;             // channel number, 0 for automatic
    uint8_t preambleShortLong = 0;
    uint8_t reserved041 = 0;               // not used
    uint8_t qosEnabled = 0;
    uint8_t extendedRange = 0;
    std::string reserved044;               // not used
    std::array<std::string, 4> preferredAp;  // "" or 12 upper-case hex digits
    uint8_t mixedCells = 0;
    uint8_t encryptionOn = 0;
    uint8_t wpaMode = 0;
    uint8_t eapOn = 0;
    int32_t txKeyIndex = 1;                // 1..4
    uint8_t keyIsHex = 0;
    std::array<WcWepKey, 4> wepKey;
    std::string passphrase;
    uint32_t passphraseBits = 0;
    std::string reserved08C;               // kept
    uint32_t reserved090 = 0;              // kept
    int32_t securityType = 0;              // WcSecurityType
    int32_t innerMethod = 0;
    std::string userName;
    std::string password;
    uint32_t passwordBits = 0;
    std::string fastCertificate;
    uint8_t useWindowsLogon = 0;
    std::string domain;
    std::string loginName;
    std::string loginPassword;
    uint32_t loginPasswordBits = 0;
    std::string certificate;
    std::string rootAuthority;
    int32_t gtcStaticPassword = 0;
    uint8_t autoPrompt = 0;
    uint8_t manualPrompt = 0;
    uint8_t noNetworkUntilLogon = 0;
    uint8_t includeLogonDomain = 0;
    uint32_t leapTimeout = 0;              // 30..300 seconds
    std::string fastOldAuthority;          // older layout's authority selection
    uint8_t fastAutoProvisioning = 0;
    uint8_t validateServer = 0;
    uint8_t useMachineInfo = 0;
    uint8_t alwaysUserAuth = 0;
    uint8_t useSmartCard = 0;
    std::string simCardName;
    uint8_t fastSameGroup = 0;
    uint8_t fastProvSameMethod = 0;
    uint8_t fastProvUseWindowsLogon = 0;
    uint8_t fastProvAutoPrompt = 0;
    uint8_t fastProvManualPrompt = 0;
    uint8_t fastNoNetworkUntilLogon = 0;
    uint8_t fastProvIncludeLogonDomain = 0;
    uint32_t reserved0EC = 0;              // not used
    std::string fastProvCertificate;
    std::string fastProvRootAuthority;
    std::string fastProvDomain;
    std::string fastProvLoginName;
    uint32_t fastProvGtcStaticPassword = 0;
    int32_t fastProvMethod = 0;
    std::string fastProvUserName;
    std::string fastProvPassword;
    int32_t fastProvPasswordBits = 0;
    std::string reserved114;               // not used
    uint8_t fastProvValidateServer = 0;
    uint8_t fastMachineInfo = 0;
    std::vector<std::string> fastAuthorities;
    int32_t authMode80211 = 1;             // WcAuthMode80211
    std::array<uint8_t, 8> reserved130{};  // not used
    uint32_t groupPolicyDelay = 0;         // 0..65535 seconds
    uint8_t resumeSession = 0;
    uint8_t locked = 0;
    uint8_t limitDcTime = 0;
    uint32_t dcTimeLimit = 0;              // 0..300 seconds
    uint8_t lockTxPower = 0;
    int32_t roamingPolicy = 0;             // 0..5
    std::array<uint8_t, 96> reserved14C{};  // not used

    // Every field takes part, the unused ones included.
    friend bool operator==(const WcProfileData&, const WcProfileData&) = default;
};
