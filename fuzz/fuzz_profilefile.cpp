// Profile files come from anywhere a user finds them: whatever the parser accepts must write
// back to a file that reads as the same record.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "zelcore/sim/SimProfileFile.h"
#include "zelcore/sim/SimProfileManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const WcProfileData defaults = SimProfileManager::Defaults();
    WcProfileData record;
    if (SimProfileFile::Parse(text, defaults, &record) != WC_STATUS_SUCCESS) return 0;
    WcProfileData again;
    if (SimProfileFile::Parse(SimProfileFile::Format(record, "round trip"), defaults, &again) != WC_STATUS_SUCCESS ||
        !(again == record))
        __builtin_trap();
    return 0;
}
