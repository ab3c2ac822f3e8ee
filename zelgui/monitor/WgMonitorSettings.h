#pragma once
// A monitor's settings in the user's registry: RefreshInterval, DataDisplay, RSSIUnits (and the
// library's trace switch DebugMode) under the settings key of HKEY_CURRENT_USER.
#include "zelgui/monitor/WgMonitorState.h"

#include <cstdint>
#include <optional>

class WgMonitorSettings {
public:
    // The state for the values found (absent ones keep their defaults): an interval below 10 or
    // above 32767 becomes 5000; the two flags become 0 or 1.
    static WgMonitorState FromValues(std::optional<uint32_t> interval, std::optional<uint32_t> dataDisplay,
                                     std::optional<uint32_t> rssiUnits);
    // Reads the settings key; a missing key or value keeps the default. A present DebugMode turns
    // the library trace on (non-zero) or off.
    static WgMonitorState Load();
    // Writes the three values (the key is created when missing); failures are ignored.
    static void Save(const WgMonitorState& state);
};
