// Binary model scripts: the bytes of every chunk kind, and the reader with the
// model-script text it writes while converting.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>

#include "JobGlobals.h"
#include "ModelFixture.h"
#include "ModelTools.h"
#include "zCBinChunkFile.h"
#include "zCMdsTextWriter.h"
#include "zCModelAni.h"
#include "zCModelPrototype.h"
#include "zCMsbChunks.h"

namespace {

std::string T(const std::string& text)
{
    return text + "\n";
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Header(std::uint16_t id, std::size_t length)
{
    return U16(id) + U32(static_cast<std::uint32_t>(length));
}

class MsbTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        g_jobDestDir = "\\OUT\\";
        box.MakeDir("OUT/_compiled");
        g_modelLoadError = 0;
        g_lastModelFile = "";
        box.MakeDir("DATA/ANIMS/_compiled");
    }
    void TearDown() override
    {
        g_registeredMeshNames.DeleteList();
        ModelFixture::TearDown();
    }

    // The bytes that writing does leaves in a file.
    template <class Write>
    std::string Written(Write write)
    {
        zCBinChunkFile file;
        EXPECT_EQ(file.Create("\\OUT.BIN"), 0);
        write(file);
        file.Close();
        return box.Read("OUT.BIN");
    }

    // A .MAN of 11 frames at 25 fps for an ani of HUMANS.
    void WriteMan(const char* name)
    {
        auto* proto = new zCModelPrototype();
        proto->SetModelProtoName("HUMANS");
        auto* ani = new zCModelAni();
        ani->aniName = name;
        ani->numFrames = 11;
        ani->fps = 25.0f;
        ani->sourceFps = 25.0f;
        g_jobDestDir = "\\DATA\\ANIMS\\";
        ani->SaveMAN(*proto, "");
        g_jobDestDir = "\\OUT\\";
        ani->Release();
        proto->Release();
    }

    // A model with every entry and event kind; unknown and group chunks at the places
    // marked.
    std::string Script(bool extras = false)
    {
        return Written([&](zCBinChunkFile& f) {
            f.StartChunk(zMSB_HEADER);
            f.WriteU32(1);
            f.WriteLine("\\_WORK\\DATA\\ANIMS\\");
            f.StartChunk(zMSB_SOURCE);
            WriteFileDate(f, zTFileDate{});
            f.WriteLine("\\_WORK\\DATA\\ANIMS\\HUMANS.MDS");
            if (extras) {
                f.StartChunk(0x1234);
                f.WriteU32(77);
            }
            f.StartChunk(zMSB_MODEL);
            f.StartChunk(zMSB_MESH_AND_TREE);
            f.WriteU32(1);
            f.WriteLine("HUM_BODY");
            f.StartChunk(zMSB_REGISTER_MESH);
            f.WriteLine("HUM_HEAD.ASC");
            f.StartChunk(zMSB_ANI_ENUM);
            zTMsbEntry cap;
            cap.fps = 30.0f;
            WriteMsbEntry(f, zMSB_ANI_MAX_FPS, cap);
            zTMsbEntry walk;
            walk.name = "T_WALK";
            walk.layer = 1;
            walk.next = "T_WALK";
            walk.blendIn = 0.25f;
            walk.flags = "M.";
            walk.source = "HUM_WALK.ASC";
            walk.direction = "F";
            walk.firstFrame = 10;
            walk.lastFrame = 20;
            walk.fps = 25.0f;  // below the cap in force: must be written
            walk.cvs = 12.0f;
            WriteMsbEntry(f, zMSB_ANI, walk);
            if (extras) {
                f.StartChunk(zMSB_ANI_GROUP);
                f.StartChunk(0x7777);
                f.WriteLine("SKIP ME");
            }
            f.StartChunk(zMSB_EVENTS);
            f.WriteU32(11);
            zTMsbEvent e;
            e.frame = 12;
            e.texts[0] = "STEP";
            e.values[0] = 3500.0f;
            e.values[1] = 0.0f;
            WriteMsbEvent(f, zMSB_EVENT_SFX, e);
            e.values[0] = 1000.0f;
            e.values[1] = 1.0f;
            e.frame = 0;
            WriteMsbEvent(f, zMSB_EVENT_SFX_GRND, e);
            zTMsbEvent tag;
            tag.frame = 30;  // beyond the last frame: clamped
            tag.texts[0] = "DEF_HIT";
            tag.texts[1] = "BIP01 R HAND";
            tag.texts[3] = "X";
            WriteMsbEvent(f, zMSB_EVENT_TAG, tag);
            if (extras) {
                f.StartChunk(0xF5AE);
                f.WriteLine("NOT AN EVENT");
            }
            zTMsbEvent pfx;
            pfx.frame = -1;
            pfx.values[0] = 1.0f;
            pfx.texts[0] = "FX_DUST";
            pfx.texts[1] = "BIP01";
            pfx.values[1] = 1.0f;
            WriteMsbEvent(f, zMSB_EVENT_PFX, pfx);
            WriteMsbEvent(f, zMSB_EVENT_PFX_STOP, pfx);
            WriteMsbEvent(f, zMSB_EVENT_PFX_GRND, pfx);
            zTMsbEvent mesh;
            mesh.frame = 15;
            mesh.texts[0] = "HEAD_A";
            mesh.texts[1] = "HEAD_B";
            WriteMsbEvent(f, zMSB_EVENT_SET_MESH, mesh);
            mesh.frame = 10;
            WriteMsbEvent(f, zMSB_EVENT_SWAP_MESH, mesh);
            zTMsbEvent morph;
            morph.frame = 11;
            morph.texts[0] = "S_EYES";
            morph.values[0] = 1.0f;
            morph.values[1] = 0.5f;
            WriteMsbEvent(f, zMSB_EVENT_MM_START_ANI, morph);
            zTMsbEvent tremor;
            tremor.frame = 14;
            tremor.values[0] = 1.0f;
            tremor.values[1] = 200.0f;
            tremor.values[2] = 0.00001f;
            tremor.values[3] = 1500000.0f;
            WriteMsbEvent(f, zMSB_EVENT_CAM_TREMOR, tremor);
            f.StartChunk(zMSB_EVENTS_END);
            zTMsbEntry alias = walk;
            alias.name = "T_WALKL";
            alias.source = "T_WALK";
            alias.direction = "R";
            WriteMsbEntry(f, zMSB_ANI_ALIAS, alias);
            zTMsbEntry blend;
            blend.name = "T_WALK_2_RUN";
            blend.next = "T_WALK";
            blend.blendOut = 0.1f;
            WriteMsbEntry(f, zMSB_ANI_BLEND, blend);
            blend.name = "T_SYNC";
            WriteMsbEntry(f, zMSB_ANI_SYNC, blend);
            zTMsbEntry comb = walk;
            comb.name = "T_LOOK";
            comb.source = "T_LOOKAT";
            comb.count = 9;
            WriteMsbEntry(f, zMSB_ANI_COMB, comb);
            zTMsbEntry disable;
            disable.name = "T_JUMP";
            WriteMsbEntry(f, zMSB_ANI_DISABLE, disable);
            zTMsbEntry modelTag;
            modelTag.name = "DEF_HIT_LIMB";
            modelTag.args[0] = "ZS_RIGHTHAND";
            WriteMsbEntry(f, zMSB_MODEL_TAG, modelTag);
            f.StartChunk(zMSB_ANI_ENUM_END);
            f.StartChunk(zMSB_MODEL_END);
            f.StartChunk(zMSB_END);
        });
    }

    // Converts HUMANS.MSB on the second platform; the result and the text written.
    int Convert(std::string& text)
    {
        g_jobMode = 2;
        g_platform = 1;
        ClearRecordedSourceStamps();  // as the tool entry does after each job
        // Released also when a fatal report ends the load.
        struct Hold {
            zCModelPrototype* proto = new zCModelPrototype();
            ~Hold() { proto->Release(); }
        } hold;
        zCModelPrototype* proto = hold.proto;
        text.clear();
        const int result = proto->LoadModelScriptMsb("HUMANS");
        lastAnis = proto->aniList.GetNum();
        lastTags = proto->modelTagList.GetNum();
        lastEvents.clear();
        if (zCModelAni* walk = proto->SearchAni("T_WALK"))
            if (walk->aniEvents)
                lastEvents = *walk->aniEvents;
        text = box.Read("OUT/HUMANS.MDS");
        return result;
    }

    int lastAnis = 0;
    int lastTags = 0;
    std::vector<zTAniEventRec> lastEvents;
};

TEST_F(MsbTest, EveryChunkKindHasItsBytes)
{
    zTMsbEntry e;
    e.name = "N";
    e.layer = -2;
    e.next = "X";
    e.blendIn = 0.5f;
    e.blendOut = 1.0f;
    e.flags = "M";
    e.source = "S";
    e.direction = "R";
    e.firstFrame = 3;
    e.lastFrame = -1;
    e.fps = 30.0f;
    e.speed = 2.0f;
    e.cvs = 0.0f;
    e.count = 9;
    e.args[0] = "A";
    e.args[2] = "C";
    const std::string common = T("N") + U32(0xFFFFFFFEu) + T("X") + F32(0.5f) + F32(1.0f) + T("M") + T("S");
    const struct {
        std::uint16_t id;
        std::string body;
    } entries[] = {
        {zMSB_ANI_MAX_FPS, F32(30.0f)},
        {zMSB_ANI, common + T("R") + U32(3) + U32(0xFFFFFFFFu) + F32(30.0f) + F32(2.0f) + F32(0.0f)},
        {zMSB_ANI_ALIAS, common + T("R")},
        {zMSB_ANI_BLEND, T("N") + T("X") + F32(0.5f) + F32(1.0f)},
        {zMSB_ANI_SYNC, T("N") + T("X")},
        {zMSB_ANI_COMB, common + U32(9)},
        {zMSB_ANI_DISABLE, T("N")},
        {zMSB_MODEL_TAG, T("N") + T("A") + T("") + T("C") + T("")},
    };
    for (const auto& c : entries) {
        const std::string bytes = Written([&](zCBinChunkFile& f) { WriteMsbEntry(f, c.id, e); });
        EXPECT_EQ(bytes, Header(c.id, c.body.size()) + c.body) << std::hex << c.id;
        // Read back, the fields write the same bytes again.
        box.Write("IN.BIN", bytes);
        zCBinChunkFile in;
        ASSERT_EQ(in.Open("\\IN.BIN"), 0);
        std::uint16_t id = 0;
        std::uint32_t length = 0;
        ASSERT_TRUE(in.ReadChunkHeader(id, length));
        zTMsbEntry back;
        ASSERT_TRUE(ReadMsbEntry(in, id, back));
        EXPECT_EQ(Written([&](zCBinChunkFile& f) { WriteMsbEntry(f, c.id, back); }), bytes) << std::hex << c.id;
    }

    const zTMsbModelChunk model{7, "F"};
    const struct {
        std::uint16_t id;
        std::string body;
    } modelChunks[] = {
        {zMSB_HEADER, U32(7) + T("F")},
        {zMSB_MESH_AND_TREE, U32(7) + T("F")},
        {zMSB_REGISTER_MESH, T("F")},
    };
    for (const auto& c : modelChunks) {
        const std::string bytes = Written([&](zCBinChunkFile& f) { WriteMsbModelChunk(f, c.id, model); });
        EXPECT_EQ(bytes, Header(c.id, c.body.size()) + c.body) << std::hex << c.id;
    }

    zTMsbEvent v;
    v.frame = -1;
    v.texts[0] = "A";
    v.texts[1] = "B";
    v.texts[2] = "";
    v.texts[3] = "D";
    v.texts[4] = "E";
    v.values[0] = 1.5f;
    v.values[1] = 2.0f;
    v.values[2] = 3.0f;
    v.values[3] = 4.0f;
    const std::string frame = U32(0xFFFFFFFFu);
    const struct {
        std::uint16_t id;
        int kind;
        std::string body;
    } events[] = {
        {zMSB_EVENT_SFX, 1, frame + T("A") + F32(1.5f) + F32(2.0f)},
        {zMSB_EVENT_SFX_GRND, 2, frame + T("A") + F32(1.5f) + F32(2.0f)},
        {zMSB_EVENT_TAG, 0, frame + T("A") + T("B") + T("") + T("D") + T("E")},  // the tag and four arguments
        {zMSB_EVENT_PFX, 6, frame + F32(1.5f) + T("A") + T("B") + F32(2.0f)},
        {zMSB_EVENT_PFX_STOP, 8, frame + F32(1.5f)},
        {zMSB_EVENT_PFX_GRND, 7, frame},
        {zMSB_EVENT_SET_MESH, 9, frame + T("A")},
        {zMSB_EVENT_SWAP_MESH, 4, frame + T("A") + T("B")},
        {zMSB_EVENT_MM_START_ANI, 10, frame + T("A") + T("B") + F32(1.5f) + F32(2.0f)},
        {zMSB_EVENT_CAM_TREMOR, 11, frame + F32(1.5f) + F32(2.0f) + F32(3.0f) + F32(4.0f)},
    };
    for (const auto& c : events) {
        EXPECT_EQ(Written([&](zCBinChunkFile& f) { WriteMsbEvent(f, c.id, v); }), Header(c.id, c.body.size()) + c.body)
            << std::hex << c.id;
        EXPECT_EQ(MsbEventKind(c.id), c.kind);
    }
    EXPECT_EQ(MsbEventKind(zMSB_EVENTS), -1);
    EXPECT_EQ(MsbEventKind(zMSB_EVENTS_END), -1);
}

TEST(MdsText, NumberForms)
{
    const struct {
        float value;
        const char* text;
    } cases[] = {
        {0.25f, "0.25"}, {0.00001f, "1e-05"}, {25.0f, "25"}, {1500000.0f, "1.5e+06"}, {-2.0f, "-2"},
        {3500.0f, "3500"}, {0.1f, "0.1"},
        // Six digits would lose this value: it gets the digits that keep it.
        {0.1234567f, "0.123456702"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(MdsFloatText(c.value)), c.text) << c.value;
    EXPECT_EQ(std::string(MdsBlendText(0.0f)), "0.0");
    EXPECT_EQ(std::string(MdsBlendText(0.25f)), "0.25");
}

TEST_F(MsbTest, ConvertsToAlignedText)
{
    WriteMan("T_WALK");
    box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", Script());
    std::string text;
    ASSERT_EQ(Convert(text), 1);
    // Every row of a block padded to its columns; each event block aligned on its own;
    // the empty tag argument kept in its place; the tremor's first value halved back; the
    // "FPS:" cell for the rate 25 under another aniMaxFPS.
    const std::string expected =
        "//++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++\r\n"
        "// Last Changes:\r\n"
        "//++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++++\r\n"
        "\r\n"
        "Model (\"Humans\")\r\n"
        "{\r\n"
        "\tmeshAndTree (\"HUM_BODY.ASC\" DONT_USE_MESH)\r\n"
        "\tregisterMesh (\"HUM_HEAD.ASC\")\r\n"
        "\taniEnum\r\n"
        "\t{\r\n"
        "\t\taniMaxFPS  (30)                                                                                        \r\n"
        "\t\tani        (\"T_WALK\"       1               \"T_WALK\" 0.25 0.0  M. \"HUM_WALK.ASC\" F  10 20 FPS:25 CVS:12)\r\n"
        "\t\t{\r\n"
        "\t\t\t*eventSFX        (12  \"STEP\"    R:3500         EMPTY_SLOT)         \r\n"
        "\t\t\t*eventSFXGrnd    (0   \"STEP\")                                      \r\n"
        "\t\t\t*eventTag        (30  \"DEF_HIT\" \"Bip01 R Hand\" \"\"          \"X\")    \r\n"
        "\t\t\t*eventPFX        (-1  1         \"FX_DUST\"      \"BIP01\"     ATTACH) \r\n"
        "\t\t\t*eventPFXStop    (-1  1)                                           \r\n"
        "\t\t\t*eventPFXGrnd    (-1)                                              \r\n"
        "\t\t\t*eventSetMesh    (15  \"HEAD_A\")                                    \r\n"
        "\t\t\t*eventSwapMesh   (10  \"HEAD_A\"  \"HEAD_B\")                          \r\n"
        "\t\t\t*eventMMStartAni (11  \"S_EYES\"  H:0.5)                             \r\n"
        "\t\t\t*eventCamTremor  (14  0.5       200            1e-05       1.5e+06)\r\n"
        "\t\t}\r\n"
        "\t\taniAlias   (\"T_WALKL\"      1               \"T_WALK\" 0.25 0.0  M. \"T_WALK\"       R)                     \r\n"
        "\t\taniBlend   (\"T_WALK_2_RUN\"                 \"T_WALK\" 0.0  0.1)                                          \r\n"
        "\t\taniSync    (\"T_SYNC\"       \"T_WALK\")                                                                   \r\n"
        "\t\taniComb    (\"T_LOOK\"       1               \"T_WALK\" 0.25 0.0  M. \"T_LOOKAT\"     9)                     \r\n"
        "\t\taniDisable (\"T_JUMP\")                                                                                  \r\n"
        "\t\tmodelTag   (\"DEF_HIT_LIMB\" \"ZS_RIGHTHAND\")                                                             \r\n"
        "\t}\r\n"
        "}\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(lastAnis, 6);
    EXPECT_EQ(lastTags, 1);
    ASSERT_EQ(lastEvents.size(), 11u);
    EXPECT_EQ(lastEvents[0].eventKind, 1);
    EXPECT_EQ(lastEvents[0].frameNumber, 2);
    EXPECT_EQ(lastEvents[1].frameNumber, 0);
    EXPECT_EQ(lastEvents[2].frameNumber, 10);  // 20 beyond the first frame, clamped
    EXPECT_EQ(lastEvents[3].frameNumber, 10);  // -1: the last frame
    EXPECT_FLOAT_EQ(lastEvents[9].floatValues[0], 1.0f);  // the record keeps the stored value
    EXPECT_EQ(lastEvents[10].eventKind, 0);  // announced but never sent
    EXPECT_TRUE(HasLine("Frame-Number is out of bounds, ani: T_WALK"));
    // No hierarchy was compiled for the test: the load names it.
    EXPECT_EQ(g_modelLoadError, 1);
    EXPECT_EQ(std::string(g_lastModelFile), "HUMANS.MDH");
}

} // namespace

namespace {

TEST_F(MsbTest, UnknownChunksAreSkippedAndAGroupMarkerIsReadThrough)
{
    WriteMan("T_WALK");
    box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", Script());
    std::string plain;
    ASSERT_EQ(Convert(plain), 1);
    box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", Script(true));
    std::string withExtras;
    ASSERT_EQ(Convert(withExtras), 1) << withExtras;
    EXPECT_EQ(withExtras, plain);
    EXPECT_EQ(lastEvents.size(), 11u);
}

TEST_F(MsbTest, EventFramesFarOutsideTheIntRangeLandOnTheNearestFrame)
{
    WriteMan("T_WALK");
    box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", Written([&](zCBinChunkFile& f) {
        f.StartChunk(zMSB_MODEL);
        f.StartChunk(zMSB_ANI_ENUM);
        zTMsbEntry walk;
        walk.name = "T_WALK";
        walk.firstFrame = -10;  // the distance to the largest frame exceeds the int range
        WriteMsbEntry(f, zMSB_ANI, walk);
        zTMsbEntry group;
        group.count = 2;
        WriteMsbEntry(f, zMSB_EVENTS, group);
        zTMsbEvent e;
        e.frame = INT_MAX;
        WriteMsbEvent(f, zMSB_EVENT_SFX, e);
        WriteMsbEvent(f, zMSB_EVENT_PFX, e);
        f.StartChunk(zMSB_EVENTS_END);
        f.StartChunk(zMSB_ANI_ENUM_END);
        f.StartChunk(zMSB_MODEL_END);
    }));
    std::string text;
    ASSERT_EQ(Convert(text), 1) << text;
    ASSERT_EQ(lastEvents.size(), 2u);
    for (const zTAniEventRec& rec : lastEvents)
        EXPECT_EQ(rec.frameNumber, 10);  // the last frame, with a warning
    EXPECT_TRUE(HasLine("Frame-Number is out of bounds, ani: T_WALK"));
}

TEST_F(MsbTest, DamagedScriptsFailWithTheirReason)
{
    // No hierarchy chunk, so that each case names its own missing file.
    std::string whole = Script();
    whole[whole.find(U16(zMSB_MESH_AND_TREE)) + 1] = 0x13;
    const std::size_t events = whole.find(Header(zMSB_EVENTS, 4));
    const std::size_t secondEvent = whole.find(U16(zMSB_EVENT_SFX_GRND), events);
    const std::size_t ani = whole.find(U16(zMSB_ANI), whole.find(U16(zMSB_ANI_MAX_FPS)));
    ASSERT_NE(events, std::string::npos);
    ASSERT_NE(secondEvent, std::string::npos);
    ASSERT_NE(ani, std::string::npos);
    auto patched = [&](std::size_t at, const std::string& bytes) {
        std::string s = whole;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    const struct {
        const char* what;
        std::string bytes;
        bool man;
        const char* message;  // a fragment of the reported line, or empty
        const char* missing;  // g_lastModelFile
    } cases[] = {
        {"version", patched(6, U32(2)), true, "has version 2", "HUMANS.MSB"},
        {"cut in an event group", whole.substr(0, secondEvent), true, "", "HUMANS.MSB"},
        {"events before any ani", patched(ani, U16(0x1111)), true, "before any animation", "HUMANS.MSB"},
        {"count beyond the field", patched(events + 6, U32(40)), true, "announces 40 events", "HUMANS.MSB"},
        {"chunk longer than the file", patched(whole.find(U16(zMSB_REGISTER_MESH)) + 2, U32(100000)), true, "", "HUMANS.MSB"},
        {"missing .MAN", whole, false, "", "T_WALK.MAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        box.Write("DATA/ANIMS/_compiled/HUMANS-T_WALK.MAN", "");
        if (c.man)
            WriteMan("T_WALK");
        box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", c.bytes);
        g_modelLoadError = 0;
        g_lastModelFile = "";
        std::string text;
        EXPECT_EQ(Convert(text), 0);
        EXPECT_EQ(g_modelLoadError, 1);
        EXPECT_EQ(std::string(g_lastModelFile), c.missing);
        if (*c.message) {
            EXPECT_TRUE(HasLine(c.message));
        }
        // A failed load leaves the text without the model's closing brace.
        EXPECT_FALSE(EndsWith(text, "\n}\r\n"));
    }

    // Cut in an event group: the open blocks are still closed in the text.
    WriteMan("T_WALK");
    box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", whole.substr(0, secondEvent));
    std::string text;
    EXPECT_EQ(Convert(text), 0);
    EXPECT_TRUE(EndsWith(text, "\t\t{\r\n\t\t\t*eventSFX (12 \"STEP\" R:3500 EMPTY_SLOT)\r\n\t\t}\r\n\t}\r\n")) << text;

    // More events than the group announced end the job.
    host.Clear();
    box.Write("DATA/ANIMS/_compiled/HUMANS.MSB", patched(events + 6, U32(2)));
    EXPECT_FALSE(RunJob([&] { Convert(text); }));
    EXPECT_TRUE(HasLine("Error: More effects in animation than specified in header!"));

    // No file at all: nothing said, nothing missing named, no text.
    host.Clear();
    std::filesystem::remove(box.Path("DATA/ANIMS/_compiled/HUMANS.MSB"));
    std::filesystem::remove(box.Path("OUT/HUMANS.MDS"));
    g_modelLoadError = 0;
    g_lastModelFile = "";
    EXPECT_EQ(Convert(text), 0);
    EXPECT_EQ(g_modelLoadError, 0);
    EXPECT_TRUE(host.GetLines().empty());
    EXPECT_EQ(text, "");
}

} // namespace
