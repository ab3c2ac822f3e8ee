#include "platform/TraceWriter.h"

#include "platform/ZelvoPaths.h"

#include <cstdio>
#include <ctime>
#include <sys/syscall.h>
#include <unistd.h>

namespace TraceWriter {

std::string FormatLine(const char* format, va_list args) {
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local {};
    localtime_r(&now.tv_sec, &local);
    return FormatLineAt(local, now.tv_nsec / 1000000, static_cast<unsigned>(syscall(SYS_gettid)), format, args);
}

std::string FormatLineAt(const struct tm& local, long milliseconds, unsigned threadId, const char* format, va_list args) {
    char line[MAX_LINE + 1];
    int used = std::snprintf(line, sizeof(line), "%d:%02d:%02d.%03d [%8X] ", local.tm_hour, local.tm_min,
                             local.tm_sec, static_cast<int>(milliseconds), threadId);
    if (used < 0) return std::string();
    if (static_cast<size_t>(used) < MAX_LINE && format)
        std::vsnprintf(line + used, sizeof(line) - static_cast<size_t>(used), format, args);
    line[MAX_LINE] = '\0';
    return std::string(line);
}

void WriteLine(Target target, const std::string& fileName, const std::string& line) {
    if (target == Target::Console) {
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
        return;
    }
    const std::string dir = ZelvoPaths::TraceDir();
    ZelvoPaths::MakeDirs(dir);
    FILE* file = std::fopen((dir + "/" + fileName).c_str(), "a");
    if (!file) return;
    std::fputs(line.c_str(), file);
    std::fflush(file);
    std::fclose(file);
}

}  // namespace TraceWriter
