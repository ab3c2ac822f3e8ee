#pragma once
// The client library's own log. It lives under the run-time root as "zelcore.log", apart from
// the program's trace files; level 0 (the start) writes nothing.
#include <cstdint>
#include <mutex>
#include <string>

#include "zelcore/WcLogger.h"

class SimLogger final : public WcLogger {
public:
    static SimLogger* Instance();

    WcStatus SetLevel(uint32_t level) override;
    // Any non-empty name turns the log on; the name itself only says that a log is wanted, the
    // file is always LogPath(). An empty name turns it off.
    WcStatus SetLogFile(const std::string& file) override;

    // Appends one line (a time stamp is put in front) when `level` is at most the set level.
    void Write(uint32_t level, const std::string& text);
    uint32_t Level() const;
    // The log file: the parent of the library's data folder (ZELVO_ROOT when that is set).
    static std::string LogPath();

    SimLogger() = default;
    ~SimLogger() override = default;

private:
    mutable std::mutex mutex_;
    uint32_t level_ = 0;
    bool enabled_ = false;
};
