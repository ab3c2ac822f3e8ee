// zelcore-ctl: changes the simulated world of a running program (see ZelcoreCtl::Usage).
#include <iostream>

#include "ZelcoreCtl.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ZelcoreCtl ctl(ZelcoreCtl::DefaultWorldPath());
    return ctl.Run(args, std::cout, std::cerr);
}
