#pragma once
// The current access point as WcAdapterDriver::GetAPInfo reports it. Carries a text, so it is
// a value record owning its name.
#include <string>

#include "zelcore/WuIpAddress.h"

struct WcAPInfo {
    WuIpAddress ipAddress;        // empty when the access point does not announce one
    std::string name;             // empty when the access point does not announce one

    friend bool operator==(const WcAPInfo&, const WcAPInfo&) = default;
};
