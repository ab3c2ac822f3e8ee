#include "zelcore/sim/SimDefaultWorld.h"

#include "zelcore/WcAdapterCapabilities.h"
#include "zelcore/WcProfileData.h"

namespace {

WuMacAddress Mac(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint8_t e, uint8_t f) {
    const uint8_t bytes[6] = {a, b, c, d, e, f};
    return WuMacAddress(bytes);
}

SimAccessPoint Ap(const char* ssid, WuMacAddress bssid, uint32_t mode, uint32_t channel, SimSecurity security,
                  const char* secret, int32_t rssi, const char* subnet) {
    SimAccessPoint ap;
    ap.ssid = ssid;
    ap.bssid = bssid;
    ap.wirelessMode = mode;
    ap.channel = channel;
    ap.security = security;
    ap.secret = secret;
    ap.rssi = rssi;
    ap.subnet = subnet;
    return ap;
}

}  // namespace

SimWorld SimDefaultWorld::Build() {
    SimWorld world;

    SimAdapterSpec a;
    a.id = "wlan0";
    a.name = "Kovanta 802.11a/b/g Wireless Adapter";
    a.mac = Mac(0x00, 0x40, 0x96, 0xA1, 0xB2, 0xC3);
    a.driverPath = "/lib/modules/zelvo/kovwlan.ko";
    a.driverVersion = "4.2.1.0";
    a.driverDate = 1741944600;  // 2025-03-14 09:30:00 UTC
    a.serial = "KV4A0012345";
    a.country = "US";
    a.interfaceId = "{6B29FC40-CA47-1067-B31D-00DD010662DA}";
    a.infraModes = WC_WIRELESS_MODE_A | WC_WIRELESS_MODE_B | WC_WIRELESS_MODE_G | WC_WIRELESS_MODE_PS_MASK;
    a.adHocModes = WC_WIRELESS_MODE_A | WC_WIRELESS_MODE_B | WC_WIRELESS_MODE_G;
    a.securityCaps = WC_SECCAP_WPA | WC_SECCAP_WPA2 | WC_SECCAP_WPA_PSK | WC_SECCAP_WPA2_PSK | WC_SECCAP_CKIP |
                     WC_SECCAP_QOS;
    a.maxSsids = 3;
    a.oemFeatures = 1;
    a.txPowerDbm = 20;
    a.vendorId = 0x168C;
    a.deviceId = 0x0013;
    world.adapters.push_back(a);

    auto home = Ap("HomeNet", Mac(0x00, 0x14, 0x6C, 0x10, 0x20, 0x01), WC_WIRELESS_MODE_G, 6, SimSecurity::Wpa2Psk,
                   "correct horse battery", -52, "192.168.1");
    home.apName = "HomeNet-AP";
    home.apIp = "192.168.1.1";
    home.qos = true;
    world.accessPoints.push_back(home);

    auto office = Ap("CorpWLAN", Mac(0x00, 0x0B, 0x85, 0x30, 0x40, 0x02), WC_WIRELESS_MODE_A, 36,
                     SimSecurity::WpaEap, "s3cret!", -64, "10.20.30");
    office.username = "alice";
    office.apName = "CORP-AP-3F";
    office.apIp = "10.20.30.2";
    office.powerControl = true;
    world.accessPoints.push_back(office);

    auto legacy = Ap("OldLab", Mac(0x00, 0x09, 0x5B, 0x50, 0x60, 0x03), WC_WIRELESS_MODE_B, 11, SimSecurity::Wep,
                     "A1B2C3D4E5", -71, "192.168.7");
    world.accessPoints.push_back(legacy);

    auto cafe = Ap("CafeFree", Mac(0x00, 0x18, 0x39, 0x70, 0x80, 0x04), WC_WIRELESS_MODE_G, 1, SimSecurity::Open, "",
                   -78, "172.16.5");
    cafe.apName = "Cafe";
    world.accessPoints.push_back(cafe);

    auto adhoc = Ap("PeerLink", Mac(0x02, 0x1A, 0x2B, 0x3C, 0x4D, 0x05), WC_WIRELESS_MODE_B, 3, SimSecurity::Open, "",
                    -67, "");
    adhoc.adHoc = true;
    world.accessPoints.push_back(adhoc);

    auto safety = Ap("PublicSafety49", Mac(0x00, 0x0F, 0x66, 0x90, 0xA0, 0x06), WC_WIRELESS_MODE_PS_2, 244,
                     SimSecurity::WpaPsk, "first responders", -69, "10.49.0");
    world.accessPoints.push_back(safety);

    auto turbo = Ap("FastLane5", Mac(0x00, 0x0F, 0x66, 0xB0, 0xC0, 0x07), WC_WIRELESS_MODE_VELA_A, 52,
                    SimSecurity::Wpa2Psk, "velocity rules", -74, "192.168.50");
    turbo.vela = true;
    world.accessPoints.push_back(turbo);
    return world;
}
