#pragma once
// The client library's own log.
#include <cstdint>
#include <string>

#include "zelcore/WcStatus.h"

class WcLogger {
public:
    // 0 writes nothing; higher levels write more detail.
    virtual WcStatus SetLevel(uint32_t level) = 0;
    // The file name as the program passes it (for example "\Zelvo.txt"); the library keeps its
    // log under the run-time root, beside but never in the program's own trace file.
    virtual WcStatus SetLogFile(const std::string& file) = 0;

protected:
    virtual ~WcLogger() = default;
};
