#include "zelcore/sim/SimLogger.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "zelcore/sim/SimControl.h"
#include "zelcore/sim/SimPaths.h"
#include "zelcore/sim/SimProfileStorage.h"

SimLogger* SimLogger::Instance() {
    static SimLogger* const logger = new SimLogger();  // lives as long as the process
    return logger;
}

WcStatus SimLogger::SetLevel(uint32_t level) {
    if (const WcStatus s = SimControl::Enter("WcLogger::SetLevel")) return s;
    std::lock_guard lock(mutex_);
    level_ = level;
    return WC_STATUS_SUCCESS;
}

WcStatus SimLogger::SetLogFile(const std::string& file) {
    if (const WcStatus s = SimControl::Enter("WcLogger::SetLogFile")) return s;
    std::lock_guard lock(mutex_);
    enabled_ = !file.empty();
    return WC_STATUS_SUCCESS;
}

uint32_t SimLogger::Level() const {
    std::lock_guard lock(mutex_);
    return enabled_ ? level_ : 0;
}

std::string SimLogger::LogPath() {
    std::string dir = SimPaths::DataDir();
    const size_t slash = dir.rfind('/');
    dir = slash == std::string::npos || slash == 0 ? std::string("/") : dir.substr(0, slash);
    return dir + "/zelcore.log";
}

void SimLogger::Write(uint32_t level, const std::string& text) {
    std::lock_guard lock(mutex_);
    if (!enabled_ || level == 0 || level > level_) return;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    tm local{};
    localtime_r(&now.tv_sec, &local);
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03ld ", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  now.tv_nsec / 1000000);
    std::string line = stamp + text;
    if (line.empty() || line.back() != '\n') line += '\n';
    const std::string path = LogPath();
    SimProfileStorage::MakeDirs(path.substr(0, path.rfind('/')));
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    const ssize_t written = ::write(fd, line.data(), line.size());
    (void)written;  // a log line that cannot be written is dropped
    ::close(fd);
}
