#pragma once
// Result of nearly every public operation of the GUI library: 0 success, anything else names the
// failure. Out-values count only on success unless an operation says otherwise.
#include <cstdint>

enum WgStatus : uint32_t {
    WG_SUCCESS = 0,
    WG_INVALID_ARGUMENT = 1,
    WG_FAILURE = 3,
    WG_NO_CARD = 4,
    WG_ITEM_NOT_FOUND = 5,
    WG_SERVICE_ERROR = 6,
    WG_TIMEOUT = 7,
    WG_RESOURCE_NOT_FOUND = 8,
    WG_NULL_POINTER = 9,
    WG_NO_ADAPTER = 10,
    WG_NO_DATA = 11,
    WG_NOT_FOUND = 12,
    WG_SYSTEM_ERROR = 13,
    WG_NO_CERTIFICATE = 17,
};

// The value's name ("WG_NO_ADAPTER"), or "WG_UNKNOWN_STATUS" for a value not listed above.
const char* WgStatusName(uint32_t status);
