#include "wmapp/WmResources.h"

#include <mutex>

#include "platform/ResourceChain.h"

// Generated from resources/Zelvo.* by the resource compiler.
const ZelResourceModule* WmResourcesTable();

namespace {
std::mutex g_mutex;
ResourceLibrary* g_library = nullptr;
}  // namespace

ResourceLibrary* WmResources::Register() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_library || !ResourceChain::Instance().Contains(g_library)) g_library = ResourceChain::Instance().AddBuiltIn(WmResourcesTable());
    return g_library;
}

void WmResources::Unregister() {
    std::lock_guard<std::mutex> lock(g_mutex);
    ResourceChain::Instance().Unload(g_library);
    g_library = nullptr;
}

ResourceLibrary* WmResources::Library() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return ResourceChain::Instance().Contains(g_library) ? g_library : nullptr;
}

const ZelResourceModule* WmResources::Table() { return WmResourcesTable(); }

QString WmResources::LoadString(unsigned id) { return ResourceChain::Instance().LoadString(id); }

QString WmResources::FormatString(unsigned id, std::initializer_list<FormatArg> args) {
    return ResourceChain::Instance().FormatString(id, args);
}
