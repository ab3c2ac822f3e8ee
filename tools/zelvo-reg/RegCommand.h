#pragma once
// The command line of zelvo-reg:
//   query  KEY [/v NAME | /ve]
//   add    KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve | /va] /f
//   import FILE
//   export KEY FILE [/y]
// KEY is ROOT[\path] with ROOT one of HKLM, HKEY_LOCAL_MACHINE, HKCU, HKEY_CURRENT_USER.
// TYPE is REG_SZ (default), REG_EXPAND_SZ, REG_DWORD or REG_BINARY. DATA of REG_DWORD is a decimal
// number or 0x and up to eight hex digits; of REG_BINARY an even number of hex digits (no
// separators); texts are taken as they are. Nothing ever asks a question: overwriting a value
// needs /f, deleting needs /f, overwriting an export file needs /y.
// Exit status 0 on success, 1 with one line of reason on the error stream otherwise.
#include <ostream>
#include <string>
#include <vector>

class RegCommand {
public:
    RegCommand(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    int Run(const std::vector<std::string>& args);

private:
    struct Options;

    int Query(const Options& options);
    int Add(const Options& options);
    int Delete(const Options& options);
    int Import(const Options& options);
    int Export(const Options& options);
    int Fail(const std::string& reason);
    int FailStatus(long status);

    std::ostream& m_out;
    std::ostream& m_err;
};
