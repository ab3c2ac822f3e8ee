#pragma once
// The line syntax shared by profile files, the profile store and the administrator file:
//   <MAGIC> <version>
//   # comment
//   key = value
//   profile [argument]        (a block of profile fields, closed by "end profile")
//   end                       (the last line: a file without it is truncated)
// Values are decimal numbers, hexadecimal byte strings or double-quoted texts with the
// escapes \\ \" \n \r \t \xHH. Files are UTF-8 text; anything else is refused.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zelcore/WcProfileData.h"

class SimProfileText {
public:
    struct Entry {
        std::string key;
        std::string value;
        size_t line = 0;
    };
    struct Block {
        std::string argument;
        std::vector<Entry> entries;
        size_t line = 0;
    };
    struct Document {
        std::vector<Entry> entries;  // outside any block
        std::vector<Block> blocks;
    };

    static constexpr size_t kMaxFileSize = size_t{1} << 20;
    static constexpr size_t kMaxNameLength = 32;
    static constexpr size_t kMaxAuthorities = 1024;

    // Parses a whole document whose first line is "<magic> <version>". Duplicate keys within
    // one scope, stray lines, a missing "end" or a version other than `version` are errors.
    static bool Parse(std::string_view text, std::string_view magic, uint32_t version, Document* document,
                      std::string* error);
    static std::string Header(std::string_view magic, uint32_t version);

    // Every field of the record as "key = value" lines, in record order.
    static void WriteRecord(const WcProfileData& record, std::string* out);
    // Sets the fields named by `entries` in `record` (which holds the values for absent keys).
    // Unknown keys, bad values and a missing or invalid profile name are errors; keys listed in
    // `extraKeys` are skipped for the caller to read.
    static bool ReadRecord(const std::vector<Entry>& entries, WcProfileData* record, std::string* error,
                           const std::vector<std::string_view>& extraKeys = {});

    static std::string Quote(std::string_view text);
    static bool Unquote(std::string_view value, std::string* text);
    static bool ParseNumber(std::string_view value, int64_t min, int64_t max, int64_t* out);

    // A storable profile name: 1 to 32 characters of UTF-8 without control characters.
    static bool IsValidName(std::string_view name);
    // Profile names are compared ignoring ASCII letter case.
    static bool SameName(std::string_view a, std::string_view b);
    static bool IsValidUtf8(std::string_view text);
};
