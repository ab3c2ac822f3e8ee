#include "wmapp/WmTrayPreferences.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/ResourceChain.h"
#include "platform/ZelvoPaths.h"
#include "wmapp/WmStatusSource.h"
#include "wmapp/WmTrace.h"
#include "zelgui/services/WgSettings.h"

namespace {

constexpr unsigned IDS_PRODUCT = 8100;

struct ItemDef {
    unsigned stringId;
    unsigned commandId;
    const char* valueName;
};

const ItemDef kItems[] = {
    {102, 32774, "NuboHelp"},          {103, 32776, "NuboExit"},         {104, 32778, "NuboOpenZelvo"},
    {105, 32773, "NuboTroubleshooting"}, {106, 32771, "NuboDisableRadio"}, {107, 32775, "NuboManualLogin"},
    {108, 32777, "NuboReauthenticate"}, {109, 0, "NuboSelectProfile"},   {110, 32785, "NuboShowStatus"},
    {2524, 33305, "NuboDisableOnLAN"},  {111, 32781, "NuboPreferences"},
};

// Quotes an argument of a desktop entry's Exec key: inside double quotes, ", `, $ and \ take a
// backslash; then the entry's own escaping doubles every backslash, and % is doubled.
std::string QuoteExecArgument(const std::string& arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string escaped;
    for (char c : quoted) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '%')
            escaped += "%%";
        else
            escaped += c;
    }
    return escaped;
}

std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

}  // namespace

WmTrayPreferences::WmTrayPreferences(WmStatusSource* source) : m_source(source) {
    LoadMenuPreferences();
}

void WmTrayPreferences::LoadMenuPreferences() {
    if (m_source) m_source->ImportChangedAdminConfig();
    const ResourceChain& chain = ResourceChain::Instance();
    m_items.clear();
    for (const ItemDef& def : kItems) {
        Item item;
        item.text = chain.LoadString(def.stringId);
        if (def.stringId == 104) item.text += QLatin1Char(' ') + chain.LoadString(IDS_PRODUCT);
        item.commandId = def.commandId;
        item.valueName = def.valueName;
        item.shown = WgSettings::UserDword(def.valueName, 1) != 0;
        item.offered = item.shown;
        m_items.push_back(item);
    }
    m_autostart = AutostartExists();
    if (WgSettings::UserDword(WgSettings::User::InitZelvo) == 1) ApplyFirstRunPreferences();
    LoadOfferedItems();
}

void WmTrayPreferences::ApplyFirstRunPreferences() {
    if (m_source && m_source->GetInstallOption(8) != 0) {  // LimitTrayFunctionalities
        m_items[ITEM_OPEN].offered = false;
        SetItemShown(ITEM_OPEN, false);
    }
    DWORD mask = 0;
    for (int i = 0; i < ITEM_COUNT; ++i)
        if (m_items[i].offered) mask |= 1u << i;
    WgSettings::SetUserDword(WgSettings::User::VemoPreferences.name, mask, true);
}

void WmTrayPreferences::LoadOfferedItems() {
    const DWORD mask = WgSettings::VemoPreferences();
    for (int i = 0; i < ITEM_COUNT; ++i) m_items[i].offered = (mask >> i) & 1u;
    if (m_source && m_source->GetVendor() == 3) m_items[ITEM_RADIO].offered = false;
    uint32_t features = 0;
    const bool oem = m_source && m_source->GetOemFeatures(features) && features != 0;
    if (!oem) {
        m_items[ITEM_TROUBLESHOOTING].offered = false;
        SetItemShown(ITEM_TROUBLESHOOTING, false);
    }
}

const WmTrayPreferences::Item* WmTrayPreferences::ItemAt(int index) const {
    return index >= 0 && index < Count() ? &m_items[index] : nullptr;
}

int WmTrayPreferences::FindByText(const QString& text) const {
    for (int i = 0; i < Count(); ++i)
        if (m_items[i].text.compare(text, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int WmTrayPreferences::FindByCommand(unsigned commandId) const {
    if (commandId == 0) return -1;
    for (int i = 0; i < Count(); ++i)
        if (m_items[i].commandId == commandId) return i;
    return -1;
}

bool WmTrayPreferences::IsShown(int index) const {
    const Item* item = ItemAt(index);
    return item && item->shown;
}

bool WmTrayPreferences::SetItemShown(int index, bool shown, bool createKey) {
    if (index < 0 || index >= Count()) return false;
    Item& item = m_items[index];
    if (item.shown == shown) return true;
    item.shown = shown;
    const bool written = WgSettings::SetUserDword(item.valueName, shown ? 1 : 0, createKey);
    // An automatic change skips a missing settings key silently; only the user's own choice failing is worth a line.
    if (!written && createKey) TracePrint("WmTrayPreferences::SetItemShown() Failed to store %s\n", item.valueName);
    return written;
}

std::string WmTrayPreferences::AutostartFile() {
    const std::string root = ZelvoPaths::Root();
    if (!root.empty()) return root + "/autostart/zelvo.desktop";
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config == '/') return std::string(config) + "/autostart/zelvo.desktop";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config/autostart/zelvo.desktop";
}

bool WmTrayPreferences::AutostartExists() {
    struct stat info {};
    return stat(AutostartFile().c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string WmTrayPreferences::ExecutablePath() {
    return ZelvoPaths::AppDir() + "/Zelvo";
}

std::string WmTrayPreferences::AutostartEntry(const std::string& executable, const QString& name) {
    std::string text = "[Desktop Entry]\nType=Application\n";
    text += "Name=" + OneLine(name.toStdString()) + "\n";
    text += "Exec=" + QuoteExecArgument(executable) + " -nogui\n";
    text += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
    return text;
}

bool WmTrayPreferences::SetAutostart(bool autostart) {
    if (autostart == m_autostart) return true;
    const std::string path = AutostartFile();
    if (!autostart) {
        if (std::remove(path.c_str()) != 0 && AutostartExists()) {
            TracePrint("WmTrayPreferences::SetAutostart() Failed to remove %s\n", path.c_str());
            return false;
        }
        m_autostart = false;
        return true;
    }
    const std::string dir = path.substr(0, path.rfind('/'));
    const std::string temp = path + ".new";
    bool ok = ZelvoPaths::MakeDirs(dir);
    if (ok) {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << AutostartEntry(ExecutablePath(), ResourceChain::Instance().LoadString(IDS_PRODUCT));
        out.flush();
        ok = static_cast<bool>(out);
    }
    // Renamed into place so a session never starts from half an entry.
    ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temp.c_str());
        TracePrint("WmTrayPreferences::SetAutostart() Failed to write %s\n", path.c_str());
        return false;
    }
    m_autostart = true;
    return true;
}
