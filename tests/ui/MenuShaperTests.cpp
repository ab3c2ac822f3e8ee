// Shaping of the main window's menus each time they open.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "UiFixture.h"
#include "platform/ResourceMenuBuilder.h"
#include "wmapp/WmMainMenuShaper.h"
#include "zelcore/WcProfileData.h"

using MenuShaper = UiTest;

namespace {

WmMenuContext RadioOn(int32_t security = WC_SECURITY_LEAP, bool manualPrompt = true) {
    WmMenuContext c;
    c.productName = "Zelvo";
    c.hasActiveProfile = true;
    c.securityType = security;
    c.manualPrompt = manualPrompt;
    c.radioRead = true;
    c.radioState = 0;
    c.apsRead = true;
    c.apsOn = false;
    return c;
}

}  // namespace

TEST_F(MenuShaper, ItemsByRadioSecurityAndSettings) {
    // Items looked at: radio, display, scan list, client software, reauthenticate, manual login.
    const unsigned ids[] = {ID_ACTION_RADIO, ID_OPTIONS_DISPLAY, ID_OPTIONS_SCAN_LIST, ID_OPTIONS_CLIENT_SOFTWARE,
                            ID_ACTION_REAUTHENTICATE, ID_ACTION_MANUAL_LOGIN};
    struct Case {
        const char* name;
        std::function<void(WmMenuContext&)> edit;
        bool enabled[6];
        const char* radioText;  // null: the menu's own text
    };
    const Case cases[] = {
        {"radio on, LEAP with prompt", [](WmMenuContext&) {}, {1, 1, 1, 1, 1, 1}, "Disable &Radio"},
        {"EAP-FAST with prompt", [](WmMenuContext& c) { c.securityType = WC_SECURITY_EAP_FAST; }, {1, 1, 1, 1, 1, 1},
         "Disable &Radio"},
        {"LEAP without prompt", [](WmMenuContext& c) { c.manualPrompt = false; }, {1, 1, 1, 1, 1, 0}, "Disable &Radio"},
        {"PEAP: reauthenticate only", [](WmMenuContext& c) { c.securityType = WC_SECURITY_PEAP_GTC; },
         {1, 1, 1, 1, 1, 0}, "Disable &Radio"},
        {"pre-shared key", [](WmMenuContext& c) { c.securityType = WC_SECURITY_PSK; }, {1, 1, 1, 1, 0, 0},
         "Disable &Radio"},
        {"no active profile", [](WmMenuContext& c) { c = WmMenuContext{.productName = "Zelvo", .radioRead = true, .radioState = 0, .apsRead = true}; },
         {1, 1, 1, 1, 0, 0}, "Disable &Radio"},
        // Manual login follows its own final rule, whatever automatic selection says.
        {"automatic selection on", [](WmMenuContext& c) { c.apsOn = true; }, {1, 1, 1, 1, 0, 1}, "Disable &Radio"},
        {"automatic selection unreadable", [](WmMenuContext& c) { c.apsRead = false; }, {1, 1, 1, 1, 0, 1},
         "Disable &Radio"},
        {"radio off by software", [](WmMenuContext& c) { c.radioState = 1; }, {1, 0, 0, 0, 0, 0}, "Enable &Radio"},
        {"radio off by hardware", [](WmMenuContext& c) { c.radioState = 2; }, {0, 0, 0, 0, 0, 0}, "Enable &Radio"},
        {"radio off by both", [](WmMenuContext& c) { c.radioState = 3; }, {0, 0, 0, 0, 0, 0}, "Enable &Radio"},
        {"radio unreadable", [](WmMenuContext& c) { c.radioRead = false; c.radioState = -1; }, {0, 0, 0, 0, 0, 0},
         nullptr},
        {"disable on LAN", [](WmMenuContext& c) { c.disableOnLAN = 1; }, {0, 1, 1, 1, 1, 1}, "Disable &Radio"},
        {"another vendor's tool in control", [](WmMenuContext& c) { c.activeSuppType = 2; }, {1, 1, 1, 1, 0, 0},
         "Disable &Radio"},
    };
    for (const Case& c : cases) {
        WmMenuContext context = RadioOn();
        c.edit(context);
        const WmMainMenuShaper shape = WmMainMenuShaper::Shape(context);
        for (size_t i = 0; i < std::size(ids); ++i)
            EXPECT_EQ(shape.IsEnabled(ids[i], true), c.enabled[i]) << c.name << ", item " << ids[i];
        EXPECT_EQ(shape.Text(ID_ACTION_RADIO, "menu"), c.radioText ? QString(c.radioText) : QString("menu")) << c.name;
        EXPECT_TRUE(shape.IsPresent(ID_ACTION_RADIO)) << c.name;
    }
}

TEST_F(MenuShaper, VendorTrayTextAndProductNameOnTheMenuBar) {
    ResourceMenu menu;
    ASSERT_TRUE(ResourceChain::Instance().LoadMenu(129, menu));
    QMenuBar bar;
    ResourceMenuBuilder::FillBar(&bar, menu);

    WmMenuContext c = RadioOn(WC_SECURITY_PSK);
    c.trayEnabled = true;
    c.vendor = 3;
    WmMainMenuShaper::Shape(c).Apply(&bar);
    QMenu* action = bar.actions().at(0)->menu();
    ASSERT_NE(action, nullptr);
    QAction* radio = ResourceMenuBuilder::FindCommand(action, ID_ACTION_RADIO);
    ASSERT_NE(radio, nullptr);
    EXPECT_FALSE(radio->isVisible());  // vendor 3: no radio item
    ASSERT_NE(ResourceMenuBuilder::FindCommand(action, ID_ACTION_TRAY_ICON), nullptr);
    EXPECT_EQ(ResourceMenuBuilder::FindCommand(action, ID_ACTION_TRAY_ICON)->text(), "Disable &Tray Icon");
    EXPECT_FALSE(ResourceMenuBuilder::FindCommand(action, ID_ACTION_REAUTHENTICATE)->isEnabled());
    EXPECT_TRUE(ResourceMenuBuilder::FindCommand(action, ID_ACTION_EXIT)->isEnabled());
    QMenu* help = bar.actions().at(2)->menu();
    EXPECT_EQ(ResourceMenuBuilder::FindCommand(help, ID_HELP_ABOUT)->text(), "&About Zelvo");

    // Shaping again on the next opening gives the same texts (the product name is in place).
    c.trayEnabled = false;
    c.vendor = 0;
    c.radioState = 1;
    WmMainMenuShaper::Shape(c).Apply(&bar);
    EXPECT_EQ(ResourceMenuBuilder::FindCommand(help, ID_HELP_ABOUT)->text(), "&About Zelvo");
    EXPECT_EQ(ResourceMenuBuilder::FindCommand(action, ID_ACTION_TRAY_ICON)->text(), "Enable &Tray Icon");
    EXPECT_TRUE(radio->isVisible());
    EXPECT_EQ(radio->text(), "Enable &Radio");
    QMenu* options = bar.actions().at(1)->menu();
    EXPECT_FALSE(ResourceMenuBuilder::FindCommand(options, ID_OPTIONS_DISPLAY)->isEnabled());
}

using MenuShaperSim = SimUiTest;

TEST_F(MenuShaperSim, ContextFromTheAdapter) {
    WcProfile* home = HomeProfile();
    ASSERT_TRUE(Connect(home));
    ASSERT_TRUE(WgSettings::SetMachineDword("Vendor", 3, true));
    ASSERT_TRUE(WgSettings::SetUserDword("DisableOnLAN", 1, true));
    WmMenuContext c = WmMainMenuShaper::Gather(*m_source, false, true, false);
    EXPECT_TRUE(c.hasActiveProfile);
    EXPECT_EQ(c.securityType, WC_SECURITY_PSK);
    EXPECT_TRUE(c.radioRead);
    EXPECT_EQ(c.radioState, 0);
    EXPECT_TRUE(c.apsRead);
    EXPECT_EQ(c.vendor, 3u);
    EXPECT_EQ(c.disableOnLAN, 1u);
    EXPECT_EQ(c.productName, "Zelvo");

    SimControl::FailNext("WcAdapterDriver::GetRadioState", WC_STATUS_FAILURE, SimControl::kForever);
    c = WmMainMenuShaper::Gather(*m_source, false, true, false);
    EXPECT_FALSE(c.radioRead);
    EXPECT_FALSE(WmMainMenuShaper::Shape(c).IsEnabled(ID_OPTIONS_DISPLAY));
}
