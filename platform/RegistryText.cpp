#include "platform/RegistryText.h"

namespace RegistryText {
namespace {

char Fold(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Decodes one code point at text[pos]; returns false on malformed input.
bool DecodeUtf8(std::string_view text, size_t& pos, uint32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(pos);
    size_t extra;
    uint32_t min;
    if (lead < 0x80) { cp = lead; ++pos; return true; }
    if ((lead & 0xE0) == 0xC0) { extra = 1; cp = lead & 0x1F; min = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; cp = lead & 0x0F; min = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; cp = lead & 0x07; min = 0x10000; }
    else return false;
    if (pos + extra >= text.size()) return false;
    for (size_t i = 1; i <= extra; ++i) {
        const uint8_t next = byte(pos + i);
        if ((next & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (next & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    pos += extra + 1;
    return true;
}

void AppendUtf8(uint32_t cp, std::string& out) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

bool IsValidUtf8(std::string_view text) {
    size_t pos = 0;
    uint32_t cp = 0;
    while (pos < text.size()) {
        if (static_cast<uint8_t>(text[pos]) < 0x80) { ++pos; continue; }
        if (!DecodeUtf8(text, pos, cp)) return false;
    }
    return true;
}

bool AppendUtf16Le(std::string_view text, std::vector<BYTE>& out) {
    if (!IsValidUtf8(text)) return false;
    out.reserve(out.size() + text.size() * 2);
    size_t pos = 0;
    // ASCII, the usual case, maps byte for byte.
    while (pos < text.size() && static_cast<uint8_t>(text[pos]) < 0x80) {
        out.insert(out.end(), {static_cast<BYTE>(text[pos]), 0});
        ++pos;
    }
    uint32_t cp = 0;
    const auto unit = [&](uint32_t u) {
        out.push_back(static_cast<BYTE>(u & 0xFF));
        out.push_back(static_cast<BYTE>(u >> 8));
    };
    while (pos < text.size()) {
        DecodeUtf8(text, pos, cp);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            unit(0xD800 | (cp >> 10));
            unit(0xDC00 | (cp & 0x3FF));
        } else {
            unit(cp);
        }
    }
    return true;
}

std::string Utf16LeToUtf8(const BYTE* data, size_t size, bool stopAtNul) {
    std::string out;
    const size_t units = data ? size / 2 : 0;
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        uint32_t u = data[2 * i] | (static_cast<uint32_t>(data[2 * i + 1]) << 8);
        if (u == 0 && stopAtNul) break;
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const uint32_t low = data[2 * i + 2] | (static_cast<uint32_t>(data[2 * i + 3]) << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00), out);
                ++i;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) u = 0xFFFD;
        AppendUtf8(u, out);
    }
    return out;
}

bool IsTerminatedUtf16(const BYTE* data, size_t size) {
    if (!data || size < 2 || size % 2 != 0) return false;
    const size_t units = size / 2;
    for (size_t i = 0; i < units; ++i) {
        const uint32_t u = data[2 * i] | (static_cast<uint32_t>(data[2 * i + 1]) << 8);
        if (u == 0) return i == units - 1;
        if (u >= 0xDC00 && u <= 0xDFFF) return false;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= units) return false;
            const uint32_t low = data[2 * i + 2] | (static_cast<uint32_t>(data[2 * i + 3]) << 8);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            ++i;
        }
    }
    return false;
}

bool NormaliseKeyPath(std::string_view path, std::string& out) {
    if (!path.empty() && path.back() == '\\') path.remove_suffix(1);
    out.clear();
    if (path.empty()) return true;
    if (!IsValidUtf8(path)) return false;
    size_t start = 0;
    while (true) {
        const size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (part.empty() || part.size() > REG_MAX_KEY_NAME) return false;
        for (char c : part)
            if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) return false;
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    out.assign(path);
    return true;
}

bool IsValidValueName(std::string_view name) {
    if (name.size() > REG_MAX_VALUE_NAME || !IsValidUtf8(name)) return false;
    for (char c : name)
        if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace RegistryText
