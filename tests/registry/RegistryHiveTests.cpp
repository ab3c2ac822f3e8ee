// The hive text format: what is read, what is written back, and how damaged files are handled.
#include "platform/RegistryHive.h"
#include "platform/RegistryText.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <sstream>

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";

std::vector<BYTE> Utf16(const std::string& text, bool terminate = true) {
    std::vector<BYTE> out;
    EXPECT_TRUE(RegistryText::AppendUtf16Le(text, out));
    if (terminate) out.insert(out.end(), {0, 0});
    return out;
}

const RegistryValue* Value(const RegistryHive& hive, const std::string& key, const std::string& name) {
    const RegistryKey* found = hive.FindKey(key);
    return found ? RegistryHive::FindValue(*found, name) : nullptr;
}

TEST(RegistryHiveFormat, CanonicalTextsRoundTripUnchanged) {
    const std::vector<std::string> bodies = {
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n\"Number\"=dword:0000000a\n\"Text\"=\"plain\"\n\n",
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n\"Quote \\\"and\\\\ slash\"=\"C:\\\\dir\\\\\\\"x\\\"\"\n\n",
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n@=\"default\"\n\"Empty\"=\"\"\n\"Bin\"=hex:\n\n",
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A]\n\"Expand\"=hex(2):25,00,41,00,25,00,00,00\n\"Multi\"=hex(7):61,00,00,00,00,00\n"
        "\"Q\"=hex(b):01,00,00,00,00,00,00,00\n\"Short\"=hex(4):01,02\n\"Raw\"=hex(1):41,00,0a,00,00,00\n\n",
        "[HKEY_LOCAL_MACHINE]\n\"AtRoot\"=dword:ffffffff\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\n\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Ünïcode ключ]\n\"名前\"=\"値 ✓\"\n\n",
    };
    for (const std::string& body : bodies) {
        RegistryHive hive("HKEY_LOCAL_MACHINE");
        EXPECT_TRUE(hive.Load(kHeader + body)) << body << hive.Problem();
        EXPECT_EQ(hive.Serialise(), kHeader + body);
    }
}

TEST(RegistryHiveFormat, ReadsEachValueForm) {
    struct Case {
        std::string line;
        DWORD type;
        std::vector<BYTE> data;
    };
    const std::vector<Case> cases = {
        {"\"v\"=dword:0000000a", REG_DWORD, {10, 0, 0, 0}},
        {"\"v\"=DWORD:A", REG_DWORD, {10, 0, 0, 0}},
        {"\"v\"=dword:FFFFFFFF", REG_DWORD, {255, 255, 255, 255}},
        {"\"v\"=\"a\\\\b\\\"c\"", REG_SZ, Utf16("a\\b\"c")},
        {"\"v\"=\"C:\\Windows\"", REG_SZ, Utf16("C:\\Windows")},  // hand-written, unescaped
        {"\"v\" = \"spaced\"  ", REG_SZ, Utf16("spaced")},
        {"\"v\"=hex:01,02,\\\n   03,04", REG_BINARY, {1, 2, 3, 4}},
        {"\"v\"=hex:", REG_BINARY, {}},
        {"\"v\"=hex(2):25,00,00,00", REG_EXPAND_SZ, {0x25, 0, 0, 0}},
        {"\"v\"=hex(0):", REG_NONE, {}},
    };
    for (const Case& c : cases) {
        for (const char* eol : {"\n", "\r\n"}) {
            std::string line = c.line;
            for (size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at + 2))
                line.replace(at, 1, eol);
            RegistryHive hive("HKEY_LOCAL_MACHINE");
            EXPECT_TRUE(hive.Load(std::string("Windows Registry Editor Version 5.00") + eol + "[HKEY_LOCAL_MACHINE\\K]" +
                                  eol + line + eol))
                << c.line << ": " << hive.Problem();
            const RegistryValue* value = Value(hive, "K", "v");
            ASSERT_NE(value, nullptr) << c.line;
            EXPECT_EQ(value->type, c.type) << c.line;
            EXPECT_EQ(value->data, c.data) << c.line;
        }
    }
}

TEST(RegistryHiveFormat, ReadsByteOrderMarkedFiles) {
    const std::string text = "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=\"é\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (BYTE b : Utf16(text, false)) utf16 += static_cast<char>(b);
    for (const std::string& file : {"\xEF\xBB\xBF" + text, utf16}) {
        RegistryHive hive("HKEY_CURRENT_USER");
        EXPECT_TRUE(hive.Load(file)) << hive.Problem();
        const RegistryValue* value = Value(hive, "k", "V");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->data, Utf16("é"));
    }
}

TEST(RegistryHiveFormat, LongBinaryValuesWrapIntoShortContinuationLines) {
    std::vector<BYTE> data(300);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 7);
    RegistryHive hive("HKEY_LOCAL_MACHINE");
    bool created = false;
    RegistryHive::SetValue(hive.CreateKey("K", created), "Long", REG_BINARY, data);
    const std::string text = hive.Serialise();
    std::istringstream lines(text);
    std::string line;
    size_t continued = 0;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u) << line;
        if (!line.empty() && line.back() == '\\') ++continued;
    }
    EXPECT_GE(continued, 10u);
    RegistryHive again("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(again.Load(text)) << again.Problem();
    EXPECT_EQ(Value(again, "K", "Long")->data, data);
}

// Texts that a quoted string cannot carry are written as raw bytes and come back unchanged.
TEST(RegistryHiveFormat, UnquotableTextsKeepTheirBytes) {
    const std::vector<std::vector<BYTE>> datas = {
        Utf16("two\nlines"), Utf16("no terminator", false), {'a', 0, 0, 0, 'b', 0, 0, 0}, {'a', 0, 'b'},
        {0x00, 0xD8, 0, 0},  // lone surrogate
    };
    for (const auto& data : datas) {
        RegistryHive hive("HKEY_LOCAL_MACHINE");
        bool created = false;
        RegistryHive::SetValue(hive.CreateKey("K", created), "v", REG_SZ, data);
        RegistryHive again("HKEY_LOCAL_MACHINE");
        ASSERT_TRUE(again.Load(hive.Serialise())) << again.Problem();
        const RegistryValue* value = Value(again, "K", "v");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, REG_SZ);
        EXPECT_EQ(value->data, data);
    }
}

TEST(RegistryHiveModel, NamesIgnoreCaseAndKeepSpellingAndOrder) {
    RegistryHive hive("HKEY_LOCAL_MACHINE");
    bool created = false;
    RegistryKey& key = hive.CreateKey("Software\\Kovanta\\Settings", created);
    EXPECT_TRUE(created);
    for (const char* name : {"Gamma", "Alpha", "Beta"}) RegistryHive::SetValue(key, name, REG_DWORD, {1, 0, 0, 0});
    RegistryHive::SetValue(*hive.FindKey("SOFTWARE\\KOVANTA\\settings"), "ALPHA", REG_DWORD, {2, 0, 0, 0});
    hive.CreateKey("software\\kovanta\\SETTINGS", created);
    EXPECT_FALSE(created);

    RegistryHive again("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(again.Load(hive.Serialise()));
    const RegistryKey* loaded = again.FindKey("software\\KOVANTA\\Settings");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->path, "Software\\Kovanta\\Settings");
    ASSERT_EQ(loaded->values.size(), 3u);
    EXPECT_EQ(loaded->values[0].name, "Gamma");
    EXPECT_EQ(loaded->values[1].name, "Alpha");
    EXPECT_EQ(loaded->values[1].data[0], 2);
    EXPECT_EQ(loaded->values[2].name, "Beta");
    // Parents were created too, so the file lists them.
    EXPECT_NE(again.FindKey("Software"), nullptr);
    EXPECT_NE(again.FindKey("Software\\Kovanta"), nullptr);
}

TEST(RegistryHiveModel, KeysImpliedBySubkeysExistAndExportTakesTheSubtree) {
    RegistryHive hive("HKEY_LOCAL_MACHINE");
    ASSERT_TRUE(hive.Load(kHeader + "[HKEY_LOCAL_MACHINE\\A\\B\\C]\n\"v\"=dword:00000001\n\n"
                                    "[HKEY_LOCAL_MACHINE\\A\\D]\n\n[HKEY_LOCAL_MACHINE\\AB]\n\n"));
    EXPECT_TRUE(hive.KeyExists("a"));
    EXPECT_TRUE(hive.KeyExists("A\\b"));
    EXPECT_FALSE(hive.KeyExists("A\\C"));
    EXPECT_EQ(hive.SubkeyNames("A"), (std::vector<std::string> {"B", "D"}));
    EXPECT_EQ(hive.SubkeyNames(""), (std::vector<std::string> {"A", "AB"}));

    std::string text;
    ASSERT_TRUE(hive.Export("A", text));
    EXPECT_EQ(text, kHeader + "[HKEY_LOCAL_MACHINE\\A]\n\n[HKEY_LOCAL_MACHINE\\A\\B\\C]\n\"v\"=dword:00000001\n\n"
                              "[HKEY_LOCAL_MACHINE\\A\\D]\n\n");
    EXPECT_FALSE(hive.Export("Missing", text));

    EXPECT_TRUE(hive.DeleteTree("a\\b"));
    EXPECT_FALSE(hive.KeyExists("A\\B\\C"));
    EXPECT_TRUE(hive.KeyExists("A\\D"));
    EXPECT_TRUE(hive.KeyExists("AB"));
}

// Damaged text: read as far as it is valid, say what was wrong, and hold only what can be
// written back cleanly.
TEST(RegistryHiveHostile, DamagedTextKeepsTheValidPartAndReportsTheProblem) {
    struct Case {
        std::string name;
        std::string text;
        std::string problem;
    };
    const std::string start = kHeader + "[HKEY_LOCAL_MACHINE\\K]\n\"Keep\"=dword:00000001\n";
    std::string huge = start + "\"big\"=hex:";
    for (size_t i = 0; i < REG_MAX_VALUE_DATA + 10; ++i) huge += "00,";
    huge += "00\n";
    std::string hugeWrapped = start + "\"big\"=hex:";
    for (size_t i = 0; i < REG_MAX_VALUE_DATA / 20 + 100; ++i) hugeWrapped += "00,00,00,00,00,00,00,00,00,00,\\\n  "
                                                                            "00,00,00,00,00,00,00,00,00,00,\\\n  ";
    hugeWrapped += "00\n\"after\"=dword:00000002\n";
    const std::vector<Case> cases = {
        {"truncated continuation", start + "\"b\"=hex:01,02,\\\n", "line 5: truncated value"},
        {"unknown type", start + "\"q\"=qword:1\n", "line 5: unknown value type"},
        {"unterminated text", start + "\"t\"=\"abc\n", "line 5: unterminated text"},
        {"NUL byte", start + std::string("\"n\"=\"a\0b\"\n", 10), "line 5: NUL character"},
        {"long dword", start + "\"d\"=dword:123456789\n", "line 5: bad dword"},
        {"no header", "[HKEY_LOCAL_MACHINE\\K]\n\"Keep\"=dword:1\n", "line 1: missing header"},
        {"other root", start + "[HKEY_CURRENT_USER\\X]\n\"v\"=dword:1\n", "line 5: key of another root"},
        {"value outside key", kHeader + "\"v\"=dword:1\n[HKEY_LOCAL_MACHINE\\K]\n\"Keep\"=dword:1\n",
         "line 3: value outside a key"},
        {"huge value", huge, "line 5: value too large"},
        {"huge wrapped value", hugeWrapped, "line 5: value too large"},
        {"bad utf-8", start + "\"u\"=\"\xff\"\n", "line 5: text is not UTF-8"},
        {"empty key component", start + "[HKEY_LOCAL_MACHINE\\a\\\\b]\n", "line 5: bad key name"},
        {"key deletion", start + "[-HKEY_LOCAL_MACHINE\\K]\n", "line 5: deletion in a hive file"},
        {"value deletion", start + "\"Keep\"=-\n", "line 5: deletion in a hive file"},
    };
    for (const Case& c : cases) {
        RegistryHive hive("HKEY_LOCAL_MACHINE");
        EXPECT_FALSE(hive.Load(c.text)) << c.name;
        EXPECT_EQ(hive.Problem().substr(0, c.problem.size()), c.problem) << c.name << ": " << hive.Problem();
        EXPECT_NE(Value(hive, "K", "Keep"), nullptr) << c.name;
        RegistryHive again("HKEY_LOCAL_MACHINE");
        EXPECT_TRUE(again.Load(hive.Serialise())) << c.name << ": " << again.Problem();
    }
}

TEST(RegistryHiveHostile, CorpusFilesNeverLoadCleanAndKeepWhatPrecedesTheDamage) {
    DIR* dir = opendir(HOSTILE_DIR);
    ASSERT_NE(dir, nullptr);
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir))
        if (std::string(entry->d_name).find(".reg") != std::string::npos) names.push_back(entry->d_name);
    closedir(dir);
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        std::ifstream in(std::string(HOSTILE_DIR) + "/" + name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        RegistryHive hive("HKEY_LOCAL_MACHINE");
        EXPECT_FALSE(hive.Load(text.str())) << name;
        EXPECT_FALSE(hive.Problem().empty()) << name;
        const RegistryValue* keep = Value(hive, "SOFTWARE\\Test", "Keep");
        ASSERT_NE(keep, nullptr) << name;
        EXPECT_EQ(keep->data, (std::vector<BYTE> {1, 0, 0, 0})) << name;
        RegistryHive again("HKEY_LOCAL_MACHINE");
        EXPECT_TRUE(again.Load(hive.Serialise())) << name << ": " << again.Problem();
    }
}

}  // namespace
