#include "wmapp/WmStatusSource.h"

#include "platform/ResourceChain.h"

WmStatusSource::~WmStatusSource() = default;

QString WmStatusSource::AuthenticationTypeText(int32_t type) {
    // String numbers of the GUI library's security type names, by WcSecurityType.
    static constexpr unsigned kNames[] = {4099, 4100, 4101, 4102, 4103, 4104, 4105, 4106, 4900, 5187, 4125};
    if (type < 0 || type >= static_cast<int32_t>(std::size(kNames))) return QString();
    return ResourceChain::Instance().LoadString(kNames[type]);
}
