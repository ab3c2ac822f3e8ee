#include "zelgui/services/WgTrace.h"

#include "platform/TraceWriter.h"

std::atomic<bool> g_bWgTrace {false};

void WgSetTrace(bool on) { g_bWgTrace.store(on, std::memory_order_relaxed); }

void WgTracePrint(const char* format, ...) {
    if (!g_bWgTrace.load(std::memory_order_relaxed)) return;
    va_list args;
    va_start(args, format);
    const std::string line = TraceWriter::FormatLine(format, args);
    va_end(args);
    TraceWriter::WriteLine(TraceWriter::Target::File, "wmapp.txt", line);
}
