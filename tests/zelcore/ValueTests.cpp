// The value classes' text forms and the utility's conversions and capability tests.
#include "ZelcoreFixture.h"
#include "zelcore/WcDriverTypes.h"
#include "zelcore/WuIp6Address.h"
#include "zelcore/sim/SimRadio.h"

TEST(WuValueTest, MacAddressTextFormsAndRefusals) {
    struct Case {
        const char* text;
        bool ok;
        const char* shown;
    };
    const Case cases[] = {
        {"00-40-96-a1-b2-c3", true, "00-40-96-A1-B2-C3"}, {"00:40:96:A1:B2:C3", true, "00-40-96-A1-B2-C3"},
        {"004096A1B2C3", true, "00-40-96-A1-B2-C3"},      {"FF-FF-FF-FF-FF-FF", true, "FF-FF-FF-FF-FF-FF"},
        {"00-40-96-A1-B2", false, ""},                     {"00-40-96-A1-B2-CG", false, ""},
        {"00_40_96_A1_B2_C3", false, ""},                  {"", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WuMacAddress mac;
        EXPECT_EQ(WuMacAddress::Parse(c.text, &mac), c.ok);
        if (c.ok) {
            EXPECT_EQ(mac.ToString(), c.shown);
        } else {
            EXPECT_TRUE(mac.IsZero());
        }
    }
    WuMacAddress broadcast;
    ASSERT_TRUE(WuMacAddress::Parse("FF-FF-FF-FF-FF-FF", &broadcast));
    EXPECT_TRUE(broadcast.IsBroadcast());
}

TEST(WuValueTest, IpAddressTextForms) {
    struct Case {
        const char* text;
        bool ok4;
        bool ok6;
        const char* shown;
    };
    const Case cases[] = {
        {"192.168.1.100", true, true, "192.168.1.100"}, {"", true, true, ""},
        {"256.1.1.1", false, false, ""},                {"1.2.3", false, false, ""},
        {"1.2.3.4.5", false, false, ""},                {"01.2.3.4", true, true, "1.2.3.4"},
        {"fe80::1", false, true, "fe80::1"},            {"2001:db8:0:0:0:0:0:1", false, true, "2001:db8::1"},
        {" 1.2.3.4", false, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WuIpAddress v4;
        EXPECT_EQ(WuIpAddress::Parse(c.text, &v4), c.ok4);
        if (c.ok4) {
            EXPECT_EQ(v4.ToString(), c.shown);
        }
        WuIp6Address v6;
        EXPECT_EQ(WuIp6Address::Parse(c.text, &v6), c.ok6);
        if (c.ok6) {
            EXPECT_EQ(v6.ToString(), c.shown);
        }
    }
}

TEST_F(ZelcoreTest, UtilityConversions) {
    struct Freq {
        uint32_t frequency;
        uint32_t channel;
    };
    const Freq table[] = {{2412, 1}, {2437, 6}, {2484, 14}, {5180, 36}, {5260, 52}, {4940, 244}, {4980, 252}};
    for (const auto& f : table) {
        SCOPED_TRACE(f.frequency);
        uint32_t channel = 0, back = 0;
        ASSERT_EQ(utility->FrequencyToChannel(f.frequency, 0, 0, &channel), WC_STATUS_SUCCESS);
        EXPECT_EQ(channel, f.channel);
        const uint32_t band = f.frequency > 5000 ? WC_BAND_5GHZ : f.frequency > 4000 ? WC_BAND_49GHZ : WC_BAND_24GHZ;
        ASSERT_EQ(utility->ChannelToFrequency(channel, band, &back), WC_STATUS_SUCCESS);
        EXPECT_EQ(back, f.frequency);
    }
    uint32_t channel = 0;
    EXPECT_EQ(utility->FrequencyToChannel(3000, 0, 0, &channel), WC_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(utility->ChannelToFrequency(36, WC_BAND_24GHZ, &channel), WC_STATUS_INVALID_ARGUMENT);

    double mw = 0;
    ASSERT_EQ(utility->ConvertPower(20, WC_POWER_MILLIWATT, &mw), WC_STATUS_SUCCESS);
    EXPECT_NEAR(mw, 100.0, 1e-9);
    EXPECT_EQ(utility->ConvertPower(20, 7, &mw), WC_STATUS_INVALID_ARGUMENT);

    uint32_t level = 0;
    ASSERT_EQ(utility->GetPowerLevel(34, 1, &level), WC_STATUS_SUCCESS);
    EXPECT_EQ(level, 1u);
    ASSERT_EQ(utility->GetPowerLevel(0, 0, &level), WC_STATUS_SUCCESS);
    EXPECT_EQ(level, 18u);
    EXPECT_EQ(utility->GetPowerLevel(33, 0, &level), WC_STATUS_INVALID_ARGUMENT);

    // Ad hoc channel positions round-trip over the editor's list ("Auto", 1..14).
    for (uint32_t position = 0; position <= 14; ++position) {
        uint32_t ch = 99, pos = 99;
        ASSERT_EQ(utility->PositionToChannel(position, WC_WIRELESS_MODE_B, &ch), WC_STATUS_SUCCESS);
        ASSERT_EQ(utility->ChannelToPosition(ch, WC_WIRELESS_MODE_B, &pos), WC_STATUS_SUCCESS);
        EXPECT_EQ(pos, position);
    }
    uint32_t pos = 0;
    EXPECT_EQ(utility->ChannelToPosition(36, WC_WIRELESS_MODE_A, &pos), WC_STATUS_INVALID_ARGUMENT);

    std::vector<uint32_t> eap;
    ASSERT_EQ(utility->GetSupportedEapTypes(&eap, 0, 0), WC_STATUS_SUCCESS);
    EXPECT_NE(std::find(eap.begin(), eap.end(), uint32_t(WC_SECURITY_EAP_SIM)), eap.end());
    EXPECT_EQ(std::find(eap.begin(), eap.end(), uint32_t(WC_SECURITY_PSK)), eap.end());
}

TEST_F(ZelcoreTest, UtilityModeTests) {
    EXPECT_TRUE(utility->IsBOnlyAdHoc(WC_WIRELESS_MODE_B));
    EXPECT_FALSE(utility->IsBOnlyAdHoc(WC_WIRELESS_MODE_B | WC_WIRELESS_MODE_G));
    EXPECT_TRUE(utility->HasVelaA(WC_WIRELESS_MODE_VELA_A));
    EXPECT_FALSE(utility->HasVelaG(WC_WIRELESS_MODE_G));
    EXPECT_TRUE(utility->HasPublicSafety(WC_WIRELESS_MODE_PS_2));
    EXPECT_FALSE(utility->HasPublicSafety(WC_WIRELESS_MODE_A));
    EXPECT_TRUE(utility->HasExtendedRange(WC_SECCAP_EXTENDED_RANGE));
    EXPECT_FALSE(utility->HasVelaMode(WC_SECCAP_QOS));
}

// Rates follow the network's mode and fall with the link quality, in the driver's encoding
// (Mbps, 5 meaning 5.5; bit 31 set: Kbps).
TEST(SimRadioTest, RatesByModeAndQuality) {
    struct Case {
        uint32_t mode;
        int32_t quality;
        uint32_t tx;
    };
    const Case cases[] = {
        {WC_WIRELESS_MODE_B, 100, 11},          {WC_WIRELESS_MODE_B, 45, 5},
        {WC_WIRELESS_MODE_G, 100, 54},          {WC_WIRELESS_MODE_G, 10, 6},
        {WC_WIRELESS_MODE_VELA_A, 80, 108},     {WC_WIRELESS_MODE_A, 30, 18},
        {WC_WIRELESS_MODE_PS_2, 100, 27},       {WC_WIRELESS_MODE_PS_1, 100, 0x80000000u | 13500},
        {WC_WIRELESS_MODE_PS_3, 100, 54},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " quality " << c.quality);
        EXPECT_EQ(SimRadio::TxRate(c.mode, c.quality), c.tx);
        EXPECT_NE(SimRadio::RxRate(c.mode, c.quality), 0u);
    }
    EXPECT_EQ(SimRadio::Quality(45), 100);
    EXPECT_EQ(SimRadio::Quality(0), 0);
    EXPECT_EQ(SimRadio::SignalLevel(40), 4u);
    EXPECT_EQ(SimRadio::SignalLevel(12), 2u);
    EXPECT_EQ(SimRadio::SignalLevel(2), 0u);
}
