// The profile commands of zelcore-ctl, which prepare a demonstration root: what they store and
// activate, and what they refuse without storing anything.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ZelcoreCtlProfiles.h"
#include "zelcore/sim/SimControl.h"

namespace {

class ProfileCtlTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zelvo-profilectl-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        setenv("ZELVO_ROOT", m_root.c_str(), 1);
        SimControl::Reset();
    }
    void TearDown() override {
        SimControl::Reset();
        std::filesystem::remove_all(m_root);
        unsetenv("ZELVO_ROOT");
    }
    int Run(std::vector<std::string> args, std::string* out = nullptr, std::string* err = nullptr) {
        std::ostringstream o, e;
        args.insert(args.begin(), "profile");
        const int code = ZelcoreCtlProfiles::Run(args, o, e);
        if (out) *out = o.str();
        if (err) *err = e.str();
        return code;
    }
    std::string ReadFile(const std::string& rel) {
        std::ifstream in(m_root + "/" + rel);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string m_root;
};

TEST_F(ProfileCtlTest, StoresAndActivatesAProfile) {
    std::string out;
    EXPECT_EQ(Run({"add", "Home", "HomeNet", "wpa2-psk", "correct horse battery"}), 0);
    EXPECT_EQ(Run({"add", "Cafe", "CafeNet", "open"}), 0);
    EXPECT_EQ(Run({"activate", "Home"}), 0);
    EXPECT_EQ(Run({"list"}, &out), 0);
    EXPECT_EQ(out, "Home\nCafe\n");
    const std::string settings = ReadFile("zelcore/adapters.json");
    EXPECT_NE(settings.find("\"activeProfile\": \"Home\""), std::string::npos) << settings;
    EXPECT_NE(settings.find("\"aps\": false"), std::string::npos) << settings;
}

TEST_F(ProfileCtlTest, RefusesBadRequestsAndStoresNothing) {
    ASSERT_EQ(Run({"add", "Home", "HomeNet", "open"}), 0);
    const struct {
        std::vector<std::string> args;
        int code;
        const char* reason;
    } cases[] = {
        {{"add", "Home", "Other", "open"}, 1, "exists already"},
        {{"add", "Short", "HomeNet", "wpa2-psk", "seven77"}, 1, "8 to 63"},
        {{"add", "Wep", "HomeNet", "wep", "secret"}, 1, "unknown security"},
        {{"add", "", "HomeNet", "open"}, 1, "must not be empty"},
        {{"add", "NoKey", "HomeNet", "wpa2-psk"}, 2, "profile add"},
        {{"activate", "Nobody"}, 1, "cannot activate"},
        {{"rename", "Home"}, 2, "profile add"},
        {{}, 2, "profile list"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(Run(c.args, nullptr, &err), c.code) << err;
        EXPECT_NE(err.find(c.reason), std::string::npos) << err;
    }
    std::string out;
    EXPECT_EQ(Run({"list"}, &out), 0);
    EXPECT_EQ(out, "Home\n");
}

}  // namespace
