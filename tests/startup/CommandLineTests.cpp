#include "wmapp/WmCommandLine.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct Case {
    std::vector<std::string> parameters;
    std::map<std::string, std::string> flags;
};

TEST(WmCommandLine, FlagsAndValues) {
    const Case cases[] = {
        {{"-nogui"}, {{"NOGUI", "TRUE"}}},
        {{"/NoGui"}, {{"NOGUI", "TRUE"}}},
        {{"-NOGUI"}, {{"NOGUI", "TRUE"}}},
        {{"-nogui", "x"}, {{"NOGUI", "X"}}},
        // A flag takes one value; the next plain parameter is left to the platform.
        {{"-a", "one", "two"}, {{"A", "ONE"}}},
        {{"plain", "-b"}, {{"B", "TRUE"}}},
        {{"-a", "-b", "v"}, {{"A", "TRUE"}, {"B", "V"}}},
        {{"-", "/"}, {}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        WmCommandLine line;
        line.Parse(c.parameters);
        EXPECT_EQ(line.Flags(), c.flags) << ::testing::PrintToString(c.parameters);
    }
}

TEST(WmCommandLine, LookupIgnoresCaseAndPendingFlagClears) {
    WmCommandLine line;
    line.Parse({"/NoGui"});
    EXPECT_TRUE(line.Has("nogui"));
    EXPECT_EQ(line.Value("NoGui"), "TRUE");
    EXPECT_EQ(line.PendingFlag(), "NOGUI");
    line.ParseParam("later");
    EXPECT_EQ(line.PendingFlag(), "");
    EXPECT_FALSE(line.Has("LATER"));
    EXPECT_EQ(line.Value("absent"), "");
}

}  // namespace
