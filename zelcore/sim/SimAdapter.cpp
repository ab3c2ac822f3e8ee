#include "zelcore/sim/SimAdapter.h"

#include "zelcore/WcDriverTypes.h"
#include "zelcore/sim/SimClock.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimEnvironment.h"

SimAdapter::SimAdapter(const SimAdapterSpec& desc, uint32_t index) : m_config(*this), m_driver(*this) {
    m_state.desc = desc;
    m_state.index = index;
    m_state.state = desc.enabled ? WC_ADAPTER_STATE_DISCONNECTED : WC_ADAPTER_STATE_DISABLED;
    m_state.lastTrafficMs = SimClock::NowMs();
}

uint32_t SimAdapter::AddRef() { return ++m_refs; }

uint32_t SimAdapter::Release() {
    const uint32_t left = --m_refs;
    if (left == 0) delete this;
    return left;
}

WcStatus SimAdapter::GetName(std::string* name) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetName")) return injected;
    if (!name) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    *name = m_state.desc.name;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::GetMacAddress(WuMacAddress* mac) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetMacAddress")) return injected;
    if (!mac) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    *mac = m_state.desc.mac;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::GetState(uint32_t* state) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetState")) return injected;
    if (!state) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    *state = m_state.state;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::GetIPAddress(WuIp6Address* address) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetIPAddress")) return injected;
    if (!address) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    *address = m_state.phase == SimAdapterState::Phase::Connected ? WuIp6Address(m_state.ip) : WuIp6Address();
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::GetAdapterConfig(WcAdapterConfig** config, uint32_t) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetAdapterConfig")) return injected;
    if (!config) return WC_STATUS_INVALID_ARGUMENT;
    *config = &m_config;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::GetAdapterDriver(WcAdapterDriver** driver, uint32_t) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetAdapterDriver")) return injected;
    if (!driver) return WC_STATUS_INVALID_ARGUMENT;
    *driver = &m_driver;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::GetAdapterId(uint32_t kind, std::string* id) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::GetAdapterId")) return injected;
    if (!id) return WC_STATUS_INVALID_ARGUMENT;
    if (kind != WC_ADAPTER_ID_INTERFACE) return WC_STATUS_NOT_SUPPORTED;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    if (m_state.removed || m_state.desc.interfaceId.empty()) return WC_STATUS_NOT_AVAILABLE;
    *id = m_state.desc.interfaceId;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::SetZeroConfigState(uint32_t enabled) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::SetZeroConfigState")) return injected;
    if (enabled > 1) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    if (m_state.removed) return WC_STATUS_NOT_FOUND;
    m_state.zeroConfig = enabled;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::SetActiveSupplicant(uint32_t supplicant) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::SetActiveSupplicant")) return injected;
    if (supplicant > WC_SUPPLICANT_THIRD_PARTY) return WC_STATUS_INVALID_ARGUMENT;
    std::lock_guard lock(SimEnvironment::Instance().Mutex());
    if (m_state.removed) return WC_STATUS_NOT_FOUND;
    m_state.supplicant = supplicant;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::RegisterForEvents(WcAdapterEventSink* sink, uint32_t mask) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::RegisterForEvents")) return injected;
    if (!sink || mask == 0) return WC_STATUS_INVALID_ARGUMENT;
    {
        std::lock_guard lock(SimEnvironment::Instance().Mutex());
        if (m_state.removed) return WC_STATUS_NOT_FOUND;
    }
    m_sinks.Register(sink, mask);
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapter::UnregisterForEvents(WcAdapterEventSink* sink) {
    if (WcStatus injected = SimControl::Enter("WcAdapter::UnregisterForEvents")) return injected;
    if (!sink) return WC_STATUS_INVALID_ARGUMENT;
    // Not under the library's lock: this may wait for a delivery in progress.
    return m_sinks.Unregister(sink, 0xFFFFFFFFu) ? WC_STATUS_SUCCESS : WC_STATUS_NOT_FOUND;
}
