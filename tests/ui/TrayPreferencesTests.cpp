// The tray preferences: stored flags, the offered items, first-run rules, the Preferences dialog
// and the autostart entry.
#include <QListWidget>

#include "UiFixture.h"
#include "wmapp/WmTrayPreferences.h"
#include "wmapp/WmTrayPreferencesDlg.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

QStringList DialogItems(WmTrayPreferencesDlg& dlg) {
    QStringList items;
    for (int row = 0; row < dlg.ItemCount(); ++row)
        items << dlg.ItemText(row) + (dlg.IsItemChecked(row) ? " [x]" : "");
    return items;
}

}  // namespace

using TrayPreferences = UiTest;

TEST_F(TrayPreferences, OfferedItemsByMask) {
    const struct {
        DWORD mask;  // ~0: no value stored
        QStringList items;
    } cases[] = {
        {~0u, {"Help [x]", "Exit [x]", "Open Zelvo [x]", "Disable Radio [x]", "Manual Login [x]", "Reauthenticate [x]",
               "Select Profile [x]", "Show Connection Status [x]", "Disable WLAN if LAN is Connected [x]"}},
        {0, {}},
        {0x3, {"Help [x]", "Exit [x]"}},
        {0x208, {"Disable WLAN if LAN is Connected [x]"}},  // Troubleshooting needs the driver's OEM features
        {1024, {"Help [x]", "Exit [x]", "Open Zelvo [x]", "Disable Radio [x]", "Manual Login [x]", "Reauthenticate [x]",
                "Select Profile [x]", "Show Connection Status [x]", "Disable WLAN if LAN is Connected [x]"}},
        {0xFFFFFFFF, {"Help [x]", "Exit [x]", "Open Zelvo [x]", "Disable Radio [x]", "Manual Login [x]",
                      "Reauthenticate [x]", "Select Profile [x]", "Show Connection Status [x]",
                      "Disable WLAN if LAN is Connected [x]"}},
    };
    for (const auto& c : cases) {
        if (c.mask != ~0u) {
            ASSERT_TRUE(WgSettings::SetUserDword("VemoPreferences", c.mask, true));
        }
        WmTrayPreferences preferences(nullptr);
        WmTrayPreferencesDlg dlg(&preferences);
        dlg.OnInitDialog();
        EXPECT_EQ(DialogItems(dlg), c.items) << c.mask;
        // Offered or not, every item keeps its own shown flag for the menu.
        EXPECT_TRUE(preferences.IsShown(WmTrayPreferences::ITEM_EXIT)) << c.mask;
    }
    EXPECT_EQ(WgSettings::UserDword("NuboTroubleshooting", 1), 0u);  // no OEM features: hidden for good once stored
}

TEST_F(TrayPreferences, LookupsAndStoredFlags) {
    ASSERT_TRUE(WgSettings::SetUserDword("NuboReauthenticate", 0, true));
    WmTrayPreferences preferences(nullptr);
    EXPECT_EQ(preferences.Count(), 11);
    EXPECT_FALSE(preferences.IsShown(WmTrayPreferences::ITEM_REAUTHENTICATE));
    EXPECT_EQ(preferences.FindByText("show connection STATUS"), WmTrayPreferences::ITEM_SHOW_STATUS);
    EXPECT_EQ(preferences.FindByText("Open Zelvo"), WmTrayPreferences::ITEM_OPEN);
    EXPECT_EQ(preferences.FindByText("nothing"), -1);
    EXPECT_EQ(preferences.FindByCommand(32781), WmTrayPreferences::PREFERENCES);
    EXPECT_EQ(preferences.FindByCommand(0), -1);
    EXPECT_FALSE(preferences.SetItemShown(11, false));

    EXPECT_TRUE(preferences.SetItemShown(WmTrayPreferences::ITEM_REAUTHENTICATE, true));
    EXPECT_EQ(WgSettings::UserDword("NuboReauthenticate", 7), 1u);
    EXPECT_TRUE(preferences.SetItemShown(WmTrayPreferences::PREFERENCES, false));
    EXPECT_EQ(WgSettings::UserDword("NuboPreferences", 7), 0u);
}

TEST_F(TrayPreferences, OnlyTheUsersChoiceMakesTheSettingsKey) {
    WmTrayPreferences preferences(nullptr);  // no OEM features: Troubleshooting hidden, key not made
    EXPECT_FALSE(preferences.IsShown(WmTrayPreferences::ITEM_TROUBLESHOOTING));
    EXPECT_EQ(WgSettings::UserDword("NuboTroubleshooting", 7), 7u);
    EXPECT_FALSE(preferences.SetItemShown(WmTrayPreferences::ITEM_HELP, false));  // skipped, kept for this run
    EXPECT_FALSE(preferences.IsShown(WmTrayPreferences::ITEM_HELP));
    EXPECT_EQ(WgSettings::UserDword("NuboHelp", 7), 7u);
    EXPECT_TRUE(preferences.SetItemShown(WmTrayPreferences::ITEM_EXIT, false, true));
    EXPECT_EQ(WgSettings::UserDword("NuboExit", 7), 0u);
}

class FirstRun : public SimUiTest {};

TEST_F(FirstRun, LimitedTrayHidesOpenAndStoresTheOfferedMask) {
    ASSERT_TRUE(WgSettings::SetUserDword("InitZelvo", 1, true));
    ASSERT_TRUE(WgSettings::SetMachineDword("LimitTrayFunctionalities", 1, true));
    ASSERT_TRUE(WgSettings::SetMachineDword("Vendor", 3, true));
    WmTrayPreferences preferences(m_source.get());
    EXPECT_FALSE(preferences.IsShown(WmTrayPreferences::ITEM_OPEN));
    EXPECT_EQ(WgSettings::UserDword("NuboOpenZelvo", 7), 0u);
    EXPECT_EQ(WgSettings::UserDword("VemoPreferences", 7), 0x3FBu);  // all but Open
    EXPECT_FALSE(preferences.ItemAt(WmTrayPreferences::ITEM_OPEN)->offered);
    EXPECT_FALSE(preferences.ItemAt(WmTrayPreferences::ITEM_RADIO)->offered);  // vendor 3
    EXPECT_TRUE(preferences.IsShown(WmTrayPreferences::ITEM_RADIO));
}

TEST_F(FirstRun, NotFirstRunLeavesTheMaskAlone) {
    ASSERT_TRUE(WgSettings::SetMachineDword("LimitTrayFunctionalities", 1, true));
    WmTrayPreferences preferences(m_source.get());
    EXPECT_TRUE(preferences.IsShown(WmTrayPreferences::ITEM_OPEN));
    EXPECT_EQ(WgSettings::UserDword("VemoPreferences", 7), 7u);
}

TEST_F(FirstRun, ChangedAdministratorFileMarksTheFirstRun) {
    { std::ofstream(m_root + "/app/KovantaAdminConfig.dat") << "changed"; }
    SimControl::ResetCounts();
    { WmTrayPreferences without(m_source.get()); }  // not asked for: the file is not looked at
    EXPECT_EQ(SimControl::CallCount("WcConfigManager::ImportAdminConfig"), 0u);
    EXPECT_EQ(WgSettings::UserDword("InitZelvo", 7), 7u);

    ASSERT_TRUE(WgSettings::SetMachineDword("DatFileReq", 1, true));
    ASSERT_TRUE(WgSettings::SetMachineDword("LimitTrayFunctionalities", 1, true));
    WmTrayPreferences preferences(m_source.get());
    EXPECT_EQ(SimControl::CallCount("WcConfigManager::ImportAdminConfig"), 1u);
    // A user without settings yet: first run, so the administrator's tray limit applies.
    EXPECT_EQ(WgSettings::UserDword("InitZelvo", 7), 1u);
    EXPECT_FALSE(preferences.IsShown(WmTrayPreferences::ITEM_OPEN));
}

using PreferencesDialog = UiTest;

TEST_F(PreferencesDialog, OkStoresChecksAndAutostart) {
    WmTrayPreferences preferences(nullptr);
    WmTrayPreferencesDlg dlg(&preferences);
    dlg.OnInitDialog();
    EXPECT_EQ(dlg.Caption(), "System Tray Utility Preferences");
    EXPECT_FALSE(dlg.IsChecked(WmTrayPreferencesDlg::IDC_AUTOSTART));
    ASSERT_EQ(dlg.ItemText(1), "Exit");
    ASSERT_TRUE(dlg.SetItemChecked(1, false));
    ASSERT_TRUE(dlg.SetChecked(WmTrayPreferencesDlg::IDC_AUTOSTART, true));
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(WgSettings::UserDword("NuboExit", 7), 0u);
    EXPECT_EQ(WgSettings::UserDword("NuboHelp", 7), 7u);  // unchanged items write nothing
    EXPECT_FALSE(preferences.IsShown(WmTrayPreferences::ITEM_EXIT));

    const std::string file = m_root + "/autostart/zelvo.desktop";
    EXPECT_EQ(WmTrayPreferences::AutostartFile(), file);
    const std::string entry = ReadFile(file);
    EXPECT_NE(entry.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(entry.find("Exec=\"" + m_root + "/app/Zelvo\" -nogui\n"), std::string::npos) << entry;

    // Opening again shows what was stored; switching autostart off removes the entry.
    WmTrayPreferences again(nullptr);
    WmTrayPreferencesDlg second(&again);
    second.OnInitDialog();
    EXPECT_TRUE(second.IsChecked(WmTrayPreferencesDlg::IDC_AUTOSTART));
    EXPECT_FALSE(second.IsItemChecked(1));
    second.SetChecked(WmTrayPreferencesDlg::IDC_AUTOSTART, false);
    second.OnOK();
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(PreferencesDialog, CancelStoresNothing) {
    WmTrayPreferences preferences(nullptr);
    WmTrayPreferencesDlg dlg(&preferences);
    dlg.OnInitDialog();
    dlg.SetItemChecked(0, false);
    dlg.SetChecked(WmTrayPreferencesDlg::IDC_AUTOSTART, true);
    dlg.OnCancel();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(WgSettings::UserDword("NuboHelp", 7), 7u);
    EXPECT_TRUE(preferences.IsShown(WmTrayPreferences::ITEM_HELP));
    EXPECT_FALSE(std::filesystem::exists(m_root + "/autostart"));
}

TEST_F(PreferencesDialog, AutostartEntryQuotesThePath) {
    const struct {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/opt/zelvo/Zelvo", "Exec=\"/opt/zelvo/Zelvo\" -nogui\n"},
        {"/home/a b/Zelvo", "Exec=\"/home/a b/Zelvo\" -nogui\n"},
        {"/x/100%/Zelvo", "Exec=\"/x/100%%/Zelvo\" -nogui\n"},
        {"/x/$HOME/\"q\"/Zelvo", "Exec=\"/x/\\\\$HOME/\\\\\"q\\\\\"/Zelvo\" -nogui\n"},
    };
    for (const auto& c : cases) {
        const std::string entry = WmTrayPreferences::AutostartEntry(c.path, "Zelvo\nInjected=1");
        EXPECT_NE(entry.find(c.exec), std::string::npos) << entry;
        EXPECT_EQ(entry.find("\nInjected=1"), std::string::npos);  // a name never adds a line
    }
}

TEST_F(PreferencesDialog, UnwritableAutostartFolderKeepsTheOldState) {
    // A file where the folder should be: the entry cannot be written.
    { std::ofstream(m_root + "/autostart") << "x"; }
    WmTrayPreferences preferences(nullptr);
    EXPECT_FALSE(preferences.SetAutostart(true));
    EXPECT_FALSE(preferences.IsAutostart());
    EXPECT_NE(Trace().find("WmTrayPreferences::SetAutostart() Failed to write"), std::string::npos);
}

TEST_F(PreferencesDialog, EveryOpeningStartsFromWhatIsStored) {
    WmTrayPreferences preferences(nullptr);
    WmTrayPreferencesDlg dlg(&preferences);
    dlg.show();
    ASSERT_TRUE(dlg.IsItemChecked(0));
    dlg.SetItemChecked(0, false);
    dlg.OnCancel();
    dlg.show();  // opened again: the cancelled change is gone
    EXPECT_TRUE(dlg.IsItemChecked(0));
    dlg.SetItemChecked(0, false);
    dlg.OnOK();
    dlg.show();
    EXPECT_FALSE(dlg.IsItemChecked(0));
    EXPECT_EQ(WgSettings::UserDword("NuboHelp", 7), 0u);
    dlg.hide();
}
