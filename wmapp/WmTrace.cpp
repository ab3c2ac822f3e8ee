#include "wmapp/WmTrace.h"

#include "platform/TraceWriter.h"

bool g_bTraceToFile = false;
bool g_bTraceToConsole = false;

void SetTraceMode(unsigned long debugMode) {
    g_bTraceToFile = debugMode == 1;
    g_bTraceToConsole = debugMode == 2;
}

void TracePrint(const char* format, ...) {
    if (!g_bTraceToFile && !g_bTraceToConsole) return;
    va_list args;
    va_start(args, format);
    const std::string line = TraceWriter::FormatLine(format, args);
    va_end(args);
    TraceWriter::WriteLine(g_bTraceToFile ? TraceWriter::Target::File : TraceWriter::Target::Console, "Zelvo.txt", line);
}
