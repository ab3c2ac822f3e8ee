#include "zelcore/sim/SimAdapterManager.h"

#include "zelcore/sim/SimAdapter.h"
#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimEnvironment.h"

uint32_t SimAdapterManager::AddRef() { return ++m_refs; }

uint32_t SimAdapterManager::Release() {
    uint32_t refs = m_refs.load();
    while (refs > 1 && !m_refs.compare_exchange_weak(refs, refs - 1)) {
    }
    return refs > 1 ? refs - 1 : 1;
}

WcStatus SimAdapterManager::GetAdapterCount(uint32_t* count) {
    if (WcStatus injected = SimControl::Enter("WcAdapterManager::GetAdapterCount")) return injected;
    if (!count) return WC_STATUS_INVALID_ARGUMENT;
    auto& env = SimEnvironment::Instance();
    std::lock_guard lock(env.Mutex());
    *count = static_cast<uint32_t>(env.Adapters().size());
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterManager::GetAdapter(uint32_t index, WcAdapter** adapter) {
    if (WcStatus injected = SimControl::Enter("WcAdapterManager::GetAdapter")) return injected;
    if (!adapter) return WC_STATUS_INVALID_ARGUMENT;
    auto& env = SimEnvironment::Instance();
    std::lock_guard lock(env.Mutex());
    if (index >= env.Adapters().size()) return WC_STATUS_NOT_FOUND;
    SimAdapter* a = env.Adapters()[index];
    a->AddRef();
    *adapter = a;
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterManager::RegisterForEvents(WcAdapterManagerSink* sink, uint32_t mask) {
    if (WcStatus injected = SimControl::Enter("WcAdapterManager::RegisterForEvents")) return injected;
    if (!sink || mask == 0) return WC_STATUS_INVALID_ARGUMENT;
    SimEnvironment::Instance().ManagerSinks().Register(sink, mask);
    return WC_STATUS_SUCCESS;
}

WcStatus SimAdapterManager::UnregisterForEvents(WcAdapterManagerSink* sink, uint32_t mask) {
    if (WcStatus injected = SimControl::Enter("WcAdapterManager::UnregisterForEvents")) return injected;
    if (!sink) return WC_STATUS_INVALID_ARGUMENT;
    return SimEnvironment::Instance().ManagerSinks().Unregister(sink, mask) ? WC_STATUS_SUCCESS : WC_STATUS_NOT_FOUND;
}
