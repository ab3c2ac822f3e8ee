#include "zelgui/monitor/WgStatus.h"

const char* WgStatusName(uint32_t status) {
    switch (status) {
    case WG_SUCCESS: return "WG_SUCCESS";
    case WG_INVALID_ARGUMENT: return "WG_INVALID_ARGUMENT";
    case WG_FAILURE: return "WG_FAILURE";
    case WG_NO_CARD: return "WG_NO_CARD";
    case WG_ITEM_NOT_FOUND: return "WG_ITEM_NOT_FOUND";
    case WG_SERVICE_ERROR: return "WG_SERVICE_ERROR";
    case WG_TIMEOUT: return "WG_TIMEOUT";
    case WG_RESOURCE_NOT_FOUND: return "WG_RESOURCE_NOT_FOUND";
    case WG_NULL_POINTER: return "WG_NULL_POINTER";
    case WG_NO_ADAPTER: return "WG_NO_ADAPTER";
    case WG_NO_DATA: return "WG_NO_DATA";
    case WG_NOT_FOUND: return "WG_NOT_FOUND";
    case WG_SYSTEM_ERROR: return "WG_SYSTEM_ERROR";
    case WG_NO_CERTIFICATE: return "WG_NO_CERTIFICATE";
    default: return "WG_UNKNOWN_STATUS";
    }
}
