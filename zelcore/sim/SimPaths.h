#pragma once
// Where the simulated client library keeps its files: $ZELVO_ROOT/zelcore, else
// $XDG_DATA_HOME/zelvo/zelcore. The library does not use the program's platform layer.
#include <cstdlib>
#include <string>

namespace SimPaths {

inline std::string DataDir() {
    if (const char* root = std::getenv("ZELVO_ROOT"); root && *root) return std::string(root) + "/zelcore";
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return std::string(data) + "/zelvo/zelcore";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.local/share/zelvo/zelcore";
}

}  // namespace SimPaths
