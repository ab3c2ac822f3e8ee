#pragma once
// Radio arithmetic of the simulated driver: bands, channels and frequencies, and the live values
// (drifting signal and noise, quality, rates) derived from an access point and the clock.
#include <cstdint>

struct SimAccessPoint;

class SimRadio {
public:
    enum class Band { B24, B5, B49 };

    static Band BandOfMode(uint32_t wirelessMode);
    // True when the wireless-mode bit names one mode (a, Vela A, b, g, Vela G, 4.9 GHz x3).
    static bool IsSingleMode(uint32_t wirelessMode);
    // True when the channel exists in that mode's band.
    static bool IsValidChannel(uint32_t wirelessMode, uint32_t channel);
    // MHz of a valid channel.
    static uint32_t FrequencyOf(uint32_t wirelessMode, uint32_t channel);
    // The channel a frequency stands for, in the rule the adapter monitor uses (4.9 GHz
    // channels are 256 - (5000 - f) / 5). Returns 0 for a frequency outside every band.
    static uint32_t ChannelOf(uint32_t frequency);
    // Channel flags of the diagnostic record for a mode.
    static uint32_t ChannelFlags(uint32_t wirelessMode);
    // The band code WcUtility::FrequencyToChannel takes for a frequency.
    static uint32_t BandCode(uint32_t frequency);

    // Signal and noise at a moment: the world's values with a slow, repeatable drift.
    static int32_t Rssi(const SimAccessPoint& ap, uint64_t nowMs);
    static int32_t Noise(const SimAccessPoint& ap, uint64_t nowMs);
    // 0..100 from the signal's height above the noise floor, in dB.
    static int32_t Quality(int32_t aboveFloor);
    // 0 (no link) .. 4 (excellent) from the signal's height above the noise floor, in dB (the
    // driver's RSSI).
    static uint32_t SignalLevel(int32_t aboveFloor);
    // Rates in the driver encoding (Mbps, 5 meaning 5.5; bit 31 set: Kbps) for a mode and quality.
    static uint32_t TxRate(uint32_t wirelessMode, int32_t quality);
    static uint32_t RxRate(uint32_t wirelessMode, int32_t quality);
};
