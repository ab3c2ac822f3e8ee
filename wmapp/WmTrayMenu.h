#pragma once
// The tray's popup menu: menu 149 shaped like the main menu, with the Select Profile and Select
// Client Software submenus, the items the user chose to show, tidy separators and the default
// (double-click) item in bold. Built as data first, so it is checked without a window.
#include <string>
#include <vector>

#include "wmapp/WmMainMenuShaper.h"
#include "wmapp/WmStatusSource.h"

class QMenu;
class ResourceMenu;
class WmTrayPreferences;

struct WmTrayMenuInput {
    WmMenuContext menu;             // trayMenu is set
    bool hasAdapterConfig = false;
    uint32_t autoProfileCount = 0;  // 0 when unread
    std::vector<WmProfileEntry> profiles;
    std::string activeProfileName;  // exact comparison with the store's names
};

class WmTrayMenu {
public:
    static constexpr unsigned IDR_TRAY_MENU = 149;
    static constexpr int SELECT_PROFILE_POSITION = 11;
    static constexpr int CLIENT_SOFTWARE_POSITION = 12;
    static constexpr unsigned MAX_PROFILE_ITEMS = 101;  // commands 32900 to 33000

    static WmTrayMenuInput Gather(WmStatusSource& source, bool trayEnabled, bool radioToggleBusy);
    // The menu's entries from popup 0 of the resource menu. profileNames receives the names of
    // the Select Profile items in their order (the command 32900 + i stands for name i).
    static std::vector<WmMenuEntry> Build(const ResourceMenu& menu, const WmTrayMenuInput& input,
                                          const WmTrayPreferences& preferences, std::vector<std::string>* profileNames);
    // The profile name a Select Profile command stands for; false for any other command or a
    // position beyond the list.
    static bool ProfileForCommand(const std::vector<std::string>& profileNames, unsigned commandId, std::string& name);
    // The command a double click runs: Show Connection Status, else Open, else 0.
    static unsigned DefaultCommand(const WmTrayPreferences& preferences, DWORD vendor);
    // Empties menu and fills it with the entries; command actions carry their command id.
    static void Fill(QMenu* menu, const std::vector<WmMenuEntry>& entries);
    // Everything at once, as the main window does when the tray menu opens. False when menu 149
    // cannot be found.
    static bool BuildMenu(QMenu* menu, WmStatusSource& source, const WmTrayPreferences& preferences,
                          bool trayEnabled, bool radioToggleBusy, std::vector<std::string>* profileNames);

private:
    static void TidySeparators(std::vector<WmMenuEntry>& entries);
};
