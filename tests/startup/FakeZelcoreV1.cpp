// A client library that only speaks interface version 1. Every WcLoadAPI2 call is recorded in
// $ZELVO_ROOT/fake-zelcore.txt, so a test sees who asked for a root.
#include "zelcore/Zelcore.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class OldRoot : public Zelcore {
public:
    uint32_t GetVersion() override { return 1; }
    WcStatus GetAdapterManager(WcAdapterManager**, uint32_t) override { return WC_STATUS_NOT_SUPPORTED; }
    WcStatus GetProfileManager(WcProfileManager**, uint32_t) override { return WC_STATUS_NOT_SUPPORTED; }
    WcStatus GetConfigManager(WcConfigManager**, uint32_t) override { return WC_STATUS_NOT_SUPPORTED; }
    WcStatus GetUtility(WcUtility**, uint32_t) override { return WC_STATUS_NOT_SUPPORTED; }
    uint32_t GetOSVersion() override { return 5; }
    WcStatus GetVersionInfo(WcVersionInfo*) override { return WC_STATUS_NOT_SUPPORTED; }
    WcStatus GetLogger(WcLogger**) override { return WC_STATUS_NOT_SUPPORTED; }
    void Release() override {
        Record("release");
        delete this;
    }

    static void Record(const std::string& line) {
        const char* root = std::getenv("ZELVO_ROOT");
        if (!root) return;
        if (FILE* file = std::fopen((std::string(root) + "/fake-zelcore.txt").c_str(), "a")) {
            std::fprintf(file, "%s\n", line.c_str());
            std::fclose(file);
        }
    }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) Zelcore* WcLoadAPI2(uint32_t version, void*) {
    OldRoot::Record("load " + std::to_string(version));
    return new OldRoot;
}
