// The model tools' routines: mesh format version, batch driver, progress step, insert record.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ModelFixture.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCModelPrototype.h"
#include "zCModelToolFrame.h"
#include "zFILE_VDFS.h"

namespace {

std::vector<std::string> g_toolCalls;

void RecordCall(zSTRING& name)
{
    g_toolCalls.push_back(name);
}

class ModelToolsTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        g_toolCalls.clear();
    }
};

// Counts the cache-outs of every class.
class CountingResourceManager : public zCResourceManager {
public:
    void CacheOutAll(zCClassDef* classDef) override { cacheOuts += classDef == nullptr; }
    int cacheOuts = 0;
};

// What an entry's frame found and left: a recorded stamp, a file to insert, a
// filter level of 3.
class ModelToolFrameTest : public ModelToolsTest {
protected:
    void SetUp() override
    {
        ModelToolsTest::SetUp();
        g_errorReporter.SetFilterLevel(3);
        g_recordedStampDates.InsertEnd(zTFileDate());
        g_recordedStampPaths.InsertEnd("\\_WORK\\DATA\\ANIMS\\HERO.ASC");
        host.GetSettings().InsertInGame = 1;
        host.GetInsertFileList().push_back("_compiled\\HERO.MDL");
        g_resourceManager = &counting;
    }
    void TearDown() override
    {
        ClearRecordedSourceStamps();
        ModelToolsTest::TearDown();
    }

    CountingResourceManager counting;
};

} // namespace

TEST_F(ModelToolsTest, TheToolchainInstallsItsServices)
{
    EXPECT_NE(dynamic_cast<zCModelToolServices*>(zGetModelServices()), nullptr);
}

TEST_F(ModelToolsTest, MeshFormatVersionFollowsThePlatform)
{
    for (const auto& [platform, version] : {std::pair{0, 3}, std::pair{1, 9}, std::pair{2, 9}}) {
        g_platform = platform;
        SetMeshFormatVersion();
        EXPECT_EQ(g_meshFileVersion, version) << platform;
    }
}

TEST_F(ModelToolsTest, InsertRecordStartsAfterTheAnimsFolderAsSpelt)
{
    struct Case {
        const char* path;
        const char* recorded;
    };
    const Case cases[] = {
        {"C:\\Game\\_work\\data\\Anims\\_compiled\\HERO.MDL", "_compiled\\HERO.MDL"},
        {"C:\\GAME\\_WORK\\DATA\\ANIMS\\_COMPILED\\HERO.MDL", "C:\\GAME\\_WORK\\DATA\\ANIMS\\_COMPILED\\HERO.MDL"},
        {"C:\\Game\\Meshes\\TREE.MDM", "C:\\Game\\Meshes\\TREE.MDM"},
    };
    host.GetSettings().InsertInGame = 1;
    for (const Case& c : cases)
        RecordInsertFile(c.path);
    ASSERT_EQ(host.GetInsertFileList().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(host.GetInsertFileList()[i], cases[i].recorded);

    host.GetSettings().InsertInGame = 0;
    RecordInsertFile("C:\\Anims\\X.MAN");
    EXPECT_EQ(host.GetInsertFileList().size(), 3u);
}

TEST_F(ModelToolsTest, BatchRunsTheToolOnEveryMatchingName)
{
    box.Write("DATA/ANIMS/_compiled/HERO.MDL", "x");
    box.Write("DATA/ANIMS/_compiled/chest.mdl", "x");
    box.Write("DATA/ANIMS/_compiled/HERO.MSB", "x");
    box.Write("DATA/ANIMS/HUMANS.MDS", "x");
    zGetModelServices()->ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MDL", &RecordCall);
    EXPECT_EQ(g_toolCalls, (std::vector<std::string>{"chest.mdl", "HERO.MDL"}));
    g_toolCalls.clear();
    zGetModelServices()->ForEachFileInDir(DIR_ANIMS, "*.MMB", &RecordCall);
    EXPECT_TRUE(g_toolCalls.empty());
    EXPECT_TRUE(host.GetLines().empty());
}

TEST_F(ModelToolsTest, ProgressStepCountsTheScriptsAscFiles)
{
    struct Case {
        const char* what;
        std::string script;
        int progressAfterOneStep;
    };
    const Case cases[] = {
        {"four ASC lines, one commented out",
         "Model (\"HUMANS\")\r\n{\r\n\tmeshAndTree (\"HUM_BODY.asc\")\r\n\t// registerMesh (\"OLD.ASC\")\r\n"
         "\tregisterMesh (\"A.ASC\") // later\r\n\tani (\"S_RUN\" 1 \"\" 0 0 M. \"Hum_Run.asc\" F 0 10)\r\n"
         "\tani (\"T_WALK\" 1 \"\" 0 0 M. \"HUM_WALK.ASC\" F 0 10)\r\n\tani (\"T_JUMP\" 1 \"\" 0 0 M. \"J.ASC\" F 0 1)\r\n}\r\n",
         25000},
        {"no ASC file", "Model (\"EMPTY\")\r\n{\r\n}\r\n", 100000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.Write("script.mds", c.script);
        zFILE_VDFS file("\\script.mds");
        ASSERT_EQ(file.Open(false), 0);
        g_mdsFile = &file;
        SetProgressStepFromScript();
        g_mdsFile = nullptr;
        EXPECT_EQ(file.Pos(), 0);
        if (c.progressAfterOneStep == 25000)
            host.StepProgress();
        EXPECT_EQ(host.GetProgress(), c.progressAfterOneStep);
        file.Close();
    }
}

TEST_F(ModelToolsTest, AScriptThatCannotBeReadEndsTheCount)
{
    // A folder opened as a file: each read fails without reaching an end.
    std::filesystem::create_directories(box.Root() + "/folder.mds");
    zFILE_VDFS file("\\folder.mds");
    if (!RunJob([&file] { file.Open(false); }))
        GTEST_SKIP() << "this host opens no folder as a file";
    g_mdsFile = &file;
    SetProgressStepFromScript();
    g_mdsFile = nullptr;
    EXPECT_EQ(host.GetProgress(), 100000);
    file.Close();
}

TEST_F(ModelToolFrameTest, AnEntryRunsWithOnePrototypeAtFilterLevelEight)
{
    const struct {
        int platform;
        int endFlags;
    } cases[] = {
        {0, zTOOL_END_PROGRESS | zTOOL_END_EMPTY_STAMPS | zTOOL_END_INSERT},
        {1, zTOOL_END_CACHE_OUT | zTOOL_END_INSERT},
        {0, 0},  // an entry's early end: nothing but the release and the filter level
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.endFlags);
        g_platform = c.platform;
        host.SetProgressPos(0);
        counting.cacheOuts = 0;
        {
            zCModelToolFrame frame;
            EXPECT_EQ(g_errorReporter.GetFilterLevel(), 8);
            EXPECT_EQ(g_meshFileVersion, c.platform ? 9 : 3);
            // What an earlier entry read is no source of this entry's files.
            EXPECT_EQ(g_recordedStampDates.GetNum(), 0);
            EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);
            ASSERT_NE(frame.GetPrototype(), nullptr);
            EXPECT_EQ(g_modelProtoList, frame.GetPrototype());
            EXPECT_EQ(frame.GetPrototype()->refCtr, 1);

            // This entry's own reads, left to its end.
            g_recordedStampPaths.InsertEnd("\\_WORK\\DATA\\ANIMS\\HERO.ASC");
            frame.End(c.endFlags);
            EXPECT_EQ(g_modelProtoList, nullptr);
            EXPECT_EQ(g_errorReporter.GetFilterLevel(), 3);
        }
        EXPECT_EQ(host.GetProgress(), c.endFlags & zTOOL_END_PROGRESS ? 100000 : 0);
        EXPECT_EQ(g_recordedStampPaths.GetNum(), c.endFlags & zTOOL_END_EMPTY_STAMPS ? 0 : 1);
        EXPECT_EQ(counting.cacheOuts, c.endFlags & zTOOL_END_CACHE_OUT ? 1 : 0);
        EXPECT_EQ(host.GetInsertFileList().empty(), (c.endFlags & zTOOL_END_INSERT) != 0);
        if (host.GetInsertFileList().empty())
            host.GetInsertFileList().push_back("_compiled\\HERO.MDL");
    }

    // Without the insert option nothing is inserted.
    host.GetSettings().InsertInGame = 0;
    zCModelToolFrame().End(zTOOL_END_INSERT);
    EXPECT_EQ(host.GetInsertFileList().size(), 1u);
}

TEST_F(ModelToolFrameTest, AFatalReportInsideAnEntryLeavesNoPrototypeBehind)
{
    EXPECT_FALSE(RunJob([] {
        zCModelToolFrame frame;
        frame.GetPrototype()->SetModelProtoName("HUMANS");
        g_errorReporter.Report(zERR_FATAL, "damaged");
    }));
    // The next job's load by name must not find the half-built prototype.
    EXPECT_EQ(zCModelPrototype::SearchName("HUMANS.MDS"), nullptr);
    EXPECT_EQ(g_modelProtoList, nullptr);
    EXPECT_EQ(g_errorReporter.GetFilterLevel(), 3);
    EXPECT_EQ(host.GetInsertFileList().size(), 1u);
    EXPECT_EQ(host.GetProgress(), 0);
}
