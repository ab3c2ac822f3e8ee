#pragma once
// One adapter status event on its way to the adapter's sinks.
#include <cstdint>
#include <optional>
#include <string>

struct SimEvent {
    uint32_t type = 0;
    uint32_t status = 0;
    std::optional<std::string> extra;  // absent: the sink gets a null text
};
