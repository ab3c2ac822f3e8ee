#pragma once
// Everything the Current Status page shows, worked out from the monitor and the adapter context
// without a window: the value texts, the Advanced button's state, the radio label, and the signal
// bar's position and colour. Between refreshes it keeps what the page keeps: the server based
// authentication text (when it cannot be read again), the bar's position and colour.
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class WmStatusSource;

struct WmLinkStatusView {
    QString profileName;
    QString linkStatus;
    QString wirelessMode;
    QString networkType;
    QString serverAuthentication;
    QString signalWord;
    QString radioState;
    QString ipAddress;
    QString channel;
    QString encryption;
    bool advancedEnabled = false;
    bool radioLabelVisible = false;
    int barPosition = 0;
    uint32_t barColour;  // 0x00BBGGRR, or WmLinkStatusModel::DEFAULT_COLOUR before any level coloured it
};

class WmLinkStatusModel {
public:
    static constexpr uint32_t DEFAULT_COLOUR = 0xFF000000u;
    static constexpr uint32_t RED = 0x000000FFu;
    static constexpr uint32_t YELLOW = 0x0000FFFFu;
    static constexpr uint32_t GREEN = 0x0000FF00u;

    WmLinkStatusModel();

    // Reads every value again and updates the view.
    void Refresh(WmStatusSource& source);
    const WmLinkStatusView& View() const { return m_view; }

    // RSSI to a bar position 0..100.
    static int RssiToPercent(long rssi);
    // Bar colour for a signal level 0..4; other levels keep the previous colour.
    static uint32_t BarColour(uint32_t level, uint32_t previous);
    // Bar position: in connection mode 1 by level (others keep the previous position), else by RSSI.
    static int BarPosition(int32_t connectionMode, uint32_t level, long rssi, int previous);
    // Radio state text string and whether the "Radio Status:" label shows.
    static unsigned RadioTextId(int32_t radioState);
    static bool RadioLabelShown(int32_t radioState);
    // The Server Based Authentication text. profileType: the security type of the profile read
    // for the case (the named active profile when authenticated, the active profile when only
    // associated); unset when it could not be read. typeText names a security type.
    static QString ServerAuthenticationText(int authenticated, int associated, std::optional<int32_t> profileType,
                                            const QString& previous, const std::function<QString(int32_t)>& typeText);

private:
    void RefreshServerAuthentication(WmStatusSource& source, int authenticated, int associated);
    void RefreshSignal(WmStatusSource& source);

    WmLinkStatusView m_view;
};
