#pragma once
// The Current Status page: profile, link, mode, network type, authentication, signal bar, radio,
// address, channel and encryption of the adapter, recomputed on every refresh by
// WmLinkStatusModel. Its Advanced button hands over to the window (the Advanced Status dialog).
#include <functional>

#include "wmapp/WmAppPropPage.h"
#include "wmapp/WmLinkStatusModel.h"

class QLabel;
class QProgressBar;
class QPushButton;
class WmStatusSource;

class WmLinkStatusPage : public WmAppPropPage {
    Q_OBJECT
public:
    static constexpr unsigned IDD = 142;
    static constexpr unsigned IDS_CAPTION = 2350;
    // Value controls.
    static constexpr int IDC_PROFILE_NAME = 1132;
    static constexpr int IDC_LINK_STATUS = 1143;
    static constexpr int IDC_WIRELESS_MODE = 1139;
    static constexpr int IDC_NETWORK_TYPE = 1137;
    static constexpr int IDC_SERVER_AUTH = 1047;
    static constexpr int IDC_SIGNAL_BAR = 1161;
    static constexpr int IDC_SIGNAL_WORD = 1141;
    static constexpr int IDC_RADIO_LABEL = 1145;
    static constexpr int IDC_RADIO_STATE = 1146;
    static constexpr int IDC_IP_ADDRESS = 1116;
    static constexpr int IDC_CHANNEL = 1039;
    static constexpr int IDC_ENCRYPTION = 1135;
    static constexpr int IDC_ADVANCED = 1144;
    static constexpr int IDC_BANNER = 1175;
    static constexpr int IDC_LOGO = 1176;
    static constexpr unsigned IDB_BANNER = 8001;
    static constexpr unsigned IDB_LOGO = 199;

    // source may be null (nothing to show) and must outlive the page.
    explicit WmLinkStatusPage(WmStatusSource* source, QWidget* parent = nullptr);
    ~WmLinkStatusPage() override;

    void RefreshPage() override;
    // What the Advanced button runs (the window opens the Advanced Status dialog).
    void SetAdvancedHandler(std::function<void()> handler) { m_onAdvanced = std::move(handler); }
    void OnAdvanced();

    // Context help topic of a control of this page; 0 for none.
    static unsigned HelpTopic(int controlId);

    const WmLinkStatusModel& Model() const { return m_model; }
    QProgressBar* SignalBar() const { return m_bar; }

protected:
    bool OnInitDialog() override;

private:
    void BuildLayout();
    void ShowView();
    void LoadLogo();

    WmStatusSource* m_source;
    WmLinkStatusModel m_model;
    std::function<void()> m_onAdvanced;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_advanced = nullptr;
    QLabel* m_logo = nullptr;
};
