// The administrator file is read at start-up: the parser must refuse anything malformed
// cleanly, and every profile it accepts must be a storable one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "zelcore/sim/SimConfigManager.h"
#include "zelcore/sim/SimProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    SimConfigManager::AdminConfig config;
    if (!SimConfigManager::Parse(text, &config, nullptr)) return 0;
    if (config.settings.profileCount != config.profiles.size()) __builtin_trap();
    for (size_t i = 0; i < config.profiles.size(); ++i) {
        if (!SimProfileText::IsValidName(config.profiles[i].profileName)) __builtin_trap();
        for (size_t j = 0; j < i; ++j)
            if (SimProfileText::SameName(config.profiles[i].profileName, config.profiles[j].profileName))
                __builtin_trap();
    }
    return 0;
}
