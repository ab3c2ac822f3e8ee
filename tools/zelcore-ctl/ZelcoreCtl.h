#pragma once
// The commands of zelcore-ctl, on the world file under ZELVO_ROOT (or the library's data
// folder). A missing file stands for the built-in world, which the first change writes out.
#include <ostream>
#include <string>
#include <vector>

class ZelcoreCtl {
public:
    explicit ZelcoreCtl(std::string worldPath);

    // Runs one command (the program's arguments without its name). Output goes to out, the
    // reason of a failure to err; returns the exit code: 0 done, 1 refused, 2 usage.
    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

    static std::string DefaultWorldPath();
    static const char* Usage();

private:
    std::string m_path;
};
