#pragma once
// The program's own resources (strings, menus 129 and 149, the logo bitmap), compiled in from
// resources/Zelvo.*. Start-up adds them to the resource chain; they stay until exit.
#include <QString>
#include <initializer_list>

#include "platform/CheckedFormat.h"

class ResourceLibrary;
struct ZelResourceModule;

class WmResources {
public:
    // Adds the program's table to the chain (once; later calls return the same entry).
    static ResourceLibrary* Register();
    // Takes it out again; nothing happens when it is not in the chain.
    static void Unregister();
    static ResourceLibrary* Library();  // null while not registered
    static const ZelResourceModule* Table();

    static QString LoadString(unsigned id);
    static QString FormatString(unsigned id, std::initializer_list<FormatArg> args);
};
