#pragma once
// What a started program has around it, for tests of its windows: a fresh ZELVO_ROOT with the
// executable's folder (ZELVO_APPDIR) below it, and the program's texts chained under the built
// OEM library. Close (or the destructor) undoes it all.
#include "platform/ResourceChain.h"
#include "wmapp/WmResources.h"

#include <cstdlib>
#include <filesystem>
#include <string>

class ProgramEnvironment {
public:
    ~ProgramEnvironment() { Close(); }

    // name tells the temporary folders of one suite apart. Returns what failed, empty on success.
    std::string Open(const std::string& name, const std::string& binDir) {
        std::string pattern = "/tmp/zelvo-" + name + "-XXXXXX";
        if (!mkdtemp(pattern.data())) return "cannot make a temporary folder";
        m_root = pattern;
        setenv("ZELVO_ROOT", m_root.c_str(), 1);
        setenv("ZELVO_APPDIR", (m_root + "/app").c_str(), 1);
        std::filesystem::create_directories(m_root + "/app");
        WmResources::Register();
        std::string error;
        m_oem = ResourceChain::Instance().Load(binDir + "/oemres.so", &error);
        if (!m_oem) return "oemres.so: " + error;
        ResourceChain::Instance().SetCurrent(m_oem);
        return std::string();
    }

    void Close() {
        if (m_root.empty()) return;
        ResourceChain::Instance().SetCurrent(nullptr);
        if (m_oem) ResourceChain::Instance().Unload(m_oem);
        m_oem = nullptr;
        WmResources::Unregister();
        std::filesystem::remove_all(m_root);
        m_root.clear();
        unsetenv("ZELVO_APPDIR");
        unsetenv("ZELVO_ROOT");
    }

    const std::string& Root() const { return m_root; }

private:
    std::string m_root;
    ResourceLibrary* m_oem = nullptr;
};
