#include "zelgui/monitor/WgLibraryLock.h"

std::recursive_mutex& WgLibraryLock() {
    // Never destroyed: a polling thread abandoned at shutdown may still take it while the process
    // ends.
    static std::recursive_mutex* lock = new std::recursive_mutex;
    return *lock;
}
