#pragma once
// The GUI library's one lock: a process-wide recursive mutex guarding every monitor's state,
// mask, snapshot and the monitor manager's map. There is no finer locking in the library.
#include <mutex>

std::recursive_mutex& WgLibraryLock();
