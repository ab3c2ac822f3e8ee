// The real program started on a simulated world: what the trace, the settings, the message boxes
// and the main window's event texts show.
#include "StartupTestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <memory>

namespace {

const std::string kBin = ZELVO_TEST_BIN_DIR;

const char kHomeNet[] =
    "{\"ssid\":\"HomeNet\",\"bssid\":\"00-14-6C-10-20-01\",\"channel\":6,\"mode\":\"g\","
    "\"security\":\"wpa2-psk\",\"secret\":\"correct horse battery\",\"signal\":-50,\"subnet\":\"192.168.1\"}";

std::string AdapterJson(const std::string& id, const std::string& name, const std::string& mac, bool enabled = true,
                        bool present = true) {
    return "{\"id\":\"" + id + "\",\"name\":\"" + name + "\",\"mac\":\"" + mac + "\",\"infraModes\":[\"b\",\"g\"],\"enabled\":" +
           (enabled ? "true" : "false") + ",\"present\":" + (present ? "true" : "false") + "}";
}

std::string WorldJson(const std::vector<std::string>& adapters, const std::string& accessPoints = "") {
    std::string list;
    for (const auto& a : adapters) list += (list.empty() ? "" : ",") + a;
    return "{\"version\":1,\"stepMs\":20,\"adapters\":[" + list + "],\"accessPoints\":[" + accessPoints + "]}";
}

const std::string kOneAdapter = WorldJson({AdapterJson("wlan0", "Main", "02-00-00-00-00-01")});

const char kIdle[] = "WmAppPropSheet::SetWindowShowState,  ShowMainWindow = false";
const char kShown[] = "WmAppPropSheet::SetWindowShowState,  ShowMainWindow = true";

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root / "app");
        Link("libzelcoreU.so");
        Link("oemres.so");
        SetMachine({});
        WriteFile(root / "zelcore/world.json", kOneAdapter);
    }

    void TearDown() override {
        for (auto& process : m_processes) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }

    void Link(const std::string& name, const std::string& from = kBin) {
        std::filesystem::create_symlink(from + "/" + name, root / ("app/" + name));
    }

    // Machine settings: DebugMode 1 (trace to file) and the values given.
    void SetMachine(std::vector<std::pair<std::string, unsigned>> values, bool debug = true) {
        if (debug) values.insert(values.begin(), {"DebugMode", 1});
        WriteFile(root / "registry/HKEY_LOCAL_MACHINE.reg", MachineHive(values));
    }

    QProcess& Start(const QStringList& arguments = {}, const std::string& locale = "C") {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ZELVO_ROOT", QString::fromStdString(root.Path()));
        env.insert("ZELVO_APPDIR", QString::fromStdString(root / "app"));
        env.insert("ZELVO_MESSAGEBOX_LOG", QString::fromStdString(root / "boxes.txt"));
        env.insert("ZELVO_EVENTS_LOG", QString::fromStdString(root / "events.txt"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("LC_ALL", QString::fromStdString(locale));
        env.insert("TZ", "UTC");
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->setStandardOutputFile(QProcess::nullDevice());
        process->start(QString::fromStdString(kBin + "/Zelvo"), arguments);
        EXPECT_TRUE(process->waitForStarted(10000));
        m_processes.push_back(std::move(process));
        return *m_processes.back();
    }

    // Ends a running program as a shutdown would; its exit code.
    static int Stop(QProcess& process) {
        process.terminate();
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return process.exitCode();
    }

    // Waits for a program that ends by itself; its exit code.
    static int Finish(QProcess& process) {
        EXPECT_TRUE(process.waitForFinished(30000)) << "the program did not end by itself";
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return process.exitCode();
    }

    std::vector<std::string> Trace() { return TraceMessages(root / "Zelvo.txt"); }
    int TraceCount(const std::string& line) {
        int count = 0;
        for (const auto& l : Trace()) count += l == line;
        return count;
    }
    bool WaitForTrace(const std::string& line, int count = 1, int timeoutMs = 30000) {
        return SpinUntil([&] { return TraceCount(line) >= count; }, timeoutMs);
    }

    FreshRoot root;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

TEST_F(ProgramTest, StartsTracesEachStepAndEndsCleanly) {
    WriteFile(root / "zelcore/world.json", WorldJson({AdapterJson("wlan0", "First", "02-00-00-00-00-01", false),
                                                      AdapterJson("wlan1", "Second", "02-00-00-00-00-02")}));
    QProcess& program = Start();
    ASSERT_TRUE(WaitForTrace(kShown));
    EXPECT_EQ(Stop(program), 0);
    EXPECT_TRUE(InOrder(Trace(), {"WmApp::InitInstance()", "DeInit: WcAdapterManager not UnRegistered", "Got WcAdapterManager",
                                  "Found 2 no of Adapters", "Got WcAdapter, using index: 1", "Got WcAdapterDriver",
                                  "Got WcAdapterConfig", "Got WgAdapterMonitor", "Registered for Events with AdapterManager",
                                  "Got WcProfileManager", "Got WcConfigManager", "Got WcUtility", kShown}))
        << ReadFile(root / "Zelvo.txt");
    EXPECT_FALSE(Contains(Trace(), "WmApp::InitInstance() GUI disabled by parameter passed"));
    EXPECT_FALSE(std::filesystem::exists(root / "boxes.txt"));
    // The instance is free again.
    EXPECT_FALSE(std::filesystem::exists(root / "run/KovWmAppRunning"));
}

TEST_F(ProgramTest, DamagedMachineHiveIsReadAsFarAsValidAndTraced) {
    WriteFile(root / "registry/HKEY_LOCAL_MACHINE.reg",
              MachineHive({{"DebugMode", 1}}) + "\"Broken\"=dword:zz\r\n\x01\x02junk");
    QProcess& program = Start();
    ASSERT_TRUE(WaitForTrace(kShown));
    EXPECT_EQ(Stop(program), 0);
    const auto trace = Trace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace[0], "WmApp::InitInstance()");
    bool reported = false;
    for (const auto& line : trace) reported |= line.rfind("Registry: malformed hive", 0) == 0;
    EXPECT_TRUE(reported) << ReadFile(root / "Zelvo.txt");
}

TEST_F(ProgramTest, OnlyDebugModeOneTracesToTheFile) {
    for (unsigned mode : {0u, 2u, 3u}) {
        SetMachine({{"DebugMode", mode}}, false);
        QProcess& program = Start({"-nogui"});
        // Without a trace, the instance socket tells that the program is up.
        EXPECT_TRUE(SpinUntil([&] { return std::filesystem::exists(root / "run/KovWmAppRunning"); }, 30000));
        // The client library's own log gets the raw number: any non-zero level logs a bad world file.
        std::filesystem::remove(root / "zelcore.log");
        WriteFile(root / "zelcore/world.json", "{");
        const bool logged = SpinUntil([&] { return std::filesystem::exists(root / "zelcore.log"); }, 3000);
        EXPECT_EQ(logged, mode != 0) << "DebugMode " << mode;
        EXPECT_EQ(Stop(program), 0);
        EXPECT_FALSE(std::filesystem::exists(root / "Zelvo.txt")) << "DebugMode " << mode;
        WriteFile(root / "zelcore/world.json", kOneAdapter);
    }
}

TEST_F(ProgramTest, WithoutWindowShowTrayIsCreatedOnlyWhenAbsent) {
    struct Case {
        const char* flag;
        std::vector<std::pair<std::string, unsigned>> machine;
        const char* showTray;  // in the hive afterwards
    };
    const Case cases[] = {
        {"-nogui", {}, "\"ShowTray\"=dword:00000001"},
        {"/NoGui", {{"ShowTray", 0}}, "\"ShowTray\"=dword:00000000"},
        {"-NOGUI", {{"ShowTray", 2}}, "\"ShowTray\"=dword:00000002"},
    };
    for (const Case& c : cases) {
        SetMachine(c.machine);
        std::filesystem::remove(root / "Zelvo.txt");
        QProcess& program = Start({c.flag});
        ASSERT_TRUE(WaitForTrace(kIdle)) << c.flag;
        EXPECT_EQ(Stop(program), 0);
        EXPECT_TRUE(InOrder(Trace(), {"Got WcUtility", "WmApp::InitInstance() GUI disabled by parameter passed", kIdle}));
        EXPECT_FALSE(Contains(Trace(), kShown));
        EXPECT_NE(ReadFile(root / "registry/HKEY_LOCAL_MACHINE.reg").find(c.showTray), std::string::npos) << c.flag;
    }
}

TEST_F(ProgramTest, LimitedTrayStartsHidden) {
    SetMachine({{"LimitTrayFunctionalities", 1}});
    QProcess& program = Start();
    ASSERT_TRUE(WaitForTrace(kIdle));
    EXPECT_EQ(Stop(program), 0);
    EXPECT_TRUE(InOrder(Trace(), {"WmApp::InitInstance() GUI disabled from GetInstallOption()", kIdle}));
    EXPECT_EQ(ReadFile(root / "registry/HKEY_LOCAL_MACHINE.reg").find("ShowTray"), std::string::npos);
}

TEST_F(ProgramTest, ASecondStartShowsTheFirstWindowAndEnds) {
    QProcess& first = Start({"-nogui"});
    ASSERT_TRUE(WaitForTrace(kIdle));

    QProcess& second = Start();
    EXPECT_EQ(Finish(second), 0);
    ASSERT_TRUE(WaitForTrace(kShown));
    EXPECT_TRUE(InOrder(Trace(), {"WmApp::InitInstance() WmApp instance already running",
                                  "WmApp::InitInstance() Finding existing WmApp instance",
                                  "WmApp::InitInstance() WmApp instance found. Launch App"}));
    EXPECT_TRUE(InOrder(Trace(), {"WmAppPropSheet::OnTrayLaunchApp Launching WmApp", kShown}));

    // A start without window ends silently: nothing is asked of the running one.
    QProcess& third = Start({"-nogui"});
    EXPECT_EQ(Finish(third), 0);
    EXPECT_EQ(TraceCount("WmApp::InitInstance() WmApp instance already running"), 2);
    EXPECT_EQ(TraceCount("WmApp::InitInstance() Finding existing WmApp instance"), 1);
    EXPECT_EQ(TraceCount("WmAppPropSheet::OnTrayLaunchApp Launching WmApp"), 1);

    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(Stop(first), 0);
}

TEST_F(ProgramTest, TwoQuickStartsNeverBothRun) {
    QProcess& a = Start({"-nogui"});
    QProcess& b = Start({"-nogui"});
    ASSERT_TRUE(WaitForTrace("WmApp::InitInstance() WmApp instance already running"));
    EXPECT_TRUE(SpinUntil([&] { return a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning; }, 30000));
    QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
    QProcess& running = &ended == &a ? b : a;
    EXPECT_EQ(ended.exitCode(), 0);
    EXPECT_EQ(running.state(), QProcess::Running);
    EXPECT_EQ(Stop(running), 0);
    EXPECT_EQ(TraceCount("WmApp::InitInstance() WmApp instance already running"), 1);
    EXPECT_EQ(TraceCount(kIdle), 1);
}

TEST_F(ProgramTest, MissingClientLibraryEndsAtOnce) {
    std::filesystem::remove(root / "app/libzelcoreU.so");
    QProcess& program = Start();
    EXPECT_EQ(Finish(program), 1);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"WmApp::InitInstance()", "WmApp::InitInstance() Load Zelcore failed"}));
    EXPECT_FALSE(std::filesystem::exists(root / "boxes.txt"));
}

TEST_F(ProgramTest, OlderClientLibraryEndsBeforeTheGuiLibraryComesUp) {
    std::filesystem::remove(root / "app/libzelcoreU.so");
    Link("libzelcoreU.so", ZELVO_FAKE_V1_DIR);
    QProcess& program = Start();
    EXPECT_EQ(Finish(program), 1);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"WmApp::InitInstance()", "WmApp::InitInstance() Invalid Zelcore version"}));
    // The program's root was asked for and released; the GUI library never asked for its own.
    EXPECT_EQ(ReadLines(root / "fake-zelcore.txt"), (std::vector<std::string>{"load 131072", "release"}));
}

TEST_F(ProgramTest, MissingOemLibraryShowsOneBoxAndEnds) {
    std::filesystem::remove(root / "app/oemres.so");
    struct Case {
        std::string locale;
        std::string box;
    };
    // A German user with the German program texts installed reads the German message.
    Link("Zelvoloc7.so");
    const Case cases[] = {
        {"C", "Zelvo\tCannot load resource file oemres.so\tOK\tNONE"},
        {"de_DE.UTF-8", "Zelvo\tDie Ressourcendatei oemres.so kann nicht geladen werden\tOK\tNONE"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(root / "boxes.txt");
        std::filesystem::remove(root / "Zelvo.txt");
        QProcess& program = Start({}, c.locale);
        EXPECT_EQ(Finish(program), 1);
        EXPECT_EQ(ReadLines(root / "boxes.txt"), std::vector<std::string>{c.box});
        const auto trace = Trace();
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace.back(), "WmApp::InitInstance() Failed to Load resource DLL");
        EXPECT_FALSE(Contains(trace, "Got WcAdapterManager"));
        EXPECT_FALSE(std::filesystem::exists(root / "run/KovWmAppRunning"));
    }
}

TEST_F(ProgramTest, AdapterEventsReachTheMainWindowInOrder) {
    WriteFile(root / "zelcore/world.json",
              WorldJson({AdapterJson("wlan0", "Main", "02-00-00-00-00-01"), AdapterJson("wlan1", "Other", "02-00-00-00-00-02")},
                        kHomeNet));
    WriteFile(root / "zelcore/profiles.dat",
              "ZELVO-PROFILE-STORE 1\nnext-id = 2\nprofile 1\nprofileName = \"Home\"\nssid[0] = \"HomeNet\"\n"
              "networkType = 1\nwirelessModes = 0\nsecurityType = 7\nwpaMode = 1\nencryptionOn = 1\n"
              "passphrase = \"not the passphrase\"\npassphraseBits = 144\nend profile\nend\n");
    std::filesystem::permissions(root / "zelcore/profiles.dat", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    // Both adapters walk their automatic list and fail authentication, again and again.
    WriteFile(root / "zelcore/adapters.json",
              "{\"wlan0\":{\"activeProfile\":\"\",\"aps\":true,\"autoList\":[\"Home\"]},"
              "\"wlan1\":{\"activeProfile\":\"\",\"aps\":true,\"autoList\":[\"Home\"]}}");
    QProcess& program = Start();
    const std::vector<std::string> round = {"WC_APS_STATUS_ACTIVATE_PROFILE: Home",
                                            "WC_ASSOCIATE_STATUS_CONNECTED",
                                            "WC_AUTH_STATUS_IN_PROGRESS",
                                            "WC_AUTH_STATUS_FAILED: The pre-shared key does not match the network's",
                                            "WC_AUTH_ERROR_WPAPSK_KEY: Home",
                                            "WC_ASSOCIATE_STATUS_DISCONNECTED"};
    auto hasRound = [&] {
        const auto lines = ReadLines(root / "events.txt");
        for (size_t i = 0; i + round.size() <= lines.size(); ++i)
            if (std::equal(round.begin(), round.end(), lines.begin() + static_cast<long>(i))) return true;
        return false;
    };
    EXPECT_TRUE(SpinUntil(hasRound, 30000)) << ReadFile(root / "events.txt");
    EXPECT_EQ(Stop(program), 0);
    for (const auto& line : ReadLines(root / "events.txt")) EXPECT_NE(line.find("WC_"), std::string::npos) << line;
    EXPECT_TRUE(Contains(Trace(), "WmApp: Adapter Event: WC_AUTH_STATUS_FAILED, ExtraInfo: The pre-shared key does not match the network's, Adapter: Main"));
    // The other adapter is not the chosen one: none of its events were traced or shown.
    for (const auto& line : Trace()) EXPECT_EQ(line.find("Adapter: Other"), std::string::npos) << line;
}

TEST_F(ProgramTest, RemovingAndInsertingTheAdapterReselectsIt) {
    QProcess& program = Start();
    ASSERT_TRUE(WaitForTrace(kShown));
    WriteFile(root / "zelcore/world.json", WorldJson({AdapterJson("wlan0", "Main", "02-00-00-00-00-01", true, false)}));
    ASSERT_TRUE(WaitForTrace("WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_REMOVED"));
    WriteFile(root / "zelcore/world.json", kOneAdapter);
    ASSERT_TRUE(WaitForTrace("WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again "));
    EXPECT_EQ(Stop(program), 0);
    EXPECT_TRUE(InOrder(Trace(), {"WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_REMOVED", "WmAppConfig: STATE: WC_ADAPTER_STATE_REMOVED",
                                  "WmAppConfig: EVENT: WC_NOTIFY_ADAPTER_INSERT", "Found 1 no of Adapters",
                                  "Got WcAdapter, using index: 0", "Got WcAdapterDriver", "Got WcAdapterConfig",
                                  "WmAppPropSheet::OnProfilesChanged()",
                                  "WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again "}))
        << ReadFile(root / "Zelvo.txt");
    EXPECT_FALSE(Contains(Trace(), "Failed to get WcAdapterMonitor"));
}

}  // namespace
