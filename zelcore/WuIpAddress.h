#pragma once
// An IPv4 address as the client API hands it out, kept in network byte order; empty when zero.
#include <cstdint>
#include <cstdio>
#include <string>

class WuIpAddress {
public:
    WuIpAddress() = default;
    // From the four dotted parts, most significant first.
    WuIpAddress(uint8_t a, uint8_t b, uint8_t c, uint8_t d) : m_octets{a, b, c, d} {}

    const uint8_t* Octets() const { return m_octets; }
    bool IsEmpty() const { return !m_octets[0] && !m_octets[1] && !m_octets[2] && !m_octets[3]; }

    // Dotted decimal; the empty address gives "".
    std::string ToString() const {
        if (IsEmpty()) return {};
        char text[16];
        std::snprintf(text, sizeof text, "%u.%u.%u.%u", m_octets[0], m_octets[1], m_octets[2], m_octets[3]);
        return text;
    }

    // Strict dotted decimal: four parts of 1 to 3 digits, each at most 255. "" gives the empty address.
    static bool Parse(const std::string& text, WuIpAddress* out) {
        uint8_t parts[4] = {};
        if (!text.empty()) {
            size_t pos = 0;
            for (int i = 0; i < 4; ++i) {
                unsigned value = 0;
                size_t digits = 0;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
                    value = value * 10 + unsigned(text[pos] - '0');
                    ++pos;
                    ++digits;
                }
                if (digits == 0 || digits > 3 || value > 255) return false;
                parts[i] = static_cast<uint8_t>(value);
                if (i < 3) {
                    if (pos >= text.size() || text[pos] != '.') return false;
                    ++pos;
                }
            }
            if (pos != text.size()) return false;
        }
        if (out) *out = WuIpAddress(parts[0], parts[1], parts[2], parts[3]);
        return true;
    }

    friend bool operator==(const WuIpAddress& a, const WuIpAddress& b) {
        for (int i = 0; i < 4; ++i)
            if (a.m_octets[i] != b.m_octets[i]) return false;
        return true;
    }

private:
    uint8_t m_octets[4] = {};
};

static_assert(sizeof(WuIpAddress) == 4);
