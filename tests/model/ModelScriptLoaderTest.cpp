// The model-script loader: what each job of each platform reads and writes, and the
// round trip text -> binary -> text -> binary that keeps every value.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "AscFixture.h"
#include "JobGlobals.h"
#include "ModelServices.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCMsbChunks.h"

namespace {

using namespace asc;

// Everything a script can say, in the spellings of hand-written scripts.
const char* const kScript =
    "// a model of our own\r\n"
    "Model (\"Hero\")\r\n"
    "{\r\n"
    "  meshAndTree (\"Hero.asc\")\r\n"
    "  registerMesh (\"Helmet.ASC\")\r\n"
    "  startMesh (\"Hero.asc\")\r\n"
    "  aniEnum\r\n"
    "  {\r\n"
    "    aniMaxFps (30)\r\n"
    "    ani (\"t_Walk\" 1 \"t_Walk\" 0.1 0.2 M. \"Walk.asc\" F 10 20 FPS:25 CVS:12)\r\n"
    "    {\r\n"
    "      *eventSFX (12 \"Step\" R:5000 EMPTY_SLOT)\r\n"
    "      *eventSFXGrnd (13 \"Grnd\")\r\n"
    "      *eventTag (14 \"DEF_HIT\" \"\" \"Bip01 R Hand\" \"\" \"Last\")\r\n"
    "      *eventPFX (-1 1 \"Fx\" \"Bip01\" ATTACH)\r\n"
    "      *eventPFXStop (15 2)\r\n"
    "      *eventPFXGrnd (16)\r\n"
    "      *eventSetMesh (17 \"Mesh\")\r\n"
    "      *eventSwapMesh (18 \"A\" \"B\")\r\n"
    "      *eventMMStartAni (19 \"T_Dance\" \"Head\" I:0.5 H:3)\r\n"
    "      *eventCamTremor (20 0.5 2 3 0.1234567)\r\n"
    "    }\r\n"
    "    ani (\"t_Run\" 2 \"\" 0 0 . \"Walk.asc\" R 10 12 SPD:2)\r\n"
    "    aniAlias (\"s_Walk\" 1 \"s_Walk\" 0.0 0.0 M. \"t_Walk\" R)\r\n"
    "    aniBlend (\"t_Walk_2_Run\" \"t_Run\" 0.1 0.00001)\r\n"
    "    aniSync (\"t_Sync\" \"t_Run\")\r\n"
    "    ani (\"t_Look1\" 9 \"\" 0 0 . \"Walk.asc\" F 10 11 FPS:24)\r\n"
    "    aniComb (\"t_Look\" 9 \"t_Look\" 0.3 0.3 M. \"t_Look\" 1)\r\n"
    "    aniDisable (\"t_Off\")\r\n"
    "    modelTag (\"DEF_HIT_LIMB\" \"\" \"Bip01 Head\")\r\n"
    "  }\r\n"
    "}\r\n";

class ModelScriptLoaderTest : public ModelScriptFixture {
protected:
    void SetUp() override
    {
        ModelScriptFixture::SetUp();
        box.Write("DATA/ANIMS/HERO.ASC",
                  Header() + Scene() + Materials() + Object("Bip01", "", 0, 0, 40) +
                      Object("Bip01 Head", "Bip01", 0, 0, 80) +
                      Object("ZM_Body", "Bip01", 0, 0, 50, "\t*MATERIAL_REF 1\r\n" + BoxMesh(0, 0, 50, 3.0f)));
        box.Write("DATA/ANIMS/HELMET.ASC",
                  Header() + Scene() + Materials() + Object("Bip01", "", 0, 0, 40) +
                      Object("Bip01 Head", "Bip01", 0, 0, 80) +
                      Object("ZM_Helmet", "Bip01 Head", 0, 0, 85, "\t*MATERIAL_REF 1\r\n" + BoxMesh(0, 0, 85)));
        std::vector<float> xs;
        for (int k = 0; k < 26; ++k)
            xs.push_back(static_cast<float>(k));
        box.Write("DATA/ANIMS/WALK.ASC", Header() + Scene(5, 30) + Object("Bip01", "", 0, 0, 40, Tracks(xs)) +
                                             Object("Bip01 Head", "Bip01", 0, 0, 80));
    }

    // Loads the script in a job of that mode and platform; false when a fatal report
    // ended it. The prototype is left for the test.
    bool Load(const std::string& name, int jobMode, int platform)
    {
        g_jobMode = jobMode;
        g_platform = platform;
        SetMeshFormatVersion();
        proto->Release();
        proto = new zCModelPrototype();
        ClearRecordedSourceStamps();
        result = -1;
        const bool ran = RunJob([&] {
            zSTRING script(name.c_str());
            result = proto->LoadModelScript(script);
        });
        if (!ran)
            ADD_FAILURE() << ::testing::PrintToString(Texts());
        return ran;
    }

    // The chunks from the model body (F200) on.
    static std::string Body(const std::string& msb)
    {
        const std::size_t at = msb.find(U16(zMSB_MODEL) + U32(0));
        return at == std::string::npos ? std::string() : msb.substr(at);
    }

    int result = -1;
};

TEST_F(ModelScriptLoaderTest, CompiledBinaryConvertsToTextThatCompilesToTheSameChunks)
{
    box.Write("DATA/ANIMS/HERO.MDS", kScript);
    ASSERT_TRUE(Load("\\DATA\\ANIMS\\Hero.mds", 4, 1));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(host.GetErrorCount(), 0) << ::testing::PrintToString(Texts());
    for (const char* file : {"HERO.MSB", "HERO.MDH", "HERO.MDM", "HERO-T_WALK.MAN", "HERO-T_RUN.MAN", "HERO-T_LOOK1.MAN",
                             "HELMET.MDM"})
        EXPECT_TRUE(box.Exists(std::string("DATA/ANIMS/_compiled/") + file)) << file;
    EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/HERO.MDS"));  // the second game gets no copy
    const std::string first = box.Read("DATA/ANIMS/_compiled/HERO.MSB");
    ASSERT_NE(Body(first), "");
    EXPECT_EQ(first.substr(first.size() - 6), U16(zMSB_END) + U32(0));
    EXPECT_NE(first.find("\\_WORK\\DATA\\ANIMS\\\n"), std::string::npos);  // no "\_WORK" in the path
    ASSERT_NE(proto->SearchAni("T_LOOK"), nullptr);
    EXPECT_EQ(proto->SearchAni("T_LOOK")->combList.size(), 1u);

    // Converting the binary form writes the text into the job's folder.
    g_jobDestDir = "\\OUT\\";
    ASSERT_TRUE(Load("Hero", 2, 1));
    EXPECT_EQ(result, 1);
    EXPECT_EQ(g_modelLoadError, 0) << std::string(g_lastModelFile);
    const std::string text = box.Read("OUT/HERO.MDS");
    ASSERT_NE(text.find("Model (\"Hero\")\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Last\")"), std::string::npos) << text;  // the fourth tag argument too
    ASSERT_NE(proto->SearchAni("T_WALK"), nullptr);
    EXPECT_EQ(proto->SearchAni("T_WALK")->GetNumEvents(), 10);

    // Compiled again, the text gives the same chunks.
    g_jobDestDir = "\\DATA\\ANIMS\\";
    box.Write("DATA/ANIMS/HERO.MDS", text);
    ASSERT_TRUE(Load("\\DATA\\ANIMS\\HERO.MDS", 4, 1));
    EXPECT_EQ(Body(box.Read("DATA/ANIMS/_compiled/HERO.MSB")), Body(first)) << text;
}

TEST_F(ModelScriptLoaderTest, AConvertedAniCompilesToTheRateOfTheBinary)
{
    // An "FPS:" cell for a rate other than 25 over more than one frame step, and
    // wherever the text would otherwise compile to another rate: 25 or the aniMaxFPS
    // before the ani.
    const struct {
        float fps;
        int cap;  // 0: no aniMaxFPS
        int first, last;
        const char* cell;  // empty: none
    } cases[] = {
        {25.0f, 0, 10, 20, ""},
        {24.0f, 0, 10, 20, "FPS:24"},
        {30.0f, 30, 10, 20, "FPS:30"},
        {30.0f, 30, 10, 11, ""},
        {25.0f, 0, 10, 11, ""},
        {25.0f, 30, 10, 20, "FPS:25"},
        {30.0f, 0, 10, 11, "FPS:30"},
        {25.0f, 30, 10, 11, "FPS:25"},
        {12.5f, 30, 10, 10, "FPS:12.5"},
        {24.0f, 0, 10, -1, "FPS:24"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.fps << " under " << c.cap << " over " << c.first << ".." << c.last);
        const std::string cap = c.cap ? "    aniMaxFps (" + std::to_string(c.cap) + ")\r\n" : "";
        std::ostringstream script;
        script << "Model (\"Hero\")\r\n{\r\n  meshAndTree (\"Hero.asc\")\r\n  aniEnum\r\n  {\r\n"
               << cap << "    ani (\"t_Walk\" 1 \"t_Walk\" 0.1 0.2 M. \"Walk.asc\" F " << c.first << ' ' << c.last
               << " FPS:" << c.fps << ")\r\n  }\r\n}\r\n";
        g_jobDestDir = "\\DATA\\ANIMS\\";
        box.Write("DATA/ANIMS/HERO.MDS", script.str());
        ASSERT_TRUE(Load("\\DATA\\ANIMS\\HERO.MDS", 4, 1));
        const std::string binary = Body(box.Read("DATA/ANIMS/_compiled/HERO.MSB"));
        ASSERT_NE(binary, "");

        g_jobDestDir = "\\OUT\\";
        ASSERT_TRUE(Load("Hero", 2, 1));
        ASSERT_EQ(result, 1);
        const std::string text = box.Read("OUT/HERO.MDS");
        const std::size_t at = text.find("FPS:");
        EXPECT_EQ(at == std::string::npos ? "" : text.substr(at, text.find(')', at) - at), c.cell) << text;

        g_jobDestDir = "\\DATA\\ANIMS\\";
        box.Write("DATA/ANIMS/HERO.MDS", text);
        ASSERT_TRUE(Load("\\DATA\\ANIMS\\HERO.MDS", 4, 1));
        EXPECT_EQ(Body(box.Read("DATA/ANIMS/_compiled/HERO.MSB")), binary) << text;
    }
}

TEST_F(ModelScriptLoaderTest, EveryFileMadeWaitsForTheGameNamedFromTheAnimsFolderOn)
{
    // The tool entries hand the list to the game at their end; here it is kept.
    struct KeepInserts : StopAtStep {
        using StopAtStep::StopAtStep;
        void InsertFilesInGame(int) override {}
    } keep(host, 0);
    using Names = std::vector<std::string>;
    auto taken = [&] {
        auto& list = host.GetInsertFileList();
        const Names names(list.begin(), list.end());
        list.clear();
        return names;
    };

    // The second game's binary script for the convert job below.
    box.Write("DATA/ANIMS/HERO.MDS", kScript);
    ASSERT_TRUE(Load("\\DATA\\ANIMS\\HERO.MDS", 4, 1));

    // The destination as the projects folder spells it; the copies of the script and
    // of the hierarchy, recorded by their full paths, keep that spelling.
    box.MakeDir("Proj/Anims/_compiled");
    g_jobDestDir = "\\Proj\\Anims\\";
    host.GetSettings().InsertInGame = 1;
    ASSERT_TRUE(Load("\\DATA\\ANIMS\\HERO.MDS", 4, 0));
    EXPECT_EQ(taken(), (Names{"_compiled\\HERO.MDH", "_compiled\\HERO.MDM", "_compiled\\HERO-T_WALK.MAN",
                              "_compiled\\HERO-T_RUN.MAN", "_compiled\\HERO-T_LOOK1.MAN", "HERO.MDS",
                              "_compiled\\HELMET.MDM"}));
    ASSERT_TRUE(Load("Hero", 2, 1));
    EXPECT_EQ(taken(), (Names{"_compiled\\HERO.MDH", "_compiled\\HERO-T_WALK.MAN", "_compiled\\HERO-T_RUN.MAN",
                              "_compiled\\HERO-T_LOOK1.MAN", "HERO.MDS", "_compiled\\HELMET.MDM"}));
    zSTRING asc("\\DATA\\ANIMS\\HERO.ASC");
    ASSERT_TRUE(RunJob([&] { zGetModelServices()->CompileMdl(asc); }));
    EXPECT_EQ(taken(), (Names{"_compiled\\HERO.mdl"}));
    host.GetSettings().InsertInGame = 0;
}

TEST_F(ModelScriptLoaderTest, EachJobOfTheFirstGameReadsTheText)
{
    box.Write("PROJ/_work/Data/Anims/HERO.MDS", kScript);
    const struct {
        int mode;
        bool binary;
        bool copy;
    } cases[] = {{2, true, false}, {3, false, true}, {4, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        std::filesystem::remove(box.Path("DATA/ANIMS/_compiled/HERO.MSB"));
        std::filesystem::remove(box.Path("DATA/ANIMS/HERO.MDS"));
        // Convert and decompile jobs need the compiled files of a compile job.
        if (c.mode != 4) {
            ASSERT_TRUE(Load("\\PROJ\\_work\\Data\\Anims\\HERO.MDS", 4, 0));
            std::filesystem::remove(box.Path("DATA/ANIMS/HERO.MDS"));
        }
        ASSERT_TRUE(Load("\\PROJ\\_work\\Data\\Anims\\HERO.MDS", c.mode, 0));
        EXPECT_EQ(result, 1);
        EXPECT_EQ(g_modelLoadError, 0) << std::string(g_lastModelFile);
        EXPECT_EQ(box.Exists("DATA/ANIMS/_compiled/HERO.MSB"), c.binary);
        EXPECT_EQ(box.Exists("DATA/ANIMS/HERO.MDS"), c.copy);
        if (c.binary) {
            EXPECT_NE(box.Read("DATA/ANIMS/_compiled/HERO.MSB").find("\\_WORK\\DATA\\ANIMS\\\n"), std::string::npos);
        }
        EXPECT_NE(proto->SearchAni("T_WALK"), nullptr);
    }
}

TEST_F(ModelScriptLoaderTest, AScriptThatCannotBeReadIsNamed)
{
    ASSERT_TRUE(Load("\\DATA\\ANIMS\\NONE.MDS", 4, 0));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(HasLine("File 'NONE.MDS' not found."));
    EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/NONE.MSB"));
    host.Clear();
    g_modelLoadError = 0;
    ASSERT_TRUE(Load("none", 2, 1));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_modelLoadError, 0);
    EXPECT_TRUE(HasLine("File 'NONE.MSB' not found."));

    // The entries name the file instead of failing silently or reporting success.
    host.Clear();
    g_jobMode = 2;
    zSTRING binaryName("NONE");
    ASSERT_TRUE(RunJob([&] { zGetModelServices()->ConvertModelScript(binaryName); }));
    EXPECT_TRUE(HasLine("File 'NONE.MSB' not found."));
    EXPECT_FALSE(HasLine("converted OK"));
    g_jobMode = 4;
    g_platform = 0;
    zSTRING textName("\\DATA\\ANIMS\\NONE.MDS");
    ASSERT_TRUE(RunJob([&] { zGetModelServices()->CompileModelScript(textName); }));
    EXPECT_TRUE(HasLine("File 'NONE.MDS' not found."));
    EXPECT_FALSE(HasLine("Compiling Model"));
}

} // namespace
