#include "wmapp/WmAppPropSheet.h"

#include "wmapp/WmTrace.h"

#include "StartupTestSupport.h"

#include <QTimer>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override { SetTraceMode(1); }
    void TearDown() override {
        SetTraceMode(0);
        unsetenv("ZELVO_EVENTS_LOG");
    }
    std::vector<std::string> Trace() { return TraceMessages(root / "Zelvo.txt"); }
    FreshRoot root;
};

TEST_F(MainWindowTest, HiddenAtStartUntilALaterStartAsksForIt) {
    WmAppPropSheet sheet(QStringLiteral("Zelvo Wireless LAN Utility"));
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Zelvo Wireless LAN Utility"));
    sheet.SetShowAtStart(false);
    bool seenHidden = false, seenShown = false;
    QTimer::singleShot(0, &sheet, [&] {
        seenHidden = !sheet.isVisible() && !sheet.WindowShown();
        sheet.PostWindowMessage(WmAppPropSheet::WM_LAUNCH_APP);
        QTimer::singleShot(50, &sheet, [&] {
            seenShown = sheet.isVisible() && sheet.WindowShown();
            sheet.reject();
        });
    });
    EXPECT_EQ(sheet.RunModal(), QDialog::Rejected);
    EXPECT_TRUE(seenHidden);
    EXPECT_TRUE(seenShown);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"WmAppPropSheet::SetWindowShowState,  ShowMainWindow = false",
                                                 "WmAppPropSheet::OnTrayLaunchApp Launching WmApp",
                                                 "WmAppPropSheet::SetWindowShowState,  ShowMainWindow = true"}));
    // Closed: nothing reaches it any more.
    EXPECT_FALSE(sheet.PostWindowMessage(WmAppPropSheet::WM_LAUNCH_APP));
    EXPECT_FALSE(sheet.SendWindowMessage(WmAppPropSheet::AdapterStatusEventMessage(), 0, 0));
}

TEST_F(MainWindowTest, KeepsEventTextsAndAnswersItsMessages) {
    setenv("ZELVO_EVENTS_LOG", (root / "events.txt").c_str(), 1);
    WmAppPropSheet sheet(QStringLiteral("Zelvo"));
    const std::string text = "WC_AUTH_STATUS_FAILED: bad key";
    intptr_t result = -1;
    EXPECT_TRUE(sheet.SendWindowMessage(WmAppPropSheet::AdapterStatusEventMessage(), reinterpret_cast<uintptr_t>(text.c_str()), 0, &result));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(sheet.SendWindowMessage(WmAppPropSheet::AdapterStatusEventMessage(), 0, 0));  // no text at all
    EXPECT_EQ(sheet.EventTexts(), (QStringList{QStringLiteral("WC_AUTH_STATUS_FAILED: bad key"), QString()}));
    EXPECT_EQ(ReadLines(root / "events.txt"), (std::vector<std::string>{"WC_AUTH_STATUS_FAILED: bad key", ""}));

    sheet.SendWindowMessage(WmAppPropSheet::WM_UPDATE_PAGE, 0, 0);
    sheet.SendWindowMessage(WmAppPropSheet::WM_UPDATE_PAGE, 1, 0);
    sheet.SendWindowMessage(WmAppPropSheet::WM_PROFILES_CHANGED, 0, 0);
    EXPECT_EQ(Trace(), (std::vector<std::string>{"WmAppPropSheet::OnUpdatePage() - Zero Config will be checked again ",
                                                 "WmAppPropSheet::OnProfilesChanged()"}));
}

}  // namespace
