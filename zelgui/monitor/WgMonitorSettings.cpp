#include "zelgui/monitor/WgMonitorSettings.h"

#include "zelgui/services/WgRegKey.h"
#include "zelgui/services/WgSettings.h"
#include "zelgui/services/WgTrace.h"

namespace {

std::optional<uint32_t> ReadDword(WgRegKey& key, const char* name) {
    DWORD value = 0;
    if (key.GetValue(name, &value)) return value;
    return std::nullopt;
}

}  // namespace

WgMonitorState WgMonitorSettings::FromValues(std::optional<uint32_t> interval, std::optional<uint32_t> dataDisplay,
                                             std::optional<uint32_t> rssiUnits) {
    WgMonitorState state;
    // A value that is present but out of range becomes 5000; an absent one stays 3000.
    if (interval) state.SetRefreshInterval(WgSettings::ApplyRefreshIntervalRange(*interval));
    if (dataDisplay) state.SetCumulative(*dataDisplay != 0 ? 1 : 0);
    if (rssiUnits) state.SetDbm(*rssiUnits != 0 ? 1 : 0);
    return state;
}

WgMonitorState WgMonitorSettings::Load() {
    WgRegKey key;
    if (!key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath)) return WgMonitorState();
    const std::optional<uint32_t> interval = ReadDword(key, "RefreshInterval");
    const std::optional<uint32_t> dataDisplay = ReadDword(key, "DataDisplay");
    const std::optional<uint32_t> rssiUnits = ReadDword(key, "RSSIUnits");
    if (const std::optional<uint32_t> debug = ReadDword(key, "DebugMode")) WgSetTrace(*debug != 0);
    key.CloseKey();
    return FromValues(interval, dataDisplay, rssiUnits);
}

void WgMonitorSettings::Save(const WgMonitorState& state) {
    WgRegKey key;
    DWORD disposition = 0;
    if (!key.CreateKey(HKEY_CURRENT_USER, g_szSWRegPath, &disposition)) return;
    key.SetValue("RefreshInterval", DWORD(state.GetRefreshInterval()));
    key.SetValue("DataDisplay", DWORD(state.GetCumulative() ? 1 : 0));
    key.SetValue("RSSIUnits", DWORD(state.GetDbm() ? 1 : 0));
    key.CloseKey();
}
