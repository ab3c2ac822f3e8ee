// The adapter context against the simulated client library, in this process.
#include "wmapp/WmAppConfig.h"

#include "platform/WindowMessage.h"
#include "wmapp/WmAppPropSheet.h"
#include "wmapp/WmTrace.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelcore/sim/SimControl.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"

#include "StartupTestSupport.h"

#include <map>
#include <sys/stat.h>
#include <utime.h>

namespace {

std::string Adapter(const std::string& id, const std::string& name, const std::string& mac, bool enabled = true) {
    return "{\"id\":\"" + id + "\",\"name\":\"" + name + "\",\"mac\":\"" + mac + "\",\"enabled\":" +
           (enabled ? "true" : "false") + "}";
}

std::string World(const std::vector<std::string>& adapters) {
    std::string list;
    for (const auto& a : adapters) list += (list.empty() ? "" : ",") + a;
    return "{\"version\":1,\"stepMs\":10,\"adapters\":[" + list + "],\"accessPoints\":[]}";
}

class AppConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root / "app");
        std::filesystem::create_symlink(std::string(ZELVO_TEST_BIN_DIR) + "/libzelcoreU.so", root / "app/libzelcoreU.so");
        setenv("ZELVO_APPDIR", (root / "app").c_str(), 1);
        SetTraceMode(1);
    }

    void TearDown() override {
        config.reset();
        window.reset();
        WgAdapterMonitorManager::destroy();
        WgClientRoot::Release();
        if (client) client->Release();
        SimControl::Reset();
        SetTraceMode(0);
        unsetenv("ZELVO_APPDIR");
        unsetenv("ZELVO_READONLY_HIVES");
    }

    // Starts the client library on world and makes the context (without Init).
    void Open(const std::string& world) {
        WriteFile(root / "zelcore/world.json", world);
        SimControl::Reset();
        std::string error;
        client = ZelcoreLoader::Load(root / "app", 0x20000, &error);
        ASSERT_NE(client, nullptr) << error;
        config = std::make_unique<WmAppConfig>(client);
    }

    void OpenWithWindow(const std::string& world) {
        Open(world);
        window = std::make_unique<WmAppPropSheet>(QStringLiteral("Zelvo"));
        config->SetMainWindow(window.get());
    }

    std::vector<std::string> Trace() { return TraceMessages(root / "Zelvo.txt"); }
    std::string AdapterName() {
        std::string name;
        if (WmAppConfig::Adapter()) WmAppConfig::Adapter()->GetName(&name);
        return name;
    }

    FreshRoot root;
    Zelcore* client = nullptr;
    std::unique_ptr<WmAppConfig> config;
    std::unique_ptr<WmAppPropSheet> window;
};

TEST_F(AppConfigTest, InitTracesEachStepAndChoosesTheFirstUsableAdapter) {
    Open(World({Adapter("wlan0", "First", "00-40-96-00-00-01", false), Adapter("wlan1", "Second", "00-40-96-00-00-02")}));
    EXPECT_TRUE(config->Init());
    EXPECT_EQ(AdapterName(), "Second");
    EXPECT_EQ(config->AdapterName(), "Second");
    EXPECT_NE(WmAppConfig::AdapterDriver(), nullptr);
    EXPECT_NE(WmAppConfig::AdapterConfig(), nullptr);
    EXPECT_NE(WmAppConfig::Monitor(), nullptr);
    EXPECT_NE(WmAppConfig::ProfileManager(), nullptr);
    EXPECT_EQ(Trace(), (std::vector<std::string>{
                           "DeInit: WcAdapterManager not UnRegistered",
                           "Got WcAdapterManager",
                           "Found 2 no of Adapters",
                           "Got WcAdapter, using index: 1",
                           "Got WcAdapterDriver",
                           "Got WcAdapterConfig",
                           "Got WgAdapterMonitor",
                           "Registered for Events with AdapterManager",
                           "Got WcProfileManager",
                           "Got WcConfigManager",
                           "Got WcUtility",
                       }));
}

TEST_F(AppConfigTest, AdapterChoice) {
    struct Case {
        std::vector<std::string> adapters;
        std::string chosen;
        std::string indexLine;  // empty: no usable adapter was traced
    };
    const Case cases[] = {
        {{Adapter("a", "A", "02-00-00-00-00-01"), Adapter("b", "B", "02-00-00-00-00-02")}, "A", "Got WcAdapter, using index: 0"},
        // Only disabled adapters: the first is still held.
        {{Adapter("a", "A", "02-00-00-00-00-01", false), Adapter("b", "B", "02-00-00-00-00-02", false)}, "A", ""},
        {{}, "", ""},
    };
    for (const Case& c : cases) {
        Open(World(c.adapters));
        config->Init();
        EXPECT_EQ(AdapterName(), c.chosen);
        const auto trace = Trace();
        EXPECT_EQ(Contains(trace, "Failed to get WcAdapter"), c.chosen.empty());
        bool indexTraced = false;
        for (const auto& line : trace) indexTraced = indexTraced || line.rfind("Got WcAdapter, using index", 0) == 0;
        EXPECT_EQ(indexTraced, !c.indexLine.empty());
        if (!c.indexLine.empty()) {
            EXPECT_TRUE(Contains(trace, c.indexLine));
        }
        config.reset();
        WgAdapterMonitorManager::destroy();
        client->Release();
        client = nullptr;
        std::filesystem::remove(root / "Zelvo.txt");
    }
}

TEST_F(AppConfigTest, InstallOptions) {
    struct Case {
        std::vector<std::pair<std::string, unsigned>> machine, user;
        std::map<int, DWORD> expected;  // indexes not named keep their defaults
        DWORD vendor;
    };
    const std::map<int, DWORD> defaults = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {7, 0},
                                           {8, 0}, {9, 0}, {10, 1}, {11, 0}, {12, 0}, {13, 0}, {14, 0}, {-1, 0}};
    const Case cases[] = {
        {{}, {}, {}, 0},
        {{{"EnableProfileManagement", 0}, {"UserCreateProfile", 1}}, {}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}}, 0},
        // The AND is bitwise on the stored numbers.
        {{{"EnableProfileManagement", 6}, {"UserEditProfile", 3}, {"UserDeleteProfile", 4}}, {}, {{0, 0}, {1, 2}, {2, 4}, {3, 0}, {4, 0}, {5, 6}}, 0},
        {{{"ForceAutoProfile", 1}, {"LimitTrayFunctionalities", 1}, {"DatFileReq", 1}, {"AllowModifyAutoPACSetting", 0},
          {"UsePrivateProfiles", 1}, {"UpdateExistingProfile", 0}, {"Vendor", 3}},
         {{"PACFilesExist", 1}, {"DisableOnLAN", 1}},
         {{6, 0}, {7, 1}, {8, 1}, {9, 1}, {10, 0}, {11, 1}, {12, 1}, {13, 1}},
         3},
        // Machine values set in the user's hive do not count, and the other way round.
        {{{"DisableOnLAN", 1}}, {{"LimitTrayFunctionalities", 1}}, {}, 0},
    };
    for (const Case& c : cases) {
        WriteFile(root / "registry/HKEY_LOCAL_MACHINE.reg", MachineHive(c.machine));
        WriteFile(root / "registry/HKEY_CURRENT_USER.reg", UserHive(c.user));
        // A user who may not write the machine settings still reads them.
        setenv("ZELVO_READONLY_HIVES", "HKLM", 1);
        WmAppConfig options(nullptr);
        for (auto [index, value] : defaults) {
            const DWORD wanted = c.expected.count(index) ? c.expected.at(index) : value;
            EXPECT_EQ(options.GetInstallOption(index), wanted) << "option " << index;
        }
        EXPECT_EQ(options.GetVendor(), c.vendor);
    }
}

TEST_F(AppConfigTest, DisableOnLanIsKeptAndStored) {
    WmAppConfig options(nullptr);
    EXPECT_EQ(options.SetDisableOnLAN(1), 1u);
    EXPECT_EQ(options.GetInstallOption(13), 1u);
    EXPECT_NE(ReadFile(root / "registry/HKEY_CURRENT_USER.reg").find("\"DisableOnLAN\"=dword:00000001"), std::string::npos);
    EXPECT_EQ(WmAppConfig(nullptr).GetInstallOption(13), 1u);
}

TEST_F(AppConfigTest, AdministratorFileCountsOnlyWhenRequired) {
    const std::string file = root / "app/KovantaAdminConfig.dat";
    {
        WriteFile(root / "registry/HKEY_LOCAL_MACHINE.reg", MachineHive({}));
        WmAppConfig options(nullptr);
        EXPECT_EQ(options.AdminConfigPath(), file);
        WriteFile(file, "x");
        EXPECT_FALSE(options.IsAdminConfigChanged());
        options.StoreAdminConfigTimestamp();
        EXPECT_FALSE(std::filesystem::exists(root / "registry/HKEY_CURRENT_USER.reg"));
    }
    std::filesystem::remove(file);
    WriteFile(root / "registry/HKEY_LOCAL_MACHINE.reg", MachineHive({{"DatFileReq", 1}}));
    WmAppConfig options(nullptr);
    EXPECT_FALSE(options.IsAdminConfigChanged());  // no file
    // First look for this user: the key is made and marked.
    EXPECT_NE(ReadFile(root / "registry/HKEY_CURRENT_USER.reg").find("\"InitZelvo\"=dword:00000001"), std::string::npos);

    WriteFile(file, "x");
    struct utimbuf times {1000000, 1000000};
    ASSERT_EQ(::utime(file.c_str(), &times), 0);
    EXPECT_TRUE(options.IsAdminConfigChanged());
    options.StoreAdminConfigTimestamp();
    EXPECT_FALSE(options.IsAdminConfigChanged());
    times = {1000001, 1000001};
    ASSERT_EQ(::utime(file.c_str(), &times), 0);
    EXPECT_TRUE(options.IsAdminConfigChanged());
}

TEST_F(AppConfigTest, NotificationWithBothFlagsIsARemovalOnly) {
    OpenWithWindow(World({Adapter("wlan0", "Only", "02-00-00-00-00-01")}));
    config->Init();
    ASSERT_NE(WmAppConfig::Adapter(), nullptr);
    EXPECT_EQ(config->OnAdapterEvent(WC_NOTIFY_ADAPTER_REMOVED | WC_NOTIFY_ADAPTER_INSERT, nullptr), 0u);
    EXPECT_TRUE(SpinUntil([] { return WmAppConfig::Adapter() == nullptr; }, 5000));
    EXPECT_EQ(WmAppConfig::Monitor(), nullptr);
    const auto trace = Trace();
    EXPECT_TRUE(Contains(trace, "WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_REMOVED"));
    EXPECT_FALSE(Contains(trace, "WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_INSERT"));
    // The adapter is still plugged in, so its state has no removal line.
    EXPECT_FALSE(Contains(trace, "WmAppConfig: STATE: WC_ADAPTER_STATE_REMOVED"));
    EXPECT_FALSE(Contains(trace, "WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again "));

    EXPECT_EQ(config->OnAdapterEvent(WC_NOTIFY_ADAPTER_INSERT, nullptr), 0u);
    EXPECT_TRUE(SpinUntil([] { return WmAppConfig::Adapter() != nullptr && WmAppConfig::Monitor() != nullptr; }, 5000));
    EXPECT_TRUE(SpinUntil([&] { return Contains(Trace(), "WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again "); }));
    EXPECT_TRUE(InOrder(Trace(), {"WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_INSERT", "Found 1 no of Adapters",
                                  "Got WcAdapter, using index: 0", "Got WcAdapterConfig", "WmAppPropSheet::OnProfilesChanged()",
                                  "WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again "}));
}

TEST_F(AppConfigTest, StatusEventsOfTheChosenAdapterReachTheWindow) {
    OpenWithWindow(World({Adapter("wlan0", "Main", "02-00-00-00-00-01"), Adapter("wlan1", "Other", "02-00-00-00-00-02")}));
    config->Init();
    WcAdapter* chosen = WmAppConfig::Adapter();
    ASSERT_NE(chosen, nullptr);
    WcAdapter* other = nullptr;
    ASSERT_EQ(WmAppConfig::AdapterManager()->GetAdapter(1, &other), WC_STATUS_SUCCESS);

    config->OnStatusEvent(8, 9, "odd", chosen);
    config->OnStatusEvent(4, 1, nullptr, chosen);
    config->OnStatusEvent(8, 4, "The pre-shared key does not match", chosen);
    config->OnStatusEvent(4, 1, "elsewhere", other);
    config->OnStatusEvent(3, 0, nullptr, chosen);
    other->Release();

    EXPECT_EQ(window->EventTexts(), (QStringList{QStringLiteral("Unknown: odd"), QStringLiteral("WC_ASSOCIATE_STATUS_CONNECTED"),
                                                 QStringLiteral("WC_AUTH_STATUS_FAILED: The pre-shared key does not match"),
                                                 QStringLiteral("Unknown")}));
    EXPECT_TRUE(InOrder(Trace(), {"WmApp: Adapter Event: Unknown, ExtraInfo: odd, Adapter: Main",
                                  "WmApp: Adapter Event: WC_ASSOCIATE_STATUS_CONNECTED, ExtraInfo: , Adapter: Main",
                                  "WmApp: Adapter Event: WC_AUTH_STATUS_FAILED, ExtraInfo: The pre-shared key does not match, Adapter: Main",
                                  "WmApp: Adapter Event: WC_ASSOCIATE_STATUS_CONNECTED, ExtraInfo: elsewhere, Adapter: Other"}));
    // An unknown type has its own line, written without a line end.
    const std::string file = ReadFile(root / "Zelvo.txt");
    const size_t unknown = file.find("Unknown Adapter Status Event Type");
    ASSERT_NE(unknown, std::string::npos);
    EXPECT_NE(file[unknown + 33], '\n');
}

TEST_F(AppConfigTest, ProfileStoreChangeReselectsAfterTheEventWasHandled) {
    OpenWithWindow(World({Adapter("wlan0", "Main", "02-00-00-00-00-01")}));
    config->Init();
    WcAdapter* chosen = WmAppConfig::Adapter();
    WgAdapterMonitor* monitor = WmAppConfig::Monitor();
    const uint64_t unregistered = SimControl::CallCount("WcAdapter::UnregisterForEvents");
    config->OnStatusEvent(2, 3, nullptr, chosen);
    // Still the same adapter and registration while the event is being handled.
    EXPECT_EQ(WmAppConfig::Adapter(), chosen);
    EXPECT_EQ(window->EventTexts(), QStringList{QStringLiteral("WC_APS_STATUS_PROFILE_STORE_CHANGED")});
    int found = 0;
    for (const auto& line : Trace()) found += line == "Found 1 no of Adapters";
    EXPECT_EQ(found, 1);
    EXPECT_TRUE(SpinUntil([&] { return Contains(Trace(), "WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again "); }));
    found = 0;
    for (const auto& line : Trace()) found += line == "Found 1 no of Adapters";
    EXPECT_EQ(found, 2);
    // The same adapter keeps its registration and monitor, so no event of it is lost meanwhile.
    EXPECT_EQ(WmAppConfig::Adapter(), chosen);
    EXPECT_EQ(WmAppConfig::Monitor(), monitor);
    EXPECT_EQ(SimControl::CallCount("WcAdapter::UnregisterForEvents"), unregistered);
}

TEST_F(AppConfigTest, WrappersTraceTheirFailures) {
    Open(World({Adapter("wlan0", "Main", "02-00-00-00-00-01")}));
    config->Init();
    WcAdapter* a = WmAppConfig::Adapter();
    ASSERT_NE(a, nullptr);
    std::filesystem::remove(root / "Zelvo.txt");
    std::string text;
    uint32_t number = 0;
    EXPECT_FALSE(config->GetName(nullptr, text));
    EXPECT_TRUE(config->GetName(a, text));
    EXPECT_EQ(text, "Main");
    EXPECT_TRUE(config->GetMacAddress(a, text));
    EXPECT_EQ(text, "02-00-00-00-00-01");
    SimControl::FailNext("WcAdapterDriver::GetRadioState", WC_STATUS_FAILURE, 1);
    EXPECT_FALSE(config->GetRadioState(a, number));
    EXPECT_TRUE(config->GetRadioState(a, number));
    SimControl::FailNext("WcAdapterConfig::GetActiveProfileName", WC_STATUS_FAILURE, 1);
    text = "stale";
    EXPECT_FALSE(config->GetActiveProfileName(a, text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(config->SetActiveProfile(a, static_cast<WcProfile*>(nullptr), 0));
    EXPECT_FALSE(config->ClearCachedCredentials(a, nullptr));
    EXPECT_FALSE(config->GetActiveProfile(a, nullptr));
    EXPECT_TRUE(config->IsDriverUp(a));
    EXPECT_EQ(Trace(), (std::vector<std::string>{"Failed GetName()", "Failed GetRadioState()", "Failed GetActiveProfileName()",
                                                 "Failed SetActiveProfile(). Profile Null",
                                                 "Failed ClearCachedCredentials(). Profile Null"}));
}

TEST_F(AppConfigTest, ActiveProfileIndex) {
    Open(World({Adapter("wlan0", "Main", "02-00-00-00-00-01")}));
    config->Init();
    WcAdapter* a = WmAppConfig::Adapter();
    WcProfileManager* profiles = WmAppConfig::ProfileManager();
    ASSERT_NE(profiles, nullptr);
    EXPECT_EQ(config->GetActiveProfileIndex(a), -1);  // no profiles

    auto make = [&](const char* name) {
        WcProfile* profile = nullptr;
        EXPECT_EQ(profiles->CreateProfile(0, &profile), WC_STATUS_SUCCESS);
        WcProfileData data;
        profile->GetData(&data);
        data.profileName = name;
        EXPECT_EQ(profile->SetData(&data), WC_STATUS_SUCCESS);
        return profile;
    };
    make("First");
    EXPECT_EQ(config->GetActiveProfileIndex(a), -1);  // one profile, not active
    WcProfile* second = make("Second");
    ASSERT_EQ(WmAppConfig::AdapterConfig()->SetActiveProfile(second, 0), WC_STATUS_SUCCESS);
    EXPECT_EQ(config->GetActiveProfileIndex(a), 1);
}

}  // namespace
