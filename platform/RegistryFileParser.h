#pragma once
// Reads the .reg text format ("Windows Registry Editor Version 5.00", [ROOT\key] sections, value
// lines of "name"="text", dword:, hex: and hex(N):, with "\" continuation lines). It never fails:
// a line it cannot read is skipped and described, and everything valid around it is kept.
#include "platform/RegistryTypes.h"

#include <string>
#include <string_view>
#include <vector>

struct RegistryEntry {
    enum class Kind { Key, DeleteKey, Value, DeleteValue };
    Kind kind = Kind::Key;
    std::string root;  // "HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER"
    std::string path;  // below the root, stored form (see RegistryText::NormaliseKeyPath)
    std::string name;  // value name, empty for the default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    size_t line = 0;
};

struct RegistryParseResult {
    std::vector<RegistryEntry> entries;
    std::string firstProblem;  // "line N: reason", empty when the text was read cleanly
    size_t problemCount = 0;
};

class RegistryFileParser {
public:
    static constexpr const char* HEADER = "Windows Registry Editor Version 5.00";

    static RegistryParseResult Parse(std::string_view text);

    // Canonical root name for a spelling of it (full or short form, any case); empty when unknown.
    static std::string CanonicalRoot(std::string_view name);
};
