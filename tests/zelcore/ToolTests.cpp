// zelcore-ctl: each command's effect on the world file, its refusals, and a running library
// following the change.
#include <sstream>

#include "ZelcoreCtl.h"
#include "ZelcoreFixture.h"

namespace {

SimWorld ReadBack(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    SimWorld world;
    std::string error;
    EXPECT_TRUE(SimWorldParser::Parse(text.str(), &world, &error)) << error;
    return world;
}

const SimAccessPoint& Ap(const SimWorld& world, const std::string& ssid) {
    for (const auto& ap : world.accessPoints)
        if (ap.ssid == ssid) return ap;
    static SimAccessPoint none;
    ADD_FAILURE() << "no access point " << ssid;
    return none;
}

}  // namespace

class ToolTest : public ZelcoreTest {
protected:
    int Ctl(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return ZelcoreCtl(ZelcoreCtl::DefaultWorldPath()).Run(args, out, err);
    }
    std::string Path() { return ZelcoreCtl::DefaultWorldPath(); }
    std::ostringstream out, err;
};

TEST_F(ToolTest, CommandsChangeTheWorldFile) {
    struct Case {
        std::vector<std::string> args;
        std::function<bool(const SimWorld&)> holds;
    };
    const Case cases[] = {
        {{"ap", "HomeNet", "signal", "-83"}, [](const SimWorld& w) { return Ap(w, "HomeNet").rssi == -83; }},
        {{"ap", "00-18-39-70-80-04", "range", "out"}, [](const SimWorld& w) { return !Ap(w, "CafeFree").inRange; }},
        {{"ap", "CafeFree", "range", "in"}, [](const SimWorld& w) { return Ap(w, "CafeFree").inRange; }},
        {{"ap", "HomeNet", "secret", "new secret 42"}, [](const SimWorld& w) { return Ap(w, "HomeNet").secret == "new secret 42"; }},
        {{"radio", "wlan0", "off"}, [](const SimWorld& w) { return w.adapters[0].hardwareRadioOff; }},
        {{"adapter", "disable", "wlan0"}, [](const SimWorld& w) { return !w.adapters[0].enabled; }},
        {{"adapter", "remove", "wlan0"}, [](const SimWorld& w) { return !w.adapters[0].present; }},
        {{"adapter", "insert", "wlan0"}, [](const SimWorld& w) { return w.adapters[0].present; }},
        {{"adapter", "insert", "usb1", "USB Stick", "02:00:00:00:00:01"},
         [](const SimWorld& w) { return w.adapters.size() == 2 && w.adapters[1].mac.ToString() == "02-00-00-00-00-01"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args[2]);
        ASSERT_EQ(Ctl(c.args), 0) << err.str();
        EXPECT_TRUE(c.holds(ReadBack(Path())));
    }
    ASSERT_EQ(Ctl({"list"}), 0);
    EXPECT_NE(out.str().find("usb1"), std::string::npos);
    EXPECT_NE(out.str().find("PublicSafety49"), std::string::npos);
}

TEST_F(ToolTest, RefusalsNameTheReasonAndLeaveTheFileAlone) {
    ASSERT_EQ(Ctl({"init"}), 0);
    const SimWorld before = ReadBack(Path());
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* reason;
    };
    const Case cases[] = {
        {{}, 2, "usage"},
        {{"fly"}, 2, "usage"},
        {{"ap", "Nowhere", "range", "out"}, 1, "no access point is named Nowhere"},
        {{"ap", "HomeNet", "signal", "loud"}, 1, "from -110 to -10"},
        {{"ap", "HomeNet", "signal", "-5"}, 1, "from -110 to -10"},
        {{"ap", "HomeNet", "secret", "short"}, 1, "secret"},
        {{"ap", "HomeNet", "range", "maybe"}, 2, "usage"},
        {{"adapter", "remove", "nic9"}, 1, "no adapter has the id nic9"},
        {{"adapter", "insert", "wlan0"}, 1, "already present"},
        {{"adapter", "insert", "nic9", "X", "not-a-mac"}, 1, "not a MAC address"},
        {{"radio", "wlan0", "sideways"}, 2, "usage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        EXPECT_EQ(Ctl(c.args), c.code);
        EXPECT_NE(err.str().find(c.reason), std::string::npos) << err.str();
        EXPECT_EQ(ReadBack(Path()), before);
    }
    WriteWorldText("{ broken");
    EXPECT_EQ(Ctl({"list"}), 1);
    EXPECT_NE(err.str().find("not valid JSON"), std::string::npos);
}

TEST_F(ToolTest, RunningLibraryFollowsTheTool) {
    ASSERT_EQ(Ctl({"init"}), 0);
    ASSERT_EQ(Ctl({"ap", "HomeNet", "range", "out"}), 0);
    ASSERT_TRUE(SimControl::ReloadWorld());
    ASSERT_EQ(driver->RefreshBSSISList(), WC_STATUS_SUCCESS);
    std::vector<WcBSSID> list;
    ASSERT_EQ(driver->GetBSSIDList(&list), WC_STATUS_SUCCESS);
    for (const auto& e : list) EXPECT_NE(e.ssid, "HomeNet");

    ASSERT_EQ(manager->RegisterForEvents(&managerSink, WC_NOTIFY_ADAPTER_REMOVED), WC_STATUS_SUCCESS);
    ASSERT_EQ(Ctl({"adapter", "remove", "wlan0"}), 0);
    EXPECT_TRUE(managerSink.WaitForFlag(WC_NOTIFY_ADAPTER_REMOVED));
}
