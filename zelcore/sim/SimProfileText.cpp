#include "zelcore/sim/SimProfileText.h"

#include <charconv>
#include <map>
#include <unordered_map>
#include <unordered_set>

namespace {

enum class Kind { Text, Int32, UInt32, UInt8, Bytes };

struct Field {
    const char* key;
    Kind kind;
    void* (*at)(WcProfileData&);
    size_t bytes = 0;  // for Kind::Bytes
};

#define ZF(member, kind) Field{#member, kind, [](WcProfileData& d) -> void* { return &d.member; }}
#define ZFK(key, expr, kind) Field{key, kind, [](WcProfileData& d) -> void* { return &d.expr; }}

// The record's fields in record order. fastAuthorities is written separately (a list).
const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = {
        ZF(profileName, Kind::Text),
        ZFK("ssid[0]", ssid[0], Kind::Text),
        ZFK("ssid[1]", ssid[1], Kind::Text),
        ZFK("ssid[2]", ssid[2], Kind::Text),
        ZF(clientName, Kind::Text),
        ZF(ownerScope, Kind::Int32),
        ZF(reserved018, Kind::Text),
        ZF(ownerUserName, Kind::Text),
        ZF(networkType, Kind::Int32),
        ZF(powerSaveMode, Kind::Int32),
        ZF(reserved028, Kind::Int32),
        ZF(txPowerBG, Kind::UInt32),
        ZF(txPowerA, Kind::UInt32),
        ZF(wirelessModes, Kind::UInt32),
        ZF(adHocMode, Kind::UInt32),
        ZF(adHocChannel, Kind::UInt32),
        ZF(preambleShortLong, Kind::UInt8),
        ZF(reserved041, Kind::UInt8),
        ZF(qosEnabled, Kind::UInt8),
        ZF(extendedRange, Kind::UInt8),
        ZF(reserved044, Kind::Text),
        ZFK("preferredAp[0]", preferredAp[0], Kind::Text),
        ZFK("preferredAp[1]", preferredAp[1], Kind::Text),
        ZFK("preferredAp[2]", preferredAp[2], Kind::Text),
        ZFK("preferredAp[3]", preferredAp[3], Kind::Text),
        ZF(mixedCells, Kind::UInt8),
        ZF(encryptionOn, Kind::UInt8),
        ZF(wpaMode, Kind::UInt8),
        ZF(eapOn, Kind::UInt8),
        ZF(txKeyIndex, Kind::Int32),
        ZF(keyIsHex, Kind::UInt8),
        ZFK("wepKey[0].key", wepKey[0].key, Kind::Text),
        ZFK("wepKey[0].size", wepKey[0].size, Kind::UInt32),
        ZFK("wepKey[1].key", wepKey[1].key, Kind::Text),
        ZFK("wepKey[1].size", wepKey[1].size, Kind::UInt32),
        ZFK("wepKey[2].key", wepKey[2].key, Kind::Text),
        ZFK("wepKey[2].size", wepKey[2].size, Kind::UInt32),
        ZFK("wepKey[3].key", wepKey[3].key, Kind::Text),
        ZFK("wepKey[3].size", wepKey[3].size, Kind::UInt32),
        ZF(passphrase, Kind::Text),
        ZF(passphraseBits, Kind::UInt32),
        ZF(reserved08C, Kind::Text),
        ZF(reserved090, Kind::UInt32),
        ZF(securityType, Kind::Int32),
        ZF(innerMethod, Kind::Int32),
        ZF(userName, Kind::Text),
        ZF(password, Kind::Text),
        ZF(passwordBits, Kind::UInt32),
        ZF(fastCertificate, Kind::Text),
        ZF(useWindowsLogon, Kind::UInt8),
        ZF(domain, Kind::Text),
        ZF(loginName, Kind::Text),
        ZF(loginPassword, Kind::Text),
        ZF(loginPasswordBits, Kind::UInt32),
        ZF(certificate, Kind::Text),
        ZF(rootAuthority, Kind::Text),
        ZF(gtcStaticPassword, Kind::Int32),
        ZF(autoPrompt, Kind::UInt8),
        ZF(manualPrompt, Kind::UInt8),
        ZF(noNetworkUntilLogon, Kind::UInt8),
        ZF(includeLogonDomain, Kind::UInt8),
        ZF(leapTimeout, Kind::UInt32),
        ZF(fastOldAuthority, Kind::Text),
        ZF(fastAutoProvisioning, Kind::UInt8),
        ZF(validateServer, Kind::UInt8),
        ZF(useMachineInfo, Kind::UInt8),
        ZF(alwaysUserAuth, Kind::UInt8),
        ZF(useSmartCard, Kind::UInt8),
        ZF(simCardName, Kind::Text),
        ZF(fastSameGroup, Kind::UInt8),
        ZF(fastProvSameMethod, Kind::UInt8),
        ZF(fastProvUseWindowsLogon, Kind::UInt8),
        ZF(fastProvAutoPrompt, Kind::UInt8),
        ZF(fastProvManualPrompt, Kind::UInt8),
        ZF(fastNoNetworkUntilLogon, Kind::UInt8),
        ZF(fastProvIncludeLogonDomain, Kind::UInt8),
        ZF(reserved0EC, Kind::UInt32),
        ZF(fastProvCertificate, Kind::Text),
        ZF(fastProvRootAuthority, Kind::Text),
        ZF(fastProvDomain, Kind::Text),
        ZF(fastProvLoginName, Kind::Text),
        ZF(fastProvGtcStaticPassword, Kind::UInt32),
        ZF(fastProvMethod, Kind::Int32),
        ZF(fastProvUserName, Kind::Text),
        ZF(fastProvPassword, Kind::Text),
        ZF(fastProvPasswordBits, Kind::Int32),
        ZF(reserved114, Kind::Text),
        ZF(fastProvValidateServer, Kind::UInt8),
        ZF(fastMachineInfo, Kind::UInt8),
        ZF(authMode80211, Kind::Int32),
        Field{"reserved130", Kind::Bytes, [](WcProfileData& d) -> void* { return d.reserved130.data(); }, 8},
        ZF(groupPolicyDelay, Kind::UInt32),
        ZF(resumeSession, Kind::UInt8),
        ZF(locked, Kind::UInt8),
        ZF(limitDcTime, Kind::UInt8),
        ZF(dcTimeLimit, Kind::UInt32),
        ZF(lockTxPower, Kind::UInt8),
        ZF(roamingPolicy, Kind::Int32),
        Field{"reserved14C", Kind::Bytes, [](WcProfileData& d) -> void* { return d.reserved14C.data(); }, 96},
    };
    return fields;
}

#undef ZF
#undef ZFK

static_assert(sizeof(WcProfileData().reserved130) == 8 && sizeof(WcProfileData().reserved14C) == 96);

constexpr std::string_view kAuthorities = "fastAuthorities";

const std::unordered_map<std::string_view, const Field*>& FieldsByKey() {
    static const auto map = [] {
        std::unordered_map<std::string_view, const Field*> m;
        for (const Field& f : Fields()) m.emplace(f.key, &f);
        return m;
    }();
    return map;
}

std::string_view Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

bool IsKeyChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '.' ||
           c == '[' || c == ']' || c == '-';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Length of the valid UTF-8 sequence starting at s[i], or 0.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return 1;
    size_t n;
    uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return n;
}

std::string LineError(size_t line, std::string_view what) {
    return "line " + std::to_string(line) + ": " + std::string(what);
}

std::string FormatField(const Field& f, WcProfileData& d) {
    void* p = f.at(d);
    switch (f.kind) {
        case Kind::Text: return SimProfileText::Quote(*static_cast<std::string*>(p));
        case Kind::Int32: return std::to_string(*static_cast<int32_t*>(p));
        case Kind::UInt32: return std::to_string(*static_cast<uint32_t*>(p));
        case Kind::UInt8: return std::to_string(*static_cast<uint8_t*>(p));
        case Kind::Bytes: {
            static const char digits[] = "0123456789ABCDEF";
            std::string out;
            const auto* bytes = static_cast<const uint8_t*>(p);
            for (size_t i = 0; i < f.bytes; ++i) {
                out += digits[bytes[i] >> 4];
                out += digits[bytes[i] & 15];
            }
            return out;
        }
    }
    return {};
}

bool ReadField(const Field& f, std::string_view value, WcProfileData& d) {
    void* p = f.at(d);
    int64_t n = 0;
    switch (f.kind) {
        case Kind::Text: return SimProfileText::Unquote(value, static_cast<std::string*>(p));
        case Kind::Int32:
            if (!SimProfileText::ParseNumber(value, INT32_MIN, INT32_MAX, &n)) return false;
            *static_cast<int32_t*>(p) = static_cast<int32_t>(n);
            return true;
        case Kind::UInt32:
            if (!SimProfileText::ParseNumber(value, 0, UINT32_MAX, &n)) return false;
            *static_cast<uint32_t*>(p) = static_cast<uint32_t>(n);
            return true;
        case Kind::UInt8:
            if (!SimProfileText::ParseNumber(value, 0, 255, &n)) return false;
            *static_cast<uint8_t*>(p) = static_cast<uint8_t>(n);
            return true;
        case Kind::Bytes: {
            if (value.size() != f.bytes * 2) return false;
            std::vector<uint8_t> bytes(f.bytes);
            for (size_t i = 0; i < f.bytes; ++i) {
                const int hi = HexValue(value[2 * i]), lo = HexValue(value[2 * i + 1]);
                if (hi < 0 || lo < 0) return false;
                bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
            }
            std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t*>(p));
            return true;
        }
    }
    return false;
}

}  // namespace

std::string SimProfileText::Header(std::string_view magic, uint32_t version) {
    return std::string(magic) + " " + std::to_string(version) + "\n";
}

bool SimProfileText::Parse(std::string_view text, std::string_view magic, uint32_t version, Document* document,
                           std::string* error) {
    std::string ignored;
    std::string& err = error ? *error : ignored;
    *document = Document{};
    if (text.size() > kMaxFileSize) return err = "file too large", false;
    if (text.find('\0') != std::string_view::npos || !IsValidUtf8(text)) return err = "not a text file", false;

    size_t pos = 0, lineNo = 0;
    auto nextLine = [&](std::string_view* line) {
        if (pos >= text.size()) return false;
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view l = text.substr(pos, end - pos);
        if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
        pos = end + 1;
        ++lineNo;
        *line = l;
        return true;
    };

    std::string_view line;
    if (!nextLine(&line)) return err = "empty file", false;
    line = Trim(line);
    if (line.size() <= magic.size() || line.substr(0, magic.size()) != magic || line[magic.size()] != ' ')
        return err = "not a " + std::string(magic) + " file", false;
    int64_t fileVersion = 0;
    if (!ParseNumber(Trim(line.substr(magic.size() + 1)), 0, UINT32_MAX, &fileVersion))
        return err = "bad version line", false;
    if (fileVersion != version) return err = "unsupported version " + std::to_string(fileVersion), false;

    Block* block = nullptr;
    std::unordered_set<std::string> topKeys, blockKeys;
    bool ended = false;
    for (;;) {
        if (!nextLine(&line)) break;
        for (char c : line)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
                return err = LineError(lineNo, "control character"), false;
        line = Trim(line);
        if (ended) {
            if (!line.empty()) return err = LineError(lineNo, "text after the end"), false;
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        if (line == "end") {
            if (block) return err = LineError(lineNo, "profile block not closed"), false;
            ended = true;
            continue;
        }
        if (line == "end profile") {
            if (!block) return err = LineError(lineNo, "no profile block to close"), false;
            block = nullptr;
            continue;
        }
        if (line == "profile" || (line.starts_with("profile ") && line.find('=') == std::string_view::npos)) {
            if (block) return err = LineError(lineNo, "nested profile block"), false;
            document->blocks.push_back(Block{std::string(Trim(line.substr(7))), {}, lineNo});
            block = &document->blocks.back();
            blockKeys.clear();
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) return err = LineError(lineNo, "expected key = value"), false;
        const std::string_view key = Trim(line.substr(0, eq));
        if (key.empty()) return err = LineError(lineNo, "empty key"), false;
        for (char c : key)
            if (!IsKeyChar(c)) return err = LineError(lineNo, "bad key"), false;
        auto& seen = block ? blockKeys : topKeys;
        if (!seen.emplace(key).second) return err = LineError(lineNo, "duplicate key " + std::string(key)), false;
        (block ? block->entries : document->entries)
            .push_back(Entry{std::string(key), std::string(Trim(line.substr(eq + 1))), lineNo});
    }
    if (!ended) return err = "truncated file (no end line)", false;
    return true;
}

void SimProfileText::WriteRecord(const WcProfileData& record, std::string* out) {
    WcProfileData& d = const_cast<WcProfileData&>(record);  // fields are only read here
    for (const Field& f : Fields()) {
        *out += f.key;
        *out += " = ";
        *out += FormatField(f, d);
        *out += '\n';
        if (std::string_view(f.key) == "fastMachineInfo") {
            for (size_t i = 0; i < record.fastAuthorities.size(); ++i)
                *out += std::string(kAuthorities) + "[" + std::to_string(i) + "] = " +
                        Quote(record.fastAuthorities[i]) + "\n";
        }
    }
}

bool SimProfileText::ReadRecord(const std::vector<Entry>& entries, WcProfileData* record, std::string* error,
                                const std::vector<std::string_view>& extraKeys) {
    std::string ignored;
    std::string& err = error ? *error : ignored;
    WcProfileData d = *record;
    std::map<size_t, std::string> authorities;
    bool named = false;
    for (const Entry& e : entries) {
        bool extra = false;
        for (std::string_view k : extraKeys) extra = extra || k == e.key;
        if (extra) continue;
        const std::string_view key = e.key;
        if (key.starts_with(kAuthorities) && key.size() > kAuthorities.size() + 2 &&
            key[kAuthorities.size()] == '[' && key.back() == ']') {
            int64_t index = 0;
            std::string text;
            const std::string_view digits = key.substr(kAuthorities.size() + 1, key.size() - kAuthorities.size() - 2);
            // One spelling per index, so that no entry can be given twice.
            if (!ParseNumber(digits, 0, kMaxAuthorities - 1, &index) || digits != std::to_string(index))
                return err = LineError(e.line, "unknown key " + e.key), false;
            if (!Unquote(e.value, &text)) return err = LineError(e.line, "bad value of " + e.key), false;
            authorities[static_cast<size_t>(index)] = std::move(text);
            continue;
        }
        const auto it = FieldsByKey().find(key);
        if (it == FieldsByKey().end()) return err = LineError(e.line, "unknown key " + e.key), false;
        if (!ReadField(*it->second, e.value, d)) return err = LineError(e.line, "bad value of " + e.key), false;
        named = named || key == "profileName";
    }
    if (!authorities.empty()) {
        if (authorities.rbegin()->first != authorities.size() - 1) return err = "gap in fastAuthorities", false;
        d.fastAuthorities.clear();
        for (auto& [index, text] : authorities) d.fastAuthorities.push_back(std::move(text));
    }
    if (!named) return err = "no profileName", false;
    if (!IsValidName(d.profileName)) return err = "invalid profileName", false;
    *record = std::move(d);
    return true;
}

std::string SimProfileText::Quote(std::string_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        } else if (c >= 0x80) {
            // Valid UTF-8 stays readable; stray bytes are escaped so any text survives.
            const size_t n = Utf8SequenceLength(text, i);
            if (n == 0) {
                out += "\\x";
                out += digits[c >> 4];
                out += digits[c & 15];
            } else {
                out.append(text.substr(i, n));
                i += n;
                continue;
            }
        } else {
            out += static_cast<char>(c);
        }
        ++i;
    }
    out += '"';
    return out;
}

bool SimProfileText::Unquote(std::string_view value, std::string* text) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') return false;
    value = value.substr(1, value.size() - 2);
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') return false;  // quotes inside a text are always escaped
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= value.size()) return false;
        switch (value[i]) {
            case '\\': out += '\\'; break;
            case '"': out += '"'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'x': {
                if (i + 2 >= value.size()) return false;
                const int hi = HexValue(value[i + 1]), lo = HexValue(value[i + 2]);
                if (hi < 0 || lo < 0) return false;
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default: return false;
        }
    }
    *text = std::move(out);
    return true;
}

bool SimProfileText::ParseNumber(std::string_view value, int64_t min, int64_t max, int64_t* out) {
    if (value.empty() || value.size() > 20 || value[0] == '+') return false;
    int64_t n = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (ec != std::errc() || end != value.data() + value.size() || n < min || n > max) return false;
    *out = n;
    return true;
}

bool SimProfileText::IsValidName(std::string_view name) {
    if (name.empty() || !IsValidUtf8(name)) return false;
    size_t characters = 0;
    for (size_t i = 0; i < name.size(); i += Utf8SequenceLength(name, i)) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) return false;
        ++characters;
    }
    return characters <= kMaxNameLength;
}

bool SimProfileText::SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool SimProfileText::IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t n = Utf8SequenceLength(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}
