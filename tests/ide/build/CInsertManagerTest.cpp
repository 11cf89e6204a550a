// Insert in game: which game folder and target the built files go to, the copy itself, the
// question for a missing game folder (on the user-interface thread) and a failed copy.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "CInsertManager.h"
#include "CSolutionConfig.h"
#include "CTavrelinIdeServices.h"
#include "UiTestProbes.h"

namespace {

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The rows the build would show.
struct RowCatcher : CBuildOutputTarget {
    std::vector<std::pair<int, std::string>> rows;
    void AddBuildMessage(int kind, const char*, const zSTRING& text, int, bool) override { rows.push_back({kind, text}); }
    void ReportBuildSummary(int) override {}
    void ReplaceFileInLastMessages(const zSTRING&, const zSTRING&) override {}
};

class InsertManagerTest : public ::testing::Test {
protected:
    std::string root, project, models, game1, game2;
    CInsertManager& manager = GetInsertManager();
    RowCatcher rows;

    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "tavrelin-insert-" + std::to_string(::GetCurrentProcessId()) + "\\";
        project = root + "SolMod\\PrjMenu\\";
        models = root + "W\\Anims\\";
        game1 = root + "Game1\\";
        game2 = root + "Game2\\";
        RemoveTree();
        for (const std::string& folder : {root, root + "SolMod\\", project, root + "W\\", models, game1, game2})
            ::CreateDirectoryA(folder.c_str(), nullptr);
        g_solutionConfig.ProjectsRoot = root.c_str();
        g_solutionConfig.SolutionName = "Mod";
        g_solutionConfig.ProjectName = "Menu";
        g_solutionConfig.Destination = models;
        g_solutionConfig.PathVarnok = game1.c_str();
        g_solutionConfig.PathVarnok2 = game2.c_str();
        manager.m_arrFiles.RemoveAll();
        GetTavrelinIdeServices().SetOutputTarget(&rows);
    }
    void TearDown() override
    {
        GetTavrelinIdeServices().SetOutputTarget(nullptr);
        manager.m_arrFiles.RemoveAll();
        RemoveTree();
    }
    // Leftovers of an earlier run would make the shell ask before replacing.
    void RemoveTree()
    {
        const std::string from = root.substr(0, root.size() - 1) + '\0';
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
        ::SHFileOperationA(&op);
    }
    void Write(const std::string& path) { std::ofstream(path) << "data"; }
};

TEST_F(InsertManagerTest, CopiesEveryListedFileToTheTargetOfItsKindAndPlatform)
{
    struct Case {
        int platform, buildMode, kind;
        std::vector<std::string> names;
        const char* game;
        const char* target;
    } cases[] = {
        {zPLATFORM_SECOND_GAME, zJOB_COMPILE_SCRIPTS, 0, {"Menu.dat"}, "Game2\\", "_work\\data\\Scripts\\_compiled\\"},
        {zPLATFORM_FIRST_GAME, zJOB_COMPILE_SCRIPTS, 1, {"ou.bin"}, "Game1\\",
         "_work\\data\\Scripts\\Content\\Cutscene\\"},
        // Converting models goes to the other game's folder.
        {zPLATFORM_FIRST_GAME, zJOB_CONVERT_MODELS, 2, {"a.mdl", "b.mdl", "c.mdl"}, "Game2\\", "_work\\data\\Anims\\"},
        {zPLATFORM_SECOND_GAME, zJOB_CONVERT_MODELS, 2, {"a.mdl"}, "Game1\\", "_work\\data\\Anims\\"},
        {zPLATFORM_SECOND_GAME, zJOB_COMPILE_MODELS, 2, {"d.mdl"}, "Game2\\", "_work\\data\\Anims\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.game) + c.target);
        g_solutionConfig.Platform = c.platform;
        g_solutionConfig.BuildMode = c.buildMode;
        const std::string source = c.kind == 2 ? models : project;
        for (const std::string& name : c.names) {
            Write(source + name);
            manager.m_arrFiles.Add(name.c_str());
        }
        manager.InsertFilesInGame(c.kind);
        for (const std::string& name : c.names)
            EXPECT_TRUE(Exists(root + c.game + c.target + name)) << name;
        EXPECT_EQ(manager.m_arrFiles.GetSize(), 0);
    }
    EXPECT_TRUE(rows.rows.empty());
}

TEST_F(InsertManagerTest, AFailedCopyIsAWarningRowAndTheListIsEmptiedAllTheSame)
{
    g_solutionConfig.Platform = zPLATFORM_FIRST_GAME;
    g_solutionConfig.BuildMode = zJOB_COMPILE_SCRIPTS;
    manager.m_arrFiles.Add("Missing.dat");
    manager.InsertFilesInGame(0);
    ASSERT_EQ(rows.rows.size(), 1u);
    EXPECT_EQ(rows.rows[0].first, zMSG_WARNING);
    EXPECT_NE(rows.rows[0].second.find("_compiled"), std::string::npos) << rows.rows[0].second;
    EXPECT_EQ(manager.m_arrFiles.GetSize(), 0);
}

// A worker asks for the missing folder; the dialog must come up on this (the making) thread.
TEST_F(InsertManagerTest, AMissingGameFolderIsAskedForOnTheUserInterfaceThread)
{
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        g_solutionConfig.Platform = zPLATFORM_SECOND_GAME;
        g_solutionConfig.BuildMode = zJOB_COMPILE_SCRIPTS;
        g_solutionConfig.PathVarnok2 = (root + "Gone\\").c_str();
        Write(project + "Menu.dat");
        ::DeleteFileA((game1 + "_work\\data\\Scripts\\_compiled\\Menu.dat").c_str());
        manager.m_arrFiles.Add("Menu.dat");

        static std::atomic<bool> seenOnUiThread;
        static std::string title;
        static std::string answer;
        static bool pressOk;
        seenOnUiThread = false;
        title.clear();
        answer = game1 + "_work\\data";  // cut back to the game root
        pressOk = ok;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
            ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hWnd, LPARAM) -> BOOL {
                if (!::GetDlgItem(hWnd, 1075) || !::IsWindowVisible(hWnd))
                    return TRUE;
                char text[256] = {};
                ::GetWindowTextA(hWnd, text, sizeof text);
                title = text;
                seenOnUiThread = true;
                ::SetDlgItemTextA(hWnd, 1075, answer.c_str());
                const int id = pressOk ? IDOK : IDCANCEL;
                ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hWnd, id)));
                return FALSE;
            }, 0);
        });
        std::atomic<bool> done{false};
        std::thread worker([&] {
            manager.InsertFilesInGame(0);
            done = true;
        });
        for (int i = 0; i < 1000 && !done; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpMessages();
        }
        worker.join();
        ::KillTimer(nullptr, timer);

        EXPECT_TRUE(seenOnUiThread);
        EXPECT_EQ(title, "Path to Varnok 2");
        EXPECT_EQ(manager.m_arrFiles.GetSize(), 0);
        const bool copied = Exists(game1 + "_work\\data\\Scripts\\_compiled\\Menu.dat");
        EXPECT_EQ(copied, ok);
        EXPECT_EQ(std::string(g_solutionConfig.PathVarnok2), ok ? game1 : root + "Gone\\");
    }
}

TEST(InsertManager, FindsTheFirstNameContainingTheText)
{
    CInsertManager& manager = GetInsertManager();
    manager.m_arrFiles.RemoveAll();
    EXPECT_EQ(manager.FindFile("a"), -1);
    for (const char* name : {"Hum_Body.MDL", "_compiled\\hum_body.mdm", "Orc.MDL"})
        manager.m_arrFiles.Add(name);
    EXPECT_EQ(manager.FindFile("body"), 1);  // case counts
    EXPECT_EQ(manager.FindFile(".MDL"), 0);
    EXPECT_EQ(manager.FindFile("Troll"), -1);
    EXPECT_EQ(std::string(manager.GetAt(2)), "Orc.MDL");
    manager.m_arrFiles.RemoveAll();
}

TEST(InsertManager, TypedGameFoldersAreStoredAsTheGameRootWithABackslash)
{
    const char* cases[][2] = {
        {"D:\\Games\\X\\_work\\data", "D:\\Games\\X\\"},
        {"D:\\Games\\X", "D:\\Games\\X\\"},
        {"D:\\Games\\X\\_work", "D:\\Games\\X\\"},
        {"D:\\Games\\My_work\\data", "D:\\Games\\My_work\\data\\"},  // only a whole folder is cut
        {"D:\\Games\\X\\_work\\", "D:\\Games\\X\\"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(CInsertManager::NormaliseGameFolder(c[0])), c[1]) << c[0];
}

TEST(InsertManager, AbbreviatesAMissingFolderToTheLimit)
{
    struct Case {
        const char* path;
        int limit;
        const char* shown;
    } cases[] = {
        {"D:\\Games\\Varnok\\", 40, "D:\\Games\\Varnok\\"},
        {"", 5, ""},
        {"D:\\Games\\Some\\Deep\\Folder\\Varnok", 4, ""},                // not even the last part
        {"D:\\Games\\Some\\Deep\\Folder\\Varnok", 15, "Varnok"},         // no room for the head
        {"D:\\Games\\Some\\Deep\\Folder\\Varnok", 29, "D:\\Games\\...\\Folder\\Varnok"},
        {"\\\\srv\\share\\Games\\Some\\Deep\\Varnok", 33, "\\\\srv\\share\\Games\\...\\Deep\\Varnok"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(CInsertManager::AbbreviatePath(c.path, c.limit)), c.shown) << c.path << " " << c.limit;
}

TEST(InsertManager, PathListsAreSizedByTheirNamesAndEndInTwoZeros)
{
    CStringArray names;
    const std::string longName(300, 'n');  // beyond the 260 characters of a fixed slot
    names.Add("a.dat");
    names.Add(longName.c_str());
    const std::string list = CInsertManager::BuildPathList("C:\\G\\", names);
    EXPECT_EQ(list, std::string("C:\\G\\a.dat") + '\0' + "C:\\G\\" + longName + '\0' + '\0');
}

}  // namespace
