#pragma once
// Stateless services of the GUI library used by both deliverables. For now: the user-interface
// language and the search for translated resource libraries.
#include <string>
#include <vector>

class ResourceLibrary;

class WgHelper {
public:
    // Longest path a candidate library may have; longer candidates are skipped.
    static constexpr size_t MAX_PATH_LENGTH = 4096;

    // The user-interface language as a Windows language number (1033 English US, 1031 German...),
    // from the user's locale settings: LC_ALL, LC_MESSAGES, LANG in that order, with LANGUAGE taking
    // precedence unless the locale is C or POSIX. 1033 for C/POSIX or a language we do not know.
    static unsigned short DetectLanguage();
    // The Windows language number of one locale name ("de_DE.UTF-8", "pt_BR", "zh_TW", "C"...).
    static unsigned short LanguageFromLocaleName(const std::string& name);

    // The candidate files of a translated library, in search order: DIR/L/BASEloc.so,
    // DIR/P/BASEloc.so, DIR/BASElocL.so, DIR/BASElocP.so, DIR/BASEloc.so (P = L & 0x3FF, decimal).
    static std::vector<std::string> LocaleCandidates(unsigned short language, const std::string& base, const std::string& dir);
    // Loads the first candidate that loads as a resource library (it joins the resource chain);
    // null for a null base or directory or when none loads.
    static ResourceLibrary* LoadLocaleDependentDll(unsigned short language, const char* base, const char* dir);
};
