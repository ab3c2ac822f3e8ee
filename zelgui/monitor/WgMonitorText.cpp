#include "zelgui/monitor/WgMonitorText.h"

#include "zelgui/services/WgResources.h"

#include <QByteArray>

namespace {

struct BuiltInText {
    uint32_t id;
    const char* text;
};

constexpr BuiltInText kTexts[] = {
    {IDS_WG_UNKNOWN, "Unknown"},
    {IDS_WG_MODE_5GHZ_108, "5 GHz 108 Mbps"},
    {IDS_WG_MODE_5GHZ_54, "5 GHz 54 Mbps"},
    {IDS_WG_MODE_11G_54, "802.11g 54 Mbps"},
    {IDS_WG_MODE_11B_11, "802.11b 11 Mbps"},
    {IDS_WG_SCANNING, "Scanning"},
    {IDS_WG_RATE_MBPS, "%.1f Mbps"},
    {IDS_WG_BAND_49GHZ, "4.9 GHz"},
    {IDS_WG_RATE_KBPS, "%d Kbps"},
    {IDS_WG_SIGNAL_NO_LINK, "No Link"},
    {IDS_WG_SIGNAL_POOR, "Poor"},
    {IDS_WG_SIGNAL_FAIR, "Fair"},
    {IDS_WG_SIGNAL_GOOD, "Good"},
    {IDS_WG_SIGNAL_EXCELLENT, "Excellent"},
    {IDS_WG_UNAVAILABLE, "Unavailable"},
    {IDS_WG_SME_NOT_JOINED, "Not Joined"},
    {IDS_WG_SME_JOINED, "Joined"},
    {IDS_WG_SME_AUTHENTICATED, "Authenticated"},
    {IDS_WG_SME_ASSOCIATED, "Associated"},
    {IDS_WG_SME_UNKNOWN, "Unknown"},
    {IDS_WG_MODE_11G_108, "802.11g 108 Mbps"},
    {IDS_WG_POWER_AP_SETTING, "%.0f mW (AP Setting)"},
    {IDS_WG_POWER_MW, "%.0f mW"},
    {IDS_WG_LINK_AUTHENTICATED, "Authenticated"},
    {IDS_WG_LINK_AUTH_FAILED, "Authentication Failed"},
    {IDS_WG_LINK_AUTHENTICATING, "Authenticating..."},
    {IDS_WG_LINK_AUTH_RETRYING, "Authentication Failed, Retrying..."},
    {IDS_WG_RATE_13_5, "13.5 Mbps"},
    {IDS_WG_RATE_27, "27 Mbps"},
    {IDS_WG_RATE_54, "54 Mbps"},
    {IDS_WG_BLANK, " "},
    {IDS_WG_NOT_ASSOCIATED, "Not Associated"},
    {IDS_WG_ASSOCIATED, "Associated"},
    {IDS_WG_INFRASTRUCTURE, "Infrastructure"},
    {IDS_WG_AD_HOC, "Ad Hoc"},
    {IDS_WG_WEP, "WEP"},
    {IDS_WG_CKIP, "CKIP"},
    {IDS_WG_TKIP, "TKIP"},
    {IDS_WG_NONE, "None"},
    {IDS_WG_AES, "AES"},
    {IDS_WG_MMH, "MMH"},
    {IDS_WG_MICHAEL, "Michael"},
    {IDS_WG_FREQUENCY_GHZ, "%.3f GHz"},
};

// The resource chain as every part of the library reads it (OEM, locale and the library's own
// tables), so a replaced table wins; the built-in text when no loaded table has the number.
QString LookUp(uint32_t id) {
    QString text = WgResources::LoadString(id);
    return text.isEmpty() ? WgMonitorText::BuiltIn(id) : text;
}

}  // namespace

QString WgMonitorText::BuiltIn(uint32_t id) {
    for (const BuiltInText& entry : kTexts)
        if (entry.id == id) return QString::fromUtf8(entry.text);
    return {};
}

QString WgMonitorText::Text(uint32_t id) { return LookUp(id); }

bool WgMonitorText::TakesOneNumber(const QString& format, bool real) {
    const QByteArray text = format.toUtf8();
    int conversions = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        ++i;
        if (i < text.size() && text[i] == '%') continue;
        while (i < text.size() && QByteArray("-+ #0").contains(text[i])) ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        if (i < text.size() && text[i] == '.') {
            ++i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        }
        if (i >= text.size()) return false;
        const char conversion = text[i];
        const bool ok = real ? QByteArray("fFeEgG").contains(conversion) : QByteArray("diu").contains(conversion);
        if (!ok) return false;
        ++conversions;
    }
    return conversions == 1;
}

QString WgMonitorText::FormatReal(uint32_t id, double value) {
    QString format = Text(id);
    if (!TakesOneNumber(format, true)) format = BuiltIn(id);
    return QString::asprintf(format.toUtf8().constData(), value);
}

QString WgMonitorText::FormatInteger(uint32_t id, long value) {
    QString format = Text(id);
    if (!TakesOneNumber(format, false)) format = BuiltIn(id);
    return QString::asprintf(format.toUtf8().constData(), static_cast<int>(value));
}
