#include "tests/registry/RegistryTestSupport.h"

#include "platform/ZelvoPaths.h"

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

}  // namespace

void RegistryTest::SetUp() {
    char pattern[] = "/tmp/zelvo-reg-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    m_root = pattern;
    setenv("ZELVO_ROOT", m_root.c_str(), 1);
    unsetenv("ZELVO_READONLY_HIVES");
    RegistryStore::SetReadOnly(RegistryStore::Hive::LocalMachine, false);
    RegistryStore::SetReadOnly(RegistryStore::Hive::CurrentUser, false);
    RegistryStore::SetTraceHook(TraceToList);
    TracedLines().clear();
}

void RegistryTest::TearDown() {
    RegistryStore::SetTraceHook(nullptr);
    unsetenv("ZELVO_READONLY_HIVES");
    chmod(m_root.c_str(), 0700);
    nftw(m_root.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
    unsetenv("ZELVO_ROOT");
}

std::string RegistryTest::HivePath(RegistryStore::Hive hive) { return ZelvoPaths::HiveFile(hive); }

void RegistryTest::WriteHive(RegistryStore::Hive hive, const std::string& text) {
    const std::string path = HivePath(hive);
    ZelvoPaths::MakeDirs(path.substr(0, path.rfind('/')));
    WriteText(path, text);
}

std::string RegistryTest::ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void RegistryTest::WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

pid_t StartChild(const std::function<int()>& body, bool unprivileged) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (unprivileged && geteuid() == 0) {
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(90);
        }
        const int result = body();
        std::fflush(nullptr);
        _exit(result);
    }
    return pid;
}

int WaitChild(pid_t pid) {
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int RunInChild(const std::function<int()>& body, bool unprivileged) {
    return WaitChild(StartChild(body, unprivileged));
}

std::vector<std::string>& TracedLines() {
    static std::vector<std::string> lines;
    return lines;
}

void TraceToList(const char* line) { TracedLines().push_back(line); }
