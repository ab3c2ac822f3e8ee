#include "wmapp/WmTrayMenu.h"

#include <QAction>
#include <QFont>
#include <QMenu>

#include "platform/ResourceChain.h"
#include "platform/ResourceMenu.h"
#include "platform/ResourceMenuBuilder.h"
#include "wmapp/WmTrace.h"
#include "wmapp/WmTrayPreferences.h"

namespace {

constexpr unsigned IDS_AUTO_PROFILE = 2202;
constexpr unsigned IDS_SELECT_PROFILE = 2203;
constexpr unsigned IDS_DISABLED = 2204;
constexpr unsigned IDS_WINDOWS = 2520;
constexpr unsigned IDS_THIS_UTILITY = 2521;
constexpr unsigned IDS_CLIENT_SOFTWARE = 2532;

QString LoadText(unsigned id) {
    return ResourceChain::Instance().LoadString(id);
}

std::vector<WmMenuEntry> FromResource(const std::vector<ResourceMenuItem>& items) {
    std::vector<WmMenuEntry> entries;
    for (const ResourceMenuItem& item : items) {
        WmMenuEntry e;
        e.id = item.id;
        e.text = item.text;
        switch (item.kind) {
        case ResourceMenuItem::Kind::Command: e.kind = WmMenuEntry::Kind::Command; break;
        case ResourceMenuItem::Kind::Separator: e.kind = WmMenuEntry::Kind::Separator; break;
        case ResourceMenuItem::Kind::Popup:
            e.kind = WmMenuEntry::Kind::Popup;
            e.items = FromResource(item.items);
            break;
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

WmMenuEntry Command(unsigned id, const QString& text, bool enabled, bool checked) {
    WmMenuEntry e;
    e.id = id;
    e.text = text;
    e.enabled = enabled;
    e.checked = checked;
    return e;
}

WmMenuEntry Separator() {
    WmMenuEntry e;
    e.kind = WmMenuEntry::Kind::Separator;
    return e;
}

void InsertAt(std::vector<WmMenuEntry>& entries, int position, WmMenuEntry entry) {
    const size_t at = std::min(static_cast<size_t>(std::max(position, 0)), entries.size());
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

bool RemoveCommand(std::vector<WmMenuEntry>& entries, unsigned id) {
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->kind == WmMenuEntry::Kind::Command && it->id == id) {
            entries.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace

WmTrayMenuInput WmTrayMenu::Gather(WmStatusSource& source, bool trayEnabled, bool radioToggleBusy) {
    WmTrayMenuInput input;
    input.menu = WmMainMenuShaper::Gather(source, true, trayEnabled, radioToggleBusy);
    input.hasAdapterConfig = source.HasAdapterConfig();
    if (input.hasAdapterConfig) {
        if (!source.GetAutoProfileCount(input.autoProfileCount)) input.autoProfileCount = 0;
        source.ListProfiles(input.profiles);
        if (!source.GetActiveProfileName(input.activeProfileName)) input.activeProfileName.clear();
    }
    return input;
}

bool WmTrayMenu::ProfileForCommand(const std::vector<std::string>& profileNames, unsigned commandId,
                                   std::string& name) {
    if (commandId < ID_TRAY_PROFILE_FIRST || commandId >= ID_TRAY_PROFILE_FIRST + MAX_PROFILE_ITEMS) return false;
    const size_t position = commandId - ID_TRAY_PROFILE_FIRST;
    if (position >= profileNames.size()) return false;
    name = profileNames[position];
    return true;
}

unsigned WmTrayMenu::DefaultCommand(const WmTrayPreferences& preferences, DWORD vendor) {
    if (vendor != 3 && preferences.IsShown(WmTrayPreferences::ITEM_SHOW_STATUS)) return ID_SHOW_CONNECTION_STATUS;
    if (preferences.IsShown(WmTrayPreferences::ITEM_OPEN)) return ID_TRAY_OPEN;
    return 0;
}

std::vector<WmMenuEntry> WmTrayMenu::Build(const ResourceMenu& menu, const WmTrayMenuInput& input,
                                           const WmTrayPreferences& preferences,
                                           std::vector<std::string>* profileNames) {
    std::vector<WmMenuEntry> entries;
    if (const ResourceMenuItem* popup = menu.Popup(0)) entries = FromResource(popup->items);
    WmMenuContext c = input.menu;
    c.trayMenu = true;
    WmMainMenuShaper::Shape(c).Apply(entries);

    // Choices that need the radio are grayed while it is off.
    const bool choicesEnabled = !(c.radioRead && c.radioState != 0);
    const bool hostBasedEap = c.hasActiveProfile && c.securityType == WC_SECURITY_HOST_BASED_EAP;

    WmMenuEntry profiles;
    profiles.kind = WmMenuEntry::Kind::Popup;
    profiles.text = LoadText(IDS_SELECT_PROFILE);
    if (profileNames) profileNames->clear();
    if (input.hasAdapterConfig) {
        if (input.autoProfileCount > 1 && !hostBasedEap) {
            profiles.items.push_back(Command(ID_TRAY_AUTO_PROFILE, LoadText(IDS_AUTO_PROFILE), choicesEnabled, c.apsOn));
            profiles.items.push_back(Separator());
        }
        unsigned position = 0;
        for (const WmProfileEntry& profile : input.profiles) {
            if (position >= MAX_PROFILE_ITEMS) break;
            if (!profile.disabledKnown) TracePrint("WmAppPropSheet::TrayInitConfigMenu(): Failed to get disable status\n");
            QString text = QString::fromStdString(profile.name);
            if (profile.disabled) text += LoadText(IDS_DISABLED);
            const bool active = profile.name == input.activeProfileName && !c.apsOn;
            profiles.items.push_back(Command(ID_TRAY_PROFILE_FIRST + position, text, choicesEnabled, active));
            if (profileNames) profileNames->push_back(profile.name);
            ++position;
        }
    }
    if (preferences.IsShown(WmTrayPreferences::ITEM_SELECT_PROFILE))
        InsertAt(entries, SELECT_PROFILE_POSITION, std::move(profiles));

    WmMenuEntry client;
    client.kind = WmMenuEntry::Kind::Popup;
    client.text = LoadText(IDS_CLIENT_SOFTWARE);
    QString thisUtility = LoadText(IDS_THIS_UTILITY);
    thisUtility.replace(QStringLiteral("%s"), c.productName);
    client.items.push_back(Command(ID_TRAY_CLIENT_THIS, thisUtility, choicesEnabled, c.activeSuppType != 1));
    client.items.push_back(Command(ID_TRAY_CLIENT_WINDOWS, LoadText(IDS_WINDOWS), choicesEnabled, c.activeSuppType == 1));
    InsertAt(entries, CLIENT_SOFTWARE_POSITION, std::move(client));

    // Hidden items go by their command; Select Profile has none and was simply not inserted.
    for (int i = 0; i < WmTrayPreferences::ITEM_COUNT; ++i) {
        const WmTrayPreferences::Item* item = preferences.ItemAt(i);
        if (item && !item->shown && item->commandId != 0) RemoveCommand(entries, item->commandId);
    }
    if (!preferences.IsShown(WmTrayPreferences::PREFERENCES)) RemoveCommand(entries, ID_TRAY_PREFERENCES);
    TidySeparators(entries);

    if (const unsigned def = DefaultCommand(preferences, c.vendor)) {
        for (WmMenuEntry& e : entries)
            if (e.kind == WmMenuEntry::Kind::Command && e.id == def) e.isDefault = true;
    }
    return entries;
}

void WmTrayMenu::TidySeparators(std::vector<WmMenuEntry>& entries) {
    auto isSeparator = [](const WmMenuEntry& e) { return e.kind == WmMenuEntry::Kind::Separator; };
    for (size_t i = 1; i < entries.size();) {
        if (isSeparator(entries[i]) && isSeparator(entries[i - 1]))
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        else
            ++i;
    }
    if (!entries.empty() && isSeparator(entries.front())) entries.erase(entries.begin());
    if (!entries.empty() && isSeparator(entries.back())) entries.pop_back();
}

void WmTrayMenu::Fill(QMenu* menu, const std::vector<WmMenuEntry>& entries) {
    if (!menu) return;
    menu->clear();
    for (const WmMenuEntry& e : entries) {
        switch (e.kind) {
        case WmMenuEntry::Kind::Separator: menu->addSeparator(); break;
        case WmMenuEntry::Kind::Popup: {
            QMenu* sub = menu->addMenu(e.text);
            Fill(sub, e.items);
            break;
        }
        case WmMenuEntry::Kind::Command: {
            QAction* action = menu->addAction(e.text);
            action->setData(e.id);
            action->setProperty(ResourceMenuBuilder::COMMAND_PROPERTY, e.id);
            action->setEnabled(e.enabled);
            if (e.checked) {
                action->setCheckable(true);
                action->setChecked(true);
            }
            if (e.isDefault) {
                QFont bold = action->font();
                bold.setBold(true);
                action->setFont(bold);
                menu->setDefaultAction(action);
            }
            break;
        }
        }
    }
}

bool WmTrayMenu::BuildMenu(QMenu* menu, WmStatusSource& source, const WmTrayPreferences& preferences,
                           bool trayEnabled, bool radioToggleBusy, std::vector<std::string>* profileNames) {
    ResourceMenu resource;
    if (!ResourceChain::Instance().LoadMenu(IDR_TRAY_MENU, resource)) {
        TracePrint("WmTrayMenu::BuildMenu() Failed to load menu %u\n", IDR_TRAY_MENU);
        return false;
    }
    Fill(menu, Build(resource, Gather(source, trayEnabled, radioToggleBusy), preferences, profileNames));
    return true;
}
