#include "zelcore/sim/SimAdapterSettings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

json ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return json::object();
    std::ostringstream text;
    text << in.rdbuf();
    json root = json::parse(text.str(), nullptr, false);
    return root.is_object() ? root : json::object();
}

bool MakeDirs(const std::string& dir) {
    std::string path;
    std::stringstream parts(dir);
    std::string part;
    if (!dir.empty() && dir[0] == '/') path = "/";
    while (std::getline(parts, part, '/')) {
        if (part.empty()) continue;
        path += part + "/";
        if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

}  // namespace

void SimAdapterSettings::Load(const std::string& dataDir, SimAdapterState& st) {
    const json root = ReadAll(dataDir + "/" + kFile);
    auto it = root.find(st.desc.id);
    if (it == root.end() || !it->is_object()) return;
    const json& e = *it;
    if (auto v = e.find("activeProfile"); v != e.end() && v->is_string()) st.activeProfile = v->get<std::string>();
    if (auto v = e.find("aps"); v != e.end() && v->is_boolean()) st.aps = v->get<bool>();
    if (auto v = e.find("autoList"); v != e.end() && v->is_array()) {
        st.autoList.clear();
        for (const auto& name : *v)
            if (name.is_string()) st.autoList.push_back(name.get<std::string>());
    }
}

bool SimAdapterSettings::Save(const std::string& dataDir, const SimAdapterState& st) {
    if (!MakeDirs(dataDir)) return false;
    const std::string path = dataDir + "/" + kFile;
    json root = ReadAll(path);
    root[st.desc.id] = {{"activeProfile", st.activeProfile}, {"aps", st.aps}, {"autoList", st.autoList}};
    const std::string text = root.dump(2) + "\n";
    const std::string temp = path + ".tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            unlink(temp.c_str());
            return false;
        }
        written += static_cast<size_t>(n);
    }
    const bool synced = fsync(fd) == 0;
    close(fd);
    if (!synced || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return true;
}
