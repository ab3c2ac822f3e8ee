#pragma once
// A fresh ZELVO_ROOT per test, the client library loaded the way the program loads it, and sinks
// that record what the library delivers.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/WcUtility.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimWorldParser.h"

struct RecordedEvent {
    uint32_t type;
    uint32_t status;
    std::optional<std::string> extra;
};

// Waits with a deadline for what another thread records.
template <typename T>
class Recorder {
public:
    void Add(T item) {
        {
            std::lock_guard lock(m_mutex);
            m_items.push_back(std::move(item));
        }
        m_cv.notify_all();
    }
    std::vector<T> Items() {
        std::lock_guard lock(m_mutex);
        return m_items;
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_items.clear();
    }
    bool WaitFor(const std::function<bool(const std::vector<T>&)>& done, int timeoutMs = 5000) {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return done(m_items); });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::vector<T> m_items;
};

class EventSink : public WcAdapterEventSink {
public:
    void OnStatusEvent(uint32_t type, uint32_t status, const char* extra, WcAdapter*) override {
        events.Add({type, status, extra ? std::optional<std::string>(extra) : std::nullopt});
    }
    bool WaitForEvent(uint32_t type, uint32_t status, int timeoutMs = 5000) {
        return events.WaitFor(
            [&](const std::vector<RecordedEvent>& all) {
                for (const auto& e : all)
                    if (e.type == type && e.status == status) return true;
                return false;
            },
            timeoutMs);
    }
    Recorder<RecordedEvent> events;
};

class ManagerSink : public WcAdapterManagerSink {
public:
    uint32_t GetVersion() override { return 1; }
    uint32_t OnAdapterEvent(uint32_t flags, WcAdapter*) override {
        flagsSeen.Add(flags);
        return 0;
    }
    bool WaitForFlag(uint32_t flag, int timeoutMs = 5000) {
        return flagsSeen.WaitFor(
            [&](const std::vector<uint32_t>& all) {
                for (uint32_t f : all)
                    if (f & flag) return true;
                return false;
            },
            timeoutMs);
    }
    Recorder<uint32_t> flagsSeen;
};

class ZelcoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zelcore-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        setenv("ZELVO_ROOT", m_root.c_str(), 1);
        std::filesystem::create_directories(m_root + "/zelcore");
        if (auto world = InitialWorld()) WriteWorld(*world);
        SimControl::Reset();
        std::string error;
        root = ZelcoreLoader::Load(ZELCORE_TEST_LIBDIR, 0x20000, &error);
        ASSERT_NE(root, nullptr) << error;
        ASSERT_EQ(root->GetAdapterManager(&manager, 0), WC_STATUS_SUCCESS);
        ASSERT_EQ(root->GetUtility(&utility, 0), WC_STATUS_SUCCESS);
        ASSERT_EQ(root->GetProfileManager(&profiles, 0), WC_STATUS_SUCCESS);
        uint32_t count = 0;
        if (manager->GetAdapterCount(&count) == WC_STATUS_SUCCESS && count > 0) {
            ASSERT_EQ(manager->GetAdapter(0, &adapter), WC_STATUS_SUCCESS);
            ASSERT_EQ(adapter->GetAdapterDriver(&driver, 0), WC_STATUS_SUCCESS);
            ASSERT_EQ(adapter->GetAdapterConfig(&config, 0), WC_STATUS_SUCCESS);
        }
    }

    void TearDown() override {
        if (adapter) {
            adapter->UnregisterForEvents(&sink);
            adapter->Release();
        }
        if (manager) {
            manager->UnregisterForEvents(&managerSink, 0xFFFFFFFFu);
            manager->Release();
        }
        if (utility) utility->Release();
        if (root) root->Release();
        SimControl::Reset();
        std::filesystem::remove_all(m_root);
    }

    // The world written before the library starts; none means the built-in world.
    virtual std::optional<SimWorld> InitialWorld() { return std::nullopt; }

    // The built-in world with short connection steps, so tests do not wait long.
    static SimWorld QuickWorld() {
        SimWorld world = SimDefaultWorld::Build();
        world.stepMs = 10;
        return world;
    }

    void WriteWorld(const SimWorld& world) { WriteWorldText(SimWorldParser::Write(world)); }

    // Replaces the file the way an editor would: a new file renamed over the old one.
    void WriteWorldText(const std::string& text) {
        const std::string path = m_root + "/zelcore/world.json";
        {
            std::ofstream out(path + ".new", std::ios::binary);
            out << text;
        }
        std::filesystem::rename(path + ".new", path);
    }

    // A stored profile; `edit` fills in its network and secret.
    WcProfile* MakeProfile(const std::string& name, const std::function<void(WcProfileData&)>& edit) {
        WcProfile* profile = nullptr;
        EXPECT_EQ(profiles->CreateProfile(0, &profile), WC_STATUS_SUCCESS);
        if (!profile) return nullptr;
        WcProfileData data;
        EXPECT_EQ(profile->GetData(&data), WC_STATUS_SUCCESS);
        data.profileName = name;
        data.networkType = WC_NETWORK_TYPE_INFRASTRUCTURE;
        data.wirelessModes = 0;
        edit(data);
        EXPECT_EQ(profile->SetData(&data), WC_STATUS_SUCCESS);
        return profile;
    }

    static void Psk(WcProfileData& d, const std::string& ssid, const std::string& passphrase) {
        d.ssid = {ssid, "", ""};
        d.securityType = WC_SECURITY_PSK;
        d.wpaMode = 1;
        d.encryptionOn = 1;
        d.passphrase = passphrase;
        d.passphraseBits = static_cast<uint32_t>(passphrase.size() * 8);
    }

    uint32_t State() {
        uint32_t state = 0;
        EXPECT_EQ(adapter->GetState(&state), WC_STATUS_SUCCESS);
        return state;
    }

    bool WaitForState(uint32_t wanted, int timeoutMs = 5000) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < deadline) {
            if (State() == wanted) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    std::string m_root;
    Zelcore* root = nullptr;
    WcAdapterManager* manager = nullptr;
    WcUtility* utility = nullptr;
    WcProfileManager* profiles = nullptr;
    WcAdapter* adapter = nullptr;
    WcAdapterDriver* driver = nullptr;
    WcAdapterConfig* config = nullptr;
    EventSink sink;
    ManagerSink managerSink;
};

// Tests that drive connections use the built-in networks with short steps.
class QuickWorldTest : public ZelcoreTest {
protected:
    std::optional<SimWorld> InitialWorld() override { return QuickWorld(); }
};
