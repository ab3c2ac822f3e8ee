#include "zelcore/sim/SimDriverData.h"

#include <cstring>

#include "zelcore/WcAdapterCapabilities.h"
#include "zelcore/WcDriverTypes.h"
#include "zelcore/sim/SimConnection.h"
#include "zelcore/sim/SimRadio.h"

namespace {

// The channels a searching radio hops over, per band the adapter has.
std::vector<std::pair<uint32_t, uint32_t>> HopList(const SimAdapterSpec& desc) {
    std::vector<std::pair<uint32_t, uint32_t>> hops;  // (mode, channel)
    if (desc.infraModes & (WC_WIRELESS_MODE_B | WC_WIRELESS_MODE_G))
        for (uint32_t ch : {1u, 6u, 11u}) hops.push_back({WC_WIRELESS_MODE_G, ch});
    if (desc.infraModes & WC_WIRELESS_MODE_A)
        for (uint32_t ch : {36u, 44u, 52u, 149u}) hops.push_back({WC_WIRELESS_MODE_A, ch});
    if (desc.infraModes & WC_WIRELESS_MODE_PS_MASK) hops.push_back({WC_WIRELESS_MODE_PS_3, 244});
    if (hops.empty()) hops.push_back({WC_WIRELESS_MODE_G, 1});
    return hops;
}

uint32_t Cipher(SimSecurity security) {
    switch (security) {
    case SimSecurity::Open: return WC_CIPHER_NONE;
    case SimSecurity::Wep:
    case SimSecurity::Dot1x: return WC_CIPHER_WEP;
    case SimSecurity::WpaPsk:
    case SimSecurity::WpaEap: return WC_CIPHER_TKIP;
    case SimSecurity::Wpa2Psk:
    case SimSecurity::Wpa2Eap: return WC_CIPHER_AES_CCM;
    case SimSecurity::Leap: return WC_CIPHER_CKIP;
    }
    return WC_CIPHER_NONE;
}

const SimAccessPoint* LinkedAp(const SimAdapterState& st, const SimWorld& world) {
    return st.MediaConnected() && st.RadioOn() ? SimConnection::CurrentAp(st, world) : nullptr;
}

}  // namespace

void SimDriverData::Accumulate(SimAdapterState& st, uint64_t nowMs) {
    if (st.lastTrafficMs == 0 || nowMs < st.lastTrafficMs) {
        st.lastTrafficMs = nowMs;
        return;
    }
    const uint64_t delta = nowMs - st.lastTrafficMs;
    st.lastTrafficMs = nowMs;
    if (st.removed || !st.desc.enabled || !st.RadioOn()) return;
    st.radioOnMs += delta;
    if (st.phase == SimAdapterState::Phase::Connected) st.connectedMs += delta;
}

void SimDriverData::Diagnostic(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs,
                               WcDriverDiagnosticData* d) {
    std::memset(d, 0, sizeof *d);
    d->noAckFrames = static_cast<uint32_t>(st.connectedMs / 900);
    d->rtsRetries = static_cast<uint32_t>(st.connectedMs / 4000);
    d->crcErrors = static_cast<uint32_t>(st.radioOnMs / 700);
    d->regulatoryDomain = RegulatoryDomain(st.desc.country) << 16;
    d->countryInfo = CountryWord(st.desc.country);
    d->mediaState = 1;
    std::memset(d->bssid, 0xFF, sizeof d->bssid);

    const SimAccessPoint* ap = LinkedAp(st, world);
    if (ap) {
        // The driver reports the signal as dB above the noise floor, as the scan list does.
        const int32_t aboveFloor = SimRadio::Rssi(*ap, nowMs) - SimRadio::Noise(*ap, nowMs);
        const int32_t quality = SimRadio::Quality(aboveFloor);
        d->mediaState = 0;
        d->rssi = aboveFloor;
        d->txRate = SimRadio::TxRate(ap->wirelessMode, quality);
        d->rxRate = SimRadio::RxRate(ap->wirelessMode, quality);
        d->frequency = SimRadio::FrequencyOf(ap->wirelessMode, ap->channel);
        d->channelFlags = SimRadio::ChannelFlags(ap->wirelessMode);
        d->smeState = 3;
        std::memcpy(d->bssid, ap->bssid.Bytes(), 6);
        std::strncpy(d->ssid, ap->ssid.c_str(), sizeof d->ssid - 1);
        d->cipher = Cipher(ap->security);
        d->networkType = ap->adHoc ? 1 : 0;
        d->signalLevel = SimRadio::SignalLevel(aboveFloor);
        return;
    }
    if (!st.RadioOn()) return;
    // Not associated: the radio searches, hopping a channel a second.
    const auto hops = HopList(st.desc);
    const auto& [mode, channel] = hops[(nowMs / 1000) % hops.size()];
    d->frequency = SimRadio::FrequencyOf(mode, channel);
    d->channelFlags = SimRadio::ChannelFlags(mode);
    d->rssi = 0;
}

void SimDriverData::Statistics(const SimAdapterState& st, WcDriverStatisticData* s) {
    std::memset(s, 0, sizeof *s);
    const uint64_t c = st.connectedMs;  // traffic flows only on a connected link
    const uint64_t r = st.radioOnMs;    // beacons and noise are heard whenever the radio is on
    s->txUnicast = c * 30 / 1000;
    s->txMulticast = c / 1000;
    s->txBroadcast = c / 2000;
    s->txFramesOk = s->txUnicast + s->txMulticast + s->txBroadcast;
    s->txBytes = c * 48;
    s->txErrors = c / 20000;
    s->txRetried = c / 300;
    s->txDropped = c / 15000;
    s->txRts = c / 500;
    s->txCts = c / 520;
    s->rxUnicast = c * 45 / 1000;
    s->rxMulticast = c * 3 / 1000;
    s->rxBroadcast = r * 2 / 1000;
    s->rxFramesOk = s->rxUnicast + s->rxMulticast + s->rxBroadcast;
    s->rxBytes = c * 120 + r / 10;
    s->rxBeacons = r * 10 / 1024;
    s->rxEncryptionErrors = c / 60000;
    s->rxDuplicates = c / 8000;
    s->authRejects = 0;
    s->assocRejects = 0;
    s->rxErrors = r / 700;
}

void SimDriverData::Statistics2(const SimAdapterState& st, WcDriverStatisticData2* s) {
    std::memset(s, 0, sizeof *s);
    const uint64_t c = st.connectedMs;
    s->dataRateMismatches = static_cast<uint32_t>(c / 120000);
    s->apMismatches = static_cast<uint32_t>(st.radioOnMs / 90000);
    s->micOk = c * 30 / 1000;
    s->micErrors = c / 600000;
}

std::vector<WcBSSID> SimDriverData::Scan(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs) {
    std::vector<WcBSSID> list;
    if (!st.Usable()) return list;
    for (const auto& ap : world.accessPoints) {
        if (!ap.inRange) continue;
        const uint32_t modes = ap.adHoc ? st.desc.adHocModes | st.desc.infraModes : st.desc.infraModes;
        uint32_t served = ap.wirelessMode;
        if (served == WC_WIRELESS_MODE_VELA_A) served |= WC_WIRELESS_MODE_A;
        if (served == WC_WIRELESS_MODE_VELA_G) served |= WC_WIRELESS_MODE_G;
        if (!(modes & served)) continue;
        WcBSSID e;
        e.bssid = ap.bssid;
        e.ssid = ap.ssid;
        e.privacy = ap.security == SimSecurity::Open ? 0 : 1;
        e.signal = SimRadio::Rssi(ap, nowMs) - SimRadio::Noise(ap, nowMs);
        e.networkType = ap.adHoc ? 0 : 1;
        e.qx = ap.qx ? 1 : 0;
        e.vela = ap.vela ? 1 : 0;
        e.wirelessMode = ap.wirelessMode;
        e.channel = static_cast<int32_t>(ap.channel);
        e.beaconInterval = 102.4;
        list.push_back(std::move(e));
    }
    return list;
}

int32_t SimDriverData::NoiseFloor(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    // A positive magnitude: 95 stands for -95 dBm.
    if (ap) return -SimRadio::Noise(*ap, nowMs);
    return 96;
}

int32_t SimDriverData::SignalQuality(const SimAdapterState& st, const SimWorld& world, uint64_t nowMs) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    if (!ap) return 0;
    return SimRadio::Quality(SimRadio::Rssi(*ap, nowMs) - SimRadio::Noise(*ap, nowMs));
}

uint32_t SimDriverData::MicAlgorithm(const SimAdapterState& st, const SimWorld& world) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    if (!ap) return WC_MIC_NONE;
    switch (ap->security) {
    case SimSecurity::WpaPsk:
    case SimSecurity::WpaEap: return WC_MIC_MICHAEL;
    case SimSecurity::Wpa2Psk:
    case SimSecurity::Wpa2Eap: return WC_MIC_AES;
    case SimSecurity::Leap: return WC_MIC_MMH;
    default: return WC_MIC_NONE;
    }
}

uint32_t SimDriverData::AuthAlgorithm(const SimAdapterState& st, const SimWorld& world) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    return ap && ap->security == SimSecurity::Wep && ap->sharedKey ? 2 : 1;
}

uint32_t SimDriverData::ConnectionMode(const SimAdapterState& st, const SimWorld& world) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    if (ap && ap->qx && (st.desc.securityCaps & WC_SECCAP_EXTENDED_RANGE)) return WC_CONNECTION_MODE_EXTENDED_RANGE;
    if (ap && ap->vela && (st.desc.securityCaps & WC_SECCAP_VELA)) return WC_CONNECTION_MODE_VELA;
    return WC_CONNECTION_MODE_NORMAL;
}

int32_t SimDriverData::UpTime(const SimAdapterState& st, uint64_t nowMs) {
    if (!st.MediaConnected() || nowMs < st.associatedAtMs) return 0;
    return static_cast<int32_t>((nowMs - st.associatedAtMs) / 1000);
}

bool SimDriverData::ApInfo(const SimAdapterState& st, const SimWorld& world, WcAPInfo* info) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    if (!ap) return false;
    info->name = ap->apName;
    info->ipAddress = {};
    if (!ap->apIp.empty()) WuIpAddress::Parse(ap->apIp, &info->ipAddress);
    return true;
}

uint32_t SimDriverData::ApPowerControl(const SimAdapterState& st, const SimWorld& world) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    return ap && ap->powerControl ? 1 : 0;
}

uint32_t SimDriverData::Qos(const SimAdapterState& st, const SimWorld& world) {
    const SimAccessPoint* ap = LinkedAp(st, world);
    return ap && ap->qos ? 1 : 0;
}

uint32_t SimDriverData::CountryWord(const std::string& country) {
    if (country.size() < 2) return 0;
    return static_cast<uint8_t>(country[0]) | static_cast<uint32_t>(static_cast<uint8_t>(country[1])) << 8;
}

uint32_t SimDriverData::RegulatoryDomain(const std::string& country) {
    if (country == "US" || country == "CA") return 0x10;
    if (country == "JP" || (country.size() == 2 && country[0] == 'J' && country[1] >= '1' && country[1] <= '9')) return 0x40;
    static const char* europe[] = {"AT", "BE", "CH", "DE", "DK", "ES", "FI", "FR", "GB", "IE", "IT", "NL", "NO", "PT", "SE"};
    for (const char* c : europe)
        if (country == c) return 0x30;
    return 0x60;
}
