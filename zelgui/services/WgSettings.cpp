#include "zelgui/services/WgSettings.h"

#include "zelgui/services/WgRegKey.h"

namespace {

bool OpenForWrite(WgRegKey& key, HKEY root, bool createKey) {
    if (createKey) {
        DWORD disposition = 0;
        return key.CreateKey(root, g_szSWRegPath, &disposition) != 0;
    }
    return key.OpenKey(root, g_szSWRegPath) != 0;
}

}  // namespace

DWORD WgSettings::MachineDword(const char* name, DWORD def, bool queryOnly) {
    WgRegKey key;
    const int opened = queryOnly ? key.OpenKeyForQueryOnly(HKEY_LOCAL_MACHINE, g_szSWRegPath)
                                 : key.OpenKey(HKEY_LOCAL_MACHINE, g_szSWRegPath);
    DWORD value = def;
    if (opened && !key.GetValue(name, &value)) value = def;
    return value;
}

DWORD WgSettings::UserDword(const char* name, DWORD def) {
    WgRegKey key;
    DWORD value = def;
    if (key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath) && !key.GetValue(name, &value)) value = def;
    return value;
}

std::string WgSettings::UserText(const char* name, const std::string& def) {
    WgRegKey key;
    std::string value;
    if (key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath) && key.GetValue(name, value)) return value;
    return def;
}

bool WgSettings::SetMachineDword(const char* name, DWORD value, bool createKey) {
    WgRegKey key;
    return OpenForWrite(key, HKEY_LOCAL_MACHINE, createKey) && key.SetValue(name, value);
}

bool WgSettings::SetUserDword(const char* name, DWORD value, bool createKey) {
    WgRegKey key;
    return OpenForWrite(key, HKEY_CURRENT_USER, createKey) && key.SetValue(name, value);
}

bool WgSettings::SetUserText(const char* name, const char* text, bool createKey) {
    WgRegKey key;
    return OpenForWrite(key, HKEY_CURRENT_USER, createKey) && key.SetValue(name, text);
}

DWORD WgSettings::ApplyRefreshIntervalRange(DWORD stored) {
    return stored < REFRESH_INTERVAL_MIN || stored > REFRESH_INTERVAL_MAX ? REFRESH_INTERVAL_OUT_OF_RANGE : stored;
}

DWORD WgSettings::RefreshInterval() {
    WgRegKey key;
    DWORD value = 0;
    if (key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath) && key.GetValue(User::RefreshInterval.name, &value))
        return ApplyRefreshIntervalRange(value);
    return User::RefreshInterval.def;
}

DWORD WgSettings::ApplyVemoPreferencesRange(DWORD stored) {
    return stored > VEMO_PREFERENCES_ALL ? VEMO_PREFERENCES_ALL : stored;
}

DWORD WgSettings::VemoPreferences() { return ApplyVemoPreferencesRange(UserDword(User::VemoPreferences)); }
