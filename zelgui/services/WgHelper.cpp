#include "zelgui/services/WgHelper.h"

#include <QLocale>
#include <QString>
#include <cstdlib>

#include "platform/ResourceChain.h"

namespace {

struct LanguageEntry {
    QLocale::Language language;
    QLocale::Territory territory;  // AnyTerritory: the language's default
    unsigned short id;
};

// Windows language numbers; the first entry of a language is its default.
const LanguageEntry kLanguages[] = {
    {QLocale::English, QLocale::UnitedStates, 1033},    {QLocale::English, QLocale::UnitedKingdom, 2057},
    {QLocale::English, QLocale::Australia, 3081},       {QLocale::English, QLocale::Canada, 4105},
    {QLocale::English, QLocale::NewZealand, 5129},      {QLocale::English, QLocale::Ireland, 6153},
    {QLocale::English, QLocale::SouthAfrica, 7177},     {QLocale::English, QLocale::India, 16393},
    {QLocale::German, QLocale::Germany, 1031},          {QLocale::German, QLocale::Switzerland, 2055},
    {QLocale::German, QLocale::Austria, 3079},          {QLocale::German, QLocale::Luxembourg, 4103},
    {QLocale::German, QLocale::Liechtenstein, 5127},    {QLocale::French, QLocale::France, 1036},
    {QLocale::French, QLocale::Belgium, 2060},          {QLocale::French, QLocale::Canada, 3084},
    {QLocale::French, QLocale::Switzerland, 4108},      {QLocale::French, QLocale::Luxembourg, 5132},
    {QLocale::Spanish, QLocale::Spain, 3082},           {QLocale::Spanish, QLocale::Mexico, 2058},
    {QLocale::Spanish, QLocale::Argentina, 11274},      {QLocale::Spanish, QLocale::Colombia, 9226},
    {QLocale::Spanish, QLocale::Chile, 13322},          {QLocale::Italian, QLocale::Italy, 1040},
    {QLocale::Italian, QLocale::Switzerland, 2064},     {QLocale::Japanese, QLocale::Japan, 1041},
    {QLocale::Korean, QLocale::SouthKorea, 1042},       {QLocale::Chinese, QLocale::China, 2052},
    {QLocale::Chinese, QLocale::Taiwan, 1028},          {QLocale::Chinese, QLocale::HongKong, 3076},
    {QLocale::Chinese, QLocale::Singapore, 4100},       {QLocale::Chinese, QLocale::Macao, 5124},
    {QLocale::Portuguese, QLocale::Brazil, 1046},       {QLocale::Portuguese, QLocale::Portugal, 2070},
    {QLocale::Dutch, QLocale::Netherlands, 1043},       {QLocale::Dutch, QLocale::Belgium, 2067},
    {QLocale::Danish, QLocale::Denmark, 1030},          {QLocale::Swedish, QLocale::Sweden, 1053},
    {QLocale::Swedish, QLocale::Finland, 2077},         {QLocale::NorwegianBokmal, QLocale::Norway, 1044},
    {QLocale::NorwegianNynorsk, QLocale::Norway, 2068}, {QLocale::Finnish, QLocale::Finland, 1035},
    {QLocale::Russian, QLocale::Russia, 1049},          {QLocale::Polish, QLocale::Poland, 1045},
    {QLocale::Czech, QLocale::CzechRepublic, 1029},     {QLocale::Slovak, QLocale::Slovakia, 1051},
    {QLocale::Hungarian, QLocale::Hungary, 1038},       {QLocale::Greek, QLocale::Greece, 1032},
    {QLocale::Turkish, QLocale::Turkey, 1055},          {QLocale::Hebrew, QLocale::Israel, 1037},
    {QLocale::Arabic, QLocale::SaudiArabia, 1025},      {QLocale::Arabic, QLocale::Egypt, 3073},
    {QLocale::Thai, QLocale::Thailand, 1054},           {QLocale::Ukrainian, QLocale::Ukraine, 1058},
    {QLocale::Romanian, QLocale::Romania, 1048},        {QLocale::Bulgarian, QLocale::Bulgaria, 1026},
    {QLocale::Croatian, QLocale::Croatia, 1050},        {QLocale::Slovenian, QLocale::Slovenia, 1060},
    {QLocale::Estonian, QLocale::Estonia, 1061},        {QLocale::Latvian, QLocale::Latvia, 1062},
    {QLocale::Lithuanian, QLocale::Lithuania, 1063},    {QLocale::Vietnamese, QLocale::Vietnam, 1066},
    {QLocale::Indonesian, QLocale::Indonesia, 1057},    {QLocale::Catalan, QLocale::Spain, 1027},
};

constexpr unsigned short ENGLISH_US = 1033;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool IsPlainCLocale(const std::string& name) {
    std::string base = name.substr(0, name.find_first_of(".@"));
    return base.empty() || base == "C" || base == "POSIX";
}

}  // namespace

unsigned short WgHelper::LanguageFromLocaleName(const std::string& name) {
    if (IsPlainCLocale(name)) return ENGLISH_US;
    // QLocale reads "ll_TT" (and script forms like zh_Hant); encoding and modifier are not part of it.
    std::string base = name.substr(0, name.find_first_of(".@"));
    QLocale locale(QString::fromStdString(base));
    if (locale.language() == QLocale::C) return ENGLISH_US;
    const LanguageEntry* fallback = nullptr;
    for (const LanguageEntry& entry : kLanguages) {
        if (entry.language != locale.language()) continue;
        if (entry.territory == locale.territory()) return entry.id;
        if (!fallback) fallback = &entry;
    }
    return fallback ? fallback->id : ENGLISH_US;
}

unsigned short WgHelper::DetectLanguage() {
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = Environment(name);
        if (!locale.empty()) break;
    }
    if (IsPlainCLocale(locale)) return ENGLISH_US;
    // LANGUAGE lists preferred translations, first one first (the GNU convention).
    std::string preferred = Environment("LANGUAGE");
    preferred = preferred.substr(0, preferred.find(':'));
    return LanguageFromLocaleName(preferred.empty() ? locale : preferred);
}

std::vector<std::string> WgHelper::LocaleCandidates(unsigned short language, const std::string& base, const std::string& dir) {
    const std::string l = std::to_string(language);
    const std::string p = std::to_string(language & 0x3FF);
    return {
        dir + "/" + l + "/" + base + "loc.so",
        dir + "/" + p + "/" + base + "loc.so",
        dir + "/" + base + "loc" + l + ".so",
        dir + "/" + base + "loc" + p + ".so",
        dir + "/" + base + "loc.so",
    };
}

ResourceLibrary* WgHelper::LoadLocaleDependentDll(unsigned short language, const char* base, const char* dir) {
    if (!base || !dir) return nullptr;
    for (const std::string& candidate : LocaleCandidates(language, base, dir)) {
        if (candidate.size() >= MAX_PATH_LENGTH) continue;
        if (ResourceLibrary* library = ResourceChain::Instance().Load(candidate)) return library;
    }
    return nullptr;
}
