#pragma once
// Small value sets of the driver and adapter configuration interfaces.
#include <cstdint>

// WcAdapterDriver::GetRadioState / SetRadioState. Only the software bit can be set.
enum WcDriverRadioState : int32_t {
    WC_RADIO_ON = 0,
    WC_RADIO_OFF_SOFTWARE = 1,
    WC_RADIO_OFF_HARDWARE = 2,
    WC_RADIO_OFF_BOTH = 3,
};

// WcAdapterDriver::GetConnectionMode: which extended radio mode the link runs in.
enum WcConnectionMode : int32_t {
    WC_CONNECTION_MODE_VELA = 0,
    WC_CONNECTION_MODE_EXTENDED_RANGE = 1,
    WC_CONNECTION_MODE_NORMAL = 2,
};

// WcAdapterConfig::SetActiveProfile.
enum WcActivationMode : uint32_t {
    WC_ACTIVATE_NORMAL = 0,
    WC_ACTIVATE_MANUAL_LOGIN = 1,
    WC_ACTIVATE_REAUTHENTICATE = 2,
};

// WcAdapter::SetActiveSupplicant: the client software in control of the adapter.
enum WcActiveSupplicant : uint32_t {
    WC_SUPPLICANT_THIS_UTILITY = 0,
    WC_SUPPLICANT_WINDOWS = 1,
    WC_SUPPLICANT_THIRD_PARTY = 2,
};

// Cipher in use, diagnostic record offset 188.
enum WcCipher : uint32_t {
    WC_CIPHER_NONE = 0,
    WC_CIPHER_WEP = 1,
    WC_CIPHER_AES_CCM = 2,
    WC_CIPHER_AES_OCB = 3,
    WC_CIPHER_CKIP = 4,
    WC_CIPHER_TKIP = 5,
    WC_CIPHER_CKIP_WEP = 7,
};

// WcAdapterDriver::GetMICAlgorithm.
enum WcMicAlgorithm : uint32_t {
    WC_MIC_NONE = 0,
    WC_MIC_AES = 1,
    WC_MIC_MMH = 2,
    WC_MIC_MICHAEL = 3,
};

// Channel flags, diagnostic record offset 280.
enum WcChannelFlags : uint32_t {
    WC_CHANNEL_TURBO = 0x100,
    WC_CHANNEL_OFDM_24 = 0x400,
    WC_CHANNEL_HALF_RATE = 0x10000,
    WC_CHANNEL_QUARTER_RATE = 0x20000,
};

// Band codes of WcUtility::FrequencyToChannel.
enum WcBand : uint32_t {
    WC_BAND_5GHZ = 1,
    WC_BAND_24GHZ = 8,
    WC_BAND_49GHZ = 0x200,
};
