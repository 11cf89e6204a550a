// The source list: its file form, read and written in the project folder, and the lookups
// that tell whether a file belongs to the project.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CSolutionConfig.h"
#include "CSrcManager.h"

namespace {

class SrcManagerTest : public ::testing::Test {
protected:
    std::string root, solution, project;
    CSrcManager& src = *GetSrcManager();

    void SetUp() override
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "tavrelin-src-" + std::to_string(::GetCurrentProcessId()) + "\\";
        solution = root + "SolMod\\";
        project = solution + "PrjMenu\\";
        for (const std::string& folder : {root, solution, project})
            ::CreateDirectoryA(folder.c_str(), nullptr);
        g_solutionConfig.ProjectsRoot = root.c_str();
        g_solutionConfig.SolutionName = "Mod";
        g_solutionConfig.ProjectName = "Menu";
        src.RemoveAll();
    }
    void TearDown() override
    {
        src.RemoveAll();
        ::RemoveDirectoryA((project + "Menu.src.new").c_str());
        ::DeleteFileA((project + "Menu.src").c_str());
        for (const std::string& folder : {project, solution, root})
            ::RemoveDirectoryA(folder.c_str());
        g_solutionConfig.ProjectsRoot.Empty();
        g_solutionConfig.SolutionName.Empty();
        g_solutionConfig.ProjectName.clear();
    }
    void WriteList(const std::string& bytes)
    {
        std::ofstream(project + "Menu.src", std::ios::binary) << bytes;
    }
    std::string ListBytes()
    {
        std::ifstream in(project + "Menu.src", std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    std::vector<std::string> Entries()
    {
        std::vector<std::string> entries;
        for (int i = 0; i < src.GetCount(); ++i)
            entries.push_back(std::string(src.GetAt(i)));
        return entries;
    }
};

const char kHeader[] = "// Tavrelin workspace file\r\n// WARNING: DO NOT EDIT OR DELETE THIS FILE!\r\n\r\n";

TEST_F(SrcManagerTest, ReadingSkipsCommentsAndEmptyLinesAndKeepsTheRestAsItStands)
{
    struct Case {
        const char* bytes;
        std::vector<std::string> entries;
    } cases[] = {
        {"//comment\r\n\r\nA.d\r\n  B.d\r\n", {"A.d", "  B.d"}},
        {"// Tavrelin workspace file\nStory\\Main.d\n*.d\nFight.src", {"Story\\Main.d", "*.d", "Fight.src"}},
        {"/ one slash\r\n/\r\nx //y\r\n", {"/ one slash", "/", "x //y"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        WriteList(c.bytes);
        src.ReadSrcList();
        EXPECT_EQ(Entries(), c.entries) << c.bytes;
    }
}

TEST_F(SrcManagerTest, TheListIsFoundInTheProjectFolderWhateverTheCurrentDirectory)
{
    WriteList("A.d\r\n");
    char current[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, current);
    ::SetCurrentDirectoryA(root.c_str());
    src.ReadSrcList();
    ::SetCurrentDirectoryA(current);
    EXPECT_EQ(Entries(), std::vector<std::string>{"A.d"});
    EXPECT_EQ(std::string(src.GetPath()), project + "Menu.src");
}

TEST_F(SrcManagerTest, WritingPutsTheHeaderFirstAndSurvivesRoundsUnchanged)
{
    WriteList("//x\r\nA.d\r\n");
    src.ReadSrcList();
    src.InsertAt(1, CString("B.d"));
    ASSERT_TRUE(src.WriteSrcList());
    const std::string golden = std::string(kHeader) + "A.d\r\nB.d\r\n";
    EXPECT_EQ(ListBytes(), golden);
    src.ReadSrcList();
    ASSERT_TRUE(src.WriteSrcList());
    EXPECT_EQ(ListBytes(), golden);
}

TEST_F(SrcManagerTest, AMissingListReadsEmptyAndIsMadeByTheNextWrite)
{
    src.ReadSrcList();
    EXPECT_EQ(src.GetCount(), 0);
    src.InsertAt(0, CString("A.d"));
    ASSERT_TRUE(src.WriteSrcList());
    EXPECT_EQ(ListBytes(), std::string(kHeader) + "A.d\r\n");
}

TEST_F(SrcManagerTest, AListThatCannotBeWrittenStaysAsItWasOnDisk)
{
    GetSrcManager()->RemoveAll();
    CSrcManager fresh;
    EXPECT_FALSE(fresh.WriteSrcList());  // never read: no path to write to

    WriteList("A.d\r\n");
    src.ReadSrcList();
    src.RemoveAll();
    ::CreateDirectoryA((project + "Menu.src.new").c_str(), nullptr);  // the new list cannot be made
    EXPECT_FALSE(src.WriteSrcList());
    EXPECT_EQ(ListBytes(), "A.d\r\n");
}

TEST_F(SrcManagerTest, LookupsMatchWholeRelativePathsInAnyCase)
{
    src.InsertAt(0, CString("BA.d"));
    src.InsertAt(1, CString("A.d"));
    src.InsertAt(2, CString("Story\\B.d"));
    struct Case {
        const char* path;
        int index;
    } cases[] = {
        {"D:\\P\\Story\\B.d", 2}, {"d:\\p\\STORY\\b.D", 2}, {"D:\\P\\A.d", 1},   {"A.d", 1},
        {"D:\\P\\BA.d", 0},       {"D:\\P\\C.d", -1},       {"D:\\P\\XA.d", -1}, {"D:\\P\\Story\\B.dx", -1},
        {"", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(src.FindFile(c.path), c.index) << c.path;
        EXPECT_EQ(src.IsAbsent(c.path), c.index < 0) << c.path;
    }
}

TEST_F(SrcManagerTest, RemoveAndReplaceTakeTheEntryThatIsTheGivenPath)
{
    src.InsertAt(0, CString("BA.d"));
    src.InsertAt(1, CString("A.d"));
    src.InsertAt(2, CString("C.d"));
    src.RemoveFile("a.D");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"BA.d", "C.d"}));
    src.RemoveFile("Z.d");
    src.ReplaceFile("Z.d", "Y.d");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"BA.d", "C.d"}));
    src.ReplaceFile("BA.d", "Story\\BA.d");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Story\\BA.d", "C.d"}));
}

}  // namespace
