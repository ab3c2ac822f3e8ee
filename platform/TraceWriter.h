#pragma once
// The line writer behind both trace logs: prefix with local time and calling thread, message
// formatted once, whole line cut at 1024 characters, then one open-append-close (or one write to
// standard output). It keeps no state and takes no lock.
#include <cstdarg>
#include <string>

namespace TraceWriter {

constexpr size_t MAX_LINE = 1024;

enum class Target { File, Console };

// Builds the line "H:MM:SS.mmm [    TID] message" (at most MAX_LINE characters) for now and the
// calling thread.
std::string FormatLine(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

// The same for a given local time and thread id.
std::string FormatLineAt(const struct tm& local, long milliseconds, unsigned threadId, const char* format, va_list args)
    __attribute__((format(printf, 4, 0)));

// Writes a finished line unchanged; a file that cannot be opened loses the line silently.
void WriteLine(Target target, const std::string& fileName, const std::string& line);

}  // namespace TraceWriter
