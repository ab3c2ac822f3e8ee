// Several writers on one hive, and changes made elsewhere seen at the next open.
#include "platform/Registry.h"
#include "tests/registry/RegistryTestSupport.h"

#include <thread>

namespace {

using Hive = RegistryStore::Hive;

constexpr int kValuesPerWriter = 40;

// Writes its own values, each through a fresh open as the settings writers do.
int WriteValues(char prefix) {
    for (int i = 0; i < kValuesPerWriter; ++i) {
        HKEY key = nullptr;
        if (RegCreateKeyEx(HKEY_CURRENT_USER, "Shared", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return 1;
        const std::string name = std::string(1, prefix) + std::to_string(i);
        const DWORD value = static_cast<DWORD>(i);
        const LONG status = RegSetValueEx(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return 2;
    }
    return 0;
}

void ExpectAllValues(const std::string& prefixes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Shared", 0, KEY_READ, &key), ERROR_SUCCESS);
    for (char prefix : prefixes) {
        for (int i = 0; i < kValuesPerWriter; ++i) {
            const std::string name = std::string(1, prefix) + std::to_string(i);
            DWORD value = 0;
            DWORD size = sizeof(value);
            EXPECT_EQ(RegQueryValueEx(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
                      ERROR_SUCCESS)
                << name;
            EXPECT_EQ(value, static_cast<DWORD>(i)) << name;
        }
    }
    RegCloseKey(key);
}

class RegistryConcurrency : public RegistryTest {};

TEST_F(RegistryConcurrency, TwoProcessesWritingOneHiveLoseNothing) {
    const pid_t first = StartChild([] { return WriteValues('A'); });
    const pid_t second = StartChild([] { return WriteValues('B'); });
    EXPECT_EQ(WaitChild(first), 0);
    EXPECT_EQ(WaitChild(second), 0);
    ExpectAllValues("AB");
}

TEST_F(RegistryConcurrency, TwoThreadsWritingOneHiveLoseNothing) {
    int first = -1;
    int second = -1;
    std::thread a([&] { first = WriteValues('C'); });
    std::thread b([&] { second = WriteValues('D'); });
    a.join();
    b.join();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    ExpectAllValues("CD");
}

TEST_F(RegistryConcurrency, AnotherWritersChangeIsSeenAtTheNextRead) {
    const auto read = [] {
        HKEY key = nullptr;
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return DWORD(999);
        if (RegQueryValueEx(key, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS)
            value = 998;
        RegCloseKey(key);
        return value;
    };
    WriteHive(Hive::LocalMachine, "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:1\n");
    EXPECT_EQ(read(), 1u);
    HKEY held = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &held), ERROR_SUCCESS);
    // An administrator's editor rewrites the file in place.
    WriteHive(Hive::LocalMachine, "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:2\n");
    EXPECT_EQ(read(), 2u);
    // Another process writes through the registry.
    EXPECT_EQ(RunInChild([] {
                  HKEY key = nullptr;
                  const DWORD value = 3;
                  if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "K", 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 1;
                  return RegSetValueEx(key, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4) ==
                                 ERROR_SUCCESS
                             ? 0
                             : 2;
              }),
              0);
    EXPECT_EQ(read(), 3u);
    // A handle opened before the change sees it as well.
    DWORD value = 0;
    DWORD size = sizeof(value);
    EXPECT_EQ(RegQueryValueEx(held, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(value, 3u);
    RegCloseKey(held);
}

}  // namespace
