// The world file parser: what it accepts, what it refuses and why, and that writing a world
// gives the same world back.
#include <sstream>

#include "ZelcoreFixture.h"

TEST(WorldFileTest, WrittenWorldReadsBackUnchanged) {
    SimWorld world = SimDefaultWorld::Build();
    world.failures["GetStatistics"] = SimFailure{9, 2};
    SimWorld back;
    std::string error;
    ASSERT_TRUE(SimWorldParser::Parse(SimWorldParser::Write(world), &back, &error)) << error;
    EXPECT_EQ(back, world);
}

TEST(WorldFileTest, AcceptsAMinimalWorldWithDefaults) {
    SimWorld world;
    std::string error;
    ASSERT_TRUE(SimWorldParser::Parse(R"({"accessPoints": [{"ssid": "A", "bssid": "00-11-22-33-44-55", "frequency": 4940, "mode": "4.9-half"}]})",
                                      &world, &error))
        << error;
    ASSERT_EQ(world.accessPoints.size(), 1u);
    EXPECT_EQ(world.accessPoints[0].channel, 244u);
    EXPECT_TRUE(world.accessPoints[0].inRange);
    EXPECT_TRUE(world.adapters.empty());
}

TEST(WorldFileTest, RefusesMalformedWorldsNamingTheFault) {
    const std::string ap = R"("ssid": "A", "bssid": "00-11-22-33-44-55")";
    const std::string adapter = R"("id": "w", "name": "W", "mac": "00-11-22-33-44-66")";
    struct Case {
        std::string text;
        const char* where;
    };
    const Case cases[] = {
        {"", "not valid JSON"},
        {"[]", "must be a JSON object"},
        {R"({"version": 2})", "world.version"},
        {R"({"stepMs": -1})", "world.stepMs"},
        {R"({"adapters": {}})", "world.adapters"},
        {R"({"adapters": [{"name": "W", "mac": "00-11-22-33-44-66"}]})", "adapters[0].id: is missing"},
        {R"({"adapters": [{)" + adapter + R"(, "mac": "zz"}]})", "adapters[0]"},
        {R"({"adapters": [{"id": "w", "name": "W", "mac": "00-11-22-33-44-6"}]})", "adapters[0].mac"},
        {R"({"adapters": [{)" + adapter + R"(}, {)" + adapter + R"(}]})", "adapters[1].id"},
        {R"({"adapters": [{)" + adapter + R"(, "country": "USA"}]})", "adapters[0].country"},
        {R"({"adapters": [{)" + adapter + R"(, "infraModes": ["a", "n"]}]})", "adapters[0].infraModes"},
        {R"({"adapters": [{)" + adapter + R"(, "enabled": 1}]})", "adapters[0].enabled"},
        {R"({"adapters": [{)" + adapter + R"(, "adHocModes": 32}]})", "adapters[0].adHocModes"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 15}]})", "accessPoints[0].channel"},
        {R"({"accessPoints": [{)" + ap + R"(, "mode": "a", "channel": 6}]})", "accessPoints[0].channel"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 6, "frequency": 2412}]})", "accessPoints[0].channel"},
        {R"({"accessPoints": [{)" + ap + R"(, "frequency": 2413}]})", "accessPoints[0].frequency"},
        {R"({"accessPoints": [{"ssid": "123456789012345678901234567890123", "bssid": "00-11-22-33-44-55", "channel": 1}]})",
         "accessPoints[0].ssid"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "security": "wpa3"}]})", "accessPoints[0].security"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "security": "wpa2-psk", "secret": "short"}]})",
         "accessPoints[0].secret"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "security": "wep", "secret": "abc"}]})", "accessPoints[0].secret"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "signal": 5}]})", "accessPoints[0].signal"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "type": "mesh"}]})", "accessPoints[0].type"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "apIp": "10.0.0"}]})", "accessPoints[0].apIp"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1}, {)" + ap + R"(, "channel": 6}]})", "accessPoints[1].bssid"},
        {R"({"accessPoints": [{)" + ap + R"(, "channel": 1, "ssid2": "x"}]})", "accessPoints[0].ssid2: is not a known setting"},
        {R"({"failures": {"GetStatistics": "busy"}})", "failures.GetStatistics"},
        {R"({"failures": {"GetStatistics": {"count": 1}}})", "status: is missing"},
        {R"({"accessPoints": [{"ssid": "A\u0000B", "bssid": "00-11-22-33-44-55", "channel": 1}]})", "zero byte"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SimWorld world = SimDefaultWorld::Build();
        const SimWorld before = world;
        std::string error;
        EXPECT_FALSE(SimWorldParser::Parse(c.text, &world, &error));
        EXPECT_NE(error.find(c.where), std::string::npos) << error;
        EXPECT_EQ(world, before);
    }
}

TEST(WorldFileTest, ExampleFileReadsAsTheBuiltInWorld) {
    std::ifstream in(ZELCORE_SOURCE_DIR "/zelcore/sim/world.example.json");
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    SimWorld world;
    std::string error;
    ASSERT_TRUE(SimWorldParser::Parse(text.str(), &world, &error)) << error;
    EXPECT_EQ(world, SimDefaultWorld::Build());
}
