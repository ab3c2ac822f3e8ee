// The registry key wrapper's truth values and its edge cases.
#include "platform/Registry.h"
#include "platform/RegistryText.h"
#include "tests/registry/RegistryTestSupport.h"
#include "zelgui/services/WgRegKey.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Hive = RegistryStore::Hive;

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";

class WgRegKeyTest : public RegistryTest {
protected:
    void TearDown() override {
        WgRegKey::SetOSVersionSource(nullptr);
        RegistryTest::TearDown();
    }
    // A hive with the settings key holding the given value lines.
    void Settings(Hive hive, const std::string& lines) {
        const std::string root = RegistryStore::RootName(hive);
        WriteHive(hive, kHeader + "[" + root + "\\SOFTWARE\\Kovanta\\Zelvo\\Settings]\n" + lines);
    }
};

TEST_F(WgRegKeyTest, ExportsTheSettingsPath) {
    EXPECT_STREQ(g_szSWRegPath, "SOFTWARE\\Kovanta\\Zelvo\\Settings\\");
    EXPECT_EQ(WgRegKey::MAX_STRING_SIZE, 1024u);
}

TEST_F(WgRegKeyTest, OpenFallsBackToReadingOnAReadOnlyHive) {
    Settings(Hive::LocalMachine, "\"ShowTray\"=dword:00000001\n");
    RegistryStore::SetReadOnly(Hive::LocalMachine, true);
    WgRegKey key;
    ASSERT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, g_szSWRegPath), 1);
    DWORD value = 0;
    EXPECT_EQ(key.GetValue("ShowTray", &value), 1);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(key.SetValue("ShowTray", DWORD(0)), 0);
    EXPECT_EQ(key.DeleteValue("ShowTray"), 0);
    EXPECT_EQ(key.CloseKey(), 1);
    DWORD disposition = 0;
    EXPECT_EQ(key.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Other", &disposition), 0);
}

TEST_F(WgRegKeyTest, AnOpenKeyBlocksEveryOtherOpenUntilClosed) {
    Settings(Hive::CurrentUser, "\"A\"=dword:00000002\n");
    WriteHive(Hive::LocalMachine, kHeader + "[HKEY_LOCAL_MACHINE\\Other]\n");
    WgRegKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath), 1);
    DWORD disposition = 0;
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, "Other"), 0);
    EXPECT_EQ(key.OpenKey64(HKEY_LOCAL_MACHINE, "Other"), 0);
    EXPECT_EQ(key.OpenKeyForQueryOnly(HKEY_LOCAL_MACHINE, "Other"), 0);
    EXPECT_EQ(key.CreateKey(HKEY_LOCAL_MACHINE, "Other", &disposition), 0);
    // KeyFound leaves the object as it is.
    EXPECT_EQ(key.KeyFound(HKEY_LOCAL_MACHINE, "Other"), 1);
    DWORD value = 0;
    EXPECT_EQ(key.GetValue("A", &value), 1);
    EXPECT_EQ(value, 2u);
    EXPECT_EQ(key.CloseKey(), 1);
    EXPECT_EQ(key.CloseKey(), 1);
    EXPECT_EQ(key.GetValue("A", &value), 0);
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, "Other"), 1);
}

TEST_F(WgRegKeyTest, FailedOpensLeaveTheObjectClosed) {
    WgRegKey key;
    DWORD value = 0;
    EXPECT_EQ(key.OpenKey(HKEY_LOCAL_MACHINE, "Missing"), 0);
    EXPECT_EQ(key.OpenKeyForQueryOnly(HKEY_LOCAL_MACHINE, "Missing"), 0);
    EXPECT_EQ(key.KeyFound(HKEY_LOCAL_MACHINE, "Missing"), 0);
    EXPECT_EQ(key.GetValue("v", &value), 0);
    EXPECT_EQ(key.SetValue("v", DWORD(1)), 0);
    DWORD disposition = 0;
    EXPECT_EQ(key.CreateKey(HKEY_LOCAL_MACHINE, "New\\Key", &disposition), 1);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(key.CloseKey(), 1);
    EXPECT_EQ(key.CreateKey(HKEY_LOCAL_MACHINE, "new\\KEY", &disposition), 1);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(key.KeyFound(HKEY_LOCAL_MACHINE, "NEW"), 1);
}

TEST_F(WgRegKeyTest, QueryOnlyKeysReadButDoNotWrite) {
    Settings(Hive::LocalMachine, "\"Vendor\"=dword:00000003\n");
    WgRegKey key;
    ASSERT_EQ(key.OpenKeyForQueryOnly(HKEY_LOCAL_MACHINE, g_szSWRegPath), 1);
    DWORD value = 0;
    EXPECT_EQ(key.GetValue("vendor", &value), 1);
    EXPECT_EQ(value, 3u);
    EXPECT_EQ(key.SetValue("Vendor", DWORD(4)), 0);
}

TEST_F(WgRegKeyTest, EachReaderTakesOnlyItsOwnTypeAndSize) {
    std::string text600(600, 'x');
    Settings(Hive::CurrentUser,
             "\"Number\"=dword:0000002a\n\"Text\"=\"hello\"\n\"Path\"=hex(2):25,00,41,00,25,00,00,00\n"
             "\"Bytes\"=hex:01,02,03\n\"NoBytes\"=hex:\n\"Short\"=hex(4):01,02\n"
             "\"Unterminated\"=hex(1):61,00,62,00\n\"Long600\"=\"" + text600 + "\"\n"
             "\"Long511\"=\"" + std::string(511, 'y') + "\"\n\"Long512\"=\"" + std::string(512, 'z') + "\"\n");
    WgRegKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath), 1);

    struct NumberCase {
        const char* name;
        int result;
    };
    for (const NumberCase& c : std::vector<NumberCase> {
             {"Number", 1}, {"Text", 0}, {"Bytes", 0}, {"Short", 0}, {"Missing", 0}, {nullptr, 0}}) {
        DWORD value = 7;
        EXPECT_EQ(key.GetValue(c.name, &value), c.result) << (c.name ? c.name : "null");
        EXPECT_EQ(value, c.result ? 42u : 7u) << (c.name ? c.name : "null");
    }

    struct TextCase {
        const char* name;
        int result;
        std::string text;
    };
    for (const TextCase& c : std::vector<TextCase> {{"Text", 1, "hello"},
                                                    {"Path", 1, "%A%"},
                                                    {"Unterminated", 1, "ab"},
                                                    {"Long511", 1, std::string(511, 'y')},
                                                    {"Long512", 0, "unchanged"},
                                                    {"Long600", 0, "unchanged"},
                                                    {"Number", 0, "unchanged"},
                                                    {"Bytes", 0, "unchanged"},
                                                    {nullptr, 0, "unchanged"}}) {
        std::string text = "unchanged";
        EXPECT_EQ(key.GetValue(c.name, text), c.result) << (c.name ? c.name : "null");
        EXPECT_EQ(text, c.text) << (c.name ? c.name : "null");
    }

    struct BytesCase {
        const char* name;
        int result;
        std::vector<BYTE> data;
    };
    for (const BytesCase& c : std::vector<BytesCase> {
             {"Bytes", 1, {1, 2, 3}}, {"NoBytes", 0, {}}, {"Text", 0, {}}, {"Missing", 0, {}}, {nullptr, 0, {}}}) {
        BYTE* data = reinterpret_cast<BYTE*>(&key);  // anything but null, to see it reset
        DWORD size = 99;
        EXPECT_EQ(key.GetValue(c.name, &data, &size), c.result) << (c.name ? c.name : "null");
        if (c.result) {
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(std::vector<BYTE>(data, data + size), c.data);
            delete[] data;
        } else {
            EXPECT_EQ(data, nullptr) << (c.name ? c.name : "null");
            EXPECT_EQ(size, 0u);
        }
    }
}

TEST_F(WgRegKeyTest, WritersStoreTheirTypesAndTextSizes) {
    WgRegKey key;
    DWORD disposition = 0;
    ASSERT_EQ(key.CreateKey(HKEY_CURRENT_USER, g_szSWRegPath, &disposition), 1);
    EXPECT_EQ(key.SetValue("Number", DWORD(0xfffffffe)), 1);
    EXPECT_EQ(key.SetValue("Text", "héllo"), 1);
    const BYTE bytes[] = {9, 8, 7};
    EXPECT_EQ(key.SetValue("Bytes", bytes, 3), 1);
    EXPECT_EQ(key.SetValue(nullptr, DWORD(1)), 0);
    EXPECT_EQ(key.SetValue("Bad", "\xff\xfe"), 0);  // not UTF-8
    EXPECT_EQ(key.DeleteValue(nullptr), 0);
    EXPECT_EQ(key.CloseKey(), 1);

    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, g_szSWRegPath, 0, KEY_READ, &raw), ERROR_SUCCESS);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueEx(raw, "Text", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 5u * 2 + 2);
    ASSERT_EQ(RegQueryValueEx(raw, "Number", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(size, 4u);
    ASSERT_EQ(RegQueryValueEx(raw, "Bytes", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    RegCloseKey(raw);

    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath), 1);
    std::string text;
    EXPECT_EQ(key.GetValue("TEXT", text), 1);
    EXPECT_EQ(text, "héllo");
    EXPECT_EQ(key.DeleteValue("text"), 1);
    EXPECT_EQ(key.DeleteValue("text"), 0);
}

TEST_F(WgRegKeyTest, EnumerationHandsOutBuffersOnlyForRealValues) {
    Settings(Hive::CurrentUser, "\"First\"=dword:00000001\n\"Empty\"=hex:\n\"Third\"=\"x\"\n");
    WgRegKey key;
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath), 1);
    struct Case {
        DWORD index;
        int result;
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    for (const Case& c : std::vector<Case> {{0, 1, "First", REG_DWORD, {1, 0, 0, 0}},
                                            {1, 0, "", 0, {}},
                                            {2, 1, "Third", REG_SZ, {'x', 0, 0, 0}},
                                            {3, 0, "", 0, {}},
                                            {1000, 0, "", 0, {}}}) {
        std::string name;
        DWORD type = 0;
        BYTE* data = reinterpret_cast<BYTE*>(&key);
        DWORD size = 99;
        EXPECT_EQ(key.EnumerateValue(c.index, name, &type, &data, &size), c.result) << c.index;
        if (c.result) {
            EXPECT_EQ(name, c.name);
            EXPECT_EQ(type, c.type);
            ASSERT_NE(data, nullptr);
            EXPECT_EQ(std::vector<BYTE>(data, data + size), c.data);
            delete[] data;
        } else {
            EXPECT_EQ(data, nullptr) << c.index;
            EXPECT_EQ(size, 0u) << c.index;
        }
    }
    // A name longer than the name buffer is not handed out cut.
    key.CloseKey();
    Settings(Hive::CurrentUser, "\"" + std::string(1100, 'n') + "\"=dword:00000001\n");
    ASSERT_EQ(key.OpenKey(HKEY_CURRENT_USER, g_szSWRegPath), 1);
    std::string name;
    DWORD type = 0;
    BYTE* data = nullptr;
    DWORD size = 0;
    EXPECT_EQ(key.EnumerateValue(0, name, &type, &data, &size), 0);
    EXPECT_EQ(data, nullptr);
}

TEST_F(WgRegKeyTest, KeyFoundIsZeroOnlyForAMissingKey) {
    Settings(Hive::LocalMachine, "");
    const std::string hive = HivePath(Hive::LocalMachine);
    ASSERT_EQ(chmod(Root().c_str(), 0755), 0);
    ASSERT_EQ(chmod(hive.substr(0, hive.rfind('/')).c_str(), 0755), 0);
    ASSERT_EQ(chmod(hive.c_str(), 0000), 0);
    const int result = RunInChild(
        [] {
            WgRegKey key;
            if (key.KeyFound(HKEY_LOCAL_MACHINE, g_szSWRegPath) != 1) return 1;  // denied, not missing
            if (key.OpenKey(HKEY_LOCAL_MACHINE, g_szSWRegPath) != 0) return 2;
            return 0;
        },
        true);
    EXPECT_EQ(result, 0);
    chmod(hive.c_str(), 0644);
    WgRegKey key;
    EXPECT_EQ(key.KeyFound(HKEY_LOCAL_MACHINE, g_szSWRegPath), 1);
    EXPECT_EQ(key.KeyFound(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kovanta\\Missing"), 0);
}

TEST_F(WgRegKeyTest, The64BitViewRuleDoesNotHideKeys) {
    Settings(Hive::LocalMachine, "\"v\"=dword:00000001\n");
    for (DWORD level : {5u, 6u, 7u}) {
        static DWORD s_level;
        s_level = level;
        WgRegKey::SetOSVersionSource([] { return s_level; });
        WgRegKey key;
        EXPECT_EQ(key.KeyFound(HKEY_LOCAL_MACHINE, g_szSWRegPath), 1) << level;
        ASSERT_EQ(key.OpenKey64(HKEY_LOCAL_MACHINE, g_szSWRegPath), 1) << level;
        EXPECT_EQ(key.SetValue("v", DWORD(level)), 1) << level;
    }
}

}  // namespace
