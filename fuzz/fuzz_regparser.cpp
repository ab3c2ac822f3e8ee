// Hive text from anywhere: reading must never crash, and whatever was kept must write back as a
// text that reads cleanly to the same hive.
#include "platform/RegistryHive.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const char* root : {"HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER"}) {
        RegistryHive hive(root);
        hive.Load(text);
        const std::string written = hive.Serialise();
        RegistryHive again(root);
        if (!again.Load(written)) __builtin_trap();
        if (again.Serialise() != written) __builtin_trap();
    }
    return 0;
}
