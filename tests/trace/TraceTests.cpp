// Both trace logs: line format, switches, the literal message, the length limit, one line per call.
#include "platform/TraceWriter.h"
#include "wmapp/WmTrace.h"
#include "zelgui/services/WgTrace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>
#include <sys/syscall.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TraceTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("zelvo-trace-" + std::to_string(getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        setenv("ZELVO_ROOT", root_.c_str(), 1);
        SetTraceMode(0);
        WgSetTrace(false);
    }
    void TearDown() override {
        SetTraceMode(0);
        WgSetTrace(false);
        fs::remove_all(root_);
    }
    std::vector<std::string> Lines(const char* file) const {
        std::ifstream in(root_ / file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    fs::path root_;
};

std::string FormatAt(int hour, int minute, int second, long ms, unsigned tid, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
std::string FormatAt(int hour, int minute, int second, long ms, unsigned tid, const char* format, ...) {
    tm local {};
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    va_list args;
    va_start(args, format);
    std::string line = TraceWriter::FormatLineAt(local, ms, tid, format, args);
    va_end(args);
    return line;
}

TEST(TraceFormat, PrefixFields) {
    struct Case { int h, m, s; long ms; unsigned tid; const char* expected; };
    const Case cases[] = {
        {0, 0, 0, 0, 0x1A2B, "0:00:00.000 [    1A2B] x\n"},      // midnight: hour unpadded, no date
        {23, 59, 59, 999, 0xDEADBEEF, "23:59:59.999 [DEADBEEF] x\n"},
        {9, 5, 7, 42, 7, "9:05:07.042 [       7] x\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatAt(c.h, c.m, c.s, c.ms, c.tid, "x\n"), c.expected);
}

TEST(TraceFormat, LineIsCutAt1024Characters) {
    const std::string longText(3000, 'a');
    const std::string line = FormatAt(1, 2, 3, 4, 5, "%s\n", longText.c_str());
    EXPECT_EQ(line.size(), TraceWriter::MAX_LINE);
    EXPECT_EQ(line.rfind("1:02:03.004 [       5] aaa", 0), 0u);
}

TEST_F(TraceTest, OffWritesNothing) {
    TracePrint("WmApp::InitInstance()\n");
    WgTracePrint("Enter x\n");
    EXPECT_FALSE(fs::exists(root_ / "Zelvo.txt"));
    EXPECT_FALSE(fs::exists(root_ / "wmapp.txt"));
}

TEST_F(TraceTest, DebugModeChoosesTheTarget) {
    // Only 1 means file, only 2 means console; anything else is off.
    for (unsigned long mode : {0ul, 3ul, 7ul, 0xFFFFFFFFul}) {
        SetTraceMode(mode);
        EXPECT_FALSE(g_bTraceToFile || g_bTraceToConsole) << mode;
    }
    SetTraceMode(1);
    EXPECT_TRUE(g_bTraceToFile && !g_bTraceToConsole);
    SetTraceMode(2);
    EXPECT_TRUE(!g_bTraceToFile && g_bTraceToConsole);
}

TEST_F(TraceTest, FileLinesCarryTheCallersThreadAndTheLiteralMessage) {
    SetTraceMode(1);
    const std::string outside = "net%s%d%n";  // a network name from outside, written as it is
    TracePrint("WmApp::InitInstance() %s\n", outside.c_str());
    unsigned otherTid = 0;
    std::thread([&] {
        otherTid = static_cast<unsigned>(syscall(SYS_gettid));
        TracePrint("from another thread\n");
    }).join();

    const auto lines = Lines("Zelvo.txt");
    ASSERT_EQ(lines.size(), 2u);
    const std::regex prefix(R"(^\d{1,2}:\d{2}:\d{2}\.\d{3} \[([ 0-9A-F]{8})\] (.*)$)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, prefix)) << lines[0];
    EXPECT_EQ(std::stoul(m[1].str(), nullptr, 16), static_cast<unsigned long>(syscall(SYS_gettid)));
    EXPECT_EQ(m[2].str(), "WmApp::InitInstance() net%s%d%n");
    ASSERT_TRUE(std::regex_match(lines[1], m, prefix)) << lines[1];
    EXPECT_EQ(std::stoul(m[1].str(), nullptr, 16), otherTid);
    EXPECT_FALSE(fs::exists(root_ / "wmapp.txt"));  // the two logs never mix
}

TEST_F(TraceTest, FileDeletedWhileRunningIsStartedAgain) {
    SetTraceMode(1);
    TracePrint("one\n");
    fs::remove(root_ / "Zelvo.txt");
    TracePrint("two\n");
    const auto lines = Lines("Zelvo.txt");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("two"), std::string::npos);
}

TEST_F(TraceTest, ConsoleModeWritesToStandardOutputOnly) {
    SetTraceMode(2);
    testing::internal::CaptureStdout();
    TracePrint("to console %d\n", 5);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("] to console 5\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(root_ / "Zelvo.txt"));
}

TEST_F(TraceTest, LibraryTraceHasItsOwnSwitchAndFile) {
    SetTraceMode(1);
    WgTracePrint("not yet\n");
    WgSetTrace(true);
    WgTracePrint("Enter WgAdapterMonitor::StartMonitoring\n");
    const auto lines = Lines("wmapp.txt");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("] Enter WgAdapterMonitor::StartMonitoring"), std::string::npos);
    EXPECT_FALSE(fs::exists(root_ / "Zelvo.txt"));
}

TEST_F(TraceTest, ConcurrentWritersKeepLinesWhole) {
    WgSetTrace(true);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 200; ++i) WgTracePrint("writer %d line %03d %s\n", t, i, std::string(100, 'x').c_str());
        });
    for (auto& thread : threads) thread.join();
    const auto lines = Lines("wmapp.txt");
    ASSERT_EQ(lines.size(), 800u);
    const std::regex whole(R"(^\d{1,2}:\d{2}:\d{2}\.\d{3} \[[ 0-9A-F]{8}\] writer \d line \d{3} x{100}$)");
    for (const auto& line : lines) EXPECT_TRUE(std::regex_match(line, whole)) << line;
}

}  // namespace
