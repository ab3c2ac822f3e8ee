#include "wmapp/WmLinkStatusModel.h"

#include <algorithm>

#include "platform/ResourceChain.h"
#include "wmapp/WmStatusSource.h"
#include "zelgui/monitor/WgAdapterMonitor.h"

namespace {

// String numbers of the texts this page shows.
constexpr unsigned IDS_NO_LINK = 26;
constexpr unsigned IDS_UNAVAILABLE = 31;
constexpr unsigned IDS_NOT_ASSOCIATED = 52;
constexpr unsigned IDS_NONE = 62;
constexpr unsigned IDS_HARDWARE_DISABLED = 116;
constexpr unsigned IDS_SOFTWARE_DISABLED = 117;
constexpr unsigned IDS_BOTH_DISABLED = 118;
constexpr unsigned IDS_RADIO_ON = 119;

QString Text(unsigned id) {
    return ResourceChain::Instance().LoadString(id);
}

}  // namespace

WmLinkStatusModel::WmLinkStatusModel() {
    m_view.barColour = DEFAULT_COLOUR;
}

int WmLinkStatusModel::RssiToPercent(long rssi) {
    if (rssi >= 30) return 100;
    const long percent = rssi < 10 ? rssi * 75 / 10 : (26 * rssi - 260) / 20 + 75;
    return static_cast<int>(std::clamp(percent, 0L, 100L));
}

uint32_t WmLinkStatusModel::BarColour(uint32_t level, uint32_t previous) {
    switch (level) {
    case 1: return RED;
    case 2: return YELLOW;
    case 3:
    case 4: return GREEN;
    default: return previous;
    }
}

int WmLinkStatusModel::BarPosition(int32_t connectionMode, uint32_t level, long rssi, int previous) {
    if (connectionMode != 1) return RssiToPercent(rssi);
    static constexpr int kByLevel[] = {0, 20, 47, 67, 100};
    return level < std::size(kByLevel) ? kByLevel[level] : previous;
}

unsigned WmLinkStatusModel::RadioTextId(int32_t radioState) {
    switch (radioState) {
    case 1: return IDS_SOFTWARE_DISABLED;
    case 2: return IDS_HARDWARE_DISABLED;
    case 3: return IDS_BOTH_DISABLED;
    default: return IDS_RADIO_ON;
    }
}

bool WmLinkStatusModel::RadioLabelShown(int32_t radioState) {
    return radioState >= 1 && radioState <= 3;
}

void WmLinkStatusModel::Refresh(WmStatusSource& source) {
    m_view.encryption.clear();
    m_view.wirelessMode.clear();
    m_view.channel.clear();
    m_view.linkStatus.clear();
    m_view.networkType.clear();

    int authenticated = 0;
    int associated = 0;
    if (WgAdapterMonitor* monitor = source.Monitor()) {
        monitor->GetEncryptionType(m_view.encryption);
        monitor->GetWirelessMode(m_view.wirelessMode);
        monitor->GetChannel(m_view.channel);
        monitor->GetLinkStatus(m_view.linkStatus);
        monitor->GetCurrentNetworkType(m_view.networkType);
        if (monitor->Authenticated(&authenticated) != WG_SUCCESS) authenticated = 0;
        if (monitor->IsAssociated(&associated) != WG_SUCCESS) associated = 0;
    }

    RefreshServerAuthentication(source, authenticated, associated);

    m_view.profileName.clear();
    m_view.ipAddress.clear();
    if (source.IsAdapterUnavailable()) {
        m_view.advancedEnabled = false;
    } else {
        m_view.advancedEnabled = true;
        std::string name;
        if (source.IsZeroConfigEnabled() || source.GetActiveSuppType() != 0 || !source.GetActiveProfileName(name))
            m_view.profileName = Text(IDS_UNAVAILABLE);
        else
            m_view.profileName = QString::fromStdString(name);
        std::string address;
        if (source.GetIPAddress(address)) m_view.ipAddress = QString::fromStdString(address);
    }

    RefreshSignal(source);

    int32_t radio = -1;
    if (!source.GetRadioState(radio)) radio = -1;
    m_view.radioState = Text(RadioTextId(radio));
    m_view.radioLabelVisible = RadioLabelShown(radio);
}

QString WmLinkStatusModel::ServerAuthenticationText(int authenticated, int associated,
                                                    std::optional<int32_t> profileType, const QString& previous,
                                                    const std::function<QString(int32_t)>& typeText) {
    if (authenticated == 1) {
        // A profile that cannot be read keeps the text shown before.
        if (!profileType) return previous;
        return *profileType == WC_SECURITY_PSK ? Text(IDS_NONE) : typeText(*profileType);
    }
    if (associated == 1) {
        if (profileType && *profileType == WC_SECURITY_HOST_BASED_EAP) return typeText(WC_SECURITY_HOST_BASED_EAP);
        return Text(IDS_NONE);
    }
    return QString();
}

void WmLinkStatusModel::RefreshServerAuthentication(WmStatusSource& source, int authenticated, int associated) {
    std::optional<int32_t> type;
    WcProfileData data;
    if (authenticated == 1) {
        std::string name;
        if (source.HasAdapterConfig() && source.GetActiveProfileName(name) && source.GetProfileDataByName(name, data))
            type = data.securityType;
    } else if (associated == 1) {
        if (source.GetActiveProfileData(data)) type = data.securityType;
    }
    m_view.serverAuthentication = ServerAuthenticationText(authenticated, associated, type, m_view.serverAuthentication,
                                                           [&](int32_t t) { return source.AuthenticationTypeText(t); });
}

void WmLinkStatusModel::RefreshSignal(WmStatusSource& source) {
    m_view.signalWord = Text(IDS_NO_LINK);
    int32_t connectionMode = 2;
    long rssi = 0;
    uint32_t level = 0;
    // The link counts as up when the shown link status is anything but "Not Associated".
    const bool linkUp = m_view.linkStatus != Text(IDS_NOT_ASSOCIATED);
    WgAdapterMonitor* monitor = source.Monitor();
    if (linkUp && monitor) {
        if (monitor->GetRSSI(&rssi) != WG_SUCCESS) rssi = 0;
        monitor->GetSignalStrength(m_view.signalWord);
        WcConnectionMode mode = WC_CONNECTION_MODE_NORMAL;
        if (monitor->GetConnectionMode(&mode) == WG_SUCCESS) connectionMode = mode;
    }
    if (linkUp && source.HasAdapterDriver()) {
        if (!source.SignalStrength(rssi, level)) level = 0;
    }
    m_view.barColour = BarColour(level, m_view.barColour);
    m_view.barPosition = BarPosition(connectionMode, level, rssi, m_view.barPosition);
}
