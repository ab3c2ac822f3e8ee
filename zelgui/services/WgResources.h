#pragma once
// The GUI library's own string table, compiled in from resources/zelgui.strings. It joins the
// process's resource chain when the library is loaded and leaves it when the library is unloaded,
// so the host program's lookups find the library's texts after its own.
#include <QString>
#include <initializer_list>

#include "platform/CheckedFormat.h"

class ResourceLibrary;
struct ZelResourceModule;

class WgResources {
public:
    // The table as it stands in the chain (null only if it was malformed and refused).
    static ResourceLibrary* Library();
    // The compiled-in table itself.
    static const ZelResourceModule* Table();

    // Lookups along the whole chain, as every part of the library makes them.
    static QString LoadString(unsigned id);
    static QString FormatString(unsigned id, std::initializer_list<FormatArg> args);
};
