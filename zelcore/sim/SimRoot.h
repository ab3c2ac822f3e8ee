#pragma once
// A client API root of the simulated library. Each WcLoadAPI2 call makes one; all of them lead
// to the same environment and the same profile store.
#include "zelcore/Zelcore.h"

class SimRoot final : public Zelcore {
public:
    SimRoot() = default;

    uint32_t GetVersion() override;
    WcStatus GetAdapterManager(WcAdapterManager** manager, uint32_t reserved) override;
    WcStatus GetProfileManager(WcProfileManager** manager, uint32_t reserved) override;
    WcStatus GetConfigManager(WcConfigManager** manager, uint32_t reserved) override;
    WcStatus GetUtility(WcUtility** utility, uint32_t reserved) override;
    uint32_t GetOSVersion() override;
    WcStatus GetVersionInfo(WcVersionInfo* info) override;
    WcStatus GetLogger(WcLogger** logger) override;
    void Release() override;

    // The version a caller asks for is served when its major number is at most ours.
    static bool Accepts(uint32_t requested);

private:
    ~SimRoot() override = default;
};
