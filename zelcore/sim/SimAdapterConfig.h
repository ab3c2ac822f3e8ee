#pragma once
// The configuration object of a simulated adapter (WcAdapterConfig).
#include "zelcore/WcAdapterConfig.h"

class SimAdapter;

class SimAdapterConfig final : public WcAdapterConfig {
public:
    explicit SimAdapterConfig(SimAdapter& adapter) : m_adapter(adapter) {}
    ~SimAdapterConfig() override = default;

    WcStatus IsAPSActive(uint32_t* active) override;
    WcStatus SetAPSActive(uint32_t active) override;
    WcStatus GetActiveProfileName(std::string* name) override;
    WcStatus SetActiveProfile(WcProfile* profile, uint32_t mode) override;
    WcStatus SetActiveProfile(const std::string& profileName, uint32_t mode) override;
    WcStatus ClearCachedCredentials(WcProfile* profile) override;
    WcStatus IsProfileDisabled(WcProfile* profile, uint32_t* disabled) override;
    WcStatus GetAutoProfileCount(uint32_t* count) override;
    WcStatus GetAutoProfileName(uint32_t index, std::string* name) override;
    WcStatus SetAutoProfileList(WcProfile* const* profiles, uint32_t count) override;

private:
    SimAdapter& m_adapter;
};
