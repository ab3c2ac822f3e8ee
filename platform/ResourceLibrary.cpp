#include "platform/ResourceLibrary.h"

#include <dlfcn.h>

#include <algorithm>

namespace {

// Bounds that no real table comes near; they keep a hostile library from sending lookups astray.
constexpr uint32_t MAX_ENTRIES = 1u << 20;
constexpr uint32_t MAX_PICTURE_SIDE = 4096;

bool Refuse(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

bool ValidImages(const ZelResImage* images, uint32_t count, const char* what, std::string* error) {
    if (count > MAX_ENTRIES || (count && !images)) return Refuse(error, std::string("bad ") + what + " table");
    for (uint32_t i = 0; i < count; ++i) {
        const ZelResImage& image = images[i];
        if (!image.data || image.length == 0 || image.width == 0 || image.height == 0 || image.width > MAX_PICTURE_SIDE ||
            image.height > MAX_PICTURE_SIDE)
            return Refuse(error, std::string("bad ") + what + " " + std::to_string(image.id));
        if (i > 0) {
            const ZelResImage& before = images[i - 1];
            if (before.id > image.id || (before.id == image.id && before.width >= image.width))
                return Refuse(error, std::string(what) + " table not sorted");
        }
    }
    return true;
}

}  // namespace

ResourceLibrary::ResourceLibrary(void* handle, const ZelResourceModule* module, std::string path)
    : m_handle(handle), m_module(module), m_path(std::move(path)) {}

ResourceLibrary::~ResourceLibrary() {
    if (m_handle) dlclose(m_handle);
}

std::unique_ptr<ResourceLibrary> ResourceLibrary::Open(const std::string& path, std::string* error) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        Refuse(error, why ? why : "cannot load " + path);
        return nullptr;
    }
    auto get = reinterpret_cast<ZelResourceModuleGetFn>(dlsym(handle, ZEL_RESOURCE_ENTRY));
    const ZelResourceModule* module = get ? get() : nullptr;
    if (!get) Refuse(error, path + " is not a resource library");
    if (!get || !Validate(module, error)) {
        dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<ResourceLibrary>(new ResourceLibrary(handle, module, path));
}

std::unique_ptr<ResourceLibrary> ResourceLibrary::FromModule(const ZelResourceModule* module, std::string* error) {
    if (!Validate(module, error)) return nullptr;
    return std::unique_ptr<ResourceLibrary>(new ResourceLibrary(nullptr, module, std::string()));
}

bool ResourceLibrary::Validate(const ZelResourceModule* m, std::string* error) {
    if (!m) return Refuse(error, "no resource table");
    if (m->magic != ZEL_RESOURCE_MAGIC || m->version != ZEL_RESOURCE_VERSION) return Refuse(error, "unknown resource table version");
    if (!m->name || m->rank > ZEL_RANK_LIBRARY) return Refuse(error, "bad resource table header");
    if (m->stringCount > MAX_ENTRIES || (m->stringCount && !m->strings)) return Refuse(error, "bad string table");
    for (uint32_t i = 0; i < m->stringCount; ++i) {
        if (!m->strings[i].text) return Refuse(error, "string " + std::to_string(m->strings[i].id) + " has no text");
        if (i > 0 && m->strings[i - 1].id >= m->strings[i].id) return Refuse(error, "string table not sorted");
    }
    if (m->menuCount > MAX_ENTRIES || (m->menuCount && !m->menus)) return Refuse(error, "bad menu table");
    for (uint32_t i = 0; i < m->menuCount; ++i) {
        const ZelResMenu& menu = m->menus[i];
        if (i > 0 && m->menus[i - 1].id >= menu.id) return Refuse(error, "menu table not sorted");
        if (menu.count > MAX_ENTRIES || (menu.count && !menu.entries)) return Refuse(error, "bad menu " + std::to_string(menu.id));
        int depth = 0;
        for (uint32_t e = 0; e < menu.count; ++e) {
            const ZelResMenuEntry& entry = menu.entries[e];
            bool ok = entry.kind <= ZEL_MENU_END;
            if (entry.kind == ZEL_MENU_COMMAND || entry.kind == ZEL_MENU_POPUP) ok = ok && entry.text;
            if (entry.kind == ZEL_MENU_POPUP) ++depth;
            if (entry.kind == ZEL_MENU_END) ok = ok && depth-- > 0;
            if (!ok) return Refuse(error, "bad menu " + std::to_string(menu.id));
        }
        if (depth != 0) return Refuse(error, "menu " + std::to_string(menu.id) + " not closed");
    }
    return ValidImages(m->icons, m->iconCount, "icon", error) && ValidImages(m->bitmaps, m->bitmapCount, "bitmap", error);
}

const char* ResourceLibrary::FindString(unsigned id) const {
    const ZelResString* begin = m_module->strings;
    const ZelResString* end = begin + m_module->stringCount;
    auto it = std::lower_bound(begin, end, id, [](const ZelResString& s, unsigned key) { return s.id < key; });
    return it != end && it->id == id ? it->text : nullptr;
}

const ZelResMenu* ResourceLibrary::FindMenu(unsigned id) const {
    const ZelResMenu* begin = m_module->menus;
    const ZelResMenu* end = begin + m_module->menuCount;
    auto it = std::lower_bound(begin, end, id, [](const ZelResMenu& m, unsigned key) { return m.id < key; });
    return it != end && it->id == id ? it : nullptr;
}

std::vector<const ZelResImage*> ResourceLibrary::FindIcon(unsigned id) const {
    std::vector<const ZelResImage*> sizes;
    const ZelResImage* begin = m_module->icons;
    const ZelResImage* end = begin + m_module->iconCount;
    auto it = std::lower_bound(begin, end, id, [](const ZelResImage& i, unsigned key) { return i.id < key; });
    for (; it != end && it->id == id; ++it) sizes.push_back(it);
    return sizes;
}

const ZelResImage* ResourceLibrary::FindBitmap(unsigned id) const {
    const ZelResImage* begin = m_module->bitmaps;
    const ZelResImage* end = begin + m_module->bitmapCount;
    auto it = std::lower_bound(begin, end, id, [](const ZelResImage& i, unsigned key) { return i.id < key; });
    return it != end && it->id == id ? it : nullptr;
}
