#include "ZelcoreCtl.h"

#include "ZelcoreCtlProfiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "zelcore/sim/SimDefaultWorld.h"
#include "zelcore/sim/SimPaths.h"
#include "zelcore/sim/SimWorldParser.h"

namespace {

struct Failure {
    std::string reason;
};

bool ReadWorld(const std::string& path, SimWorld* world, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        *world = SimDefaultWorld::Build();
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *error = "cannot read " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!SimWorldParser::Parse(text.str(), world, error)) {
        *error = path + ": " + *error;
        return false;
    }
    return true;
}

// Written beside the file and renamed over it, so the library never reads half a world.
bool WriteWorld(const std::string& path, const SimWorld& world, std::string* error) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    const std::string temp = path + ".ctl.tmp";
    const std::string text = SimWorldParser::Write(world);
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        *error = "cannot write " + temp + ": " + std::strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            *error = "cannot write " + temp + ": " + std::strerror(errno);
            close(fd);
            unlink(temp.c_str());
            return false;
        }
        done += size_t(n);
    }
    if (fsync(fd) != 0 || close(fd) != 0 || rename(temp.c_str(), path.c_str()) != 0) {
        *error = "cannot replace " + path + ": " + std::strerror(errno);
        unlink(temp.c_str());
        return false;
    }
    return true;
}

SimAdapterSpec* FindAdapter(SimWorld& world, const std::string& id) {
    for (auto& a : world.adapters)
        if (a.id == id) return &a;
    return nullptr;
}

// An access point by BSSID, or by SSID when exactly one has it.
SimAccessPoint* FindAp(SimWorld& world, const std::string& key, std::string* error) {
    WuMacAddress mac;
    const bool isMac = WuMacAddress::Parse(key, &mac);
    SimAccessPoint* found = nullptr;
    for (auto& ap : world.accessPoints) {
        if ((isMac && ap.bssid == mac) || ap.ssid == key) {
            if (found) {
                *error = "more than one access point is named " + key + "; give its BSSID";
                return nullptr;
            }
            found = &ap;
        }
    }
    if (!found) *error = "no access point is named " + key;
    return found;
}

bool ParseInt(const std::string& text, long lo, long hi, long* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno || *end || v < lo || v > hi) return false;
    *out = v;
    return true;
}

void List(const SimWorld& world, std::ostream& out) {
    out << "Adapters:\n";
    for (const auto& a : world.adapters) {
        out << "  " << a.id << "\t" << a.mac.ToString() << "\t" << (a.present ? "present" : "removed") << "\t"
            << (a.enabled ? "enabled" : "disabled") << "\t" << "hardware radio " << (a.hardwareRadioOff ? "off" : "on")
            << "\t" << a.name << "\n";
    }
    out << "Access points:\n";
    for (const auto& ap : world.accessPoints) {
        out << "  " << ap.ssid << "\t" << ap.bssid.ToString() << "\t" << SimWorldParser::ModeName(ap.wirelessMode)
            << " ch " << ap.channel << "\t" << (ap.adHoc ? "adhoc" : "infrastructure") << "\t"
            << SimWorldParser::SecurityName(ap.security) << "\t" << ap.rssi << " dBm\t"
            << (ap.inRange ? "in range" : "out of range") << "\n";
    }
}

}  // namespace

ZelcoreCtl::ZelcoreCtl(std::string worldPath) : m_path(std::move(worldPath)) {}

std::string ZelcoreCtl::DefaultWorldPath() { return SimPaths::DataDir() + "/world.json"; }

const char* ZelcoreCtl::Usage() {
    return "usage: zelcore-ctl COMMAND\n"
           "  list                                  adapters and access points\n"
           "  init                                  write the built-in world to the world file\n"
           "  adapter insert ID [NAME MAC]          plug an adapter in (a new one needs a name and MAC)\n"
           "  adapter remove ID                     unplug an adapter\n"
           "  adapter enable ID | adapter disable ID\n"
           "  radio ID on|off                       the adapter's hardware radio switch\n"
           "  ap SSID|BSSID signal DBM              signal at the station, -110 to -10\n"
           "  ap SSID|BSSID secret TEXT             passphrase, WEP key or EAP password\n"
           "  ap SSID|BSSID range in|out            move the access point into or out of range\n"
           "  profile list | add NAME SSID open | add NAME SSID wpa2-psk PASSPHRASE | activate NAME\n"
           "The world file is $ZELVO_ROOT/zelcore/world.json; a running program follows it within a second.\n";
}

int ZelcoreCtl::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << Usage();
        return 2;
    }
    if (args[0] == "profile") return ZelcoreCtlProfiles::Run(args, out, err);
    SimWorld world;
    std::string error;
    if (!ReadWorld(m_path, &world, &error)) {
        err << "zelcore-ctl: " << error << "\n";
        return 1;
    }
    const std::string& cmd = args[0];
    const size_t n = args.size();
    auto usage = [&]() {
        err << Usage();
        return 2;
    };
    auto refuse = [&](const std::string& reason) {
        err << "zelcore-ctl: " << reason << "\n";
        return 1;
    };

    if (cmd == "list") {
        if (n != 1) return usage();
        List(world, out);
        return 0;
    }
    if (cmd == "init") {
        if (n != 1) return usage();
        if (!WriteWorld(m_path, world, &error)) return refuse(error);
        out << "wrote " << m_path << "\n";
        return 0;
    }
    if (cmd == "adapter") {
        if (n < 3) return usage();
        const std::string& action = args[1];
        const std::string& id = args[2];
        SimAdapterSpec* a = FindAdapter(world, id);
        if (action == "insert") {
            if (!a) {
                if (n != 5) return refuse("no adapter has the id " + id + "; give a name and a MAC to add one");
                SimAdapterSpec desc = SimDefaultWorld::Build().adapters.front();
                desc.id = id;
                desc.name = args[3];
                if (!WuMacAddress::Parse(args[4], &desc.mac)) return refuse("not a MAC address: " + args[4]);
                if (world.adapters.size() >= SimWorldParser::kMaxAdapters) return refuse("the world has as many adapters as it can hold");
                world.adapters.push_back(desc);
            } else {
                if (n != 3) return usage();
                if (a->present) return refuse("adapter " + id + " is already present");
                a->present = true;
            }
        } else if (n != 3) {
            return usage();
        } else if (!a) {
            return refuse("no adapter has the id " + id);
        } else if (action == "remove") {
            if (!a->present) return refuse("adapter " + id + " is already removed");
            a->present = false;
        } else if (action == "enable" || action == "disable") {
            a->enabled = action == "enable";
        } else {
            return usage();
        }
    } else if (cmd == "radio") {
        if (n != 3) return usage();
        SimAdapterSpec* a = FindAdapter(world, args[1]);
        if (!a) return refuse("no adapter has the id " + args[1]);
        if (args[2] != "on" && args[2] != "off") return usage();
        a->hardwareRadioOff = args[2] == "off";
    } else if (cmd == "ap") {
        if (n != 4) return usage();
        SimAccessPoint* ap = FindAp(world, args[1], &error);
        if (!ap) return refuse(error);
        const std::string& what = args[2];
        const std::string& value = args[3];
        if (what == "signal") {
            long dbm = 0;
            if (!ParseInt(value, -110, -10, &dbm)) return refuse("a signal is a whole number of dBm from -110 to -10");
            ap->rssi = static_cast<int32_t>(dbm);
        } else if (what == "secret") {
            ap->secret = value;
        } else if (what == "range") {
            if (value != "in" && value != "out") return usage();
            ap->inRange = value == "in";
        } else {
            return usage();
        }
    } else {
        return usage();
    }

    // Every change passes the library's own checks before it is written.
    SimWorld checked;
    if (!SimWorldParser::Parse(SimWorldParser::Write(world), &checked, &error)) return refuse(error);
    if (!WriteWorld(m_path, world, &error)) return refuse(error);
    return 0;
}
