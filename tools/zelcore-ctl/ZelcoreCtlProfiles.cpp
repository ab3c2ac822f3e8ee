#include "ZelcoreCtlProfiles.h"

#include "zelcore/WcAdapter.h"
#include "zelcore/WcAdapterConfig.h"
#include "zelcore/WcAdapterManager.h"
#include "zelcore/WcDriverTypes.h"
#include "zelcore/WcProfile.h"
#include "zelcore/WcProfileData.h"
#include "zelcore/WcProfileManager.h"
#include "zelcore/Zelcore.h"

namespace {

constexpr uint32_t kApiVersion = 0x20000;

// Releases a client object at the end of a scope.
template <class T>
struct Held {
    T* object = nullptr;
    ~Held() {
        if (object) object->Release();
    }
};

int Refuse(std::ostream& err, const std::string& reason) {
    err << "zelcore-ctl: " << reason << "\n";
    return 1;
}

}  // namespace

const char* ZelcoreCtlProfiles::Usage() {
    return "  profile list\n"
           "  profile add NAME SSID open\n"
           "  profile add NAME SSID wpa2-psk PASSPHRASE\n"
           "  profile activate NAME        (on the first adapter; automatic selection off)\n";
}

int ZelcoreCtlProfiles::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) {
        err << Usage();
        return 2;
    }
    const std::string& action = args[1];
    if (action != "list" && action != "add" && action != "activate") {
        err << Usage();
        return 2;
    }
    Zelcore* root = WcLoadAPI2(kApiVersion, nullptr);
    if (!root) return Refuse(err, "the client library refused to start");
    int code = 2;
    if (action == "list") code = args.size() == 2 ? List(root, out, err) : 2;
    if (action == "add") code = Add(root, args, out, err);
    if (action == "activate") code = args.size() == 3 ? Activate(root, args, out, err) : 2;
    if (code == 2) err << Usage();
    root->Release();
    return code;
}

int ZelcoreCtlProfiles::List(Zelcore* root, std::ostream& out, std::ostream& err) {
    Held<WcProfileManager> store;
    if (root->GetProfileManager(&store.object, 0) != WC_STATUS_SUCCESS || !store.object)
        return Refuse(err, "no profile store");
    WcProfile* profile = nullptr;
    for (WcStatus s = store.object->GetFirstProfile(&profile); s == WC_STATUS_SUCCESS && profile;
         s = store.object->GetNextProfile(&profile)) {
        std::string name;
        if (profile->GetName(&name) == WC_STATUS_SUCCESS) out << name << "\n";
        profile = nullptr;
    }
    return 0;
}

int ZelcoreCtlProfiles::Add(Zelcore* root, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 5) return 2;
    const std::string& name = args[2];
    const std::string& ssid = args[3];
    const std::string& security = args[4];
    const bool psk = security == "wpa2-psk";
    if (!psk && security != "open") return Refuse(err, "unknown security " + security + " (open or wpa2-psk)");
    if (args.size() != (psk ? 6u : 5u)) return 2;
    if (name.empty() || ssid.empty()) return Refuse(err, "the name and the network name must not be empty");
    if (psk && (args[5].size() < 8 || args[5].size() > 63))
        return Refuse(err, "a WPA2 passphrase has 8 to 63 characters");

    Held<WcProfileManager> store;
    if (root->GetProfileManager(&store.object, 0) != WC_STATUS_SUCCESS || !store.object)
        return Refuse(err, "no profile store");
    WcProfile* existing = nullptr;
    if (store.object->GetProfileByName(name, &existing) == WC_STATUS_SUCCESS && existing)
        return Refuse(err, "a profile named " + name + " exists already");
    WcProfile* profile = nullptr;
    if (store.object->CreateProfile(0, &profile) != WC_STATUS_SUCCESS || !profile)
        return Refuse(err, "the store refused a new profile");
    WcProfileData d;
    profile->GetData(&d);
    d.profileName = name;
    d.networkType = WC_NETWORK_TYPE_INFRASTRUCTURE;
    d.ssid = {ssid, "", ""};
    if (psk) {
        d.securityType = WC_SECURITY_PSK;
        d.wpaMode = 1;
        d.encryptionOn = 1;
        d.passphrase = args[5];
        d.passphraseBits = static_cast<uint32_t>(d.passphrase.size() * 8);
    } else {
        d.securityType = WC_SECURITY_DISABLED;
        d.encryptionOn = 0;
    }
    if (profile->SetData(&d) != WC_STATUS_SUCCESS) {
        store.object->DeleteProfile(profile);
        return Refuse(err, "the store refused the profile " + name);
    }
    out << "stored profile " << name << "\n";
    return 0;
}

int ZelcoreCtlProfiles::Activate(Zelcore* root, const std::vector<std::string>& args, std::ostream& out,
                                 std::ostream& err) {
    const std::string& name = args[2];
    Held<WcAdapterManager> manager;
    uint32_t count = 0;
    if (root->GetAdapterManager(&manager.object, 0) != WC_STATUS_SUCCESS || !manager.object ||
        manager.object->GetAdapterCount(&count) != WC_STATUS_SUCCESS || count == 0)
        return Refuse(err, "no adapter");
    Held<WcAdapter> adapter;
    if (manager.object->GetAdapter(0, &adapter.object) != WC_STATUS_SUCCESS || !adapter.object)
        return Refuse(err, "no adapter");
    WcAdapterConfig* config = nullptr;  // belongs to the adapter
    if (adapter.object->GetAdapterConfig(&config, 0) != WC_STATUS_SUCCESS || !config)
        return Refuse(err, "the adapter has no configuration");
    config->SetAPSActive(0);
    if (config->SetActiveProfile(name, WC_ACTIVATE_NORMAL) != WC_STATUS_SUCCESS)
        return Refuse(err, "cannot activate " + name + " (is it stored?)");
    out << "activated profile " << name << "\n";
    return 0;
}
