// One settings read (open the key, read a number, close) on a hive of 200 values, as every
// settings reader does it: the target is under 100 microseconds.
#include "platform/ZelvoPaths.h"
#include "zelgui/services/WgRegKey.h"
#include "zelgui/services/WgSettings.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <string>

namespace {

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) { return remove(path); }

class SettingsHive {
public:
    SettingsHive() {
        char pattern[] = "/tmp/zelvo-bench-XXXXXX";
        m_root = mkdtemp(pattern) ? pattern : "";
        setenv("ZELVO_ROOT", m_root.c_str(), 1);
        const std::string file = ZelvoPaths::HiveFile(ZelvoPaths::Hive::CurrentUser);
        ZelvoPaths::MakeDirs(file.substr(0, file.rfind('/')));
        std::ofstream out(file);
        out << "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Kovanta\\Zelvo\\Settings]\n";
        char line[96];
        for (int i = 0; i < 199; ++i) {
            if (i % 2) std::snprintf(line, sizeof(line), "\"Value%03d\"=dword:%08x\n", i, i);
            else std::snprintf(line, sizeof(line), "\"Text%03d\"=\"some setting text number %d\"\n", i, i);
            out << line;
        }
        out << "\"RefreshInterval\"=dword:000007d0\n";
    }
    ~SettingsHive() {
        nftw(m_root.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
        unsetenv("ZELVO_ROOT");
    }

private:
    std::string m_root;
};

void BM_SettingsRead(benchmark::State& state) {
    SettingsHive hive;
    for (auto _ : state) {
        const DWORD value = WgSettings::RefreshInterval();
        if (value != 2000) state.SkipWithError("wrong value read");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_SettingsRead)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
