#include "wmapp/WmAppPropSheet.h"

#include "platform/PowerEvents.h"
#include "platform/ResourceChain.h"
#include "platform/ResourceMenu.h"
#include "platform/ResourceMenuBuilder.h"
#include "platform/TrayIcon.h"
#include "wmapp/WmAbout.h"
#include "wmapp/WmAppConfig.h"
#include "wmapp/WmConfigurationPage.h"
#include "wmapp/WmHelp.h"
#include "wmapp/WmHistoryPage.h"
#include "wmapp/WmLinkStatusPage.h"
#include "wmapp/WmMainMenuShaper.h"
#include "wmapp/WmPowerEvents.h"
#include "wmapp/WmStandIns.h"
#include "wmapp/WmStatisticsPage.h"
#include "wmapp/WmStatusSourceConfig.h"
#include "wmapp/WmTrace.h"
#include "wmapp/WmTrayIcon.h"
#include "wmapp/WmTrayMenu.h"
#include "wmapp/WmTrayPreferences.h"
#include "wmapp/WmTrayPreferencesDlg.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileManager.h"
#include "zelgui/monitor/WgAdapterMonitor.h"
#include "zelgui/monitor/WgLibraryLock.h"
#include "zelgui/services/WgSettings.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSessionManager>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>
#include <ctime>
#include <mutex>

namespace {

constexpr unsigned IDS_MAIN_CAPTION = 8102;
constexpr unsigned IDI_SMALL_ICON = 8050;
constexpr int OPTION_ENABLE_PROFILE_MANAGEMENT = 5;
constexpr int OPTION_DISABLE_ON_LAN = 13;

WgAdapterMonitor* MonitorOf(WmStatusSource* source) { return source ? source->Monitor() : nullptr; }

}  // namespace

unsigned WmAppPropSheet::AdapterStatusEventMessage() {
    static const unsigned message = RegisterWindowMessage("AdapterStatusEvent");
    return message;
}

unsigned WmAppPropSheet::TaskbarCreatedMessage() {
    static const unsigned message = RegisterWindowMessage("TaskbarCreated");
    return message;
}

WmAppPropSheet::WmAppPropSheet(const QString& caption, QWidget* parent, int selectPage)
    : WmAppPropSheet(caption, Parts {}, parent, selectPage) {}

WmAppPropSheet::WmAppPropSheet(const QString& caption, Parts parts, QWidget* parent, int selectPage)
    : QDialog(parent), WindowMessageTarget(this), m_tabs(new QTabWidget(this)), m_selectPage(selectPage) {
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    auto* layout = new QVBoxLayout(this);
    m_tabs->setUsesScrollButtons(false);
    layout->addWidget(m_tabs);

    if (parts.source)
        m_source = std::move(parts.source);
    else if (!parts.sharedSource)
        m_source = std::make_unique<WmStatusSourceConfig>();
    m_sourceUsed = m_source ? m_source.get() : parts.sharedSource;
    m_trayAvailable = parts.trayAvailable ? std::move(parts.trayAvailable)
                                          : std::function<bool()>([] { return QSystemTrayIcon::isSystemTrayAvailable(); });
    m_powerEvents = parts.powerEvents ? std::move(parts.powerEvents) : std::make_unique<WmPowerEvents>();
    m_powerEvents->SetHandler([this](PowerEvents::Kind kind) {
        if (kind == PowerEvents::Kind::Suspend)
            OnSuspend();
        else
            OnResume();
    });

    m_linkStatusPage = new WmLinkStatusPage(m_sourceUsed);
    m_statisticsPage = new WmStatisticsPage();
    m_configurationPage = new WmConfigurationPage();
    m_historyPage = new WmHistoryPage();
    m_linkStatusPage->SetAdvancedHandler([this] { WmStandIns::ShowAdvancedStatus(this); });
    m_historyPage->SetSaveHandler([this] { OnSaveHistory(); });

    m_trayPreferences = std::make_unique<WmTrayPreferences>(m_sourceUsed);
    m_trayPreferencesDlg = new WmTrayPreferencesDlg(m_trayPreferences.get(), this);
    m_trayIcon = std::make_unique<WmTrayIcon>(m_sourceUsed, m_trayPreferences.get(), std::move(parts.trayIcon));
    m_trayIcon->SetCommandHandler([this](unsigned id) { OnCommand(id); });
    m_trayIcon->SetMenuBuilder([this](QMenu* menu) {
        WmTrayMenu::BuildMenu(menu, *m_sourceUsed, *m_trayPreferences, m_trayEnabled, m_radioToggleBusy, &m_profileNames);
    });

    const QIcon icon = ResourceChain::Instance().LoadIcon(IDI_SMALL_ICON);
    if (!icon.isNull()) setWindowIcon(icon);
    m_zeroConfigOn = m_sourceUsed->IsZeroConfigEnabled();
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) { OnCurrentPageChanged(index); });
    // The session is ending: the program ends with it, tray or not.
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { PostClose(); });
    AddPages();
}

WmAppPropSheet::~WmAppPropSheet() {
    CloseWindowMessages();
    if (m_powerEvents) m_powerEvents->SetHandler({});
    WmStandIns::DeactivateLANMonitoring();
    // The tray goes before the source its callbacks read.
    m_trayIcon.reset();
    // Pages never added (or removed) have no parent.
    for (WmAppPropPage* page : {static_cast<WmAppPropPage*>(m_linkStatusPage), static_cast<WmAppPropPage*>(m_statisticsPage),
                                static_cast<WmAppPropPage*>(m_configurationPage), static_cast<WmAppPropPage*>(m_historyPage)})
        if (page && m_tabs->indexOf(page) < 0) delete page;
}

// ---- pages ----

void WmAppPropSheet::AddPage(WmAppPropPage* page) {
    page->SetNotifyTarget(this);
    m_tabs->addTab(page, page->Caption());
}

void WmAppPropSheet::RemovePage(WmAppPropPage* page) {
    const int index = m_tabs->indexOf(page);
    if (index < 0) return;
    m_tabs->removeTab(index);
    page->setParent(nullptr);
}

void WmAppPropSheet::AddPages() {
    AddPage(m_linkStatusPage);
    if (m_sourceUsed->GetInstallOption(OPTION_ENABLE_PROFILE_MANAGEMENT)) AddPage(m_configurationPage);
    AddPage(m_statisticsPage);
    if (WgSettings::MachineDword(WgSettings::Machine::DisplayHistory, true) != 0) AddPage(m_historyPage);
    m_shown = true;
    m_startupCheckDone = false;
    m_startupCheckRunning = false;
    m_startupCheckTicks = 0;
    m_firstProfileCheckPending = true;
    m_trayEnabled = WgSettings::MachineDword(WgSettings::Machine::ShowTray, true) != 0;
}

void WmAppPropSheet::SyncProfilePage() {
    const bool wanted = m_sourceUsed->GetInstallOption(OPTION_ENABLE_PROFILE_MANAGEMENT) != 0;
    const bool present = m_tabs->indexOf(m_configurationPage) >= 0;
    if (wanted == present) return;
    RemovePage(m_configurationPage);
    RemovePage(m_statisticsPage);
    if (wanted) AddPage(m_configurationPage);
    AddPage(m_statisticsPage);
}

WmAppPropPage* WmAppPropSheet::ActivePage() const { return qobject_cast<WmAppPropPage*>(m_tabs->currentWidget()); }

void WmAppPropSheet::OnCurrentPageChanged(int index) {
    if (!m_initialized) return;
    if (auto* page = qobject_cast<WmAppPropPage*>(m_tabs->widget(index))) page->OnSetActive();
}

// ---- start and run ----

void WmAppPropSheet::BuildMenuBar() {
    m_menuBar = new QMenuBar(this);
    ResourceMenu menu;
    if (ResourceChain::Instance().LoadMenu(IDR_MAIN_MENU, menu)) ResourceMenuBuilder::FillBar(m_menuBar, menu);
    else TracePrint("WmAppPropSheet::OnInitDialog() menu %u not found\n", IDR_MAIN_MENU);
    for (QAction* top : m_menuBar->actions())
        if (QMenu* popup = top->menu()) connect(popup, &QMenu::aboutToShow, this, [this] { ShapeMenuBar(); });
    connect(m_menuBar, &QMenuBar::triggered, this, [this](QAction* action) {
        if (const unsigned id = ResourceMenuBuilder::CommandId(action)) OnCommand(id);
    });
    layout()->setMenuBar(m_menuBar);
}

bool WmAppPropSheet::OnInitDialog() {
    if (m_initialized) return true;
    m_initialized = true;
    TracePrint("WmAppPropSheet::OnInitDialog()\n");
    setWindowTitle(ResourceChain::Instance().LoadString(IDS_MAIN_CAPTION));
    BuildMenuBar();
    // Both ends are made at once, so the Events History records from the start.
    if (m_tabs->count() > 0) {
        for (int i = m_tabs->count() - 1; i >= 0; --i)
            if (auto* page = qobject_cast<WmAppPropPage*>(m_tabs->widget(i))) page->EnsureInitialized();
        const int first = m_selectPage >= 0 && m_selectPage < m_tabs->count() ? m_selectPage : 0;
        m_tabs->setCurrentIndex(first);
    }
    // Every tab's caption stays readable: the sheet is never narrower than its tab row.
    resize(sizeHint().expandedTo(minimumSizeHint()).expandedTo(QSize(540, 420)));
    SetWindowShowState(m_showAtStart);
    m_timerId = startTimer(TIMER_PERIOD_MS);
    OnRefreshBssidList();
    if (m_sourceUsed->GetInstallOption(OPTION_DISABLE_ON_LAN) == 1) WmStandIns::ActivateLANMonitoring();
    m_vendor = m_sourceUsed->GetVendor();
    WmStandIns::ShowClientSoftwarePrompt(m_showAtStart);
    return true;
}

int WmAppPropSheet::RunModal() {
    setModal(true);
    if (!m_initialized) {
        if (m_selectPage >= 0 && m_selectPage < m_tabs->count()) m_tabs->setCurrentIndex(m_selectPage);
        SetWindowShowState(m_showAtStart);
    }
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    if (!WindowMessagesClosed()) loop.exec(QEventLoop::DialogExec);
    return result();
}

// ---- show and hide ----

void WmAppPropSheet::setVisible(bool visible) {
    // While the window is meant to stay hidden, nothing may bring it up.
    if (visible && !m_shown) return;
    QDialog::setVisible(visible);
}

void WmAppPropSheet::SetWindowShowState(bool show) {
    m_shown = show;
    setEnabled(true);
    if (show) {
        TracePrint("WmAppPropSheet::SetWindowShowState,  ShowMainWindow = true\n");
        showNormal();
    } else {
        TracePrint("WmAppPropSheet::SetWindowShowState,  ShowMainWindow = false\n");
        hide();
    }
}

void WmAppPropSheet::OnTrayLaunchApp() {
    TracePrint("WmAppPropSheet::OnTrayLaunchApp Launching WmApp\n");
    if (m_initialized) PostWindowMessage(WM_REFRESH_BSSID_LIST);
    SetWindowShowState(true);
    raise();
    activateWindow();
    if (m_initialized) WmStandIns::ShowClientSoftwarePrompt(true);
}

void WmAppPropSheet::closeEvent(QCloseEvent* event) {
    // The close box is the Exit command: with the tray it only hides the window.
    event->ignore();
    OnExit();
}

unsigned WmAppPropSheet::ContextHelpTopic(int pageIndex, bool zeroConfigOn) {
    if (pageIndex == 1) return zeroConfigOn ? 0x20091 : 0x20095;
    if (pageIndex == 2) return 0x20091;
    return 0x20090;
}

bool WmAppPropSheet::OnHelpInfo() {
    const unsigned topic = ContextHelpTopic(m_tabs->currentIndex(), m_sourceUsed && m_sourceUsed->IsZeroConfigEnabled());
    WmHelp::OpenManualAt(this, topic);
    return true;
}

void WmAppPropSheet::keyPressEvent(QKeyEvent* event) {
    // The sheet has no Cancel button: Escape must not end the program.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F1) {
        event->accept();
        OnHelpInfo();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WmAppPropSheet::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (!m_firstPaintDone) {
        m_firstPaintDone = true;
        WriteFirstPaint();
    }
}

void WmAppPropSheet::WriteFirstPaint() {
    // For the start-up measurement: the monotonic clock at the first painting, in nanoseconds.
    const char* path = std::getenv("ZELVO_BENCH_FIRST_PAINT");
    if (!path || !*path) return;
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    QFile file(QString::fromLocal8Bit(path));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QByteArray::number(static_cast<qint64>(now.tv_sec) * 1000000000LL + now.tv_nsec) + '\n');
}

void WmAppPropSheet::PostClose() {
    QMetaObject::invokeMethod(this, [this] { reject(); }, Qt::QueuedConnection);
}

void WmAppPropSheet::OnExit() {
    // Hiding is only safe where the tray icon can bring the window back; on a desktop without a
    // notification area the window would be lost while the program runs on, so it ends instead.
    if (m_trayEnabled && m_trayAvailable())
        SetWindowShowState(false);
    else
        PostClose();
}

void WmAppPropSheet::OnTrayExit() {
    // Dialogs opened from this window go first, the most deeply owned ones before their owners.
    const QList<QDialog*> owned = findChildren<QDialog*>();
    for (auto it = owned.crbegin(); it != owned.crend(); ++it)
        if ((*it)->isVisible()) (*it)->reject();
    PostClose();
}

// ---- messages ----

intptr_t WmAppPropSheet::OnAdapterStatusEvent(const char* text) {
    const QString line = QString::fromUtf8(text ? text : "");
    m_eventTexts.append(line);
    if (m_historyPage) m_historyPage->AddEvent(line);
    // For runs without anyone at the screen: every text also goes to this file.
    if (const char* log = std::getenv("ZELVO_EVENTS_LOG"); log && *log) {
        QFile file(QString::fromLocal8Bit(log));
        if (file.open(QIODevice::WriteOnly | QIODevice::Append)) file.write((line + QLatin1Char('\n')).toUtf8());
    }
    return 0;
}

void WmAppPropSheet::OnUpdatePage(uintptr_t wParam) {
    if (wParam == 1) {
        TracePrint("WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again \n");
        m_startupCheckDone = false;
        m_startupCheckTicks = 0;
    }
    WatchZeroConfig();
}

void WmAppPropSheet::OnProfilesChanged() {
    TracePrint("WmAppPropSheet::OnProfilesChanged()\n");
    if (m_configurationPage && m_tabs->indexOf(m_configurationPage) >= 0) m_configurationPage->RefreshPage();
    // An open tray menu shows the new list at once.
    if (QMenu* menu = m_trayIcon->Menu(); menu && menu->isVisible())
        WmTrayMenu::BuildMenu(menu, *m_sourceUsed, *m_trayPreferences, m_trayEnabled, m_radioToggleBusy, &m_profileNames);
}

intptr_t WmAppPropSheet::OnRefreshBssidList() {
    TracePrint("WmAppPropSheet::OnRefreshBssidList()\n");
    WmAppConfig* config = WmAppConfig::Instance();
    return config && WmAppConfig::Adapter() && config->RefreshBSSISList(WmAppConfig::Adapter()) ? 1 : 0;
}

intptr_t WmAppPropSheet::OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t) {
    if (message == AdapterStatusEventMessage()) return OnAdapterStatusEvent(reinterpret_cast<const char*>(wParam));
    if (message == TaskbarCreatedMessage()) {
        m_trayIcon->OnTaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_UPDATE_PAGE: OnUpdatePage(wParam); return 0;
    case WM_REFRESH_BSSID_LIST: return OnRefreshBssidList();
    case WM_PROFILES_CHANGED: OnProfilesChanged(); return 0;
    case WM_LAUNCH_APP: OnTrayLaunchApp(); return 0;
    case WM_DISABLE_ON_LAN: WmStandIns::OnDisableOnLAN(); return 0;
    case WM_LAN_STATUS_CHANGE: WmStandIns::OnLANStatusChange(); return 0;
    default: return 0;
    }
}

bool WmAppPropSheet::event(QEvent* event) {
    if (HandleWindowMessageEvent(event)) return true;
    return QDialog::event(event);
}

void WmAppPropSheet::done(int result) {
    // From here on no thread may post or send to this window.
    CloseWindowMessages();
    if (m_timerId) {
        killTimer(m_timerId);
        m_timerId = 0;
    }
    QDialog::done(result);
}

// ---- periodic work ----

void WmAppPropSheet::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timerId) {
        OnTimer(TIMER_ID);
        return;
    }
    QDialog::timerEvent(event);
}

// Nothing here may wait for the monitor's thread or sleep: the window must stay responsive. The
// monitor's getters share the GUI library's lock with its collection cycle, so the steps that
// read the monitor run only when that lock is free at once; a busy or stuck cycle just moves
// them to the next tick. The title comes from the client library and never waits for the lock.
void WmAppPropSheet::OnTimer(unsigned timerId) {
    if (timerId != TIMER_ID) return;
    std::unique_lock<std::recursive_mutex> library(WgLibraryLock(), std::try_to_lock);
    const bool monitorFree = library.owns_lock();
    if (m_sourceUsed->HasAdapterConfig()) {
        std::string name;
        m_activeProfile = m_sourceUsed->GetActiveProfileName(name) ? name : std::string();
        if (!m_startupCheckDone) {
            ++m_startupCheckTicks;
            m_startupCheckDone = WmStandIns::RunStartupCheck();
        }
        TitleBarTimer();
        if (monitorFree && isVisible()) WatchZeroConfig();
    }
    if (monitorFree) CheckZeroConfigAndProfiles();
}

void WmAppPropSheet::TitleBarTimer() {
    const QString title = WmTitle::Build(*m_sourceUsed);
    if (m_title.Update(title)) setWindowTitle(title);
}

void WmAppPropSheet::WatchZeroConfig() {
    const bool on = m_sourceUsed->IsZeroConfigEnabled();
    if (!m_trayIcon->IsDisplayed() && m_zeroConfigOn && !on) {
        std::string name;
        if (WmAppConfig* config = WmAppConfig::Instance(); config && m_sourceUsed->GetActiveProfileName(name) && !name.empty())
            config->SetActiveProfile(WmAppConfig::Adapter(), name, WC_ACTIVATE_NORMAL);
    }
    m_zeroConfigOn = on;
    if (WmAppPropPage* page = ActivePage()) page->RefreshPage();
}

void WmAppPropSheet::CheckZeroConfigAndProfiles() {
    const bool on = m_sourceUsed->IsZeroConfigEnabled();
    if (m_zeroConfigOn && !on && !m_activeProfile.empty())
        if (WmAppConfig* config = WmAppConfig::Instance())
            config->SetActiveProfile(WmAppConfig::Adapter(), m_activeProfile, WC_ACTIVATE_NORMAL);
    m_zeroConfigOn = on;
    long rssi = 0;
    WgAdapterMonitor* monitor = MonitorOf(m_sourceUsed);
    if (monitor && monitor->GetRSSI(&rssi) == WG_SUCCESS) {
        if (!m_activeProfile.empty() && m_firstProfileCheckPending) {
            m_firstProfileCheckPending = false;
            WmStandIns::ValidateProfile(m_activeProfile);
        }
        uint32_t count = 0;
        if (WcProfileManager* profiles = WmAppConfig::ProfileManager();
            profiles && profiles->GetProfileCount(&count) == WC_STATUS_SUCCESS && count == 0)
            WmStandIns::CreateDefaultProfile();
    }
    m_trayIcon->UpdateTrayIcon(m_trayEnabled);
}

// ---- menus and commands ----

void WmAppPropSheet::ShapeMenuBar() {
    WmMenuContext context = WmMainMenuShaper::Gather(*m_sourceUsed, false, m_trayEnabled, m_radioToggleBusy);
    WmMainMenuShaper::Shape(context).Apply(m_menuBar);
}

bool WmAppPropSheet::OnCommand(unsigned id) {
    if (id >= ID_TRAY_PROFILE_FIRST && id < ID_TRAY_PROFILE_FIRST + WmTrayMenu::MAX_PROFILE_ITEMS) {
        SelectProfile(id);
        return true;
    }
    switch (id) {
    case ID_ACTION_RADIO: ToggleRadio(); return true;
    case ID_ACTION_TRAY_ICON: ToggleTrayIcon(); return true;
    case ID_HELP_MANUAL: WmHelp::OpenManual(this); return true;
    case ID_ACTION_MANUAL_LOGIN: ManualLogin(); return true;
    case ID_ACTION_REAUTHENTICATE: Reauthenticate(); return true;
    case ID_ACTION_EXIT: OnExit(); return true;
    case ID_TRAY_EXIT: OnTrayExit(); return true;
    case ID_TRAY_OPEN: OnTrayLaunchApp(); return true;
    case ID_OPTIONS_DISPLAY: WmStandIns::ShowDisplaySettings(this); return true;
    case ID_OPTIONS_SCAN_LIST: WmStandIns::ShowScanListSettings(this); return true;
    case ID_OPTIONS_CLIENT_SOFTWARE:
    case ID_TRAY_CLIENT_THIS:
    case ID_TRAY_CLIENT_WINDOWS: WmStandIns::SelectClientSoftware(id); return true;
    case ID_HELP_ABOUT: WmAbout::Show(this); return true;
    case ID_SHOW_CONNECTION_STATUS: WmStandIns::ShowConnectionStatus(); return true;
    case ID_TRAY_PREFERENCES: ShowPreferences(); return true;
    case ID_TRAY_AUTO_PROFILE: ToggleAutoProfileSelection(); return true;
    case ID_TRAY_DISABLE_ON_LAN: WmStandIns::OnDisableOnLAN(); return true;
    default: return false;
    }
}

void WmAppPropSheet::ToggleTrayIcon() {
    m_trayEnabled = !m_trayEnabled;
    // Switching off takes the icon already shown down at once.
    m_trayIcon->UpdateTrayIcon(m_trayEnabled);
    WgSettings::SetMachineDword(WgSettings::Machine::ShowTray.name, m_trayEnabled ? 1 : 0);
}

void WmAppPropSheet::ToggleRadio() {
    WmAppConfig* config = WmAppConfig::Instance();
    uint32_t state = 0;
    if (m_radioToggleBusy || !config || !WmAppConfig::Adapter() || !config->GetRadioState(WmAppConfig::Adapter(), state))
        return;
    // Only the software switch can be changed; a hardware switch keeps the radio off.
    if (state != WC_RADIO_ON && state != WC_RADIO_OFF_SOFTWARE) return;
    const uint32_t next = state == WC_RADIO_ON ? WC_RADIO_OFF_SOFTWARE : WC_RADIO_ON;
    m_radioToggleBusy = true;
    if (config->SetRadioState(WmAppConfig::Adapter(), next)) WmStandIns::OnRadioToggled(next);
    m_radioToggleBusy = false;
}

void WmAppPropSheet::ManualLogin() {
    TracePrint("WmAppPropSheet::OnActionManualLeapLogin() Enter\n");
    WmAppConfig* config = WmAppConfig::Instance();
    WcProfile* profile = nullptr;
    if (!config || !WmAppConfig::Adapter() || !config->GetActiveProfile(WmAppConfig::Adapter(), &profile) || !profile) {
        TracePrint("WmAppPropSheet::OnActionManualLeapLogin() Failed to get active profile\n");
        return;
    }
    if (config->SetActiveProfile(WmAppConfig::Adapter(), profile, WC_ACTIVATE_MANUAL_LOGIN))
        TracePrint("WmAppPropSheet::OnActionManualLeapLogin() SetActive ok\n");
    else
        TracePrint("WmAppPropSheet::OnActionManualLeapLogin() SetActive Failed\n");
}

void WmAppPropSheet::Reauthenticate() {
    WmAppConfig* config = WmAppConfig::Instance();
    std::string name;
    if (!config || !WmAppConfig::Adapter() || !m_sourceUsed->GetActiveProfileName(name) || name.empty()) return;
    config->SetActiveProfile(WmAppConfig::Adapter(), name, WC_ACTIVATE_REAUTHENTICATE);
}

void WmAppPropSheet::ToggleAutoProfileSelection() {
    WcAdapterConfig* adapterConfig = WmAppConfig::AdapterConfig();
    uint32_t active = 0;
    if (!adapterConfig || adapterConfig->IsAPSActive(&active) != WC_STATUS_SUCCESS) return;
    adapterConfig->SetAPSActive(active ? 0 : 1);
    PostWindowMessage(WM_PROFILES_CHANGED);
}

void WmAppPropSheet::SelectProfile(unsigned commandId) {
    std::string name;
    if (!WmTrayMenu::ProfileForCommand(m_profileNames, commandId, name)) return;
    WmAppConfig* config = WmAppConfig::Instance();
    WcAdapterConfig* adapterConfig = WmAppConfig::AdapterConfig();
    if (!config || !adapterConfig || !WmStandIns::ValidateProfile(name)) return;
    adapterConfig->SetAPSActive(0);
    config->SetActiveProfile(WmAppConfig::Adapter(), name, WC_ACTIVATE_NORMAL);
    PostWindowMessage(WM_PROFILES_CHANGED);
}

void WmAppPropSheet::ShowPreferences() {
    if (m_trayPreferencesDlg->isVisible()) {
        m_trayPreferencesDlg->raise();
        m_trayPreferencesDlg->activateWindow();
        return;
    }
    m_trayPreferencesDlg->exec();
}

void WmAppPropSheet::OnSaveHistory() { WmStandIns::SaveHistory(this, m_historyPage->History()); }

// ---- power ----

void WmAppPropSheet::OnSuspend() {
    if (WgAdapterMonitor* monitor = MonitorOf(m_sourceUsed)) monitor->PauseMonitoring();
}

void WmAppPropSheet::OnResume() {
    if (WgAdapterMonitor* monitor = MonitorOf(m_sourceUsed)) monitor->ResumeMonitoring();
}
