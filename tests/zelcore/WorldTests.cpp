// The built-in world as a caller of the client API sees it: the adapter, its driver's records and
// the networks in range, and how the records agree with each other.
#include <algorithm>
#include <cstring>
#include <map>

#include "ZelcoreFixture.h"
#include "zelcore/WcDriverTypes.h"

namespace {

// The adapter monitor's rule for the channel of a frequency.
uint32_t MonitorChannel(uint32_t f) {
    if (f > 5000) return (f - 5000) / 5;
    if (f == 2484) return 14;
    if (f < 2484) return (f - 2407) / 5;
    if (f >= 4900 && f <= 4980) return 256 - (5000 - f) / 5;
    return (f - 2512) / 20 + 15;
}

}  // namespace

TEST_F(ZelcoreTest, DefaultWorldHasOneDisconnectedAdapterWithItsDriverDetails) {
    uint32_t count = 0;
    ASSERT_EQ(manager->GetAdapterCount(&count), WC_STATUS_SUCCESS);
    EXPECT_EQ(count, 1u);
    std::string name, version, path, serial, country, id;
    ASSERT_EQ(adapter->GetName(&name), WC_STATUS_SUCCESS);
    EXPECT_EQ(name, "Kovanta 802.11a/b/g Wireless Adapter");
    WuMacAddress mac;
    ASSERT_EQ(adapter->GetMacAddress(&mac), WC_STATUS_SUCCESS);
    EXPECT_EQ(mac.ToString(), "00-40-96-A1-B2-C3");
    EXPECT_EQ(State(), uint32_t(WC_ADAPTER_STATE_DISCONNECTED));
    WuIp6Address ip;
    ASSERT_EQ(adapter->GetIPAddress(&ip), WC_STATUS_SUCCESS);
    EXPECT_TRUE(ip.IsEmpty());

    EXPECT_EQ(driver->GetDriverFileVersionStr(&version), WC_STATUS_SUCCESS);
    EXPECT_EQ(version, "4.2.1.0");
    EXPECT_EQ(driver->GetDriverFilePath(&path), WC_STATUS_SUCCESS);
    EXPECT_FALSE(path.empty());
    EXPECT_EQ(driver->GetSerialNumber(&serial), WC_STATUS_SUCCESS);
    EXPECT_FALSE(serial.empty());
    EXPECT_EQ(driver->GetCountry(&country), WC_STATUS_SUCCESS);
    EXPECT_EQ(country, "US");
    EXPECT_EQ(adapter->GetAdapterId(WC_ADAPTER_ID_INTERFACE, &id), WC_STATUS_SUCCESS);
    int64_t written = 0;
    EXPECT_EQ(driver->GetDriverFileTimes(nullptr, &written, nullptr), WC_STATUS_SUCCESS);
    EXPECT_EQ(written, 1741944600);
    EXPECT_EQ(driver->GetDriverFileTimes(nullptr, nullptr, nullptr), WC_STATUS_INVALID_ARGUMENT);

    WcDriverDeviceInfo info{};
    ASSERT_EQ(driver->GetDeviceInfo(&info), WC_STATUS_SUCCESS);
    EXPECT_TRUE(utility->Is80211aSupported(info.modeWord));
    EXPECT_TRUE(utility->Is80211bSupported(info.modeWord));
    EXPECT_TRUE(utility->Is80211gSupported(info.modeWord));

    WcAdapterCapabilities caps{};
    ASSERT_EQ(utility->GetAdapterCapabilities(adapter, &caps), WC_STATUS_SUCCESS);
    EXPECT_EQ(caps.maxSsids, 3u);
    EXPECT_EQ(caps.macAddress, mac);
    EXPECT_TRUE(utility->IsWpa2Supported(caps.securityCaps));
    EXPECT_TRUE(utility->HasPublicSafety(caps.infraModeCaps));

    uint32_t radio = 99;
    ASSERT_EQ(driver->GetRadioState(&radio), WC_STATUS_SUCCESS);
    EXPECT_EQ(radio, uint32_t(WC_RADIO_ON));
    WcVersionInfo versions{};
    ASSERT_EQ(root->GetVersionInfo(&versions), WC_STATUS_SUCCESS);
    EXPECT_EQ(versions.entries[0].major, 4);
    EXPECT_GE(root->GetVersion(), 2u);
}

TEST_F(ZelcoreTest, ScanListHoldsEveryNetworkOfTheWorldWithItsDetails) {
    ASSERT_EQ(driver->RefreshBSSISList(), WC_STATUS_SUCCESS);
    std::vector<WcBSSID> list;
    ASSERT_EQ(driver->GetBSSIDList(&list), WC_STATUS_SUCCESS);
    std::map<std::string, WcBSSID> bySsid;
    for (const auto& e : list) bySsid[e.ssid] = e;

    struct Expected {
        const char* ssid;
        uint32_t privacy;
        uint32_t networkType;
        uint32_t mode;
        int32_t channel;
    };
    const Expected table[] = {
        {"HomeNet", 1, 1, WC_WIRELESS_MODE_G, 6},       {"CorpWLAN", 1, 1, WC_WIRELESS_MODE_A, 36},
        {"OldLab", 1, 1, WC_WIRELESS_MODE_B, 11},       {"CafeFree", 0, 1, WC_WIRELESS_MODE_G, 1},
        {"PeerLink", 0, 0, WC_WIRELESS_MODE_B, 3},      {"PublicSafety49", 1, 1, WC_WIRELESS_MODE_PS_2, 244},
        {"FastLane5", 1, 1, WC_WIRELESS_MODE_VELA_A, 52},
    };
    EXPECT_EQ(list.size(), std::size(table));
    for (const auto& x : table) {
        SCOPED_TRACE(x.ssid);
        ASSERT_TRUE(bySsid.count(x.ssid));
        const WcBSSID& e = bySsid[x.ssid];
        EXPECT_EQ(e.privacy, x.privacy);
        EXPECT_EQ(e.networkType, x.networkType);
        EXPECT_EQ(e.wirelessMode, x.mode);
        EXPECT_EQ(e.channel, x.channel);
        EXPECT_FALSE(e.bssid.IsZero());
        EXPECT_GT(e.signal, 0);  // signal over noise, in dB
    }
}

// Connected to networks of each band, the diagnostic record agrees with itself, with the scan
// list and with the utility's channel rule.
TEST_F(QuickWorldTest, DiagnosticRecordAgreesWithTheNetworkOfEachBand) {
    struct Case {
        const char* ssid;
        const char* passphrase;
        uint32_t frequency;
        uint32_t channel;
        uint32_t flags;
        uint32_t cipher;
    };
    const Case cases[] = {
        {"HomeNet", "correct horse battery", 2437, 6, WC_CHANNEL_OFDM_24, WC_CIPHER_AES_CCM},
        {"FastLane5", "velocity rules", 5260, 52, WC_CHANNEL_TURBO, WC_CIPHER_AES_CCM},
        {"PublicSafety49", "first responders", 4940, 244, WC_CHANNEL_HALF_RATE, WC_CIPHER_TKIP},
    };
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ssid);
        sink.events.Clear();
        WcProfile* p = MakeProfile(std::string("P-") + c.ssid, [&](WcProfileData& d) { Psk(d, c.ssid, c.passphrase); });
        ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
        ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));

        WcDriverDiagnosticData d{};
        ASSERT_EQ(driver->GetDiagnosticData(&d), WC_STATUS_SUCCESS);
        EXPECT_EQ(d.mediaState, 0u);
        EXPECT_EQ(d.frequency & 0xFFFF, c.frequency);
        EXPECT_EQ(MonitorChannel(d.frequency & 0xFFFF), c.channel);
        uint32_t channel = 0;
        ASSERT_EQ(utility->FrequencyToChannel(c.frequency, 0, d.channelFlags, &channel), WC_STATUS_SUCCESS);
        EXPECT_EQ(channel, c.channel);
        EXPECT_EQ(d.channelFlags, c.flags);
        EXPECT_EQ(d.cipher, c.cipher);
        EXPECT_EQ(d.networkType, 0u);
        EXPECT_STREQ(d.ssid, c.ssid);
        EXPECT_EQ(d.smeState, 3u);

        std::vector<WcBSSID> list;
        ASSERT_EQ(driver->GetBSSIDList(&list), WC_STATUS_SUCCESS);
        auto it = std::find_if(list.begin(), list.end(), [&](const WcBSSID& e) { return e.ssid == c.ssid; });
        ASSERT_NE(it, list.end());
        EXPECT_EQ(std::memcmp(d.bssid, it->bssid.Bytes(), 6), 0);
        EXPECT_EQ(uint32_t(it->channel), c.channel);

        // The RSSI counts in dB above the noise floor, which is a positive magnitude (95: -95 dBm).
        EXPECT_GT(d.rssi, 0);
        EXPECT_LE(d.rssi, 90);
        uint32_t level = 9;
        ASSERT_EQ(driver->SignalStrength(d.rssi, &level), WC_STATUS_SUCCESS);
        EXPECT_EQ(d.signalLevel, level);
        EXPECT_NE(d.txRate, 0u);
        EXPECT_NE(d.rxRate, 0u);
        int32_t quality = -1, noise = 0;
        ASSERT_EQ(driver->GetSignalQuality(&quality), WC_STATUS_SUCCESS);
        EXPECT_GT(quality, 0);
        ASSERT_EQ(driver->GetNoiseFloor(&noise), WC_STATUS_SUCCESS);
        EXPECT_GE(noise, 40);
        EXPECT_LE(noise, 120);
        EXPECT_GE(d.rssi - noise, -100);  // back in dBm: the world's signal, give or take its drift
        EXPECT_LE(d.rssi - noise, -20);
        std::string ssid;
        ASSERT_EQ(driver->GetSSID(&ssid), WC_STATUS_SUCCESS);
        EXPECT_EQ(ssid, c.ssid);
    }
}

TEST_F(QuickWorldTest, TrafficCountersAndUpTimeGrowWhileConnected) {
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Home", [](WcProfileData& d) { Psk(d, "HomeNet", "correct horse battery"); });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));

    WcDriverStatisticData s1{}, s2{};
    WcDriverStatisticData2 t1{}, t2{};
    WcDriverDiagnosticData d1{}, d2{};
    int32_t up1 = 0, up2 = 0;
    ASSERT_EQ(driver->GetStatistics(&s1), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->GetStatistics2(&t1), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->GetDiagnosticData(&d1), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->GetUpTime(&up1), WC_STATUS_SUCCESS);
    SimControl::AdvanceClock(10000);
    ASSERT_EQ(driver->GetStatistics(&s2), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->GetStatistics2(&t2), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->GetDiagnosticData(&d2), WC_STATUS_SUCCESS);
    ASSERT_EQ(driver->GetUpTime(&up2), WC_STATUS_SUCCESS);

    EXPECT_GT(s2.txFramesOk, s1.txFramesOk);
    EXPECT_GT(s2.txBytes, s1.txBytes);
    EXPECT_GT(s2.rxFramesOk, s1.rxFramesOk);
    EXPECT_GT(s2.rxBytes, s1.rxBytes);
    EXPECT_GT(s2.rxBeacons, s1.rxBeacons);
    EXPECT_EQ(s2.txFramesOk, s2.txUnicast + s2.txMulticast + s2.txBroadcast);
    EXPECT_GE(s2.txRts, s2.txCts);  // "No CTS Frames" never goes below zero
    EXPECT_GT(t2.micOk, t1.micOk);
    EXPECT_GT(d2.noAckFrames, d1.noAckFrames);
    EXPECT_GE(up2 - up1, 10);
}

TEST_F(ZelcoreTest, TwoRootsLeadToTheSameAdapters) {
    Zelcore* second = ZelcoreLoader::Load(ZELCORE_TEST_LIBDIR, 0);
    ASSERT_NE(second, nullptr);
    WcAdapterManager* otherManager = nullptr;
    ASSERT_EQ(second->GetAdapterManager(&otherManager, 0), WC_STATUS_SUCCESS);
    WcAdapter* other = nullptr;
    ASSERT_EQ(otherManager->GetAdapter(0, &other), WC_STATUS_SUCCESS);
    EXPECT_EQ(other, adapter);
    WcProfileManager* otherProfiles = nullptr;
    ASSERT_EQ(second->GetProfileManager(&otherProfiles, 0), WC_STATUS_SUCCESS);
    EXPECT_EQ(otherProfiles, profiles);
    other->Release();
    otherManager->Release();
    second->Release();
}

TEST(ZelcoreLoaderTest, RefusesWhatItCannotServe) {
    std::string error;
    EXPECT_EQ(ZelcoreLoader::Load("/nonexistent-folder", 0x20000, &error), nullptr);
    EXPECT_NE(error.find("cannot load"), std::string::npos);
    error.clear();
    EXPECT_EQ(ZelcoreLoader::Load(ZELCORE_TEST_LIBDIR, 0x30000, &error), nullptr);
    EXPECT_NE(error.find("refused"), std::string::npos);
}
