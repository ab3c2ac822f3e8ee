#include "zelgui/monitor/WgClientRoot.h"

#include "platform/ZelvoPaths.h"
#include "zelcore/ZelcoreLoader.h"
#include "zelgui/monitor/WgLibraryLock.h"
#include "zelgui/services/WgTrace.h"

#include <string>

namespace {
Zelcore* g_pClientRoot = nullptr;
bool g_bLoadTried = false;
}  // namespace

Zelcore* WgClientRoot::Get() {
    std::lock_guard lock(WgLibraryLock());
    if (!g_pClientRoot && !g_bLoadTried) {
        g_bLoadTried = true;
        std::string error;
        g_pClientRoot = ZelcoreLoader::Load(ZelvoPaths::AppDir(), 0, &error);
        if (!g_pClientRoot) WgTracePrint("WgClientRoot: %s\n", error.c_str());
    }
    return g_pClientRoot;
}

void WgClientRoot::Set(Zelcore* root) {
    std::lock_guard lock(WgLibraryLock());
    g_pClientRoot = root;
    g_bLoadTried = root != nullptr;
}

void WgClientRoot::Release() {
    std::lock_guard lock(WgLibraryLock());
    if (g_pClientRoot) g_pClientRoot->Release();
    g_pClientRoot = nullptr;
    g_bLoadTried = false;
}
