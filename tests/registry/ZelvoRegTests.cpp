// The zelvo-reg command, run as the built program.
#include "tests/registry/RegistryTestSupport.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Hive = RegistryStore::Hive;

struct Result {
    int exit = -1;
    std::string out;
    std::string err;
};

class ZelvoReg : public RegistryTest {
protected:
    Result Run(const std::vector<std::string>& args) {
        const std::string outFile = Root() + "/stdout.txt";
        const std::string errFile = Root() + "/stderr.txt";
        std::vector<char*> argv;
        std::string program = ZELVO_REG_BIN;
        argv.push_back(program.data());
        std::vector<std::string> copies = args;
        for (std::string& arg : copies) argv.push_back(arg.data());
        argv.push_back(nullptr);
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(out, 1);
            dup2(err, 2);
            execv(argv[0], argv.data());
            _exit(127);
        }
        Result result;
        int status = 0;
        waitpid(pid, &status, 0);
        result.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadText(outFile);
        result.err = ReadText(errFile);
        return result;
    }

    void ExpectOk(const std::vector<std::string>& args) {
        const Result result = Run(args);
        EXPECT_EQ(result.exit, 0) << args[0] << " " << (args.size() > 1 ? args[1] : "") << ": " << result.err;
        EXPECT_EQ(result.err, "");
    }
};

TEST_F(ZelvoReg, QueryPrintsTheKeyItsValuesAndSubkeys) {
    WriteHive(Hive::LocalMachine,
              "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n@=\"default\"\n"
              "\"Number\"=dword:0000001f\n\"Text\"=\"a \\\"b\\\"\"\n\"Path\"=hex(2):25,00,41,00,25,00,00,00\n"
              "\"Bytes\"=hex:01,ab,ff\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Sub]\n");
    Result all = Run({"query", "HKLM\\Software\\Test"});
    EXPECT_EQ(all.exit, 0);
    // The key is shown as the caller spelled it.
    EXPECT_EQ(all.out, "\nHKEY_LOCAL_MACHINE\\Software\\Test\n"
                       "    (Default)    REG_SZ    default\n"
                       "    Number    REG_DWORD    0x1f\n"
                       "    Text    REG_SZ    a \"b\"\n"
                       "    Path    REG_EXPAND_SZ    %A%\n"
                       "    Bytes    REG_BINARY    01ABFF\n"
                       "\nHKEY_LOCAL_MACHINE\\Software\\Test\\Sub\n");
    EXPECT_EQ(all.err, "");

    Result one = Run({"query", "HKEY_LOCAL_MACHINE\\SOFTWARE\\TEST", "/v", "number"});
    EXPECT_EQ(one.exit, 0);
    EXPECT_EQ(one.out, "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\TEST\n    Number    REG_DWORD    0x1f\n\n");
    Result def = Run({"query", "HKLM\\SOFTWARE\\Test", "/ve"});
    EXPECT_EQ(def.out, "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Test\n    (Default)    REG_SZ    default\n\n");
}

TEST_F(ZelvoReg, AddStoresEachTypeFromItsDataForm) {
    struct Case {
        std::vector<std::string> add;
        std::string shown;
    };
    const std::vector<Case> cases = {
        {{"/v", "Dec", "/t", "REG_DWORD", "/d", "10"}, "    Dec    REG_DWORD    0xa\n"},
        {{"/v", "Hex", "/t", "reg_dword", "/d", "0xFFFFFFFF"}, "    Hex    REG_DWORD    0xffffffff\n"},
        {{"/v", "Max", "/t", "REG_DWORD", "/d", "4294967295"}, "    Max    REG_DWORD    0xffffffff\n"},
        {{"/v", "Bin", "/t", "REG_BINARY", "/d", "00ff7A"}, "    Bin    REG_BINARY    00FF7A\n"},
        {{"/v", "NoBin", "/t", "REG_BINARY"}, "    NoBin    REG_BINARY    \n"},
        {{"/v", "Text", "/d", "with spaces é"}, "    Text    REG_SZ    with spaces é\n"},
        {{"/v", "Exp", "/t", "REG_EXPAND_SZ", "/d", "%SystemRoot%\\x"}, "    Exp    REG_EXPAND_SZ    %SystemRoot%\\x\n"},
        {{"/ve", "/d", "def"}, "    (Default)    REG_SZ    def\n"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"add", "HKCU\\Software\\T"};
        args.insert(args.end(), c.add.begin(), c.add.end());
        const Result added = Run(args);
        EXPECT_EQ(added.exit, 0) << added.err;
        EXPECT_EQ(added.out, "The operation completed successfully.\n");
        std::vector<std::string> query = {"query", "HKCU\\Software\\T"};
        if (c.add[0] == "/ve") query.push_back("/ve");
        else query.insert(query.end(), {"/v", c.add[1]});
        const Result shown = Run(query);
        EXPECT_EQ(shown.out, "\nHKEY_CURRENT_USER\\Software\\T\n" + c.shown + "\n") << c.add[1];
    }
}

TEST_F(ZelvoReg, FailuresExitOneWithOneLineOfReason) {
    WriteHive(Hive::LocalMachine, "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:1\n");
    WriteText(Root() + "/exists.reg", "x");
    WriteText(Root() + "/bad.reg", "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\New]\n\"a\"=dword:1\n"
                                   "\"b\"=nonsense\n");
    const std::string before = ReadText(HivePath(Hive::LocalMachine));
    struct Case {
        std::vector<std::string> args;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {{}, "Invalid syntax"},
        {{"frobnicate"}, "Invalid syntax"},
        {{"query", "HKLM\\Missing"}, "unable to find"},
        {{"query", "HKLM\\K", "/v", "missing"}, "unable to find"},
        {{"query", "HKXX\\K"}, "Invalid key name"},
        {{"query", "HKLM\\K", "/v"}, "needs a value"},
        {{"query", "HKLM\\K", "/q"}, "unknown switch"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_QWORD", "/d", "1"}, "Invalid type"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_DWORD", "/d", "12x"}, "Invalid data for REG_DWORD"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_DWORD", "/d", "-1"}, "Invalid data for REG_DWORD"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_DWORD", "/d", "4294967296"}, "Invalid data for REG_DWORD"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_DWORD", "/d", "0x123456789"}, "Invalid data for REG_DWORD"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_DWORD"}, "Invalid data for REG_DWORD"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_BINARY", "/d", "abc"}, "Invalid data for REG_BINARY"},
        {{"add", "HKLM\\K", "/v", "n", "/t", "REG_BINARY", "/d", "zz"}, "Invalid data for REG_BINARY"},
        {{"add", "HKLM\\K", "/v", "v", "/t", "REG_DWORD", "/d", "2"}, "exists; add /f"},
        {{"add", "HKLM", "/v", "v", "/d", "2"}, "Invalid key name"},
        {{"delete", "HKLM\\K", "/v", "v"}, "needs /f"},
        {{"delete", "HKLM\\K", "/v", "missing", "/f"}, "unable to find"},
        {{"delete", "HKLM", "/f"}, "root key"},
        {{"import", Root() + "/none.reg"}, "Cannot open"},
        {{"import", Root() + "/bad.reg"}, "not a valid registry file (line 5: unknown value type)"},
        {{"export", "HKLM\\K", Root() + "/exists.reg"}, "exists; add /y"},
        {{"export", "HKLM\\Missing", Root() + "/new.reg"}, "unable to find"},
    };
    for (const Case& c : cases) {
        const Result result = Run(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        EXPECT_EQ(result.exit, 1) << what;
        EXPECT_EQ(result.out, "") << what;
        EXPECT_EQ(result.err.rfind("ERROR: ", 0), 0u) << what << ": " << result.err;
        EXPECT_NE(result.err.find(c.reason), std::string::npos) << what << ": " << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << what << ": " << result.err;
    }
    EXPECT_EQ(ReadText(HivePath(Hive::LocalMachine)), before);
    EXPECT_EQ(ReadText(Root() + "/exists.reg"), "x");
}

TEST_F(ZelvoReg, WritesToAReadOnlyOrDamagedHiveFail) {
    WriteHive(Hive::LocalMachine, "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:1\n");
    setenv("ZELVO_READONLY_HIVES", "HKLM", 1);
    Result denied = Run({"add", "HKLM\\K", "/v", "w", "/t", "REG_DWORD", "/d", "1"});
    EXPECT_EQ(denied.exit, 1);
    EXPECT_EQ(denied.err, "ERROR: Access is denied.\n");
    EXPECT_EQ(Run({"query", "HKLM\\K", "/v", "v"}).exit, 0);
    unsetenv("ZELVO_READONLY_HIVES");

    WriteHive(Hive::LocalMachine, "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\K]\n\"v\"=dword:1\n\"x\"=junk\n");
    Result damaged = Run({"add", "HKLM\\K", "/v", "w", "/t", "REG_DWORD", "/d", "1"});
    EXPECT_EQ(damaged.exit, 1);
    EXPECT_NE(damaged.err.find("problems and is not written"), std::string::npos) << damaged.err;
    Result read = Run({"query", "HKLM\\K", "/v", "v"});
    EXPECT_EQ(read.exit, 0);
    EXPECT_EQ(read.out, "\nHKEY_LOCAL_MACHINE\\K\n    v    REG_DWORD    0x1\n\n");
    EXPECT_NE(read.err.find("WARNING"), std::string::npos);
}

TEST_F(ZelvoReg, ExportDeleteImportGivesBackTheSameTree) {
    ExpectOk({"add", "HKLM\\SOFTWARE\\Test", "/v", "Number", "/t", "REG_DWORD", "/d", "0x10"});
    ExpectOk({"add", "HKLM\\SOFTWARE\\Test", "/v", "Quote \"\\ me", "/d", "C:\\dir \"x\""});
    ExpectOk({"add", "HKLM\\SOFTWARE\\Test\\Sub", "/v", "Bytes", "/t", "REG_BINARY", "/d", "0001feff"});
    ExpectOk({"add", "HKLM\\SOFTWARE\\Test\\Sub\\Deeper", "/v", "Exp", "/t", "REG_EXPAND_SZ", "/d", "%X%"});
    ExpectOk({"add", "HKLM\\SOFTWARE\\Other", "/v", "Stay", "/t", "REG_DWORD", "/d", "1"});
    const std::string first = Root() + "/first.reg";
    const std::string second = Root() + "/second.reg";
    ExpectOk({"export", "HKLM\\SOFTWARE\\Test", first});
    ExpectOk({"delete", "HKLM\\SOFTWARE\\Test", "/f"});
    EXPECT_EQ(Run({"query", "HKLM\\SOFTWARE\\Test"}).exit, 1);
    EXPECT_EQ(Run({"query", "HKLM\\SOFTWARE\\Other", "/v", "Stay"}).exit, 0);
    ExpectOk({"import", first});
    ExpectOk({"export", "HKLM\\SOFTWARE\\Test", second});
    EXPECT_EQ(ReadText(first), ReadText(second));
    EXPECT_NE(ReadText(first).find("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Sub\\Deeper]"), std::string::npos);
    Result quoted = Run({"query", "HKLM\\SOFTWARE\\Test", "/v", "Quote \"\\ me"});
    EXPECT_EQ(quoted.out, "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Test\n    Quote \"\\ me    REG_SZ    C:\\dir \"x\"\n\n");

    // Deletions in an import file, and overwriting an export with /y.
    WriteText(Root() + "/remove.reg", "Windows Registry Editor Version 5.00\n\n[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Test\\Sub]\n"
                                      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n\"Number\"=-\n");
    ExpectOk({"import", Root() + "/remove.reg"});
    ExpectOk({"export", "HKLM\\SOFTWARE\\Test", second, "/y"});
    EXPECT_EQ(ReadText(second), "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\n"
                                "\"Quote \\\"\\\\ me\"=\"C:\\\\dir \\\"x\\\"\"\n\n");
    ExpectOk({"delete", "HKLM\\SOFTWARE\\Test", "/va", "/f"});
    EXPECT_EQ(Run({"query", "HKLM\\SOFTWARE\\Test"}).out, "\nHKEY_LOCAL_MACHINE\\SOFTWARE\\Test\n\n");
}

}  // namespace
