// The monitor's collection cycle and getters, driven cycle by cycle without the polling thread.
#include "MonitorFixture.h"

#include <functional>

namespace {

using TextGetter = std::function<WgStatus(WgAdapterMonitor&, QString&)>;

struct NamedGetter {
    const char* name;
    TextGetter get;
};

const NamedGetter kTextGetters[] = {
    {"SignalStrength", [](WgAdapterMonitor& m, QString& t) { return m.GetSignalStrength(t); }},
    {"NetworkType", [](WgAdapterMonitor& m, QString& t) { return m.GetCurrentNetworkType(t); }},
    {"Encryption", [](WgAdapterMonitor& m, QString& t) { return m.GetEncryptionType(t); }},
    {"CKIP", [](WgAdapterMonitor& m, QString& t) { return m.GetCKIP(t); }},
    {"NetworkName", [](WgAdapterMonitor& m, QString& t) { return m.GetNetworkName(t); }},
    {"Bssid", [](WgAdapterMonitor& m, QString& t) { return m.GetBssid(t); }},
    {"Channel", [](WgAdapterMonitor& m, QString& t) { return m.GetChannel(t); }},
    {"Frequency", [](WgAdapterMonitor& m, QString& t) { return m.GetFrequency(t); }},
    {"WirelessMode", [](WgAdapterMonitor& m, QString& t) { return m.GetWirelessMode(t); }},
    {"TxRate", [](WgAdapterMonitor& m, QString& t) { return m.GetTxRate(t); }},
    {"RxRate", [](WgAdapterMonitor& m, QString& t) { return m.GetRxRate(t); }},
    {"TransmitPower", [](WgAdapterMonitor& m, QString& t) { return m.GetTransmitPower(t); }},
    {"APIPAddress", [](WgAdapterMonitor& m, QString& t) { return m.GetAPIPAddress(t); }},
    {"APName", [](WgAdapterMonitor& m, QString& t) { return m.GetAPName(t); }},
    {"UpTime", [](WgAdapterMonitor& m, QString& t) { return m.GetUpTime(t); }},
    {"SmeStatus", [](WgAdapterMonitor& m, QString& t) { return m.GetSmeStatus(t); }},
    {"LinkStatus", [](WgAdapterMonitor& m, QString& t) { return m.GetLinkStatus(t); }},
};

std::string Text(WgAdapterMonitor& monitor, const char* name) {
    for (const NamedGetter& getter : kTextGetters)
        if (std::string(getter.name) == name) {
            QString text = "untouched";
            EXPECT_EQ(getter.get(monitor, text), WG_SUCCESS) << name;
            return text.toStdString();
        }
    ADD_FAILURE() << "no getter " << name;
    return {};
}

class MonitorCycle : public MonitorFixture {
protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        monitor_ = new WgAdapterMonitor(&adapter_);
    }
    void TearDown() override {
        monitor_->Release();
        EXPECT_EQ(adapter_.refs, 0);
        MonitorFixture::TearDown();
    }
    void Set(const std::function<void(FakeAdapter&)>& change) {
        std::lock_guard lock(adapter_.m);
        change(adapter_);
    }
    std::vector<uint64_t> Counters() {
        uint64_t counters[WgAdapterMonitor::STATISTICS_COUNT];
        EXPECT_EQ(monitor_->GetDriverStatistics(counters), WG_SUCCESS);
        return std::vector<uint64_t>(counters, counters + WgAdapterMonitor::STATISTICS_COUNT);
    }

    FakeAdapter adapter_ {"Wireless Adapter 1"};
    WgAdapterMonitor* monitor_ = nullptr;
};

TEST_F(MonitorCycle, NothingCollectedYetGivesBlanksAndStatuses) {
    for (const NamedGetter& getter : kTextGetters) {
        if (std::string(getter.name) == "LinkStatus") continue;
        EXPECT_EQ(Text(*monitor_, getter.name), " ") << getter.name;
    }
    EXPECT_EQ(Text(*monitor_, "LinkStatus"), "Not Associated");
    long rssi = 7;
    EXPECT_EQ(monitor_->GetRSSI(&rssi), WG_NO_DATA);
    EXPECT_EQ(rssi, 0);
    WcDriverRadioState radio = WC_RADIO_ON;
    EXPECT_EQ(monitor_->GetRadioEnableStatus(&radio), WG_FAILURE);
    EXPECT_EQ(int(radio), -1);
    uint32_t count = 9;
    std::vector<WcBSSID> list(3);
    EXPECT_EQ(monitor_->GetBssidList(&list, &count), WG_SUCCESS);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(list.empty());
}

TEST_F(MonitorCycle, ConnectedAdapterShowsEveryValue) {
    Set([](FakeAdapter& a) {
        a.diag.rxRate = 0x800001F4u;
        a.apPower = 1;
    });
    monitor_->RunCycle();
    const struct {
        const char* getter;
        const char* text;
    } expected[] = {
        {"SignalStrength", "Good"},
        {"NetworkType", "Infrastructure"},
        {"Encryption", "TKIP"},
        {"CKIP", "Michael"},
        {"NetworkName", "HomeNet"},
        {"Bssid", "00-1A-2B-3C-4D-5E"},
        {"Channel", "6"},
        {"Frequency", "2.437 GHz"},
        {"WirelessMode", "802.11g 54 Mbps"},
        {"TxRate", "54.0 Mbps"},
        {"RxRate", "500 Kbps"},
        {"TransmitPower", "100 mW (AP Setting)"},
        {"APIPAddress", "192.168.1.1"},
        {"APName", "AP-Hall"},
        {"UpTime", "01:01:01"},
        {"SmeStatus", "Associated"},
        {"LinkStatus", "Authenticated"},
    };
    for (const auto& e : expected) EXPECT_EQ(Text(*monitor_, e.getter), e.text) << e.getter;

    long value = 0;
    EXPECT_EQ(monitor_->GetRSSI(&value), WG_SUCCESS);
    EXPECT_EQ(value, -55);
    EXPECT_EQ(monitor_->GetNoiseFloor(&value), WG_SUCCESS);
    EXPECT_EQ(value, -92);
    EXPECT_EQ(monitor_->GetSignalQuality(&value), WG_SUCCESS);
    EXPECT_EQ(value, 80);
    EXPECT_EQ(monitor_->GetQosInfo(&value), WG_SUCCESS);
    EXPECT_EQ(value, 1);
    int flag = 0;
    EXPECT_EQ(monitor_->IsAssociated(&flag), WG_SUCCESS);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(monitor_->Authenticated(&flag), WG_SUCCESS);
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(monitor_->GetFrequency5GhzEnable(&flag), WG_SUCCESS);
    EXPECT_EQ(flag, 0);
    unsigned long country = 0;
    EXPECT_EQ(monitor_->GetCountryInfo(&country), WG_SUCCESS);
    EXPECT_EQ(country, unsigned('U' | ('S' << 8)));
    WgRegulatoryDomain domain = WG_REGDOMAIN_NONE;
    EXPECT_EQ(monitor_->GetRegulatoryDomain(&domain), WG_SUCCESS);
    EXPECT_EQ(domain, WG_REGDOMAIN_FCC);
    WcConnectionMode mode = WC_CONNECTION_MODE_VELA;
    EXPECT_EQ(monitor_->GetConnectionMode(&mode), WG_SUCCESS);
    EXPECT_EQ(mode, WC_CONNECTION_MODE_NORMAL);
    WcDriverRadioState radio = WC_RADIO_OFF_BOTH;
    EXPECT_EQ(monitor_->GetRadioEnableStatus(&radio), WG_SUCCESS);
    EXPECT_EQ(radio, WC_RADIO_ON);
    uint32_t count = 0;
    std::vector<WcBSSID> list;
    EXPECT_EQ(monitor_->GetBssidList(&list, &count), WG_SUCCESS);
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(list.size(), 2u);
}

TEST_F(MonitorCycle, LinkStatusAndAuthenticationFollowTheAdapterStateNow) {
    monitor_->RunCycle();
    WgSetTrace(true);
    const struct {
        uint32_t state;
        WcStatus status;
        const char* text;
        int authenticated;
    } cases[] = {
        {500, 0, "Not Associated", 0}, {501, 0, "Associated", 0},           {502, 0, "Authenticating...", 0},
        {504, 0, "Authentication Failed", 0}, {701, 0, "Authenticated", 1}, {702, 0, "Authenticated", 0},
        {901, 0, "Authenticated", 1},  {600, 0, "Associated", 0},           {901, 1, "Not Associated", 0},
    };
    for (const auto& c : cases) {
        Set([&](FakeAdapter& a) {
            a.state = c.state;
            a.stateStatus = c.status;
        });
        EXPECT_EQ(Text(*monitor_, "LinkStatus"), c.text) << c.state;
        int authenticated = 7;
        EXPECT_EQ(monitor_->Authenticated(&authenticated), WG_SUCCESS);
        EXPECT_EQ(authenticated, c.authenticated) << c.state;
    }
    EXPECT_NE(Trace().find("WgAdapterMonitor:GetLinkStatus() ERROR Unknown link status\n"), std::string::npos);
    EXPECT_EQ(monitor_->Authenticated(nullptr), WG_INVALID_ARGUMENT);
}

TEST_F(MonitorCycle, RadioOffBlanksEverythingButTheLinkStatus) {
    Set([](FakeAdapter& a) { a.radio = WC_RADIO_OFF_SOFTWARE; });
    monitor_->RunCycle();
    for (const NamedGetter& getter : kTextGetters) {
        const bool link = std::string(getter.name) == "LinkStatus";
        EXPECT_EQ(Text(*monitor_, getter.name), link ? "Not Associated" : " ") << getter.name;
    }
    WcDriverRadioState radio = WC_RADIO_ON;
    EXPECT_EQ(monitor_->GetRadioEnableStatus(&radio), WG_SUCCESS);
    EXPECT_EQ(radio, WC_RADIO_OFF_SOFTWARE);
    uint32_t count = 5;
    std::vector<WcBSSID> list(1);
    EXPECT_EQ(monitor_->GetBssidList(&list, &count), WG_SUCCESS);
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(list.empty());
}

TEST_F(MonitorCycle, FailedDiagnosticRecordInvalidatesTheWholeCycle) {
    Set([](FakeAdapter& a) { a.stats.txFramesOk = 100; });
    monitor_->RunCycle();
    ASSERT_EQ(Text(*monitor_, "NetworkName"), "HomeNet");
    ASSERT_EQ(Counters()[0], 100u);

    Set([](FakeAdapter& a) {
        a.diagStatus = WC_STATUS_FAILURE;
        a.stats.txFramesOk = 150;
    });
    monitor_->RunCycle();
    for (const NamedGetter& getter : kTextGetters) {
        if (std::string(getter.name) == "LinkStatus") continue;
        EXPECT_EQ(Text(*monitor_, getter.name), " ") << getter.name;
    }
    EXPECT_EQ(Counters(), std::vector<uint64_t>(WgAdapterMonitor::STATISTICS_COUNT, 0));
    long rssi = 1;
    EXPECT_EQ(monitor_->GetRSSI(&rssi), WG_NO_DATA);

    // A failed statistics record clears the values collected before it in the same cycle.
    Set([](FakeAdapter& a) {
        a.diagStatus = 0;
        a.statsStatus = WC_STATUS_FAILURE;
    });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "NetworkName"), " ");
    Set([](FakeAdapter& a) { a.statsStatus = 0; });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "NetworkName"), "HomeNet");
}

TEST_F(MonitorCycle, CumulativeAgainstDifferenceCounters) {
    const struct {
        int cumulative;
        uint64_t tx[3];
        uint64_t shown[3];
    } cases[] = {
        {1, {100, 130, 131}, {100, 130, 131}},
        {0, {100, 130, 131}, {100, 30, 1}},
        // A counter that went backwards (driver restart) counts from its new value.
        {0, {100, 40, 45}, {100, 40, 5}},
    };
    for (const auto& c : cases) {
        WgAdapterMonitor* monitor = new WgAdapterMonitor(&adapter_);
        WgMonitorState state;
        state.SetCumulative(c.cumulative);
        monitor->SetMonitorState(state);
        for (int i = 0; i < 3; ++i) {
            Set([&](FakeAdapter& a) {
                a.stats.txFramesOk = c.tx[i];
                a.stats.rxErrors = c.tx[i] * 2;  // counter 23, from byte 160
                a.diag.crcErrors = uint32_t(c.tx[i]);  // counter 11, from the diagnostic record
            });
            monitor->RunCycle();
            uint64_t counters[WgAdapterMonitor::STATISTICS_COUNT];
            monitor->GetDriverStatistics(counters);
            EXPECT_EQ(counters[0], c.shown[i]) << c.cumulative << " cycle " << i;
            EXPECT_EQ(counters[23], c.shown[i] * 2) << c.cumulative << " cycle " << i;
            EXPECT_EQ(counters[11], c.shown[i]) << c.cumulative << " cycle " << i;
        }
        monitor->Release();
    }
}

TEST_F(MonitorCycle, CounterPositions) {
    Set([](FakeAdapter& a) {
        uint64_t* fields = reinterpret_cast<uint64_t*>(&a.stats);
        for (int i = 0; i < 21; ++i) fields[i] = 1000 + i;  // bytes 0..167
        a.stats.reserved168[0] = 0xEE;
        a.stats2.micOk = 77;
        a.diag.noAckFrames = 9;
        a.diag.rtsRetries = 10;
        a.diag.crcErrors = 11;
    });
    monitor_->RunCycle();
    std::vector<uint64_t> expected;
    for (int i = 0; i < 9; ++i) expected.push_back(1000 + i);
    expected.insert(expected.end(), {9, 10, 11});
    for (int i = 9; i < 21; ++i) expected.push_back(1000 + i);
    EXPECT_EQ(Counters(), expected);
    WcDriverStatisticData stats {};
    EXPECT_EQ(monitor_->GetDriverStatisticsData(&stats), WG_SUCCESS);
    EXPECT_EQ(stats.rxErrors, 1020u);
    EXPECT_EQ(stats.reserved168[0], 0xEE);
    WcDriverStatisticData2 stats2 {};
    EXPECT_EQ(monitor_->GetDriverStatisticsData2(&stats2), WG_SUCCESS);
    EXPECT_EQ(stats2.micOk, 77u);
}

TEST_F(MonitorCycle, GroupLeftOutOfACycleNeverWrapsItsDifference) {
    WgMonitorState state;
    state.SetCumulative(0);
    monitor_->SetMonitorState(state);
    const struct {
        uint32_t mask;
        uint64_t tx;
        uint64_t shown;
    } steps[] = {
        {WG_COLLECT_ALL, 100, 100},
        {WG_COLLECT_ALL, 130, 30},
        {WG_COLLECT_BSSID_LIST, 170, 30},  // statistics off: the last difference stays
        {WG_COLLECT_BSSID_LIST, 180, 30},
        {WG_COLLECT_ALL, 200, 70},  // counted since the last collection, not wrapped
    };
    for (const auto& s : steps) {
        monitor_->SetMonitorMask(s.mask);
        Set([&](FakeAdapter& a) { a.stats.txFramesOk = s.tx; });
        monitor_->RunCycle();
        EXPECT_EQ(Counters()[0], s.shown) << s.tx;
    }
}

TEST_F(MonitorCycle, GroupsSwitchedOffKeepTheirLastValues) {
    monitor_->RunCycle();
    ASSERT_EQ(Text(*monitor_, "UpTime"), "01:01:01");
    monitor_->SetMonitorMask(WG_COLLECT_BSSID_LIST);
    Set([](FakeAdapter& a) {
        a.upTime = 86400;
        a.stats.txFramesOk = 999;
        a.bssids.resize(3);
    });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "UpTime"), "01:01:01");
    EXPECT_EQ(Counters()[0], 0u);
    uint32_t count = 0;
    monitor_->GetBssidList(nullptr, &count);
    EXPECT_EQ(count, 3u);
    monitor_->SetMonitorMask(WG_COLLECT_ALL);
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "UpTime"), "1, 00:00:00");
    EXPECT_EQ(Counters()[0], 999u);
}

TEST_F(MonitorCycle, ScanningWhileDisconnectedOnChangingChannels) {
    Set([](FakeAdapter& a) { a.diag.mediaState = 1; });
    const struct {
        uint32_t f;
        bool scanning;
        const char* channel;
    } cycles[] = {
        {2412, true, "Scanning"}, {2437, true, "Scanning"}, {2462, true, "Scanning"},
        {2437, true, "Scanning"}, {2437, true, "Scanning"}, {2437, true, "Scanning"},
        {2437, false, "6"},  // the same channel four cycles in a row
        {2437, false, "6"},
    };
    for (const auto& c : cycles) {
        Set([&](FakeAdapter& a) { a.frequency(c.f); });
        monitor_->RunCycle();
        EXPECT_EQ(monitor_->IsScanning(), c.scanning) << c.f;
        EXPECT_EQ(Text(*monitor_, "Channel"), c.channel) << c.f;
        EXPECT_EQ(Text(*monitor_, "Frequency"), c.scanning ? "Scanning" : "2.437 GHz") << c.f;
    }
    // Connected: never scanning.
    Set([](FakeAdapter& a) {
        a.diag.mediaState = 0;
        a.frequency(2412);
    });
    monitor_->RunCycle();
    EXPECT_FALSE(monitor_->IsScanning());
}

TEST_F(MonitorCycle, ChannelAbove5GHzIsComputedWhateverTheClientSays) {
    fakeRoot_.utility.channelAnswer = 99;
    const struct {
        uint32_t f, flags;
        const char* channel;
        const char* mode;
        int fiveGhz;
    } cases[] = {
        {5260, 0x100, "52", "5 GHz 108 Mbps", 1},
        {4940, 0x10000, "99", "4.9 GHz 27 Mbps", 1},
        {4900, 0x0, "99", "5 GHz 54 Mbps", 1},
        {2412, 0x400, "99", "802.11g 54 Mbps", 0},
    };
    for (const auto& c : cases) {
        Set([&](FakeAdapter& a) {
            a.frequency(c.f);
            a.diag.channelFlags = c.flags;
        });
        monitor_->RunCycle();
        EXPECT_EQ(Text(*monitor_, "Channel"), c.channel) << c.f;
        EXPECT_EQ(Text(*monitor_, "WirelessMode"), c.mode) << c.f;
        int fiveGhz = -1;
        monitor_->GetFrequency5GhzEnable(&fiveGhz);
        EXPECT_EQ(fiveGhz, c.fiveGhz) << c.f;
    }
}

TEST_F(MonitorCycle, NetworkNameStopsAt32Bytes) {
    Set([](FakeAdapter& a) {
        std::memcpy(a.diag.ssid, "0123456789abcdef0123456789ABCDEFxy", 34);  // no terminating zero
        std::memset(a.diag.reserved0, 'Z', sizeof a.diag.reserved0);
    });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "NetworkName"), "0123456789abcdef0123456789ABCDEF");
}

TEST_F(MonitorCycle, AccessPointInformation) {
    Set([](FakeAdapter& a) { a.apInfo = WcAPInfo(); });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "APName"), "Unavailable");
    EXPECT_EQ(Text(*monitor_, "APIPAddress"), "Unavailable");
    EXPECT_EQ(Text(*monitor_, "TransmitPower"), "100 mW");
    Set([](FakeAdapter& a) { a.apStatus = WC_STATUS_NOT_CONNECTED; });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "APName"), " ");
    EXPECT_EQ(Text(*monitor_, "Bssid"), " ");
    Set([](FakeAdapter& a) {
        a.apStatus = 0;
        std::memset(a.diag.bssid, 0xFF, 6);
    });
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "Bssid"), " ");
}

TEST_F(MonitorCycle, NullOutputsAndMissingAdapter) {
    EXPECT_EQ(monitor_->GetRSSI(nullptr), WG_NULL_POINTER);
    EXPECT_EQ(monitor_->GetNoiseFloor(nullptr), WG_NULL_POINTER);
    EXPECT_EQ(monitor_->IsAssociated(nullptr), WG_NULL_POINTER);
    EXPECT_EQ(monitor_->GetCountryInfo(nullptr), WG_NULL_POINTER);
    EXPECT_EQ(monitor_->GetFrequency5GhzEnable(nullptr), WG_NULL_POINTER);
    EXPECT_EQ(monitor_->GetBssidList(nullptr, nullptr), WG_INVALID_ARGUMENT);
    EXPECT_EQ(monitor_->SetAdapter(nullptr), WG_INVALID_ARGUMENT);
    // Out-pointers the caller might pass as null get a status, not a crash.
    EXPECT_EQ(monitor_->GetSignalQuality(nullptr), WG_NULL_POINTER);
    EXPECT_EQ(monitor_->GetDriverStatistics(nullptr), WG_NULL_POINTER);

    WgAdapterMonitor* bare = new WgAdapterMonitor(nullptr);
    QString text = "kept";
    EXPECT_EQ(bare->GetLinkStatus(text), WG_NO_ADAPTER);
    EXPECT_EQ(text.toStdString(), "kept");
    int flag = 5;
    EXPECT_EQ(bare->Authenticated(&flag), WG_NO_ADAPTER);
    EXPECT_EQ(flag, 0);
    WcConnectionMode mode;
    EXPECT_EQ(bare->GetConnectionMode(&mode), WG_NO_ADAPTER);
    uint32_t count = 1;
    EXPECT_EQ(bare->GetBssidList(nullptr, &count), WG_NO_ADAPTER);
    EXPECT_EQ(count, 0u);
    bare->RunCycle();
    EXPECT_EQ(Text(*bare, "NetworkName"), " ");
    bare->Release();
}

TEST_F(MonitorCycle, RemovalBlanksAndInsertionRetargets) {
    monitor_->RunCycle();
    monitor_->AdapterRemoved();
    EXPECT_EQ(adapter_.refs, 0);
    EXPECT_EQ(Text(*monitor_, "NetworkName"), " ");
    QString text;
    EXPECT_EQ(monitor_->GetLinkStatus(text), WG_NO_ADAPTER);
    monitor_->RunCycle();  // nothing held: still blank, no crash
    EXPECT_EQ(Text(*monitor_, "NetworkName"), " ");

    FakeAdapter again("Wireless Adapter 1");
    monitor_->AdapterInserted(&again);
    EXPECT_EQ(again.refs, 1);
    EXPECT_EQ(monitor_->GetRunState(), WgAdapterMonitor::RUN_STATE_RUNNING);
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "NetworkName"), "HomeNet");
    monitor_->AdapterRemoved();
    EXPECT_EQ(again.refs, 0);
    EXPECT_EQ(monitor_->GetRunState(), WgAdapterMonitor::RUN_STATE_PAUSED);
}

TEST_F(MonitorCycle, StateChangesDisableAndEnable) {
    monitor_->RunCycle();
    Set([](FakeAdapter& a) { a.state = WC_ADAPTER_STATE_DISABLED; });
    monitor_->AdapterStateChanged(&adapter_);
    EXPECT_EQ(adapter_.refs, 0);
    Set([](FakeAdapter& a) { a.state = WC_ADAPTER_STATE_ENABLED; });
    monitor_->AdapterConfigChanged(&adapter_);
    EXPECT_EQ(adapter_.refs, 1);
    monitor_->RunCycle();
    EXPECT_EQ(Text(*monitor_, "NetworkName"), "HomeNet");
}

}  // namespace
