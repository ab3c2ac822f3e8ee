#include "wmapp/WmEventNames.h"

#include "zelcore/WcEvents.h"

#include <array>
#include <span>

namespace {

struct StateName {
    uint32_t value;
    const char* name;
};

constexpr StateName kStates[] = {
    {101, "WC_ADAPTER_STATE_REMOVED"},         {102, "WC_ADAPTER_STATE_ARRIVED"},
    {301, "WC_ADAPTER_STATE_DISABLED"},        {302, "WC_ADAPTER_STATE_ENABLED"},
    {500, "WC_ADAPTER_STATE_DISCONNECTED"},    {501, "WC_ADAPTER_STATE_CONNECTED"},
    {502, "WC_ADAPTER_STATE_AUTH_IN_PROGRESS"}, {503, "WC_ADAPTER_STATE_AUTH_RETRYING"},
    {504, "WC_ADAPTER_STATE_AUTH_FAILED"},     {505, "WC_ADAPTER_STATE_AUTH_TIMEOUT"},
    {701, "WC_ADAPTER_STATE_AUTH_SUCCESS"},    {702, "WC_ADAPTER_STATE_DHCP_START"},
    {703, "WC_ADAPTER_STATE_DHCP_RELEASE"},    {704, "WC_ADAPTER_STATE_DHCP_RENEW"},
    {705, "WC_ADAPTER_STATE_DHCP_FAILED"},     {901, "WC_ADAPTER_STATE_DHCP_SUCCESS"},
};

constexpr const char* kAdapterStatus[] = {"Invalid, WC_ADAPTER_STATUS", "WC_ADAPTER_STATUS_REMOVED",
                                          "WC_ADAPTER_STATUS_DISABLED", "WC_ADAPTER_STATUS_ENABLED",
                                          "WC_ADAPTER_STATUS_INSERTED"};
constexpr const char* kApsStatus[] = {"Invalid, WC_APS_STATUS", "WC_APS_STATUS_ACTIVATE_PROFILE",
                                      "WC_APS_STATUS_DEACTIVATE_PROFILE", "WC_APS_STATUS_PROFILE_STORE_CHANGED"};
constexpr const char* kAssociateStatus[] = {"WC_ASSOCIATE_STATUS_DISCONNECTED", "WC_ASSOCIATE_STATUS_CONNECTED"};
constexpr const char* kAuthStatus[] = {"WC_AUTH_STATUS_NA",       "WC_AUTH_STATUS_IN_PROGRESS",
                                       "WC_AUTH_STATUS_SUCCESS",  "WC_AUTH_STATUS_RETRYING",
                                       "WC_AUTH_STATUS_FAILED",   "WC_AUTH_STATUS_TIMEOUT"};
constexpr const char* kDhcpStatus[] = {"WC_DHCP_STATUS_NA",    "WC_DHCP_STATUS_START",   "WC_DHCP_STATUS_RELEASE",
                                       "WC_DHCP_STATUS_RENEW", "WC_DHCP_STATUS_SUCCESS", "WC_DHCP_STATUS_FAILED"};
constexpr const char* kAuthError[] = {"WC_AUTH_ERROR_NONE",
                                      "WC_AUTH_ERROR_USERNAME_PASSWORD",
                                      "WC_AUTH_ERROR_CLIENT_IDENTITY",
                                      "WC_AUTH_ERROR_CLIENT_CERTIFICATE",
                                      "WC_AUTH_ERROR_SERVER_NAME",
                                      "WC_AUTH_ERROR_SERVER_CERTIFICATE",
                                      "WC_AUTH_ERROR_GENERIC",
                                      "WC_AUTH_ERROR_SERVER_PACOPAQUE",
                                      "WC_AUTH_ERROR_WPAPSK_KEY"};
constexpr const char* kConnectionStatus[] = {"WC_CONNECTION_STATUS_DISCONNECTED", "WC_CONNECTION_STATUS_CONNECTED"};

std::span<const char* const> StatusList(uint32_t type) {
    switch (type) {
    case WC_EVENT_ADAPTER_STATUS: return kAdapterStatus;
    case WC_EVENT_APS_STATUS: return kApsStatus;
    case WC_EVENT_ASSOCIATE_STATUS: return kAssociateStatus;
    case WC_EVENT_AUTH_STATUS: return kAuthStatus;
    case WC_EVENT_DHCP_STATUS: return kDhcpStatus;
    case WC_EVENT_AUTH_ERROR: return kAuthError;
    case WC_EVENT_CONNECTION_STATUS: return kConnectionStatus;
    default: return {};
    }
}

}  // namespace

const char* WmEventNames::AdapterStateName(uint32_t state) {
    for (const StateName& entry : kStates)
        if (entry.value == state) return entry.name;
    return nullptr;
}

bool WmEventNames::IsKnownType(uint32_t type) { return !StatusList(type).empty(); }

const char* WmEventNames::StatusName(uint32_t type, uint32_t status) {
    const std::span<const char* const> list = StatusList(type);
    return status < list.size() ? list[status] : "Unknown";
}

std::string WmEventNames::HistoryText(const char* statusName, const char* extra) {
    std::string text = statusName ? statusName : "Unknown";
    if (extra && *extra) {
        text += ": ";
        text += extra;
    }
    return text;
}
