// The tray picture for each link state and band, the tooltip, the default action, and the icon
// following the tray setting on the simulated adapter.
#include <QMenu>

#include "UiFixture.h"
#include "platform/FakeTrayIcon.h"
#include "wmapp/WmMainMenuShaper.h"
#include "wmapp/WmTrayIcon.h"
#include "wmapp/WmTrayPreferences.h"

using Pic = WmTrayPictureInput;

TEST(TrayPicture, ByLinkStateBandAndMode) {
    auto with = [](int32_t mode, bool qx, bool vela, int32_t radio, int associated, long signal, uint32_t state = 0) {
        Pic p;
        p.connectionMode = mode;
        p.extendedRange = qx;
        p.velaMode = vela;
        p.radioState = radio;
        p.associated = associated;
        p.signal = signal;
        p.adapterState = state;
        return p;
    };
    const struct {
        const char* name;
        Pic input;
        unsigned picture;
    } cases[] = {
        {"general, radio off by software", with(2, false, false, 1, 1, 30), 8052},
        {"general, radio off by hardware", with(2, false, false, 2, 0, 0), 8052},
        {"general, radio unread counts as on", with(2, false, false, -1, 0, 0), 8053},
        {"general, not associated", with(2, false, false, 0, 0, 30), 8053},
        {"general, 4", with(2, false, false, 0, 1, 4), 8055},
        {"general, 5", with(2, false, false, 0, 1, 5), 8056},
        {"general, 9", with(2, false, false, 0, 1, 9), 8056},
        {"general, 10", with(2, false, false, 0, 1, 10), 8057},
        {"general, 19", with(2, false, false, 0, 1, 19), 8057},
        {"general, exactly 20", with(2, false, false, 0, 1, 20), 8058},
        {"general, negative", with(2, false, false, 0, 1, -60), 8055},
        {"mode 1 without the capability is general", with(1, false, false, 0, 1, -2), 8055},
        {"mode 1, radio off", with(1, true, false, 3, 1, 0), 8052},
        {"mode 1, not associated", with(1, true, false, 0, 0, 0), 8066},
        {"mode 1, -5", with(1, true, false, 0, 1, -5), 8060},
        {"mode 1, exactly -4", with(1, true, false, 0, 1, -4), 8063},
        {"mode 1, 0", with(1, true, false, 0, 1, 0), 8064},
        {"mode 1, 20", with(1, true, false, 0, 1, 20), 8062},
        {"mode 0 without the capability is general", with(0, false, false, 0, 1, 20), 8058},
        {"mode 0, radio off", with(0, false, true, 1, 1, 0), 8073},
        {"mode 0, not associated", with(0, false, true, 0, 0, 0), 8072},
        {"mode 0, -5", with(0, false, true, 0, 1, -5), 8067},
        {"mode 0, -4", with(0, false, true, 0, 1, -4), 8070},
        {"mode 0, 19", with(0, false, true, 0, 1, 19), 8071},
        {"mode 0, 25", with(0, false, true, 0, 1, 25), 8069},
        {"authenticating overrides radio off", with(2, false, false, 1, 0, 0, 502), 8054},
        {"authenticating overrides the mode sets", with(1, true, false, 0, 1, 30, 502), 8054},
    };
    for (const auto& c : cases) EXPECT_EQ(WmTrayIcon::ChoosePicture(c.input), c.picture) << c.name;
}

using TrayTooltip = UiTest;

TEST_F(TrayTooltip, FormsAndLimits) {
    WmTrayTooltipInput in;
    EXPECT_EQ(WmTrayIcon::BuildTooltip(in), "Wireless network interface disabled");

    in.available = true;
    in.ssid = "HomeNet";
    in.linkStatus = "Authenticated";
    in.signalStrength = "Good";
    in.rate = "54.0 Mbps";
    in.wirelessMode = "802.11g 54 Mbps";
    in.adapterName = "Kovanta Wireless LAN Adapter";
    in.ipAddress = "192.168.1.100";
    EXPECT_EQ(WmTrayIcon::BuildTooltip(in),
              "HomeNet\nAuthenticated\nGood\n54.0 Mbps, 11g\nKovanta Wireless LAN Adapter\n192.168.1.100");

    in.profileForm = true;
    in.profileName = "Home";
    in.ssid = "dummyssiddonotconnect98765432xyz";
    EXPECT_EQ(WmTrayIcon::BuildTooltip(in),
              "Home\n\nAuthenticated\nGood\n54.0 Mbps, 11g\nKovanta Wireless LAN Adapter\n192.168.1.100");

    // A long profile name gives way, ending in "...", so the whole fits the 127 characters.
    in.ssid = "HomeNet";
    in.profileName = QString(100, QLatin1Char('P'));
    const QString tip = WmTrayIcon::BuildTooltip(in);
    EXPECT_EQ(tip.size(), 127);
    EXPECT_TRUE(tip.startsWith(QString(39, QLatin1Char('P')) + "...\nHomeNet\n")) << tip.toStdString();
    EXPECT_TRUE(tip.endsWith("192.168.1.100"));

    // When the other values alone are too long, the text is cut at the limit.
    in.profileName = "Home";
    in.adapterName = QString(200, QLatin1Char('A'));
    EXPECT_EQ(WmTrayIcon::BuildTooltip(in).size(), 127);
}

TEST_F(TrayTooltip, WirelessModeSuffixes) {
    const struct {
        const char* mode;
        const char* suffix;
    } cases[] = {{"5 GHz 108 Mbps", ", Vela A"}, {"802.11g 108 Mbps", ", Vela G"}, {"5 GHz 54 Mbps", ", 11a"},
                 {"802.11g 54 Mbps", ", 11g"},   {"802.11b 11 Mbps", ", 11b"},     {"4.9 GHz 54 Mbps", ""},
                 {" ", ""}};
    for (const auto& c : cases) EXPECT_EQ(WmTrayIcon::WirelessModeSuffix(c.mode), c.suffix) << c.mode;
}

using TrayIconSim = SimUiTest;

namespace {
struct TrayRig {
    explicit TrayRig(WmStatusSource* source)
        : preferences(source), fake(new FakeTrayIcon), tray(source, &preferences, std::unique_ptr<TrayIcon>(fake)) {
        tray.SetCommandHandler([this](unsigned id) { commands.push_back(id); });
    }
    WmTrayPreferences preferences;
    FakeTrayIcon* fake;
    WmTrayIcon tray;
    std::vector<unsigned> commands;
};
}  // namespace

TEST_F(TrayIconSim, FollowsTheLinkAndTheTraySetting) {
    TrayRig rig(m_source.get());
    m_source->RunMonitorCycle();
    EXPECT_EQ(rig.tray.UpdateTrayIcon(false), 0u);  // tray off: nothing shown
    EXPECT_FALSE(rig.fake->IsShown());

    EXPECT_EQ(rig.tray.UpdateTrayIcon(true), 8053u);  // not associated
    EXPECT_TRUE(rig.fake->IsShown());
    EXPECT_FALSE(rig.fake->Picture().isNull());

    ASSERT_TRUE(Connect(HomeProfile()));
    const unsigned connected = rig.tray.UpdateTrayIcon(true);
    EXPECT_GE(connected, 8055u);
    EXPECT_LE(connected, 8058u);
    const QString tip = rig.fake->Tooltip();
    EXPECT_TRUE(tip.startsWith("Home\nHomeNet\nAuthenticated\n")) << tip.toStdString();
    EXPECT_LE(tip.size(), 127);

    // Switching the tray off takes the icon down at once.
    EXPECT_EQ(rig.tray.UpdateTrayIcon(false), 0u);
    EXPECT_FALSE(rig.fake->IsShown());
    EXPECT_FALSE(rig.tray.IsDisplayed());

    ASSERT_TRUE(SetRadio(1));
    EXPECT_EQ(rig.tray.UpdateTrayIcon(true), 8052u);
    EXPECT_TRUE(rig.fake->IsShown());
    EXPECT_EQ(rig.fake->Tooltip(), "Wireless network interface disabled");

    // A restarted panel gets the icon back with its last picture.
    const size_t before = rig.fake->Changes().size();
    rig.tray.OnTaskbarCreated();
    EXPECT_TRUE(rig.fake->IsShown());
    ASSERT_EQ(rig.fake->Changes().size(), before + 2);
    EXPECT_EQ(rig.fake->Changes().back().kind, FakeTrayIcon::Change::Kind::Show);
    EXPECT_EQ(rig.tray.LastPicture(), 8052u);
}

TEST_F(TrayIconSim, UnansweredMonitorRemovesTheIcon) {
    TrayRig rig(m_source.get());
    m_source->RunMonitorCycle();
    ASSERT_EQ(rig.tray.UpdateTrayIcon(true), 8053u);
    // The adapter's data cannot be collected any more: the monitor stops answering.
    SimControl::FailNext("WcAdapterDriver::GetDiagnosticData", WC_STATUS_FAILURE, SimControl::kForever);
    m_source->RunMonitorCycle();
    EXPECT_EQ(rig.tray.UpdateTrayIcon(true), 0u);
    EXPECT_FALSE(rig.fake->IsShown());
    SimControl::ClearFailures();
    m_source->RunMonitorCycle();
    EXPECT_EQ(rig.tray.UpdateTrayIcon(true), 8053u);
    EXPECT_TRUE(rig.fake->IsShown());
}

TEST_F(TrayIconSim, DoubleClickRunsTheDefaultAction) {
    TrayRig rig(m_source.get());
    rig.fake->Activate(TrayIcon::Activation::DoubleClick);
    ASSERT_TRUE(WgSettings::SetMachineDword("Vendor", 3, true));
    rig.fake->Activate(TrayIcon::Activation::DoubleClick);
    ASSERT_TRUE(rig.preferences.SetItemShown(WmTrayPreferences::ITEM_OPEN, false, true));
    rig.fake->Activate(TrayIcon::Activation::DoubleClick);
    rig.fake->Activate(TrayIcon::Activation::Trigger);  // a single click does nothing
    EXPECT_EQ(rig.commands, (std::vector<unsigned> {ID_SHOW_CONNECTION_STATUS, ID_TRAY_OPEN}));
}

using TrayIconNoAdapter = NoAdapterUiTest;

TEST_F(TrayIconNoAdapter, NoIconWithoutAdapter) {
    TrayRig rig(m_source.get());
    EXPECT_EQ(rig.tray.UpdateTrayIcon(true), 0u);
    EXPECT_FALSE(rig.fake->IsShown());
    EXPECT_EQ(rig.tray.GatherTooltip().available, false);
}
