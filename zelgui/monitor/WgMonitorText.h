#pragma once
// Display texts of the adapter monitor's getters, by string number, and the filling of the
// monitor's format texts. A format text that does not take exactly the one number it is given
// falls back to the built-in text, so a replaced table can move the number but never break it.
#include <QString>

#include <cstdint>

enum WgMonitorTextId : uint32_t {
    IDS_WG_UNKNOWN = 16,
    IDS_WG_MODE_5GHZ_108 = 18,
    IDS_WG_MODE_5GHZ_54 = 19,
    IDS_WG_MODE_11G_54 = 20,
    IDS_WG_MODE_11B_11 = 21,
    IDS_WG_SCANNING = 22,
    IDS_WG_RATE_MBPS = 23,
    IDS_WG_BAND_49GHZ = 24,
    IDS_WG_RATE_KBPS = 25,
    IDS_WG_SIGNAL_NO_LINK = 26,
    IDS_WG_SIGNAL_POOR = 27,
    IDS_WG_SIGNAL_FAIR = 28,
    IDS_WG_SIGNAL_GOOD = 29,
    IDS_WG_SIGNAL_EXCELLENT = 30,
    IDS_WG_UNAVAILABLE = 31,
    IDS_WG_SME_NOT_JOINED = 32,
    IDS_WG_SME_JOINED = 33,
    IDS_WG_SME_AUTHENTICATED = 34,
    IDS_WG_SME_ASSOCIATED = 35,
    IDS_WG_SME_UNKNOWN = 36,
    IDS_WG_MODE_11G_108 = 37,
    IDS_WG_POWER_AP_SETTING = 38,
    IDS_WG_POWER_MW = 39,
    IDS_WG_LINK_AUTHENTICATED = 40,
    IDS_WG_LINK_AUTH_FAILED = 41,
    IDS_WG_LINK_AUTHENTICATING = 42,
    IDS_WG_LINK_AUTH_RETRYING = 43,
    IDS_WG_RATE_13_5 = 45,
    IDS_WG_RATE_27 = 46,
    IDS_WG_RATE_54 = 47,
    IDS_WG_BLANK = 51,
    IDS_WG_NOT_ASSOCIATED = 52,
    IDS_WG_ASSOCIATED = 53,
    IDS_WG_INFRASTRUCTURE = 54,
    IDS_WG_AD_HOC = 55,
    IDS_WG_WEP = 57,
    IDS_WG_CKIP = 60,
    IDS_WG_TKIP = 61,
    IDS_WG_NONE = 62,
    IDS_WG_AES = 63,
    IDS_WG_MMH = 64,
    IDS_WG_MICHAEL = 65,
    IDS_WG_FREQUENCY_GHZ = 5186,
};

class WgMonitorText {
public:
    // The text of string number id; an unknown number gives an empty text.
    static QString Text(uint32_t id);
    // The built-in English text, whatever the resource libraries say.
    static QString BuiltIn(uint32_t id);
    // Format text id filled with one floating value ("%.1f Mbps") or one integer ("%d Kbps").
    static QString FormatReal(uint32_t id, double value);
    static QString FormatInteger(uint32_t id, long value);

    // True when format holds exactly one conversion and it takes a floating value (real) or an
    // int (not real); "%%" is allowed anywhere. Used to refuse a replaced text that would read
    // an argument it is not given.
    static bool TakesOneNumber(const QString& format, bool real);
};
