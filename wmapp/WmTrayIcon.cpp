#include "wmapp/WmTrayIcon.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "platform/ResourceChain.h"
#include "platform/ResourceMenuBuilder.h"
#include "wmapp/WmStatusSource.h"
#include "wmapp/WmTrace.h"
#include "wmapp/WmTrayMenu.h"
#include "wmapp/WmTrayPreferences.h"
#include "zelgui/monitor/WgAdapterMonitor.h"

namespace {

constexpr unsigned IDS_TOOLTIP = 135;
constexpr unsigned IDS_TOOLTIP_PROFILE = 136;
constexpr unsigned IDS_ELLIPSIS = 137;
constexpr unsigned IDS_DISABLED_TOOLTIP = 138;
constexpr uint32_t ADAPTER_STATE_AUTH_IN_PROGRESS = 502;
// A network name the driver uses while it holds the radio quiet; not worth showing.
constexpr const char* DUMMY_SSID = "dummyssiddonotconnect98765432";

QString LoadText(unsigned id) {
    return ResourceChain::Instance().LoadString(id);
}

// Cuts to at most max UTF-16 units without leaving half a surrogate pair.
QString Cut(const QString& text, qsizetype max) {
    if (text.size() <= max) return text;
    qsizetype n = std::max<qsizetype>(max, 0);
    if (n > 0 && text.at(n - 1).isHighSurrogate()) --n;
    return text.left(n);
}

unsigned Band(long signal, long poor, long fair, long good, unsigned p, unsigned f, unsigned g, unsigned e) {
    if (signal < poor) return p;
    if (signal < fair) return f;
    if (signal < good) return g;
    return e;
}

}  // namespace

WmTrayIcon::WmTrayIcon(WmStatusSource* source, WmTrayPreferences* preferences, std::unique_ptr<TrayIcon> icon,
                       unsigned menuId)
    : m_source(source),
      m_preferences(preferences),
      m_icon(icon ? std::move(icon) : TrayIcon::Create()),
      m_menu(std::make_unique<QMenu>()),
      m_menuId(menuId) {
    m_tooltip = LoadText(menuId);
    m_icon->SetMenu(m_menu.get());
    m_icon->SetActivationHandler([this](TrayIcon::Activation activation) { OnActivated(activation); });
    QObject::connect(m_menu.get(), &QMenu::aboutToShow, m_menu.get(), [this] { OnMenuAboutToShow(); });
    QObject::connect(m_menu.get(), &QMenu::triggered, m_menu.get(), [this](QAction* action) {
        const unsigned id = ResourceMenuBuilder::CommandId(action);
        if (id != 0 && m_onCommand) m_onCommand(id);
    });
}

WmTrayIcon::~WmTrayIcon() {
    if (m_iconShown) m_icon->Hide();
    m_icon->SetMenu(nullptr);
    m_icon->SetActivationHandler({});
}

void WmTrayIcon::SetIcon(const QIcon* icon, const QString& tooltip) {
    if (!tooltip.isEmpty()) SetTooltip(tooltip);
    if (icon && !icon->isNull()) {
        m_icon->SetPicture(*icon);
        if (!m_iconShown) {
            m_icon->Show();
            m_iconShown = true;
        }
    } else if (m_iconShown) {
        m_icon->Hide();
        m_iconShown = false;
    }
}

void WmTrayIcon::SetIconById(unsigned id) {
    if (id == 0) {
        SetIcon(nullptr, QString());
        return;
    }
    const QIcon icon = ResourceChain::Instance().LoadIcon(id);
    SetIcon(&icon, LoadText(id));
}

void WmTrayIcon::SetTooltip(const QString& text) {
    m_tooltip = Cut(text, MAX_TOOLTIP);
    m_icon->SetTooltip(m_tooltip);
}

void WmTrayIcon::OnTaskbarCreated() {
    if (!m_iconShown) return;
    m_icon->Hide();
    m_icon->Show();
}

unsigned WmTrayIcon::ChoosePicture(const WmTrayPictureInput& in) {
    if (in.adapterState == ADAPTER_STATE_AUTH_IN_PROGRESS) return IDI_AUTHENTICATING;
    const bool radioOff = in.radioState >= 1 && in.radioState <= 3;
    if (in.connectionMode == 1 && in.extendedRange) {
        if (radioOff) return IDI_RADIO_OFF;
        if (!in.associated) return IDI_QX_NOT_ASSOCIATED;
        return Band(in.signal, -4, 0, 20, IDI_QX_POOR, IDI_QX_FAIR, IDI_QX_GOOD, IDI_QX_EXCELLENT);
    }
    if (in.connectionMode == 0 && in.velaMode) {
        if (radioOff) return IDI_VELA_RADIO_OFF;
        if (!in.associated) return IDI_VELA_NOT_ASSOCIATED;
        return Band(in.signal, -4, 0, 20, IDI_VELA_POOR, IDI_VELA_FAIR, IDI_VELA_GOOD, IDI_VELA_EXCELLENT);
    }
    if (radioOff) return IDI_RADIO_OFF;
    if (!in.associated) return IDI_NOT_ASSOCIATED;
    return Band(in.signal, 5, 10, 20, IDI_POOR, IDI_FAIR, IDI_GOOD, IDI_EXCELLENT);
}

unsigned WmTrayIcon::UpdateTrayIcon(bool trayEnabled) {
    WgAdapterMonitor* monitor = m_source ? m_source->Monitor() : nullptr;
    long signal = 0;
    const bool answers = monitor && monitor->GetRSSI(&signal) == WG_SUCCESS;
    // Switching the tray off takes down an icon already shown.
    if (!trayEnabled)
        m_displayed = false;
    else if (!m_displayed && answers)
        m_displayed = true;

    unsigned picture = IDI_NONE;
    if (m_displayed && answers) {
        WmTrayPictureInput in;
        in.signal = signal;
        WcConnectionMode mode = WC_CONNECTION_MODE_NORMAL;
        if (monitor->GetConnectionMode(&mode) == WG_SUCCESS) in.connectionMode = mode;
        WcDriverRadioState radio = static_cast<WcDriverRadioState>(-1);
        in.radioState = monitor->GetRadioEnableStatus(&radio) == WG_SUCCESS ? radio : -1;
        if (monitor->IsAssociated(&in.associated) != WG_SUCCESS) in.associated = 0;
        uint32_t caps = 0;
        if (!m_source->GetSecurityCaps(caps)) caps = 0;
        in.extendedRange = m_source->HasExtendedRange(caps);
        in.velaMode = m_source->HasVelaMode(caps);
        if (!m_source->GetAdapterState(in.adapterState)) in.adapterState = 0;
        picture = ChoosePicture(in);
    } else if (m_displayed) {
        m_displayed = false;
    }
    if (picture != m_lastPicture) {
        m_lastPicture = picture;
        SetIconById(picture);
    }
    // No panel tells when the pointer rests on the icon, so the status tooltip stays current.
    if (m_iconShown) UpdateTooltip();
    return picture;
}

QString WmTrayIcon::WirelessModeSuffix(const QString& mode) {
    // Mode texts of the GUI library and the suffix each one gets.
    static constexpr struct {
        unsigned mode;
        unsigned suffix;
    } kSuffixes[] = {{18, 2412}, {37, 2413}, {19, 2414}, {20, 2415}, {21, 2416}};
    for (const auto& s : kSuffixes)
        if (mode == LoadText(s.mode)) return LoadText(s.suffix);
    return QString();
}

WmTrayTooltipInput WmTrayIcon::GatherTooltip() const {
    WmTrayTooltipInput in;
    WgAdapterMonitor* monitor = m_source ? m_source->Monitor() : nullptr;
    if (!monitor) return in;
    if (monitor->GetRxRate(in.rate) != WG_SUCCESS) return in;
    WcDriverRadioState radio = static_cast<WcDriverRadioState>(-1);
    if (monitor->GetRadioEnableStatus(&radio) != WG_SUCCESS || radio != WC_RADIO_ON) return in;
    in.available = true;
    std::string text;
    if (m_source->GetSSID(text)) in.ssid = QString::fromStdString(text);
    monitor->GetLinkStatus(in.linkStatus);
    monitor->GetSignalStrength(in.signalStrength);
    monitor->GetWirelessMode(in.wirelessMode);
    if (m_source->GetAdapterName(text)) in.adapterName = QString::fromStdString(text);
    if (m_source->GetIPAddress(text)) in.ipAddress = QString::fromStdString(text);
    if (!m_source->IsZeroConfigEnabled() && m_source->GetActiveSuppType() == 0) {
        in.profileForm = true;
        if (m_source->GetActiveProfileName(text)) in.profileName = QString::fromStdString(text);
    }
    return in;
}

QString WmTrayIcon::BuildTooltip(const WmTrayTooltipInput& in) {
    const ResourceChain& chain = ResourceChain::Instance();
    if (!in.available) return Cut(LoadText(IDS_DISABLED_TOOLTIP), MAX_TOOLTIP);
    const QString rate = in.rate + WirelessModeSuffix(in.wirelessMode);
    if (!in.profileForm) {
        return Cut(chain.FormatString(IDS_TOOLTIP, {in.ssid, in.linkStatus, in.signalStrength, rate, in.adapterName,
                                                    in.ipAddress}),
                   MAX_TOOLTIP);
    }
    const QString ssid = in.ssid.startsWith(QLatin1String(DUMMY_SSID)) ? QString() : in.ssid;
    auto build = [&](const QString& profile) {
        return chain.FormatString(IDS_TOOLTIP_PROFILE,
                                  {profile, ssid, in.linkStatus, in.signalStrength, rate, in.adapterName, in.ipAddress});
    };
    QString profile = in.profileName;
    QString tip = build(profile);
    if (tip.size() > MAX_TOOLTIP) {
        // The profile name gives way first, ending in "..." so the cut shows.
        const qsizetype excess = tip.size() - MAX_TOOLTIP;
        const QString ellipsis = LoadText(IDS_ELLIPSIS);
        if (profile.size() > excess) {
            profile = Cut(profile, profile.size() - excess);
            if (profile.size() > ellipsis.size()) profile = Cut(profile, profile.size() - ellipsis.size()) + ellipsis;
        }
        tip = build(profile);
    }
    return Cut(tip, MAX_TOOLTIP);
}

void WmTrayIcon::UpdateTooltip() {
    SetTooltip(BuildTooltip(GatherTooltip()));
}

void WmTrayIcon::OnDoubleClick() {
    if (!m_preferences) return;
    const DWORD vendor = m_source ? m_source->GetVendor() : 0;
    const unsigned command = WmTrayMenu::DefaultCommand(*m_preferences, vendor);
    if (command != 0 && m_onCommand) m_onCommand(command);
}

void WmTrayIcon::OnActivated(TrayIcon::Activation activation) {
    if (activation == TrayIcon::Activation::DoubleClick) OnDoubleClick();
    // A right click opens the menu, filled as it is about to show.
}

void WmTrayIcon::OnMenuAboutToShow() {
    if (m_buildMenu) {
        m_buildMenu(m_menu.get());
        return;
    }
    ResourceMenu resource;
    m_menu->clear();
    if (ResourceChain::Instance().LoadMenu(m_menuId, resource))
        if (const ResourceMenuItem* popup = resource.Popup(0)) ResourceMenuBuilder::Fill(m_menu.get(), popup->items);
}
