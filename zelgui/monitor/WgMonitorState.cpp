#include "zelgui/monitor/WgMonitorState.h"

#include "zelgui/monitor/WgLibraryLock.h"

WgMonitorState::WgMonitorState(const WgMonitorState& other) {
    std::lock_guard lock(WgLibraryLock());
    m_refreshInterval = other.m_refreshInterval;
    m_cumulative = other.m_cumulative;
    m_dbm = other.m_dbm;
}

WgMonitorState& WgMonitorState::operator=(const WgMonitorState& other) {
    std::lock_guard lock(WgLibraryLock());
    m_refreshInterval = other.m_refreshInterval;
    m_cumulative = other.m_cumulative;
    m_dbm = other.m_dbm;
    return *this;
}

uint32_t WgMonitorState::GetRefreshInterval() const {
    std::lock_guard lock(WgLibraryLock());
    return m_refreshInterval;
}

void WgMonitorState::SetRefreshInterval(uint32_t interval) {
    std::lock_guard lock(WgLibraryLock());
    m_refreshInterval = interval;
}

int WgMonitorState::GetCumulative() const {
    std::lock_guard lock(WgLibraryLock());
    return m_cumulative;
}

void WgMonitorState::SetCumulative(int cumulative) {
    std::lock_guard lock(WgLibraryLock());
    m_cumulative = cumulative;
}

int WgMonitorState::GetDbm() const {
    std::lock_guard lock(WgLibraryLock());
    return m_dbm;
}

void WgMonitorState::SetDbm(int dbm) {
    std::lock_guard lock(WgLibraryLock());
    m_dbm = dbm;
}
