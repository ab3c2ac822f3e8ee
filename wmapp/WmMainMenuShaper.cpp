#include "wmapp/WmMainMenuShaper.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "platform/ResourceChain.h"
#include "platform/ResourceMenuBuilder.h"
#include "wmapp/WmStatusSource.h"
#include "zelcore/WcProfileData.h"

namespace {

constexpr unsigned IDS_PRODUCT = 8100;
constexpr unsigned IDS_ENABLE_TRAY = 139;
constexpr unsigned IDS_DISABLE_TRAY = 140;
constexpr unsigned IDS_ENABLE_RADIO = 141;
constexpr unsigned IDS_DISABLE_RADIO = 142;

QString LoadText(unsigned id) {
    return ResourceChain::Instance().LoadString(id);
}

bool NeedsServerAuthentication(int32_t type) {
    return type != WC_SECURITY_DISABLED && type != WC_SECURITY_PSK;
}

}  // namespace

void WmMainMenuShaper::FillProductName(unsigned id, const QString& product) {
    m_items[id].fillProductName = true;
    m_productName = product;
}

WmMainMenuShaper WmMainMenuShaper::Shape(const WmMenuContext& c) {
    WmMainMenuShaper s;
    s.FillProductName(ID_HELP_MANUAL, c.productName);
    s.FillProductName(ID_HELP_ABOUT, c.productName);
    s.SetText(ID_ACTION_TRAY_ICON, LoadText(c.trayEnabled ? IDS_DISABLE_TRAY : IDS_ENABLE_TRAY));
    s.ShapeRadio(c);
    if (c.trayMenu) s.ShapeTrayItems(c);
    // Manual login only for the methods that prompt, with the radio on.
    const bool manual = (c.securityType == WC_SECURITY_LEAP || c.securityType == WC_SECURITY_EAP_FAST) &&
                        c.manualPrompt && c.radioRead && c.radioState == 0;
    s.Enable(ID_ACTION_MANUAL_LOGIN, manual);
    // Another vendor's tool does the logging in.
    if (c.activeSuppType == 2) {
        s.Enable(ID_ACTION_MANUAL_LOGIN, false);
        s.Enable(ID_ACTION_REAUTHENTICATE, false);
    }
    if (c.vendor == 3) s.Delete(ID_ACTION_RADIO);
    return s;
}

void WmMainMenuShaper::ShapeRadio(const WmMenuContext& c) {
    if (!c.radioRead) {
        for (unsigned id : {ID_ACTION_RADIO, ID_OPTIONS_DISPLAY, ID_OPTIONS_SCAN_LIST, ID_OPTIONS_CLIENT_SOFTWARE,
                            ID_ACTION_REAUTHENTICATE, ID_ACTION_MANUAL_LOGIN})
            Enable(id, false);
        return;
    }
    if (c.radioState != 0) {
        for (unsigned id : {ID_OPTIONS_DISPLAY, ID_OPTIONS_SCAN_LIST, ID_OPTIONS_CLIENT_SOFTWARE,
                            ID_ACTION_REAUTHENTICATE, ID_ACTION_MANUAL_LOGIN})
            Enable(id, false);
    }
    if (c.radioState == 0) {
        for (unsigned id : {ID_OPTIONS_DISPLAY, ID_OPTIONS_SCAN_LIST, ID_OPTIONS_CLIENT_SOFTWARE, ID_ACTION_RADIO})
            Enable(id, true);
        SetText(ID_ACTION_RADIO, LoadText(IDS_DISABLE_RADIO));
        if (NeedsServerAuthentication(c.securityType) && c.apsRead && !c.apsOn) {
            Enable(ID_ACTION_REAUTHENTICATE, true);
            Enable(ID_ACTION_MANUAL_LOGIN, c.manualPrompt);
        } else {
            Enable(ID_ACTION_REAUTHENTICATE, false);
            Enable(ID_ACTION_MANUAL_LOGIN, false);
        }
    } else if (c.radioState == 1) {
        Enable(ID_ACTION_RADIO, true);
        SetText(ID_ACTION_RADIO, LoadText(IDS_ENABLE_RADIO));
    }
    Enable(ID_ACTION_RADIO, c.disableOnLAN != 1);
    if (c.radioState == 2 || c.radioState == 3) {
        SetText(ID_ACTION_RADIO, LoadText(IDS_ENABLE_RADIO));
        Enable(ID_ACTION_RADIO, false);
    }
}

void WmMainMenuShaper::ShapeTrayItems(const WmMenuContext& c) {
    FillProductName(ID_TRAY_OPEN, c.productName);
    if (c.radioToggleBusy) {
        Enable(ID_TRAY_OPEN, false);
        Enable(ID_ACTION_RADIO, false);
    }
    if (c.hasActiveProfile)
        Enable(ID_ACTION_REAUTHENTICATE,
               NeedsServerAuthentication(c.securityType) && c.radioRead && c.radioState == 0 && c.apsRead && !c.apsOn);
    Check(ID_TRAY_DISABLE_ON_LAN, c.disableOnLAN != 0);
    if (c.disableOnLAN != 0 || (c.radioRead && (c.radioState == 2 || c.radioState == 3)))
        Enable(ID_ACTION_RADIO, false);
    if (c.vendor == 3) Delete(ID_ACTION_RADIO);
}

WmMenuContext WmMainMenuShaper::Gather(WmStatusSource& source, bool trayMenu, bool trayEnabled, bool radioToggleBusy) {
    WmMenuContext c;
    c.trayMenu = trayMenu;
    c.productName = LoadText(IDS_PRODUCT);
    c.trayEnabled = trayEnabled;
    c.radioToggleBusy = radioToggleBusy;
    WcProfileData data;
    if (source.GetActiveProfileData(data)) {
        c.hasActiveProfile = true;
        c.securityType = data.securityType;
        c.manualPrompt = data.manualPrompt != 0;
    }
    c.radioRead = source.GetRadioState(c.radioState);
    if (!c.radioRead) c.radioState = -1;
    uint32_t aps = 0;
    c.apsRead = source.IsAPSActive(aps);
    c.apsOn = c.apsRead && aps != 0;
    c.disableOnLAN = source.GetInstallOption(13);
    c.activeSuppType = source.GetActiveSuppType();
    c.vendor = source.GetVendor();
    return c;
}

const WmMainMenuShaper::ItemState* WmMainMenuShaper::Item(unsigned id) const {
    auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : &it->second;
}

bool WmMainMenuShaper::IsPresent(unsigned id) const {
    const ItemState* s = Item(id);
    return !s || s->present;
}

bool WmMainMenuShaper::IsEnabled(unsigned id, bool before) const {
    const ItemState* s = Item(id);
    return s && s->enabled ? *s->enabled : before;
}

bool WmMainMenuShaper::IsChecked(unsigned id, bool before) const {
    const ItemState* s = Item(id);
    return s && s->checked ? *s->checked : before;
}

QString WmMainMenuShaper::Text(unsigned id, const QString& before) const {
    const ItemState* s = Item(id);
    if (!s) return before;
    QString text = s->text ? *s->text : before;
    if (s->fillProductName) text.replace(QStringLiteral("%s"), m_productName);
    return text;
}

void WmMainMenuShaper::Apply(QMenuBar* bar) const {
    if (!bar) return;
    for (QAction* top : bar->actions())
        if (top->menu()) Apply(top->menu());
}

void WmMainMenuShaper::Apply(QMenu* menu) const {
    if (!menu) return;
    for (QAction* action : menu->actions()) {
        if (action->menu()) {
            Apply(action->menu());
            continue;
        }
        const unsigned id = ResourceMenuBuilder::CommandId(action);
        if (id == 0 || !Item(id)) continue;
        // A hidden action is gone from the menu, and a later shaping can bring it back.
        action->setVisible(IsPresent(id));
        if (!IsPresent(id)) continue;
        action->setEnabled(IsEnabled(id, action->isEnabled()));
        if (const ItemState* s = Item(id); s->checked) {
            action->setCheckable(true);
            action->setChecked(*s->checked);
        }
        action->setText(Text(id, action->text()));
    }
}

void WmMainMenuShaper::Apply(std::vector<WmMenuEntry>& entries) const {
    for (auto it = entries.begin(); it != entries.end();) {
        if (it->kind == WmMenuEntry::Kind::Popup) {
            Apply(it->items);
        } else if (it->kind == WmMenuEntry::Kind::Command && Item(it->id)) {
            if (!IsPresent(it->id)) {
                it = entries.erase(it);
                continue;
            }
            it->enabled = IsEnabled(it->id, it->enabled);
            it->checked = IsChecked(it->id, it->checked);
            it->text = Text(it->id, it->text);
        }
        ++it;
    }
}
