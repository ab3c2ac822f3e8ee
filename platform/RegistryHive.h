#pragma once
// One hive in memory: its keys in file order, each with its values in file (or insertion) order,
// so enumeration is stable. Names compare without regard to case and keep their spelling. Reads
// and writes the .reg text form.
#include "platform/RegistryFileParser.h"
#include "platform/RegistryTypes.h"

#include <string>
#include <string_view>
#include <vector>

struct RegistryValue {
    std::string name;  // empty for the default value
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct RegistryKey {
    std::string path;  // below the root; empty for the root itself
    std::vector<RegistryValue> values;
};

class RegistryHive {
public:
    explicit RegistryHive(std::string rootName);

    const std::string& RootName() const { return m_root; }

    // Replaces the contents with what the text holds, keeping every valid part. True when the
    // text was read without a problem.
    bool Load(std::string_view text);
    bool Clean() const { return m_problem.empty(); }
    // First problem of the last Load and how many there were; empty when clean.
    const std::string& Problem() const { return m_problem; }
    // Marks the hive as not read cleanly for a reason found outside the text (file too large, ...).
    void AddProblem(const std::string& problem);

    std::string Serialise() const;
    // The key and all keys below it as a .reg text with header; false when the key does not exist.
    bool Export(std::string_view path, std::string& text) const;

    // Paths are in stored form (RegistryText::NormaliseKeyPath). A key exists when it was created
    // or when a key below it exists.
    bool KeyExists(std::string_view path) const;
    RegistryKey* FindKey(std::string_view path);
    const RegistryKey* FindKey(std::string_view path) const;
    // Creates the key, listing missing parents too unless listParents is false (a loaded file
    // keeps exactly its own sections); created tells whether it did not exist before.
    RegistryKey& CreateKey(std::string_view path, bool& created, bool listParents = true);
    // Names of the keys directly below path, in order of first appearance.
    std::vector<std::string> SubkeyNames(std::string_view path) const;
    // Removes the key and everything below it; with keepKey, only its values and subkeys.
    bool DeleteTree(std::string_view path, bool keepKey = false);

    // Applies entries[index], a parsed entry of an import file that belongs to this hive.
    void Apply(const std::vector<RegistryEntry>& entries, size_t index);

    static RegistryValue* FindValue(RegistryKey& key, std::string_view name);
    static const RegistryValue* FindValue(const RegistryKey& key, std::string_view name);
    // Replaces the value in place (its position and spelling stay) or appends it.
    static void SetValue(RegistryKey& key, std::string_view name, DWORD type, std::vector<BYTE> data);
    static bool DeleteValue(RegistryKey& key, std::string_view name);

    // One value line of the .reg form, without the line end.
    static std::string FormatValue(const RegistryValue& value);

private:
    void AppendKey(const RegistryKey& key, std::string& out) const;

    std::string m_root;
    std::vector<RegistryKey> m_keys;
    std::string m_problem;
};
