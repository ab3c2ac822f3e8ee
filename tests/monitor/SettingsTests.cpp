// Loading and saving a monitor's settings in the user's registry hive.
#include "MonitorFixture.h"
#include "zelgui/monitor/WgMonitorSettings.h"
#include "zelgui/services/WgRegKey.h"

#include <optional>

namespace {

class MonitorSettings : public MonitorFixture {
protected:
    void WriteDword(const char* name, DWORD value) {
        WgRegKey key;
        DWORD disposition = 0;
        ASSERT_TRUE(key.CreateKey(HKEY_CURRENT_USER, g_szSWRegPath, &disposition));
        ASSERT_TRUE(key.SetValue(name, value));
    }
    void WriteText(const char* name, const char* text) {
        WgRegKey key;
        DWORD disposition = 0;
        ASSERT_TRUE(key.CreateKey(HKEY_CURRENT_USER, g_szSWRegPath, &disposition));
        ASSERT_TRUE(key.SetValue(name, text));
    }
    std::optional<DWORD> ReadDword(const char* name) {
        WgRegKey key;
        DWORD value = 0;
        if (!key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath) || !key.GetValue(name, &value)) return std::nullopt;
        return value;
    }
    WgMonitorState LoadedState() {
        WgAdapterMonitor* monitor = new WgAdapterMonitor(&adapter_);
        WgMonitorState state = monitor->GetMonitorState();
        monitor->Release();
        return state;
    }
    FakeAdapter adapter_ {"Wireless Adapter 1"};
};

TEST_F(MonitorSettings, NoKeyGivesDefaultsAndWritesNothing) {
    const WgMonitorState state = LoadedState();
    EXPECT_EQ(state.GetRefreshInterval(), 3000u);
    EXPECT_EQ(state.GetCumulative(), 1);
    EXPECT_EQ(state.GetDbm(), 1);
    WgRegKey key;
    EXPECT_FALSE(key.KeyFound(HKEY_CURRENT_USER, g_szSWRegPath));
}

TEST_F(MonitorSettings, IntervalRange) {
    const struct {
        std::optional<uint32_t> stored;
        uint32_t used;
    } cases[] = {
        {std::nullopt, 3000}, {5, 5000},     {9, 5000},     {10, 10},   {32767, 32767},
        {32768, 5000},        {40000, 5000}, {0, 5000},     {4000, 4000}, {0xFFFFFFFFu, 5000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WgMonitorSettings::FromValues(c.stored, std::nullopt, std::nullopt).GetRefreshInterval(), c.used)
            << (c.stored ? *c.stored : 0);
    }
    // Through the hive as well, for the values a user may really have.
    for (const auto& c : cases) {
        if (!c.stored) continue;
        WriteDword("RefreshInterval", *c.stored);
        EXPECT_EQ(LoadedState().GetRefreshInterval(), c.used) << *c.stored;
    }
}

TEST_F(MonitorSettings, ValuesOfTheWrongTypeAreIgnored) {
    WriteText("RefreshInterval", "1000");
    WriteText("DataDisplay", "0");
    WriteDword("RSSIUnits", 0);
    const WgMonitorState state = LoadedState();
    EXPECT_EQ(state.GetRefreshInterval(), 3000u);
    EXPECT_EQ(state.GetCumulative(), 1);
    EXPECT_EQ(state.GetDbm(), 0);
}

TEST_F(MonitorSettings, FlagsAreNormalisedAndSavedBack) {
    WriteDword("DataDisplay", 7);
    WriteDword("RSSIUnits", 0);
    WriteDword("RefreshInterval", 40000);
    WgAdapterMonitor* monitor = new WgAdapterMonitor(&adapter_);
    WgMonitorState state = monitor->GetMonitorState();
    EXPECT_EQ(state.GetCumulative(), 1);
    EXPECT_EQ(state.GetDbm(), 0);
    EXPECT_EQ(state.GetRefreshInterval(), 5000u);

    // Saving applies no range rule: the value given is stored and used.
    state.SetRefreshInterval(5);
    state.SetDbm(1);
    EXPECT_EQ(monitor->SetMonitorState(state), WG_SUCCESS);
    EXPECT_EQ(monitor->GetMonitorState().GetRefreshInterval(), 5u);
    EXPECT_EQ(ReadDword("RefreshInterval"), std::optional<DWORD>(5));
    EXPECT_EQ(ReadDword("DataDisplay"), std::optional<DWORD>(1));
    EXPECT_EQ(ReadDword("RSSIUnits"), std::optional<DWORD>(1));
    monitor->Release();
    // The next monitor to load them applies the range rule.
    EXPECT_EQ(LoadedState().GetRefreshInterval(), 5000u);
}

TEST_F(MonitorSettings, TwoMonitorsKeepSeparateCopies) {
    WgAdapterMonitor* first = new WgAdapterMonitor(&adapter_);
    WgAdapterMonitor* second = new WgAdapterMonitor(&adapter_);
    WgMonitorState state;
    state.SetRefreshInterval(1234);
    state.SetCumulative(0);
    first->SetMonitorState(state);
    EXPECT_EQ(second->GetMonitorState().GetRefreshInterval(), 3000u);
    EXPECT_EQ(second->GetMonitorState().GetCumulative(), 1);
    first->Release();
    second->Release();
}

TEST_F(MonitorSettings, DebugModeSwitchesTheLibraryTrace) {
    WriteDword("DebugMode", 1);
    WgAdapterMonitor* monitor = new WgAdapterMonitor(&adapter_);
    monitor->SetMonitorMask(0x4);
    EXPECT_EQ(monitor->GetMonitorMask(), 0x4u);
    monitor->Release();
    const std::string trace = Trace();
    EXPECT_NE(trace.find("Enter WgAdapterMonitor::SetMonitorMask()\n"), std::string::npos);
    EXPECT_NE(trace.find("Exit WgAdapterMonitor::SetMonitorMask()\n"), std::string::npos);
}

TEST_F(MonitorSettings, StateValueCopies) {
    WgMonitorState a;
    a.SetRefreshInterval(42);
    a.SetCumulative(0);
    a.SetDbm(0);
    WgMonitorState b(a);
    WgMonitorState c;
    c = b;
    a.SetRefreshInterval(7);
    EXPECT_EQ(c.GetRefreshInterval(), 42u);
    EXPECT_EQ(c.GetCumulative(), 0);
    EXPECT_EQ(c.GetDbm(), 0);
}

}  // namespace
