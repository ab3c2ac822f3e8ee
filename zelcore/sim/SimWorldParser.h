#pragma once
// The world file format (JSON; see docs/world-format.md): reading with full validation, and
// writing back in the same form. Reading never throws and never changes *world on failure.
#include <string>

#include "zelcore/sim/SimWorld.h"

class SimWorldParser {
public:
    static constexpr size_t kMaxFileSize = 4 * 1024 * 1024;
    static constexpr size_t kMaxAdapters = 16;
    static constexpr size_t kMaxAccessPoints = 512;

    // True with *world filled; false with *error naming the first fault ("accessPoints[2].channel: ...").
    static bool Parse(const std::string& text, SimWorld* world, std::string* error);
    static std::string Write(const SimWorld& world);

    static const char* SecurityName(SimSecurity security);
    static bool SecurityFromName(const std::string& name, SimSecurity* security);
    static const char* ModeName(uint32_t wirelessMode);
    static bool ModeFromName(const std::string& name, uint32_t* wirelessMode);
};
