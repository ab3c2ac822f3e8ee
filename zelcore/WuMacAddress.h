#pragma once
// A MAC address as the client API hands it out: six bytes in an 8-byte slot, so the records
// that embed it keep their layout. Text form: upper-case hexadecimal pairs joined by '-'.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

class WuMacAddress {
public:
    WuMacAddress() = default;
    explicit WuMacAddress(const uint8_t bytes[6]) { std::memcpy(m_bytes, bytes, 6); }

    const uint8_t* Bytes() const { return m_bytes; }
    void SetBytes(const uint8_t bytes[6]) { std::memcpy(m_bytes, bytes, 6); }

    bool IsZero() const {
        for (uint8_t b : m_bytes) if (b) return false;
        return true;
    }
    bool IsBroadcast() const {
        for (uint8_t b : m_bytes) if (b != 0xFF) return false;
        return true;
    }

    // "00-0A-1B-2C-3D-4E", the form the adapter monitor uses for the current access point.
    std::string ToString() const {
        char text[18];
        std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", m_bytes[0], m_bytes[1], m_bytes[2],
                      m_bytes[3], m_bytes[4], m_bytes[5]);
        return text;
    }

    // Accepts six hexadecimal pairs separated by '-' or ':', or twelve digits in a row.
    // Returns false and leaves *out untouched on anything else.
    static bool Parse(const std::string& text, WuMacAddress* out) {
        uint8_t bytes[6];
        size_t pos = 0;
        const bool separated = text.size() == 17;
        if (!separated && text.size() != 12) return false;
        for (int i = 0; i < 6; ++i) {
            int hi = HexValue(text[pos]), lo = HexValue(text[pos + 1]);
            if (hi < 0 || lo < 0) return false;
            bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
            pos += 2;
            if (separated && i < 5) {
                if (text[pos] != '-' && text[pos] != ':') return false;
                ++pos;
            }
        }
        if (out) out->SetBytes(bytes);
        return true;
    }

    friend bool operator==(const WuMacAddress& a, const WuMacAddress& b) {
        return std::memcmp(a.m_bytes, b.m_bytes, 6) == 0;
    }

private:
    static int HexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    uint8_t m_bytes[6] = {};
    uint8_t m_reserved[2] = {};
};

static_assert(sizeof(WuMacAddress) == 8, "WuMacAddress fills an 8-byte slot of the client records");
