#include "tools/zelvo-reg/RegCommand.h"

#include "platform/Registry.h"
#include "platform/RegistryExchange.h"
#include "platform/RegistryFileParser.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryText.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

struct RegCommand::Options {
    std::string operation;
    std::vector<std::string> positional;
    bool hasName = false;  // /v or /ve
    std::string name;
    bool allValues = false;  // /va
    bool hasType = false;
    std::string type;
    bool hasData = false;
    std::string data;
    bool force = false;  // /f
    bool overwrite = false;  // /y
};

namespace {

const char* kSuccess = "The operation completed successfully.";

struct KeyName {
    RegistryStore::Hive hive = RegistryStore::Hive::LocalMachine;
    HKEY root = nullptr;
    std::string path;  // stored form
    std::string Display() const {
        std::string text = RegistryStore::RootName(hive);
        if (!path.empty()) text += "\\" + path;
        return text;
    }
};

bool ParseKey(const std::string& text, KeyName& key) {
    const size_t slash = text.find('\\');
    const std::string root = RegistryFileParser::CanonicalRoot(std::string_view(text).substr(0, slash));
    if (root.empty()) return false;
    key.hive = root == "HKEY_LOCAL_MACHINE" ? RegistryStore::Hive::LocalMachine : RegistryStore::Hive::CurrentUser;
    key.root = key.hive == RegistryStore::Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (slash == std::string::npos) {
        key.path.clear();
        return true;
    }
    const std::string rest = text.substr(slash + 1);
    if (rest.empty() || rest[0] == '\\') return false;
    return RegistryText::NormaliseKeyPath(rest, key.path);
}

const char* TypeName(DWORD type) {
    switch (type) {
    case REG_NONE: return "REG_NONE";
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_BINARY: return "REG_BINARY";
    case REG_DWORD: return "REG_DWORD";
    case 5: return "REG_DWORD_BIG_ENDIAN";
    case 6: return "REG_LINK";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_QWORD: return "REG_QWORD";
    default: return "REG_UNKNOWN";
    }
}

bool TypeFromName(const std::string& name, DWORD& type) {
    for (DWORD candidate : {REG_SZ, REG_EXPAND_SZ, REG_DWORD, REG_BINARY}) {
        if (RegistryText::EqualNoCase(name, TypeName(candidate))) {
            type = candidate;
            return true;
        }
    }
    return false;
}

std::string HexBytes(const std::vector<BYTE>& data) {
    std::string text;
    char pair[3];
    for (BYTE b : data) {
        std::snprintf(pair, sizeof(pair), "%02X", b);
        text += pair;
    }
    return text;
}

std::string FormatData(DWORD type, const std::vector<BYTE>& data) {
    char number[24];
    if ((type == REG_SZ || type == REG_EXPAND_SZ)) return RegistryText::Utf16LeToUtf8(data.data(), data.size());
    if (type == REG_DWORD && data.size() == 4) {
        const DWORD v = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
        std::snprintf(number, sizeof(number), "0x%x", v);
        return number;
    }
    if (type == REG_QWORD && data.size() == 8) {
        unsigned long long v = 0;
        for (int i = 7; i >= 0; --i) v = (v << 8) | data[static_cast<size_t>(i)];
        std::snprintf(number, sizeof(number), "0x%llx", v);
        return number;
    }
    if (type == REG_MULTI_SZ) {
        // Items separated by a visible \0, as the stored form separates them by NULs.
        std::string text;
        size_t start = 0;
        while (start + 1 < data.size()) {
            std::string item = RegistryText::Utf16LeToUtf8(data.data() + start, data.size() - start);
            std::vector<BYTE> units;
            RegistryText::AppendUtf16Le(item, units);
            if (item.empty()) break;
            if (!text.empty()) text += "\\0";
            text += item;
            start += units.size() + 2;
        }
        return text;
    }
    return HexBytes(data);
}

bool ParseDword(const std::string& text, DWORD& value) {
    if (text.empty()) return false;
    unsigned long long v = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        if (text.size() > 10) return false;
        for (size_t i = 2; i < text.size(); ++i) {
            const char c = text[i];
            int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (d < 0) return false;
            v = v * 16 + static_cast<unsigned>(d);
        }
    } else {
        if (text.size() > 10) return false;
        for (char c : text) {
            if (c < '0' || c > '9') return false;
            v = v * 10 + static_cast<unsigned>(c - '0');
        }
        if (v > 0xFFFFFFFFull) return false;
    }
    value = static_cast<DWORD>(v);
    return true;
}

bool ParseBinary(const std::string& text, std::vector<BYTE>& out) {
    if (text.size() % 2 != 0) return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        unsigned value = 0;
        for (size_t j = 0; j < 2; ++j) {
            const char c = text[i + j];
            const int d = (c >= '0' && c <= '9') ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (d < 0) return false;
            value = value * 16 + static_cast<unsigned>(d);
        }
        out.push_back(static_cast<BYTE>(value));
    }
    return true;
}

// Closes a handle when it goes out of scope.
class HandleGuard {
public:
    HandleGuard() = default;
    ~HandleGuard() {
        if (m_key) RegCloseKey(m_key);
    }
    HandleGuard(const HandleGuard&) = delete;
    HandleGuard& operator=(const HandleGuard&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

bool ReadValue(HKEY key, DWORD index, std::string& name, DWORD& type, std::vector<BYTE>& data, LONG& status) {
    std::vector<char> nameBuffer(REG_MAX_VALUE_NAME + 1);
    DWORD nameSize = static_cast<DWORD>(nameBuffer.size());
    DWORD size = 0;
    status = RegEnumValue(key, index, nameBuffer.data(), &nameSize, nullptr, &type, nullptr, &size);
    if (status != ERROR_SUCCESS) return false;
    data.resize(size);
    nameSize = static_cast<DWORD>(nameBuffer.size());
    status = RegEnumValue(key, index, nameBuffer.data(), &nameSize, nullptr, &type, data.data(), &size);
    if (status != ERROR_SUCCESS) return false;
    data.resize(size);
    name.assign(nameBuffer.data(), nameSize);
    return true;
}

}  // namespace

int RegCommand::Fail(const std::string& reason) {
    m_err << "ERROR: " << reason << "\n";
    return 1;
}

int RegCommand::FailStatus(long status) {
    switch (status) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_KEY_DELETED:
        return Fail("The system was unable to find the specified registry key or value.");
    case ERROR_ACCESS_DENIED:
        return Fail("Access is denied.");
    case ERROR_REGISTRY_CORRUPT:
        return Fail("The hive has problems and is not written (" + RegistryStore::LastProblem() + ").");
    case ERROR_BAD_PATHNAME:
        return Fail("Invalid key name.");
    case ERROR_INVALID_PARAMETER:
        return Fail("Invalid parameter.");
    case ERROR_DISK_FULL:
        return Fail("There is not enough space on the disk.");
    default:
        return Fail("The registry operation failed (status " + std::to_string(status) + ").");
    }
}

int RegCommand::Run(const std::vector<std::string>& args) {
    const char* usage = "Invalid syntax. Use query, add, delete, import or export.";
    if (args.empty()) return Fail(usage);
    Options options;
    options.operation = args[0];
    for (char& c : options.operation) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // "/name" is a switch unless it is a path ("/tmp/x.reg"), since files here start with '/'.
        const bool looksLikeSwitch =
            arg.size() >= 2 && (arg[0] == '-' || (arg[0] == '/' && arg.find('/', 1) == std::string::npos));
        if (!looksLikeSwitch) {
            options.positional.push_back(arg);
            continue;
        }
        std::string flag = arg.substr(1);
        for (char& c : flag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const bool takesValue = flag == "v" || flag == "t" || flag == "d";
        if (takesValue && i + 1 >= args.size()) return Fail("Invalid syntax: " + arg + " needs a value.");
        if (flag == "v" || flag == "ve") {
            if (options.hasName || options.allValues) return Fail("Invalid syntax: more than one value name.");
            options.hasName = true;
            if (flag == "v") options.name = args[++i];
        } else if (flag == "va") {
            if (options.hasName) return Fail("Invalid syntax: more than one value name.");
            options.allValues = true;
        } else if (flag == "t") {
            if (options.hasType) return Fail("Invalid syntax: more than one /t.");
            options.hasType = true;
            options.type = args[++i];
        } else if (flag == "d") {
            if (options.hasData) return Fail("Invalid syntax: more than one /d.");
            options.hasData = true;
            options.data = args[++i];
        } else if (flag == "f") {
            options.force = true;
        } else if (flag == "y") {
            options.overwrite = true;
        } else {
            return Fail("Invalid syntax: unknown switch " + arg + ".");
        }
    }
    if (options.operation == "query") return Query(options);
    if (options.operation == "add") return Add(options);
    if (options.operation == "delete") return Delete(options);
    if (options.operation == "import") return Import(options);
    if (options.operation == "export") return Export(options);
    return Fail(usage);
}

int RegCommand::Query(const Options& options) {
    if (options.positional.size() != 1 || options.hasType || options.hasData || options.allValues)
        return Fail("Invalid syntax. Use: query KEY [/v NAME | /ve]");
    KeyName name;
    if (!ParseKey(options.positional[0], name)) return Fail("Invalid key name.");
    HandleGuard key;
    LONG status = RegOpenKeyEx(name.root, name.path.c_str(), 0, KEY_READ, key.Out());
    if (status != ERROR_SUCCESS) return FailStatus(status);

    std::ostringstream text;
    text << "\n" << name.Display() << "\n";
    bool found = !options.hasName;
    for (DWORD index = 0;; ++index) {
        std::string valueName;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
        if (!ReadValue(key.Get(), index, valueName, type, data, status)) {
            if (status != ERROR_NO_MORE_ITEMS) return FailStatus(status);
            break;
        }
        if (options.hasName && !RegistryText::EqualNoCase(valueName, options.name)) continue;
        found = true;
        text << "    " << (valueName.empty() ? "(Default)" : valueName) << "    " << TypeName(type) << "    "
             << FormatData(type, data) << "\n";
    }
    if (!found) return FailStatus(ERROR_FILE_NOT_FOUND);
    text << "\n";
    if (!options.hasName) {
        std::vector<char> subkey(REG_MAX_KEY_NAME + 1);
        for (DWORD index = 0;; ++index) {
            DWORD size = static_cast<DWORD>(subkey.size());
            status = RegEnumKeyEx(key.Get(), index, subkey.data(), &size);
            if (status != ERROR_SUCCESS) break;
            text << name.Display() << "\\" << std::string(subkey.data(), size) << "\n";
        }
    }
    m_out << text.str();
    // What is shown is what could be read; say so when the hive file has problems.
    RegistryHive hive(RegistryStore::RootName(name.hive));
    if (RegistryStore::Read(name.hive, hive) == ERROR_SUCCESS && !hive.Clean())
        m_err << "WARNING: the hive file has problems (" << hive.Problem() << "); shown is what could be read.\n";
    return 0;
}

int RegCommand::Add(const Options& options) {
    if (options.positional.size() != 1 || options.allValues || options.overwrite)
        return Fail("Invalid syntax. Use: add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]");
    KeyName name;
    if (!ParseKey(options.positional[0], name) || name.path.empty()) return Fail("Invalid key name.");
    const bool setsValue = options.hasName || options.hasType || options.hasData;
    DWORD type = REG_SZ;
    if (options.hasType && !TypeFromName(options.type, type))
        return Fail("Invalid type " + options.type + ": use REG_SZ, REG_EXPAND_SZ, REG_DWORD or REG_BINARY.");
    std::vector<BYTE> data;
    if (type == REG_DWORD) {
        DWORD value = 0;
        if (!ParseDword(options.data, value))
            return Fail("Invalid data for REG_DWORD: give a number from 0 to 4294967295, decimal or 0x hex.");
        data = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                static_cast<BYTE>(value >> 24)};
    } else if (type == REG_BINARY) {
        if (!ParseBinary(options.data, data)) return Fail("Invalid data for REG_BINARY: give pairs of hex digits.");
    } else {
        if (!RegistryText::AppendUtf16Le(options.data, data)) return Fail("Invalid data: the text is not UTF-8.");
        data.push_back(0);
        data.push_back(0);
    }
    if (setsValue && !RegistryText::IsValidValueName(options.name)) return Fail("Invalid value name.");

    HandleGuard key;
    LONG status = RegCreateKeyEx(name.root, name.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 setsValue ? KEY_ALL_ACCESS : KEY_READ, nullptr, key.Out(), nullptr);
    if (status != ERROR_SUCCESS) return FailStatus(status);
    if (setsValue) {
        DWORD size = 0;
        const bool exists = RegQueryValueEx(key.Get(), options.name.c_str(), nullptr, nullptr, nullptr, &size) ==
                            ERROR_SUCCESS;
        if (exists && !options.force)
            return Fail("Value " + (options.name.empty() ? std::string("(Default)") : options.name) +
                        " exists; add /f to overwrite it.");
        status = RegSetValueEx(key.Get(), options.name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
        if (status != ERROR_SUCCESS) return FailStatus(status);
    }
    m_out << kSuccess << "\n";
    return 0;
}

int RegCommand::Delete(const Options& options) {
    if (options.positional.size() != 1 || options.hasType || options.hasData || options.overwrite)
        return Fail("Invalid syntax. Use: delete KEY [/v NAME | /ve | /va] /f");
    KeyName name;
    if (!ParseKey(options.positional[0], name)) return Fail("Invalid key name.");
    if (!options.force) return Fail("Deleting needs /f.");
    if (!options.hasName && !options.allValues) {
        if (name.path.empty()) return Fail("Invalid key name: a root key cannot be deleted.");
        const LONG status = RegDeleteTree(name.root, name.path.c_str());
        if (status != ERROR_SUCCESS) return FailStatus(status);
        m_out << kSuccess << "\n";
        return 0;
    }
    HandleGuard key;
    LONG status = RegOpenKeyEx(name.root, name.path.c_str(), 0, KEY_ALL_ACCESS, key.Out());
    if (status != ERROR_SUCCESS) return FailStatus(status);
    if (options.hasName) {
        status = RegDeleteValue(key.Get(), options.name.c_str());
        if (status != ERROR_SUCCESS) return FailStatus(status);
    } else {
        // Deleting from the front: the next value moves to index 0.
        while (true) {
            std::string valueName;
            DWORD type = REG_NONE;
            std::vector<BYTE> data;
            if (!ReadValue(key.Get(), 0, valueName, type, data, status)) break;
            status = RegDeleteValue(key.Get(), valueName.c_str());
            if (status != ERROR_SUCCESS) return FailStatus(status);
        }
        if (status != ERROR_NO_MORE_ITEMS) return FailStatus(status);
    }
    m_out << kSuccess << "\n";
    return 0;
}

int RegCommand::Import(const Options& options) {
    if (options.positional.size() != 1 || options.hasName || options.hasType || options.hasData ||
        options.allValues || options.force || options.overwrite)
        return Fail("Invalid syntax. Use: import FILE");
    const std::string& file = options.positional[0];
    std::ifstream in(file, std::ios::binary);
    if (!in) return Fail("Cannot open " + file + ": " + std::strerror(errno) + ".");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return Fail("Cannot read " + file + ".");
    if (text.size() > REG_MAX_HIVE_FILE) return Fail(file + " is too large.");
    std::string error;
    const LONG status = RegistryExchange::Import(text, error);
    if (status == ERROR_INVALID_DATA) return Fail(file + " is not a valid registry file (" + error + "); nothing was imported.");
    if (status != ERROR_SUCCESS) return Fail("Import failed: " + error + ".");
    m_out << kSuccess << "\n";
    return 0;
}

int RegCommand::Export(const Options& options) {
    if (options.positional.size() != 2 || options.hasName || options.hasType || options.hasData ||
        options.allValues || options.force)
        return Fail("Invalid syntax. Use: export KEY FILE [/y]");
    KeyName name;
    if (!ParseKey(options.positional[0], name)) return Fail("Invalid key name.");
    const std::string& file = options.positional[1];
    std::string text;
    const LONG status = RegistryExchange::Export(name.hive, name.path, text);
    if (status != ERROR_SUCCESS) return FailStatus(status);
    if (!options.overwrite && access(file.c_str(), F_OK) == 0) return Fail(file + " exists; add /y to overwrite it.");
    // Written beside the target and renamed over it, so a failed export never leaves half a file.
    std::string temp = file + ".XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return Fail("Cannot write " + file + ": " + std::strerror(errno) + ".");
    size_t done = 0;
    int error = fchmod(fd, 0644) == 0 ? 0 : errno;
    while (!error && done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) error = n < 0 ? errno : EIO;
        else done += static_cast<size_t>(n);
    }
    if (!error && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (!error && rename(temp.c_str(), file.c_str()) != 0) error = errno;
    if (error) {
        unlink(temp.c_str());
        return Fail("Cannot write " + file + ": " + std::strerror(error) + ".");
    }
    m_out << kSuccess << "\n";
    return 0;
}
