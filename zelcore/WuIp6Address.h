#pragma once
// An adapter address that may be IPv4 or IPv6. IPv4 addresses are kept as IPv4-mapped
// IPv6 (::ffff:a.b.c.d) and written in dotted form; IPv6 in the compressed RFC 5952 form.
#include <arpa/inet.h>
#include <cstdint>
#include <cstring>
#include <string>

#include "zelcore/WuIpAddress.h"

class WuIp6Address {
public:
    WuIp6Address() = default;
    explicit WuIp6Address(const WuIpAddress& v4) {
        if (v4.IsEmpty()) return;
        m_bytes[10] = m_bytes[11] = 0xFF;
        std::memcpy(m_bytes + 12, v4.Octets(), 4);
    }

    const uint8_t* Bytes() const { return m_bytes; }
    bool IsEmpty() const {
        for (uint8_t b : m_bytes) if (b) return false;
        return true;
    }
    bool IsV4() const {
        for (int i = 0; i < 10; ++i) if (m_bytes[i]) return false;
        return m_bytes[10] == 0xFF && m_bytes[11] == 0xFF;
    }

    // "" for the empty address, dotted decimal for IPv4, RFC 5952 text otherwise.
    std::string ToString() const {
        if (IsEmpty()) return {};
        char text[INET6_ADDRSTRLEN] = {};
        if (IsV4()) {
            inet_ntop(AF_INET, m_bytes + 12, text, sizeof text);
        } else {
            inet_ntop(AF_INET6, m_bytes, text, sizeof text);
        }
        return text;
    }

    // Accepts dotted IPv4, any IPv6 text form, or "" (the empty address).
    static bool Parse(const std::string& text, WuIp6Address* out) {
        WuIp6Address result;
        if (!text.empty()) {
            WuIpAddress v4;
            if (WuIpAddress::Parse(text, &v4)) {
                result = WuIp6Address(v4);
            } else if (inet_pton(AF_INET6, text.c_str(), result.m_bytes) != 1) {
                return false;
            }
        }
        if (out) *out = result;
        return true;
    }

    friend bool operator==(const WuIp6Address& a, const WuIp6Address& b) {
        return std::memcmp(a.m_bytes, b.m_bytes, 16) == 0;
    }

private:
    uint8_t m_bytes[16] = {};
};

static_assert(sizeof(WuIp6Address) == 16);
