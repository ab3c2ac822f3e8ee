#pragma once
// A menu from a resource library as plain data: popups, commands (with their command ids) and
// separators, in order. Windows build their Qt menus from it (ResourceMenuBuilder).
#include <QString>
#include <vector>

#include "platform/ResourceModule.h"

struct ResourceMenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    unsigned id = 0;  // command id; 0 for separators and popups
    QString text;     // with '&' marking the access key
    std::vector<ResourceMenuItem> items;  // a popup's contents
};

class ResourceMenu {
public:
    unsigned id = 0;
    std::vector<ResourceMenuItem> items;

    // Decodes a checked menu table (ResourceLibrary::Validate has seen it).
    static ResourceMenu FromResource(const ZelResMenu& menu);

    // The index-th popup at the top level, or null.
    const ResourceMenuItem* Popup(size_t index) const;
    // The first command with that id at any depth, or null.
    const ResourceMenuItem* FindCommand(unsigned commandId) const;
};
