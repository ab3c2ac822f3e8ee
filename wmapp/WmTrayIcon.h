#pragma once
// The program's icon in the notification area: its picture follows the link (radio off, not
// associated, four signal bands, authenticating; a blue set for extended range and a green one
// for the double-rate mode), its tooltip sums up the connection, a double click runs the default
// action and a right click offers the tray menu.
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/RegistryTypes.h"
#include "platform/TrayIcon.h"

class QMenu;
class WmStatusSource;
class WmTrayPreferences;

// What the picture depends on.
struct WmTrayPictureInput {
    int32_t connectionMode = 2;
    bool extendedRange = false;  // the capability test for connection mode 1
    bool velaMode = false;       // the capability test for connection mode 0
    int32_t radioState = -1;     // -1 unread
    int associated = 0;
    long signal = 0;
    uint32_t adapterState = 0;
};

// What the tooltip shows.
struct WmTrayTooltipInput {
    bool available = false;  // a monitor that answers, with the radio on
    QString ssid, linkStatus, signalStrength, rate, wirelessMode, adapterName, ipAddress;
    bool profileForm = false;  // the system's configuration service is off and this utility is in control
    QString profileName;
};

class WmTrayIcon {
public:
    static constexpr unsigned IDR_TRAY_MENU = 149;
    static constexpr int MAX_TOOLTIP = 127;
    // Pictures (icons and tooltips of the OEM library).
    enum Picture : unsigned {
        IDI_NONE = 0,
        IDI_RADIO_OFF = 8052, IDI_NOT_ASSOCIATED = 8053, IDI_AUTHENTICATING = 8054,
        IDI_POOR = 8055, IDI_FAIR = 8056, IDI_GOOD = 8057, IDI_EXCELLENT = 8058,
        IDI_QX_POOR = 8060, IDI_QX_EXCELLENT = 8062, IDI_QX_FAIR = 8063, IDI_QX_GOOD = 8064,
        IDI_QX_NOT_ASSOCIATED = 8066,
        IDI_VELA_POOR = 8067, IDI_VELA_EXCELLENT = 8069, IDI_VELA_FAIR = 8070, IDI_VELA_GOOD = 8071,
        IDI_VELA_NOT_ASSOCIATED = 8072, IDI_VELA_RADIO_OFF = 8073,
    };

    // icon: the notification-area icon to drive (null: the system's one). source and
    // preferences may be null and must outlive this object.
    WmTrayIcon(WmStatusSource* source, WmTrayPreferences* preferences, std::unique_ptr<TrayIcon> icon = nullptr,
               unsigned menuId = IDR_TRAY_MENU);
    ~WmTrayIcon();
    WmTrayIcon(const WmTrayIcon&) = delete;
    WmTrayIcon& operator=(const WmTrayIcon&) = delete;

    // Menu commands (double click, menu items) go to the main window.
    void SetCommandHandler(std::function<void(unsigned)> handler) { m_onCommand = std::move(handler); }
    // Fills the tray menu each time it opens (the main window shapes it).
    void SetMenuBuilder(std::function<void(QMenu*)> builder) { m_buildMenu = std::move(builder); }

    // With an icon: show it (or change the shown one); without: remove the shown icon.
    void SetIcon(const QIcon* icon, const QString& tooltip);
    // 0 removes the icon; otherwise icon and tooltip of that number from the resource chain.
    void SetIconById(unsigned id);
    void SetTooltip(const QString& text);
    // The notification area came back (a restarted panel): show the icon again.
    void OnTaskbarCreated();

    // Chooses the picture and shows, changes or removes the icon. trayEnabled: the ShowTray
    // setting. Returns the picture now shown (0: none).
    unsigned UpdateTrayIcon(bool trayEnabled);
    // Builds the status tooltip and sets it.
    void UpdateTooltip();

    static unsigned ChoosePicture(const WmTrayPictureInput& input);
    static QString BuildTooltip(const WmTrayTooltipInput& input);
    // The suffix for the monitor's wireless mode text (", 11g"...), empty for any other text.
    static QString WirelessModeSuffix(const QString& mode);
    WmTrayTooltipInput GatherTooltip() const;

    // Runs the default action, as a double click does.
    void OnDoubleClick();

    bool IsDisplayed() const { return m_displayed; }
    unsigned LastPicture() const { return m_lastPicture; }
    TrayIcon* Icon() const { return m_icon.get(); }
    QMenu* Menu() const { return m_menu.get(); }

private:
    void OnActivated(TrayIcon::Activation activation);
    void OnMenuAboutToShow();

    WmStatusSource* m_source;
    WmTrayPreferences* m_preferences;
    std::unique_ptr<TrayIcon> m_icon;
    std::unique_ptr<QMenu> m_menu;
    unsigned m_menuId;
    QString m_tooltip;
    bool m_iconShown = false;
    bool m_displayed = false;
    unsigned m_lastPicture = static_cast<unsigned>(-1);
    std::function<void(unsigned)> m_onCommand;
    std::function<void(QMenu*)> m_buildMenu;
};
