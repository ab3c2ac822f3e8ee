#include "zelcore/sim/SimProfileStorage.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace {

SimProfileStorage::Stamp StampFrom(const struct stat& st) {
    SimProfileStorage::Stamp s;
    s.exists = true;
    s.device = static_cast<uint64_t>(st.st_dev);
    s.inode = static_cast<uint64_t>(st.st_ino);
    s.size = static_cast<uint64_t>(st.st_size);
    s.mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string DirOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

WcStatus SimProfileStorage::ReadFile(const std::string& path, size_t maxSize, std::string* text, Stamp* stamp) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? WC_STATUS_NOT_FOUND : WC_STATUS_STORAGE_ERROR_READ;
    struct stat st{};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return WC_STATUS_STORAGE_ERROR_READ;
    }
    if (!S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxSize) {
        ::close(fd);
        return WC_STATUS_BAD_FILE;
    }
    std::string out;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return WC_STATUS_STORAGE_ERROR_READ;
        }
        if (n == 0) break;
        out.append(buffer.data(), static_cast<size_t>(n));
        if (out.size() > maxSize) {  // grew while we read
            ::close(fd);
            return WC_STATUS_BAD_FILE;
        }
    }
    ::close(fd);
    if (stamp) *stamp = StampFrom(st);
    *text = std::move(out);
    return WC_STATUS_SUCCESS;
}

bool SimProfileStorage::WriteFileAtomic(const std::string& path, std::string_view text) {
    std::string temp = path + std::string(kTempSuffix) + "XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);  // mode 0600
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, 0600) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename is durable only once the folder is flushed.
    const int dir = ::open(DirOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

SimProfileStorage::Stamp SimProfileStorage::StampOf(const std::string& path) {
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0) return {};
    return StampFrom(st);
}

bool SimProfileStorage::MakeDirs(const std::string& dir) {
    if (dir.empty()) return false;
    for (size_t pos = 1;; ++pos) {
        pos = dir.find('/', pos);
        const std::string part = dir.substr(0, pos);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (pos == std::string::npos) break;
    }
    struct stat st{};
    return ::stat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

SimProfileStorage::Lock::Lock(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        ::close(fd_);
        fd_ = -1;
        return;
    }
}

SimProfileStorage::Lock::~Lock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}
