#pragma once
// A fresh ZELVO_ROOT per test, removed afterwards, and small helpers on the store.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "zelcore/WcProfileManager.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimProfileManager.h"

class TestRoot : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zelvo-profilestore-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        setenv("ZELVO_ROOT", root_.c_str(), 1);
        SimControl::ClearFailures();
    }
    void TearDown() override {
        SimControl::ClearFailures();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    std::string DataDir() const { return root_ + "/zelcore"; }
    std::string StoreFile() const { return DataDir() + "/profiles.dat"; }

    static WcProfileData Named(const std::string& name) {
        WcProfileData data = SimProfileManager::Defaults();
        data.profileName = name;
        return data;
    }
    static WcProfile* Store(WcProfileManager& store, const WcProfileData& data) {
        WcProfile* profile = nullptr;
        EXPECT_EQ(store.CreateProfile(0, &profile), WC_STATUS_SUCCESS);
        if (!profile) return nullptr;
        EXPECT_EQ(profile->SetData(&data), WC_STATUS_SUCCESS) << data.profileName;
        return profile;
    }
    static WcProfile* Store(WcProfileManager& store, const std::string& name) { return Store(store, Named(name)); }
    // The names in store order, by the first/next walk.
    static std::vector<std::string> Names(WcProfileManager& store) {
        std::vector<std::string> names;
        WcProfile* p = nullptr;
        for (WcStatus s = store.GetFirstProfile(&p); s == WC_STATUS_SUCCESS && p; s = store.GetNextProfile(&p)) {
            std::string name;
            EXPECT_EQ(p->GetName(&name), WC_STATUS_SUCCESS);
            names.push_back(name);
        }
        return names;
    }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void WriteAll(const std::string& path, const std::string& text) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }

    std::string root_;
};
