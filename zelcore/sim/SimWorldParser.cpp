#include "zelcore/sim/SimWorldParser.h"

#include <nlohmann/json.hpp>

#include <set>

#include "zelcore/WcAdapterCapabilities.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/WuIpAddress.h"
#include "zelcore/sim/SimRadio.h"

using nlohmann::json;

namespace {

constexpr size_t kMaxText = 256;

struct NamedSecurity {
    const char* name;
    SimSecurity security;
};
constexpr NamedSecurity kSecurities[] = {
    {"open", SimSecurity::Open},       {"wep", SimSecurity::Wep},         {"wpa-psk", SimSecurity::WpaPsk},
    {"wpa2-psk", SimSecurity::Wpa2Psk}, {"wpa-eap", SimSecurity::WpaEap},  {"wpa2-eap", SimSecurity::Wpa2Eap},
    {"802.1x", SimSecurity::Dot1x},    {"leap", SimSecurity::Leap},
};

struct NamedMode {
    const char* name;
    uint32_t mode;
};
constexpr NamedMode kModes[] = {
    {"a", WC_WIRELESS_MODE_A},           {"a-turbo", WC_WIRELESS_MODE_VELA_A}, {"b", WC_WIRELESS_MODE_B},
    {"g", WC_WIRELESS_MODE_G},           {"g-turbo", WC_WIRELESS_MODE_VELA_G}, {"4.9-quarter", WC_WIRELESS_MODE_PS_1},
    {"4.9-half", WC_WIRELESS_MODE_PS_2}, {"4.9-full", WC_WIRELESS_MODE_PS_3},
};

// Walks one JSON object, checking every member's type and refusing unknown members, so a typing
// error in a hand-edited file is reported instead of silently ignored.
class Reader {
public:
    Reader(const json& object, std::string path, std::string* error)
        : m_object(object), m_path(std::move(path)), m_error(error) {}

    bool Ok() const { return m_ok; }

    bool Text(const char* key, std::string* out, bool required = false, size_t maxLen = kMaxText) {
        const json* v = Find(key, required);
        if (!v) return m_ok;
        if (!v->is_string()) return Fail(key, "must be a text");
        const auto& s = v->get_ref<const std::string&>();
        if (s.size() > maxLen) return Fail(key, "is longer than " + std::to_string(maxLen) + " bytes");
        if (s.find('\0') != std::string::npos) return Fail(key, "holds a zero byte");
        *out = s;
        return true;
    }

    bool Bool(const char* key, bool* out) {
        const json* v = Find(key, false);
        if (!v) return m_ok;
        if (!v->is_boolean()) return Fail(key, "must be true or false");
        *out = v->get<bool>();
        return true;
    }

    template <typename T>
    bool Int(const char* key, T* out, int64_t lo, int64_t hi, bool required = false) {
        const json* v = Find(key, required);
        if (!v) return m_ok;
        if (!v->is_number_integer()) return Fail(key, "must be a whole number");
        int64_t n = 0;
        if (v->is_number_unsigned()) {
            const uint64_t u = v->get<uint64_t>();
            if (u > static_cast<uint64_t>(INT64_MAX)) return Fail(key, "is out of range");
            n = static_cast<int64_t>(u);
        } else {
            n = v->get<int64_t>();
        }
        if (n < lo || n > hi)
            return Fail(key, "must be from " + std::to_string(lo) + " to " + std::to_string(hi));
        *out = static_cast<T>(n);
        return true;
    }

    bool Mac(const char* key, WuMacAddress* out, bool required) {
        std::string text;
        if (!Text(key, &text, required) || !Has(key)) return m_ok;
        if (!WuMacAddress::Parse(text, out)) return Fail(key, "must be a MAC address such as 00-40-96-A1-B2-C3");
        return true;
    }

    bool Ip(const char* key, std::string* out) {
        std::string text;
        if (!Text(key, &text) || !Has(key)) return m_ok;
        if (!WuIpAddress::Parse(text, nullptr)) return Fail(key, "must be a dotted IPv4 address");
        *out = text;
        return true;
    }

    // The members not named by any Text/Int/... call so far.
    bool NoOthers() {
        if (!m_ok) return false;
        for (auto it = m_object.begin(); it != m_object.end(); ++it)
            if (!m_seen.count(it.key())) return Fail(it.key().c_str(), "is not a known setting");
        return true;
    }

    bool Has(const char* key) const { return m_object.contains(key); }
    bool Fail(const std::string& key, const std::string& what) {
        if (m_ok && m_error) *m_error = m_path + (key.empty() ? "" : "." + key) + ": " + what;
        m_ok = false;
        return false;
    }
    const json* Find(const char* key, bool required) {
        if (!m_ok) return nullptr;
        m_seen.insert(key);
        auto it = m_object.find(key);
        if (it == m_object.end()) {
            if (required) Fail(key, "is missing");
            return nullptr;
        }
        return &*it;
    }

private:
    const json& m_object;
    std::string m_path;
    std::string* m_error;
    std::set<std::string> m_seen;
    bool m_ok = true;
};

bool ParseModes(const json& value, uint32_t* out, std::string* why) {
    constexpr uint64_t known = WC_WIRELESS_MODE_A | WC_WIRELESS_MODE_VELA_A | WC_WIRELESS_MODE_B | WC_WIRELESS_MODE_G |
                               WC_WIRELESS_MODE_VELA_G | WC_WIRELESS_MODE_PS_MASK;
    if (value.is_number_integer()) {
        if (!value.is_number_unsigned() || (value.get<uint64_t>() & ~known)) {
            *why = "has a bit that is no wireless mode";
            return false;
        }
        *out = static_cast<uint32_t>(value.get<uint64_t>());
        return true;
    }
    if (!value.is_array()) {
        *why = "must be a list of mode names or a number";
        return false;
    }
    uint32_t modes = 0;
    for (const auto& item : value) {
        uint32_t bit = 0;
        if (!item.is_string() || !SimWorldParser::ModeFromName(item.get<std::string>(), &bit)) {
            *why = "names an unknown wireless mode";
            return false;
        }
        modes |= bit;
    }
    *out = modes;
    return true;
}

bool ParseAdapter(const json& object, const std::string& path, SimAdapterSpec* a, std::string* error) {
    if (!object.is_object()) {
        *error = path + ": must be an object";
        return false;
    }
    Reader r(object, path, error);
    r.Text("id", &a->id, true);
    r.Text("name", &a->name, true);
    r.Mac("mac", &a->mac, true);
    r.Bool("present", &a->present);
    r.Bool("enabled", &a->enabled);
    r.Bool("hardwareRadioOff", &a->hardwareRadioOff);
    r.Text("driverPath", &a->driverPath);
    r.Text("driverVersion", &a->driverVersion);
    r.Int("driverDate", &a->driverDate, 0, 32503680000LL);
    r.Text("serial", &a->serial);
    r.Text("country", &a->country);
    r.Text("interfaceId", &a->interfaceId);
    for (const char* key : {"infraModes", "adHocModes"}) {
        const json* v = r.Find(key, false);
        if (!v) continue;
        std::string why;
        if (!ParseModes(*v, key[0] == 'i' ? &a->infraModes : &a->adHocModes, &why)) r.Fail(key, why);
    }
    r.Int("securityCaps", &a->securityCaps, 0, 0xFFFFFFFFLL);
    r.Int("maxSsids", &a->maxSsids, 1, 3);
    r.Int("oemFeatures", &a->oemFeatures, 0, 0xFFFFFFFFLL);
    r.Int("txPowerDbm", &a->txPowerDbm, 0, 30);
    r.Int("vendorId", &a->vendorId, 0, 0xFFFF);
    r.Int("deviceId", &a->deviceId, 0, 0xFFFF);
    if (!r.NoOthers()) return false;
    if (a->id.empty()) return r.Fail("id", "must not be empty");
    if (a->country.size() != 2) return r.Fail("country", "must be a two-letter code");
    return true;
}

bool ParseAccessPoint(const json& object, const std::string& path, SimAccessPoint* ap, std::string* error) {
    if (!object.is_object()) {
        *error = path + ": must be an object";
        return false;
    }
    Reader r(object, path, error);
    r.Text("ssid", &ap->ssid, true, 32);
    r.Mac("bssid", &ap->bssid, true);
    std::string mode = "g", security = "open", type = "infrastructure";
    r.Text("mode", &mode);
    r.Int("channel", &ap->channel, 0, 255);
    uint32_t frequency = 0;
    r.Int("frequency", &frequency, 0, 6000);
    r.Text("type", &type);
    r.Text("security", &security);
    r.Text("secret", &ap->secret, false, 128);
    r.Text("username", &ap->username, false, 128);
    r.Int("signal", &ap->rssi, -110, -10);
    r.Int("noise", &ap->noise, -120, -40);
    r.Bool("inRange", &ap->inRange);
    r.Text("apName", &ap->apName, false, 64);
    r.Ip("apIp", &ap->apIp);
    r.Text("subnet", &ap->subnet, false, 11);
    r.Bool("qx", &ap->qx);
    r.Bool("vela", &ap->vela);
    r.Bool("qos", &ap->qos);
    r.Bool("powerControl", &ap->powerControl);
    r.Bool("sharedKey", &ap->sharedKey);
    if (!r.NoOthers()) return false;

    if (ap->ssid.empty()) return r.Fail("ssid", "must not be empty");
    if (!SimWorldParser::ModeFromName(mode, &ap->wirelessMode)) return r.Fail("mode", "is not a wireless mode");
    if (!SimWorldParser::SecurityFromName(security, &ap->security)) return r.Fail("security", "is not a security kind");
    if (type == "adhoc") ap->adHoc = true;
    else if (type != "infrastructure") return r.Fail("type", "must be infrastructure or adhoc");
    if (frequency != 0) {
        const uint32_t channel = SimRadio::ChannelOf(frequency);
        if (channel == 0 || !SimRadio::IsValidChannel(ap->wirelessMode, channel) ||
            SimRadio::FrequencyOf(ap->wirelessMode, channel) != frequency)
            return r.Fail("frequency", "is not a channel of the " + mode + " band");
        if (ap->channel != 0 && ap->channel != channel) return r.Fail("channel", "does not match the frequency");
        ap->channel = channel;
    }
    if (!SimRadio::IsValidChannel(ap->wirelessMode, ap->channel))
        return r.Fail("channel", "is not a channel of the " + mode + " band");
    if (ap->security == SimSecurity::Wep) {
        const size_t n = ap->secret.size();
        if (n != 5 && n != 13 && n != 16 && n != 10 && n != 26 && n != 32)
            return r.Fail("secret", "a WEP key has 5, 13 or 16 characters or 10, 26 or 32 hexadecimal digits");
    }
    if ((ap->security == SimSecurity::WpaPsk || ap->security == SimSecurity::Wpa2Psk) &&
        (ap->secret.size() < 8 || ap->secret.size() > 64))
        return r.Fail("secret", "a passphrase has 8 to 63 characters or 64 hexadecimal digits");
    if (!ap->subnet.empty()) {
        WuIpAddress probe;
        if (!WuIpAddress::Parse(ap->subnet + ".1", &probe)) return r.Fail("subnet", "must be three dotted parts such as 192.168.1");
    }
    return true;
}

bool ParseWorld(const json& root, SimWorld* world, std::string* error) {
    if (!root.is_object()) {
        *error = "the world must be a JSON object";
        return false;
    }
    Reader r(root, "world", error);
    uint32_t version = 1;
    r.Int("version", &version, 1, 1);
    r.Int("stepMs", &world->stepMs, 0, 60000);
    const json* adapters = r.Find("adapters", false);
    const json* aps = r.Find("accessPoints", false);
    const json* failures = r.Find("failures", false);
    if (!r.NoOthers()) return false;

    if (adapters) {
        if (!adapters->is_array()) return r.Fail("adapters", "must be a list");
        if (adapters->size() > SimWorldParser::kMaxAdapters) return r.Fail("adapters", "has too many entries");
        std::set<std::string> ids;
        for (size_t i = 0; i < adapters->size(); ++i) {
            SimAdapterSpec a;
            const std::string path = "adapters[" + std::to_string(i) + "]";
            if (!ParseAdapter((*adapters)[i], path, &a, error)) return false;
            if (!ids.insert(a.id).second) {
                *error = path + ".id: another adapter has the id " + a.id;
                return false;
            }
            world->adapters.push_back(std::move(a));
        }
    }
    if (aps) {
        if (!aps->is_array()) return r.Fail("accessPoints", "must be a list");
        if (aps->size() > SimWorldParser::kMaxAccessPoints) return r.Fail("accessPoints", "has too many entries");
        std::set<std::string> bssids;
        for (size_t i = 0; i < aps->size(); ++i) {
            SimAccessPoint ap;
            const std::string path = "accessPoints[" + std::to_string(i) + "]";
            if (!ParseAccessPoint((*aps)[i], path, &ap, error)) return false;
            if (!bssids.insert(ap.bssid.ToString()).second) {
                *error = path + ".bssid: another access point has the BSSID " + ap.bssid.ToString();
                return false;
            }
            world->accessPoints.push_back(std::move(ap));
        }
    }
    if (failures) {
        if (!failures->is_object()) return r.Fail("failures", "must be an object of operation names");
        for (auto it = failures->begin(); it != failures->end(); ++it) {
            if (it.key().empty() || it.key().size() > 80) return r.Fail("failures", "has an unusable operation name");
            SimFailure f;
            Reader fr(it.value(), "world.failures." + it.key(), error);
            if (it.value().is_number_integer()) {
                if (!it.value().is_number_unsigned() || it.value().get<uint64_t>() > 0xFFFFFFFFu)
                    return r.Fail("failures." + it.key(), "a status is a number from 0 to 4294967295");
                f.status = static_cast<uint32_t>(it.value().get<uint64_t>());
            } else if (it.value().is_object()) {
                fr.Int("status", &f.status, 0, 0xFFFFFFFFLL, true);
                fr.Int("count", &f.count, -1, 1000000);
                if (!fr.NoOthers()) return false;
            } else {
                return r.Fail("failures." + it.key(), "must be a status or {\"status\": n, \"count\": n}");
            }
            world->failures[it.key()] = f;
        }
    }
    return true;
}

}  // namespace

bool SimWorldParser::Parse(const std::string& text, SimWorld* world, std::string* error) {
    std::string scratch;
    if (!error) error = &scratch;
    if (text.size() > kMaxFileSize) {
        *error = "the world file is larger than 4 MiB";
        return false;
    }
    json root = json::parse(text, nullptr, false);
    if (root.is_discarded()) {
        *error = "the world file is not valid JSON";
        return false;
    }
    SimWorld result;
    try {
        if (!ParseWorld(root, &result, error)) return false;
    } catch (const std::exception& e) {  // a type the checks above missed; never let it escape
        *error = std::string("the world file cannot be read: ") + e.what();
        return false;
    }
    *world = std::move(result);
    return true;
}

const char* SimWorldParser::SecurityName(SimSecurity security) {
    for (const auto& s : kSecurities)
        if (s.security == security) return s.name;
    return "open";
}

bool SimWorldParser::SecurityFromName(const std::string& name, SimSecurity* security) {
    for (const auto& s : kSecurities)
        if (name == s.name) {
            *security = s.security;
            return true;
        }
    return false;
}

const char* SimWorldParser::ModeName(uint32_t mode) {
    for (const auto& m : kModes)
        if (m.mode == mode) return m.name;
    return "g";
}

bool SimWorldParser::ModeFromName(const std::string& name, uint32_t* mode) {
    for (const auto& m : kModes)
        if (name == m.name) {
            *mode = m.mode;
            return true;
        }
    return false;
}

namespace {

json ModeList(uint32_t modes) {
    json list = json::array();
    for (const auto& m : kModes)
        if (modes & m.mode) list.push_back(m.name);
    return list;
}

}  // namespace

std::string SimWorldParser::Write(const SimWorld& world) {
    json root;
    root["version"] = 1;
    root["stepMs"] = world.stepMs;
    json adapters = json::array();
    for (const auto& a : world.adapters) {
        json j;
        j["id"] = a.id;
        j["name"] = a.name;
        j["mac"] = a.mac.ToString();
        j["present"] = a.present;
        j["enabled"] = a.enabled;
        j["hardwareRadioOff"] = a.hardwareRadioOff;
        j["driverPath"] = a.driverPath;
        j["driverVersion"] = a.driverVersion;
        j["driverDate"] = a.driverDate;
        j["serial"] = a.serial;
        j["country"] = a.country;
        j["interfaceId"] = a.interfaceId;
        j["infraModes"] = ModeList(a.infraModes);
        j["adHocModes"] = ModeList(a.adHocModes);
        j["securityCaps"] = a.securityCaps;
        j["maxSsids"] = a.maxSsids;
        j["oemFeatures"] = a.oemFeatures;
        j["txPowerDbm"] = a.txPowerDbm;
        j["vendorId"] = a.vendorId;
        j["deviceId"] = a.deviceId;
        adapters.push_back(std::move(j));
    }
    root["adapters"] = std::move(adapters);
    json aps = json::array();
    for (const auto& ap : world.accessPoints) {
        json j;
        j["ssid"] = ap.ssid;
        j["bssid"] = ap.bssid.ToString();
        j["mode"] = ModeName(ap.wirelessMode);
        j["channel"] = ap.channel;
        j["type"] = ap.adHoc ? "adhoc" : "infrastructure";
        j["security"] = SecurityName(ap.security);
        j["secret"] = ap.secret;
        j["username"] = ap.username;
        j["signal"] = ap.rssi;
        j["noise"] = ap.noise;
        j["inRange"] = ap.inRange;
        j["apName"] = ap.apName;
        j["apIp"] = ap.apIp;
        j["subnet"] = ap.subnet;
        j["qx"] = ap.qx;
        j["vela"] = ap.vela;
        j["qos"] = ap.qos;
        j["powerControl"] = ap.powerControl;
        j["sharedKey"] = ap.sharedKey;
        aps.push_back(std::move(j));
    }
    root["accessPoints"] = std::move(aps);
    if (!world.failures.empty()) {
        json failures = json::object();
        for (const auto& [op, f] : world.failures) failures[op] = {{"status", f.status}, {"count", f.count}};
        root["failures"] = std::move(failures);
    }
    return root.dump(2) + "\n";
}
