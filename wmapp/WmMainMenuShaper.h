#pragma once
// Which items of the main window's menus exist, are enabled, checked and what they say, worked
// out each time a menu opens from the radio state, the active profile and the settings. Pure
// logic: the window applies the result to its menu bar, the tray menu builder to its entries.
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "platform/RegistryTypes.h"

class QMenu;
class QMenuBar;
class WmStatusSource;

// Command ids of the main window's menus and the tray menu.
enum WmCommand : unsigned {
    ID_ACTION_RADIO = 32771,
    ID_ACTION_TRAY_ICON = 32772,
    ID_TRAY_TROUBLESHOOTING = 32773,
    ID_HELP_MANUAL = 32774,
    ID_ACTION_MANUAL_LOGIN = 32775,
    ID_TRAY_EXIT = 32776,
    ID_ACTION_REAUTHENTICATE = 32777,
    ID_TRAY_OPEN = 32778,
    ID_ACTION_EXIT = 32779,
    ID_OPTIONS_DISPLAY = 32780,
    ID_TRAY_PREFERENCES = 32781,
    ID_HELP_ABOUT = 32784,
    ID_SHOW_CONNECTION_STATUS = 32785,
    ID_TRAY_PROFILE_FIRST = 32900,
    ID_TRAY_AUTO_PROFILE = 33302,
    ID_OPTIONS_SCAN_LIST = 33303,
    ID_OPTIONS_CLIENT_SOFTWARE = 33304,
    ID_TRAY_DISABLE_ON_LAN = 33305,
    ID_TRAY_CLIENT_THIS = 33306,
    ID_TRAY_CLIENT_WINDOWS = 33307,
};

// What the shaping looks at, read when the menu opens.
struct WmMenuContext {
    bool trayMenu = false;       // the tray's popup rather than the menu bar
    QString productName;         // string 8100
    bool trayEnabled = false;    // ShowTray
    bool hasActiveProfile = false;
    int32_t securityType = 0;    // of the active profile; 0 without one
    bool manualPrompt = false;   // of the active profile
    bool radioRead = false;
    int32_t radioState = -1;
    bool apsRead = false;        // automatic profile selection readable
    bool apsOn = false;
    DWORD disableOnLAN = 0;      // install option 13
    DWORD activeSuppType = 0;
    DWORD vendor = 0;
    bool radioToggleBusy = false;
};

// One item of a menu as data (the tray menu is built this way before it becomes a QMenu).
struct WmMenuEntry {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    unsigned id = 0;
    QString text;
    bool enabled = true;
    bool checked = false;
    bool isDefault = false;
    std::vector<WmMenuEntry> items;
};

class WmMainMenuShaper {
public:
    struct ItemState {
        bool present = true;
        std::optional<bool> enabled;
        std::optional<bool> checked;
        std::optional<QString> text;
        bool fillProductName = false;  // "%s" in the text becomes the product name
    };

    // The menu bar's shaping; for the tray menu, the tray's own item rules run between the
    // radio rules and the final login, client software and vendor rules.
    static WmMainMenuShaper Shape(const WmMenuContext& context);
    // Reads the context from the adapter context and the settings.
    static WmMenuContext Gather(WmStatusSource& source, bool trayMenu, bool trayEnabled, bool radioToggleBusy);

    const ItemState* Item(unsigned id) const;
    // The state the item ends with, given the state it had (enabled) and its text.
    bool IsPresent(unsigned id) const;
    bool IsEnabled(unsigned id, bool before = true) const;
    bool IsChecked(unsigned id, bool before = false) const;
    QString Text(unsigned id, const QString& before) const;

    // Applies the result to Qt menus (items found by their command id) or to menu entries.
    void Apply(QMenuBar* bar) const;
    void Apply(QMenu* menu) const;
    void Apply(std::vector<WmMenuEntry>& entries) const;

    void Enable(unsigned id, bool enable) { m_items[id].enabled = enable; }
    void Check(unsigned id, bool check) { m_items[id].checked = check; }
    void SetText(unsigned id, const QString& text) { m_items[id].text = text; }
    void Delete(unsigned id) { m_items[id].present = false; }
    void FillProductName(unsigned id, const QString& product);

private:
    void ShapeRadio(const WmMenuContext& c);
    void ShapeTrayItems(const WmMenuContext& c);

    std::map<unsigned, ItemState> m_items;
    QString m_productName;
};
