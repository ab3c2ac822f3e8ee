// Controls by id, label tables, the page base's activation notice, the history page and the
// title rule.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QObject>

#include "UiFixture.h"
#include "platform/WindowMessage.h"
#include "wmapp/WmConfigurationPage.h"
#include "wmapp/WmDialogBase.h"
#include "wmapp/WmHistoryPage.h"
#include "wmapp/WmStatisticsPage.h"
#include "wmapp/WmTitle.h"

using DialogBase = UiTest;

TEST_F(DialogBase, ControlsByIdAndLabelTable) {
    QWidget window;
    WmDialogBase base(&window);
    auto* label = new QLabel("old", &window);
    auto* edit = new QLineEdit(&window);
    auto* check = new QCheckBox(&window);
    auto* combo = new QComboBox(&window);
    combo->addItems({"a", "b"});
    base.AddControl(10, label);
    base.AddControl(11, edit);
    base.AddControl(12, check);
    base.AddControl(13, combo);
    const WmLabel table[] = {{WmDialogBase::CAPTION_ID, 2350}, {10, 2351}, {11, 999999}, {0, 0}, {12, 2352}};
    base.ApplyLabels(table);
    EXPECT_EQ(base.Caption(), "Current Status");
    EXPECT_EQ(window.windowTitle(), "Current Status");
    EXPECT_EQ(base.ControlText(10), "Profile Name:");
    EXPECT_EQ(base.ControlText(11), "");  // no such string: left alone
    EXPECT_EQ(base.ControlText(12), "");  // after the table's end

    EXPECT_TRUE(base.SetControlText(11, "typed"));
    EXPECT_EQ(base.ControlText(11), "typed");
    EXPECT_TRUE(base.SetChecked(12, true));
    EXPECT_TRUE(base.IsChecked(12));
    EXPECT_TRUE(base.EnableControl(10, false));
    EXPECT_FALSE(base.IsControlEnabled(10));
    EXPECT_TRUE(base.ShowControl(10, false));
    EXPECT_FALSE(base.IsControlVisible(10));
    EXPECT_TRUE(base.IsControlVisible(11));  // visible as far as the window goes, though not on screen
    auto* box = new QWidget(&window);
    auto* inner = new QLabel("inner", box);
    base.AddControl(14, inner);
    box->hide();
    EXPECT_FALSE(base.IsControlVisible(14));  // inside a hidden box
    EXPECT_TRUE(base.SetSelection(13, 1));
    EXPECT_EQ(base.Selection(13), 1);
    EXPECT_FALSE(base.SetSelection(13, 5));

    // Unknown ids answer "nothing" and change nothing.
    EXPECT_EQ(base.Control(77), nullptr);
    EXPECT_FALSE(base.SetControlText(77, "x"));
    EXPECT_FALSE(base.EnableControl(77, true));
    EXPECT_FALSE(base.IsChecked(77));
    EXPECT_EQ(base.Selection(77), -1);
}

namespace {
class MessageSink : public QObject, public WindowMessageTarget {
public:
    MessageSink() : WindowMessageTarget(this) {}
    intptr_t OnWindowMessage(unsigned message, uintptr_t wParam, intptr_t) override {
        received.push_back({message, wParam});
        return 0;
    }
    bool event(QEvent* e) override { return HandleWindowMessageEvent(e) || QObject::event(e); }
    std::vector<std::pair<unsigned, uintptr_t>> received;
};
}  // namespace

TEST_F(DialogBase, PagesCarryCaptionsAndAskForAnUpdateWhenActivated) {
    MessageSink sink;
    WmStatisticsPage statistics;
    WmConfigurationPage configuration;
    WmHistoryPage history;
    EXPECT_EQ(statistics.Caption(), "Diagnostics");
    EXPECT_EQ(configuration.Caption(), "Profile Management");
    EXPECT_EQ(history.Caption(), "Events History");

    EXPECT_TRUE(statistics.OnSetActive());  // nobody to tell: still fine
    statistics.SetNotifyTarget(&sink);
    EXPECT_TRUE(statistics.OnSetActive());
    EXPECT_TRUE(statistics.IsInitialized());
    QCoreApplication::processEvents();
    ASSERT_EQ(sink.received.size(), 1u);
    EXPECT_EQ(sink.received[0].first, WM_APP + 30);
    EXPECT_EQ(sink.received[0].second, 0u);
}

TEST_F(DialogBase, HistoryPageAppendsAndClears) {
    WmHistoryPage page;
    page.EnsureInitialized();
    EXPECT_FALSE(page.IsControlEnabled(WmHistoryPage::IDC_CLEAR));
    EXPECT_FALSE(page.IsControlEnabled(WmHistoryPage::IDC_SAVE));
    page.AddEvent("WC_EVENT_LINK_UP: HomeNet");
    page.AddEvent("WC_EVENT_AUTH_SUCCESS");
    EXPECT_EQ(page.History(), "WC_EVENT_LINK_UP: HomeNet\r\nWC_EVENT_AUTH_SUCCESS");
    EXPECT_TRUE(page.IsControlEnabled(WmHistoryPage::IDC_CLEAR));
    int saves = 0;
    page.SetSaveHandler([&] { ++saves; });
    page.OnSave();
    EXPECT_EQ(saves, 1);
    page.RefreshPage();  // nothing to recompute: the history stays
    EXPECT_EQ(page.History(), "WC_EVENT_LINK_UP: HomeNet\r\nWC_EVENT_AUTH_SUCCESS");
    page.OnClear();
    EXPECT_EQ(page.History(), "");
    EXPECT_FALSE(page.IsControlEnabled(WmHistoryPage::IDC_SAVE));
    page.OnSave();
    EXPECT_EQ(saves, 1);  // nothing to save
}

TEST_F(DialogBase, TitleChangesOnlyWithProfileOrDisabledState) {
    EXPECT_EQ(WmTitle::Build("Home", false), "Zelvo Wireless LAN Utility - Current Profile: Home");
    EXPECT_EQ(WmTitle::Build("Home", true), "Zelvo Wireless LAN Utility - Current Profile: Home (Disabled)");
    EXPECT_EQ(WmTitle::Build("", false), "Zelvo Wireless LAN Utility - Current Profile: ");
    EXPECT_EQ(WmTitle::Build("Home", std::nullopt), "Zelvo Wireless LAN Utility - Current Profile: Home");
    EXPECT_NE(Trace().find("WmAppPropSheet::TitleBarTimer(): Failed to get disable status\n"), std::string::npos);

    WmTitle title;
    const struct {
        QString name;
        bool disabled;
        bool changes;
    } steps[] = {
        {"Home", false, true}, {"Home", false, false}, {"HOME", false, false},  // letter case alone: no change
        {"Home", true, true},  {"Office", true, true}, {"Office", false, true}, {"", false, true},
    };
    for (const auto& s : steps) {
        const QString text = WmTitle::Build(s.name, s.disabled);
        EXPECT_EQ(title.Update(text), s.changes) << s.name.toStdString() << " " << s.disabled;
    }
    EXPECT_EQ(title.Last(), "Zelvo Wireless LAN Utility - Current Profile: ");
}

using TitleSim = SimUiTest;

TEST_F(TitleSim, FromTheActiveProfile) {
    EXPECT_EQ(WmTitle::Build(*m_source), "Zelvo Wireless LAN Utility - Current Profile: ");
    WcProfile* home = HomeProfile();
    ASSERT_TRUE(Connect(home));
    EXPECT_EQ(WmTitle::Build(*m_source), "Zelvo Wireless LAN Utility - Current Profile: Home");
    EXPECT_EQ(Trace().find("Failed to get disable status"), std::string::npos);
    SimControl::FailNext("WcAdapterConfig::IsProfileDisabled", WC_STATUS_FAILURE, 1);
    EXPECT_EQ(WmTitle::Build(*m_source), "Zelvo Wireless LAN Utility - Current Profile: Home");
    EXPECT_NE(Trace().find("WmAppPropSheet::TitleBarTimer(): Failed to get disable status\n"), std::string::npos);

    // Another user's private profile cannot be used here.
    WcProfileData data;
    ASSERT_EQ(home->GetData(&data), WC_STATUS_SUCCESS);
    data.ownerScope = WC_OWNER_SCOPE_PRIVATE;
    data.ownerUserName = "somebody-else";
    ASSERT_EQ(home->SetData(&data), WC_STATUS_SUCCESS);
    EXPECT_EQ(WmTitle::Build(*m_source), "Zelvo Wireless LAN Utility - Current Profile: Home (Disabled)");
}
