#pragma once
// The root object of the client API, returned by WcLoadAPI2. Every root of a process leads to
// the same adapters and the same profile store; each root is Released by whoever loaded it.
#include <cstdint>

#include "zelcore/WcStatus.h"
#include "zelcore/WcVersionInfo.h"

class WcAdapterManager;
class WcConfigManager;
class WcLogger;
class WcProfileManager;
class WcUtility;

// Version of the root interface this library implements.
inline constexpr uint32_t WC_API_VERSION = 2;

class Zelcore {
public:
    virtual uint32_t GetVersion() = 0;
    // The adapter manager and the utility are reference counted: Release them when done.
    virtual WcStatus GetAdapterManager(WcAdapterManager** manager, uint32_t reserved) = 0;
    // The profile store, the administrator configuration and the logger are process-wide and
    // are not released by callers.
    virtual WcStatus GetProfileManager(WcProfileManager** manager, uint32_t reserved) = 0;
    virtual WcStatus GetConfigManager(WcConfigManager** manager, uint32_t reserved) = 0;
    virtual WcStatus GetUtility(WcUtility** utility, uint32_t reserved) = 0;
    // Operating-system level: 5 the older system, 6 and up the newer ones, 7 with 64-bit registry views.
    virtual uint32_t GetOSVersion() = 0;
    virtual WcStatus GetVersionInfo(WcVersionInfo* info) = 0;
    virtual WcStatus GetLogger(WcLogger** logger) = 0;
    // Frees this root; objects obtained through it stay valid until released.
    virtual void Release() = 0;

protected:
    virtual ~Zelcore() = default;
};

// version: the lowest root version the caller accepts (0 or 0x20000 and up are taken as "2 or
// later"). Returns null when the library cannot serve it.
extern "C" Zelcore* WcLoadAPI2(uint32_t version, void* reserved);
using WcLoadAPI2Fn = Zelcore* (*)(uint32_t, void*);
