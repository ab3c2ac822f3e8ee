#pragma once
// Status values of the client API. 0 is success; out-values count only on success.
#include <cstdint>

using WcStatus = uint32_t;

enum : WcStatus {
    WC_STATUS_SUCCESS = 0,
    WC_STATUS_FAILURE = 1,
    WC_STATUS_INVALID_ARGUMENT = 2,
    WC_STATUS_END_OF_LIST = 3,      // a "next" operation ran past the last item
    WC_STATUS_NOT_SUPPORTED = 4,
    WC_STATUS_NOT_FOUND = 5,
    WC_STATUS_NOT_CONNECTED = 6,
    WC_STATUS_BAD_FILE = 7,         // a file to import is malformed, truncated or of another version
    WC_STATUS_BUFFER_TOO_SMALL = 8,
    WC_STATUS_BUSY = 9,
    WC_STATUS_NOT_AVAILABLE = 254,  // the adapter has no such identifier
    WC_STATUS_STORAGE_ERROR = 256,
    WC_STATUS_STORAGE_ERROR_READ = 257,
    WC_STATUS_STORAGE_ERROR_WRITE = 258,
    WC_STATUS_PROFILE_EXISTS = 261, // a profile of that name is already stored
};
