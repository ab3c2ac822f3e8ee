#pragma once
// The registry interface: keys opened with an access mask through handles, values read, written,
// enumerated and deleted with Windows status codes. Key and value names are UTF-8; value data are
// the stored bytes (texts as UTF-16LE with their terminator). Every open reads the hive file anew
// (see RegistryStore); a handle's later calls reuse that reading only while the file is unchanged
// (same inode, size and change times), so there is no stale view. All functions are safe to call
// from any thread.
#include "platform/RegistryTypes.h"

// Opens an existing key. Asking for any write right on a hive the user may not write gives
// ERROR_ACCESS_DENIED; a missing key ERROR_FILE_NOT_FOUND. A null or empty subKey opens the key
// itself again. KEY_WOW64_* flags are ignored.
LONG RegOpenKeyEx(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);

// Opens the key, creating it and its parents when missing; disposition (may be null) receives
// REG_CREATED_NEW_KEY or REG_OPENED_EXISTING_KEY. className and security are ignored.
LONG RegCreateKeyEx(HKEY key, const char* subKey, DWORD reserved, const char* className, DWORD options,
                    REGSAM access, const void* security, HKEY* result, DWORD* disposition);

// Predefined root keys close successfully and stay usable.
LONG RegCloseKey(HKEY key);

// Null name: the default value. With data null, only type and size are reported. A buffer smaller
// than the value gives ERROR_MORE_DATA with the needed size in dataSize.
LONG RegQueryValueEx(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize);

LONG RegSetValueEx(HKEY key, const char* name, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);

LONG RegDeleteValue(HKEY key, const char* name);

// Value at index, in the hive's stable order. nameSize is the name buffer's size in bytes on the
// way in and the name's length (without terminator) on the way out. ERROR_MORE_DATA when the name
// or the data does not fit; ERROR_NO_MORE_ITEMS past the last value.
LONG RegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved, DWORD* type, BYTE* data,
                  DWORD* dataSize);

// Name of the subkey at index, in order of first appearance; sizes as for RegEnumValue.
LONG RegEnumKeyEx(HKEY key, DWORD index, char* name, DWORD* nameSize);

// Deletes a key that has no subkeys.
LONG RegDeleteKey(HKEY key, const char* subKey);

// Deletes a key with everything below it; with a null or empty subKey, the values and subkeys of
// key itself.
LONG RegDeleteTree(HKEY key, const char* subKey);
