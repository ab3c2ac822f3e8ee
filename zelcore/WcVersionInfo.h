#pragma once
// Component versions of the client API (Zelcore::GetVersionInfo), 48 bytes: six entries of
// four unsigned 16-bit numbers (major, minor, build, revision), little-endian.
#include <cstdint>

struct WcVersionEntry {
    uint16_t major;
    uint16_t minor;
    uint16_t build;
    uint16_t revision;
};

enum WcVersionIndex : uint32_t {
    WC_VERSION_CONFIG_UTILITY = 0,
    WC_VERSION_APP_INTERFACE = 1,
    WC_VERSION_APP_INTERFACE_IMPL = 2,
    WC_VERSION_RESERVED = 3,
    WC_VERSION_AUTH_INTERFACE = 4,
    WC_VERSION_AUTH_DRIVER = 5,
};

struct WcVersionInfo {
    WcVersionEntry entries[6];
};

static_assert(sizeof(WcVersionEntry) == 8);
static_assert(sizeof(WcVersionInfo) == 48);
