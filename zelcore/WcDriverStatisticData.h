#pragma once
// The driver's statistics records (WcAdapterDriver::GetStatistics, GetStatistics2), little-endian
// with binding layouts: the adapter monitor copies the first by byte ranges into its counter table.
#include <cstddef>
#include <cstdint>

// 360 bytes. Bytes 0..71 become the monitor's counters 0..8, bytes 72..167 its counters 12..23.
struct WcDriverStatisticData {
    uint64_t txFramesOk;          // 0
    uint64_t txMulticast;         // 8
    uint64_t txBroadcast;         // 16
    uint64_t txUnicast;           // 24
    uint64_t txBytes;             // 32
    uint64_t txErrors;            // 40
    uint64_t txRetried;           // 48
    uint64_t txDropped;           // 56
    uint64_t txRts;               // 64
    uint64_t rxFramesOk;          // 72
    uint64_t rxMulticast;         // 80
    uint64_t rxBroadcast;         // 88
    uint64_t rxUnicast;           // 96
    uint64_t rxBytes;             // 104
    uint64_t rxBeacons;           // 112
    uint64_t rxEncryptionErrors;  // 120
    uint64_t rxDuplicates;        // 128
    uint64_t txCts;               // 136
    uint64_t authRejects;         // 144
    uint64_t assocRejects;        // 152
    uint64_t rxErrors;            // 160
    uint8_t reserved168[192];
};

static_assert(sizeof(WcDriverStatisticData) == 360);
static_assert(offsetof(WcDriverStatisticData, txRts) == 64);
static_assert(offsetof(WcDriverStatisticData, rxFramesOk) == 72);
static_assert(offsetof(WcDriverStatisticData, rxErrors) == 160);

// 248 bytes; the fields past 48 are the driver's own.
struct WcDriverStatisticData2 {
    uint32_t dataRateMismatches;  // 0
    uint32_t apMismatches;        // 4
    uint32_t assocTimeouts;       // 8
    uint32_t authTimeouts;        // 12
    uint64_t ckipMicErrors;       // 16
    uint64_t ckipMicOk;           // 24
    uint64_t micErrors;           // 32
    uint64_t micOk;               // 40
    uint8_t reserved48[200];
};

static_assert(sizeof(WcDriverStatisticData2) == 248);
static_assert(offsetof(WcDriverStatisticData2, authTimeouts) == 12);
static_assert(offsetof(WcDriverStatisticData2, ckipMicErrors) == 16);
static_assert(offsetof(WcDriverStatisticData2, micOk) == 40);
