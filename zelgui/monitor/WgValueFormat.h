#pragma once
// The rules that turn the adapter's raw values into display texts and numbers. Pure functions of
// their arguments, so the monitor's getters only pick the values out of the snapshot.
#include "zelgui/monitor/WgStatus.h"

#include <QString>

#include <cstdint>

// Regulatory domains the library tells apart (GetRegulatoryDomain).
enum WgRegulatoryDomain : uint32_t {
    WG_REGDOMAIN_NONE = 0,
    WG_REGDOMAIN_FCC = 1,
    WG_REGDOMAIN_ETSI = 2,
    WG_REGDOMAIN_JAPAN = 3,
    WG_REGDOMAIN_OTHER = 4,
};

class WgValueFormat {
public:
    // Transmit or receive rate: bit 31 set means Kbps in the other bits, else whole Mbps with 5
    // standing for 5.5.
    static QString RateText(uint32_t rate);
    // Wireless mode from the frequency (MHz) and the channel flags.
    static QString WirelessModeText(uint32_t frequency, uint32_t channelFlags);
    // "2.437 GHz" for 2437.
    static QString FrequencyText(uint32_t frequency);
    // Band code handed to the client API's channel conversion.
    static uint32_t BandCode(uint32_t frequency);
    // The channel shown: above 5000 MHz always (f - 5000) / 5, else the client API's answer.
    static uint32_t ShownChannel(uint32_t frequency, uint32_t clientChannel);
    // The channel the scanning test compares between cycles (its own formula, unsigned).
    static uint32_t ScanChannel(uint32_t frequency);
    // "H:MM:SS" style up time: "%H:%M:%S", or "%D, %H:%M:%S" from one day on. A negative time
    // (a driver fault) is shown as 0.
    static QString UpTimeText(int32_t seconds);
    // "00-11-22-AA-BB-CC"; the broadcast address gives the blank text.
    static QString BssidText(const uint8_t bssid[6]);
    // The network name of at most 32 bytes, ended early by a zero byte when there is one. Valid
    // UTF-8 is read as such, anything else byte by byte as Latin-1, so no name is lost.
    static QString NetworkNameText(const uint8_t* ssid, size_t maxBytes);
    // Transmit power in mW; apSetting marks a power chosen by the access point.
    static QString TransmitPowerText(double milliwatts, bool apSetting);

    // String numbers for the small value sets (IDS_WG_BLANK where nothing is shown).
    static uint32_t SignalStrengthId(uint32_t level);
    static uint32_t NetworkTypeId(uint32_t networkType);
    static uint32_t CipherId(uint32_t cipher);
    static uint32_t MicAlgorithmId(uint32_t mic);
    static uint32_t SmeStateId(uint32_t sme);
    // Link status text for an adapter state; unknown is set for a state outside the table.
    static uint32_t LinkStatusId(uint32_t adapterState, bool* unknown);
    // Whether an adapter state means the server based authentication has succeeded.
    static bool IsAuthenticatedState(uint32_t adapterState);

    // Domain code (high 16 bits of the diagnostic field) to domain; WG_NOT_FOUND with 0 otherwise.
    static WgStatus RegulatoryDomain(uint32_t code, WgRegulatoryDomain* domain);
};
