#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "ResourceTestSupport.h"
#include "zelgui/services/WgHelper.h"

namespace fs = std::filesystem;

namespace {

TEST(WgHelperLocale, CandidatesInSearchOrder) {
    EXPECT_EQ(WgHelper::LocaleCandidates(1031, "zelgui", "/s"),
              (std::vector<std::string>{"/s/1031/zelguiloc.so", "/s/7/zelguiloc.so", "/s/zelguiloc1031.so", "/s/zelguiloc7.so",
                                        "/s/zelguiloc.so"}));
    EXPECT_EQ(WgHelper::LocaleCandidates(3082, "Zelvo", "/a b")[3], "/a b/Zelvoloc10.so");
}

TEST_F(ResourceTest, FirstLoadableCandidateWins) {
    const std::string library = BinDir() + "/zelguiloc7.so";
    ASSERT_TRUE(fs::exists(library));
    const struct {
        unsigned short language;
        std::vector<std::string> files;  // "!" in front: a file that is not a library
        const char* expected;            // relative to the case's folder; empty: none loads
    } cases[] = {
        {1031, {"1031/zelguiloc.so", "7/zelguiloc.so", "zelguiloc1031.so", "zelguiloc7.so", "zelguiloc.so"}, "1031/zelguiloc.so"},
        {1031, {"7/zelguiloc.so", "zelguiloc7.so", "zelguiloc.so"}, "7/zelguiloc.so"},
        {1031, {"zelguiloc1031.so", "zelguiloc7.so"}, "zelguiloc1031.so"},
        {1033, {"zelguiloc9.so", "zelguiloc.so"}, "zelguiloc9.so"},  // no 1033 or 9 folder, no zelguiloc1033.so
        {1033, {"zelguiloc.so"}, "zelguiloc.so"},
        {3082, {"zelguiloc10.so"}, "zelguiloc10.so"},
        {1031, {"!1031/zelguiloc.so", "!zelguiloc1031.so", "zelguiloc7.so"}, "zelguiloc7.so"},
        {1031, {"zelguiloc1033.so", "9/zelguiloc.so"}, ""},  // other languages only
        {1031, {}, ""},
    };
    int index = 0;
    for (const auto& c : cases) {
        fs::path dir = fs::path(m_root) / std::to_string(index++);
        for (std::string file : c.files) {
            bool junk = file[0] == '!';
            if (junk) file.erase(0, 1);
            fs::create_directories((dir / file).parent_path());
            if (junk)
                std::ofstream(dir / file) << "not a library";
            else
                fs::copy_file(library, dir / file);
        }
        ResourceLibrary* loaded = WgHelper::LoadLocaleDependentDll(c.language, "zelgui", dir.c_str());
        if (*c.expected == '\0') {
            EXPECT_EQ(loaded, nullptr) << "case " << index;
            continue;
        }
        ASSERT_NE(loaded, nullptr) << "case " << index;
        EXPECT_EQ(loaded->Path(), (dir / c.expected).string()) << "case " << index;
        EXPECT_TRUE(ResourceChain::Instance().Contains(loaded));
        EXPECT_EQ(ResourceChain::Instance().LoadString(27), "Schwach");  // it joined the chain
        ResourceChain::Instance().Unload(loaded);
    }
}

TEST_F(ResourceTest, LocaleSearchRefusesWhatItCannotUse) {
    EXPECT_EQ(WgHelper::LoadLocaleDependentDll(1031, nullptr, BinDir().c_str()), nullptr);
    EXPECT_EQ(WgHelper::LoadLocaleDependentDll(1031, "zelgui", nullptr), nullptr);
    // A folder so long that no candidate fits the path limit is no error, just no library.
    std::string deep = m_root + "/" + std::string(WgHelper::MAX_PATH_LENGTH, 'd');
    EXPECT_EQ(WgHelper::LoadLocaleDependentDll(1031, "zelgui", deep.c_str()), nullptr);
}

TEST_F(ResourceTest, GermanLibraryTranslatesMainWindowAndStatusPage) {
    WmResources::Register();
    ResourceChain& chain = ResourceChain::Instance();
    const unsigned ids[] = {115, 116, 117, 118, 139, 140, 141, 142, 2204, 2350, 2351, 2352, 2353, 2354,
                            2355, 2356, 2357, 2358, 2359, 2360, 2361, 26, 31, 52, 62};
    std::map<unsigned, QString> english;
    for (unsigned id : ids) english[id] = chain.LoadString(id);

    ResourceLibrary* german = WgHelper::LoadLocaleDependentDll(1031, "Zelvo", BinDir().c_str());
    ASSERT_NE(german, nullptr);
    EXPECT_EQ(fs::path(german->Path()).filename(), "Zelvoloc7.so");
    EXPECT_EQ(german->Language(), 1031u);
    for (unsigned id : ids) {
        QString text = chain.LoadString(id);
        EXPECT_FALSE(text.trimmed().isEmpty()) << id;
        EXPECT_NE(text, english[id]) << id;
    }
    EXPECT_EQ(chain.LoadString(2350), "Aktueller Status");
    EXPECT_EQ(chain.LoadString(2356), QString::fromUtf8("Signalstärke:"));
    EXPECT_EQ(chain.LoadString(112), "oemres");
    EXPECT_EQ(chain.LoadString(2519), "Select the software application to control your wireless device");  // not translated

    ResourceMenu bar;
    ASSERT_TRUE(chain.LoadMenu(129, bar));
    EXPECT_EQ(bar.Popup(0)->text, "&Aktion");
    ASSERT_NE(bar.FindCommand(32784), nullptr);
    EXPECT_EQ(bar.FindCommand(32784)->text, QString::fromUtf8("&Info über %s"));

    ASSERT_TRUE(chain.Unload(german));
    EXPECT_EQ(chain.LoadString(2350), "Current Status");
}

class EnvironmentGuard {
public:
    EnvironmentGuard() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            m_saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
            unsetenv(name);
        }
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    static constexpr const char* kNames[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

TEST(WgHelperLocale, DetectLanguageFromTheUsersLocale) {
    const struct {
        const char* language;
        const char* all;
        const char* messages;
        const char* lang;
        unsigned short expected;
    } cases[] = {
        {nullptr, nullptr, nullptr, nullptr, 1033},
        {nullptr, "C", nullptr, "de_DE.UTF-8", 1033},
        {nullptr, "POSIX", nullptr, nullptr, 1033},
        {nullptr, "C.UTF-8", nullptr, nullptr, 1033},
        {nullptr, nullptr, nullptr, "de_DE.UTF-8", 1031},
        {nullptr, nullptr, nullptr, "de_AT.UTF-8", 3079},
        {nullptr, nullptr, nullptr, "de", 1031},
        {nullptr, nullptr, nullptr, "en_US.UTF-8", 1033},
        {nullptr, nullptr, nullptr, "en_GB.UTF-8", 2057},
        {nullptr, nullptr, nullptr, "fr_FR.UTF-8", 1036},
        {nullptr, nullptr, nullptr, "fr_CA", 3084},
        {nullptr, nullptr, nullptr, "es_ES.UTF-8", 3082},
        {nullptr, nullptr, nullptr, "it_IT", 1040},
        {nullptr, nullptr, nullptr, "ja_JP.UTF-8", 1041},
        {nullptr, nullptr, nullptr, "zh_CN.UTF-8", 2052},
        {nullptr, nullptr, nullptr, "zh_TW.UTF-8", 1028},
        {nullptr, nullptr, nullptr, "pt_BR.UTF-8", 1046},
        {nullptr, nullptr, nullptr, "pt_PT.UTF-8", 2070},
        {nullptr, nullptr, nullptr, "nl_NL.UTF-8@euro", 1043},
        {nullptr, nullptr, nullptr, "xx_YY", 1033},
        {nullptr, "de_DE.UTF-8", "fr_FR.UTF-8", "it_IT.UTF-8", 1031},  // LC_ALL first
        {nullptr, nullptr, "fr_FR.UTF-8", "de_DE.UTF-8", 1036},        // then LC_MESSAGES
        {"fr:de", nullptr, nullptr, "de_DE.UTF-8", 1036},              // LANGUAGE names the translation
        {"fr", "C", nullptr, nullptr, 1033},                           // but not for the C locale
    };
    for (const auto& c : cases) {
        EnvironmentGuard guard;
        const char* values[] = {c.language, c.all, c.messages, c.lang};
        for (int i = 0; i < 4; ++i)
            if (values[i]) setenv(EnvironmentGuard::kNames[i], values[i], 1);
        EXPECT_EQ(WgHelper::DetectLanguage(), c.expected)
            << (c.language ? c.language : "-") << " " << (c.all ? c.all : "-") << " " << (c.messages ? c.messages : "-") << " "
            << (c.lang ? c.lang : "-");
    }
}

}  // namespace
