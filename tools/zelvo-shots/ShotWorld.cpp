#include "ShotWorld.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/ResourceChain.h"
#include "wmapp/WmEventNames.h"
#include "wmapp/WmResources.h"
#include "wmapp/WmStatusSourceClient.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"

ShotWorld::~ShotWorld() {
    if (m_listening) m_source->Adapter()->UnregisterForEvents(&m_events);
    m_source.reset();
    WgAdapterMonitorManager::destroy();
    WgClientRoot::Set(nullptr);
    if (m_client) m_client->Release();
    ResourceChain::Instance().SetCurrent(nullptr);
    if (m_oem) ResourceChain::Instance().Unload(m_oem);
    WmResources::Unregister();
    if (!m_root.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
}

bool ShotWorld::Open(const std::string& binDir, std::string* error) {
    char pattern[] = "/tmp/zelvo-shots-XXXXXX";
    if (!mkdtemp(pattern)) {
        *error = "cannot make a temporary folder";
        return false;
    }
    m_root = pattern;
    setenv("ZELVO_ROOT", m_root.c_str(), 1);
    WmResources::Register();
    m_oem = ResourceChain::Instance().Load(binDir + "/oemres.so", error);
    if (!m_oem) return false;
    ResourceChain::Instance().SetCurrent(m_oem);
    m_client = ZelcoreLoader::Load(binDir, 0x20000, error);
    if (!m_client) return false;
    WgClientRoot::Set(m_client);
    m_source = std::make_unique<WmStatusSourceClient>(m_client);
    if (!m_source->HasAdapter()) {
        *error = "the simulated world has no adapter";
        return false;
    }
    return true;
}

namespace {

WcProfile* StoreProfile(WcProfileManager* store, const std::string& name, const std::string& ssid,
                        int32_t security, const std::string& passphrase) {
    WcProfile* profile = nullptr;
    if (store->CreateProfile(0, &profile) != WC_STATUS_SUCCESS || !profile) return nullptr;
    WcProfileData d;
    if (profile->GetData(&d) != WC_STATUS_SUCCESS) return nullptr;
    d.profileName = name;
    d.networkType = WC_NETWORK_TYPE_INFRASTRUCTURE;
    d.wirelessModes = 0;
    d.ssid = {ssid, "", ""};
    d.securityType = security;
    if (security == WC_SECURITY_PSK) {
        d.wpaMode = 1;
        d.encryptionOn = 1;
        d.passphrase = passphrase;
        d.passphraseBits = static_cast<uint32_t>(passphrase.size() * 8);
    }
    return profile->SetData(&d) == WC_STATUS_SUCCESS ? profile : nullptr;
}

}  // namespace

bool ShotWorld::Connect(std::string* error) {
    WcProfileManager* store = m_source->ProfileManager();
    WcProfile* home = StoreProfile(store, "Home", "HomeNet", WC_SECURITY_PSK, "correct horse battery");
    StoreProfile(store, "Cafe", "CafeFree", WC_SECURITY_DISABLED, "");
    m_listening = m_source->Adapter()->RegisterForEvents(&m_events, 0xFFFFFFFFu) == WC_STATUS_SUCCESS;
    if (!home || m_source->AdapterConfig()->SetActiveProfile(home, WC_ACTIVATE_NORMAL) != WC_STATUS_SUCCESS) {
        *error = "cannot store or activate the profile";
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        uint32_t state = 0;
        std::string ip;
        if (m_source->GetAdapterState(state) && state == 901 && m_source->GetIPAddress(ip) && !ip.empty()) {
            m_source->RunMonitorCycle();
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    *error = "the adapter did not connect";
    return false;
}

void ShotWorld::EventLog::OnStatusEvent(uint32_t type, uint32_t status, const char* extra, WcAdapter*) {
    std::lock_guard lock(m_mutex);
    m_lines.push_back(WmEventNames::HistoryText(WmEventNames::StatusName(type, status), extra));
}

std::vector<std::string> ShotWorld::EventLog::Lines() {
    std::lock_guard lock(m_mutex);
    return m_lines;
}

std::vector<std::string> ShotWorld::EventLines() {
    // The last steps' events may still be on their way.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    return m_events.Lines();
}
