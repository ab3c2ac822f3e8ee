#pragma once
// The library's trace log, wmapp.txt. Off until a monitor loads its settings and finds the user's
// DebugMode non-zero.
#include <atomic>

extern std::atomic<bool> g_bWgTrace;

void WgSetTrace(bool on);

void WgTracePrint(const char* format, ...) __attribute__((format(printf, 1, 2)));
