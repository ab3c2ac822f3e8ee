// The tray menu: menu 149 shaped by the link, the profiles and the user's menu preferences.
#include <QMenu>

#include "UiFixture.h"
#include "platform/FakeTrayIcon.h"
#include "platform/ResourceMenuBuilder.h"
#include "wmapp/WmTrayIcon.h"
#include "wmapp/WmTrayMenu.h"
#include "wmapp/WmTrayPreferences.h"

class TrayMenu : public UiTest {
protected:
    static WmTrayMenuInput Input() {
        WmTrayMenuInput in;
        in.menu.productName = "Zelvo";
        in.menu.hasActiveProfile = true;
        in.menu.securityType = WC_SECURITY_PSK;
        in.menu.radioRead = true;
        in.menu.radioState = 0;
        in.menu.apsRead = true;
        in.hasAdapterConfig = true;
        in.autoProfileCount = 2;
        in.profiles = {{"Home", false, true}, {"Office", false, true}};
        in.activeProfileName = "Home";
        return in;
    }

    QStringList Lines(const WmTrayMenuInput& in, std::vector<std::string>* names = nullptr) {
        ResourceMenu resource;
        EXPECT_TRUE(ResourceChain::Instance().LoadMenu(149, resource));
        WmTrayPreferences preferences(nullptr);
        QMenu menu;
        WmTrayMenu::Fill(&menu, WmTrayMenu::Build(resource, in, preferences, names));
        return FakeTrayIcon::Describe(&menu);
    }

    static QStringList Full() {
        return {"E&xit", "-", "&Open Zelvo...", "-", "&Preferences...", "-", "Disable &Radio", "Manual &Login (off)",
                "Rea&uthenticate (off)", "-", "Show Connection Status *", "Select Profile",
                "  Use Auto Profile Selection", "  -", "  Home [x]", "  Office", "Select &Client Software",
                "  Zelvo [x]", "  Windows", "-", "Disable WLAN if LAN is Connected"};
    }
};

TEST_F(TrayMenu, AllItemsWithTheRadioOn) {
    std::vector<std::string> names;
    EXPECT_EQ(Lines(Input(), &names), Full());
    EXPECT_EQ(names, (std::vector<std::string> {"Home", "Office"}));
}

TEST_F(TrayMenu, ByLinkAndProfiles) {
    struct Case {
        const char* name;
        std::function<void(WmTrayMenuInput&)> edit;
        std::function<void(QStringList&)> expect;  // applied to the full menu
    };
    auto replace = [](QStringList& l, const char* from, const char* to) {
        const qsizetype at = l.indexOf(from);
        ASSERT_GE(at, 0) << from;
        l[at] = to;
    };
    const Case cases[] = {
        {"radio off: choices grayed", [](WmTrayMenuInput& in) { in.menu.radioState = 1; },
         [&](QStringList& l) {
             replace(l, "Disable &Radio", "Enable &Radio");
             replace(l, "  Use Auto Profile Selection", "  Use Auto Profile Selection (off)");
             replace(l, "  Home [x]", "  Home [x] (off)");
             replace(l, "  Office", "  Office (off)");
             replace(l, "  Zelvo [x]", "  Zelvo [x] (off)");
             replace(l, "  Windows", "  Windows (off)");
         }},
        {"vendor 3: no radio item, Open is the default", [](WmTrayMenuInput& in) { in.menu.vendor = 3; },
         [&](QStringList& l) {
             // Without the radio item the submenus go in one place further down, after the separator.
             l = QStringList {"E&xit", "-", "&Open Zelvo... *", "-", "&Preferences...", "-", "Manual &Login (off)",
                              "Rea&uthenticate (off)", "-", "Show Connection Status", "-", "Select Profile",
                              "  Use Auto Profile Selection", "  -", "  Home [x]", "  Office",
                              "Select &Client Software", "  Zelvo [x]", "  Windows", "Disable WLAN if LAN is Connected"};
         }},
        {"automatic selection on", [](WmTrayMenuInput& in) { in.menu.apsOn = true; },
         [&](QStringList& l) {
             replace(l, "  Use Auto Profile Selection", "  Use Auto Profile Selection [x]");
             replace(l, "  Home [x]", "  Home");
         }},
        {"one profile: no automatic selection item",
         [](WmTrayMenuInput& in) {
             in.autoProfileCount = 1;
             in.profiles.pop_back();
         },
         [&](QStringList& l) {
             l.removeAll("  Use Auto Profile Selection");
             l.removeAll("  -");
             l.removeAll("  Office");
         }},
        {"host based EAP: no automatic selection item, reauthenticate",
         [](WmTrayMenuInput& in) { in.menu.securityType = WC_SECURITY_HOST_BASED_EAP; },
         [&](QStringList& l) {
             l.removeAll("  Use Auto Profile Selection");
             l.removeAll("  -");
             replace(l, "Rea&uthenticate (off)", "Rea&uthenticate");
         }},
        {"LEAP with prompt: login and reauthenticate",
         [](WmTrayMenuInput& in) {
             in.menu.securityType = WC_SECURITY_LEAP;
             in.menu.manualPrompt = true;
         },
         [&](QStringList& l) {
             replace(l, "Manual &Login (off)", "Manual &Login");
             replace(l, "Rea&uthenticate (off)", "Rea&uthenticate");
         }},
        {"a disabled profile, names compared exactly",
         [](WmTrayMenuInput& in) {
             in.profiles[1].disabled = true;
             in.activeProfileName = "home";
         },
         [&](QStringList& l) {
             replace(l, "  Office", "  Office (Disabled)");
             replace(l, "  Home [x]", "  Home");
         }},
        {"no adapter configuration: empty profile submenu", [](WmTrayMenuInput& in) { in.hasAdapterConfig = false; },
         [&](QStringList& l) {
             l.removeAll("  Use Auto Profile Selection");
             l.removeAll("  -");
             l.removeAll("  Home [x]");
             l.removeAll("  Office");
         }},
        {"disable on LAN", [](WmTrayMenuInput& in) { in.menu.disableOnLAN = 1; },
         [&](QStringList& l) {
             replace(l, "Disable &Radio", "Disable &Radio (off)");
             replace(l, "Disable WLAN if LAN is Connected", "Disable WLAN if LAN is Connected [x]");
         }},
        {"radio toggle running", [](WmTrayMenuInput& in) { in.menu.radioToggleBusy = true; },
         [&](QStringList& l) {
             replace(l, "Disable &Radio", "Disable &Radio (off)");
             replace(l, "&Open Zelvo...", "&Open Zelvo... (off)");
         }},
        {"Windows in control", [](WmTrayMenuInput& in) { in.menu.activeSuppType = 1; },
         [&](QStringList& l) {
             replace(l, "  Zelvo [x]", "  Zelvo");
             replace(l, "  Windows", "  Windows [x]");
         }},
    };
    for (const Case& c : cases) {
        WmTrayMenuInput in = Input();
        c.edit(in);
        QStringList expected = Full();
        c.expect(expected);
        EXPECT_EQ(Lines(in), expected) << c.name;
    }
}

TEST_F(TrayMenu, ByPreferences) {
    const struct {
        const char* value;
        std::vector<int> gone;  // positions in the full menu of the lines that disappear
    } cases[] = {
        {"NuboPreferences", {4, 5}},
        {"NuboExit", {0, 1}},  // and the separator left at the top
        {"NuboDisableRadio", {6}},
        {"NuboSelectProfile", {11, 12, 13, 14, 15}},
        {"NuboDisableOnLAN", {19, 20}},  // and the separator left at the bottom
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WgSettings::SetUserDword(c.value, 0, true));
        QStringList expected = Full();
        for (auto it = c.gone.rbegin(); it != c.gone.rend(); ++it) expected.removeAt(*it);
        if (std::string(c.value) == "NuboSelectProfile") {
            // The client software submenu goes after the separator; no other separator is lost.
            expected = QStringList {"E&xit", "-", "&Open Zelvo...", "-", "&Preferences...", "-", "Disable &Radio",
                                    "Manual &Login (off)", "Rea&uthenticate (off)", "-", "Show Connection Status *", "-",
                                    "Select &Client Software", "  Zelvo [x]", "  Windows",
                                    "Disable WLAN if LAN is Connected"};
        }
        EXPECT_EQ(Lines(Input()), expected) << c.value;
        ASSERT_TRUE(WgSettings::SetUserDword(c.value, 1, true));
    }
}

TEST(TrayMenuCommands, ProfileByCommand) {
    const std::vector<std::string> names = {"Home", "Office"};
    const struct {
        unsigned command;
        bool found;
        const char* name;
    } cases[] = {{32900, true, "Home"}, {32901, true, "Office"}, {32902, false, ""}, {32899, false, ""},
                 {33302, false, ""}};
    for (const auto& c : cases) {
        std::string name;
        EXPECT_EQ(WmTrayMenu::ProfileForCommand(names, c.command, name), c.found) << c.command;
        EXPECT_EQ(name, c.name) << c.command;
    }
}

TEST_F(TrayMenu, ShowConnectionStatusHiddenMakesOpenTheDefault) {
    ASSERT_TRUE(WgSettings::SetUserDword("NuboShowStatus", 0, true));
    const QStringList lines = Lines(Input());
    EXPECT_TRUE(lines.contains("&Open Zelvo... *"));
    EXPECT_FALSE(lines.contains("Show Connection Status"));
    ASSERT_TRUE(WgSettings::SetUserDword("NuboOpenZelvo", 0, true));
    EXPECT_FALSE(Lines(Input()).join("").contains("*"));  // no default action left
}

using TrayMenuSim = SimUiTest;

TEST_F(TrayMenuSim, OpensFromTheTrayWithTheStoredProfiles) {
    WcProfile* home = HomeProfile("Home");
    HomeProfile("Spare");
    WcProfile* other = HomeProfile("Other");
    WcProfileData data;
    ASSERT_EQ(other->GetData(&data), WC_STATUS_SUCCESS);
    data.ownerScope = WC_OWNER_SCOPE_PRIVATE;  // another user's: not usable here
    data.ownerUserName = "somebody-else";
    ASSERT_EQ(other->SetData(&data), WC_STATUS_SUCCESS);
    ASSERT_TRUE(Connect(home));
    WmTrayPreferences preferences(m_source.get());
    auto* fake = new FakeTrayIcon;
    WmTrayIcon tray(m_source.get(), &preferences, std::unique_ptr<TrayIcon>(fake));
    std::vector<std::string> names;
    tray.SetMenuBuilder([&](QMenu* menu) {
        EXPECT_TRUE(WmTrayMenu::BuildMenu(menu, *m_source, preferences, true, false, &names));
    });
    std::vector<unsigned> commands;
    tray.SetCommandHandler([&](unsigned id) { commands.push_back(id); });

    const QStringList lines = fake->OpenMenu();
    EXPECT_TRUE(lines.contains("  Home [x]")) << lines.join("|").toStdString();
    EXPECT_TRUE(lines.contains("  Spare"));
    EXPECT_TRUE(lines.contains("  Other (Disabled)"));
    EXPECT_EQ(names, (std::vector<std::string> {"Home", "Spare", "Other"}));

    // Choosing an item hands its command to the window.
    QAction* spare = ResourceMenuBuilder::FindCommand(fake->Menu(), ID_TRAY_PROFILE_FIRST + 1);
    ASSERT_NE(spare, nullptr);
    spare->trigger();
    EXPECT_EQ(commands, (std::vector<unsigned> {ID_TRAY_PROFILE_FIRST + 1}));
}
