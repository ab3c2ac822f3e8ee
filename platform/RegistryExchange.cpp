#include "platform/RegistryExchange.h"

#include "platform/RegistryFileParser.h"
#include "platform/RegistryText.h"

LONG RegistryExchange::Import(const std::string& text, std::string& error) {
    const RegistryParseResult parsed = RegistryFileParser::Parse(text);
    if (parsed.problemCount > 0) {
        error = parsed.firstProblem;
        return ERROR_INVALID_DATA;
    }
    for (RegistryStore::Hive hive : {RegistryStore::Hive::LocalMachine, RegistryStore::Hive::CurrentUser}) {
        const std::string root = RegistryStore::RootName(hive);
        const auto belongs = [&](const RegistryEntry& entry) {
            const bool isValue = entry.kind == RegistryEntry::Kind::Value || entry.kind == RegistryEntry::Kind::DeleteValue;
            return (isValue ? parsed.entries[entry.key].root : entry.root) == root;
        };
        bool touched = false;
        for (const RegistryEntry& entry : parsed.entries) touched = touched || belongs(entry);
        if (!touched) continue;
        const LONG status = RegistryStore::Update(hive, [&](RegistryHive& current, bool& changed) {
            for (size_t i = 0; i < parsed.entries.size(); ++i) {
                if (!belongs(parsed.entries[i])) continue;
                current.Apply(parsed.entries, i);
                changed = true;
            }
            return ERROR_SUCCESS;
        });
        if (status != ERROR_SUCCESS) {
            error = root + ": " + (status == ERROR_ACCESS_DENIED ? "access is denied"
                                   : status == ERROR_REGISTRY_CORRUPT ? "the hive has problems and is not written"
                                                                      : "the hive could not be written");
            return status;
        }
    }
    return ERROR_SUCCESS;
}

LONG RegistryExchange::Export(RegistryStore::Hive hive, const std::string& path, std::string& text) {
    std::string stored;
    if (!RegistryText::NormaliseKeyPath(path, stored)) return ERROR_BAD_PATHNAME;
    RegistryHive current(RegistryStore::RootName(hive));
    const LONG status = RegistryStore::Read(hive, current);
    if (status != ERROR_SUCCESS) return status;
    return current.Export(stored, text) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}
