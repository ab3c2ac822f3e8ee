// Settings readers: defaults for absent values, range rules, and writes that respect the hive.
#include "tests/registry/RegistryTestSupport.h"
#include "zelgui/services/WgRegKey.h"
#include "zelgui/services/WgSettings.h"

#include <unistd.h>

namespace {

using Hive = RegistryStore::Hive;
using S = WgSettings;

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";

class WgSettingsTest : public RegistryTest {
protected:
    void Settings(Hive hive, const std::string& lines) {
        const std::string root = RegistryStore::RootName(hive);
        WriteHive(hive, kHeader + "[" + root + "\\SOFTWARE\\Kovanta\\Zelvo\\Settings]\n" + lines);
    }
};

const std::vector<S::Dword> kMachine = {
    S::Machine::DebugMode, S::Machine::ShowTray, S::Machine::UseZeroConfig, S::Machine::DisplayHistory,
    S::Machine::UserCreateProfile, S::Machine::UserEditProfile, S::Machine::UserDeleteProfile,
    S::Machine::UserExportProfile, S::Machine::UserImportProfile, S::Machine::EnableProfileManagement,
    S::Machine::UpdateExistingProfile, S::Machine::ForceAutoProfile, S::Machine::LimitTrayFunctionalities,
    S::Machine::DatFileReq, S::Machine::AllowModifyAutoPACSetting, S::Machine::UsePrivateProfiles,
    S::Machine::ActiveSuppType, S::Machine::ShowFastSwitchDialog, S::Machine::Vendor, S::Machine::WModeSelect,
    S::Machine::EnableSIM};
const std::vector<S::Dword> kUser = {
    S::User::InitZelvo, S::User::NoZeroConfigMsg, S::User::PACFilesExist, S::User::DisableOnLAN,
    S::User::DatFileTimeStamp, S::User::VemoPreferences, S::User::NuboHelp, S::User::NuboExit,
    S::User::NuboOpenZelvo, S::User::NuboTroubleshooting, S::User::NuboDisableRadio, S::User::NuboManualLogin,
    S::User::NuboReauthenticate, S::User::NuboSelectProfile, S::User::NuboShowStatus, S::User::NuboDisableOnLAN,
    S::User::NuboPreferences, S::User::RefreshInterval, S::User::DataDisplay, S::User::RSSIUnits,
    S::User::DebugMode};

TEST_F(WgSettingsTest, AbsentKeyOrValueGivesEachDefault) {
    // Defaults as the installation documents them, spelled out so a changed constant is caught.
    const std::vector<DWORD> machineDefaults = {0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0};
    const std::vector<DWORD> userDefaults = {0, 0, 0, 0, 0, 1023, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3000, 1, 1, 0};
    ASSERT_EQ(kMachine.size(), machineDefaults.size());
    ASSERT_EQ(kUser.size(), userDefaults.size());
    for (int pass = 0; pass < 2; ++pass) {
        // First no hive at all, then the key present with an unrelated value.
        if (pass == 1) {
            Settings(Hive::LocalMachine, "\"Other\"=dword:00000007\n");
            Settings(Hive::CurrentUser, "\"Other\"=dword:00000007\n");
        }
        for (size_t i = 0; i < kMachine.size(); ++i) {
            EXPECT_EQ(S::MachineDword(kMachine[i]), machineDefaults[i]) << kMachine[i].name;
            EXPECT_EQ(S::MachineDword(kMachine[i], true), machineDefaults[i]) << kMachine[i].name;
        }
        for (size_t i = 0; i < kUser.size(); ++i) EXPECT_EQ(S::UserDword(kUser[i]), userDefaults[i]) << kUser[i].name;
        EXPECT_EQ(S::RefreshInterval(), 3000u);
        EXPECT_EQ(S::VemoPreferences(), 1023u);
        EXPECT_EQ(S::UserText(S::User::SelectedScanColumns, "1,2,3"), "1,2,3");
    }
}

TEST_F(WgSettingsTest, StoredNumbersAreReadUnderTheirNames) {
    std::string machine;
    std::string user;
    const auto line = [](const char* name, size_t value) {
        char number[16];
        std::snprintf(number, sizeof(number), "%08zx", value);
        return "\"" + std::string(name) + "\"=dword:" + number + "\n";
    };
    for (size_t i = 0; i < kMachine.size(); ++i) machine += line(kMachine[i].name, 0x100 + i);
    for (size_t i = 0; i < kUser.size(); ++i) user += line(kUser[i].name, 0x200 + i);
    Settings(Hive::LocalMachine, machine);
    Settings(Hive::CurrentUser, user);
    for (size_t i = 0; i < kMachine.size(); ++i)
        EXPECT_EQ(S::MachineDword(kMachine[i]), 0x100 + i) << kMachine[i].name;
    for (size_t i = 0; i < kUser.size(); ++i) EXPECT_EQ(S::UserDword(kUser[i]), 0x200 + i) << kUser[i].name;
    // A text where a number belongs counts as absent.
    Settings(Hive::CurrentUser, "\"DataDisplay\"=\"0\"\n");
    EXPECT_EQ(S::UserDword(S::User::DataDisplay), 1u);
}

TEST_F(WgSettingsTest, RangeRulesOfRefreshIntervalAndTrayItems) {
    struct Case {
        std::string stored;
        DWORD refresh;
        DWORD vemo;
    };
    const std::vector<Case> cases = {
        {"", 3000, 1023},
        {"dword:00000005", 5000, 5},
        {"dword:00009c40", 5000, 1023},  // 40000
        {"dword:00000009", 5000, 9},
        {"dword:0000000a", 10, 10},
        {"dword:00007fff", 32767, 1023},
        {"dword:00008000", 5000, 1023},
        {"dword:000003ff", 1023, 1023},
        {"dword:00000400", 1024, 1023},
        {"dword:000007ff", 2047, 1023},
        {"dword:00000000", 5000, 0},
        {"\"3000\"", 3000, 1023},
    };
    for (const Case& c : cases) {
        const std::string lines = c.stored.empty()
                                      ? std::string()
                                      : "\"RefreshInterval\"=" + c.stored + "\n\"VemoPreferences\"=" + c.stored + "\n";
        Settings(Hive::CurrentUser, lines);
        EXPECT_EQ(S::RefreshInterval(), c.refresh) << c.stored;
        EXPECT_EQ(S::VemoPreferences(), c.vemo) << c.stored;
    }
}

TEST_F(WgSettingsTest, MachineValuesStayReadableWithoutWriteAccess) {
    Settings(Hive::LocalMachine, "\"ShowTray\"=dword:00000001\n");
    const std::string before = ReadText(HivePath(Hive::LocalMachine));
    setenv("ZELVO_READONLY_HIVES", "HKLM", 1);
    EXPECT_EQ(S::MachineDword(S::Machine::ShowTray), 1u);
    EXPECT_EQ(S::MachineDword(S::Machine::ShowTray, true), 1u);
    EXPECT_FALSE(S::SetMachineDword(S::Machine::ShowTray.name, 0));
    EXPECT_FALSE(S::SetMachineDword(S::Machine::ShowTray.name, 0, true));
    EXPECT_EQ(ReadText(HivePath(Hive::LocalMachine)), before);
    unsetenv("ZELVO_READONLY_HIVES");
    EXPECT_TRUE(S::SetMachineDword(S::Machine::ShowTray.name, 0));
    EXPECT_EQ(S::MachineDword(S::Machine::ShowTray), 0u);
}

TEST_F(WgSettingsTest, UserWritesCreateTheKeyOnlyWhenAsked) {
    EXPECT_FALSE(S::SetUserDword(S::User::DisableOnLAN.name, 1));
    EXPECT_FALSE(S::SetUserText(S::User::SelectedScanColumns, "7,4"));
    EXPECT_NE(access(HivePath(Hive::CurrentUser).c_str(), F_OK), 0);
    EXPECT_TRUE(S::SetUserDword(S::User::RefreshInterval.name, 1500, true));
    EXPECT_EQ(S::RefreshInterval(), 1500u);
    EXPECT_TRUE(S::SetUserDword(S::User::DisableOnLAN.name, 1));
    EXPECT_EQ(S::UserDword(S::User::DisableOnLAN), 1u);
    EXPECT_TRUE(S::SetUserText(S::User::SelectedScanColumns, "7,4"));
    EXPECT_EQ(S::UserText(S::User::SelectedScanColumns, ""), "7,4");
}

TEST_F(WgSettingsTest, EveryReadSeesTheCurrentFile) {
    Settings(Hive::CurrentUser, "\"RSSIUnits\"=dword:00000000\n");
    EXPECT_EQ(S::UserDword(S::User::RSSIUnits), 0u);
    Settings(Hive::CurrentUser, "\"RSSIUnits\"=dword:00000001\n");
    EXPECT_EQ(S::UserDword(S::User::RSSIUnits), 1u);
}

}  // namespace
