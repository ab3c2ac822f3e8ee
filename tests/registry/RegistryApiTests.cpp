// The handle-based registry interface on real hive files below a fresh ZELVO_ROOT.
#include "platform/Registry.h"
#include "platform/RegistryText.h"
#include "platform/ZelvoPaths.h"
#include "tests/registry/RegistryTestSupport.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Hive = RegistryStore::Hive;

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";

std::vector<BYTE> Utf16(const std::string& text) {
    std::vector<BYTE> out;
    RegistryText::AppendUtf16Le(text, out);
    out.insert(out.end(), {0, 0});
    return out;
}

HKEY Create(HKEY root, const char* path, REGSAM access = KEY_ALL_ACCESS) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr), ERROR_SUCCESS) << path;
    return key;
}

LONG Open(HKEY root, const char* path, REGSAM access, HKEY& key) { return RegOpenKeyEx(root, path, 0, access, &key); }

LONG Set(HKEY key, const char* name, DWORD type, const std::vector<BYTE>& data) {
    return RegSetValueEx(key, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
}

LONG Query(HKEY key, const char* name, DWORD& type, std::vector<BYTE>& data) {
    DWORD size = 0;
    LONG status = RegQueryValueEx(key, name, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return status;
    data.assign(size, 0xEE);
    status = RegQueryValueEx(key, name, nullptr, &type, data.data(), &size);
    data.resize(size);
    return status;
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD size = sizeof(name);
        if (RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

class RegistryApi : public RegistryTest {};

TEST_F(RegistryApi, EveryTypeKeepsItsBytesAcrossOpens) {
    struct Case {
        const char* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const std::vector<Case> cases = {
        {"Number", REG_DWORD, {0x0a, 0, 0, 0}},
        {"Text", REG_SZ, Utf16("quote \" slash \\ é")},
        {"Path", REG_EXPAND_SZ, Utf16("%SystemRoot%\\system32")},
        {"Bytes", REG_BINARY, {0, 1, 0xfe, 0xff}},
        {"Nothing", REG_BINARY, {}},
        {"List", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0}},
        {"", REG_SZ, Utf16("default value")},
    };
    HKEY key = Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kovanta\\Zelvo\\Settings\\");
    for (const Case& c : cases) EXPECT_EQ(Set(key, c.name, c.type, c.data), ERROR_SUCCESS) << c.name;
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Kovanta\\Zelvo\\Settings", KEY_READ, key), ERROR_SUCCESS);
    for (const Case& c : cases) {
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_EQ(Query(key, c.name, type, data), ERROR_SUCCESS) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
        EXPECT_EQ(data, c.data) << c.name;
    }
    RegCloseKey(key);
    EXPECT_EQ(ReadText(HivePath(Hive::LocalMachine)).substr(0, kHeader.size()), kHeader);
}

TEST_F(RegistryApi, BufferSizesFollowTheQueryRules) {
    HKEY key = Create(HKEY_CURRENT_USER, "K");
    ASSERT_EQ(Set(key, "v", REG_BINARY, {1, 2, 3, 4, 5}), ERROR_SUCCESS);
    BYTE buffer[8] = {};
    DWORD type = 0;
    DWORD size = 4;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 5u);
    size = 5;
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(buffer[4], 5);
    EXPECT_EQ(RegQueryValueEx(key, "v", nullptr, &type, buffer, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(key, "missing", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);

    char name[2];
    DWORD nameSize = sizeof(name);
    EXPECT_EQ(RegEnumValue(key, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(std::string(name), "v");
    ASSERT_EQ(Set(key, "vv", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    nameSize = sizeof(name);
    EXPECT_EQ(RegEnumValue(key, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    nameSize = sizeof(name);
    EXPECT_EQ(RegEnumValue(key, 2, name, &nameSize, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
}

TEST_F(RegistryApi, AccessMaskDecidesWhatAHandleMayDo) {
    HKEY setup = Create(HKEY_LOCAL_MACHINE, "K");
    ASSERT_EQ(Set(setup, "v", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    RegCloseKey(setup);
    struct Case {
        REGSAM access;
        LONG query;
        LONG set;
        LONG enumerate;
    };
    const std::vector<Case> cases = {
        {KEY_QUERY_VALUE, ERROR_SUCCESS, ERROR_ACCESS_DENIED, ERROR_SUCCESS},
        {KEY_READ, ERROR_SUCCESS, ERROR_ACCESS_DENIED, ERROR_SUCCESS},
        {KEY_READ | KEY_WOW64_64KEY, ERROR_SUCCESS, ERROR_ACCESS_DENIED, ERROR_SUCCESS},
        {KEY_SET_VALUE, ERROR_ACCESS_DENIED, ERROR_SUCCESS, ERROR_ACCESS_DENIED},
        {KEY_ALL_ACCESS | KEY_WOW64_64KEY, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS},
    };
    for (const Case& c : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "k", c.access, key), ERROR_SUCCESS);
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_EQ(Query(key, "v", type, data), c.query) << c.access;
        EXPECT_EQ(Set(key, "w", REG_DWORD, {2, 0, 0, 0}), c.set) << c.access;
        char name[16];
        DWORD size = sizeof(name);
        EXPECT_EQ(RegEnumValue(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr), c.enumerate) << c.access;
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    }
}

TEST_F(RegistryApi, ReadOnlySwitchRefusesWritesButNotReads) {
    HKEY setup = Create(HKEY_LOCAL_MACHINE, "K");
    ASSERT_EQ(Set(setup, "v", REG_DWORD, {7, 0, 0, 0}), ERROR_SUCCESS);
    RegCloseKey(setup);
    const std::string before = ReadText(HivePath(Hive::LocalMachine));
    const std::vector<std::function<void(bool)>> switches = {
        [](bool on) { RegistryStore::SetReadOnly(Hive::LocalMachine, on); },
        [](bool on) { on ? setenv("ZELVO_READONLY_HIVES", "HKLM", 1) : unsetenv("ZELVO_READONLY_HIVES"); },
        [](bool on) { on ? setenv("ZELVO_READONLY_HIVES", "hkcu, HKEY_LOCAL_MACHINE", 1) : unsetenv("ZELVO_READONLY_HIVES"); },
    };
    for (size_t i = 0; i < switches.size(); ++i) {
        switches[i](true);
        HKEY key = nullptr;
        EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_ALL_ACCESS, key), ERROR_ACCESS_DENIED) << i;
        EXPECT_EQ(key, nullptr);
        ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_READ, key), ERROR_SUCCESS) << i;
        DWORD type = 0;
        std::vector<BYTE> data;
        EXPECT_EQ(Query(key, "v", type, data), ERROR_SUCCESS);
        EXPECT_EQ(data[0], 7);
        RegCloseKey(key);
        EXPECT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_ACCESS_DENIED);
        EXPECT_EQ(RegDeleteTree(HKEY_LOCAL_MACHINE, "K"), ERROR_ACCESS_DENIED);
        EXPECT_EQ(ReadText(HivePath(Hive::LocalMachine)), before) << i;
        switches[i](false);
    }
    // Only the hive named is read-only.
    setenv("ZELVO_READONLY_HIVES", "HKLM", 1);
    RegCloseKey(Create(HKEY_CURRENT_USER, "Mine"));
}

TEST_F(RegistryApi, FilePermissionsMakeAHiveReadOnlyOrUnreadable) {
    HKEY setup = Create(HKEY_LOCAL_MACHINE, "K");
    ASSERT_EQ(Set(setup, "v", REG_DWORD, {7, 0, 0, 0}), ERROR_SUCCESS);
    RegCloseKey(setup);
    const std::string hive = HivePath(Hive::LocalMachine);
    const std::string dir = hive.substr(0, hive.rfind('/'));
    ASSERT_EQ(chmod(Root().c_str(), 0755), 0);
    ASSERT_EQ(chmod(dir.c_str(), 0755), 0);
    ASSERT_EQ(chmod(hive.c_str(), 0644), 0);
    const bool root = geteuid() == 0;
    if (!root) {
        ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
        ASSERT_EQ(chmod(hive.c_str(), 0444), 0);
    }
    const int readOnly = RunInChild(
        [] {
            HKEY key = nullptr;
            if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "K", 0, KEY_ALL_ACCESS, &key) != ERROR_ACCESS_DENIED) return 1;
            if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "K", 0, KEY_READ, &key) != ERROR_SUCCESS) return 2;
            BYTE data[4];
            DWORD size = 4;
            if (RegQueryValueEx(key, "v", nullptr, nullptr, data, &size) != ERROR_SUCCESS || data[0] != 7) return 3;
            if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, "New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
                ERROR_ACCESS_DENIED)
                return 4;
            return 0;
        },
        true);
    EXPECT_EQ(readOnly, 0);

    ASSERT_EQ(chmod(hive.c_str(), 0000), 0);
    const int unreadable = RunInChild(
        [] {
            HKEY key = nullptr;
            return RegOpenKeyEx(HKEY_LOCAL_MACHINE, "K", 0, KEY_READ, &key) == ERROR_ACCESS_DENIED ? 0 : 1;
        },
        true);
    EXPECT_EQ(unreadable, 0);
    chmod(dir.c_str(), 0755);
    chmod(hive.c_str(), 0644);
}

TEST_F(RegistryApi, NamesIgnoreCaseAndKeepTheirFirstSpelling) {
    HKEY key = Create(HKEY_CURRENT_USER, "Software\\Kovanta");
    ASSERT_EQ(Set(key, "DebugMode", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "DEBUGMODE", REG_DWORD, {2, 0, 0, 0}), ERROR_SUCCESS);
    RegCloseKey(key);
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE\\kovanta\\", KEY_READ, key), ERROR_SUCCESS);
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_EQ(Query(key, "debugmode", type, data), ERROR_SUCCESS);
    EXPECT_EQ(data[0], 2);
    EXPECT_EQ(ValueNames(key), std::vector<std::string> {"DebugMode"});
    RegCloseKey(key);
    EXPECT_NE(ReadText(HivePath(Hive::CurrentUser)).find("[HKEY_CURRENT_USER\\Software\\Kovanta]"), std::string::npos);
}

TEST_F(RegistryApi, ValuesEnumerateInAStableOrder) {
    WriteHive(Hive::CurrentUser, kHeader + "[HKEY_CURRENT_USER\\K]\n\"c\"=dword:00000001\n\"a\"=dword:00000001\n");
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "K", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string> {"c", "a"}));
    ASSERT_EQ(Set(key, "b", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "C", REG_DWORD, {9, 0, 0, 0}), ERROR_SUCCESS);  // replaced where it stands
    EXPECT_EQ(ValueNames(key), (std::vector<std::string> {"c", "a", "b"}));
    ASSERT_EQ(RegDeleteValue(key, "A"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(key, "A"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ValueNames(key), (std::vector<std::string> {"c", "b"}));
    RegCloseKey(key);
}

TEST_F(RegistryApi, MissingFolderIsAnEmptyHiveUntilACreate) {
    HKEY key = nullptr;
    EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE", KEY_READ, key), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, nullptr, KEY_READ, key), ERROR_SUCCESS);
    char name[32];
    DWORD size = sizeof(name);
    EXPECT_EQ(RegEnumKeyEx(key, 0, name, &size), ERROR_NO_MORE_ITEMS);
    RegCloseKey(key);
    EXPECT_NE(access(HivePath(Hive::LocalMachine).c_str(), F_OK), 0);

    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "A\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(key);
    EXPECT_EQ(ReadText(HivePath(Hive::LocalMachine)),
              kHeader + "[HKEY_LOCAL_MACHINE\\A]\n\n[HKEY_LOCAL_MACHINE\\A\\B]\n\n");
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "a\\b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
}

TEST_F(RegistryApi, MalformedHiveIsReadButNeverRewritten) {
    const std::string damaged = kHeader + "[HKEY_LOCAL_MACHINE\\K]\n\"Good\"=dword:00000005\n\"Odd\"=qword:1\n";
    WriteHive(Hive::LocalMachine, damaged);
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "K", KEY_ALL_ACCESS, key), ERROR_SUCCESS);
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_EQ(Query(key, "Good", type, data), ERROR_SUCCESS);
    EXPECT_EQ(data[0], 5);
    EXPECT_EQ(Set(key, "New", REG_DWORD, {1, 0, 0, 0}), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(RegDeleteValue(key, "Good"), ERROR_REGISTRY_CORRUPT);
    RegCloseKey(key);
    EXPECT_EQ(ReadText(HivePath(Hive::LocalMachine)), damaged);
    EXPECT_NE(RegistryStore::LastProblem().find("HKEY_LOCAL_MACHINE.reg: line 5: unknown value type"), std::string::npos);

    bool malformed = false;
    bool refused = false;
    for (const std::string& line : TracedLines()) {
        malformed = malformed || line.find("malformed hive HKEY_LOCAL_MACHINE.reg: line 5") != std::string::npos;
        refused = refused || line.find("refused") != std::string::npos;
    }
    EXPECT_TRUE(malformed);
    EXPECT_TRUE(refused);
}

TEST_F(RegistryApi, AHiveThatIsNotAFileReadsEmptyAndIsNotReplaced) {
    const std::string hive = HivePath(Hive::CurrentUser);
    ASSERT_TRUE(ZelvoPaths::MakeDirs(hive));
    HKEY key = nullptr;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, nullptr, KEY_READ, key), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "K", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_REGISTRY_CORRUPT);
    struct stat info {};
    ASSERT_EQ(stat(hive.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST_F(RegistryApi, BadHandlesNamesAndDeletedKeysGiveStatuses) {
    HKEY key = Create(HKEY_CURRENT_USER, "A\\B");
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x4242));
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_EQ(RegCloseKey(bogus), ERROR_INVALID_HANDLE);
    EXPECT_EQ(Query(bogus, "v", type, data), ERROR_INVALID_HANDLE);
    HKEY other = nullptr;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "A\\\\B", KEY_READ, other), ERROR_BAD_PATHNAME);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "\\A", KEY_READ, other), ERROR_BAD_PATHNAME);
    EXPECT_EQ(Set(key, "line\nbreak", REG_DWORD, {1, 0, 0, 0}), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "A"), ERROR_ACCESS_DENIED);  // it has a subkey
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "A\\B"), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "v", type, data), ERROR_KEY_DELETED);
    EXPECT_EQ(Set(key, "v", REG_DWORD, {1, 0, 0, 0}), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(Query(key, "v", type, data), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

}  // namespace
