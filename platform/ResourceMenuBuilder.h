#pragma once
// Builds Qt menus from resource menus. Every command action carries its command id (as the action's
// data and its "commandId" property), so a window dispatches on the id whatever the text says, and
// a menu replaced by an OEM or locale library keeps working.
#include <QList>

#include "platform/ResourceMenu.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

class ResourceMenuBuilder {
public:
    static constexpr const char* COMMAND_PROPERTY = "commandId";

    // Appends the items (popups become submenus) to menu.
    static void Fill(QMenu* menu, const std::vector<ResourceMenuItem>& items);
    // Appends each top-level popup of the resource menu to the bar.
    static void FillBar(QMenuBar* bar, const ResourceMenu& menu);
    // A new menu holding the index-th popup's contents (the tray menu is popup 0); null when absent.
    static QMenu* BuildPopup(const ResourceMenu& menu, size_t index, QWidget* parent = nullptr);
    // The command id an action carries, 0 for separators, submenus and foreign actions.
    static unsigned CommandId(const QAction* action);
    // The first action with that command id in the menu or its submenus, or null.
    static QAction* FindCommand(const QMenu* menu, unsigned commandId);
};
