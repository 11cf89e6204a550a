// The solution record: its folder rules, its project lookup and the byte form of its two
// sections in solution and project files.
#include <gtest/gtest.h>

#include <string>

#include "CArchive.h"
#include "CMemFile.h"
#include "CSolutionConfig.h"
#include "CTavrelinIdeServices.h"
#include "CXTPPropExchangeArchive.h"

namespace {

class SolutionConfigTest : public ::testing::Test {
protected:
    CSolutionConfig config;

    // Stores a section into bytes, or loads it from them, through the archive exchange.
    template <class Exchange>
    std::string Store(Exchange exchange)
    {
        CMemFile file;
        {
            CArchive archive(&file, CArchive::store);
            CXTPPropExchangeArchive px(archive);
            exchange(&px);
            archive.Close();
        }
        const auto size = static_cast<UINT>(file.GetLength());
        std::string bytes(size, '\0');
        file.SeekToBegin();
        file.Read(&bytes[0], size);
        return bytes;
    }
    template <class Exchange>
    void Load(std::string bytes, Exchange exchange)
    {
        CMemFile file(reinterpret_cast<BYTE*>(&bytes[0]), static_cast<UINT>(bytes.size()));
        CArchive archive(&file, CArchive::load);
        CXTPPropExchangeArchive px(archive);
        exchange(&px);
    }
};

const std::string kSolutionBytes = std::string("\x02\x00", 2) + "\x01" "A" "\x02" "Bc"  // projects
                                   + "\x03" "Mod" + "\x02" "Bc"                           // names
                                   + std::string("\x00\x00\x00\x00", 4)                   // platform 0
                                   + std::string("\x05\x00\x00\x00", 4)                   // level
                                   + std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8)   // spaces, return value
                                   + std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8);  // upper case, correct

TEST_F(SolutionConfigTest, SolutionSectionStoresItsValuesInKeyOrderAndLoadsThemBack)
{
    config.Projects.Add("A");
    config.Projects.Add("Bc");
    config.SolutionName = "Mod";
    config.ProjectName = "Bc";
    config.Platform = zPLATFORM_FIRST_GAME;
    config.LevelMessage = 5;
    config.InsertSpace = 1;
    config.WarningUpperCase = 1;
    EXPECT_EQ(Store([&](CXTPPropExchange* px) { config.ExchangeSolutionSettings(px); }), kSolutionBytes);

    // Platform 0 stays 0: the table's defaults never apply to the files.
    CSolutionConfig loaded;
    loaded.Platform = zPLATFORM_SECOND_GAME;
    loaded.Projects.Add("Old");
    Load(kSolutionBytes, [&](CXTPPropExchange* px) { loaded.ExchangeSolutionSettings(px); });
    ASSERT_EQ(loaded.Projects.GetSize(), 2);
    EXPECT_EQ(loaded.Projects[1], CString("Bc"));
    EXPECT_EQ(loaded.SolutionName, CString("Mod"));
    EXPECT_EQ(loaded.ProjectName, "Bc");
    EXPECT_EQ(loaded.Platform, zPLATFORM_FIRST_GAME);
    EXPECT_EQ(loaded.LevelMessage, 5);
    EXPECT_EQ(loaded.InsertSpace, 1);
    EXPECT_EQ(loaded.WarningReturnValue, 0);
    EXPECT_EQ(loaded.WarningUpperCase, 1);
    EXPECT_EQ(loaded.CorrectUpperCase, 0);
}

TEST_F(SolutionConfigTest, ProjectSectionIsNameDecompileFlagAndType)
{
    config.ProjectName = "Music";
    config.Decompilate = 1;
    config.TypeProject = 7;
    const std::string bytes = Store([&](CXTPPropExchange* px) { config.ExchangeProjectSettings(px); });
    EXPECT_EQ(bytes, std::string("\x05" "Music") + std::string("\x01\x00\x00\x00\x07\x00\x00\x00", 8));

    CSolutionConfig loaded;
    Load(bytes, [&](CXTPPropExchange* px) { loaded.ExchangeProjectSettings(px); });
    EXPECT_EQ(loaded.ProjectName, "Music");
    EXPECT_EQ(loaded.Decompilate, 1);
    EXPECT_EQ(loaded.TypeProject, 7);
}

TEST_F(SolutionConfigTest, ACutSolutionFileThrowsInsteadOfLoadingHalf)
{
    bool thrown = false;
    try {
        Load(kSolutionBytes.substr(0, 9), [&](CXTPPropExchange* px) { config.ExchangeSolutionSettings(px); });
    } catch (CException* e) {
        e->Delete();
        thrown = true;
    }
    EXPECT_TRUE(thrown);
}

TEST_F(SolutionConfigTest, FindProjectComparesExactly)
{
    config.Projects.Add("Varnok");
    config.Projects.Add("Menu");
    EXPECT_EQ(config.FindProject("Menu"), 1);
    EXPECT_EQ(config.FindProject("menu"), -1);
    EXPECT_EQ(config.FindProject("Men"), -1);
}

TEST(SolutionFolders, FollowRootSolutionAndActiveProject)
{
    const CString root = g_solutionConfig.ProjectsRoot, solution = g_solutionConfig.SolutionName;
    const std::string project = g_solutionConfig.ProjectName;
    g_solutionConfig.ProjectsRoot = "C:\\Tools\\Varnok Projects\\";
    g_solutionConfig.SolutionName = "Mod";
    g_solutionConfig.ProjectName = "Varnok";
    CString folder;
    GetSolutionFolder(folder);
    EXPECT_EQ(folder, CString("C:\\Tools\\Varnok Projects\\SolMod\\"));
    GetProjectFolder(folder);
    EXPECT_EQ(folder, CString("C:\\Tools\\Varnok Projects\\SolMod\\PrjVarnok\\"));
    // The engine side asks the host for the same folder.
    EXPECT_EQ(std::string(GetTavrelinIdeServices().GetProjectFolder().c_str()), std::string(folder));
    g_solutionConfig.ProjectName.clear();
    GetProjectFolder(folder);
    EXPECT_EQ(folder, CString("C:\\Tools\\Varnok Projects\\SolMod\\Prj\\"));
    g_solutionConfig.ProjectsRoot = root;
    g_solutionConfig.SolutionName = solution;
    g_solutionConfig.ProjectName = project;
}

}  // namespace
