#pragma once
// The program's main window: a dialog holding the property sheet's tab widget (Current Status,
// Profile Management, Diagnostics, Events History) under the Action/Options/Help menu bar. It owns
// the tray icon, drives the periodic work from timer 101 (active profile, title, tray picture,
// page refresh) and receives every private and registered message of the program. It can be
// hidden while the program keeps running in the tray; started without its window it never
// appears until asked to.
#include "platform/PowerEvents.h"
#include "platform/TrayIcon.h"
#include "platform/WindowMessage.h"
#include "wmapp/WmTitle.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMenuBar;
class QTabWidget;
class WmAppPropPage;
class WmConfigurationPage;
class WmHistoryPage;
class WmLinkStatusPage;
class WmStatisticsPage;
class WmStatusSource;
class WmTrayIcon;
class WmTrayPreferences;
class WmTrayPreferencesDlg;

class WmAppPropSheet : public QDialog, public WindowMessageTarget {
    Q_OBJECT
public:
    static constexpr unsigned WM_TRAY_NOTIFY = WM_APP + 1;
    static constexpr unsigned WM_UPDATE_PAGE = WM_APP + 30;
    static constexpr unsigned WM_REFRESH_BSSID_LIST = WM_APP + 60;
    static constexpr unsigned WM_PROFILES_CHANGED = WM_APP + 80;
    static constexpr unsigned WM_LAUNCH_APP = WM_APP + 110;
    static constexpr unsigned WM_DISABLE_ON_LAN = WM_APP + 130;
    static constexpr unsigned WM_LAN_STATUS_CHANGE = WM_APP + 140;
    static constexpr unsigned TIMER_ID = 101;
    static constexpr int TIMER_PERIOD_MS = 2000;
    static constexpr unsigned IDR_MAIN_MENU = 129;
    static unsigned AdapterStatusEventMessage();
    static unsigned TaskbarCreatedMessage();

    // What the window works with; each part left empty is the real one (the status source over
    // the adapter context, the system's tray icon, the session manager's power events).
    struct Parts {
        std::unique_ptr<WmStatusSource> source;
        // Used when source is empty: a source the caller keeps, which must outlive the window.
        WmStatusSource* sharedSource = nullptr;
        std::unique_ptr<TrayIcon> trayIcon;
        std::unique_ptr<PowerEvents> powerEvents;
        // Whether the desktop has a notification area (empty: ask the system).
        std::function<bool()> trayAvailable;
    };

    WmAppPropSheet(const QString& caption, QWidget* parent = nullptr, int selectPage = 0);
    WmAppPropSheet(const QString& caption, Parts parts, QWidget* parent = nullptr, int selectPage = 0);
    ~WmAppPropSheet() override;

    QTabWidget* Sheet() const { return m_tabs; }
    QMenuBar* MenuBar() const { return m_menuBar; }
    WmTrayIcon* TrayIconObject() const { return m_trayIcon.get(); }
    WmStatusSource* Source() const { return m_sourceUsed; }
    WmLinkStatusPage* LinkStatusPage() const { return m_linkStatusPage; }
    WmStatisticsPage* StatisticsPage() const { return m_statisticsPage; }
    WmConfigurationPage* ConfigurationPage() const { return m_configurationPage; }
    WmHistoryPage* HistoryPage() const { return m_historyPage; }
    // The page shown in the sheet, or null.
    WmAppPropPage* ActivePage() const;

    // Help topic of the page at index: the second page's depends on whether the system's own
    // wireless configuration runs for the adapter.
    static unsigned ContextHelpTopic(int pageIndex, bool zeroConfigOn);
    // Context help (F1): the manual at the active page's topic. Returns true.
    bool OnHelpInfo();

    void SetShowAtStart(bool show) { m_showAtStart = show; }
    bool ShowAtStart() const { return m_showAtStart; }
    bool WindowShown() const { return m_shown; }
    bool TrayEnabled() const { return m_trayEnabled; }
    bool IsInitialized() const { return m_initialized; }

    // Menu bar, pages, tray, shown state, timer and the first scan. Runs once; RunModal does
    // not run it, so a bare window stays bare.
    bool OnInitDialog();
    // Runs the window until it is closed. Returns the dialog's result.
    int RunModal();

    // Adds the pages the administrator's settings allow, in their order.
    void AddPages();
    // Brings the Profile Management page in line with its setting (it is removed or added with
    // Diagnostics after it).
    void SyncProfilePage();

    void SetWindowShowState(bool show);
    void OnTrayLaunchApp();
    // Takes one adapter event text (valid during the call). Returns 0.
    intptr_t OnAdapterStatusEvent(const char* text);
    // The texts taken so far, oldest first.
    const QStringList& EventTexts() const { return m_eventTexts; }

    // The periodic work; the timer calls it with TIMER_ID.
    void OnTimer(unsigned timerId);
    void TitleBarTimer();
    void WatchZeroConfig();
    void CheckZeroConfigAndProfiles();
    intptr_t OnRefreshBssidList();
    // Shapes the menu bar's popups as they open.
    void ShapeMenuBar();
    // A menu command (menu bar, tray menu, double click). True when it was one of this window's.
    bool OnCommand(unsigned commandId);
    // Suspend pauses the adapter monitor, resume restarts it.
    void OnSuspend();
    void OnResume();

    // The names behind the tray's Select Profile items, in their order.
    const std::vector<std::string>& TrayProfileNames() const { return m_profileNames; }

    intptr_t OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void setVisible(bool visible) override;

protected:
    virtual void OnUpdatePage(uintptr_t wParam);
    virtual void OnProfilesChanged();

    bool event(QEvent* event) override;
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void BuildMenuBar();
    void AddPage(WmAppPropPage* page);
    void RemovePage(WmAppPropPage* page);
    void OnCurrentPageChanged(int index);
    void OnExit();
    void OnTrayExit();
    void PostClose();
    void ToggleTrayIcon();
    void ToggleRadio();
    void ManualLogin();
    void Reauthenticate();
    void ToggleAutoProfileSelection();
    void SelectProfile(unsigned commandId);
    void ShowPreferences();
    void OnSaveHistory();
    void WriteFirstPaint();

    QTabWidget* m_tabs;
    QMenuBar* m_menuBar = nullptr;
    int m_selectPage;
    bool m_showAtStart = true;
    bool m_shown = true;
    bool m_initialized = false;
    bool m_firstPaintDone = false;
    QStringList m_eventTexts;

    std::unique_ptr<WmStatusSource> m_source;
    WmStatusSource* m_sourceUsed = nullptr;
    std::unique_ptr<PowerEvents> m_powerEvents;
    WmLinkStatusPage* m_linkStatusPage = nullptr;
    WmStatisticsPage* m_statisticsPage = nullptr;
    WmConfigurationPage* m_configurationPage = nullptr;
    WmHistoryPage* m_historyPage = nullptr;
    std::unique_ptr<WmTrayPreferences> m_trayPreferences;
    WmTrayPreferencesDlg* m_trayPreferencesDlg = nullptr;
    std::unique_ptr<WmTrayIcon> m_trayIcon;
    std::vector<std::string> m_profileNames;
    std::string m_activeProfile;
    int m_timerId = 0;
    bool m_firstProfileCheckPending = true;
    bool m_zeroConfigOn = false;
    bool m_trayEnabled = false;
    std::function<bool()> m_trayAvailable;
    bool m_startupCheckDone = false;
    bool m_startupCheckRunning = false;
    int m_startupCheckTicks = 0;
    bool m_radioToggleBusy = false;
    unsigned m_vendor = 0;
    WmTitle m_title;
};
