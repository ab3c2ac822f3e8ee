#include "TestRoot.h"
#include "zelcore/sim/SimProfileFile.h"

namespace {

// A record with every field away from its default, texts that need escaping included.
WcProfileData EveryFieldSet() {
    WcProfileData d;
    d.profileName = "Q\"uote\\ \xC3\xA9t\xC3\xA9";
    d.ssid = {"one", "two words", "\xE2\x82\xAC"};
    d.clientName = "client";
    d.ownerScope = 2;
    d.reserved018 = "kept 018";
    d.ownerUserName = "alice";
    d.networkType = 5;
    d.powerSaveMode = 2;
    d.reserved028 = -7;
    d.txPowerBG = 20;
    d.txPowerA = 40;
    d.wirelessModes = 0x71F;
    d.adHocMode = 8;
    d.adHocChannel = 149;
    d.preambleShortLong = 1;
    d.reserved041 = 0xEE;
    d.qosEnabled = 1;
    d.extendedRange = 1;
    d.reserved044 = "line\nbreak\ttab\rcr";
    d.preferredAp = {"0011223344AA", "", "A1B2C3D4E5F6", "FFFFFFFFFFFF"};
    d.mixedCells = 1;
    d.encryptionOn = 1;
    d.wpaMode = 1;
    d.eapOn = 1;
    d.txKeyIndex = 3;
    d.keyIsHex = 1;
    d.wepKey = {WcWepKey{"0102030405", 40}, WcWepKey{"abcdefghijklm", 104}, WcWepKey{"", 128}, WcWepKey{"k4", 40}};
    d.passphrase = std::string(64, 'F');
    d.passphraseBits = 256;
    d.reserved08C = "kept 08C";
    d.reserved090 = 0xDEADBEEF;
    d.securityType = WC_SECURITY_EAP_FAST;
    d.innerMethod = 2;
    d.userName = "user";
    d.password = "pa=ss # word";
    d.passwordBits = 96;
    d.fastCertificate = "cert-hash";
    d.useWindowsLogon = 1;
    d.domain = "CORP";
    d.loginName = "login";
    d.loginPassword = "\x01\x7F\xFF raw bytes";  // not UTF-8 and not printable
    d.loginPasswordBits = 72;
    d.certificate = "client cert";
    d.rootAuthority = "root CA";
    d.gtcStaticPassword = 1;
    d.autoPrompt = 1;
    d.manualPrompt = 2;
    d.noNetworkUntilLogon = 3;
    d.includeLogonDomain = 4;
    d.leapTimeout = 300;
    d.fastOldAuthority = "a b c";
    d.fastAutoProvisioning = 1;
    d.validateServer = 1;
    d.useMachineInfo = 1;
    d.alwaysUserAuth = 1;
    d.useSmartCard = 1;
    d.simCardName = "ATR#3B021450";
    d.fastSameGroup = 1;
    d.fastProvSameMethod = 1;
    d.fastProvUseWindowsLogon = 1;
    d.fastProvAutoPrompt = 1;
    d.fastProvManualPrompt = 1;
    d.fastNoNetworkUntilLogon = 1;
    d.fastProvIncludeLogonDomain = 1;
    d.reserved0EC = 12345;
    d.fastProvCertificate = "prov cert";
    d.fastProvRootAuthority = "prov root";
    d.fastProvDomain = "prov domain";
    d.fastProvLoginName = "prov login";
    d.fastProvGtcStaticPassword = 1;
    d.fastProvMethod = 1;
    d.fastProvUserName = "prov user";
    d.fastProvPassword = "prov pass";
    d.fastProvPasswordBits = -8;
    d.reserved114 = "kept 114";
    d.fastProvValidateServer = 1;
    d.fastMachineInfo = 1;
    d.fastAuthorities = {"auth-1", "", "auth \"3\""};
    d.authMode80211 = 3;
    d.reserved130 = {1, 2, 3, 4, 5, 6, 7, 0xFF};
    d.groupPolicyDelay = 65535;
    d.resumeSession = 1;
    d.locked = 1;
    d.limitDcTime = 1;
    d.dcTimeLimit = 300;
    d.lockTxPower = 1;
    d.roamingPolicy = 5;
    for (size_t i = 0; i < d.reserved14C.size(); ++i) d.reserved14C[i] = static_cast<uint8_t>(i * 7 + 1);
    return d;
}

const char kMinimal[] = "ZELVO-PROFILE 1\nprofileName = \"Min\"\nend\n";

}  // namespace

using ProfileFile = TestRoot;

TEST_F(ProfileFile, ExportAndImportKeepEveryField) {
    const WcProfileData original = EveryFieldSet();
    SimProfileManager store;
    WcProfile* p = Store(store, original);
    const std::string path = root_ + "/every.prf";
    ASSERT_EQ(store.ExportProfile(p, path, "exported for a test"), WC_STATUS_SUCCESS);
    EXPECT_EQ(ReadAll(path).rfind("ZELVO-PROFILE 1\n# exported for a test\n", 0), 0u);

    ASSERT_EQ(store.DeleteProfile(p), WC_STATUS_SUCCESS);
    WcProfile* imported = nullptr;
    ASSERT_EQ(store.ImportProfile(&imported, path), WC_STATUS_SUCCESS);
    ASSERT_NE(imported, nullptr);
    WcProfileData read;
    ASSERT_EQ(imported->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, original);

    // Each field on its own matters: a change to any of them shows in the file.
    WcProfileData other = original;
    other.reserved14C[95] ^= 1;
    EXPECT_NE(SimProfileFile::Format(other, ""), SimProfileFile::Format(original, ""));

    // Stored through the store file as well.
    SimProfileManager reopened(DataDir());
    WcProfile* again = nullptr;
    ASSERT_EQ(reopened.GetProfileByName(original.profileName, &again), WC_STATUS_SUCCESS);
    ASSERT_EQ(again->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, original);
}

TEST_F(ProfileFile, AbsentFieldsTakeTheDefaultsAndImportsAppend) {
    SimProfileManager store;
    Store(store, "First");
    const std::string path = root_ + "/min.prf";
    WriteAll(path, "ZELVO-PROFILE 1\r\n# hand written\r\n\r\n  profileName=\"Min\"  \r\nssid[0] = \"net\"\r\nend\r\n");
    WcProfile* p = nullptr;
    ASSERT_EQ(store.ImportProfile(&p, path), WC_STATUS_SUCCESS);
    WcProfileData expected = SimProfileManager::Defaults();
    expected.profileName = "Min";
    expected.ssid[0] = "net";
    WcProfileData read;
    ASSERT_EQ(p->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, expected);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"First", "Min"}));
}

TEST_F(ProfileFile, ExistingNameIsRefusedWith261) {
    SimProfileManager store;
    WcProfileData kept = Named("MIN");
    kept.ssid[0] = "kept";
    Store(store, kept);
    const std::string path = root_ + "/min.prf";
    WriteAll(path, kMinimal);
    WcProfile* p = reinterpret_cast<WcProfile*>(1);
    EXPECT_EQ(store.ImportProfile(&p, path), WC_STATUS_PROFILE_EXISTS);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(Names(store), (std::vector<std::string>{"MIN"}));
    WcProfile* found = nullptr;
    ASSERT_EQ(store.GetProfileByName("min", &found), WC_STATUS_SUCCESS);
    WcProfileData read;
    ASSERT_EQ(found->GetData(&read), WC_STATUS_SUCCESS);
    EXPECT_EQ(read, kept);
}

TEST_F(ProfileFile, MalformedFilesAreRefusedAndCreateNothing) {
    WcProfileData full = EveryFieldSet();
    full.profileName = "Full";
    const std::string good = SimProfileFile::Format(full, "");
    const std::string body = std::string(kMinimal).substr(16);  // after the header line
    struct Case {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"truncated in the middle", good.substr(0, good.size() / 2)},
        {"truncated before the end line", good.substr(0, good.size() - 4)},
        {"truncated inside a text", good.substr(0, good.find("two words") + 3)},
        {"oversized", "ZELVO-PROFILE 1\n" + std::string((1 << 20), '#') + "\n" + body},
        {"newer version", "ZELVO-PROFILE 2\n" + body},
        {"other file kind", "ZELVO-ADMIN-CONFIG 1\n" + body},
        {"binary", [] {
             std::string text = "ZELVO-PROFILE 1\nprofileName = \"A_B\"\nend\n";
             text[text.find('_')] = '\0';
             return text;
         }()},
        {"not UTF-8", "ZELVO-PROFILE 1\nprofileName = \"\xFF\xFE\"\nend\n"},
        {"duplicate key", "ZELVO-PROFILE 1\nprofileName = \"A\"\nprofileName = \"B\"\nend\n"},
        {"unknown key", "ZELVO-PROFILE 1\nprofileName = \"A\"\nbogus = 1\nend\n"},
        {"no name", "ZELVO-PROFILE 1\nssid[0] = \"x\"\nend\n"},
        {"empty name", "ZELVO-PROFILE 1\nprofileName = \"\"\nend\n"},
        {"name too long", "ZELVO-PROFILE 1\nprofileName = \"" + std::string(33, 'n') + "\"\nend\n"},
        {"number out of range", "ZELVO-PROFILE 1\nprofileName = \"A\"\nmixedCells = 256\nend\n"},
        {"negative unsigned", "ZELVO-PROFILE 1\nprofileName = \"A\"\ntxPowerA = -1\nend\n"},
        {"not a number", "ZELVO-PROFILE 1\nprofileName = \"A\"\nownerScope = two\nend\n"},
        {"unquoted text", "ZELVO-PROFILE 1\nprofileName = A\nend\n"},
        {"bad escape", "ZELVO-PROFILE 1\nprofileName = \"A\\q\"\nend\n"},
        {"short escape", "ZELVO-PROFILE 1\nprofileName = \"A\\x4\"\nend\n"},
        {"short byte string", "ZELVO-PROFILE 1\nprofileName = \"A\"\nreserved130 = 0102\nend\n"},
        {"gap in a list", "ZELVO-PROFILE 1\nprofileName = \"A\"\nfastAuthorities[1] = \"x\"\nend\n"},
        {"list entry twice", "ZELVO-PROFILE 1\nprofileName = \"A\"\nfastAuthorities[0] = \"x\"\nfastAuthorities[00] = \"y\"\nend\n"},
        {"text after the end", std::string(kMinimal) + "ssid[0] = \"late\"\n"},
        {"line without a value", "ZELVO-PROFILE 1\nprofileName = \"A\"\nssid[0]\nend\n"},
        {"profile block", "ZELVO-PROFILE 1\nprofile\nprofileName = \"A\"\nend profile\nend\n"},
    };
    SimProfileManager store;
    Store(store, "Existing");
    for (const Case& c : cases) {
        const std::string path = root_ + "/bad.prf";
        WriteAll(path, c.text);
        WcProfile* p = nullptr;
        EXPECT_EQ(store.ImportProfile(&p, path), WC_STATUS_BAD_FILE) << c.what;
        EXPECT_EQ(p, nullptr) << c.what;
        EXPECT_EQ(Names(store), (std::vector<std::string>{"Existing"})) << c.what;
    }
    WcProfile* p = nullptr;
    EXPECT_EQ(store.ImportProfile(&p, root_ + "/absent.prf"), WC_STATUS_NOT_FOUND);
    EXPECT_EQ(store.ImportProfile(&p, root_), WC_STATUS_BAD_FILE);  // a folder
    // The same good file is accepted, so the refusals above are about the damage.
    WriteAll(root_ + "/good.prf", good);
    EXPECT_EQ(store.ImportProfile(&p, root_ + "/good.prf"), WC_STATUS_SUCCESS);
}

TEST_F(ProfileFile, ExportRefusesWhatItCannotWrite) {
    SimProfileManager store;
    WcProfile* p = Store(store, "Office");
    EXPECT_EQ(store.ExportProfile(p, root_ + "/a.prf", "two\nlines"), WC_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(store.ExportProfile(p, "", ""), WC_STATUS_INVALID_ARGUMENT);
    EXPECT_EQ(store.ExportProfile(p, root_ + "/missing/dir/a.prf", ""), WC_STATUS_STORAGE_ERROR_WRITE);
    EXPECT_FALSE(std::filesystem::exists(root_ + "/a.prf"));
    ASSERT_EQ(store.DeleteProfile(p), WC_STATUS_SUCCESS);
    EXPECT_EQ(store.ExportProfile(p, root_ + "/a.prf", ""), WC_STATUS_NOT_FOUND);
}
