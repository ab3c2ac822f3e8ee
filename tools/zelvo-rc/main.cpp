// zelvo-rc: turns resource sources (string tables, menus, picture lists) into one C++ source that
// defines a ZelResourceModule. The build compiles that source into a resource library or into a
// deliverable's own table. Source formats are described in resources/README.md.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct MenuEntry {
    int kind;  // 0 command, 1 separator, 2 popup, 3 end
    uint32_t id;
    std::string text;
};

struct Image {
    uint32_t id;
    uint32_t width;
    uint32_t height;
    std::vector<unsigned char> data;
};

struct Module {
    std::map<uint32_t, std::string> strings;
    std::map<uint32_t, std::vector<MenuEntry>> menus;
    std::vector<Image> icons;
    std::vector<Image> bitmaps;
};

struct Location {
    std::string file;
    int line;
};

bool Fail(const Location& at, const std::string& what) {
    std::fprintf(stderr, "%s:%d: %s\n", at.file.c_str(), at.line, what.c_str());
    return false;
}

// Splits a line into words; a quoted word keeps its blanks and takes the escapes \n \t \\ \".
bool Tokenize(const std::string& line, const Location& at, std::vector<std::string>& words, std::vector<bool>& quoted) {
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        if (c == '#') break;
        if (c == '"') {
            std::string text;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                char d = line[i++];
                if (d == '"') {
                    closed = true;
                    break;
                }
                if (d == '\\') {
                    if (i >= line.size()) return Fail(at, "escape at end of line");
                    char e = line[i++];
                    switch (e) {
                        case 'n': text += '\n'; break;
                        case 't': text += '\t'; break;
                        case '\\': text += '\\'; break;
                        case '"': text += '"'; break;
                        default: return Fail(at, std::string("unknown escape \\") + e);
                    }
                } else {
                    text += d;
                }
            }
            if (!closed) return Fail(at, "unterminated text");
            words.push_back(text);
            quoted.push_back(true);
            continue;
        }
        size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '"') ++i;
        words.push_back(line.substr(start, i - start));
        quoted.push_back(false);
    }
    return true;
}

bool ParseId(const std::string& word, const Location& at, uint32_t& id) {
    if (word.empty() || word.size() > 9 || !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return Fail(at, "expected a number, found '" + word + "'");
    id = static_cast<uint32_t>(std::stoul(word));
    return true;
}

bool ReadLines(const std::string& file, std::vector<std::string>& lines) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open\n", file.c_str());
        return false;
    }
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return true;
}

bool ParseStrings(const std::string& file, Module& module) {
    std::vector<std::string> lines;
    if (!ReadLines(file, lines)) return false;
    for (size_t n = 0; n < lines.size(); ++n) {
        Location at{file, static_cast<int>(n + 1)};
        std::vector<std::string> words;
        std::vector<bool> quoted;
        if (!Tokenize(lines[n], at, words, quoted)) return false;
        if (words.empty()) continue;
        uint32_t id = 0;
        if (words.size() != 2 || quoted[0] || !quoted[1]) return Fail(at, "expected: ID \"text\"");
        if (!ParseId(words[0], at, id)) return false;
        if (!module.strings.emplace(id, words[1]).second) return Fail(at, "string " + words[0] + " given twice");
    }
    return true;
}

bool ParseMenus(const std::string& file, Module& module) {
    std::vector<std::string> lines;
    if (!ReadLines(file, lines)) return false;
    std::vector<MenuEntry>* current = nullptr;
    int depth = 0;
    Location opened{file, 0};
    for (size_t n = 0; n < lines.size(); ++n) {
        Location at{file, static_cast<int>(n + 1)};
        std::vector<std::string> words;
        std::vector<bool> quoted;
        if (!Tokenize(lines[n], at, words, quoted)) return false;
        if (words.empty()) continue;
        const std::string& key = words[0];
        uint32_t id = 0;
        if (key == "MENU") {
            if (current) return Fail(at, "MENU inside a menu");
            if (words.size() != 2 || !ParseId(words[1], at, id)) return Fail(at, "expected: MENU ID");
            auto inserted = module.menus.emplace(id, std::vector<MenuEntry>());
            if (!inserted.second) return Fail(at, "menu " + words[1] + " given twice");
            current = &inserted.first->second;
            depth = 0;
            opened = at;
        } else if (!current) {
            return Fail(at, "'" + key + "' outside a menu");
        } else if (key == "POPUP") {
            if (words.size() != 2 || !quoted[1]) return Fail(at, "expected: POPUP \"text\"");
            current->push_back({2, 0, words[1]});
            ++depth;
        } else if (key == "ITEM") {
            if (words.size() != 3 || !ParseId(words[1], at, id) || !quoted[2]) return Fail(at, "expected: ITEM ID \"text\"");
            current->push_back({0, id, words[2]});
        } else if (key == "SEPARATOR") {
            if (words.size() != 1) return Fail(at, "SEPARATOR takes nothing");
            current->push_back({1, 0, std::string()});
        } else if (key == "END") {
            if (words.size() != 1) return Fail(at, "END takes nothing");
            if (depth == 0) {
                current = nullptr;
            } else {
                current->push_back({3, 0, std::string()});
                --depth;
            }
        } else {
            return Fail(at, "unknown word '" + key + "'");
        }
    }
    if (current) return Fail(opened, "menu not closed with END");
    return true;
}

bool ReadPng(const std::string& path, const Location& at, Image& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(at, "cannot open picture " + path);
    image.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (image.data.size() < 24 || std::memcmp(image.data.data(), signature, 8) != 0 || std::memcmp(image.data.data() + 12, "IHDR", 4) != 0)
        return Fail(at, path + " is not a PNG picture");
    auto be32 = [&](size_t o) {
        return (uint32_t(image.data[o]) << 24) | (uint32_t(image.data[o + 1]) << 16) | (uint32_t(image.data[o + 2]) << 8) | uint32_t(image.data[o + 3]);
    };
    image.width = be32(16);
    image.height = be32(20);
    if (image.width == 0 || image.height == 0 || image.width > 4096 || image.height > 4096) return Fail(at, path + " has an unusable size");
    return true;
}

bool ParseImages(const std::string& file, Module& module) {
    std::vector<std::string> lines;
    if (!ReadLines(file, lines)) return false;
    std::string dir = file.find('/') == std::string::npos ? std::string(".") : file.substr(0, file.rfind('/'));
    for (size_t n = 0; n < lines.size(); ++n) {
        Location at{file, static_cast<int>(n + 1)};
        std::vector<std::string> words;
        std::vector<bool> quoted;
        if (!Tokenize(lines[n], at, words, quoted)) return false;
        if (words.empty()) continue;
        uint32_t id = 0;
        bool icon = words[0] == "ICON";
        if (!icon && words[0] != "BITMAP") return Fail(at, "expected ICON or BITMAP");
        if (words.size() < 3 || !ParseId(words[1], at, id)) return Fail(at, "expected: " + words[0] + " ID FILE...");
        if (!icon && words.size() != 3) return Fail(at, "a bitmap has one file");
        std::vector<Image>& list = icon ? module.icons : module.bitmaps;
        if (std::any_of(list.begin(), list.end(), [&](const Image& i) { return i.id == id; }))
            return Fail(at, words[0] + " " + words[1] + " given twice");
        for (size_t w = 2; w < words.size(); ++w) {
            Image image;
            image.id = id;
            std::string path = words[w][0] == '/' ? words[w] : dir + "/" + words[w];
            if (!ReadPng(path, at, image)) return false;
            for (const Image& other : list)
                if (other.id == id && other.width == image.width) return Fail(at, "two pictures of one size for " + words[1]);
            list.push_back(std::move(image));
        }
    }
    return true;
}

std::string CText(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c < 0x20 || c >= 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\%03o", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void WriteImages(std::ostringstream& out, const char* prefix, std::vector<Image>& images) {
    std::sort(images.begin(), images.end(), [](const Image& a, const Image& b) { return a.id != b.id ? a.id < b.id : a.width < b.width; });
    for (size_t i = 0; i < images.size(); ++i) {
        out << "const unsigned char " << prefix << "Data" << i << "[] = {";
        for (size_t b = 0; b < images[i].data.size(); ++b) out << (b % 24 == 0 ? "\n    " : "") << unsigned(images[i].data[b]) << ',';
        out << "\n};\n";
    }
    out << "const ZelResImage " << prefix << "s[] = {\n";
    for (size_t i = 0; i < images.size(); ++i)
        out << "    {" << images[i].id << "u, " << images[i].width << "u, " << images[i].height << "u, " << prefix << "Data" << i << ", "
            << images[i].data.size() << "u},\n";
    if (images.empty()) out << "    {0u, 0u, 0u, nullptr, 0u},\n";
    out << "};\n";
}

std::string Generate(Module& module, const std::string& name, uint32_t rank, uint32_t language, const std::string& entry) {
    std::ostringstream out;
    out << "// Generated by zelvo-rc from the resource sources; edit those instead.\n"
        << "#include \"platform/ResourceModule.h\"\n\nnamespace {\n\n";
    out << "const ZelResString kStrings[] = {\n";
    for (const auto& [id, text] : module.strings) out << "    {" << id << "u, " << CText(text) << "},\n";
    if (module.strings.empty()) out << "    {0u, \"\"},\n";
    out << "};\n";
    size_t index = 0;
    for (const auto& [id, entries] : module.menus) {
        out << "const ZelResMenuEntry kMenu" << index++ << "[] = {\n";
        for (const MenuEntry& e : entries)
            out << "    {" << e.kind << "u, " << e.id << "u, " << (e.kind == 0 || e.kind == 2 ? CText(e.text) : std::string("nullptr")) << "},\n";
        if (entries.empty()) out << "    {3u, 0u, nullptr},\n";
        out << "};\n";
    }
    out << "const ZelResMenu kMenus[] = {\n";
    index = 0;
    for (const auto& [id, entries] : module.menus) out << "    {" << id << "u, kMenu" << index++ << ", " << entries.size() << "u},\n";
    if (module.menus.empty()) out << "    {0u, nullptr, 0u},\n";
    out << "};\n";
    WriteImages(out, "kIcon", module.icons);
    WriteImages(out, "kBitmap", module.bitmaps);
    out << "\nconst ZelResourceModule kModule = {\n"
        << "    ZEL_RESOURCE_MAGIC, ZEL_RESOURCE_VERSION, " << CText(name) << ", " << rank << "u, " << language << "u,\n"
        << "    kStrings, " << module.strings.size() << "u, kMenus, " << module.menus.size() << "u,\n"
        << "    kIcons, " << module.icons.size() << "u, kBitmaps, " << module.bitmaps.size() << "u,\n};\n\n}  // namespace\n\n";
    if (entry.empty())
        out << "extern \"C\" __attribute__((visibility(\"default\"))) const ZelResourceModule* ZelResourceModuleGet(void) { return &kModule; }\n";
    else
        out << "__attribute__((visibility(\"hidden\"))) const ZelResourceModule* " << entry << "() { return &kModule; }\n";
    return out.str();
}

int Usage() {
    std::fprintf(stderr,
                 "usage: zelvo-rc --output FILE.cpp --name NAME --rank oem|program-locale|program|library-locale|library\n"
                 "                [--language NUMBER] [--entry FUNCTION] SOURCE.strings|SOURCE.menu|SOURCE.images...\n");
    return 2;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string output, name, entry;
    int rank = -1;
    uint32_t language = 0;
    std::vector<std::string> inputs;
    static const char* const ranks[] = {"oem", "program-locale", "program", "library-locale", "library"};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--output" && hasValue) {
            output = argv[++i];
        } else if (arg == "--name" && hasValue) {
            name = argv[++i];
        } else if (arg == "--entry" && hasValue) {
            entry = argv[++i];
        } else if (arg == "--language" && hasValue) {
            uint32_t value = 0;
            if (!ParseId(argv[++i], {"command line", 0}, value) || value > 0xFFFF) return Usage();
            language = value;
        } else if (arg == "--rank" && hasValue) {
            std::string value = argv[++i];
            for (int r = 0; r < 5; ++r)
                if (value == ranks[r]) rank = r;
            if (rank < 0) return Usage();
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage();
        } else {
            inputs.push_back(arg);
        }
    }
    if (output.empty() || name.empty() || rank < 0) return Usage();

    Module module;
    for (const std::string& input : inputs) {
        bool ok = EndsWith(input, ".strings") ? ParseStrings(input, module)
                  : EndsWith(input, ".menu")  ? ParseMenus(input, module)
                  : EndsWith(input, ".images") ? ParseImages(input, module)
                                               : Fail({input, 0}, "unknown kind of source");
        if (!ok) return 1;
    }
    std::string text = Generate(module, name, static_cast<uint32_t>(rank), language, entry);
    // Write beside and rename, so an interrupted build never leaves half a source behind.
    std::string temporary = output + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::fprintf(stderr, "%s: cannot write\n", temporary.c_str());
            return 1;
        }
    }
    if (std::rename(temporary.c_str(), output.c_str()) != 0) {
        std::fprintf(stderr, "%s: cannot write\n", output.c_str());
        return 1;
    }
    return 0;
}
