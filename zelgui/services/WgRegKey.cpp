#include "zelgui/services/WgRegKey.h"

#include "platform/RegistryText.h"

#include <atomic>
#include <new>
#include <vector>

const char g_szSWRegPath[] = "SOFTWARE\\Kovanta\\Zelvo\\Settings\\";

namespace {

std::atomic<WgRegKey::OSVersionFn> g_osVersion {nullptr};

constexpr DWORD kOSVersionWith64BitView = 7;

}  // namespace

void WgRegKey::SetOSVersionSource(OSVersionFn source) { g_osVersion.store(source); }

REGSAM WgRegKey::Wow64Flag() {
    const OSVersionFn source = g_osVersion.load();
    return source && source() == kOSVersionWith64BitView ? KEY_WOW64_64KEY : 0;
}

WgRegKey::~WgRegKey() { CloseKey(); }

int WgRegKey::Open(HKEY root, const char* subKey, REGSAM wow64) {
    if (m_hKey) return 0;
    HKEY key = nullptr;
    // Full access first; a user who may not write still gets to read.
    if (RegOpenKeyEx(root, subKey, 0, KEY_ALL_ACCESS | wow64, &key) != ERROR_SUCCESS &&
        RegOpenKeyEx(root, subKey, 0, KEY_READ | wow64, &key) != ERROR_SUCCESS)
        return 0;
    m_hKey = key;
    return 1;
}

int WgRegKey::OpenKey(HKEY root, const char* subKey) { return Open(root, subKey, 0); }

int WgRegKey::OpenKey64(HKEY root, const char* subKey) { return Open(root, subKey, Wow64Flag()); }

int WgRegKey::OpenKeyForQueryOnly(HKEY root, const char* subKey) {
    if (m_hKey) return 0;
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    m_hKey = key;
    return 1;
}

int WgRegKey::CreateKey(HKEY root, const char* subKey, DWORD* disposition) {
    if (m_hKey) return 0;
    HKEY key = nullptr;
    DWORD how = 0;
    if (RegCreateKeyEx(root, subKey, 0, "", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, &how) !=
        ERROR_SUCCESS)
        return 0;
    if (disposition) *disposition = how;
    m_hKey = key;
    return 1;
}

int WgRegKey::KeyFound(HKEY root, const char* subKey) {
    HKEY key = nullptr;
    const LONG status = RegOpenKeyEx(root, subKey, 0, KEY_READ | Wow64Flag(), &key);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return status != ERROR_FILE_NOT_FOUND ? 1 : 0;
}

int WgRegKey::CloseKey() {
    if (!m_hKey) return 1;
    const LONG status = RegCloseKey(m_hKey);
    m_hKey = nullptr;
    return status == ERROR_SUCCESS ? 1 : 0;
}

int WgRegKey::GetValue(const char* name, DWORD* value) {
    if (!m_hKey || !name || !value) return 0;
    BYTE bytes[4] = {};
    DWORD size = sizeof(bytes);
    DWORD type = REG_NONE;
    if (RegQueryValueEx(m_hKey, name, nullptr, &type, bytes, &size) != ERROR_SUCCESS) return 0;
    // A number stored with fewer than four bytes would leave part of the result unset.
    if (type != REG_DWORD || size != sizeof(bytes)) return 0;
    *value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<DWORD>(bytes[3]) << 24);
    return 1;
}

int WgRegKey::GetValue(const char* name, std::string& text) {
    if (!m_hKey || !name) return 0;
    BYTE buffer[MAX_STRING_SIZE];
    DWORD size = sizeof(buffer);
    DWORD type = REG_NONE;
    if (RegQueryValueEx(m_hKey, name, nullptr, &type, buffer, &size) != ERROR_SUCCESS) return 0;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return 0;
    // The text ends at its terminator or at the end of what was stored, whichever comes first.
    text = RegistryText::Utf16LeToUtf8(buffer, size);
    return 1;
}

int WgRegKey::GetValue(const char* name, BYTE** data, DWORD* size) {
    if (!data || !size) return 0;
    *data = nullptr;
    *size = 0;
    if (!m_hKey || !name) return 0;
    DWORD type = REG_NONE;
    DWORD needed = 0;
    if (RegQueryValueEx(m_hKey, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS || type != REG_BINARY ||
        needed == 0)
        return 0;
    BYTE* buffer = new (std::nothrow) BYTE[needed];
    if (!buffer) return 0;
    DWORD got = needed;
    if (RegQueryValueEx(m_hKey, name, nullptr, &type, buffer, &got) != ERROR_SUCCESS || type != REG_BINARY ||
        got == 0) {
        delete[] buffer;
        return 0;
    }
    *data = buffer;
    *size = got;
    return 1;
}

int WgRegKey::SetValue(const char* name, DWORD value) {
    if (!m_hKey || !name) return 0;
    const BYTE bytes[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                           static_cast<BYTE>(value >> 24)};
    return RegSetValueEx(m_hKey, name, 0, REG_DWORD, bytes, sizeof(bytes)) == ERROR_SUCCESS ? 1 : 0;
}

int WgRegKey::SetValue(const char* name, const char* text) {
    if (!m_hKey || !name || !text) return 0;
    std::vector<BYTE> bytes;
    if (!RegistryText::AppendUtf16Le(text, bytes)) return 0;
    bytes.push_back(0);
    bytes.push_back(0);
    return RegSetValueEx(m_hKey, name, 0, REG_SZ, bytes.data(), static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS
               ? 1
               : 0;
}

int WgRegKey::SetValue(const char* name, const BYTE* data, DWORD size) {
    if (!m_hKey || !name || (!data && size > 0)) return 0;
    return RegSetValueEx(m_hKey, name, 0, REG_BINARY, data, size) == ERROR_SUCCESS ? 1 : 0;
}

int WgRegKey::DeleteValue(const char* name) {
    if (!m_hKey || !name) return 0;
    return RegDeleteValue(m_hKey, name) == ERROR_SUCCESS ? 1 : 0;
}

int WgRegKey::EnumerateValue(DWORD index, std::string& name, DWORD* type, BYTE** data, DWORD* size) {
    if (!data || !size) return 0;
    *data = nullptr;
    *size = 0;
    if (!m_hKey || !type) return 0;
    char nameBuffer[MAX_STRING_SIZE];
    DWORD nameSize = sizeof(nameBuffer);
    DWORD needed = 0;
    if (RegEnumValue(m_hKey, index, nameBuffer, &nameSize, nullptr, type, nullptr, &needed) != ERROR_SUCCESS ||
        needed == 0)
        return 0;
    BYTE* buffer = new (std::nothrow) BYTE[needed];
    if (!buffer) return 0;
    nameSize = sizeof(nameBuffer);
    DWORD got = needed;
    // A value that grew since its size was asked for is not handed out half read.
    if (RegEnumValue(m_hKey, index, nameBuffer, &nameSize, nullptr, type, buffer, &got) != ERROR_SUCCESS) {
        delete[] buffer;
        return 0;
    }
    name.assign(nameBuffer, nameSize);
    *data = buffer;
    *size = got;
    return 1;
}
