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
    // Keys: the root ("HKEY_LOCAL_MACHINE" or "HKEY_CURRENT_USER") and the path below it in stored
    // form (see RegistryText::NormaliseKeyPath). Values leave both empty and name their key entry
    // by its index in the entry list instead, which keeps reading a large hive quick.
    std::string root;
    std::string path;
    size_t key = 0;
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
