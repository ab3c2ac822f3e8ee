// The main window on the simulated adapter: built, initialised, sent messages and ticked by hand,
// with a recording tray icon and power events played from the test.
#include "tests/support/ProgramEnvironment.h"
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTabWidget>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/FakeTrayIcon.h"
#include "platform/MessageBox.h"
#include "platform/PowerEvents.h"
#include "platform/ResourceChain.h"
#include "platform/ResourceMenuBuilder.h"
#include "wmapp/WmAppConfig.h"
#include "wmapp/WmAppPropSheet.h"
#include "wmapp/WmHelp.h"
#include "wmapp/WmHistoryPage.h"
#include "wmapp/WmLinkStatusPage.h"
#include "wmapp/WmResources.h"
#include "wmapp/WmStatusSourceConfig.h"
#include "wmapp/WmTrace.h"
#include "wmapp/WmTrayIcon.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterDriver.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimWorldParser.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"
#include "zelgui/monitor/WgLibraryLock.h"
#include "zelgui/services/WgSettings.h"

namespace {

inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

class PlayedPowerEvents : public PowerEvents {
public:
    bool IsListening() const override { return true; }
};

// The adapter context's answers, with the active profile and the options a test decides.
class ScriptedSource : public WmStatusSourceConfig {
public:
    std::map<int, DWORD> options;
    std::optional<std::string> activeName;
    std::optional<bool> disabled;
    DWORD GetInstallOption(int index) override {
        auto it = options.find(index);
        return it != options.end() ? it->second : WmStatusSourceConfig::GetInstallOption(index);
    }
    bool GetActiveProfileName(std::string& name) override {
        if (!activeName) return WmStatusSourceConfig::GetActiveProfileName(name);
        name = *activeName;
        return true;
    }
    bool IsProfileDisabled(const std::string& name, bool& value) override {
        if (!activeName) return WmStatusSourceConfig::IsProfileDisabled(name, value);
        if (!disabled) return false;
        value = *disabled;
        return true;
    }
};

bool SpinUntil(const std::function<bool()>& done, int ms = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents();
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_environment.Open("mainwindow", ZELVO_TEST_BINDIR), "");
        m_root = m_environment.Root();
        std::filesystem::create_directories(m_root + "/zelcore");
        std::filesystem::create_directories(m_root + "/registry");
        SetTraceMode(1);
        SimWorld world = SimDefaultWorld::Build();
        world.stepMs = 5;
        std::ofstream(m_root + "/zelcore/world.json") << SimWorldParser::Write(world);
    }

    void TearDown() override {
        sheet.reset();
        if (config) config->SetMainWindow(nullptr);
        config.reset();
        WgAdapterMonitorManager::destroy();
        WgClientRoot::Set(nullptr);
        if (client) client->Release();
        client = nullptr;
        SimControl::Reset();
        MessageBox::SetTestHook({});
        WmHelp::SetOpenHook({});
        SetTraceMode(0);
        m_environment.Close();
    }

    // Machine settings (written before the adapter context reads them).
    void SetMachine(const std::vector<std::pair<std::string, unsigned>>& values) {
        std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Kovanta\\Zelvo\\Settings]\r\n";
        char line[160];
        for (const auto& [name, value] : values) {
            std::snprintf(line, sizeof line, "\"%s\"=dword:%08x\r\n", name.c_str(), value);
            text += line;
        }
        std::ofstream(m_root + "/registry/HKEY_LOCAL_MACHINE.reg", std::ios::binary) << text;
    }

    // The client library and the adapter context on the default world.
    void OpenContext() {
        SimControl::Reset();
        std::string error;
        client = ZelcoreLoader::Load(ZELVO_TEST_BINDIR, 0x20000, &error);
        ASSERT_NE(client, nullptr) << error;
        WgClientRoot::Set(client);
        config = std::make_unique<WmAppConfig>(client);
        ASSERT_TRUE(config->Init());
    }

    // The window with a recording tray icon and played power events; init runs when asked.
    void MakeSheet(bool init = true, bool showAtStart = true, std::unique_ptr<WmStatusSource> source = nullptr) {
        WmAppPropSheet::Parts parts;
        parts.source = std::move(source);
        auto tray = std::make_unique<FakeTrayIcon>();
        auto power = std::make_unique<PlayedPowerEvents>();
        tray_ = tray.get();
        power_ = power.get();
        parts.trayIcon = std::move(tray);
        parts.powerEvents = std::move(power);
        parts.trayAvailable = [this] { return trayAvailable; };
        sheet = std::make_unique<WmAppPropSheet>(QStringLiteral("Zelvo"), std::move(parts));
        sheet->SetShowAtStart(showAtStart);
        if (config) config->SetMainWindow(sheet.get());
        if (init) sheet->OnInitDialog();
    }

    QStringList PageCaptions() const {
        QStringList captions;
        for (int i = 0; i < sheet->Sheet()->count(); ++i) captions << sheet->Sheet()->tabText(i);
        return captions;
    }

    QMenu* Popup(int index) const {
        const QList<QAction*> tops = sheet->MenuBar()->actions();
        return index < tops.size() ? tops[index]->menu() : nullptr;
    }

    // Opens a popup of the menu bar (its shaping runs) and returns the item of the command.
    QAction* OpenAndFind(int popup, unsigned id) const {
        QMenu* menu = Popup(popup);
        if (!menu) return nullptr;
        emit menu->aboutToShow();
        return ResourceMenuBuilder::FindCommand(menu, id);
    }

    bool WaitForMonitor() {
        return SpinUntil([] {
            long rssi = 0;
            return WmAppConfig::Monitor() && WmAppConfig::Monitor()->GetRSSI(&rssi) == WG_SUCCESS;
        });
    }

    // Stores a WPA2 profile for the default world's "HomeNet" and activates it.
    bool ConnectHome(const std::string& name = "Home") {
        WcProfile* profile = nullptr;
        if (WmAppConfig::ProfileManager()->CreateProfile(0, &profile) != WC_STATUS_SUCCESS || !profile) return false;
        WcProfileData d;
        profile->GetData(&d);
        d.profileName = name;
        d.networkType = WC_NETWORK_TYPE_INFRASTRUCTURE;
        d.ssid = {"HomeNet", "", ""};
        d.securityType = WC_SECURITY_PSK;
        d.wpaMode = 1;
        d.encryptionOn = 1;
        d.passphrase = "correct horse battery";
        d.passphraseBits = static_cast<uint32_t>(d.passphrase.size() * 8);
        if (profile->SetData(&d) != WC_STATUS_SUCCESS) return false;
        return WmAppConfig::AdapterConfig()->SetActiveProfile(profile, WC_ACTIVATE_NORMAL) == WC_STATUS_SUCCESS;
    }

    std::string Trace() const {
        std::ifstream in(m_root + "/Zelvo.txt");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    ProgramEnvironment m_environment;
    std::string m_root;
    Zelcore* client = nullptr;
    std::unique_ptr<WmAppConfig> config;
    std::unique_ptr<WmAppPropSheet> sheet;
    FakeTrayIcon* tray_ = nullptr;
    PlayedPowerEvents* power_ = nullptr;
    bool trayAvailable = true;  // the desktop has a notification area
};

const QString kStatus = QStringLiteral("Current Status");
const QString kProfiles = QStringLiteral("Profile Management");
const QString kDiagnostics = QStringLiteral("Diagnostics");
const QString kHistory = QStringLiteral("Events History");

TEST_F(MainWindowTest, PagesFollowProfileManagementAndHistorySettings) {
    const struct {
        unsigned manage, history;
        QStringList pages;
    } cases[] = {
        {1, 0, {kStatus, kProfiles, kDiagnostics}},
        {0, 0, {kStatus, kDiagnostics}},
        {0, 1, {kStatus, kDiagnostics, kHistory}},
        {1, 7, {kStatus, kProfiles, kDiagnostics, kHistory}},
    };
    for (const auto& c : cases) {
        SetMachine({{"EnableProfileManagement", c.manage}, {"DisplayHistory", c.history}});
        OpenContext();
        MakeSheet();
        EXPECT_EQ(PageCaptions(), c.pages) << c.manage << " " << c.history;
        TearDown();
        SetUp();
    }
}

TEST_F(MainWindowTest, ProfilePageFollowsItsSettingWithDiagnosticsAfterIt) {
    SetMachine({{"DisplayHistory", 1}});
    OpenContext();
    auto source = std::make_unique<ScriptedSource>();
    ScriptedSource* scripted = source.get();
    MakeSheet(true, true, std::move(source));
    EXPECT_EQ(PageCaptions(), (QStringList{kStatus, kProfiles, kDiagnostics, kHistory}));
    scripted->options[5] = 0;
    sheet->SyncProfilePage();
    EXPECT_EQ(PageCaptions(), (QStringList{kStatus, kHistory, kDiagnostics}));
    sheet->SyncProfilePage();  // already in step: nothing moves
    EXPECT_EQ(PageCaptions(), (QStringList{kStatus, kHistory, kDiagnostics}));
    scripted->options[5] = 1;
    sheet->SyncProfilePage();
    EXPECT_EQ(PageCaptions(), (QStringList{kStatus, kHistory, kProfiles, kDiagnostics}));
}

TEST_F(MainWindowTest, MenuBarIsShapedEachTimeAPopupOpens) {
    SetMachine({{"ShowTray", 0}});
    OpenContext();
    MakeSheet();
    ASSERT_TRUE(WaitForMonitor());
    const QList<QAction*> tops = sheet->MenuBar()->actions();
    ASSERT_EQ(tops.size(), 3);
    EXPECT_EQ(tops[0]->text(), "&Action");
    EXPECT_EQ(tops[1]->text(), "&Options");
    EXPECT_EQ(tops[2]->text(), "&Help");

    QAction* tray = OpenAndFind(0, 32772);
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->text(), "Enable &Tray Icon");
    QAction* radio = ResourceMenuBuilder::FindCommand(Popup(0), 32771);
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->text(), "Disable &Radio");
    EXPECT_TRUE(radio->isEnabled());
    QAction* about = OpenAndFind(2, 32784);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->text(), "&About " + ResourceChain::Instance().LoadString(8100));

    // The user switches the tray on and the radio off: the next opening shows both.
    sheet->OnCommand(32772);
    sheet->OnCommand(32771);
    SimControl::WaitForEvents(2000);
    ASSERT_TRUE(SpinUntil([] {
        uint32_t state = 0;
        return WmAppConfig::AdapterDriver()->GetRadioState(&state) == WC_STATUS_SUCCESS && state == 1;
    }));
    EXPECT_EQ(OpenAndFind(0, 32772)->text(), "Disable &Tray Icon");
    EXPECT_EQ(radio->text(), "Enable &Radio");
    EXPECT_TRUE(radio->isEnabled());
    QAction* display = OpenAndFind(1, 32780);
    ASSERT_NE(display, nullptr);
    EXPECT_FALSE(display->isEnabled());
    EXPECT_FALSE(ResourceMenuBuilder::FindCommand(Popup(1), 33303)->isEnabled());
}

TEST_F(MainWindowTest, VendorThreeHasNoRadioItem) {
    SetMachine({{"Vendor", 3}});
    OpenContext();
    MakeSheet();
    QAction* radio = OpenAndFind(0, 32771);
    EXPECT_TRUE(radio == nullptr || !radio->isVisible());
}

TEST_F(MainWindowTest, TitleChangesOnlyWithTheProfileOrItsDisabledState) {
    OpenContext();
    auto source = std::make_unique<ScriptedSource>();
    ScriptedSource* scripted = source.get();
    MakeSheet(true, true, std::move(source));
    const QString caption = ResourceChain::Instance().LoadString(8102);
    EXPECT_EQ(sheet->windowTitle(), caption);
    int changes = 0;
    QObject::connect(sheet.get(), &QWidget::windowTitleChanged, [&] { ++changes; });
    const struct {
        const char* name;
        std::optional<bool> disabled;
        bool changed;
        QString title;
    } steps[] = {
        {"Home", false, true, caption + " - Current Profile: Home"},
        {"Home", false, false, caption + " - Current Profile: Home"},
        {"HOME", false, false, caption + " - Current Profile: Home"},  // letter case alone: kept
        {"HOME", true, true, caption + " - Current Profile: HOME (Disabled)"},
        {"Office", true, true, caption + " - Current Profile: Office (Disabled)"},
        {"Office", std::nullopt, true, caption + " - Current Profile: Office"},
    };
    for (const auto& s : steps) {
        scripted->activeName = s.name;
        scripted->disabled = s.disabled;
        changes = 0;
        sheet->OnTimer(WmAppPropSheet::TIMER_ID);
        EXPECT_EQ(changes, s.changed ? 1 : 0) << s.name;
        EXPECT_EQ(sheet->windowTitle(), s.title) << s.name;
    }
    EXPECT_NE(Trace().find("WmAppPropSheet::TitleBarTimer(): Failed to get disable status\n"), std::string::npos);
}

TEST_F(MainWindowTest, ExitAndCloseEndTheProgramOnlyWithoutTheTray) {
    enum class Way { ExitCommand, CloseBox, TrayExit };
    const struct {
        unsigned showTray;
        Way way;
        bool ends;
        bool notificationArea = true;
    } cases[] = {
        {0, Way::ExitCommand, true}, {0, Way::CloseBox, true},  {0, Way::TrayExit, true},
        {1, Way::ExitCommand, false}, {1, Way::CloseBox, false}, {1, Way::TrayExit, true},
        // No notification area to come back from: the window is not hidden away for good.
        {1, Way::CloseBox, true, false},
    };
    for (const auto& c : cases) {
        SetMachine({{"ShowTray", c.showTray}});
        OpenContext();
        trayAvailable = c.notificationArea;
        MakeSheet();
        bool finished = false;
        QObject::connect(sheet.get(), &QDialog::finished, [&] { finished = true; });
        ASSERT_TRUE(sheet->isVisible());
        if (c.way == Way::ExitCommand) sheet->OnCommand(32779);
        if (c.way == Way::CloseBox) sheet->close();
        if (c.way == Way::TrayExit) sheet->OnCommand(32776);
        SpinUntil([&] { return finished; }, 300);
        const std::string name = std::to_string(c.showTray) + "/" + std::to_string(static_cast<int>(c.way));
        EXPECT_EQ(finished, c.ends) << name;
        EXPECT_FALSE(sheet->isVisible()) << name;
        if (c.ends) {
            EXPECT_EQ(sheet->result(), QDialog::Rejected) << name;
        } else {
            EXPECT_FALSE(sheet->WindowShown()) << name;
            sheet->PostWindowMessage(WmAppPropSheet::WM_LAUNCH_APP);  // a later start brings it back
            EXPECT_TRUE(SpinUntil([&] { return sheet->isVisible(); }, 2000)) << name;
        }
        TearDown();
        SetUp();
    }
}

TEST_F(MainWindowTest, EscapeDoesNotEndTheProgram) {
    OpenContext();
    MakeSheet();
    bool finished = false;
    QObject::connect(sheet.get(), &QDialog::finished, [&] { finished = true; });
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(sheet.get(), &escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(finished);
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(MainWindowTest, TrayToggleShowsAndRemovesTheIconAndStoresTheChoice) {
    SetMachine({{"ShowTray", 1}});
    OpenContext();
    MakeSheet();
    ASSERT_TRUE(WaitForMonitor());
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);
    ASSERT_TRUE(tray_->IsShown());
    EXPECT_NE(sheet->TrayIconObject()->LastPicture(), 0u);

    sheet->OnCommand(32772);
    EXPECT_FALSE(tray_->IsShown());
    EXPECT_FALSE(sheet->TrayEnabled());
    EXPECT_EQ(WgSettings::MachineDword(WgSettings::Machine::ShowTray), 0u);
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);  // the next tick keeps it away
    EXPECT_FALSE(tray_->IsShown());

    sheet->OnCommand(32772);
    EXPECT_TRUE(tray_->IsShown());
    EXPECT_EQ(WgSettings::MachineDword(WgSettings::Machine::ShowTray), 1u);

    // A restarted panel gets the icon back.
    const size_t before = tray_->Changes().size();
    sheet->SendWindowMessage(WmAppPropSheet::TaskbarCreatedMessage(), 0, 0);
    EXPECT_TRUE(tray_->IsShown());
    EXPECT_GT(tray_->Changes().size(), before);
}

TEST_F(MainWindowTest, AdapterEventsReachTheHistoryPage) {
    SetMachine({{"DisplayHistory", 1}});
    OpenContext();
    MakeSheet();
    ASSERT_NE(sheet->HistoryPage(), nullptr);
    const std::string text = "WC_AUTH_STATUS_FAILED: bad key";
    EXPECT_TRUE(sheet->SendWindowMessage(WmAppPropSheet::AdapterStatusEventMessage(), reinterpret_cast<uintptr_t>(text.c_str()), 0));
    EXPECT_EQ(sheet->HistoryPage()->History(), "WC_AUTH_STATUS_FAILED: bad key");
    EXPECT_EQ(sheet->EventTexts(), QStringList{"WC_AUTH_STATUS_FAILED: bad key"});

    // A real connection's events arrive from the library's threads.
    ASSERT_TRUE(ConnectHome());
    EXPECT_TRUE(SpinUntil([&] { return sheet->HistoryPage()->History().contains("WC_ASSOCIATE_STATUS_CONNECTED"); }))
        << sheet->HistoryPage()->History().toStdString();
    EXPECT_TRUE(sheet->HistoryPage()->History().startsWith("WC_AUTH_STATUS_FAILED: bad key\r\n"));
}

TEST_F(MainWindowTest, TickRefreshesTheActivePageOnlyWhileVisible) {
    OpenContext();
    MakeSheet(true, false);
    ASSERT_TRUE(ConnectHome());
    ASSERT_TRUE(SpinUntil([] {
        std::string name;
        return WmAppConfig::AdapterConfig()->GetActiveProfileName(&name) == WC_STATUS_SUCCESS && name == "Home";
    }));
    WmLinkStatusPage* page = sheet->LinkStatusPage();
    ASSERT_EQ(sheet->ActivePage(), page);
    const QString before = page->ControlText(WmLinkStatusPage::IDC_PROFILE_NAME);
    EXPECT_NE(before, "Home");
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);
    EXPECT_EQ(page->ControlText(WmLinkStatusPage::IDC_PROFILE_NAME), before);  // hidden: not redrawn

    sheet->OnTrayLaunchApp();
    ASSERT_TRUE(sheet->isVisible());
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);
    EXPECT_EQ(page->ControlText(WmLinkStatusPage::IDC_PROFILE_NAME), "Home");
}

TEST_F(MainWindowTest, TickNeverWaitsForABusyMonitor) {
    SetMachine({{"ShowTray", 1}});
    OpenContext();
    auto source = std::make_unique<ScriptedSource>();
    ScriptedSource* scripted = source.get();
    MakeSheet(true, true, std::move(source));
    ASSERT_TRUE(WaitForMonitor());
    // A collection cycle stuck inside the client library holds the GUI library's lock.
    std::mutex m;
    std::condition_variable cv;
    bool held = false, tickDone = false, gaveUp = false;
    std::thread stuck([&] {
        std::lock_guard<std::recursive_mutex> library(WgLibraryLock());
        std::unique_lock<std::mutex> l(m);
        held = true;
        cv.notify_all();
        gaveUp = !cv.wait_for(l, std::chrono::seconds(20), [&] { return tickDone; });
    });
    {
        std::unique_lock<std::mutex> l(m);
        cv.wait(l, [&] { return held; });
    }
    scripted->activeName = "Office";
    scripted->disabled = false;
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);
    {
        std::lock_guard<std::mutex> l(m);
        tickDone = true;
    }
    cv.notify_all();
    stuck.join();
    EXPECT_FALSE(gaveUp);  // the tick came back while the lock was still held
    EXPECT_TRUE(sheet->windowTitle().endsWith(" - Current Profile: Office"));
    EXPECT_FALSE(tray_->IsShown());  // the monitor's part waits for a free tick
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);
    EXPECT_TRUE(tray_->IsShown());
}

TEST_F(MainWindowTest, StartedWithoutWindowNeverAppearsUntilAsked) {
    OpenContext();
    MakeSheet(true, false);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_FALSE(sheet->WindowShown());
    sheet->show();
    sheet->setVisible(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(sheet->isVisible());
    bool finished = false;
    QObject::connect(sheet.get(), &QDialog::finished, [&] { finished = true; });
    SpinUntil([&] { return finished; }, 100);
    EXPECT_FALSE(finished);  // the hidden window keeps the program running
    EXPECT_EQ(Trace().find("ShowMainWindow = true"), std::string::npos);

    sheet->PostWindowMessage(WmAppPropSheet::WM_LAUNCH_APP);
    EXPECT_TRUE(SpinUntil([&] { return sheet->isVisible(); }, 2000));
}

TEST_F(MainWindowTest, SuspendPausesAndResumeRestartsTheMonitor) {
    OpenContext();
    MakeSheet();
    WgAdapterMonitor* monitor = WmAppConfig::Monitor();
    ASSERT_NE(monitor, nullptr);
    ASSERT_TRUE(WaitForMonitor());
    EXPECT_EQ(monitor->GetRunState(), WgAdapterMonitor::RUN_STATE_RUNNING);
    power_->Notify(PowerEvents::Kind::Suspend);
    EXPECT_EQ(monitor->GetRunState(), WgAdapterMonitor::RUN_STATE_PAUSED);
    power_->Notify(PowerEvents::Kind::Resume);
    EXPECT_EQ(monitor->GetRunState(), WgAdapterMonitor::RUN_STATE_RUNNING);
}

TEST(MainWindowHelp, ContextTopicsByPage) {
    struct Case { int page; bool zeroConfigOn; unsigned topic; };
    const Case cases[] = {
        {0, false, 0x20090}, {0, true, 0x20090}, {1, false, 0x20095}, {1, true, 0x20091},
        {2, false, 0x20091}, {2, true, 0x20091}, {3, false, 0x20090},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WmAppPropSheet::ContextHelpTopic(c.page, c.zeroConfigOn), c.topic) << c.page << " " << c.zeroConfigOn;
}

TEST_F(MainWindowTest, F1OpensTheManualAtThePagesTopic) {
    OpenContext();
    MakeSheet();
    std::vector<QString> opened;
    WmHelp::SetOpenHook([&](const QString& path) {
        opened.push_back(path);
        return true;
    });
    std::filesystem::create_directories(m_root + "/app/manual");
    std::ofstream(m_root + "/app/manual/index.htm") << "<html></html>";
    sheet->Sheet()->setCurrentIndex(2);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(sheet.get(), &f1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toStdString(), m_root + "/app/manual/index.htm#topic-20091");
}

TEST_F(MainWindowTest, HelpOpensTheManualOrSaysItIsMissing) {
    OpenContext();
    MakeSheet();
    std::vector<QString> opened;
    std::vector<MessageBox::Request> boxes;
    WmHelp::SetOpenHook([&](const QString& path) {
        opened.push_back(path);
        return true;
    });
    MessageBox::SetTestHook([&](const MessageBox::Request& r) {
        boxes.push_back(r);
        return MessageBox::Answer::Ok;
    });
    sheet->OnCommand(32774);
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.contains("manual/index.htm"));

    std::filesystem::create_directories(m_root + "/app/manual");
    std::ofstream(m_root + "/app/manual/index.htm") << "<html></html>";
    sheet->OnCommand(32774);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toStdString(), m_root + "/app/manual/index.htm");
    EXPECT_EQ(boxes.size(), 1u);

    sheet->OnCommand(32784);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.contains(ResourceChain::Instance().LoadString(8100)));
    EXPECT_TRUE(boxes[1].text.contains("Version "));
}

TEST_F(MainWindowTest, TrayProfileItemActivatesThatProfile) {
    SetMachine({{"ShowTray", 1}});
    OpenContext();
    MakeSheet();
    ASSERT_TRUE(WaitForMonitor());
    sheet->OnTimer(WmAppPropSheet::TIMER_ID);
    WcProfile* profile = nullptr;
    ASSERT_EQ(WmAppConfig::ProfileManager()->CreateProfile(0, &profile), WC_STATUS_SUCCESS);
    WcProfileData d;
    profile->GetData(&d);
    d.profileName = "Office";
    d.ssid = {"OfficeNet", "", ""};
    ASSERT_EQ(profile->SetData(&d), WC_STATUS_SUCCESS);
    ASSERT_TRUE(ConnectHome());

    const QStringList menu = tray_->OpenMenu();
    ASSERT_EQ(sheet->TrayProfileNames(), (std::vector<std::string> {"Office", "Home"})) << menu.join('\n').toStdString();
    EXPECT_TRUE(sheet->OnCommand(32900));
    std::string name;
    EXPECT_TRUE(SpinUntil([&] {
        return WmAppConfig::AdapterConfig()->GetActiveProfileName(&name) == WC_STATUS_SUCCESS && name == "Office";
    }));
    uint32_t aps = 1;
    ASSERT_EQ(WmAppConfig::AdapterConfig()->IsAPSActive(&aps), WC_STATUS_SUCCESS);
    EXPECT_EQ(aps, 0u);
    // A position beyond the list does nothing.
    EXPECT_TRUE(sheet->OnCommand(32902));
    EXPECT_TRUE(SpinUntil([&] { return WmAppConfig::AdapterConfig()->GetActiveProfileName(&name) == WC_STATUS_SUCCESS; }));
    EXPECT_EQ(name, "Office");
}

TEST_F(MainWindowTest, ManualLoginWithoutActiveProfileSaysSo) {
    OpenContext();
    MakeSheet();
    sheet->OnCommand(32775);
    const std::string trace = Trace();
    const size_t enter = trace.find("WmAppPropSheet::OnActionManualLeapLogin() Enter\n");
    ASSERT_NE(enter, std::string::npos);
    EXPECT_NE(trace.find("WmAppPropSheet::OnActionManualLeapLogin() Failed to get active profile\n", enter), std::string::npos)
        << trace;
    ASSERT_TRUE(ConnectHome());
    sheet->OnCommand(32775);
    EXPECT_NE(Trace().find("WmAppPropSheet::OnActionManualLeapLogin() SetActive ok\n"), std::string::npos);
}

}  // namespace
