#pragma once
// Shared fixture: a fresh ZELVO_ROOT per test, and a resource chain put back as it was (only the
// GUI library's own table) after each test, whatever the test loaded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ResourceChain.h"
#include "wmapp/WmResources.h"

class ResourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zelvo-res-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        setenv("ZELVO_ROOT", m_root.c_str(), 1);
        m_before = ResourceChain::Instance().Order();
    }

    void TearDown() override {
        WmResources::Unregister();
        ResourceChain& chain = ResourceChain::Instance();
        chain.SetCurrent(nullptr);
        for (ResourceLibrary* library : chain.Order())
            if (std::find(m_before.begin(), m_before.end(), library) == m_before.end()) chain.Unload(library);
        std::filesystem::remove_all(m_root);
        unsetenv("ZELVO_ROOT");
    }

    // The folder of the test program, where the build puts the real resource libraries.
    static std::string BinDir() { return std::filesystem::read_symlink("/proc/self/exe").parent_path().string(); }
    static std::string Fixture(const std::string& name) { return std::string(ZELVO_TEST_FIXTURES) + "/" + name + ".so"; }

    ResourceLibrary* Load(const std::string& path) {
        std::string error;
        ResourceLibrary* library = ResourceChain::Instance().Load(path, &error);
        EXPECT_NE(library, nullptr) << path << ": " << error;
        return library;
    }

    std::string m_root;
    std::vector<ResourceLibrary*> m_before;
};
