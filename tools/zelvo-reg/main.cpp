#include "tools/zelvo-reg/RegCommand.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    RegCommand command(std::cout, std::cerr);
    return command.Run(args);
}
