#include "zelgui/monitor/WgValueFormat.h"

#include "zelcore/WcAdapterState.h"
#include "zelcore/WcDriverTypes.h"
#include "zelgui/monitor/WgMonitorText.h"

#include <QStringDecoder>

#include <cstring>

QString WgValueFormat::RateText(uint32_t rate) {
    if (rate & 0x80000000u) return WgMonitorText::FormatInteger(IDS_WG_RATE_KBPS, long(rate & 0x7FFFFFFFu));
    const double mbps = rate == 5 ? 5.5 : double(rate);
    return WgMonitorText::FormatReal(IDS_WG_RATE_MBPS, mbps);
}

QString WgValueFormat::WirelessModeText(uint32_t f, uint32_t flags) {
    if (f <= 4000) {
        if (!(flags & WC_CHANNEL_OFDM_24)) return WgMonitorText::Text(IDS_WG_MODE_11B_11);
        return WgMonitorText::Text((flags & WC_CHANNEL_TURBO) ? IDS_WG_MODE_11G_108 : IDS_WG_MODE_11G_54);
    }
    if (f > 4900 && f < 5000) {
        uint32_t rate = IDS_WG_RATE_54;
        if (flags & WC_CHANNEL_QUARTER_RATE) rate = IDS_WG_RATE_13_5;
        else if (flags & WC_CHANNEL_HALF_RATE) rate = IDS_WG_RATE_27;
        return WgMonitorText::Text(IDS_WG_BAND_49GHZ) + QLatin1Char(' ') + WgMonitorText::Text(rate);
    }
    return WgMonitorText::Text((flags & WC_CHANNEL_TURBO) ? IDS_WG_MODE_5GHZ_108 : IDS_WG_MODE_5GHZ_54);
}

QString WgValueFormat::FrequencyText(uint32_t f) { return WgMonitorText::FormatReal(IDS_WG_FREQUENCY_GHZ, f * 0.001); }

uint32_t WgValueFormat::BandCode(uint32_t f) {
    if (f > 5000) return WC_BAND_5GHZ;
    if (f > 4000) return WC_BAND_49GHZ;
    return WC_BAND_24GHZ;
}

uint32_t WgValueFormat::ShownChannel(uint32_t f, uint32_t clientChannel) {
    return f > 5000 ? (f - 5000) / 5 : clientChannel;
}

uint32_t WgValueFormat::ScanChannel(uint32_t f) {
    if (f > 5000) return (f - 5000) / 5;
    if (f == 2484) return 14;
    if (f < 2484) return (f - 2407) / 5;
    if (f >= 4900 && f <= 4980) return 256 - (5000 - f) / 5;
    return (f - 2512) / 20 + 15;
}

QString WgValueFormat::UpTimeText(int32_t seconds) {
    const uint32_t total = seconds < 0 ? 0 : uint32_t(seconds);
    const uint32_t days = total / 86400;
    const uint32_t rest = total % 86400;
    const QString clock = QString::asprintf("%02u:%02u:%02u", rest / 3600, rest % 3600 / 60, rest % 60);
    if (days == 0) return clock;
    return QString::number(days) + QLatin1String(", ") + clock;
}

QString WgValueFormat::BssidText(const uint8_t b[6]) {
    static const uint8_t broadcast[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    if (std::memcmp(b, broadcast, 6) == 0) return WgMonitorText::Text(IDS_WG_BLANK);
    return QString::asprintf("%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
}

QString WgValueFormat::NetworkNameText(const uint8_t* ssid, size_t maxBytes) {
    size_t length = 0;
    while (length < maxBytes && ssid[length] != 0) ++length;
    const QByteArrayView bytes(reinterpret_cast<const char*>(ssid), qsizetype(length));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString name = decoder(bytes);
    if (decoder.hasError()) name = QString::fromLatin1(bytes);
    return name;
}

QString WgValueFormat::TransmitPowerText(double milliwatts, bool apSetting) {
    return WgMonitorText::FormatReal(apSetting ? IDS_WG_POWER_AP_SETTING : IDS_WG_POWER_MW, milliwatts);
}

uint32_t WgValueFormat::SignalStrengthId(uint32_t level) {
    switch (level) {
    case 1: return IDS_WG_SIGNAL_POOR;
    case 2: return IDS_WG_SIGNAL_FAIR;
    case 3: return IDS_WG_SIGNAL_GOOD;
    case 4: return IDS_WG_SIGNAL_EXCELLENT;
    default: return IDS_WG_SIGNAL_NO_LINK;
    }
}

uint32_t WgValueFormat::NetworkTypeId(uint32_t type) {
    switch (type) {
    case 0: return IDS_WG_INFRASTRUCTURE;
    case 1: return IDS_WG_AD_HOC;
    default: return IDS_WG_BLANK;
    }
}

uint32_t WgValueFormat::CipherId(uint32_t cipher) {
    switch (cipher) {
    case WC_CIPHER_NONE: return IDS_WG_NONE;
    case WC_CIPHER_WEP: return IDS_WG_WEP;
    case WC_CIPHER_AES_CCM:
    case WC_CIPHER_AES_OCB: return IDS_WG_AES;
    case WC_CIPHER_CKIP:
    case WC_CIPHER_CKIP_WEP: return IDS_WG_CKIP;
    case WC_CIPHER_TKIP: return IDS_WG_TKIP;
    default: return IDS_WG_BLANK;
    }
}

uint32_t WgValueFormat::MicAlgorithmId(uint32_t mic) {
    switch (mic) {
    case WC_MIC_NONE: return IDS_WG_NONE;
    case WC_MIC_AES: return IDS_WG_AES;
    case WC_MIC_MMH: return IDS_WG_MMH;
    case WC_MIC_MICHAEL: return IDS_WG_MICHAEL;
    default: return IDS_WG_UNKNOWN;
    }
}

uint32_t WgValueFormat::SmeStateId(uint32_t sme) {
    switch (sme) {
    case 0: return IDS_WG_SME_NOT_JOINED;
    case 1: return IDS_WG_SME_JOINED;
    case 2: return IDS_WG_SME_AUTHENTICATED;
    case 3: return IDS_WG_SME_ASSOCIATED;
    case 4: return IDS_WG_SME_UNKNOWN;
    default: return IDS_WG_BLANK;
    }
}

uint32_t WgValueFormat::LinkStatusId(uint32_t state, bool* unknown) {
    if (unknown) *unknown = false;
    switch (state) {
    case WC_ADAPTER_STATE_DISCONNECTED: return IDS_WG_NOT_ASSOCIATED;
    case WC_ADAPTER_STATE_CONNECTED: return IDS_WG_ASSOCIATED;
    case WC_ADAPTER_STATE_AUTH_IN_PROGRESS: return IDS_WG_LINK_AUTHENTICATING;
    case WC_ADAPTER_STATE_AUTH_RETRYING: return IDS_WG_LINK_AUTH_RETRYING;
    case WC_ADAPTER_STATE_AUTH_FAILED:
    case WC_ADAPTER_STATE_AUTH_TIMEOUT: return IDS_WG_LINK_AUTH_FAILED;
    case WC_ADAPTER_STATE_AUTH_SUCCESS:
    case WC_ADAPTER_STATE_DHCP_START:
    case WC_ADAPTER_STATE_DHCP_RELEASE:
    case WC_ADAPTER_STATE_DHCP_RENEW:
    case WC_ADAPTER_STATE_DHCP_FAILED:
    case WC_ADAPTER_STATE_DHCP_SUCCESS: return IDS_WG_LINK_AUTHENTICATED;
    default:
        if (unknown) *unknown = true;
        return IDS_WG_ASSOCIATED;
    }
}

bool WgValueFormat::IsAuthenticatedState(uint32_t state) {
    return state == WC_ADAPTER_STATE_AUTH_SUCCESS || state == WC_ADAPTER_STATE_DHCP_SUCCESS;
}

WgStatus WgValueFormat::RegulatoryDomain(uint32_t code, WgRegulatoryDomain* domain) {
    WgRegulatoryDomain result = WG_REGDOMAIN_NONE;
    switch (code) {
    case 0x10: result = WG_REGDOMAIN_FCC; break;
    case 0x30:
    case 0x37: result = WG_REGDOMAIN_ETSI; break;
    case 0x40: result = WG_REGDOMAIN_JAPAN; break;
    case 0x8000 | 840: result = WG_REGDOMAIN_FCC; break;
    case 0x8000 | 392: result = WG_REGDOMAIN_JAPAN; break;
    default:
        if ((code & 0xFFF0) == 0x60) result = WG_REGDOMAIN_OTHER;
        break;
    }
    if (domain) *domain = result;
    return result == WG_REGDOMAIN_NONE ? WG_NOT_FOUND : WG_SUCCESS;
}
