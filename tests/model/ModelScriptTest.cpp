// Model scripts read from their text: the model block, the animation block with its
// events and batches, the binary script written alongside, the limits and their
// messages, animation boxes and the resolution of the animation list.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "AscFixture.h"
#include "JobGlobals.h"
#include "MdsText.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCObjectFactory.h"

namespace {

using namespace asc;

std::string Chunk(std::uint16_t id, const std::string& body = "")
{
    return U16(id) + U32(static_cast<std::uint32_t>(body.size())) + body;
}

std::string I32(int value)
{
    return U32(static_cast<std::uint32_t>(value));
}

std::string T(const std::string& text)
{
    return text + "\n";
}

class ModelScriptTest : public AscFixture {
protected:
    void SetUp() override
    {
        AscFixture::SetUp();
        savedDest = g_jobDestDir;
        g_jobDestDir = "\\DATA\\ANIMS\\";
        box.Write("DATA/ANIMS/_compiled/keep", "");
        // Sources named without a folder are found below the animations folder.
        zCOption::SetStartDirectory("\\DATA");
        options.Init("", 0);
        g_modelLoadError = 0;
        g_lastModelFile = "";
        g_partialCompile = 0;
    }
    void TearDown() override
    {
        g_jobDestDir = savedDest;
        zCOption::SetStartDirectory("");
        g_registeredMeshNames.DeleteList();
        ClearRecordedSourceStamps();
        AscFixture::TearDown();
    }

    // Reads the script as HUMANS.MDS the way the loader does, the binary form going
    // to MSB; false when a fatal report ended the job.
    bool ReadScript(const std::string& text, int jobMode, int platform = 0)
    {
        g_jobMode = jobMode;
        g_platform = platform;
        box.Write("DATA/ANIMS/HUMANS.MDS", text);
        proto->SetModelProtoName("HUMANS");
        g_mdsLineNumber = 0;
        std::unique_ptr<zFILE> script = zMakeFile("\\DATA\\ANIMS\\HUMANS.MDS");
        EXPECT_EQ(script->Open(false), 0);
        g_mdsFile = script.get();
        zCBinChunkFile binary;
        if (MdsWritesBinary())
            binary.Create("\\DATA\\ANIMS\\_compiled\\HUMANS.MSB");
        const bool ran = RunJob([&] {
            while (ReadMdsLine(g_mdsLine)) {
                if (g_mdsLine.find("//") == std::string::npos && g_mdsLine.find("MODEL") != std::string::npos)
                    proto->ReadModelBlock(binary);
            }
        });
        binary.Close();
        g_mdsFile = nullptr;
        return ran;
    }

    std::string Msb() const { return box.Read("DATA/ANIMS/_compiled/HUMANS.MSB"); }

    zCModelAni* Ani(const char* name) const { return proto->SearchAni(name); }

    zSTRING savedDest;
};

// Every statement and event kind, in a convert job of the first game, which writes
// the binary script; no compiled file exists, so plain anis are dropped.
const char* const kEveryStatement =
    "Model (\"Other\")\r\n"
    "{\r\n"
    "  meshAndTree (\"Hum_Body.asc\" DONT_USE_MESH)\r\n"
    "  registerMesh (\"Hum_Head.ASC\")\r\n"
    "  startMesh (\"Hum_Body.asc\")\r\n"
    "  aniEnum\r\n"
    "  {\r\n"
    "    aniMaxFps (30)\r\n"
    "    ani (\"t_Walk\" 1 \"t_Walk\" 0.1 0.2 M. \"Walk.asc\" F 10 20 CVS:12 SPD:2 FPS:12)\r\n"
    "    ani\t(\"t_Run\" 1 \"\" 0.0 0.0 . \"Run.asc\" R 0 -1 CVS:-1)\r\n"
    "    aniAlias (\"s_Walk\" 1 \"s_Walk\" 0.0 0.0 M. \"t_Walk\" R)\r\n"
    "    {\r\n"
    "      *eventTag (0 \"DEF_X\")\r\n"
    "    }\r\n"
    "    aniBlend (\"t_Walk_2_Run\" \"t_Run\" 0.1 0.2)\r\n"
    "    {\r\n"
    "      *eventSFXGrnd (5 \"Grnd\")\r\n"
    "      *eventSwapMesh (6 \"A\" \"B\")\r\n"
    "      // a remark inside the block\r\n"
    "      *eventTag (7 \"DEF_HIT\" \"\" \"ARG2\")\r\n"
    "      *eventPFXStop (8 2)\r\n"
    "      *eventPFXGrnd (9)\r\n"
    "      *eventPFX (-1 1 \"Fx\" \"Bip01\" ATTACH)\r\n"
    "      *eventSetMesh (10 \"Mesh\")\r\n"
    "      *eventMMStartAni (12 \"T_Dance\" I:0.5)\r\n"
    "      *eventCamTremor (13 0.5 2 3 4)\r\n"
    "      *eventUnknown (14)\r\n"
    "    }\r\n"
    "    aniSync (\"t_Sync\" \"t_Run\")\r\n"
    "    {\r\n"
    "      *eventSFX (12 \"Step\" R:5000 EMPTY_SLOT)\r\n"
    "    }\r\n"
    "    aniComb (\"t_Comb\" 9 \"t_Comb\" 0.3 0.3 M. \"t_Walk\" 9)\r\n"
    "    aniDisable (\"t_Off\")\r\n"
    "    modelTag (\"DEF_HIT_LIMB\" \"Bip01\")\r\n"
    "    aniBatch (\"t_Batch\")\r\n"
    "    {\r\n"
    "      *aniBatch (\"t_Walk\")\r\n"
    "      *aniBatch (\"t_Run\")\r\n"
    "    }\r\n"
    "    ani (\"t_Skip\" 1 \"\" 0 0 . \"x.asc\" F 0 0) // remark\r\n"
    "    ani(\"t_NoBlank\" 1 \"\" 0 0 . \"x.asc\" F 0 0)\r\n"
    "  }\r\n"
    "}\r\n";

TEST_F(ModelScriptTest, EveryStatementWritesItsChunk)
{
    ASSERT_TRUE(ReadScript(kEveryStatement, 2));
    const std::string expected =
        Chunk(0xF200) + Chunk(0xF300, U32(1) + T("HUM_BODY")) + Chunk(0xF400, T("HUM_HEAD.ASC")) + Chunk(0xF500) +
        Chunk(0xF510, F32(30.0f)) +
        Chunk(0xF520, T("T_WALK") + I32(1) + T("T_WALK") + F32(0.1f) + F32(0.2f) + T("M.") + T("WALK.ASC") + T("F") +
                          I32(10) + I32(20) + F32(12.0f) + F32(2.0f) + F32(10.0f)) +
        Chunk(0xF520, T("T_RUN") + I32(1) + T("") + F32(0.0f) + F32(0.0f) + T(".") + T("RUN.ASC") + T("R") + I32(0) +
                          I32(-1) + F32(30.0f) + F32(0.0f) + F32(0.0f)) +
        Chunk(0xF530, T("S_WALK") + I32(1) + T("S_WALK") + F32(0.0f) + F32(0.0f) + T("M.") + T("T_WALK") + T("R")) +
        Chunk(0xF540, T("T_WALK_2_RUN") + T("T_RUN") + F32(0.1f) + F32(0.2f)) + Chunk(0xF5A0, U32(10)) +
        Chunk(0xF5A2, I32(5) + T("GRND") + F32(1000.0f) + F32(1.0f)) + Chunk(0xF5A8, I32(6) + T("A") + T("B")) +
        Chunk(0xF5A3, I32(7) + T("DEF_HIT") + T("") + T("ARG2") + T("") + T("")) + Chunk(0xF5A5, I32(8) + F32(2.0f)) +
        Chunk(0xF5A6, I32(9)) + Chunk(0xF5A4, I32(-1) + F32(1.0f) + T("FX") + T("BIP01") + F32(1.0f)) +
        Chunk(0xF5A7, I32(10) + T("MESH")) + Chunk(0xF5A9, I32(12) + T("T_DANCE") + T("") + F32(0.5f) + F32(-2.0f)) +
        Chunk(0xF5AA, I32(13) + F32(1.0f) + F32(2.0f) + F32(3.0f) + F32(4.0f)) + Chunk(0xF5AF) +
        Chunk(0xF550, T("T_SYNC") + T("T_RUN")) + Chunk(0xF5A0, U32(1)) +
        Chunk(0xF5A1, I32(12) + T("STEP") + F32(3500.0f) + F32(0.0f)) + Chunk(0xF5AF) +
        Chunk(0xF570, T("T_COMB") + I32(9) + T("T_COMB") + F32(0.3f) + F32(0.3f) + T("M.") + T("T_WALK") + U32(9)) +
        Chunk(0xF580, T("T_OFF")) + Chunk(0xF590, T("DEF_HIT_LIMB") + T("BIP01") + T("") + T("") + T("")) +
        Chunk(0xF5FF) + Chunk(0xF2FF);
    EXPECT_EQ(Msb(), expected);
}

TEST_F(ModelScriptTest, EveryStatementBuildsThePrototype)
{
    ASSERT_TRUE(ReadScript(kEveryStatement, 2));
    EXPECT_EQ(std::string(proto->meshAndTreeFile), "HUM_BODY.ASC");
    ASSERT_EQ(g_registeredMeshNames.GetNum(), 1);
    EXPECT_EQ(std::string(g_registeredMeshNames[0]), "HUM_HEAD.ASC");
    // The first missing file: the hierarchy, named after the script's file.
    EXPECT_EQ(g_modelLoadError, 1);
    EXPECT_EQ(std::string(g_lastModelFile), "HUMANS.MDH");
    EXPECT_EQ(proto->aniList.GetNum(), 6);
    for (const char* dropped : {"T_WALK", "T_RUN", "T_SKIP", "T_NOBLANK"})
        EXPECT_EQ(Ani(dropped), nullptr) << dropped;

    const zCModelAni* alias = Ani("S_WALK");
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(alias->aniType, zANI_TYPE_ALIAS);
    EXPECT_EQ(std::string(alias->aliasName), "T_WALK");
    EXPECT_TRUE(alias->aniDirReverse);
    EXPECT_EQ(alias->GetNumEvents(), 0);
    EXPECT_TRUE(HasLine("aniAlias are not allowed to have *aniEvents: S_WALK"));

    ASSERT_NE(Ani("T_COMB"), nullptr);
    EXPECT_EQ(std::string(Ani("T_COMB")->aliasName), "T_WALK9");
    EXPECT_EQ(Ani("T_SYNC")->aniType, zANI_TYPE_SYNC);
    ASSERT_EQ(Ani("T_SYNC")->GetNumEvents(), 1);
    EXPECT_EQ((*Ani("T_SYNC")->aniEvents)[0].eventKind, 1);
    EXPECT_EQ((*Ani("T_SYNC")->aniEvents)[0].frameNumber, 12);
    EXPECT_EQ(Ani("T_OFF")->aniType, zANI_TYPE_DISABLED);
    const zCModelAni* batch = Ani("T_BATCH");
    ASSERT_NE(batch, nullptr);
    ASSERT_EQ(batch->GetNumEvents(), 1);
    EXPECT_EQ((*batch->aniEvents)[0].frameNumber, 2);
    EXPECT_EQ(std::string((*batch->aniEvents)[0].values[1]), "T_RUN");
    ASSERT_EQ(proto->modelTagList.GetNum(), 1);
    EXPECT_EQ(std::string(proto->modelTagList[0]->tagString), "DEF_HIT_LIMB");

    const zCModelAni* blend = Ani("T_WALK_2_RUN");
    ASSERT_NE(blend, nullptr);
    ASSERT_EQ(blend->GetNumEvents(), 10);
    const std::vector<zTAniEventRec>& events = *blend->aniEvents;
    const struct {
        int kind;
        int frame;
        const char* value;
    } expected[] = {{2, 5, "GRND"}, {4, 6, "A"}, {0, 7, ""}, {8, 8, ""}, {7, 9, ""},
                    {6, -1, "BIP01"}, {9, 10, "MESH"}, {10, 12, "T_DANCE"}, {11, 13, ""}, {0, 0, ""}};
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(events[i].eventKind, expected[i].kind) << i;
        EXPECT_EQ(events[i].frameNumber, expected[i].frame) << i;
        EXPECT_EQ(std::string(events[i].values[0]), expected[i].value) << i;
    }
    EXPECT_EQ(std::string(events[2].values[1]), "ARG2");
    EXPECT_EQ(std::string(events[7].values[1]), "");  // the option stood in the node's place
    EXPECT_FLOAT_EQ(events[7].floatValues[0], 0.5f);
    EXPECT_FLOAT_EQ(events[8].floatValues[0], 1.0f);  // twice the camera tremor's first value
}

TEST_F(ModelScriptTest, ADroppedAniLeavesNoAniForItsEventsAndItsBlockEndsTheAnimationBlock)
{
    ASSERT_TRUE(ReadScript("MODEL\n{\naniEnum\n{\naniSync (\"T_SYNC\" \"\")\n"
                           "ani (\"T_WALK\" 1 \"\" 0 0 . \"WALK.ASC\" F 0 10)\n{\n*eventSFX (3 \"STEP\")\n}\n"
                           "aniBlend (\"T_BLEND\" \"\" 0 0)\n}\n}\n",
                           2));
    EXPECT_EQ(std::string(g_lastModelFile), "T_WALK.MAN");
    // The sound is nobody's, not the sync's before the dropped ani.
    ASSERT_NE(Ani("T_SYNC"), nullptr);
    EXPECT_EQ(Ani("T_SYNC")->GetNumEvents(), 0);
    EXPECT_TRUE(HasLine("HUMANS.MDS(8):   Warning: event line without an animation before it; ignored"));
    // The blend stood behind the end of the animation block.
    EXPECT_EQ(Ani("T_BLEND"), nullptr);
    EXPECT_EQ(Msb(), Chunk(0xF200) + Chunk(0xF500) + Chunk(0xF550, T("T_SYNC") + T("")) +
                         Chunk(0xF520, T("T_WALK") + I32(1) + T("") + F32(0.0f) + F32(0.0f) + T(".") + T("WALK.ASC") +
                                           T("F") + I32(0) + I32(10) + F32(25.0f) + F32(0.0f) + F32(1.0f)) +
                         Chunk(0xF5FF) + Chunk(0xF2FF));
}

TEST_F(ModelScriptTest, BlockEndsAndKeywordCase)
{
    // "{" and "}" on one line do not end the model block; keywords in any case.
    ASSERT_TRUE(ReadScript("model\n{\nMESHANDTREE (\"hum.body.old.asc\")\n{ }\nmeshandtree (\"Hum_Body.asc\")\n}\n"
                           "registerMesh (\"late.asc\")\n",
                           3));
    EXPECT_EQ(std::string(proto->meshAndTreeFile), "HUM_BODY.ASC");
    EXPECT_EQ(g_registeredMeshNames.GetNum(), 0);
    ASSERT_TRUE(ReadScript("MODEL\n{\nmeshAndTree (\"hum.body.old.asc\")\n}\n", 3));
    EXPECT_EQ(std::string(proto->meshAndTreeFile), "HUM.ASC");
}

TEST_F(ModelScriptTest, LimitsEndTheJobWithTheirLine)
{
    const struct {
        const char* body;
        const char* message;
    } cases[] = {
        {"aniBatch (\"B\")\n{\n*aniBatch (\"A1\")\n*aniBatch (\"A2\")\n*aniBatch (\"A3\")\n*aniBatch (\"A4\")\n"
         "*aniBatch (\"A5\")\n}\n",
         "HUMANS.MDS(10):   Error: zCModelPrototype: more than 4 anis in aniBatch!"},
        {"aniBatch (\"B\")\n{\n}\n", "HUMANS.MDS(6):   Error: zCModelPrototype: aniBatch without anis !"},
        {"ani (\"A\" 1 \"\" 0 0 . \"A.ASC\" F 10 5)\n", "HUMANS.MDS(4):   Error: lastFrame is less than firstFrame"},
        {"aniSync (\"A\" \"\")\naniDisable (\"a\")\n", "zCModelPrototype: ani already defined: A"},
    };
    for (const auto& c : cases) {
        host.Clear();
        proto->Clear();
        proto->Init();
        EXPECT_FALSE(ReadScript(std::string("MODEL\n{\naniEnum\n") + c.body + "}\n}\n", 2)) << c.message;
        EXPECT_TRUE(HasLine(c.message)) << c.message;
    }
}

TEST_F(ModelScriptTest, EventBlocksAreBoundedAndNeedAnAni)
{
    std::string script = "MODEL\n{\naniEnum\n{\n*eventSFX (1 \"X\")\naniBlend (\"B\" \"\" 0 0)\nmodelTag (\"T\")\n{\n";
    for (int i = 0; i < 17; ++i)
        script += "*eventTag (" + std::to_string(i) + " \"DEF\")\n";
    script += "}\naniSync (\"S\" \"\")\n}\n}\n";
    ASSERT_TRUE(ReadScript(script, 2));
    EXPECT_TRUE(HasLine("HUMANS.MDS(5):   Warning: event line without an animation before it; ignored"));
    EXPECT_TRUE(HasLine("HUMANS.MDS(25):   Error: more than 16 event lines in the event block of 'B'; the rest are dropped"));
    // After the model tag the block still belongs to the blend.
    ASSERT_NE(Ani("B"), nullptr);
    EXPECT_EQ(Ani("B")->GetNumEvents(), 16);
    EXPECT_EQ((*Ani("B")->aniEvents)[15].frameNumber, 15);
    EXPECT_NE(Ani("S"), nullptr);
    EXPECT_NE(Msb().find(Chunk(0xF5A0, U32(16))), std::string::npos);
}

TEST_F(ModelScriptTest, CompileJobBuildsFromAsc)
{
    box.Write("DATA/ANIMS/HUMANS.ASC", Header() + Scene() + Materials() +
                                           Object("Bip01", "", 0, 0, 50) + Object("Bip01 Spine", "Bip01", 0, 0, 60) +
                                           Object("ZM_Body", "Bip01 Spine", 0, 0, 60,
                                                  "\t*MATERIAL_REF 1\r\n" + BoxMesh(0, 0, 60, 5.0f)));
    std::vector<float> rootX;
    for (int k = 0; k < 26; ++k)
        rootX.push_back(static_cast<float>(k * 10));
    box.Write("DATA/ANIMS/WALK.ASC", Header() + Scene(5, 30) + Object("Bip01", "", 0, 0, 50, Tracks(rootX)) +
                                         Object("Bip01 Spine", "Bip01", 0, 0, 60, Tracks(rootX)));
    ASSERT_TRUE(ReadScript("MODEL (\"HUMANS\")\n{\nmeshAndTree (\"HUMANS.ASC\")\naniEnum\n{\n"
                           "ani (\"T_WALK\" 1 \"T_WALK\" 0.1 0.1 M. \"WALK.ASC\" F 10 20 SPD:2 CVS:3)\n{\n"
                           "*eventSFX (-1 \"S\")\n*eventPFX (-1 1 \"FX\" \"BIP01\")\n*eventSwapMesh (0 \"A\" \"B\")\n"
                           "*eventSFX (15 \"S\")\n*eventSFX (0 \"S\")\n"
                           "*eventSFX (99999999999 \"S\" R:1e300)\n*eventPFX (-2147483648 1e99 \"FX\")\n}\n}\n}\n",
                           4)) << ::testing::PrintToString(Texts());
    EXPECT_TRUE(box.Exists("DATA/ANIMS/_compiled/HUMANS.MDH"));
    EXPECT_TRUE(box.Exists("DATA/ANIMS/_compiled/HUMANS-T_WALK.MAN"));
    EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/HUMANS.MSB"));  // the first game's compile job writes none
    zCModelAni* walk = Ani("T_WALK");
    ASSERT_NE(walk, nullptr);
    EXPECT_EQ(walk->numFrames, 11);
    EXPECT_FLOAT_EQ(walk->fps, 2.0f);  // rate x speed / source rate
    EXPECT_FLOAT_EQ(walk->auxValue, 3.0f);
    // The box holds the mesh but not the root's travel of 100 units.
    EXPECT_FALSE(HasLine("In order to calculate ani-bbox"));
    EXPECT_GE(walk->aniBBox.maxs.x - walk->aniBBox.mins.x, 10.0f);
    EXPECT_LT(walk->aniBBox.maxs.x - walk->aniBBox.mins.x, 50.0f);
    ASSERT_EQ(walk->GetNumEvents(), 7);
    const std::vector<zTAniEventRec>& events = *walk->aniEvents;
    // Sounds at -1 and 0 stay at 0; the effect at -1 is on the last frame; the swap
    // at 0 lies before the first frame 10 and is clamped; so are frames beyond any range.
    const int frames[] = {0, 10, 0, 5, 0, 10, 0};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(events[static_cast<std::size_t>(i)].frameNumber, frames[i]) << i;
    EXPECT_TRUE(HasLine("HUMANS.MDS(10):   Warning: Frame-Number is out of bounds, ani: T_WALK"));
    EXPECT_FLOAT_EQ(events[5].floatValues[0], 3500.0f);
    EXPECT_TRUE(HasLine("HUMANS.MDS(14):   Warning: Frame-Number is out of bounds, ani: T_WALK"));

    // A convert job finds what the compile job made and reads it back.
    proto->Clear();
    proto->Init();
    g_registeredMeshNames.DeleteList();
    ASSERT_TRUE(ReadScript("MODEL\n{\nmeshAndTree (\"HUMANS.ASC\")\naniEnum\n{\n"
                           "ani (\"T_WALK\" 1 \"T_WALK\" 0.1 0.1 M. \"WALK.ASC\" F 10 20 SPD:2 CVS:3)\n}\n}\n",
                           3));
    EXPECT_EQ(g_modelLoadError, 0) << std::string(g_lastModelFile);
    ASSERT_NE(Ani("T_WALK"), nullptr);
    EXPECT_EQ(Ani("T_WALK")->numFrames, 11);

    // Without the mesh library the statement names it as the missing file.
    proto->Clear();
    proto->Init();
    std::filesystem::remove(box.Path("DATA/ANIMS/_compiled/HUMANS.MDM"));
    ASSERT_TRUE(ReadScript("MODEL\n{\nmeshAndTree (\"HUMANS.ASC\")\n}\n", 3));
    EXPECT_EQ(g_modelLoadError, 1);
    EXPECT_EQ(std::string(g_lastModelFile), "HUMANS.MDM");
}

zCModelAni* NewAni(const char* name, const char* next, int type = zANI_TYPE_NORMAL)
{
    auto* ani = new zCModelAni();
    ani->aniName = name;
    ani->nextAniName = next;
    ani->aniType = type;
    return ani;
}

TEST_F(ModelScriptTest, ResolveSortsNumbersAndLinks)
{
    proto->ResolveAnis();  // no anis: nothing to say
    EXPECT_TRUE(Texts().empty());
    for (const char* name : {"C", "A", "B"})
        proto->aniList.InsertEnd(NewAni(name, name[0] == 'A' ? "MISSING" : name[0] == 'B' ? "A" : "C"));
    ASSERT_TRUE(RunJob([&] { proto->ResolveAnis(); }));
    ASSERT_EQ(proto->aniList.GetNum(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(std::string(proto->aniList[i]->aniName), std::string(1, static_cast<char>('A' + i)));
        EXPECT_EQ(proto->aniList[i]->aniID, i);
    }
    EXPECT_EQ(proto->aniList[0]->nextAni, nullptr);
    EXPECT_EQ(proto->aniList[1]->nextAni, proto->aniList[0]);
    EXPECT_EQ(proto->aniList[2]->nextAni, proto->aniList[2]);
    EXPECT_TRUE(HasLine("zCModelAni: Could not find nextAni: MISSING, this: A"));

    zCModelAni* alias = NewAni("D", "", zANI_TYPE_ALIAS);
    alias->aliasName = "NOWHERE";
    proto->AddAni(alias);
    EXPECT_FALSE(RunJob([&] { proto->ResolveAnis(); }));
    EXPECT_TRUE(HasLine("FATAL! .. goodbye !!"));
}

TEST_F(ModelScriptTest, BoxWithoutMeshIsThePrototypes)
{
    proto->bbox3D.mins = zVEC3(-1, -2, -3);
    proto->bbox3D.maxs = zVEC3(1, 2, 3);
    const struct {
        int frames;
        const char* message;
    } cases[] = {{0, "Ani has zero frames of animation"}, {3, "In order to calculate ani-bbox"}};
    for (const auto& c : cases) {
        host.Clear();
        zCModelAni ani;
        ani.numFrames = static_cast<std::int16_t>(c.frames);
        proto->CalcAniBBox(&ani);
        EXPECT_TRUE(HasLine(c.message)) << c.frames;
        EXPECT_EQ(ani.aniBBox.maxs.z, 3.0f);
        EXPECT_EQ(ani.aniBBox.mins.y, -2.0f);
    }
    proto->CalcAniBBox(nullptr);
}

} // namespace
