#pragma once
// The program's trace log, Zelvo.txt. Off until start-up sets the switches from DebugMode.

extern bool g_bTraceToFile;
extern bool g_bTraceToConsole;

// Sets both switches from the machine's DebugMode: 1 file, 2 console, anything else neither.
void SetTraceMode(unsigned long debugMode);

void TracePrint(const char* format, ...) __attribute__((format(printf, 1, 2)));
