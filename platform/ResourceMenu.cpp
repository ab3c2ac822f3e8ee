#include "platform/ResourceMenu.h"

ResourceMenu ResourceMenu::FromResource(const ZelResMenu& menu) {
    ResourceMenu out;
    out.id = menu.id;
    std::vector<std::vector<ResourceMenuItem>*> open{&out.items};
    for (uint32_t i = 0; i < menu.count; ++i) {
        const ZelResMenuEntry& e = menu.entries[i];
        std::vector<ResourceMenuItem>& into = *open.back();
        switch (e.kind) {
            case ZEL_MENU_COMMAND:
                into.push_back({ResourceMenuItem::Kind::Command, e.id, QString::fromUtf8(e.text), {}});
                break;
            case ZEL_MENU_SEPARATOR:
                into.push_back({ResourceMenuItem::Kind::Separator, 0, QString(), {}});
                break;
            case ZEL_MENU_POPUP:
                into.push_back({ResourceMenuItem::Kind::Popup, 0, QString::fromUtf8(e.text), {}});
                open.push_back(&into.back().items);
                break;
            case ZEL_MENU_END:
                if (open.size() > 1) open.pop_back();
                break;
            default:
                break;
        }
    }
    return out;
}

const ResourceMenuItem* ResourceMenu::Popup(size_t index) const {
    size_t seen = 0;
    for (const ResourceMenuItem& item : items)
        if (item.kind == ResourceMenuItem::Kind::Popup && seen++ == index) return &item;
    return nullptr;
}

namespace {
const ResourceMenuItem* Find(const std::vector<ResourceMenuItem>& items, unsigned id) {
    for (const ResourceMenuItem& item : items) {
        if (item.kind == ResourceMenuItem::Kind::Command && item.id == id) return &item;
        if (const ResourceMenuItem* inner = Find(item.items, id)) return inner;
    }
    return nullptr;
}
}  // namespace

const ResourceMenuItem* ResourceMenu::FindCommand(unsigned commandId) const { return Find(items, commandId); }
