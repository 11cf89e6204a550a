// The solution and project files: their bytes, the tree's expansion state, damaged and old
// files that change nothing, the write beside and replace, and the recent-solutions list.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "CRecentProjectList.h"
#include "CSolutionConfig.h"
#include "CSolutionFile.h"
#include "CWinApp.h"
#include "CXTPPropExchange.h"

namespace {

// A tree of named items; handles are the items' addresses.
struct Item {
    bool expanded = false;
    std::vector<std::unique_ptr<Item>> children;
    Item* Add(bool open = false)
    {
        children.push_back(std::make_unique<Item>());
        children.back()->expanded = open;
        return children.back().get();
    }
};

class FakeTree : public ITreeExpansion {
public:
    std::vector<std::unique_ptr<Item>> roots;
    Item* AddRoot(bool open = false)
    {
        roots.push_back(std::make_unique<Item>());
        roots.back()->expanded = open;
        return roots.back().get();
    }
    void* GetRoot() override { return roots.empty() ? nullptr : roots[0].get(); }
    void* GetChild(void* item) override
    {
        auto* it = static_cast<Item*>(item);
        return it->children.empty() ? nullptr : it->children[0].get();
    }
    void* GetNextSibling(void* item) override
    {
        auto* it = static_cast<Item*>(item);
        const auto& list = Parent(it) ? Parent(it)->children : roots;
        for (size_t i = 0; i + 1 < list.size(); ++i)
            if (list[i].get() == it)
                return list[i + 1].get();
        return nullptr;
    }
    bool IsExpanded(void* item) override { return static_cast<Item*>(item)->expanded; }
    void Expand(void* item) override { static_cast<Item*>(item)->expanded = true; }

private:
    Item* Parent(Item* child, Item* in = nullptr)
    {
        const auto& list = in ? in->children : roots;
        for (const auto& c : list) {
            if (c.get() == child)
                return in;
            if (Item* p = Parent(child, c.get()))
                return p;
        }
        return nullptr;
    }
};

std::string Long(int v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

class SolutionFileTest : public ::testing::Test {
protected:
    std::string dir;
    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp) + "tvsfile_test\\";
        ::CreateDirectoryA(dir.c_str(), nullptr);
    }
    void TearDown() override
    {
        for (const char* name : {"Mod.tvs", "Mod.tvs.new", "Music.tvp", "Music.tvp.new"})
            ::DeleteFileA((dir + name).c_str());
        ::RemoveDirectoryA(dir.c_str());
    }
};

// "Version" "V1" then the nine SolutionInfo values in key order; platform 0 stays 0.
const std::string kSolutionFile = std::string("\x02" "V1") + std::string("\x02\x00", 2) + "\x01" "A" "\x02" "Bc" +
                                  "\x03" "Mod" + "\x02" "Bc" + Long(0) + Long(5) + Long(1) + Long(0) + Long(1) +
                                  Long(0);

TEST_F(SolutionFileTest, SolutionFileIsVersionThenSolutionInfo)
{
    CSolutionConfig config;
    config.Projects.Add("A");
    config.Projects.Add("Bc");
    config.SolutionName = "Mod";
    config.ProjectName = "Bc";
    config.Platform = zPLATFORM_FIRST_GAME;
    config.LevelMessage = 5;
    config.InsertSpace = 1;
    config.WarningUpperCase = 1;
    const std::string path = dir + "Mod.tvs";
    ASSERT_EQ(WriteExchangeFile(path.c_str(), [&](CXTPPropExchange* px) { ExchangeSolutionFile(px, config); }),
              SolutionFileResult::ok);
    EXPECT_EQ(ReadAll(path), kSolutionFile);
    EXPECT_EQ(::GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);

    CSolutionConfig loaded;
    loaded.Platform = zPLATFORM_SECOND_GAME;
    ASSERT_EQ(LoadSolutionInto(path.c_str(), loaded), SolutionFileResult::ok);
    EXPECT_EQ(loaded.Platform, zPLATFORM_FIRST_GAME);
    EXPECT_EQ(loaded.SolutionName, CString("Mod"));
    ASSERT_EQ(loaded.Projects.GetSize(), 2);
    EXPECT_EQ(loaded.Projects[0], CString("A"));
}

// Damaged or old files are refused whole: the record keeps every value it had.
TEST_F(SolutionFileTest, DamagedOrOldSolutionFilesChangeNothing)
{
    struct Case {
        const char* what;
        std::string bytes;
        SolutionFileResult result;
    } cases[] = {
        {"cut short", kSolutionFile.substr(0, 20), SolutionFileResult::damaged},
        {"huge project count", std::string("\x02" "V1") + std::string("\xFF\xFF", 2) + "\x01" "A",
         SolutionFileResult::damaged},
        {"empty", std::string(), SolutionFileResult::damaged},
        {"old version", std::string("\x02" "V0") + kSolutionFile.substr(3), SolutionFileResult::oldVersion},
    };
    const std::string path = dir + "Mod.tvs";
    for (const Case& c : cases) {
        WriteAll(path, c.bytes);
        CSolutionConfig config;
        config.Projects.Add("Keep");
        config.SolutionName = "Old";
        config.ProjectName = "Keep";
        config.LevelMessage = 3;
        EXPECT_EQ(LoadSolutionInto(path.c_str(), config), c.result) << c.what;
        EXPECT_EQ(config.SolutionName, CString("Old")) << c.what;
        EXPECT_EQ(config.ProjectName, "Keep") << c.what;
        ASSERT_EQ(config.Projects.GetSize(), 1) << c.what;
        EXPECT_EQ(config.LevelMessage, 3) << c.what;
    }
    CSolutionConfig config;
    EXPECT_EQ(LoadSolutionInto((dir + "Missing.tvs").c_str(), config), SolutionFileResult::damaged);
}

TEST_F(SolutionFileTest, AFailedWriteKeepsTheOldFileAndIsReported)
{
    const std::string path = dir + "Mod.tvs";
    WriteAll(path, kSolutionFile);
    // A folder in the way of the file beside makes the write fail.
    ::CreateDirectoryA((path + ".new").c_str(), nullptr);
    CSolutionConfig config;
    EXPECT_EQ(WriteExchangeFile(path.c_str(), [&](CXTPPropExchange* px) { ExchangeSolutionFile(px, config); }),
              SolutionFileResult::writeFailed);
    ::RemoveDirectoryA((path + ".new").c_str());
    EXPECT_EQ(ReadAll(path), kSolutionFile);
}

// Expansion numbering: an expanded item takes two numbers; collapsed children still count.
TEST_F(SolutionFileTest, ProjectFileCarriesInfoTreeStateAndDocuments)
{
    struct Case {
        const char* what;
        bool project, story, tools;
        std::string state;
    } cases[] = {
        {"nothing open", false, false, false, Long(-1)},
        {"project", true, false, false, Long(0) + Long(-1)},
        {"project and first folder", true, true, false, Long(0) + Long(1) + Long(-1)},
        {"second folder after a collapsed one with a file", true, false, true, Long(0) + Long(3) + Long(-1)},
    };
    const std::string path = dir + "Music.tvp";
    for (const Case& c : cases) {
        FakeTree tree;
        Item* project = tree.AddRoot(c.project);
        project->Add(c.story)->Add();  // Story with B.d
        project->Add(c.tools);         // Tools, empty
        project->Add();                // A.d
        CSolutionConfig config;
        config.ProjectName = "Music";
        config.Decompilate = 1;
        config.TypeProject = 7;
        ASSERT_EQ(WriteExchangeFile(path.c_str(),
                                    [&](CXTPPropExchange* px) {
                                        ExchangeProjectFile(px, config, &tree, [](CXTPPropExchange* docs) {
                                            CString name = "a.d";
                                            PX_String(docs, "OpenFile", name);
                                        });
                                    }),
                  SolutionFileResult::ok);
        const std::string expected = std::string("\x02" "V1") + "\x05" "Music" + Long(1) + Long(7) + c.state +
                                     "\x03" "a.d";
        EXPECT_EQ(ReadAll(path), expected) << c.what;

        FakeTree fresh;
        Item* p = fresh.AddRoot();
        Item* story = p->Add();
        story->Add();
        Item* tools = p->Add();
        p->Add();
        CSolutionConfig loaded;
        CString opened;
        EXPECT_EQ(ReadExchangeFile(path.c_str(),
                                   [&](CXTPPropExchange* px) {
                                       return ExchangeProjectFile(px, loaded, &fresh, [&](CXTPPropExchange* docs) {
                                           PX_String(docs, "OpenFile", opened);
                                       });
                                   }),
                  SolutionFileResult::ok)
            << c.what;
        EXPECT_EQ(p->expanded, c.project) << c.what;
        EXPECT_EQ(story->expanded, c.story) << c.what;
        EXPECT_EQ(tools->expanded, c.tools) << c.what;
        EXPECT_EQ(loaded.TypeProject, 7) << c.what;
        EXPECT_EQ(opened, CString("a.d")) << c.what;
    }
}

TEST_F(SolutionFileTest, TreeStateOfALargerTreeIsReadToItsEndMark)
{
    // Stored for a tree with more items than the one loading it: values beyond are skipped, so
    // the "Documents" section after it stays in step; a state without its end mark is damaged.
    const std::string head = std::string("\x02" "V1") + "\x05" "Music" + Long(0) + Long(0);
    const std::string path = dir + "Music.tvp";
    for (const auto& [state, result] : {std::pair{Long(0) + Long(9) + Long(12) + Long(-1), SolutionFileResult::ok},
                                        std::pair{Long(0) + Long(9), SolutionFileResult::damaged}}) {
        WriteAll(path, head + state + "\x03" "b.d");
        FakeTree tree;
        Item* p = tree.AddRoot();
        CSolutionConfig loaded;
        CString opened;
        EXPECT_EQ(ReadExchangeFile(path.c_str(),
                                   [&](CXTPPropExchange* px) {
                                       return ExchangeProjectFile(px, loaded, &tree, [&](CXTPPropExchange* docs) {
                                           PX_String(docs, "OpenFile", opened);
                                       });
                                   }),
                  result);
        if (result == SolutionFileResult::ok) {
            EXPECT_TRUE(p->expanded);
            EXPECT_EQ(opened, CString("b.d"));
        }
    }
}

TEST(SolutionPaths, ProjectsRootDropsFileAndSolutionFolder)
{
    EXPECT_EQ(ProjectsRootFromSolutionPath("X:\\Root\\SolMod\\Mod.tvs"), CString("X:\\Root\\"));
    EXPECT_EQ(ProjectsRootFromSolutionPath("Mod.tvs"), CString());
}

TEST(RecentProjectList, MostRecentFirstWithoutDuplicatesAndFourInTheRegistry)
{
    std::unique_ptr<CWinApp> own;
    if (!AfxGetApp())
        own = std::make_unique<CWinApp>("RecentListTest");
    AfxGetApp()->SetRegistryKey("TavrelinRecentTest");
    CRecentProjectList list;
    for (const char* path : {"C:\\S\\a.tvs", "C:\\S\\b.tvs", "C:\\S\\c.tvs", "C:\\S\\d.tvs"})
        list.Add(path);
    list.Add("c:\\s\\B.TVS");  // third, another case: moves to the top, the old one goes
    EXPECT_EQ(list[0], CString("c:\\s\\B.TVS"));
    EXPECT_EQ(list[1], CString("C:\\S\\d.tvs"));
    EXPECT_EQ(list[2], CString("C:\\S\\c.tvs"));
    EXPECT_EQ(list[3], CString("C:\\S\\a.tvs"));
    list.Add("C:\\S\\e.tvs");  // a new one drops the oldest
    EXPECT_EQ(list[3], CString("C:\\S\\c.tvs"));
    list.Remove(1);
    EXPECT_EQ(list[1], CString("C:\\S\\d.tvs"));
    EXPECT_EQ(list[3], CString());
    list.WriteList();

    CRecentProjectList again;
    again.ReadList();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(again[i], list[i]) << i;
    EXPECT_EQ(AfxGetApp()->GetProfileString("Recent Project List", "Project4", "none"), CString("none"));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TavrelinRecentTest");
}

}  // namespace
