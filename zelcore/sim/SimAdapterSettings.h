#pragma once
// The adapter settings kept across runs (active profile, automatic selection and its list), one
// entry per adapter id in "adapters.json" of the library's data folder, written atomically.
#include <string>

#include "zelcore/sim/SimAdapterState.h"

class SimAdapterSettings {
public:
    static constexpr const char* kFile = "adapters.json";
    // Fills the settings of st from the file; a missing or malformed file leaves the defaults.
    static void Load(const std::string& dataDir, SimAdapterState& st);
    // False when the file cannot be written (the settings stay in memory).
    static bool Save(const std::string& dataDir, const SimAdapterState& st);
};
