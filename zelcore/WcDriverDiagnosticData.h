#pragma once
// The driver's diagnostic record (WcAdapterDriver::GetDiagnosticData), 376 bytes, little-endian.
// The adapter monitor reads its fields at fixed byte offsets, so the layout is binding; the
// reserved ranges are left as the driver filled them.
#include <cstddef>
#include <cstdint>

struct WcDriverDiagnosticData {
    uint8_t reserved0[72];
    uint32_t noAckFrames;         // 72: transmit frames that got no acknowledgement
    uint32_t rtsRetries;          // 76: retried RTS frames
    uint8_t reserved80[12];
    uint32_t txRate;              // 92: bit 31 set: Kbps in the low bits; else Mbps, 5 meaning 5.5
    int32_t rssi;                 // 96: dB above the noise floor
    uint32_t crcErrors;           // 100
    uint8_t reserved104[20];
    uint32_t rxRate;              // 124: same encoding as txRate
    uint32_t reserved128;
    uint32_t frequency;           // 132: MHz in the low 16 bits
    uint32_t reserved136;
    uint32_t smeState;            // 140: 0 not joined, 1 joined, 2 authenticated, 3 associated, 4 unknown
    uint32_t reserved144;
    uint8_t bssid[6];             // 148
    char ssid[34];                // 154: 8-bit text ended by a zero byte
    uint32_t cipher;              // 188: WcCipher
    uint32_t networkType;         // 192: 0 infrastructure, 1 ad hoc
    uint8_t reserved196[20];
    uint32_t mediaState;          // 216: 0 connected, non-zero disconnected
    uint32_t regulatoryDomain;    // 220: the domain code in the high 16 bits
    uint8_t reserved224[44];
    uint32_t countryInfo;         // 268: the country's two letters, first in the low byte
    uint32_t reserved272;
    uint32_t signalLevel;         // 276: 0 to 4
    uint32_t channelFlags;        // 280: WcChannelFlags
    uint8_t reserved284[92];
};

static_assert(sizeof(WcDriverDiagnosticData) == 376);
static_assert(offsetof(WcDriverDiagnosticData, noAckFrames) == 72);
static_assert(offsetof(WcDriverDiagnosticData, rtsRetries) == 76);
static_assert(offsetof(WcDriverDiagnosticData, txRate) == 92);
static_assert(offsetof(WcDriverDiagnosticData, rssi) == 96);
static_assert(offsetof(WcDriverDiagnosticData, crcErrors) == 100);
static_assert(offsetof(WcDriverDiagnosticData, rxRate) == 124);
static_assert(offsetof(WcDriverDiagnosticData, frequency) == 132);
static_assert(offsetof(WcDriverDiagnosticData, smeState) == 140);
static_assert(offsetof(WcDriverDiagnosticData, bssid) == 148);
static_assert(offsetof(WcDriverDiagnosticData, ssid) == 154);
static_assert(offsetof(WcDriverDiagnosticData, cipher) == 188);
static_assert(offsetof(WcDriverDiagnosticData, networkType) == 192);
static_assert(offsetof(WcDriverDiagnosticData, mediaState) == 216);
static_assert(offsetof(WcDriverDiagnosticData, regulatoryDomain) == 220);
static_assert(offsetof(WcDriverDiagnosticData, countryInfo) == 268);
static_assert(offsetof(WcDriverDiagnosticData, signalLevel) == 276);
static_assert(offsetof(WcDriverDiagnosticData, channelFlags) == 280);
