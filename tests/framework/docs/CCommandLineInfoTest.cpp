// The program's command line: each kind of start the shell and other programs make.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "CCommandLineInfo.h"
#include "CWinApp.h"

namespace {

// Runs the application's parser over the arguments as if the program had been started with them.
void Parse(std::vector<const char*> args, CCommandLineInfo& info)
{
    args.insert(args.begin(), "tavrelin.exe");
    args.push_back(nullptr);
    int savedCount = __argc;
    char** savedArgs = __argv;
    __argc = static_cast<int>(args.size()) - 1;
    __argv = const_cast<char**>(args.data());
    CWinApp app("CommandLine");
    app.ParseCommandLine(info);
    __argc = savedCount;
    __argv = savedArgs;
}

TEST(CCommandLineInfoTest, CommandLinesGiveTheirShellCommands)
{
    struct Case {
        std::vector<const char*> args;
        int command;
        const char* file;
        const char* printer;
        const char* driver;
        const char* port;
        BOOL splash;
    } cases[] = {
        {{}, CCommandLineInfo::FileNew, "", "", "", "", TRUE},
        {{"C:\\My Scripts\\a.d"}, CCommandLineInfo::FileOpen, "C:\\My Scripts\\a.d", "", "", "", TRUE},
        {{"a.d", "b.d"}, CCommandLineInfo::FileOpen, "a.d", "", "", "", TRUE},  // the first file counts
        {{""}, CCommandLineInfo::FileNew, "", "", "", "", TRUE},                // an empty argument names nothing
        {{"/p", "a.d"}, CCommandLineInfo::FilePrint, "a.d", "", "", "", TRUE},
        {{"a.d", "-P"}, CCommandLineInfo::FilePrint, "a.d", "", "", "", TRUE},
        {{"/pt", "a.d", "Office", "winspool", "LPT1:"}, CCommandLineInfo::FilePrintTo, "a.d", "Office", "winspool",
         "LPT1:", TRUE},
        {{"/pt", "a.d", "Office"}, CCommandLineInfo::FilePrintTo, "a.d", "Office", "", "", TRUE},
        {{"/dde"}, CCommandLineInfo::FileDDE, "", "", "", "", TRUE},
        {{"/Embedding"}, CCommandLineInfo::FileNothing, "", "", "", "", FALSE},
        {{"-automation", "a.d"}, CCommandLineInfo::FileOpen, "a.d", "", "", "", FALSE},
        {{"/Unregister"}, CCommandLineInfo::AppUnregister, "", "", "", "", TRUE},
        {{"/UNREGSERVER"}, CCommandLineInfo::AppUnregister, "", "", "", "", TRUE},
        {{"/nologo", "a.d"}, CCommandLineInfo::FileOpen, "a.d", "", "", "", FALSE},
        {{"/unknown", "a.d", "/"}, CCommandLineInfo::FileOpen, "a.d", "", "", "", TRUE},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        Parse(c.args, info);
        CString line;
        for (const char* a : c.args)
            line += CString("[") + a + "]";
        EXPECT_EQ(static_cast<int>(info.m_nShellCommand), c.command) << line;
        EXPECT_STREQ(info.m_strFileName, c.file) << line;
        EXPECT_STREQ(info.m_strPrinterName, c.printer) << line;
        EXPECT_STREQ(info.m_strDriverName, c.driver) << line;
        EXPECT_STREQ(info.m_strPortName, c.port) << line;
        EXPECT_EQ(info.m_bShowSplash, c.splash) << line;
    }
}

}  // namespace
