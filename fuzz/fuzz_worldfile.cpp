// World file parser: any input is either refused with a reason or read into a world that
// writes back and reads again to the same world.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "zelcore/sim/SimWorldParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SimWorld world;
    std::string error;
    if (!SimWorldParser::Parse(text, &world, &error)) {
        if (error.empty()) std::abort();  // a refusal always says why
        return 0;
    }
    SimWorld again;
    if (!SimWorldParser::Parse(SimWorldParser::Write(world), &again, &error) || !(again == world)) std::abort();
    return 0;
}
