#pragma once
// A fresh ZELVO_ROOT per test and small file helpers for the registry tests.
#include "platform/RegistryStore.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string Root() const { return m_root; }
    static std::string HivePath(RegistryStore::Hive hive);
    static void WriteHive(RegistryStore::Hive hive, const std::string& text);
    static std::string ReadText(const std::string& path);
    static void WriteText(const std::string& path, const std::string& text);

private:
    std::string m_root;
};

// Runs body in a child process, as an unprivileged user when the tests run as root (so file
// permissions count); returns the child's exit status (0 when every check in it held).
int RunInChild(const std::function<int()>& body, bool unprivileged = false);
// The same in two steps, so several children can run at once.
pid_t StartChild(const std::function<int()>& body, bool unprivileged = false);
int WaitChild(pid_t pid);

// Collects what the registry traces.
std::vector<std::string>& TracedLines();
void TraceToList(const char* line);
