#include "zelcore/sim/SimRadio.h"

#include <algorithm>
#include <cmath>

#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/sim/SimWorld.h"

namespace {

constexpr uint32_t kKbps = 0x80000000u;

// Four rates per mode, best first, stepped down as the quality falls.
struct RateRow {
    uint32_t mode;
    uint32_t rates[4];
};

constexpr RateRow kRates[] = {
    {WC_WIRELESS_MODE_B, {11, 5, 2, 1}},
    {WC_WIRELESS_MODE_G, {54, 36, 18, 6}},
    {WC_WIRELESS_MODE_VELA_G, {108, 72, 36, 12}},
    {WC_WIRELESS_MODE_A, {54, 36, 18, 6}},
    {WC_WIRELESS_MODE_VELA_A, {108, 72, 36, 12}},
    {WC_WIRELESS_MODE_PS_1, {kKbps | 13500, 9, kKbps | 4500, 3}},
    {WC_WIRELESS_MODE_PS_2, {27, 18, 9, 6}},
    {WC_WIRELESS_MODE_PS_3, {54, 36, 18, 6}},
};

size_t RateStep(int32_t quality) {
    if (quality >= 60) return 0;
    if (quality >= 40) return 1;
    if (quality >= 20) return 2;
    return 3;
}

uint32_t RateAt(uint32_t mode, size_t step) {
    for (const auto& row : kRates)
        if (row.mode == mode) return row.rates[std::min<size_t>(step, 3)];
    return 1;
}

// A repeatable phase per access point, so neighbours do not drift in step.
double Phase(const SimAccessPoint& ap) {
    const uint8_t* b = ap.bssid.Bytes();
    return (b[3] * 7 + b[4] * 13 + b[5] * 31) % 628 / 100.0;
}

}  // namespace

SimRadio::Band SimRadio::BandOfMode(uint32_t mode) {
    if (mode & (WC_WIRELESS_MODE_A | WC_WIRELESS_MODE_VELA_A)) return Band::B5;
    if (mode & WC_WIRELESS_MODE_PS_MASK) return Band::B49;
    return Band::B24;
}

bool SimRadio::IsSingleMode(uint32_t mode) {
    for (const auto& row : kRates)
        if (row.mode == mode) return true;
    return false;
}

bool SimRadio::IsValidChannel(uint32_t mode, uint32_t channel) {
    switch (BandOfMode(mode)) {
    case Band::B24: return channel >= 1 && channel <= 14;
    case Band::B5: return channel >= 34 && channel <= 165;
    case Band::B49: return channel >= 237 && channel <= 252;  // 4905 .. 4980 MHz
    }
    return false;
}

uint32_t SimRadio::FrequencyOf(uint32_t mode, uint32_t channel) {
    switch (BandOfMode(mode)) {
    case Band::B24: return channel == 14 ? 2484 : 2407 + 5 * channel;
    case Band::B5: return 5000 + 5 * channel;
    case Band::B49: return 5000 - 5 * (256 - channel);
    }
    return 0;
}

uint32_t SimRadio::ChannelOf(uint32_t f) {
    if (f > 5000 && f <= 6000) return (f - 5000) / 5;
    if (f == 2484) return 14;
    if (f >= 2412 && f < 2484) return (f - 2407) / 5;
    if (f >= 4900 && f <= 4980) return 256 - (5000 - f) / 5;
    return 0;
}

uint32_t SimRadio::ChannelFlags(uint32_t mode) {
    switch (mode) {
    case WC_WIRELESS_MODE_G: return WC_CHANNEL_OFDM_24;
    case WC_WIRELESS_MODE_VELA_G: return WC_CHANNEL_OFDM_24 | WC_CHANNEL_TURBO;
    case WC_WIRELESS_MODE_VELA_A: return WC_CHANNEL_TURBO;
    case WC_WIRELESS_MODE_PS_1: return WC_CHANNEL_QUARTER_RATE;
    case WC_WIRELESS_MODE_PS_2: return WC_CHANNEL_HALF_RATE;
    default: return 0;
    }
}

uint32_t SimRadio::BandCode(uint32_t f) {
    if (f > 5000) return WC_BAND_5GHZ;
    if (f > 4000) return WC_BAND_49GHZ;
    return WC_BAND_24GHZ;
}

int32_t SimRadio::Rssi(const SimAccessPoint& ap, uint64_t nowMs) {
    const double t = static_cast<double>(nowMs % 3600000u) / 1000.0;
    const double p = Phase(ap);
    const double drift = 3.0 * std::sin(t * 2 * M_PI / 20.0 + p) + 1.5 * std::sin(t * 2 * M_PI / 7.0 + 2 * p);
    return ap.rssi + static_cast<int32_t>(std::lround(drift));
}

int32_t SimRadio::Noise(const SimAccessPoint& ap, uint64_t nowMs) {
    const double t = static_cast<double>(nowMs % 3600000u) / 1000.0;
    return ap.noise + static_cast<int32_t>(std::lround(std::sin(t * 2 * M_PI / 31.0 + Phase(ap))));
}

int32_t SimRadio::Quality(int32_t aboveFloor) { return std::clamp((aboveFloor - 5) * 100 / 35, 0, 100); }

uint32_t SimRadio::SignalLevel(int32_t aboveFloor) {
    if (aboveFloor >= 30) return 4;
    if (aboveFloor >= 20) return 3;
    if (aboveFloor >= 10) return 2;
    if (aboveFloor >= 5) return 1;
    return 0;
}

uint32_t SimRadio::TxRate(uint32_t mode, int32_t quality) { return RateAt(mode, RateStep(quality)); }

uint32_t SimRadio::RxRate(uint32_t mode, int32_t quality) {
    const size_t step = RateStep(quality);
    return RateAt(mode, step == 0 ? 0 : step - 1);
}
