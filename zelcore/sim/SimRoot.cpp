#include "zelcore/sim/SimRoot.h"

#include "zelcore/sim/SimAdapterManager.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimEnvironment.h"
#include "zelcore/sim/SimLogger.h"
#include "zelcore/sim/SimProfileManager.h"
#include "zelcore/sim/SimUtility.h"
#if __has_include("zelcore/sim/SimConfigManager.h")
#include "zelcore/sim/SimConfigManager.h"
#define ZELCORE_HAS_CONFIG_MANAGER 1
#endif

namespace {

// Component versions: configuration utility, application interface (declared and built),
// reserved, authentication interface, authentication protocol driver.
constexpr WcVersionInfo kVersions = {{
    {4, 2, 1, 0},
    {2, 0, 0, 12},
    {2, 0, 0, 12},
    {0, 0, 0, 0},
    {3, 1, 0, 7},
    {1, 4, 2, 0},
}};

}  // namespace

bool SimRoot::Accepts(uint32_t requested) {
    const uint32_t major = requested >= 0x10000 ? requested >> 16 : requested;
    return major <= WC_API_VERSION;
}

uint32_t SimRoot::GetVersion() { return WC_API_VERSION; }

WcStatus SimRoot::GetAdapterManager(WcAdapterManager** manager, uint32_t) {
    if (WcStatus injected = SimControl::Enter("Zelcore::GetAdapterManager")) return injected;
    if (!manager) return WC_STATUS_INVALID_ARGUMENT;
    SimAdapterManager& m = SimEnvironment::Instance().Manager();
    m.AddRef();
    *manager = &m;
    return WC_STATUS_SUCCESS;
}

WcStatus SimRoot::GetProfileManager(WcProfileManager** manager, uint32_t) {
    if (WcStatus injected = SimControl::Enter("Zelcore::GetProfileManager")) return injected;
    if (!manager) return WC_STATUS_INVALID_ARGUMENT;
    *manager = SimProfileManager::Instance();
    return *manager ? WC_STATUS_SUCCESS : WC_STATUS_FAILURE;
}

WcStatus SimRoot::GetConfigManager(WcConfigManager** manager, uint32_t) {
    if (WcStatus injected = SimControl::Enter("Zelcore::GetConfigManager")) return injected;
    if (!manager) return WC_STATUS_INVALID_ARGUMENT;
#ifdef ZELCORE_HAS_CONFIG_MANAGER
    *manager = SimConfigManager::Instance();
    return *manager ? WC_STATUS_SUCCESS : WC_STATUS_FAILURE;
#else
    *manager = nullptr;
    return WC_STATUS_NOT_SUPPORTED;
#endif
}

WcStatus SimRoot::GetUtility(WcUtility** utility, uint32_t) {
    if (WcStatus injected = SimControl::Enter("Zelcore::GetUtility")) return injected;
    if (!utility) return WC_STATUS_INVALID_ARGUMENT;
    SimUtility& u = SimEnvironment::Instance().Utility();
    u.AddRef();
    *utility = &u;
    return WC_STATUS_SUCCESS;
}

uint32_t SimRoot::GetOSVersion() { return 6; }

WcStatus SimRoot::GetVersionInfo(WcVersionInfo* info) {
    if (WcStatus injected = SimControl::Enter("Zelcore::GetVersionInfo")) return injected;
    if (!info) return WC_STATUS_INVALID_ARGUMENT;
    *info = kVersions;
    return WC_STATUS_SUCCESS;
}

WcStatus SimRoot::GetLogger(WcLogger** logger) {
    if (WcStatus injected = SimControl::Enter("Zelcore::GetLogger")) return injected;
    if (!logger) return WC_STATUS_INVALID_ARGUMENT;
    *logger = SimLogger::Instance();
    return WC_STATUS_SUCCESS;
}

void SimRoot::Release() { delete this; }

extern "C" __attribute__((visibility("default"))) Zelcore* WcLoadAPI2(uint32_t version, void*) {
    if (!SimRoot::Accepts(version)) return nullptr;
    SimEnvironment::Instance();  // start the world now, not at the first adapter call
    return new SimRoot();
}
