#pragma once
// The simulated clock in milliseconds: the monotonic clock plus whatever tests skipped ahead.
#include <cstdint>

class SimClock {
public:
    static uint64_t NowMs();
    static void Advance(uint64_t ms);
};
