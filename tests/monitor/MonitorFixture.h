#pragma once
// Fresh ZELVO_ROOT per test, the fake client root installed as the library's root, quick
// handshake limits, and helpers to read the library trace.
#include "FakeClient.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"
#include "zelgui/services/WgTrace.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

class MonitorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("zelvo-monitor-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
        setenv("ZELVO_ROOT", root_.c_str(), 1);
        WgSetTrace(false);
        WgClientRoot::Set(&fakeRoot_);
        WgAdapterMonitor::WaitLimits limits;
        limits.startSettle = std::chrono::milliseconds(0);
        WgAdapterMonitor::SetWaitLimits(limits);
    }
    void TearDown() override {
        WgAdapterMonitorManager::destroy();
        WgSetTrace(false);
        WgClientRoot::Set(nullptr);
        WgAdapterMonitor::SetWaitLimits(WgAdapterMonitor::WaitLimits());
        std::filesystem::remove_all(root_);
    }
    std::string Trace() const {
        std::ifstream in(root_ / "wmapp.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Polls cond for up to 10 s; the threaded cases never rely on a time limit for correctness.
    template <class Cond>
    static bool Eventually(Cond cond) {
        for (int i = 0; i < 1000; ++i) {
            if (cond()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return cond();
    }

    std::filesystem::path root_;
    FakeRoot fakeRoot_;
};
