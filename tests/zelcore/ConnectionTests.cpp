// Activating profiles: the steps of a connection and their events, refusals with the fitting
// error, networks out of range, automatic selection, and the radio switches.
#include "ZelcoreFixture.h"
#include "zelcore/WcDriverTypes.h"

namespace {

// The connection's own events; store changes (type 2) come whenever a test stores a profile.
std::vector<RecordedEvent> LinkEvents(const std::vector<RecordedEvent>& events) {
    std::vector<RecordedEvent> out;
    for (const auto& e : events)
        if (e.type != WC_EVENT_APS_STATUS) out.push_back(e);
    return out;
}

std::vector<std::pair<uint32_t, uint32_t>> TypesAndStatuses(const std::vector<RecordedEvent>& events) {
    std::vector<std::pair<uint32_t, uint32_t>> out;
    for (const auto& e : events) out.push_back({e.type, e.status});
    return out;
}

}  // namespace

TEST_F(QuickWorldTest, RightPassphraseAssociatesAuthenticatesGetsAnAddressAndConnects) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    ASSERT_EQ(manager->RegisterForEvents(&managerSink, WC_NOTIFY_ADAPTER_STATE_CHANGE), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));

    const std::vector<std::pair<uint32_t, uint32_t>> expected = {
        {WC_EVENT_ASSOCIATE_STATUS, WC_ASSOCIATE_STATUS_CONNECTED},
        {WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_IN_PROGRESS},
        {WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_SUCCESS},
        {WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_START},
        {WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_SUCCESS},
        {WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED},
    };
    const auto events = LinkEvents(sink.events.Items());
    EXPECT_EQ(TypesAndStatuses(events), expected);
    ASSERT_EQ(events.size(), expected.size());
    EXPECT_FALSE(events[0].extra.has_value());
    EXPECT_EQ(events[4].extra.value_or(""), "192.168.1.100");
    EXPECT_EQ(events[5].extra.value_or(""), "Home");

    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DHCP_SUCCESS));
    WuIp6Address ip;
    ASSERT_EQ(adapter->GetIPAddress(&ip), WC_STATUS_SUCCESS);
    EXPECT_EQ(ip.ToString(), "192.168.1.100");
    std::string active;
    ASSERT_EQ(config->GetActiveProfileName(&active), WC_STATUS_SUCCESS);
    EXPECT_EQ(active, "Home");
    WcAPInfo ap;
    ASSERT_EQ(driver->GetAPInfo(&ap), WC_STATUS_SUCCESS);
    EXPECT_EQ(ap.name, "HomeNet-AP");
    EXPECT_EQ(ap.ipAddress.ToString(), "192.168.1.1");
    EXPECT_TRUE(managerSink.WaitForFlag(WC_NOTIFY_ADAPTER_STATE_CHANGE));
}

TEST_F(QuickWorldTest, OpenNetworkConnectsWithoutAnAuthenticationStep) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Cafe", [](WcProfileData& d) { d.ssid = {"CafeFree", "", ""}; });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    for (const auto& e : sink.events.Items()) EXPECT_NE(e.type, uint32_t(WC_EVENT_AUTH_STATUS));
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_CONNECTED));
}

TEST_F(QuickWorldTest, ProfileWithoutNetworkNamesJoinsTheStrongestNetworkItFits) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Default", [](WcProfileData& d) { d.ssid = {"", "", ""}; });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    std::string ssid;
    ASSERT_EQ(driver->GetSSID(&ssid), WC_STATUS_SUCCESS);
    EXPECT_EQ(ssid, "CafeFree");  // the only open infrastructure network in range
}

// A refused secret ends in the fitting error and leaves the adapter without a link.
TEST_F(QuickWorldTest, WrongSecretFailsAuthenticationWithTheFittingError) {
    struct Case {
        const char* name;
        std::function<void(WcProfileData&)> edit;
        uint32_t error;
    };
    const Case cases[] = {
        {"WrongPsk", [](WcProfileData& d) { Psk(d, "HomeNet", "not the passphrase"); }, WC_AUTH_ERROR_WPAPSK_KEY},
        {"WrongEapPassword",
         [](WcProfileData& d) {
             d.ssid = {"CorpWLAN", "", ""};
             d.securityType = WC_SECURITY_PEAP_MSCHAPV2;
             d.wpaMode = 1;
             d.userName = "alice";
             d.password = "guess";
         },
         WC_AUTH_ERROR_USERNAME_PASSWORD},
        {"WrongEapUser",
         [](WcProfileData& d) {
             d.ssid = {"CorpWLAN", "", ""};
             d.securityType = WC_SECURITY_EAP_TTLS;
             d.wpaMode = 1;
             d.userName = "mallory";
             d.password = "s3cret!";
         },
         WC_AUTH_ERROR_USERNAME_PASSWORD},
    };
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sink.events.Clear();
        WcProfile* p = MakeProfile(c.name, c.edit);
        ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
        ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_AUTH_ERROR, c.error));
        EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_FAILED));
        EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_ASSOCIATE_STATUS, WC_ASSOCIATE_STATUS_DISCONNECTED));
        EXPECT_FALSE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED, 100));
        EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_AUTH_FAILED));
        WcDriverDiagnosticData d{};
        ASSERT_EQ(driver->GetDiagnosticData(&d), WC_STATUS_SUCCESS);
        EXPECT_NE(d.mediaState, 0u);
    }
}

TEST_F(QuickWorldTest, RightEapCredentialsConnect) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Corp", [](WcProfileData& d) {
        d.ssid = {"", "Other", "CorpWLAN"};
        d.securityType = WC_SECURITY_PEAP_GTC;
        d.wpaMode = 1;
        d.userName = "alice";
        d.password = "s3cret!";
    });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DHCP_SUCCESS));
}

// A static WEP key that does not match associates but never gets an address.
TEST_F(QuickWorldTest, WrongWepKeyGetsNoAddress) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Lab", [](WcProfileData& d) {
        d.ssid = {"OldLab", "", ""};
        d.securityType = WC_SECURITY_PSK;
        d.wpaMode = 0;
        d.txKeyIndex = 1;
        d.wepKey[0].key = "0000000000";
    });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_DHCP_STATUS, WC_DHCP_STATUS_FAILED));
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DHCP_FAILED));
}

TEST_F(QuickWorldTest, NetworkOutOfRangeLeavesTheAdapterDisconnectedUntilItComesBack) {
    SimWorld world = QuickWorld();
    for (auto& ap : world.accessPoints)
        if (ap.ssid == "HomeNet") ap.inRange = false;
    WriteWorld(world);
    ASSERT_TRUE(SimControl::ReloadWorld());
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_ASSOCIATE_STATUS, WC_ASSOCIATE_STATUS_DISCONNECTED));
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DISCONNECTED));
    EXPECT_NE(LinkEvents(sink.events.Items()).front().extra.value_or("").find("HomeNet"), std::string::npos);
    WcAPInfo info;
    EXPECT_EQ(driver->GetAPInfo(&info), WC_STATUS_NOT_CONNECTED);

    // Back in range (the file as an editor would change it): the adapter finds it by itself.
    WriteWorld(QuickWorld());
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    // Out again: the link goes down.
    WriteWorld(world);
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_DISCONNECTED));
    EXPECT_TRUE(WaitForState(WC_ADAPTER_STATE_DISCONNECTED));
}

TEST_F(QuickWorldTest, AutomaticSelectionFallsBackToTheNextProfileOfTheList) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* wrong = MakeProfile("First", [](WcProfileData& d) { Psk(d, "HomeNet", "stale passphrase"); });
    WcProfile* away = MakeProfile("Second", [](WcProfileData& d) { Psk(d, "NotHere", "whatever123"); });
    WcProfile* good = MakeProfile("Third", [](WcProfileData& d) { Psk(d, "FastLane5", "velocity rules"); });
    WcProfile* list[] = {wrong, away, good};
    ASSERT_EQ(config->SetAutoProfileList(list, 3), WC_STATUS_SUCCESS);
    uint32_t count = 0;
    ASSERT_EQ(config->GetAutoProfileCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 3u);
    std::string name;
    ASSERT_EQ(config->GetAutoProfileName(2, &name), WC_STATUS_SUCCESS);
    EXPECT_EQ(name, "Third");
    EXPECT_EQ(config->GetAutoProfileName(3, &name), WC_STATUS_INVALID_ARGUMENT);

    ASSERT_EQ(config->SetAPSActive(1), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    std::vector<std::string> tried;
    for (const auto& e : sink.events.Items())
        if (e.type == WC_EVENT_APS_STATUS && e.status == WC_APS_STATUS_ACTIVATE_PROFILE) tried.push_back(e.extra.value_or(""));
    EXPECT_EQ(tried, (std::vector<std::string>{"First", "Second", "Third"}));
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_AUTH_ERROR, WC_AUTH_ERROR_WPAPSK_KEY, 0));
    ASSERT_EQ(config->GetActiveProfileName(&name), WC_STATUS_SUCCESS);
    EXPECT_EQ(name, "Third");
}

TEST_F(QuickWorldTest, RadioSwitchesDropTheLinkAndReportTheirState) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));

    ASSERT_EQ(driver->SetRadioState(WC_RADIO_OFF_SOFTWARE), WC_STATUS_SUCCESS);
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_DISCONNECTED));
    uint32_t radio = 0;
    ASSERT_EQ(driver->GetRadioState(&radio), WC_STATUS_SUCCESS);
    EXPECT_EQ(radio, uint32_t(WC_RADIO_OFF_SOFTWARE));
    std::vector<WcBSSID> list{WcBSSID{}};
    ASSERT_EQ(driver->GetBSSIDList(&list), WC_STATUS_SUCCESS);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(driver->RefreshBSSISList(), WC_STATUS_NOT_AVAILABLE);
    EXPECT_EQ(driver->SetRadioState(WC_RADIO_OFF_HARDWARE), WC_STATUS_INVALID_ARGUMENT);

    // The hardware switch comes from the world; both together read 3.
    SimWorld world = QuickWorld();
    world.adapters[0].hardwareRadioOff = true;
    WriteWorld(world);
    ASSERT_TRUE(SimControl::ReloadWorld());
    ASSERT_EQ(driver->GetRadioState(&radio), WC_STATUS_SUCCESS);
    EXPECT_EQ(radio, uint32_t(WC_RADIO_OFF_BOTH));

    // Switching on under the hardware switch is refused and changes nothing.
    sink.events.Clear();
    EXPECT_EQ(driver->SetRadioState(WC_RADIO_ON), WC_STATUS_NOT_AVAILABLE);
    ASSERT_EQ(driver->GetRadioState(&radio), WC_STATUS_SUCCESS);
    EXPECT_EQ(radio, uint32_t(WC_RADIO_OFF_BOTH));

    // Hardware switch on: the software switch still holds the radio off.
    WriteWorld(QuickWorld());
    ASSERT_TRUE(SimControl::ReloadWorld());
    ASSERT_EQ(driver->GetRadioState(&radio), WC_STATUS_SUCCESS);
    EXPECT_EQ(radio, uint32_t(WC_RADIO_OFF_SOFTWARE));
    EXPECT_FALSE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED, 300));

    // Both on: the adapter goes back to the active profile's network.
    ASSERT_EQ(driver->SetRadioState(WC_RADIO_ON), WC_STATUS_SUCCESS);
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
}

TEST_F(QuickWorldTest, ReauthenticationKeepsTheAssociation) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    sink.events.Clear();
    ASSERT_EQ(config->SetActiveProfile("home", WC_ACTIVATE_REAUTHENTICATE), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    for (const auto& e : sink.events.Items()) EXPECT_NE(e.type, uint32_t(WC_EVENT_ASSOCIATE_STATUS));
    EXPECT_TRUE(sink.WaitForEvent(WC_EVENT_AUTH_STATUS, WC_AUTH_STATUS_SUCCESS, 0));
}

TEST_F(QuickWorldTest, ActivationRefusesWhatItCannotUse) {
    EXPECT_EQ(config->SetActiveProfile(static_cast<WcProfile*>(nullptr), 0), WC_STATUS_INVALID_ARGUMENT);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    EXPECT_EQ(config->SetActiveProfile(p, 3), WC_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(config->SetActiveProfile("No Such Profile", 0), WC_STATUS_NOT_FOUND);
    std::string name;
    EXPECT_EQ(config->GetActiveProfileName(&name), WC_STATUS_NOT_FOUND);
    WcProfile* withNull[] = {p, nullptr};
    EXPECT_EQ(config->SetAutoProfileList(withNull, 2), WC_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(adapter->SetActiveSupplicant(3), WC_STATUS_INVALID_ARGUMENT);
}

// The active profile, automatic selection and its list outlive the process: a library started
// again on the same folder has them and goes back to the network by itself.
TEST_F(QuickWorldTest, AdapterSettingsAreKeptAcrossRuns) {
    WcProfile* home = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    WcProfile* cafe = MakeProfile("Cafe", [](WcProfileData& d) { d.ssid = {"CafeFree", "", ""}; });
    WcProfile* list[] = {cafe, home};
    ASSERT_EQ(config->SetAutoProfileList(list, 2), WC_STATUS_SUCCESS);
    ASSERT_EQ(config->SetActiveProfile(home, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(WaitForState(WC_ADAPTER_STATE_DHCP_SUCCESS));

    adapter->Release();
    adapter = nullptr;
    SimControl::Reset();  // as a new process on the same ZELVO_ROOT
    ASSERT_EQ(manager->GetAdapter(0, &adapter), WC_STATUS_SUCCESS);
    ASSERT_EQ(adapter->GetAdapterConfig(&config, 0), WC_STATUS_SUCCESS);
    std::string name;
    ASSERT_EQ(config->GetActiveProfileName(&name), WC_STATUS_SUCCESS);
    EXPECT_EQ(name, "Home");
    uint32_t count = 0, aps = 1;
    ASSERT_EQ(config->GetAutoProfileCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 2u);
    ASSERT_EQ(config->GetAutoProfileName(0, &name), WC_STATUS_SUCCESS);
    EXPECT_EQ(name, "Cafe");
    ASSERT_EQ(config->IsAPSActive(&aps), WC_STATUS_SUCCESS);
    EXPECT_EQ(aps, 0u);
    EXPECT_TRUE(WaitForState(WC_ADAPTER_STATE_DHCP_SUCCESS));
}

TEST_F(QuickWorldTest, ProfilesTheAdapterOrUserCannotUseAreDisabled) {
    struct Case {
        const char* name;
        std::function<void(WcProfileData&)> edit;
        uint32_t disabled;
    };
    const Case cases[] = {
        {"Usable", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); }, 0},
        {"OthersPrivate",
         [](WcProfileData& d) {
             d.ssid = {"CafeFree", "", ""};
             d.ownerScope = WC_OWNER_SCOPE_PRIVATE;
             d.ownerUserName = "someone-else-entirely";
         },
         1},
        {"VelaGOnly",
         [](WcProfileData& d) {
             d.ssid = {"CafeFree", "", ""};
             d.wirelessModes = WC_WIRELESS_MODE_VELA_G;
         },
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WcProfile* p = MakeProfile(c.name, c.edit);
        uint32_t disabled = 9;
        ASSERT_EQ(config->IsProfileDisabled(p, &disabled), WC_STATUS_SUCCESS);
        EXPECT_EQ(disabled, c.disabled);
    }
}
