// Failure injection and call counts, from tests and from the world file.
#include <sstream>

#include "ZelcoreFixture.h"
#include "zelcore/WcLogger.h"

TEST_F(ZelcoreTest, InjectedFailuresAnswerTheGivenStatusForTheGivenNumberOfCalls) {
    SimControl::ResetCounts();
    SimControl::FailNext("WcAdapterDriver::GetDiagnosticData", WC_STATUS_BUSY, 2);
    SimControl::FailNext("GetState", WC_STATUS_FAILURE, 1);  // a bare name, any interface
    WcDriverDiagnosticData d{};
    EXPECT_EQ(driver->GetDiagnosticData(&d), WC_STATUS_BUSY);
    EXPECT_EQ(driver->GetDiagnosticData(&d), WC_STATUS_BUSY);
    EXPECT_EQ(driver->GetDiagnosticData(&d), WC_STATUS_SUCCESS);
    uint32_t state = 0;
    EXPECT_EQ(adapter->GetState(&state), WC_STATUS_FAILURE);
    EXPECT_EQ(adapter->GetState(&state), WC_STATUS_SUCCESS);
    EXPECT_EQ(SimControl::CallCount("WcAdapterDriver::GetDiagnosticData"), 3u);
    EXPECT_EQ(SimControl::CallCount("GetDiagnosticData"), 3u);
    EXPECT_EQ(SimControl::CallCount("WcAdapter::GetState"), 2u);

    SimControl::FailNext("WcAdapterManager::GetAdapterCount", WC_STATUS_FAILURE, SimControl::kForever);
    uint32_t count = 0;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(manager->GetAdapterCount(&count), WC_STATUS_FAILURE);
    SimControl::FailNext("WcAdapterManager::GetAdapterCount", 0, 0);
    EXPECT_EQ(manager->GetAdapterCount(&count), WC_STATUS_SUCCESS);

    SimControl::ResetCounts();
    EXPECT_EQ(SimControl::CallCount("GetDiagnosticData"), 0u);
}

class WorldFailuresTest : public ZelcoreTest {
protected:
    std::optional<SimWorld> InitialWorld() override {
        SimWorld world = QuickWorld();
        world.failures["WcAdapterDriver::GetStatistics"] = SimFailure{WC_STATUS_BUSY, -1};
        world.failures["GetUpTime"] = SimFailure{WC_STATUS_FAILURE, 1};
        return world;
    }
};

TEST_F(WorldFailuresTest, FailuresNamedInTheWorldFileApply) {
    WcDriverStatisticData s{};
    EXPECT_EQ(driver->GetStatistics(&s), WC_STATUS_BUSY);
    EXPECT_EQ(driver->GetStatistics(&s), WC_STATUS_BUSY);
    int32_t up = 0;
    EXPECT_EQ(driver->GetUpTime(&up), WC_STATUS_FAILURE);
    EXPECT_EQ(driver->GetUpTime(&up), WC_STATUS_SUCCESS);
    // A world without them ends them.
    WriteWorld(QuickWorld());
    ASSERT_TRUE(SimControl::ReloadWorld());
    EXPECT_EQ(driver->GetStatistics(&s), WC_STATUS_SUCCESS);
}

TEST_F(QuickWorldTest, LibraryLogRecordsEventsAndWorldLoadsWhenAsked) {
    WcLogger* logger = nullptr;
    ASSERT_EQ(root->GetLogger(&logger), WC_STATUS_SUCCESS);
    ASSERT_EQ(logger->SetLevel(2), WC_STATUS_SUCCESS);
    ASSERT_EQ(logger->SetLogFile("/Zelvo.txt"), WC_STATUS_SUCCESS);
    ASSERT_EQ(adapter->RegisterForEvents(&sink, WC_EVENT_ALL), WC_STATUS_SUCCESS);
    WcProfile* p = MakeProfile("Cafe", [](WcProfileData& d) { d.ssid = {"CafeFree", "", ""}; });
    ASSERT_EQ(config->SetActiveProfile(p, WC_ACTIVATE_NORMAL), WC_STATUS_SUCCESS);
    ASSERT_TRUE(sink.WaitForEvent(WC_EVENT_CONNECTION_STATUS, WC_CONNECTION_STATUS_CONNECTED));
    WriteWorldText("{ broken");
    EXPECT_FALSE(SimControl::ReloadWorld());
    logger->SetLevel(0);
    logger->SetLogFile("");

    std::ifstream in(m_root + "/zelcore.log");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("zelcore adapter wlan0: event 64 status 1, Cafe"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("malformed world file"), std::string::npos) << text.str();
}
