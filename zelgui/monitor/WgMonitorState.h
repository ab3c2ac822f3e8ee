#pragma once
// Display settings of one adapter monitor: refresh interval (ms), cumulative statistics, signal in
// dBm. A value type; every accessor, copy and assignment takes the library lock.
#include <cstdint>

class WgMonitorState {
public:
    static constexpr uint32_t DEFAULT_REFRESH_INTERVAL = 3000;

    WgMonitorState() = default;
    WgMonitorState(const WgMonitorState& other);
    WgMonitorState& operator=(const WgMonitorState& other);

    uint32_t GetRefreshInterval() const;
    void SetRefreshInterval(uint32_t interval);
    int GetCumulative() const;
    void SetCumulative(int cumulative);
    int GetDbm() const;
    void SetDbm(int dbm);

private:
    uint32_t m_refreshInterval = DEFAULT_REFRESH_INTERVAL;
    int m_cumulative = 1;
    int m_dbm = 1;
};
