#include "platform/RegistryStore.h"

#include "platform/RegistryText.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<RegistryStore::TraceHook> g_traceHook {nullptr};
std::atomic<bool> g_readOnly[2] {false, false};
std::mutex g_problemLock;
std::string g_lastProblem;
std::string g_lastTraced[2];  // so an unchanged problem is traced once, not at every read

int Index(RegistryStore::Hive hive) { return hive == RegistryStore::Hive::LocalMachine ? 0 : 1; }

void Trace(const std::string& message) {
    if (RegistryStore::TraceHook hook = g_traceHook.load()) hook(message.c_str());
}

std::string Parent(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool ReadOnlyBySwitch(RegistryStore::Hive hive) {
    if (g_readOnly[Index(hive)].load()) return true;
    const char* list = std::getenv("ZELVO_READONLY_HIVES");
    if (!list) return false;
    const std::string wanted = RegistryStore::RootName(hive);
    std::string_view rest(list);
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
        if (RegistryFileParser::CanonicalRoot(item) == wanted) return true;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

LONG StatusFromErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    default:
        return ERROR_WRITE_FAULT;
    }
}

void NoteProblem(RegistryStore::Hive hive, const std::string& file, const std::string& problem) {
    std::lock_guard<std::mutex> guard(g_problemLock);
    if (problem.empty()) {
        g_lastTraced[Index(hive)].clear();
        return;
    }
    g_lastProblem = BaseName(file) + ": " + problem;
    if (g_lastTraced[Index(hive)] == g_lastProblem) return;
    g_lastTraced[Index(hive)] = g_lastProblem;
    Trace("Registry: malformed hive " + g_lastProblem);
}

bool EnsureFolder(const std::string& dir, RegistryStore::Hive hive) {
    struct stat info {};
    if (stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    if (!ZelvoPaths::MakeDirs(Parent(dir))) return false;
    // The machine hive is for every user to read.
    const mode_t mode = hive == RegistryStore::Hive::LocalMachine ? 0755 : 0700;
    return mkdir(dir.c_str(), mode) == 0 || errno == EEXIST;
}

LONG WriteAtomically(const std::string& file, const std::string& dir, const std::string& text,
                     RegistryStore::Hive hive) {
    std::string name = file + ".XXXXXX";
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return StatusFromErrno(errno);
    mode_t mode = hive == RegistryStore::Hive::LocalMachine ? 0644 : 0600;
    struct stat old {};
    if (stat(file.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
        if (geteuid() == 0 && fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Keeping the owner is a courtesy; the content matters more.
        }
    }
    int error = 0;
    if (fchmod(fd, mode) != 0) error = errno;
    size_t done = 0;
    while (!error && done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = errno;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error && rename(name.c_str(), file.c_str()) != 0) error = errno;
    if (error) {
        unlink(name.c_str());
        return StatusFromErrno(error);
    }
    const int dirFd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        close(dirFd);
    }
    return ERROR_SUCCESS;
}

RegistryStore::FileStamp StampOf(const struct stat& info) {
    RegistryStore::FileStamp stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = info.st_mtim.tv_sec * 1000000000ll + info.st_mtim.tv_nsec;
    stamp.changed = info.st_ctim.tv_sec * 1000000000ll + info.st_ctim.tv_nsec;
    return stamp;
}

class FileLock {
public:
    explicit FileLock(const std::string& path) {
        m_fd = open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0) {
            m_error = errno;
            return;
        }
        while (flock(m_fd, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            m_error = errno;
            break;
        }
    }
    ~FileLock() {
        if (m_fd >= 0) close(m_fd);  // closing releases the lock
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    int Error() const { return m_error; }

private:
    int m_fd = -1;
    int m_error = 0;
};

}  // namespace

const char* RegistryStore::RootName(Hive hive) {
    return hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

RegistryStore::FileStamp RegistryStore::Stamp(Hive hive) {
    struct stat info {};
    if (stat(ZelvoPaths::HiveFile(hive).c_str(), &info) != 0) return FileStamp {};
    return StampOf(info);
}

LONG RegistryStore::Read(Hive hive, RegistryHive& out, FileStamp* stamp) {
    const std::string file = ZelvoPaths::HiveFile(hive);
    out = RegistryHive(RootName(hive));
    if (stamp) *stamp = FileStamp {};
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return ERROR_SUCCESS;
        return ERROR_ACCESS_DENIED;
    }
    struct stat info {};
    const bool statted = fstat(fd, &info) == 0;
    if (statted && stamp) *stamp = StampOf(info);
    if (!statted || !S_ISREG(info.st_mode)) {
        close(fd);
        out.AddProblem("not a regular file");
        NoteProblem(hive, file, out.Problem());
        return ERROR_SUCCESS;
    }
    std::string text;
    text.resize(info.st_size > 0 ? std::min<size_t>(static_cast<size_t>(info.st_size), REG_MAX_HIVE_FILE) : 0);
    size_t done = 0;
    bool tooLarge = false;
    while (true) {
        if (done == text.size()) {
            if (text.size() >= REG_MAX_HIVE_FILE) {
                char probe;
                tooLarge = read(fd, &probe, 1) > 0;
                break;
            }
            text.resize(std::min(text.size() + 4096, REG_MAX_HIVE_FILE));
        }
        const ssize_t n = read(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            return ERROR_ACCESS_DENIED;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    text.resize(done);
    if (tooLarge) text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
    out.Load(text);
    if (tooLarge) out.AddProblem("file larger than " + std::to_string(REG_MAX_HIVE_FILE) + " bytes");
    NoteProblem(hive, file, out.Problem());
    return ERROR_SUCCESS;
}

LONG RegistryStore::Update(Hive hive, const Mutation& apply) {
    const std::string file = ZelvoPaths::HiveFile(hive);
    const std::string dir = Parent(file);
    if (!IsWritable(hive)) return ERROR_ACCESS_DENIED;
    if (!EnsureFolder(dir, hive)) return ERROR_ACCESS_DENIED;
    FileLock lock(file + ".lock");
    if (lock.Error()) return StatusFromErrno(lock.Error());

    RegistryHive current(RootName(hive));
    const LONG readStatus = Read(hive, current);
    if (readStatus != ERROR_SUCCESS) return readStatus;
    if (!current.Clean()) {
        Trace("Registry: write to " + BaseName(file) + " refused: the hive has problems (" + current.Problem() + ")");
        return ERROR_REGISTRY_CORRUPT;
    }
    bool changed = false;
    const LONG status = apply(current, changed);
    if (status != ERROR_SUCCESS || !changed) return status;
    const LONG written = WriteAtomically(file, dir, current.Serialise(), hive);
    if (written != ERROR_SUCCESS) Trace("Registry: writing " + BaseName(file) + " failed");
    return written;
}

bool RegistryStore::IsWritable(Hive hive) {
    if (ReadOnlyBySwitch(hive)) return false;
    const std::string file = ZelvoPaths::HiveFile(hive);
    std::string dir = Parent(file);
    if (access(file.c_str(), F_OK) == 0) return access(file.c_str(), W_OK) == 0 && access(dir.c_str(), W_OK) == 0;
    // The file will be created: the nearest existing folder above it decides.
    while (access(dir.c_str(), F_OK) != 0 && dir != "/" && dir != ".") dir = Parent(dir);
    return access(dir.c_str(), W_OK) == 0;
}

void RegistryStore::SetReadOnly(Hive hive, bool readOnly) { g_readOnly[Index(hive)].store(readOnly); }

void RegistryStore::SetTraceHook(TraceHook hook) { g_traceHook.store(hook); }

std::string RegistryStore::LastProblem() {
    std::lock_guard<std::mutex> guard(g_problemLock);
    return g_lastProblem;
}
