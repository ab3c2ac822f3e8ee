#include "wmapp/WmEventNames.h"

#include <gtest/gtest.h>

namespace {

TEST(WmEventNames, StatusNamesAndUnknowns) {
    struct Case {
        uint32_t type, status;
        const char* name;
    };
    const Case cases[] = {
        {1, 0, "Invalid, WC_ADAPTER_STATUS"},
        {1, 4, "WC_ADAPTER_STATUS_INSERTED"},
        {1, 5, "Unknown"},
        {2, 3, "WC_APS_STATUS_PROFILE_STORE_CHANGED"},
        {4, 1, "WC_ASSOCIATE_STATUS_CONNECTED"},
        {4, 2, "Unknown"},
        {8, 4, "WC_AUTH_STATUS_FAILED"},
        {8, 5, "WC_AUTH_STATUS_TIMEOUT"},
        {8, 9, "Unknown"},
        {16, 5, "WC_DHCP_STATUS_FAILED"},
        {32, 8, "WC_AUTH_ERROR_WPAPSK_KEY"},
        {32, 9, "Unknown"},
        {64, 0, "WC_CONNECTION_STATUS_DISCONNECTED"},
        {3, 0, "Unknown"},
        {128, 0, "Unknown"},
        {8, 0xFFFFFFFFu, "Unknown"},
    };
    for (const Case& c : cases) EXPECT_STREQ(WmEventNames::StatusName(c.type, c.status), c.name) << c.type << "/" << c.status;
    for (uint32_t type : {1u, 2u, 4u, 8u, 16u, 32u, 64u}) EXPECT_TRUE(WmEventNames::IsKnownType(type)) << type;
    for (uint32_t type : {0u, 3u, 5u, 128u}) EXPECT_FALSE(WmEventNames::IsKnownType(type)) << type;
}

TEST(WmEventNames, AdapterStates) {
    EXPECT_STREQ(WmEventNames::AdapterStateName(101), "WC_ADAPTER_STATE_REMOVED");
    EXPECT_STREQ(WmEventNames::AdapterStateName(505), "WC_ADAPTER_STATE_AUTH_TIMEOUT");
    EXPECT_STREQ(WmEventNames::AdapterStateName(901), "WC_ADAPTER_STATE_DHCP_SUCCESS");
    for (uint32_t state : {0u, 100u, 506u, 706u, 902u}) EXPECT_EQ(WmEventNames::AdapterStateName(state), nullptr) << state;
}

TEST(WmEventNames, HistoryTextNeverTakesANullText) {
    EXPECT_EQ(WmEventNames::HistoryText("WC_ASSOCIATE_STATUS_CONNECTED", nullptr), "WC_ASSOCIATE_STATUS_CONNECTED");
    EXPECT_EQ(WmEventNames::HistoryText("WC_ASSOCIATE_STATUS_CONNECTED", ""), "WC_ASSOCIATE_STATUS_CONNECTED");
    EXPECT_EQ(WmEventNames::HistoryText("WC_AUTH_STATUS_FAILED", "bad key"), "WC_AUTH_STATUS_FAILED: bad key");
    EXPECT_EQ(WmEventNames::HistoryText("Unknown", "x"), "Unknown: x");
}

}  // namespace
