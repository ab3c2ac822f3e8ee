#pragma once
// One open registry key of the program and the library: open (several ways), read and write
// numbers, texts and bytes, enumerate and delete values, close. Answers are truth values (1 / 0).
// Texts are UTF-8; they are stored as UTF-16 with a terminator, so a text's stored size is
// (UTF-16 length x 2 + 2) bytes.
#include "platform/Registry.h"

#include <string>

// The settings key under HKEY_LOCAL_MACHINE (administrator) and HKEY_CURRENT_USER (user).
extern const char g_szSWRegPath[];

class WgRegKey {
public:
    static constexpr DWORD MAX_STRING_SIZE = 1024;

    // The operating-system level of the client API root (its GetOSVersion); 7 selects the 64-bit
    // registry view. Until the program sets it, the level is taken as not 7.
    using OSVersionFn = DWORD (*)();
    static void SetOSVersionSource(OSVersionFn source);

    WgRegKey() = default;
    virtual ~WgRegKey();
    WgRegKey(const WgRegKey&) = delete;
    WgRegKey& operator=(const WgRegKey&) = delete;

    // Every open or create fails while a key is already open, and leaves that key open.
    int OpenKey(HKEY root, const char* subKey);
    int OpenKey64(HKEY root, const char* subKey);
    int OpenKeyForQueryOnly(HKEY root, const char* subKey);
    int CreateKey(HKEY root, const char* subKey, DWORD* disposition);
    // Does not change the object: 0 only when the key does not exist.
    int KeyFound(HKEY root, const char* subKey);
    int CloseKey();

    int GetValue(const char* name, DWORD* value);
    // REG_SZ or REG_EXPAND_SZ (unexpanded) of at most MAX_STRING_SIZE stored bytes.
    int GetValue(const char* name, std::string& text);
    // REG_BINARY, not empty: *data is a new buffer of *size bytes that the caller frees with
    // delete[]; on failure *data is null and *size 0.
    int GetValue(const char* name, BYTE** data, DWORD* size);

    int SetValue(const char* name, DWORD value);
    int SetValue(const char* name, const char* text);
    int SetValue(const char* name, const BYTE* data, DWORD size);
    int DeleteValue(const char* name);

    // Value at index: name, type and a new buffer of its data (caller frees with delete[]). 0 with
    // *data null for an empty value, no value at index, or a value that changed while being read.
    int EnumerateValue(DWORD index, std::string& name, DWORD* type, BYTE** data, DWORD* size);

private:
    int Open(HKEY root, const char* subKey, REGSAM wow64);
    static REGSAM Wow64Flag();

    HKEY m_hKey = nullptr;
};
