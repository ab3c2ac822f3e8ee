#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

class ResourceCompiler : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/zelvo-rc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_root = pattern;
        setenv("ZELVO_ROOT", m_root.c_str(), 1);
    }
    void TearDown() override {
        fs::remove_all(m_root);
        unsetenv("ZELVO_ROOT");
    }

    std::string Write(const std::string& name, const std::string& text) {
        fs::path path = fs::path(m_root) / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // Runs the compiler; returns its exit status and leaves its messages in m_messages.
    int Run(const std::string& arguments) {
        std::string messages = m_root + "/messages.txt";
        std::string command = std::string(ZELVO_RC) + " " + arguments + " >" + messages + " 2>&1";
        int status = std::system(command.c_str());
        std::ifstream in(messages);
        std::stringstream all;
        all << in.rdbuf();
        m_messages = all.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Output() const { return m_root + "/out.cpp"; }
    std::string Compile(const std::string& source) { return "--output " + Output() + " --name t --rank oem " + source; }

    std::string m_root;
    std::string m_messages;
};

TEST_F(ResourceCompiler, BadSourcesAreReportedWithTheirLine) {
    // The head of a 16 by 16 PNG: all the compiler reads of a picture.
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0", 29);
    Write("a.png", png);
    Write("b.png", png);
    Write("text.png", "not a picture at all, just words");
    const struct {
        const char* file;
        const char* text;
        const char* message;
    } cases[] = {
        {"s.strings", "8100 Zelvo\n", "s.strings:1: expected: ID \"text\""},
        {"s.strings", "1 \"a\"\n# note\n1 \"b\"\n", "s.strings:3: string 1 given twice"},
        {"s.strings", "x1 \"a\"\n", "s.strings:1: expected a number"},
        {"s.strings", "1 \"open\n", "s.strings:1: unterminated text"},
        {"s.strings", "1 \"bad \\q\"\n", "s.strings:1: unknown escape \\q"},
        {"s.strings", "1 \"a\" \"b\"\n", "s.strings:1: expected: ID \"text\""},
        {"m.menu", "ITEM 5 \"x\"\n", "m.menu:1: 'ITEM' outside a menu"},
        {"m.menu", "MENU 1\nPOPUP \"a\"\nEND\n", "m.menu:1: menu not closed with END"},
        {"m.menu", "MENU 1\nEND\nMENU 1\nEND\n", "m.menu:3: menu 1 given twice"},
        {"m.menu", "MENU 1\nITEM x \"a\"\nEND\n", "m.menu:2: expected a number"},
        {"m.menu", "MENU 1\nBUTTON 5 \"a\"\nEND\n", "m.menu:2: unknown word 'BUTTON'"},
        {"i.images", "ICON 5 missing.png\n", "i.images:1: cannot open picture"},
        {"i.images", "ICON 5 text.png\n", "text.png is not a PNG picture"},
        {"i.images", "ICON 5 a.png b.png\n", "i.images:1: two pictures of one size for 5"},
        {"i.images", "BITMAP 5 a.png b.png\n", "i.images:1: a bitmap has one file"},
        {"i.images", "PICTURE 5 a.png\n", "i.images:1: expected ICON or BITMAP"},
        {"x.txt", "1 \"a\"\n", "x.txt:0: unknown kind of source"},
    };
    for (const auto& c : cases) {
        fs::remove(Output());
        std::string source = Write(c.file, c.text);
        EXPECT_EQ(Run(Compile(source)), 1) << c.text;
        EXPECT_NE(m_messages.find(c.message), std::string::npos) << c.text << " gave: " << m_messages;
        EXPECT_FALSE(fs::exists(Output())) << c.text;
    }
}

TEST_F(ResourceCompiler, BadCommandLinesShowUsage) {
    std::string source = Write("s.strings", "1 \"a\"\n");
    const std::string cases[] = {
        "--output " + Output() + " --name t " + source,                 // no rank
        "--output " + Output() + " --name t --rank best " + source,     // unknown rank
        "--name t --rank oem " + source,                                 // no output
        Compile(source) + " --language 70000",                           // not a language number
        Compile(source) + " --verbose",
    };
    for (const std::string& arguments : cases) {
        EXPECT_EQ(Run(arguments), 2) << arguments;
        EXPECT_NE(m_messages.find("usage:"), std::string::npos) << arguments;
    }
}

TEST_F(ResourceCompiler, TextsAreWrittenAsCLiterals) {
    std::string strings = Write("s.strings", "2 \"tab\\there \\\"quoted\\\" back\\\\slash\\nline\"\n1 \"Größe 1\"\n");
    std::string menu = Write("m.menu", "MENU 7\nPOPUP \"P\"\nITEM 3 \"&Go\"\nSEPARATOR\nEND\nEND\n");
    ASSERT_EQ(Run(Compile(strings + " " + menu) + " --language 1031"), 0) << m_messages;
    std::ifstream in(Output());
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    const char* expected[] = {
        "{1u, \"Gr\\303\\266\\303\\237e 1\"}",                                // UTF-8 kept byte for byte
        "{2u, \"tab\\011here \\\"quoted\\\" back\\\\slash\\nline\"}",           // sorted by number
        "{2u, 0u, \"P\"}", "{0u, 3u, \"&Go\"}", "{1u, 0u, nullptr}", "{3u, 0u, nullptr}",
        "{7u, kMenu0, 4u}",
        "\"t\", 0u, 1031u",
        "ZelResourceModuleGet",
    };
    for (const char* piece : expected) EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    EXPECT_LT(text.find("{1u, \"Gr"), text.find("{2u, \"tab"));
}

}  // namespace
