#include "TestRoot.h"
#include "zelcore/sim/SimConfigManager.h"

namespace {

const char kAdminFile[] =
    "ZELVO-ADMIN-CONFIG 1\n"
    "# prepared by the administrator\n"
    "allowAllUsersProfiles = 1\n"
    "autoProfileSelection = 1\n"
    "profile\n"
    "profileName = \"Corp\"\n"
    "ssid[0] = \"corpnet\"\n"
    "securityType = 7\n"
    "wpaMode = 1\n"
    "passphrase = \"corp passphrase\"\n"
    "end profile\n"
    "profile\n"
    "profileName = \"guest\"\n"
    "ssid[0] = \"guestnet\"\n"
    "end profile\n"
    "profile\n"
    "profileName = \"Lab\"\n"
    "end profile\n"
    "end\n";

}  // namespace

using AdminConfig = TestRoot;

TEST_F(AdminConfig, ImportStoresProfilesAndKeepsSettingsAcrossRuns) {
    SimProfileManager store;
    WcProfile* guest = Store(store, "Guest");
    Store(store, "Mine");
    SimConfigManager config(&store);
    WcAdminSettings settings;
    EXPECT_EQ(config.IsConfigReady(0), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(config.GetAdminSettings(WC_ADMIN_SETTINGS_GENERAL, &settings), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(config.ApplyAdminConfig(0), WC_STATUS_NOT_FOUND);

    const std::string path = root_ + "/KovantaAdminConfig.dat";
    WriteAll(path, kAdminFile);
    ASSERT_EQ(config.ImportAdminConfig(path), WC_STATUS_SUCCESS);
    // The administrator's "guest" replaces the user's "Guest" in place; the others are appended.
    EXPECT_EQ(Names(store), (std::vector<std::string>{"guest", "Mine", "Corp", "Lab"}));
    WcProfile* found = nullptr;
    ASSERT_EQ(store.GetProfileByName("guest", &found), WC_STATUS_SUCCESS);
    EXPECT_EQ(found, guest);
    WcProfileData corp;
    ASSERT_EQ(store.GetProfileByName("Corp", &found), WC_STATUS_SUCCESS);
    ASSERT_EQ(found->GetData(&corp), WC_STATUS_SUCCESS);
    WcProfileData expected = SimProfileManager::Defaults();
    expected.profileName = "Corp";
    expected.ssid[0] = "corpnet";
    expected.securityType = WC_SECURITY_PSK;
    expected.wpaMode = 1;
    expected.passphrase = "corp passphrase";
    EXPECT_EQ(corp, expected);

    SimConfigManager nextRun(&store);
    ASSERT_EQ(nextRun.IsConfigReady(0), WC_STATUS_SUCCESS);
    ASSERT_EQ(nextRun.GetAdminSettings(WC_ADMIN_SETTINGS_GENERAL, &settings), WC_STATUS_SUCCESS);
    EXPECT_EQ(settings.formatVersion, 1u);
    EXPECT_EQ(settings.profileCount, 3u);
    EXPECT_EQ(settings.allowAllUsersProfiles, 1u);
    EXPECT_EQ(settings.autoProfileSelection, 1u);
    EXPECT_EQ(nextRun.GetAdminSettings(2, &settings), WC_STATUS_NOT_SUPPORTED);
    EXPECT_EQ(nextRun.ApplyAdminConfig(0), WC_STATUS_NOT_FOUND);  // nothing imported in that run

    // Apply stores the imported profiles again, for instance after the user removed one.
    ASSERT_EQ(store.GetProfileByName("Lab", &found), WC_STATUS_SUCCESS);
    ASSERT_EQ(store.DeleteProfile(found), WC_STATUS_SUCCESS);
    ASSERT_EQ(config.ApplyAdminConfig(0), WC_STATUS_SUCCESS);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"guest", "Mine", "Corp", "Lab"}));
}

TEST_F(AdminConfig, MalformedFilesChangeNothing) {
    const std::string head = "ZELVO-ADMIN-CONFIG 1\n";
    const std::string profile = "profile\nprofileName = \"A\"\nend profile\n";
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"truncated", std::string(kAdminFile).substr(0, sizeof(kAdminFile) / 2)},
        {"no end line", head + profile},
        {"wrong version", "ZELVO-ADMIN-CONFIG 9\n" + profile + "end\n"},
        {"profile file", "ZELVO-PROFILE 1\nprofileName = \"A\"\nend\n"},
        {"unknown setting", head + "bogus = 1\n" + profile + "end\n"},
        {"setting out of range", head + "autoProfileSelection = 2\nend\n"},
        {"names equal ignoring case", head + profile + "profile\nprofileName = \"a\"\nend profile\nend\n"},
        {"block not closed", head + "profile\nprofileName = \"A\"\nend\n"},
        {"nested block", head + "profile\nprofile\nend profile\nend\n"},
        {"block argument", head + "profile x\nprofileName = \"A\"\nend profile\nend\n"},
        {"bad field", head + "profile\nprofileName = \"A\"\nnetworkType = x\nend profile\nend\n"},
        {"nameless profile", head + "profile\nssid[0] = \"x\"\nend profile\nend\n"},
        {"binary", head + std::string(8, '\0') + "end\n"},
        {"oversized", head + std::string(1 << 20, '#') + "\nend\n"},
    };
    SimProfileManager store;
    Store(store, "Mine");
    SimConfigManager config(&store);
    const std::string path = root_ + "/KovantaAdminConfig.dat";
    for (const Case& c : cases) {
        WriteAll(path, c.text);
        EXPECT_EQ(config.ImportAdminConfig(path), WC_STATUS_BAD_FILE) << c.what;
        EXPECT_EQ(Names(store), (std::vector<std::string>{"Mine"})) << c.what;
        EXPECT_EQ(config.IsConfigReady(0), WC_STATUS_NOT_FOUND) << c.what;
    }
    EXPECT_EQ(config.ImportAdminConfig(root_ + "/absent.dat"), WC_STATUS_NOT_FOUND);
    // A file with settings only is a valid configuration.
    WriteAll(path, head + "allowAllUsersProfiles = 0\nend\n");
    EXPECT_EQ(config.ImportAdminConfig(path), WC_STATUS_SUCCESS);
    EXPECT_EQ(config.IsConfigReady(0), WC_STATUS_SUCCESS);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"Mine"}));
}
