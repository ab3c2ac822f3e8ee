#pragma once
// File handling of the profile store and of profile files: bounded reads, writes that leave
// either the old or the new content whatever happens, owner-only modes and the store's lock.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "zelcore/WcStatus.h"

class SimProfileStorage {
public:
    // What identifies one version of a file; a replaced file gets a new inode.
    struct Stamp {
        bool exists = false;
        uint64_t device = 0, inode = 0, size = 0;
        int64_t mtimeNs = 0;
        bool operator==(const Stamp&) const = default;
    };

    // WC_STATUS_NOT_FOUND when absent, WC_STATUS_BAD_FILE when not a regular file or larger
    // than maxSize, WC_STATUS_STORAGE_ERROR_READ when it cannot be read.
    static WcStatus ReadFile(const std::string& path, size_t maxSize, std::string* text, Stamp* stamp = nullptr);
    // Writes a temporary file beside `path` (mode 0600), flushes it to disk, renames it over
    // `path` and flushes the folder. False (and `path` untouched) on any failure.
    static bool WriteFileAtomic(const std::string& path, std::string_view text);
    static Stamp StampOf(const std::string& path);
    // Creates the folder and its parents (new folders mode 0700).
    static bool MakeDirs(const std::string& dir);
    // Temporary files of writers that died keep this prefix: path + kTempSuffix.
    static constexpr std::string_view kTempSuffix = ".tmp";

    // An exclusive lock on a lock file, held until destruction; other processes wait.
    class Lock {
    public:
        explicit Lock(const std::string& path);
        ~Lock();
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        bool Held() const { return fd_ >= 0; }

    private:
        int fd_ = -1;
    };
};
