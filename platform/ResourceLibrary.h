#pragma once
// One resource library: a shared object loaded from disk (an OEM or locale library) or a table
// compiled into a deliverable. The library's data is checked once when it is opened, so lookups can
// trust it; a library whose data is malformed is refused as a whole.
#include <memory>
#include <string>
#include <vector>

#include "platform/ResourceModule.h"

class ResourceLibrary {
public:
    // Loads the shared object at path and checks its data; null (with a reason) when either fails.
    static std::unique_ptr<ResourceLibrary> Open(const std::string& path, std::string* error = nullptr);
    // Wraps a table compiled into the running program or library.
    static std::unique_ptr<ResourceLibrary> FromModule(const ZelResourceModule* module, std::string* error = nullptr);
    // True when the module's data is well formed (sorted tables, closed menus, sane sizes).
    static bool Validate(const ZelResourceModule* module, std::string* error = nullptr);

    ~ResourceLibrary();
    ResourceLibrary(const ResourceLibrary&) = delete;
    ResourceLibrary& operator=(const ResourceLibrary&) = delete;

    const std::string& Path() const { return m_path; }  // empty for a built-in table
    std::string Name() const { return m_module->name; }
    unsigned Rank() const { return m_module->rank; }
    unsigned Language() const { return m_module->language; }
    bool IsBuiltIn() const { return m_handle == nullptr; }

    const char* FindString(unsigned id) const;  // UTF-8, null when absent
    const ZelResMenu* FindMenu(unsigned id) const;
    std::vector<const ZelResImage*> FindIcon(unsigned id) const;  // every size, smallest first
    const ZelResImage* FindBitmap(unsigned id) const;

private:
    ResourceLibrary(void* handle, const ZelResourceModule* module, std::string path);

    void* m_handle;
    const ZelResourceModule* m_module;
    std::string m_path;
};
