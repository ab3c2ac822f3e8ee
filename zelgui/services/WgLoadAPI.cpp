#include "zelgui/services/WgLoadAPI.h"

#include "platform/ResourceChain.h"
#include "platform/ZelvoPaths.h"
#include "zelgui/monitor/WgAdapterMonitorManager.h"
#include "zelgui/monitor/WgClientRoot.h"
#include "zelgui/services/WgHelper.h"

#include <string>

unsigned WgLibraryRoot::GetVersion() { return 1; }

bool WgLibraryRoot::Initialize() {
    WgClientRoot::Get();  // loads the library's own root (version 0) unless one is held
    if (!m_pLocaleLibrary) {
        const std::string dir = ZelvoPaths::AppDir();
        if (!dir.empty()) m_pLocaleLibrary = WgHelper::LoadLocaleDependentDll(WgHelper::DetectLanguage(), "zelgui", dir.c_str());
    }
    return true;
}

int WgLibraryRoot::Release() {
    WgAdapterMonitorManager::destroy();
    WgClientRoot::Release();
    return 1;
}

WgLibraryRoot::~WgLibraryRoot() {
    // The library is going away: its translated texts go with it.
    if (m_pLocaleLibrary && ResourceChain::Instance().Contains(m_pLocaleLibrary)) ResourceChain::Instance().Unload(m_pLocaleLibrary);
    m_pLocaleLibrary = nullptr;
}

WgLibraryRoot* WgLoadAPI(unsigned long) {
    static WgLibraryRoot root;
    return &root;
}
