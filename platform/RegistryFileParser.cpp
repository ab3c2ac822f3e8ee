#include "platform/RegistryFileParser.h"

#include "platform/RegistryText.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::string_view kWhitespace = " \t";

std::string_view TrimLeft(std::string_view s) {
    const size_t first = s.find_first_not_of(kWhitespace);
    return first == std::string_view::npos ? std::string_view() : s.substr(first);
}

std::string_view TrimRight(std::string_view s) {
    const size_t last = s.find_last_not_of(kWhitespace);
    return last == std::string_view::npos ? std::string_view() : s.substr(0, last + 1);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && RegistryText::EqualNoCase(s.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits, the whole of s.
bool ParseHexNumber(std::string_view s, DWORD& value) {
    if (s.empty() || s.size() > 8) return false;
    value = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        value = (value << 4) | static_cast<DWORD>(d);
    }
    return true;
}

// Comma-separated bytes of one or two hex digits; an empty list is zero bytes.
bool ParseHexBytes(std::string_view s, std::vector<BYTE>& out, std::string& why) {
    s = TrimRight(TrimLeft(s));
    if (s.empty()) return true;
    if (s.size() / 3 > REG_MAX_VALUE_DATA) {
        why = "value too large";
        return false;
    }
    out.reserve(s.size() / 3 + 1);
    size_t pos = 0;
    while (true) {
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
        int value = 0;
        size_t digits = 0;
        while (pos < s.size() && digits < 3) {
            const int d = HexDigit(s[pos]);
            if (d < 0) break;
            value = value * 16 + d;
            ++digits;
            ++pos;
        }
        if (digits == 0 || digits > 2) {
            why = "bad hex data";
            return false;
        }
        out.push_back(static_cast<BYTE>(value));
        if (out.size() > REG_MAX_VALUE_DATA) {
            why = "value too large";
            return false;
        }
        while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\t')) ++pos;
        if (pos == s.size()) return true;
        if (s[pos] != ',') {
            why = "bad hex data";
            return false;
        }
        ++pos;
    }
}

// A quoted text starting at s[pos] == '"'; \\ and \" are escapes, any other backslash stays as it
// is (hand-written paths). pos ends after the closing quote.
bool ParseQuoted(std::string_view s, size_t& pos, std::string& out) {
    out.clear();
    ++pos;
    while (pos < s.size()) {
        size_t special = pos;
        while (special < s.size() && s[special] != '"' && s[special] != '\\') ++special;
        if (special == s.size()) break;
        out.append(s.substr(pos, special - pos));
        pos = special;
        if (s[pos] == '"') {
            ++pos;
            return true;
        }
        if (pos + 1 < s.size() && (s[pos + 1] == '\\' || s[pos + 1] == '"')) {
            out += s[pos + 1];
            pos += 2;
        } else {
            out += '\\';
            ++pos;
        }
    }
    pos = s.size();
    return false;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    RegistryParseResult Run() {
        m_result.entries.reserve(static_cast<size_t>(std::count(m_text.begin(), m_text.end(), '\n')) + 1);
        bool headerSeen = false;
        std::string_view line;
        while (NextLine(line)) {
            if (line.find('\0') != std::string_view::npos) {
                Problem("NUL character");
                continue;
            }
            if (!headerSeen) {
                if (TrimRight(TrimLeft(line)).empty()) continue;
                headerSeen = true;
                if (TrimRight(line) == RegistryFileParser::HEADER) continue;
                Problem("missing header");
            }
            const std::string_view body = TrimLeft(line);
            if (body.empty() || body[0] == ';') continue;
            if (body[0] == '[') KeyLine(body);
            else if (body[0] == '"' || body[0] == '@') ValueLine(body);
            else Problem("unrecognised line");
        }
        return std::move(m_result);
    }

private:
    bool NextLine(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        const size_t end = m_text.find('\n', m_pos);
        line = m_text.substr(m_pos, end == std::string_view::npos ? std::string_view::npos : end - m_pos);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++m_line;
        return true;
    }

    void Problem(const char* why) {
        if (m_result.problemCount++ == 0) m_result.firstProblem = "line " + std::to_string(m_line) + ": " + why;
    }

    void KeyLine(std::string_view body) {
        m_haveKey = false;
        m_skipSection = true;
        const size_t close = body.rfind(']');
        if (close == std::string_view::npos || !TrimLeft(body.substr(close + 1)).empty()) {
            Problem("bad key line");
            return;
        }
        std::string_view name = body.substr(1, close - 1);
        bool remove = false;
        if (!name.empty() && name[0] == '-') {
            remove = true;
            name.remove_prefix(1);
        }
        const size_t slash = name.find('\\');
        const std::string root = RegistryFileParser::CanonicalRoot(name.substr(0, slash));
        std::string path;
        if (root.empty()) {
            Problem("unknown root key");
            return;
        }
        if (slash != std::string_view::npos && (slash + 1 == name.size() ||
                                                !RegistryText::NormaliseKeyPath(name.substr(slash + 1), path))) {
            Problem("bad key name");
            return;
        }
        RegistryEntry entry;
        entry.kind = remove ? RegistryEntry::Kind::DeleteKey : RegistryEntry::Kind::Key;
        entry.root = root;
        entry.path = path;
        entry.line = m_line;
        m_skipSection = false;
        if (!remove) {
            m_haveKey = true;
            m_keyEntry = m_result.entries.size();
        }
        m_result.entries.push_back(std::move(entry));
    }

    void ValueLine(std::string_view body) {
        const size_t firstLine = m_line;
        RegistryEntry entry;
        size_t pos = 0;
        bool ok = true;
        std::string why;
        if (body[0] == '@') {
            pos = 1;
        } else if (!ParseQuoted(body, pos, entry.name)) {
            ok = false;
            why = "unterminated name";
        } else if (!RegistryText::IsValidValueName(entry.name)) {
            ok = false;
            why = "bad value name";
        }
        std::string_view data;
        if (ok) {
            const std::string_view rest = TrimLeft(body.substr(pos));
            if (rest.empty() || rest[0] != '=') {
                ok = false;
                why = "missing '='";
            } else {
                data = TrimLeft(rest.substr(1));
            }
        }
        std::string joined;  // hex data spread over continuation lines
        if (ok && (StartsWithNoCase(data, "hex:") || StartsWithNoCase(data, "hex("))) {
            std::string_view current = TrimRight(data);
            if (!current.empty() && current.back() == '\\') {
                joined.assign(current.substr(0, current.size() - 1));
                bool more = true;
                while (more) {
                    std::string_view next;
                    if (!NextLine(next)) {
                        ok = false;
                        why = "truncated value";
                        break;
                    }
                    next = TrimRight(TrimLeft(next));
                    more = !next.empty() && next.back() == '\\';
                    if (more) next.remove_suffix(1);
                    if (joined.size() + next.size() > 3 * REG_MAX_VALUE_DATA + 16) {
                        ok = false;
                        why = "value too large";
                        // Consume the rest of the value so its lines are not read as entries.
                        while (more && NextLine(next)) {
                            next = TrimRight(next);
                            more = !next.empty() && next.back() == '\\';
                        }
                        break;
                    }
                    joined.append(next);
                }
                data = joined;
            }
        }
        if (ok && !m_haveKey) {
            if (m_skipSection) return;  // the section's own problem is already counted
            ok = false;
            why = "value outside a key";
        }
        if (ok) ok = ValueData(data, entry, why);
        if (!ok) {
            const size_t last = m_line;
            m_line = firstLine;
            Problem(why.c_str());
            m_line = last;
            return;
        }
        entry.key = m_keyEntry;
        entry.line = firstLine;
        m_result.entries.push_back(std::move(entry));
    }

    static bool ValueData(std::string_view data, RegistryEntry& entry, std::string& why) {
        entry.kind = RegistryEntry::Kind::Value;
        if (!data.empty() && data[0] == '"') {
            size_t pos = 0;
            std::string text;
            if (!ParseQuoted(data, pos, text)) {
                why = "unterminated text";
                return false;
            }
            if (!TrimLeft(data.substr(pos)).empty()) {
                why = "text after the value";
                return false;
            }
            if (text.size() > REG_MAX_VALUE_DATA / 2) {
                why = "value too large";
                return false;
            }
            entry.data.reserve(text.size() * 2 + 2);
            if (!RegistryText::AppendUtf16Le(text, entry.data)) {
                why = "text is not UTF-8";
                return false;
            }
            entry.data.push_back(0);
            entry.data.push_back(0);
            entry.type = REG_SZ;
            return true;
        }
        const std::string_view trimmed = TrimRight(data);
        if (trimmed == "-") {
            entry.kind = RegistryEntry::Kind::DeleteValue;
            return true;
        }
        if (StartsWithNoCase(trimmed, "dword:")) {
            DWORD value = 0;
            if (!ParseHexNumber(trimmed.substr(6), value)) {
                why = "bad dword";
                return false;
            }
            entry.type = REG_DWORD;
            entry.data = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                          static_cast<BYTE>(value >> 24)};
            return true;
        }
        std::string_view bytes;
        if (StartsWithNoCase(trimmed, "hex:")) {
            entry.type = REG_BINARY;
            bytes = trimmed.substr(4);
        } else if (StartsWithNoCase(trimmed, "hex(")) {
            const size_t close = trimmed.find("):");
            if (close == std::string_view::npos || !ParseHexNumber(trimmed.substr(4, close - 4), entry.type)) {
                why = "bad value type";
                return false;
            }
            bytes = trimmed.substr(close + 2);
        } else {
            why = "unknown value type";
            return false;
        }
        return ParseHexBytes(bytes, entry.data, why);
    }

    std::string_view m_text;
    size_t m_pos = 0;
    size_t m_line = 0;
    bool m_haveKey = false;
    bool m_skipSection = false;
    size_t m_keyEntry = 0;
    RegistryParseResult m_result;
};

// A file saved as UTF-16LE with a byte order mark, as some editors write .reg files. False when a
// dangling odd byte had to be dropped.
bool DecodeUtf16File(std::string_view in, std::string& out) {
    const auto* bytes = reinterpret_cast<const BYTE*>(in.data()) + 2;
    out = RegistryText::Utf16LeToUtf8(bytes, in.size() - 2, false);
    return in.size() % 2 == 0;
}

}  // namespace

RegistryParseResult RegistryFileParser::Parse(std::string_view text) {
    std::string decoded;
    bool oddUtf16 = false;
    if (text.size() >= 2 && static_cast<uint8_t>(text[0]) == 0xFF && static_cast<uint8_t>(text[1]) == 0xFE) {
        oddUtf16 = !DecodeUtf16File(text, decoded);
        text = decoded;
    } else if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    RegistryParseResult result = Parser(text).Run();
    if (oddUtf16 && result.problemCount++ == 0) result.firstProblem = "truncated UTF-16 text";
    return result;
}

std::string RegistryFileParser::CanonicalRoot(std::string_view name) {
    if (RegistryText::EqualNoCase(name, "HKEY_LOCAL_MACHINE") || RegistryText::EqualNoCase(name, "HKLM"))
        return "HKEY_LOCAL_MACHINE";
    if (RegistryText::EqualNoCase(name, "HKEY_CURRENT_USER") || RegistryText::EqualNoCase(name, "HKCU"))
        return "HKEY_CURRENT_USER";
    return std::string();
}
