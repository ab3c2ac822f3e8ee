#pragma once
// Names of adapter states and of adapter event statuses, and the history text of an event, as the
// trace and the Events History show them.
#include <cstdint>
#include <string>

class WmEventNames {
public:
    // "WC_ADAPTER_STATE_CONNECTED" and so on; null for a value without a name (902 included).
    static const char* AdapterStateName(uint32_t state);
    // True for the event types the client API defines (1, 2, 4, 8, 16, 32, 64).
    static bool IsKnownType(uint32_t type);
    // The name of status within type's list; "Unknown" for an unknown type or a status past the list.
    static const char* StatusName(uint32_t type, uint32_t status);
    // The history line: the status name, followed by ": " and the extra text when there is one.
    static std::string HistoryText(const char* statusName, const char* extra);
};
