#pragma once
// Readers and writers of the settings under g_szSWRegPath. Nothing is cached: each call opens the
// key, reads or writes one value and closes it, so another program's change counts at the next read.
#include "platform/RegistryTypes.h"

#include <string>

class WgSettings {
public:
    // A number setting: its value name and the value used when the key or the value is absent.
    struct Dword {
        const char* name;
        DWORD def;
    };

    // Values under HKEY_LOCAL_MACHINE (installation and administrator choices).
    struct Machine {
        static constexpr Dword DebugMode {"DebugMode", 0};
        static constexpr Dword ShowTray {"ShowTray", 0};
        static constexpr Dword UseZeroConfig {"UseZeroConfig", 0};
        static constexpr Dword DisplayHistory {"DisplayHistory", 0};
        static constexpr Dword UserCreateProfile {"UserCreateProfile", 1};
        static constexpr Dword UserEditProfile {"UserEditProfile", 1};
        static constexpr Dword UserDeleteProfile {"UserDeleteProfile", 1};
        static constexpr Dword UserExportProfile {"UserExportProfile", 1};
        static constexpr Dword UserImportProfile {"UserImportProfile", 1};
        static constexpr Dword EnableProfileManagement {"EnableProfileManagement", 1};
        static constexpr Dword UpdateExistingProfile {"UpdateExistingProfile", 1};
        static constexpr Dword ForceAutoProfile {"ForceAutoProfile", 0};
        static constexpr Dword LimitTrayFunctionalities {"LimitTrayFunctionalities", 0};
        static constexpr Dword DatFileReq {"DatFileReq", 0};
        static constexpr Dword AllowModifyAutoPACSetting {"AllowModifyAutoPACSetting", 1};
        static constexpr Dword UsePrivateProfiles {"UsePrivateProfiles", 0};
        static constexpr Dword ActiveSuppType {"ActiveSuppType", 0};
        static constexpr Dword ShowFastSwitchDialog {"ShowFastSwitchDialog", 1};
        static constexpr Dword Vendor {"Vendor", 0};
        static constexpr Dword WModeSelect {"WModeSelect", 0};
        static constexpr Dword EnableSIM {"EnableSIM", 0};
    };

    // Values under HKEY_CURRENT_USER (the user's preferences).
    struct User {
        static constexpr Dword InitZelvo {"InitZelvo", 0};
        static constexpr Dword NoZeroConfigMsg {"NoZeroConfigMsg", 0};
        static constexpr Dword PACFilesExist {"PACFilesExist", 0};
        static constexpr Dword DisableOnLAN {"DisableOnLAN", 0};
        static constexpr Dword DatFileTimeStamp {"DatFileTimeStamp", 0};
        static constexpr Dword VemoPreferences {"VemoPreferences", 1023};
        static constexpr Dword NuboHelp {"NuboHelp", 1};
        static constexpr Dword NuboExit {"NuboExit", 1};
        static constexpr Dword NuboOpenZelvo {"NuboOpenZelvo", 1};
        static constexpr Dword NuboTroubleshooting {"NuboTroubleshooting", 1};
        static constexpr Dword NuboDisableRadio {"NuboDisableRadio", 1};
        static constexpr Dword NuboManualLogin {"NuboManualLogin", 1};
        static constexpr Dword NuboReauthenticate {"NuboReauthenticate", 1};
        static constexpr Dword NuboSelectProfile {"NuboSelectProfile", 1};
        static constexpr Dword NuboShowStatus {"NuboShowStatus", 1};
        static constexpr Dword NuboDisableOnLAN {"NuboDisableOnLAN", 1};
        static constexpr Dword NuboPreferences {"NuboPreferences", 1};
        static constexpr Dword RefreshInterval {"RefreshInterval", 3000};
        static constexpr Dword DataDisplay {"DataDisplay", 1};
        static constexpr Dword RSSIUnits {"RSSIUnits", 1};
        static constexpr Dword DebugMode {"DebugMode", 0};
        // Text values: comma-separated column numbers of the list of networks.
        static constexpr const char* AvailableScanColumns = "AvailableScanColumns";
        static constexpr const char* SelectedScanColumns = "SelectedScanColumns";
    };

    // A RefreshInterval outside 10..32767 is replaced by this.
    static constexpr DWORD REFRESH_INTERVAL_OUT_OF_RANGE = 5000;
    static constexpr DWORD REFRESH_INTERVAL_MIN = 10;
    static constexpr DWORD REFRESH_INTERVAL_MAX = 32767;
    // VemoPreferences of 1024 or more counts as all ten items.
    static constexpr DWORD VEMO_PREFERENCES_ALL = 1023;

    // The stored number, or def when the key or value is absent or not a number. queryOnly opens
    // the machine key for query only.
    static DWORD MachineDword(const char* name, DWORD def, bool queryOnly = false);
    static DWORD MachineDword(const Dword& setting, bool queryOnly = false) {
        return MachineDword(setting.name, setting.def, queryOnly);
    }
    static DWORD UserDword(const char* name, DWORD def);
    static DWORD UserDword(const Dword& setting) { return UserDword(setting.name, setting.def); }

    // The user's text value, or def when absent.
    static std::string UserText(const char* name, const std::string& def);

    // Writers: with createKey the key is created when missing, otherwise a missing or unopenable
    // key skips the write. False when nothing was written (for the machine key, also when the user
    // is not an administrator).
    static bool SetMachineDword(const char* name, DWORD value, bool createKey = false);
    static bool SetUserDword(const char* name, DWORD value, bool createKey = false);
    static bool SetUserText(const char* name, const char* text, bool createKey = false);

    // The monitor's polling period with its range rule applied.
    static DWORD RefreshInterval();
    static DWORD ApplyRefreshIntervalRange(DWORD stored);
    // The offered tray items, cut to the ten that exist.
    static DWORD VemoPreferences();
    static DWORD ApplyVemoPreferencesRange(DWORD stored);
};
