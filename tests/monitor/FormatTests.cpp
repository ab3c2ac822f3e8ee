// Value formatting rules: rates, modes, channels, frequencies, times, addresses, names and the
// small value sets, and the guard on replaced format texts.
#include "platform/ResourceChain.h"
#include "platform/ResourceModule.h"
#include "zelgui/monitor/WgMonitorText.h"
#include "zelgui/monitor/WgStatus.h"
#include "zelgui/monitor/WgValueFormat.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string S(const QString& text) { return text.toStdString(); }

TEST(ValueFormat, RateTexts) {
    const struct {
        uint32_t rate;
        const char* text;
    } cases[] = {
        {0x800001F4u, "500 Kbps"}, {0x80000000u, "0 Kbps"}, {0xFFFFFFFFu, "2147483647 Kbps"},
        {5, "5.5 Mbps"},           {11, "11.0 Mbps"},       {54, "54.0 Mbps"},
        {1, "1.0 Mbps"},           {0, "0.0 Mbps"},         {0x7FFFFFFFu, "2147483647.0 Mbps"},
    };
    for (const auto& c : cases) EXPECT_EQ(S(WgValueFormat::RateText(c.rate)), c.text) << std::hex << c.rate;
}

TEST(ValueFormat, WirelessModePerBand) {
    const struct {
        uint32_t f, flags;
        const char* text;
    } cases[] = {
        {2412, 0x400, "802.11g 54 Mbps"},
        {2412, 0x0, "802.11b 11 Mbps"},
        {2412, 0x100, "802.11b 11 Mbps"},
        {2437, 0x500, "802.11g 108 Mbps"},
        {4000, 0x400, "802.11g 54 Mbps"},
        {5260, 0x100, "5 GHz 108 Mbps"},
        {5260, 0x0, "5 GHz 54 Mbps"},
        {4940, 0x10000, "4.9 GHz 27 Mbps"},
        {4940, 0x20000, "4.9 GHz 13.5 Mbps"},
        {4940, 0x30000, "4.9 GHz 13.5 Mbps"},
        {4940, 0x0, "4.9 GHz 54 Mbps"},
        {4999, 0x100, "4.9 GHz 54 Mbps"},
        {4900, 0x10000, "5 GHz 54 Mbps"},  // the 4.9 GHz band starts above 4900
        {5000, 0x0, "5 GHz 54 Mbps"},
        {4001, 0x100, "5 GHz 108 Mbps"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(S(WgValueFormat::WirelessModeText(c.f, c.flags)), c.text) << c.f << " " << std::hex << c.flags;
}

TEST(ValueFormat, ChannelsAndFrequencies) {
    // Shown channel: above 5000 MHz computed here whatever the client API says.
    EXPECT_EQ(WgValueFormat::ShownChannel(5260, 99), 52u);
    EXPECT_EQ(WgValueFormat::ShownChannel(5000, 7), 7u);
    EXPECT_EQ(WgValueFormat::ShownChannel(2437, 6), 6u);

    const struct {
        uint32_t f, band, scan;
        const char* ghz;
    } cases[] = {
        {2412, 8, 1, "2.412 GHz"},     {2437, 8, 6, "2.437 GHz"},     {2472, 8, 13, "2.472 GHz"},
        {2484, 8, 14, "2.484 GHz"},    {5180, 1, 36, "5.180 GHz"},    {5825, 1, 165, "5.825 GHz"},
        {4920, 0x200, 240, "4.920 GHz"}, {4980, 0x200, 252, "4.980 GHz"}, {5000, 0x200, 139, "5.000 GHz"},
        {4000, 8, 89, "4.000 GHz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WgValueFormat::BandCode(c.f), c.band) << c.f;
        EXPECT_EQ(WgValueFormat::ScanChannel(c.f), c.scan) << c.f;
        EXPECT_EQ(S(WgValueFormat::FrequencyText(c.f)), c.ghz) << c.f;
    }
}

TEST(ValueFormat, UpTime) {
    const struct {
        int32_t seconds;
        const char* text;
    } cases[] = {
        {0, "00:00:00"},          {59, "00:00:59"},           {3661, "01:01:01"},
        {86399, "23:59:59"},      {86400, "1, 00:00:00"},     {90061, "1, 01:01:01"},
        {10 * 86400 + 5, "10, 00:00:05"}, {-5, "00:00:00"},   {INT32_MAX, "24855, 03:14:07"},
    };
    for (const auto& c : cases) EXPECT_EQ(S(WgValueFormat::UpTimeText(c.seconds)), c.text) << c.seconds;
}

TEST(ValueFormat, BssidAndNetworkName) {
    const uint8_t bssid[6] = {0x00, 0x1a, 0x2B, 0xc0, 0xFF, 0x01};
    EXPECT_EQ(S(WgValueFormat::BssidText(bssid)), "00-1A-2B-C0-FF-01");
    const uint8_t broadcast[6] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(S(WgValueFormat::BssidText(broadcast)), " ");

    // A 32-byte name without a terminating zero ends at 32 bytes, not in the bytes after it.
    uint8_t record[40];
    std::memset(record, 'X', sizeof record);
    std::memcpy(record, "abcdefghijklmnopqrstuvwxyz012345", 32);
    EXPECT_EQ(S(WgValueFormat::NetworkNameText(record, 32)), "abcdefghijklmnopqrstuvwxyz012345");
    const uint8_t shortName[] = {'h', 'o', 'm', 'e', 0, 'j', 'u', 'n', 'k'};
    EXPECT_EQ(S(WgValueFormat::NetworkNameText(shortName, sizeof shortName)), "home");
    const uint8_t utf8[] = {'C', 0xC3, 0xA4, 'f', 0xC3, 0xA9, 0};
    EXPECT_EQ(S(WgValueFormat::NetworkNameText(utf8, sizeof utf8)), "C\u00e4f\u00e9");
    const uint8_t latin1[] = {'C', 0xE4, 'f', 0xE9, 0};
    EXPECT_EQ(S(WgValueFormat::NetworkNameText(latin1, sizeof latin1)), "C\u00e4f\u00e9");
    EXPECT_EQ(S(WgValueFormat::NetworkNameText(record, 0)), "");
}

TEST(ValueFormat, TransmitPower) {
    EXPECT_EQ(S(WgValueFormat::TransmitPowerText(100.0, false)), "100 mW");
    EXPECT_EQ(S(WgValueFormat::TransmitPowerText(31.6, true)), "32 mW (AP Setting)");
    EXPECT_EQ(S(WgValueFormat::TransmitPowerText(0.0, false)), "0 mW");
}

TEST(ValueFormat, SmallValueSets) {
    struct Case {
        uint32_t (*fn)(uint32_t);
        uint32_t value;
        const char* text;
    };
    const Case cases[] = {
        {WgValueFormat::SignalStrengthId, 0, "No Link"},   {WgValueFormat::SignalStrengthId, 1, "Poor"},
        {WgValueFormat::SignalStrengthId, 2, "Fair"},      {WgValueFormat::SignalStrengthId, 3, "Good"},
        {WgValueFormat::SignalStrengthId, 4, "Excellent"}, {WgValueFormat::SignalStrengthId, 5, "No Link"},
        {WgValueFormat::NetworkTypeId, 0, "Infrastructure"}, {WgValueFormat::NetworkTypeId, 1, "Ad Hoc"},
        {WgValueFormat::NetworkTypeId, 2, " "},
        {WgValueFormat::CipherId, 0, "None"}, {WgValueFormat::CipherId, 1, "WEP"}, {WgValueFormat::CipherId, 2, "AES"},
        {WgValueFormat::CipherId, 3, "AES"},  {WgValueFormat::CipherId, 4, "CKIP"}, {WgValueFormat::CipherId, 5, "TKIP"},
        {WgValueFormat::CipherId, 6, " "},    {WgValueFormat::CipherId, 7, "CKIP"}, {WgValueFormat::CipherId, 8, " "},
        {WgValueFormat::MicAlgorithmId, 0, "None"}, {WgValueFormat::MicAlgorithmId, 1, "AES"},
        {WgValueFormat::MicAlgorithmId, 2, "MMH"},  {WgValueFormat::MicAlgorithmId, 3, "Michael"},
        {WgValueFormat::MicAlgorithmId, 4, "Unknown"},
        {WgValueFormat::SmeStateId, 0, "Not Joined"}, {WgValueFormat::SmeStateId, 1, "Joined"},
        {WgValueFormat::SmeStateId, 2, "Authenticated"}, {WgValueFormat::SmeStateId, 3, "Associated"},
        {WgValueFormat::SmeStateId, 4, "Unknown"}, {WgValueFormat::SmeStateId, 5, " "},
    };
    for (const Case& c : cases) EXPECT_EQ(S(WgMonitorText::Text(c.fn(c.value))), c.text) << c.value;
}

TEST(ValueFormat, LinkStatusAndAuthentication) {
    const struct {
        uint32_t state;
        const char* text;
        bool unknown, authenticated;
    } cases[] = {
        {500, "Not Associated", false, false},
        {501, "Associated", false, false},
        {502, "Authenticating...", false, false},
        {503, "Authentication Failed, Retrying...", false, false},
        {504, "Authentication Failed", false, false},
        {505, "Authentication Failed", false, false},
        {701, "Authenticated", false, true},
        {702, "Authenticated", false, false},
        {705, "Authenticated", false, false},
        {901, "Authenticated", false, true},
        {600, "Associated", true, false},
        {302, "Associated", true, false},
    };
    for (const auto& c : cases) {
        bool unknown = !c.unknown;
        EXPECT_EQ(S(WgMonitorText::Text(WgValueFormat::LinkStatusId(c.state, &unknown))), c.text) << c.state;
        EXPECT_EQ(unknown, c.unknown) << c.state;
        EXPECT_EQ(WgValueFormat::IsAuthenticatedState(c.state), c.authenticated) << c.state;
    }
}

TEST(ValueFormat, RegulatoryDomain) {
    const struct {
        uint32_t code;
        WgStatus status;
        uint32_t domain;
    } cases[] = {
        {0x10, WG_SUCCESS, 1},   {0x30, WG_SUCCESS, 2},   {0x37, WG_SUCCESS, 2},     {0x40, WG_SUCCESS, 3},
        {0x8348, WG_SUCCESS, 1}, {0x8188, WG_SUCCESS, 3}, {0x60, WG_SUCCESS, 4},     {0x6F, WG_SUCCESS, 4},
        {0x0, WG_NOT_FOUND, 0},  {0x31, WG_NOT_FOUND, 0}, {0x348, WG_NOT_FOUND, 0},  {0x70, WG_NOT_FOUND, 0},
        {0x8060, WG_NOT_FOUND, 0},
    };
    for (const auto& c : cases) {
        WgRegulatoryDomain domain = WgRegulatoryDomain(77);
        EXPECT_EQ(WgValueFormat::RegulatoryDomain(c.code, &domain), c.status) << std::hex << c.code;
        EXPECT_EQ(uint32_t(domain), c.domain) << std::hex << c.code;
    }
}

TEST(MonitorText, ReplacedFormatsMustTakeTheirOneNumber) {
    const struct {
        const char* format;
        bool real, ok;
    } cases[] = {
        {"%.1f Mbps", true, true},  {"Mbps: %5.2f", true, true}, {"%g%%", true, true},
        {"%d Kbps", true, false},   {"%s Mbps", true, false},    {"%.1f %.1f", true, false},
        {"Mbps", true, false},      {"%", true, false},          {"%*f", true, false},
        {"%d Kbps", false, true},   {"%i", false, true},         {"%ld Kbps", false, false},
        {"%n", false, false},       {"%%d", false, false},       {"%-5d|", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WgMonitorText::TakesOneNumber(QString::fromUtf8(c.format), c.real), c.ok) << c.format;
}

TEST(MonitorText, ReplacedTablesWinUnlessTheirFormatDoesNotFit) {
    static const ZelResString strings[] = {
        {IDS_WG_SCANNING, "Suche"},
        {IDS_WG_RATE_MBPS, "%.2f Mb/s"},
        {IDS_WG_RATE_KBPS, "%s Kbps"},  // would read a text it is never given
    };
    static const ZelResourceModule oem = {ZEL_RESOURCE_MAGIC, ZEL_RESOURCE_VERSION, "test-oem", ZEL_RANK_OEM, 0,
                                          strings, 3, nullptr, 0, nullptr, 0, nullptr, 0};
    std::string error;
    ResourceLibrary* library = ResourceChain::Instance().AddBuiltIn(&oem, &error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_EQ(S(WgValueFormat::RateText(54)), "54.00 Mb/s");
    EXPECT_EQ(S(WgValueFormat::RateText(0x800001F4u)), "500 Kbps");
    EXPECT_EQ(S(WgMonitorText::Text(IDS_WG_SCANNING)), "Suche");
    EXPECT_EQ(S(WgMonitorText::Text(IDS_WG_NONE)), "None");
    ResourceChain::Instance().Unload(library);
    EXPECT_EQ(S(WgValueFormat::RateText(54)), "54.0 Mbps");
}

TEST(MonitorText, StatusNames) {
    EXPECT_STREQ(WgStatusName(WG_SUCCESS), "WG_SUCCESS");
    EXPECT_STREQ(WgStatusName(WG_NO_ADAPTER), "WG_NO_ADAPTER");
    EXPECT_STREQ(WgStatusName(WG_NO_CERTIFICATE), "WG_NO_CERTIFICATE");
    EXPECT_STREQ(WgStatusName(2), "WG_UNKNOWN_STATUS");
}

}  // namespace
