#pragma once
// The program's command line as start-up reads it: flags ("-name" or "/name") with their values,
// names and values upper-cased. A flag gets "TRUE" and takes the next plain parameter, if any, as
// its value; a plain parameter with no flag waiting is left alone.
#include <map>
#include <string>
#include <vector>

class WmCommandLine {
public:
    void Parse(const std::vector<std::string>& parameters);
    void ParseParam(const std::string& parameter);

    bool Has(const std::string& flag) const;
    // The flag's value, empty when the flag is absent.
    std::string Value(const std::string& flag) const;
    const std::map<std::string, std::string>& Flags() const { return m_flags; }
    const std::string& PendingFlag() const { return m_pending; }

private:
    std::map<std::string, std::string> m_flags;
    std::string m_pending;
};
