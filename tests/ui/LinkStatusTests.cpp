// The Current Status page: the bar rules as tables, and the page's values on the simulated
// adapter in each situation a user meets.
#include <QProgressBar>

#include "UiFixture.h"
#include "wmapp/WmLinkStatusModel.h"
#include "wmapp/WmLinkStatusPage.h"
#include "zelgui/monitor/WgAdapterMonitor.h"

using M = WmLinkStatusModel;

TEST(LinkStatusBar, RssiToPercentFollowsTheFormula) {
    const struct {
        long rssi;
        int percent;
    } cases[] = {{-40, 0}, {-1, 0}, {0, 0}, {4, 30}, {9, 67}, {10, 75}, {20, 88}, {29, 99}, {30, 100}, {35, 100}};
    for (const auto& c : cases) EXPECT_EQ(M::RssiToPercent(c.rssi), c.percent) << "rssi " << c.rssi;
}

TEST(LinkStatusBar, ColourAndPositionByLevelAndMode) {
    const struct {
        int32_t mode;
        uint32_t level;
        long rssi;
        int previousPosition;
        uint32_t previousColour;
        int position;
        uint32_t colour;
    } cases[] = {
        {1, 0, 35, 50, M::GREEN, 0, M::GREEN},        // level 0 keeps the colour
        {1, 1, 35, 50, M::GREEN, 20, M::RED},
        {1, 2, 35, 50, M::GREEN, 47, M::YELLOW},      // mode 1: the level decides, not the RSSI
        {1, 3, 0, 50, M::RED, 67, M::GREEN},
        {1, 4, 0, 50, M::RED, 100, M::GREEN},
        {1, 5, 0, 50, M::RED, 50, M::RED},             // unknown level: nothing changes
        {2, 1, 9, 10, M::DEFAULT_COLOUR, 67, M::RED},  // other modes: the RSSI decides
        {0, 4, 35, 10, M::DEFAULT_COLOUR, 100, M::GREEN},
        {2, 0, 0, 70, M::YELLOW, 0, M::YELLOW},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(M::BarPosition(c.mode, c.level, c.rssi, c.previousPosition), c.position)
            << "mode " << c.mode << " level " << c.level;
        EXPECT_EQ(M::BarColour(c.level, c.previousColour), c.colour) << "level " << c.level;
    }
}

TEST(LinkStatusBar, RadioTextAndLabel) {
    const struct {
        int32_t state;
        unsigned text;
        bool label;
    } cases[] = {{-1, 119, false}, {0, 119, false}, {1, 117, true}, {2, 116, true}, {3, 118, true}, {4, 119, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(M::RadioTextId(c.state), c.text) << c.state;
        EXPECT_EQ(M::RadioLabelShown(c.state), c.label) << c.state;
    }
}

using LinkStatusPage = SimUiTest;

TEST_F(LinkStatusPage, AssociatedWpa2LinkShowsEveryValue) {
    ASSERT_TRUE(Connect(HomeProfile()));
    WmLinkStatusPage page(m_source.get());
    page.RefreshPage();
    const WmLinkStatusView& v = page.Model().View();
    EXPECT_EQ(v.profileName, "Home");
    EXPECT_EQ(v.linkStatus, "Authenticated");
    EXPECT_EQ(v.networkType, "Infrastructure");
    EXPECT_EQ(v.encryption, "AES");
    EXPECT_EQ(v.serverAuthentication, "None");  // a passphrase network has no server
    EXPECT_TRUE(v.wirelessMode.startsWith("802.11")) << v.wirelessMode.toStdString();
    EXPECT_FALSE(v.channel.trimmed().isEmpty());
    EXPECT_TRUE(QStringList({"Poor", "Fair", "Good", "Excellent"}).contains(v.signalWord)) << v.signalWord.toStdString();
    EXPECT_FALSE(v.ipAddress.isEmpty());
    EXPECT_TRUE(v.advancedEnabled);
    EXPECT_FALSE(v.radioLabelVisible);
    EXPECT_NE(v.barColour, M::DEFAULT_COLOUR);  // a level colours the bar

    // What the window shows is what the model worked out, control by control.
    EXPECT_EQ(page.Caption(), "Current Status");
    EXPECT_EQ(page.ControlText(1131), "Profile Name:");
    EXPECT_EQ(page.ControlText(1046), "Server Based Authentication:");
    EXPECT_EQ(page.ControlText(WmLinkStatusPage::IDC_PROFILE_NAME), "Home");
    EXPECT_EQ(page.ControlText(WmLinkStatusPage::IDC_LINK_STATUS), "Authenticated");
    EXPECT_EQ(page.ControlText(WmLinkStatusPage::IDC_IP_ADDRESS), v.ipAddress);
    EXPECT_EQ(page.ControlText(WmLinkStatusPage::IDC_SIGNAL_WORD), v.signalWord);
    EXPECT_EQ(page.SignalBar()->value(), v.barPosition);
    EXPECT_TRUE(page.IsControlEnabled(WmLinkStatusPage::IDC_ADVANCED));
    EXPECT_FALSE(page.IsControlVisible(WmLinkStatusPage::IDC_RADIO_LABEL));
    EXPECT_FALSE(page.IsControlVisible(WmLinkStatusPage::IDC_RADIO_STATE));
}

TEST_F(LinkStatusPage, DisconnectedAdapterShowsNoLink) {
    m_source->RunMonitorCycle();
    WmLinkStatusPage page(m_source.get());
    page.RefreshPage();
    const WmLinkStatusView& v = page.Model().View();
    EXPECT_EQ(v.linkStatus, "Not Associated");
    EXPECT_EQ(v.signalWord, "No Link");
    EXPECT_EQ(v.barPosition, 0);
    EXPECT_EQ(v.barColour, M::DEFAULT_COLOUR);  // nothing coloured it
    EXPECT_EQ(v.serverAuthentication, "");
    EXPECT_EQ(v.profileName, "Unavailable");    // no active profile to name
    EXPECT_EQ(v.ipAddress, "");
    EXPECT_TRUE(v.advancedEnabled);
}

TEST_F(LinkStatusPage, LinkLostKeepsBarColourAndServerText) {
    ASSERT_TRUE(Connect(HomeProfile()));
    WmLinkStatusModel model;
    model.Refresh(*m_source);
    const uint32_t colour = model.View().barColour;
    ASSERT_NE(colour, M::DEFAULT_COLOUR);
    SimControl::FailNext("WcAdapterConfig::GetActiveProfileName", WC_STATUS_FAILURE, SimControl::kForever);
    model.Refresh(*m_source);
    EXPECT_EQ(model.View().serverAuthentication, "None");  // unreadable: the text shown stays
    EXPECT_EQ(model.View().profileName, "Unavailable");
    SimControl::ClearFailures();

    ASSERT_TRUE(SetRadio(1));
    model.Refresh(*m_source);
    EXPECT_EQ(model.View().barPosition, 0);
    EXPECT_EQ(model.View().barColour, colour);  // the colour is never reset
    EXPECT_EQ(model.View().serverAuthentication, "");
}

TEST_F(LinkStatusPage, RadioSwitchedOffInSoftware) {
    ASSERT_TRUE(Connect(HomeProfile()));
    ASSERT_TRUE(SetRadio(1));
    WmLinkStatusPage page(m_source.get());
    page.RefreshPage();
    const WmLinkStatusView& v = page.Model().View();
    EXPECT_FALSE(v.advancedEnabled);
    EXPECT_EQ(v.ipAddress, "");
    EXPECT_EQ(v.profileName, "");
    EXPECT_EQ(v.radioState, "Software Disabled");
    EXPECT_TRUE(v.radioLabelVisible);
    EXPECT_TRUE(page.IsControlVisible(WmLinkStatusPage::IDC_RADIO_LABEL));
    EXPECT_TRUE(page.IsControlVisible(WmLinkStatusPage::IDC_RADIO_STATE));
    EXPECT_FALSE(page.IsControlEnabled(WmLinkStatusPage::IDC_ADVANCED));
    EXPECT_EQ(page.ControlText(WmLinkStatusPage::IDC_RADIO_STATE), "Software Disabled");
}

TEST_F(LinkStatusPage, ProfileUnavailableWhileAnotherSoftwareControlsTheAdapter) {
    ASSERT_TRUE(Connect(HomeProfile()));
    WmLinkStatusModel model;
    m_source->SetZeroConfigEnabled(true);
    model.Refresh(*m_source);
    EXPECT_EQ(model.View().profileName, "Unavailable");
    EXPECT_EQ(model.View().linkStatus, "Authenticated");  // everything else still shows
    EXPECT_FALSE(model.View().ipAddress.isEmpty());

    m_source->SetZeroConfigEnabled(false);
    ASSERT_TRUE(WgSettings::SetMachineDword("ActiveSuppType", 2, true));
    model.Refresh(*m_source);
    EXPECT_EQ(model.View().profileName, "Unavailable");
}

using LinkStatusNoAdapter = NoAdapterUiTest;

TEST_F(LinkStatusNoAdapter, NothingToShow) {
    ASSERT_FALSE(m_source->HasAdapter());
    WmLinkStatusPage page(m_source.get());
    page.RefreshPage();
    const WmLinkStatusView& v = page.Model().View();
    EXPECT_EQ(v.linkStatus, "");
    EXPECT_EQ(v.channel, "");
    EXPECT_EQ(v.signalWord, "No Link");
    EXPECT_EQ(v.barPosition, 0);
    EXPECT_FALSE(v.advancedEnabled);
    EXPECT_EQ(v.profileName, "");
    EXPECT_EQ(v.radioState, " ");
    EXPECT_FALSE(v.radioLabelVisible);
}

using LinkStatusText = UiTest;

TEST_F(LinkStatusText, ServerBasedAuthentication) {
    WmStatusSourceClient names(nullptr);  // the security type names of the string table
    auto typeText = [&](int32_t type) { return names.AuthenticationTypeText(type); };
    const struct {
        const char* name;
        int authenticated, associated;
        std::optional<int32_t> type;
        const char* text;
    } cases[] = {
        {"authenticated, PSK", 1, 1, WC_SECURITY_PSK, "None"},
        {"authenticated, LEAP", 1, 1, WC_SECURITY_LEAP, "LEAP"},
        {"authenticated, EAP-TLS", 1, 1, WC_SECURITY_EAP_TLS, "EAP-TLS"},
        {"authenticated, unreadable profile keeps the text", 1, 1, std::nullopt, "before"},
        {"associated, host based EAP", 0, 1, WC_SECURITY_HOST_BASED_EAP, "Host Based EAP"},
        {"associated, LEAP", 0, 1, WC_SECURITY_LEAP, "None"},
        {"associated, no profile", 0, 1, std::nullopt, "None"},
        {"neither", 0, 0, WC_SECURITY_LEAP, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(M::ServerAuthenticationText(c.authenticated, c.associated, c.type, "before", typeText), c.text)
            << c.name;
}

TEST(LinkStatusHelp, TopicsByControl) {
    const struct {
        int control;
        unsigned topic;
    } cases[] = {{1131, 394240}, {1132, 394240}, {1143, 394244}, {1144, 394247}, {1046, 394583},
                 {1161, 394584}, {1176, 394248}, {1047, 0},      {1145, 0}};
    for (const auto& c : cases) EXPECT_EQ(WmLinkStatusPage::HelpTopic(c.control), c.topic) << c.control;
}
