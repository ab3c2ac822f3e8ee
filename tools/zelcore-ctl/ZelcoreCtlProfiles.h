#pragma once
// The "profile" commands of zelcore-ctl: store a profile and make it the adapter's active one
// through the client library itself, so the store and the adapter's settings are written exactly
// as the program would write them (a demo or a test then starts the program on a known link).
#include <ostream>
#include <string>
#include <vector>

class Zelcore;

class ZelcoreCtlProfiles {
public:
    // args: "profile" and what follows. Returns 0 done, 1 refused, 2 usage.
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static const char* Usage();

private:
    static int Add(Zelcore* root, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static int Activate(Zelcore* root, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static int List(Zelcore* root, std::ostream& out, std::ostream& err);
};
