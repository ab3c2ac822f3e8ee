#pragma once
// A fresh ZELVO_ROOT (with its own program folder) per test, the program's and the default OEM
// resources in the chain, and, for SimUiTest, the simulated client library with a status source
// over its first adapter.
#include "tests/support/ProgramEnvironment.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include "platform/ResourceChain.h"
#include "wmapp/WmResources.h"
#include "wmapp/WmStatusSourceClient.h"
#include "wmapp/WmTrace.h"
#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimWorldParser.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"
#include "zelgui/services/WgSettings.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_environment.Open("ui", ZELVO_TEST_BINDIR), "");
        m_root = m_environment.Root();
        g_bTraceToFile = true;
    }

    void TearDown() override {
        g_bTraceToFile = false;
        m_environment.Close();
    }

    static QString S(unsigned id) { return ResourceChain::Instance().LoadString(id); }

    std::string Trace() const {
        std::ifstream in(m_root + "/Zelvo.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ProgramEnvironment m_environment;
    std::string m_root;
};

class SimUiTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        if (HasFatalFailure()) return;
        std::filesystem::create_directories(m_root + "/zelcore");
        WriteWorld(World());
        SimControl::Reset();
        std::string error;
        m_client = ZelcoreLoader::Load(ZELVO_TEST_BINDIR, 0x20000, &error);
        ASSERT_NE(m_client, nullptr) << error;
        WgClientRoot::Set(m_client);
        m_source = std::make_unique<WmStatusSourceClient>(m_client);
    }

    void TearDown() override {
        m_source.reset();
        WgAdapterMonitorManager::destroy();
        WgClientRoot::Set(nullptr);
        if (m_client) m_client->Release();
        SimControl::Reset();
        UiTest::TearDown();
    }

    // The world the library starts with: the built-in one with quick connection steps.
    virtual SimWorld World() {
        SimWorld world = SimDefaultWorld::Build();
        world.stepMs = 5;
        return world;
    }

    void WriteWorld(const SimWorld& world) {
        const std::string path = m_root + "/zelcore/world.json";
        {
            std::ofstream out(path + ".new", std::ios::binary);
            out << SimWorldParser::Write(world);
        }
        std::filesystem::rename(path + ".new", path);
    }

    // Stores a WPA2 passphrase profile for the built-in "HomeNet".
    WcProfile* HomeProfile(const std::string& name = "Home") {
        WcProfileManager* store = m_source->ProfileManager();
        WcProfile* profile = nullptr;
        EXPECT_EQ(store->CreateProfile(0, &profile), WC_STATUS_SUCCESS);
        if (!profile) return nullptr;
        WcProfileData d;
        EXPECT_EQ(profile->GetData(&d), WC_STATUS_SUCCESS);
        d.profileName = name;
        d.networkType = WC_NETWORK_TYPE_INFRASTRUCTURE;
        d.wirelessModes = 0;
        d.ssid = {"HomeNet", "", ""};
        d.securityType = WC_SECURITY_PSK;
        d.wpaMode = 1;
        d.encryptionOn = 1;
        d.passphrase = "correct horse battery";
        d.passphraseBits = static_cast<uint32_t>(d.passphrase.size() * 8);
        EXPECT_EQ(profile->SetData(&d), WC_STATUS_SUCCESS);
        return profile;
    }

    // Activates the profile through the client API and waits until the adapter has its address.
    bool Connect(WcProfile* profile) {
        if (!profile || m_source->AdapterConfig()->SetActiveProfile(profile, WC_ACTIVATE_NORMAL) != WC_STATUS_SUCCESS)
            return false;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            uint32_t state = 0;
            std::string ip;
            if (m_source->GetAdapterState(state) && state == 901 && m_source->GetIPAddress(ip) && !ip.empty()) {
                m_source->RunMonitorCycle();
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    bool SetRadio(uint32_t state) {
        WcAdapterDriver* driver = nullptr;
        if (m_source->Adapter()->GetAdapterDriver(&driver, 0) != WC_STATUS_SUCCESS) return false;
        const bool ok = driver->SetRadioState(state) == WC_STATUS_SUCCESS;
        SimControl::WaitForEvents(2000);
        m_source->RunMonitorCycle();
        return ok;
    }

    Zelcore* m_client = nullptr;
    std::unique_ptr<WmStatusSourceClient> m_source;
};

// A world without any adapter.
class NoAdapterUiTest : public SimUiTest {
protected:
    SimWorld World() override {
        SimWorld world = SimUiTest::World();
        world.adapters.clear();
        return world;
    }
};
