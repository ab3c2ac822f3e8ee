#include "platform/RegistryHive.h"

#include "platform/RegistryText.h"

#include <cstdint>
#include <cstdio>
#include <unordered_map>

namespace {

// True when path is below parent (any depth); the root "" is above every non-empty path.
bool IsBelow(std::string_view path, std::string_view parent) {
    if (parent.empty()) return !path.empty();
    return path.size() > parent.size() && path[parent.size()] == '\\' &&
           RegistryText::EqualNoCase(path.substr(0, parent.size()), parent);
}

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// A text value can be written as "..." only when reading it back gives the same bytes.
bool QuotableText(const std::vector<BYTE>& data) {
    if (!RegistryText::IsTerminatedUtf16(data.data(), data.size())) return false;
    for (size_t i = 0; i + 1 < data.size(); i += 2)
        if (data[i + 1] == 0 && (data[i] == '\n' || data[i] == '\r')) return false;
    return true;
}

void AppendHex(const char* prefix, const std::vector<BYTE>& data, std::string& out) {
    static const char digits[] = "0123456789abcdef";
    out += prefix;
    const size_t lineStart = out.rfind('\n');
    size_t column = lineStart == std::string::npos ? out.size() : out.size() - lineStart - 1;
    out.reserve(out.size() + data.size() * 3 + data.size() / 25 * 4);
    for (size_t i = 0; i < data.size(); ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
        column += 2;
        if (i + 1 < data.size()) {
            out += ',';
            ++column;
            if (column > 76) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
}

}  // namespace

RegistryHive::RegistryHive(std::string rootName) : m_root(std::move(rootName)) {}

namespace {

uint64_t FoldedHash(std::string_view name, uint64_t seed) {
    uint64_t hash = 1469598103934665603ull ^ seed;
    for (char c : name) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
    }
    return hash;
}

// Finds values by key and name while a hive is loaded, so a file of many values is read in
// linear time: one open-addressing table for the whole load, no allocation per value.
class ValueTable {
public:
    explicit ValueTable(size_t expected) {
        size_t size = 16;
        while (size < expected * 2) size <<= 1;
        m_slots.assign(size, Slot {});
    }
    // The index stored for (key, name), or inserts next and returns it.
    size_t FindOrAdd(const std::vector<RegistryKey>& keys, size_t key, std::string_view name, size_t next) {
        const uint64_t hash = FoldedHash(name, key);
        for (size_t i = hash & (m_slots.size() - 1);; i = (i + 1) & (m_slots.size() - 1)) {
            Slot& slot = m_slots[i];
            if (!slot.used) {
                slot = Slot {hash, key, next, true};
                return next;
            }
            if (slot.hash == hash && slot.key == key && RegistryText::EqualNoCase(keys[key].values[slot.value].name, name))
                return slot.value;
        }
    }

private:
    struct Slot {
        uint64_t hash = 0;
        size_t key = 0;
        size_t value = 0;
        bool used = false;
    };
    std::vector<Slot> m_slots;
};

}  // namespace

bool RegistryHive::Load(std::string_view text) {
    m_keys.clear();
    RegistryParseResult parsed = RegistryFileParser::Parse(text);
    size_t problems = parsed.problemCount;
    std::string first = parsed.firstProblem;

    std::unordered_map<std::string, size_t> keyIndex;  // folded path -> index in m_keys
    std::vector<size_t> keyOfEntry(parsed.entries.size(), SIZE_MAX);
    ValueTable values(parsed.entries.size());
    const auto keyFor = [&](const std::string& path) {
        std::string folded = path;
        for (char& c : folded)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const auto [it, added] = keyIndex.emplace(std::move(folded), m_keys.size());
        if (added) m_keys.push_back(RegistryKey {path, {}});
        return it->second;
    };

    bool skipping = false;
    for (size_t i = 0; i < parsed.entries.size(); ++i) {
        RegistryEntry& entry = parsed.entries[i];
        const bool isKey = entry.kind == RegistryEntry::Kind::Key || entry.kind == RegistryEntry::Kind::DeleteKey;
        if (isKey) skipping = entry.root != m_root;
        if (skipping) {
            // A section of another hive does not belong in this file.
            if (isKey && problems++ == 0) first = "line " + std::to_string(entry.line) + ": key of another root";
            continue;
        }
        if (entry.kind == RegistryEntry::Kind::Key) {
            keyOfEntry[i] = keyFor(entry.path);
        } else if (entry.kind == RegistryEntry::Kind::Value) {
            const size_t k = keyOfEntry[entry.key];
            RegistryKey& key = m_keys[k];
            const size_t at = values.FindOrAdd(m_keys, k, entry.name, key.values.size());
            if (at == key.values.size()) {
                key.values.push_back(RegistryValue {std::move(entry.name), entry.type, std::move(entry.data)});
            } else {
                key.values[at].type = entry.type;
                key.values[at].data = std::move(entry.data);
            }
        } else if (problems++ == 0) {
            // A hive is a plain picture of its keys; deletions belong in files to import.
            first = "line " + std::to_string(entry.line) + ": deletion in a hive file";
        }
    }
    m_problem.clear();
    if (problems > 0) {
        m_problem = first;
        if (problems > 1) m_problem += " (" + std::to_string(problems) + " problems)";
    }
    return problems == 0;
}

void RegistryHive::AddProblem(const std::string& problem) {
    if (m_problem.empty()) m_problem = problem;
    else m_problem += "; " + problem;
}

void RegistryHive::Apply(const std::vector<RegistryEntry>& entries, size_t index) {
    const RegistryEntry& entry = entries[index];
    bool created = false;
    switch (entry.kind) {
    case RegistryEntry::Kind::Key:
        CreateKey(entry.path, created, false);
        break;
    case RegistryEntry::Kind::DeleteKey:
        DeleteTree(entry.path);
        break;
    case RegistryEntry::Kind::Value:
        SetValue(CreateKey(entries[entry.key].path, created, false), entry.name, entry.type, entry.data);
        break;
    case RegistryEntry::Kind::DeleteValue:
        if (RegistryKey* key = FindKey(entries[entry.key].path)) DeleteValue(*key, entry.name);
        break;
    }
}

void RegistryHive::AppendKey(const RegistryKey& key, std::string& out) const {
    out += '[';
    out += m_root;
    if (!key.path.empty()) {
        out += '\\';
        out += key.path;
    }
    out += "]\n";
    for (const RegistryValue& value : key.values) {
        out += FormatValue(value);
        out += '\n';
    }
    out += '\n';
}

std::string RegistryHive::Serialise() const {
    std::string out = std::string(RegistryFileParser::HEADER) + "\n\n";
    for (const RegistryKey& key : m_keys) AppendKey(key, out);
    return out;
}

bool RegistryHive::Export(std::string_view path, std::string& text) const {
    if (!KeyExists(path)) return false;
    text = std::string(RegistryFileParser::HEADER) + "\n\n";
    const RegistryKey* self = FindKey(path);
    if (self) AppendKey(*self, text);
    else AppendKey(RegistryKey {std::string(path), {}}, text);
    for (const RegistryKey& key : m_keys)
        if (IsBelow(key.path, path)) AppendKey(key, text);
    return true;
}

bool RegistryHive::KeyExists(std::string_view path) const {
    if (path.empty()) return true;
    for (const RegistryKey& key : m_keys)
        if (RegistryText::EqualNoCase(key.path, path) || IsBelow(key.path, path)) return true;
    return false;
}

RegistryKey* RegistryHive::FindKey(std::string_view path) {
    for (RegistryKey& key : m_keys)
        if (RegistryText::EqualNoCase(key.path, path)) return &key;
    return nullptr;
}

const RegistryKey* RegistryHive::FindKey(std::string_view path) const {
    for (const RegistryKey& key : m_keys)
        if (RegistryText::EqualNoCase(key.path, path)) return &key;
    return nullptr;
}

RegistryKey& RegistryHive::CreateKey(std::string_view path, bool& created, bool listParents) {
    if (RegistryKey* key = FindKey(path)) {
        created = false;
        return *key;
    }
    created = !KeyExists(path);
    if (created && listParents) {
        // Parents first, as an export lists them, unless something below them already exists.
        const size_t slash = path.rfind('\\');
        if (slash != std::string_view::npos && !KeyExists(path.substr(0, slash))) {
            bool parentCreated = false;
            CreateKey(path.substr(0, slash), parentCreated);
        }
    }
    m_keys.push_back(RegistryKey {std::string(path), {}});
    return m_keys.back();
}

std::vector<std::string> RegistryHive::SubkeyNames(std::string_view path) const {
    std::vector<std::string> names;
    for (const RegistryKey& key : m_keys) {
        if (!IsBelow(key.path, path)) continue;
        const size_t start = path.empty() ? 0 : path.size() + 1;
        const size_t end = key.path.find('\\', start);
        const std::string name = key.path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        bool seen = false;
        for (const std::string& known : names)
            if (RegistryText::EqualNoCase(known, name)) seen = true;
        if (!seen) names.push_back(name);
    }
    return names;
}

bool RegistryHive::DeleteTree(std::string_view path, bool keepKey) {
    const bool existed = KeyExists(path);
    std::vector<RegistryKey> kept;
    kept.reserve(m_keys.size());
    for (RegistryKey& key : m_keys) {
        if (IsBelow(key.path, path)) continue;
        if (RegistryText::EqualNoCase(key.path, path)) {
            if (!keepKey) continue;
            key.values.clear();
        }
        kept.push_back(std::move(key));
    }
    m_keys = std::move(kept);
    return existed;
}

RegistryValue* RegistryHive::FindValue(RegistryKey& key, std::string_view name) {
    for (RegistryValue& value : key.values)
        if (RegistryText::EqualNoCase(value.name, name)) return &value;
    return nullptr;
}

const RegistryValue* RegistryHive::FindValue(const RegistryKey& key, std::string_view name) {
    for (const RegistryValue& value : key.values)
        if (RegistryText::EqualNoCase(value.name, name)) return &value;
    return nullptr;
}

void RegistryHive::SetValue(RegistryKey& key, std::string_view name, DWORD type, std::vector<BYTE> data) {
    if (RegistryValue* value = FindValue(key, name)) {
        value->type = type;
        value->data = std::move(data);
        return;
    }
    key.values.push_back(RegistryValue {std::string(name), type, std::move(data)});
}

bool RegistryHive::DeleteValue(RegistryKey& key, std::string_view name) {
    for (auto it = key.values.begin(); it != key.values.end(); ++it) {
        if (RegistryText::EqualNoCase(it->name, name)) {
            key.values.erase(it);
            return true;
        }
    }
    return false;
}

std::string RegistryHive::FormatValue(const RegistryValue& value) {
    std::string out = value.name.empty() ? std::string("@") : Escape(value.name);
    out += '=';
    if (value.type == REG_SZ && QuotableText(value.data)) {
        out += Escape(RegistryText::Utf16LeToUtf8(value.data.data(), value.data.size()));
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        char number[16];
        const DWORD v = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                        (static_cast<DWORD>(value.data[3]) << 24);
        std::snprintf(number, sizeof(number), "dword:%08x", v);
        out += number;
    } else if (value.type == REG_BINARY) {
        AppendHex("hex:", value.data, out);
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof(prefix), "hex(%x):", value.type);
        AppendHex(prefix, value.data, out);
    }
    return out;
}
