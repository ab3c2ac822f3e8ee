#include "zelcore/sim/SimControl.h"

#include <mutex>

#include "zelcore/sim/SimClock.h"
#include "zelcore/sim/SimEnvironment.h"

namespace {

struct Injected {
    WcStatus status = WC_STATUS_FAILURE;
    uint32_t remaining = 0;
};

struct ControlState {
    std::mutex mutex;
    std::map<std::string, uint64_t> counts;
    std::map<std::string, Injected> injected;
    std::map<std::string, SimFailure> fromWorld;
};

ControlState& State() {
    static ControlState state;
    return state;
}

std::string BareName(const std::string& op) {
    auto pos = op.rfind("::");
    return pos == std::string::npos ? op : op.substr(pos + 2);
}

// Consumes one failure of `key` from an injected table; true when the call must fail.
bool TakeInjected(std::map<std::string, Injected>& table, const std::string& key, WcStatus* status) {
    auto it = table.find(key);
    if (it == table.end()) return false;
    *status = it->second.status;
    if (it->second.remaining != SimControl::kForever && --it->second.remaining == 0) table.erase(it);
    return true;
}

bool TakeWorld(std::map<std::string, SimFailure>& table, const std::string& key, WcStatus* status) {
    auto it = table.find(key);
    if (it == table.end() || it->second.count == 0) return false;
    *status = it->second.status;
    if (it->second.count > 0) --it->second.count;
    return true;
}

}  // namespace

void SimControl::FailNext(const std::string& op, WcStatus status, uint32_t count) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    if (count == 0) {
        s.injected.erase(op);
        return;
    }
    s.injected[op] = Injected{status, count};
}

void SimControl::ClearFailures() {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.injected.clear();
    s.fromWorld.clear();
}

uint64_t SimControl::CallCount(const std::string& op) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    if (op.find("::") != std::string::npos) {
        auto it = s.counts.find(op);
        return it == s.counts.end() ? 0 : it->second;
    }
    uint64_t total = 0;
    for (const auto& [name, count] : s.counts)
        if (BareName(name) == op) total += count;
    return total;
}

void SimControl::ResetCounts() {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.counts.clear();
}

WcStatus SimControl::Enter(const char* op) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    const std::string name(op);
    ++s.counts[name];
    WcStatus status = WC_STATUS_SUCCESS;
    const std::string bare = BareName(name);
    if (TakeInjected(s.injected, name, &status) || TakeInjected(s.injected, bare, &status)) return status;
    if (TakeWorld(s.fromWorld, name, &status) || TakeWorld(s.fromWorld, bare, &status)) return status;
    return WC_STATUS_SUCCESS;
}

void SimControl::SetWorldFailures(const std::map<std::string, SimFailure>& failures) {
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.fromWorld = failures;
}

void SimControl::Reset() {
    {
        auto& s = State();
        std::lock_guard lock(s.mutex);
        s.injected.clear();
        s.fromWorld.clear();
        s.counts.clear();
    }
    SimEnvironment::Instance().Reset();
}

bool SimControl::ReloadWorld() { return SimEnvironment::Instance().ReloadWorld(); }

void SimControl::AdvanceClock(uint64_t ms) {
    SimClock::Advance(ms);
    SimEnvironment::Instance().Tick();
}

bool SimControl::WaitForEvents(uint32_t timeoutMs) { return SimEnvironment::Instance().WaitForEvents(timeoutMs); }
