#include "zelcore/sim/SimClock.h"

#include <atomic>
#include <chrono>

namespace {
std::atomic<uint64_t> g_offsetMs{0};
}

uint64_t SimClock::NowMs() {
    using namespace std::chrono;
    const auto now = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    return static_cast<uint64_t>(now) + g_offsetMs.load();
}

void SimClock::Advance(uint64_t ms) { g_offsetMs += ms; }
