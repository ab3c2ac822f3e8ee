#pragma once
// The hive files. Reading parses the file anew every time (there is no cache), so a change made by
// another process is seen at the next open. Writing takes an exclusive lock on a lock file beside
// the hive, reads the hive again under it, applies the change, writes a temporary file, flushes it
// and renames it over the hive: two writers never lose each other's values and a crash never
// leaves a torn hive. A hive that did not read cleanly is never written, so nothing that could
// not be read is dropped.
#include "platform/RegistryHive.h"
#include "platform/RegistryTypes.h"
#include "platform/ZelvoPaths.h"

#include <cstdint>
#include <functional>
#include <string>

class RegistryStore {
public:
    using Hive = ZelvoPaths::Hive;
    // Receives one finished message (no line end) about a malformed hive or a refused write.
    using TraceHook = void (*)(const char* message);
    // Changes the hive read under the lock; sets changed when there is something to write.
    using Mutation = std::function<LONG(RegistryHive& hive, bool& changed)>;

    // Identity and change times of a hive file, to tell whether it is still the file once read.
    struct FileStamp {
        bool exists = false;
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = 0;
        int64_t modified = 0;  // nanoseconds
        int64_t changed = 0;   // nanoseconds
        bool operator==(const FileStamp&) const = default;
    };

    static const char* RootName(Hive hive);

    // A missing file or folder is an empty hive. ERROR_ACCESS_DENIED when the file cannot be read.
    // stamp, when given, describes the file exactly as it was read.
    static LONG Read(Hive hive, RegistryHive& out, FileStamp* stamp = nullptr);
    static FileStamp Stamp(Hive hive);
    static LONG Update(Hive hive, const Mutation& apply);

    // False when the hive is switched to read-only (SetReadOnly or ZELVO_READONLY_HIVES, a
    // comma-separated list of HKLM, HKCU or the full root names) or the user may not write its file
    // and folder.
    static bool IsWritable(Hive hive);
    static void SetReadOnly(Hive hive, bool readOnly);

    static void SetTraceHook(TraceHook hook);
    // The last problem found in a hive file, with the file's name; empty when none was found yet.
    static std::string LastProblem();
};
