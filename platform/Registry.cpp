#include "platform/Registry.h"

#include "platform/RegistryStore.h"
#include "platform/RegistryText.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

using Hive = RegistryStore::Hive;

struct OpenKey {
    Hive hive = Hive::LocalMachine;
    std::string path;
    REGSAM access = 0;
    // The hive as read when the handle was opened (or last refreshed), with the file's stamp then.
    // It serves the handle's calls only while the file is unchanged; every open reads anew.
    std::shared_ptr<const RegistryHive> snapshot;
    RegistryStore::FileStamp stamp;
};

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

std::mutex g_handleLock;
std::unordered_map<uintptr_t, OpenKey> g_handles;
uintptr_t g_nextHandle = 0x1000;

// Resolves a handle (root or opened) to the key it stands for.
bool Lookup(HKEY key, OpenKey& out) {
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) {
        out = OpenKey {key == HKEY_LOCAL_MACHINE ? Hive::LocalMachine : Hive::CurrentUser, std::string(), KEY_ALL_ACCESS,
                       nullptr, {}};
        return true;
    }
    std::lock_guard<std::mutex> guard(g_handleLock);
    const auto it = g_handles.find(reinterpret_cast<uintptr_t>(key));
    if (it == g_handles.end()) return false;
    out = it->second;
    return true;
}

HKEY Issue(const OpenKey& key) {
    std::lock_guard<std::mutex> guard(g_handleLock);
    const uintptr_t id = g_nextHandle;
    g_nextHandle += 4;
    g_handles.emplace(id, key);
    return reinterpret_cast<HKEY>(id);
}

// Joins the parent's path and a sub-key given by a caller.
LONG SubPath(const OpenKey& parent, const char* subKey, std::string& path) {
    std::string sub;
    if (subKey && *subKey) {
        if (subKey[0] == '\\' || !RegistryText::NormaliseKeyPath(subKey, sub)) return ERROR_BAD_PATHNAME;
    }
    if (parent.path.empty()) path = sub;
    else if (sub.empty()) path = parent.path;
    else path = parent.path + "\\" + sub;
    return ERROR_SUCCESS;
}

// The hive of an open key as its file holds it now, and whether the key is still there.
LONG CurrentHive(HKEY key, const OpenKey& open, std::shared_ptr<const RegistryHive>& hive) {
    if (open.snapshot && RegistryStore::Stamp(open.hive) == open.stamp) {
        hive = open.snapshot;
    } else {
        auto fresh = std::make_shared<RegistryHive>(RegistryStore::RootName(open.hive));
        RegistryStore::FileStamp stamp;
        const LONG status = RegistryStore::Read(open.hive, *fresh, &stamp);
        if (status != ERROR_SUCCESS) return status;
        hive = fresh;
        std::lock_guard<std::mutex> guard(g_handleLock);
        const auto it = g_handles.find(reinterpret_cast<uintptr_t>(key));
        if (it != g_handles.end()) {
            it->second.snapshot = hive;
            it->second.stamp = stamp;
        }
    }
    return hive->KeyExists(open.path) ? ERROR_SUCCESS : ERROR_KEY_DELETED;
}

LONG CopyOut(const std::vector<BYTE>& bytes, BYTE* data, DWORD* dataSize) {
    if (!dataSize) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    const DWORD room = *dataSize;
    *dataSize = static_cast<DWORD>(bytes.size());
    if (!data) return ERROR_SUCCESS;
    if (room < bytes.size()) return ERROR_MORE_DATA;
    if (!bytes.empty()) std::memcpy(data, bytes.data(), bytes.size());
    return ERROR_SUCCESS;
}

LONG CopyName(const std::string& text, char* name, DWORD* nameSize) {
    if (!name || !nameSize) return ERROR_INVALID_PARAMETER;
    const DWORD room = *nameSize;
    if (room <= text.size()) {
        *nameSize = static_cast<DWORD>(text.size());
        return ERROR_MORE_DATA;
    }
    std::memcpy(name, text.c_str(), text.size() + 1);
    *nameSize = static_cast<DWORD>(text.size());
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD /*options*/, REGSAM access, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey parent;
    if (!Lookup(key, parent)) return ERROR_INVALID_HANDLE;
    OpenKey open {parent.hive, std::string(), access, nullptr, {}};
    LONG status = SubPath(parent, subKey, open.path);
    if (status != ERROR_SUCCESS) return status;
    auto hive = std::make_shared<RegistryHive>(RegistryStore::RootName(open.hive));
    status = RegistryStore::Read(open.hive, *hive, &open.stamp);
    if (status != ERROR_SUCCESS) return status;
    if (!hive->KeyExists(open.path)) return ERROR_FILE_NOT_FOUND;
    if ((access & kWriteRights) && !RegistryStore::IsWritable(open.hive)) return ERROR_ACCESS_DENIED;
    open.snapshot = std::move(hive);
    *result = Issue(open);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, const char* subKey, DWORD /*reserved*/, const char* /*className*/, DWORD /*options*/,
                    REGSAM access, const void* /*security*/, HKEY* result, DWORD* disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    OpenKey parent;
    if (!Lookup(key, parent)) return ERROR_INVALID_HANDLE;
    OpenKey open {parent.hive, std::string(), access, nullptr, {}};
    LONG status = SubPath(parent, subKey, open.path);
    if (status != ERROR_SUCCESS) return status;

    RegistryHive hive(RegistryStore::RootName(open.hive));
    status = RegistryStore::Read(open.hive, hive);
    if (status != ERROR_SUCCESS) return status;
    bool created = false;
    if (!hive.KeyExists(open.path)) {
        status = RegistryStore::Update(open.hive, [&](RegistryHive& current, bool& changed) {
            current.CreateKey(open.path, created);
            changed = created;
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS) return status;
    } else if ((access & kWriteRights) && !RegistryStore::IsWritable(open.hive)) {
        return ERROR_ACCESS_DENIED;
    }
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = Issue(open);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    std::lock_guard<std::mutex> guard(g_handleLock);
    return g_handles.erase(reinterpret_cast<uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueEx(HKEY key, const char* name, DWORD* /*reserved*/, DWORD* type, BYTE* data, DWORD* dataSize) {
    OpenKey open;
    if (!Lookup(key, open)) return ERROR_INVALID_HANDLE;
    if (!(open.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<const RegistryHive> hive;
    const LONG status = CurrentHive(key, open, hive);
    if (status != ERROR_SUCCESS) return status;
    const RegistryKey* found = hive->FindKey(open.path);
    const RegistryValue* value = found ? RegistryHive::FindValue(*found, name ? name : "") : nullptr;
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type) *type = value->type;
    return CopyOut(value->data, data, dataSize);
}

LONG RegSetValueEx(HKEY key, const char* name, DWORD /*reserved*/, DWORD type, const BYTE* data, DWORD dataSize) {
    OpenKey open;
    if (!Lookup(key, open)) return ERROR_INVALID_HANDLE;
    if (!(open.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    const std::string valueName = name ? name : "";
    if (!RegistryText::IsValidValueName(valueName) || (!data && dataSize > 0) || dataSize > REG_MAX_VALUE_DATA)
        return ERROR_INVALID_PARAMETER;
    std::vector<BYTE> bytes(data, data + (data ? dataSize : 0));
    return RegistryStore::Update(open.hive, [&](RegistryHive& hive, bool& changed) {
        if (!hive.KeyExists(open.path)) return ERROR_KEY_DELETED;
        bool created = false;
        RegistryHive::SetValue(hive.CreateKey(open.path, created), valueName, type, std::move(bytes));
        changed = true;
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValue(HKEY key, const char* name) {
    OpenKey open;
    if (!Lookup(key, open)) return ERROR_INVALID_HANDLE;
    if (!(open.access & KEY_SET_VALUE)) return ERROR_ACCESS_DENIED;
    const std::string valueName = name ? name : "";
    // Nothing to delete is told without taking the write lock (and works on a read-only hive).
    std::shared_ptr<const RegistryHive> snapshot;
    LONG status = CurrentHive(key, open, snapshot);
    if (status != ERROR_SUCCESS) return status;
    const RegistryKey* known = snapshot->FindKey(open.path);
    if (!known || !RegistryHive::FindValue(*known, valueName)) return ERROR_FILE_NOT_FOUND;
    return RegistryStore::Update(open.hive, [&](RegistryHive& hive, bool& changed) {
        if (!hive.KeyExists(open.path)) return ERROR_KEY_DELETED;
        RegistryKey* found = hive.FindKey(open.path);
        changed = found && RegistryHive::DeleteValue(*found, valueName);
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* /*reserved*/, DWORD* type, BYTE* data,
                  DWORD* dataSize) {
    OpenKey open;
    if (!Lookup(key, open)) return ERROR_INVALID_HANDLE;
    if (!(open.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
    if (!name || !nameSize || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
    std::shared_ptr<const RegistryHive> hive;
    const LONG status = CurrentHive(key, open, hive);
    if (status != ERROR_SUCCESS) return status;
    const RegistryKey* found = hive->FindKey(open.path);
    if (!found || index >= found->values.size()) return ERROR_NO_MORE_ITEMS;
    const RegistryValue& value = found->values[index];
    if (type) *type = value.type;
    const LONG nameStatus = CopyName(value.name, name, nameSize);
    const LONG dataStatus = CopyOut(value.data, data, dataSize);
    return nameStatus != ERROR_SUCCESS ? nameStatus : dataStatus;
}

LONG RegEnumKeyEx(HKEY key, DWORD index, char* name, DWORD* nameSize) {
    OpenKey open;
    if (!Lookup(key, open)) return ERROR_INVALID_HANDLE;
    if (!(open.access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
    std::shared_ptr<const RegistryHive> hive;
    const LONG status = CurrentHive(key, open, hive);
    if (status != ERROR_SUCCESS) return status;
    const std::vector<std::string> names = hive->SubkeyNames(open.path);
    if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
    return CopyName(names[index], name, nameSize);
}

LONG RegDeleteKey(HKEY key, const char* subKey) {
    OpenKey parent;
    if (!Lookup(key, parent)) return ERROR_INVALID_HANDLE;
    std::string path;
    if (!subKey || !*subKey) return ERROR_BAD_PATHNAME;
    LONG status = SubPath(parent, subKey, path);
    if (status != ERROR_SUCCESS) return status;
    return RegistryStore::Update(parent.hive, [&](RegistryHive& hive, bool& changed) {
        if (!hive.KeyExists(path)) return ERROR_FILE_NOT_FOUND;
        if (!hive.SubkeyNames(path).empty()) return ERROR_ACCESS_DENIED;
        changed = hive.DeleteTree(path);
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteTree(HKEY key, const char* subKey) {
    OpenKey parent;
    if (!Lookup(key, parent)) return ERROR_INVALID_HANDLE;
    std::string path;
    LONG status = SubPath(parent, subKey, path);
    if (status != ERROR_SUCCESS) return status;
    const bool keepKey = !subKey || !*subKey;
    return RegistryStore::Update(parent.hive, [&](RegistryHive& hive, bool& changed) {
        if (!hive.KeyExists(path)) return ERROR_FILE_NOT_FOUND;
        changed = hive.DeleteTree(path, keepKey);
        return ERROR_SUCCESS;
    });
}
