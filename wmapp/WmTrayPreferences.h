#pragma once
// Which actions the tray menu shows: ten items and Preferences, each shown or hidden by the user
// (one registry value per item under the user's settings) within what the dialog offers (the
// VemoPreferences mask, the vendor, the driver's OEM features), and whether the program starts
// with the session (an XDG autostart entry).
#include <QString>

#include <string>
#include <vector>

#include "platform/RegistryTypes.h"

class WmStatusSource;

class WmTrayPreferences {
public:
    static constexpr int ITEM_COUNT = 10;    // the items of the Preferences list
    static constexpr int PREFERENCES = 10;   // the Preferences item itself, index after them
    static constexpr int ITEM_HELP = 0, ITEM_EXIT = 1, ITEM_OPEN = 2, ITEM_TROUBLESHOOTING = 3, ITEM_RADIO = 4,
                         ITEM_MANUAL_LOGIN = 5, ITEM_REAUTHENTICATE = 6, ITEM_SELECT_PROFILE = 7,
                         ITEM_SHOW_STATUS = 8, ITEM_DISABLE_ON_LAN = 9;

    struct Item {
        QString text;
        unsigned commandId;        // 0 for Select Profile (a submenu)
        const char* valueName;     // under the user's settings key
        bool shown = true;         // shown in the menu (persisted)
        bool offered = true;       // offered in the Preferences dialog
    };

    // source may be null (no adapter context: no OEM features, vendor 0). Runs LoadMenuPreferences.
    explicit WmTrayPreferences(WmStatusSource* source);

    void LoadMenuPreferences();
    void ApplyFirstRunPreferences();
    void LoadOfferedItems();

    int Count() const { return static_cast<int>(m_items.size()); }
    const Item* ItemAt(int index) const;
    // By display text, ignoring case; -1 when none has it.
    int FindByText(const QString& text) const;
    int FindByCommand(unsigned commandId) const;
    bool IsShown(int index) const;
    // Stores the flag; the registry value is written only when it changes. createKey: the user's
    // own choice, so the settings key is made when missing; otherwise a missing key skips the
    // write. False when nothing was written (the flag is then kept for this run only).
    bool SetItemShown(int index, bool shown, bool createKey = false);

    bool IsAutostart() const { return m_autostart; }
    // Creates or removes the autostart entry; nothing when unchanged. False when that failed.
    bool SetAutostart(bool autostart);
    // $ZELVO_ROOT/autostart/zelvo.desktop, else $XDG_CONFIG_HOME/autostart/zelvo.desktop.
    static std::string AutostartFile();
    static bool AutostartExists();
    // The entry's text for an executable.
    static std::string AutostartEntry(const std::string& executable, const QString& name);
    static std::string ExecutablePath();

private:
    WmStatusSource* m_source;
    std::vector<Item> m_items;
    bool m_autostart = false;
};
