#include "platform/ZelvoPaths.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace ZelvoPaths {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string Home() {
    std::string home = Env("HOME");
    return home.empty() ? std::string("/tmp") : home;
}

std::string Xdg(const char* name, const char* fallbackBelowHome) {
    std::string value = Env(name);
    return value.empty() ? Home() + "/" + fallbackBelowHome : value;
}

std::string StripSlash(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    return dir;
}

}  // namespace

std::string Root() { return StripSlash(Env("ZELVO_ROOT")); }

std::string HiveFile(Hive hive) {
    const char* name = hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE.reg" : "HKEY_CURRENT_USER.reg";
    const std::string root = Root();
    if (!root.empty()) return root + "/registry/" + name;
    if (hive == Hive::LocalMachine) return std::string("/etc/zelvo/") + name;
    return Xdg("XDG_CONFIG_HOME", ".config") + "/zelvo/" + name;
}

std::string TraceDir() {
    const std::string root = Root();
    if (!root.empty()) return root;
    return Xdg("XDG_STATE_HOME", ".local/state") + "/zelvo";
}

std::string ZelcoreDataDir() {
    const std::string root = Root();
    if (!root.empty()) return root + "/zelcore";
    return Xdg("XDG_DATA_HOME", ".local/share") + "/zelvo/zelcore";
}

std::string CertsDir(const std::string& location) {
    const std::string root = Root();
    if (!root.empty()) return root + "/certs/" + location;
    if (location == "LocalMachine") return "/etc/zelvo/certs";
    return Xdg("XDG_CONFIG_HOME", ".config") + "/zelvo/certs";
}

std::string RunDir() {
    const std::string root = Root();
    if (!root.empty()) return root + "/run";
    std::string runtime = Env("XDG_RUNTIME_DIR");
    if (runtime.empty()) runtime = "/tmp/zelvo-" + std::to_string(getuid());
    return runtime + "/zelvo";
}

std::string AppDir() {
    std::string dir = StripSlash(Env("ZELVO_APPDIR"));
    if (!dir.empty()) return dir;
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) return ".";
    std::string exe(buffer, static_cast<size_t>(length));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos || slash == 0 ? std::string("/") : exe.substr(0, slash);
}

bool MakeDirs(const std::string& dir) {
    if (dir.empty()) return false;
    struct stat info {};
    if (stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    const size_t slash = dir.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeDirs(dir.substr(0, slash))) return false;
    return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

}  // namespace ZelvoPaths
