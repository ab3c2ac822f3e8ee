#pragma once
// Import and export of .reg files between the hives and a file an administrator handles.
#include "platform/RegistryStore.h"
#include "platform/RegistryTypes.h"

#include <string>

class RegistryExchange {
public:
    // Applies a whole .reg text (keys, values, "[-key]" and "name"=- deletions) to the hives it
    // names. A text with any problem changes nothing: ERROR_INVALID_DATA with the reason in error.
    static LONG Import(const std::string& text, std::string& error);

    // The key (path in any letter case, '\'-separated) and everything below it as .reg text.
    static LONG Export(RegistryStore::Hive hive, const std::string& path, std::string& text);
};
