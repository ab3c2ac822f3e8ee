#include "wmapp/WmCommandLine.h"

#include <cctype>

namespace {
std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}
}  // namespace

void WmCommandLine::Parse(const std::vector<std::string>& parameters) {
    for (const std::string& parameter : parameters) ParseParam(parameter);
}

void WmCommandLine::ParseParam(const std::string& parameter) {
    const bool flag = !parameter.empty() && (parameter[0] == '-' || parameter[0] == '/');
    if (flag) {
        const std::string name = Upper(parameter.substr(1));
        if (name.empty()) return;  // a lone "-" or "/" names nothing
        m_flags[name] = "TRUE";
        m_pending = name;
        return;
    }
    if (!m_pending.empty()) {
        m_flags[m_pending] = Upper(parameter);
        m_pending.clear();
    }
}

bool WmCommandLine::Has(const std::string& flag) const { return m_flags.count(Upper(flag)) != 0; }

std::string WmCommandLine::Value(const std::string& flag) const {
    auto found = m_flags.find(Upper(flag));
    return found == m_flags.end() ? std::string() : found->second;
}
