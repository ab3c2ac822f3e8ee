#include "zelgui/services/WgResources.h"

#include "platform/ResourceChain.h"

// Generated from resources/zelgui.strings by the resource compiler.
const ZelResourceModule* WgResourcesTable();

namespace {

// Joins the chain at load and leaves it at unload, like an extension library of the framework.
struct WgResourcesMembership {
    ResourceLibrary* library;
    WgResourcesMembership() : library(ResourceChain::Instance().AddBuiltIn(WgResourcesTable())) {}
    ~WgResourcesMembership() { ResourceChain::Instance().Unload(library); }
};

WgResourcesMembership g_membership;

}  // namespace

ResourceLibrary* WgResources::Library() { return g_membership.library; }

const ZelResourceModule* WgResources::Table() { return WgResourcesTable(); }

QString WgResources::LoadString(unsigned id) { return ResourceChain::Instance().LoadString(id); }

QString WgResources::FormatString(unsigned id, std::initializer_list<FormatArg> args) {
    return ResourceChain::Instance().FormatString(id, args);
}
