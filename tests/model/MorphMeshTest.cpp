// Morph meshes: compiling a morph script from hand-written ASC exports, the .MMB file
// and its reader's checks, sharing by name, converting, decompiling and compiling back,
// and the morph-mesh visual.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "AscFixture.h"
#include "ErrorBoxCatcher.h"
#include "LittleEndian.h"
#include "ModelTools.h"
#include "ModelServices.h"
#include "zCBinChunkFile.h"
#include "zCMesh.h"
#include "zCMorphMesh.h"
#include "zCMorphMeshProto.h"
#include "zCProgMeshProto.h"
#include "zFileSystem.h"

namespace {

using namespace asc;

// BoxMesh around the origin with some vertices moved (exporter's axes).
std::string MovedBox(const std::map<int, zVEC3>& moves)
{
    std::string s = BoxMesh(0, 0, 0);
    for (const auto& [index, by] : moves) {
        const std::string key = "*MESH_VERTEX    " + std::to_string(index) + "\t";
        const std::size_t at = s.find(key);
        const std::size_t end = s.find("\r\n", at);
        const float x = ((index & 1) ? 1.0f : -1.0f) + by.x;
        const float y = ((index & 2) ? 1.0f : -1.0f) + by.y;
        const float z = ((index & 4) ? 1.0f : -1.0f) + by.z;
        s.replace(at, end - at, key + Num(x) + "\t" + Num(y) + "\t" + Num(z));
    }
    return s;
}

std::string MeshNode(const std::string& body)
{
    return Object("ZM_Head", "", 0, 0, 0, "\t*MATERIAL_REF 0\r\n" + body);
}

std::string RefAsc()
{
    return Header() + Scene(0, 0) + Materials() + MeshNode(BoxMesh(0, 0, 0));
}

// Frames 0-5: 0-2 lift vertex 7, 3 moves vertices 0 and 1, 4-5 move nothing.
std::string AniAsc()
{
    std::string frames = "\t*MESH_ANIMATION {\r\n";
    for (float lift : {0.5f, 1.0f, 1.5f})
        frames += MovedBox({{7, zVEC3(0, 0, lift)}});
    frames += MovedBox({{0, zVEC3(0.25f, 0, 0)}, {1, zVEC3(0, -0.5f, 0)}});
    frames += MovedBox({}) + MovedBox({});
    frames += "\t}\r\n";
    return Header() + Scene(0, 5, 30) + Materials() + MeshNode(frames);
}

// Written in mixed case with comments: every keyword is found upper-cased.
const char* const kScript =
    "morphMesh (\"Head\")\n"
    "{\n"
    "\tmorphRef (\"HEAD.ASC\")\n"
    "\tmorphAni (\"R_Lift\" 1 0.1 2 0.2 . \"head_ani.asc\" 0 2 SPD:25)\n"
    "\tMORPHANI (\"S_Shift\" 0 0 -1 0 . \"HEAD_ANI.ASC\" 3 3)\n"
    "\tmorphani (\"T_Shape\" 3 0.5 2 0.5 SRL \"HEAD.ASC\" 0 0)\n"
    "//\tmorphAni (\"T_Gone\" 0 0 0 0 . \"HEAD_ANI.ASC\" 0 0)\n"
    "\tmorphAni (\"T_Also\" 0 0 0 0 . \"HEAD_ANI.ASC\" 0 0) // left out\n"
    "\tmorphAni (\"T_Still\" 0 0 0 0 . \"HEAD_ANI.ASC\" 4 5)\n"
    "}\n";

// Per frame, the reference position and the moved position of each animated vertex,
// sorted: what a morph ani does, whatever order the reference mesh keeps.
using zTMoves = std::vector<std::vector<std::pair<zVEC3, zVEC3>>>;

// Ordered on a grid of 0.001, so that rounding noise does not reorder.
bool Less(const zVEC3& a, const zVEC3& b)
{
    for (int c = 0; c < 3; ++c) {
        const long p = std::lround(a[c] * 1000.0f);
        const long q = std::lround(b[c] * 1000.0f);
        if (p != q)
            return p < q;
    }
    return false;
}

zTMoves Moves(const zCMorphMeshProto& proto, const zCMorphMeshAni& ani)
{
    zTMoves moves(ani.numMorphFrames);
    for (std::uint32_t f = 0; f < ani.numMorphFrames; ++f) {
        for (std::uint32_t j = 0; j < ani.numVerts; ++j) {
            const zVEC3 ref = proto.GetRefPositions()[ani.vertIndexList[j]];
            const zVEC3 value = ani.morphPositions[f * ani.numVerts + j];
            moves[f].emplace_back(ref, (ani.morphFlags & zMORPH_FLAG_REF_SHAPE) ? value : ref + value);
        }
        std::sort(moves[f].begin(), moves[f].end(), [](const auto& a, const auto& b) { return Less(a.first, b.first); });
    }
    return moves;
}

void ExpectSameMoves(const zTMoves& a, const zTMoves& b, const std::string& ani)
{
    ASSERT_EQ(a.size(), b.size()) << ani;
    for (std::size_t f = 0; f < a.size(); ++f) {
        ASSERT_EQ(a[f].size(), b[f].size()) << ani << " frame " << f;
        for (std::size_t j = 0; j < a[f].size(); ++j) {
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(a[f][j].first[c], b[f][j].first[c], 1e-3f) << ani << " frame " << f;
                EXPECT_NEAR(a[f][j].second[c], b[f][j].second[c], 1e-3f) << ani << " frame " << f;
            }
        }
    }
}

// The chunk ids and body lengths of a chunk file's bytes, in order.
std::vector<std::pair<int, std::uint32_t>> Chunks(const std::string& bytes)
{
    std::vector<std::pair<int, std::uint32_t>> chunks;
    std::size_t at = 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    while (at + 6 <= bytes.size()) {
        const std::uint32_t length = zGetLE32(data + at + 2);
        chunks.emplace_back(zGetLE16(data + at), length);
        at += 6 + length;
    }
    return chunks;
}

class MorphMeshTest : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        zCOption::SetStartDirectory("\\DATA");
        options.Init("", 0);
        g_jobDestDir = "\\DATA\\ANIMS\\";
        savedKind = g_modelKind;
        savedCurrent = g_currentDirectory;
        g_modelKind = 2;
        box.MakeDir("DATA/ANIMS/_compiled");
        WriteTex("SKIN-C.TEX", 5, 8, 8, 1, 8, 8);
        box.Write("DATA/ANIMS/HEAD.ASC", RefAsc());
        box.Write("DATA/ANIMS/HEAD_ANI.ASC", AniAsc());
        box.Write("DATA/ANIMS/HEAD.MMS", kScript);
    }
    void TearDown() override
    {
        ClearRecordedSourceStamps();
        g_modelKind = savedKind;
        g_currentDirectory = savedCurrent;
        zCOption::SetStartDirectory("");
        ModelFixture::TearDown();
    }

    // Runs an entry as a build job in the mode; false when a fatal report ended it.
    bool Run(int mode, void (*entry)(zSTRING&), const char* fileName)
    {
        g_jobMode = mode;
        zSTRING name = fileName;
        return RunJob([&] { entry(name); });
    }
    bool Compile() { return Run(4, &CompileMorphMesh, "\\DATA\\ANIMS\\HEAD.MMS"); }

    // A prototype read from the compiled folder; the caller releases it.
    zCMorphMeshProto* Read(const char* name)
    {
        auto* proto = new zCMorphMeshProto();
        EXPECT_TRUE(proto->LoadMMB(name)) << name;
        return proto;
    }

    int savedKind = 0;
    zSTRING savedCurrent;
};

TEST_F(MorphMeshTest, CompileReadsTheScriptIntoAnMmb)
{
    ASSERT_TRUE(Compile());
    EXPECT_TRUE(HasLine("Compiling MorphMesh '\\DATA\\ANIMS\\HEAD.MMS' OK."));
    ASSERT_TRUE(box.Exists("DATA/ANIMS/_compiled/HEAD.MMB"));
    EXPECT_EQ(host.GetProgress(), 100000);  // five ASC lines not commented out, five read

    zCMorphMeshProto* proto = Read("HEAD.MMB");
    EXPECT_EQ(static_cast<const std::string&>(proto->GetName()), "HEAD");
    ASSERT_NE(proto->GetRefMesh(), nullptr);
    EXPECT_EQ(proto->GetRefPositions().size(), 8u);
    EXPECT_EQ(proto->GetRefMesh()->GetNumTriangles(), 12);
    EXPECT_FLOAT_EQ(proto->GetRefMesh()->lodParams[0], 0.35f);
    EXPECT_FLOAT_EQ(proto->GetRefMesh()->lodParams[2], 0.03f);

    struct Expected {
        const char* name;
        const char* file;
        int layer;
        float blendIn, hold, blendOut, speed;
        const char* flags;
        unsigned verts, frames;
    };
    // T_STILL never moves a vertex in two frames and is dropped; T_ALSO carries a
    // comment and is skipped whole.
    const Expected expected[] = {
        {"R_LIFT", "HEAD_ANI.ASC", 1, 0.001f / 0.1f, 2000.0f, -0.001f / 0.2f, 0.025f, ".", 1, 3},
        {"S_SHIFT", "HEAD_ANI.ASC", 0, 0.001f * FLT_MAX, -1000.0f, -0.001f * FLT_MAX, 0.030f, "L", 2, 1},
        {"T_SHAPE", "HEAD.ASC", 999, 0.001f / 0.5f, 2000.0f, -0.001f / 0.5f, 0.025f, "SR", 8, 1},
    };
    ASSERT_EQ(proto->GetNumAnis(), 3);
    for (int i = 0; i < 3; ++i) {
        const Expected& e = expected[i];
        const zCMorphMeshAni& ani = proto->GetAni(i);
        SCOPED_TRACE(e.name);
        EXPECT_EQ(static_cast<const std::string&>(ani.morphAniName), e.name);
        EXPECT_EQ(ani.layer, e.layer);
        EXPECT_FLOAT_EQ(ani.blendInPerMs, e.blendIn);
        EXPECT_FLOAT_EQ(ani.holdTimeMs, e.hold);
        EXPECT_FLOAT_EQ(ani.blendOutPerMs, e.blendOut);
        EXPECT_FLOAT_EQ(ani.speedPerMs, e.speed);
        EXPECT_EQ(static_cast<const std::string&>(MorphFlagLetters(ani.morphFlags)), e.flags);
        EXPECT_EQ(ani.numVerts, e.verts);
        EXPECT_EQ(ani.numMorphFrames, e.frames);
        EXPECT_EQ(ani.vertIndexList.size(), e.verts);
        EXPECT_EQ(ani.morphPositions.size(), e.verts * e.frames);
    }
    // R_LIFT lifts one corner by 0.5 a frame: the exporter's z is the engine's y.
    const zTMoves lift = Moves(*proto, proto->GetAni(0));
    for (int f = 0; f < 3; ++f) {
        const auto& [ref, moved] = lift[static_cast<std::size_t>(f)][0];
        EXPECT_NEAR(moved.y - ref.y, 0.5f * static_cast<float>(f + 1), 1e-4f);
        EXPECT_NEAR(moved.x - ref.x, 0.0f, 1e-4f);
    }
    // The reference shape holds the absolute positions of every vertex.
    const zTMoves shape = Moves(*proto, proto->GetAni(2));
    for (const auto& [ref, moved] : shape[0])
        EXPECT_NEAR((moved - ref).Length(), 0.0f, 1e-4f);
    proto->Release();
}

TEST_F(MorphMeshTest, AScriptThatGivesNoMorphMeshWritesNothing)
{
    struct Case {
        const char* what;
        const char* script;  // null: no script at all
        const char* reason;
    };
    const Case cases[] = {
        {"missing script", nullptr, "Morph script '\\DATA\\ANIMS\\HEAD.MMS' not found."},
        {"no morphRef", "morphMesh (\"Head\")\n{\n}\n", "names no reference mesh"},
        {"missing reference ASC", "morphMesh (\"Head\")\n{\n\tmorphRef (\"NOBODY.ASC\")\n}\n",
         "Morph source 'NOBODY.ASC' not found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        std::filesystem::remove(box.Path("DATA/ANIMS/HEAD.MMS"));
        if (c.script)
            box.Write("DATA/ANIMS/HEAD.MMS", c.script);
        // A file an earlier run left behind stays as it was.
        box.Write("DATA/ANIMS/_compiled/OLD.MMB", "old");
        EXPECT_TRUE(Compile());
        EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/HEAD.MMB"));
        EXPECT_TRUE(HasLine(c.reason));
        EXPECT_TRUE(HasLine("Compiling MorphMesh '\\DATA\\ANIMS\\HEAD.MMS' failed; no .MMB is written."));
        EXPECT_FALSE(HasLine("OK"));
        EXPECT_EQ(g_morphProtoList, nullptr);
    }
}

TEST_F(MorphMeshTest, MismatchedFramesEndTheJob)
{
    // The box with eight more vertices that no face uses.
    std::string sixteen = BoxMesh(0, 0, 0);
    std::string more;
    for (int i = 8; i < 16; ++i)
        more += "\t\t\t*MESH_VERTEX    " + std::to_string(i) + "\t5.0000\t0.0000\t0.0000\r\n";
    sixteen.insert(sixteen.find("\t\t}\r\n\t\t*MESH_FACE_LIST"), more);
    sixteen.replace(sixteen.find("*MESH_NUMVERTEX 8"), 17, "*MESH_NUMVERTEX 16");
    box.Write("DATA/ANIMS/BAD.ASC", Header() + Scene(0, 0) + Materials() + MeshNode(sixteen));
    struct Case {
        const char* flags;
        const char* message;
    };
    const Case cases[] = {
        {".", "animated mesh has more verts/polys than morphRef-mesh"},
        {"R", "verts/polys of refShapeAni differ from morphRef-mesh"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        host.Clear();
        box.Write("DATA/ANIMS/HEAD.MMS", std::string("morphMesh (\"Head\")\n{\n\tmorphRef (\"HEAD.ASC\")\n"
                                                     "\tmorphAni (\"T_BAD\" 0 0 0 0 ") +
                                             c.flags + " \"BAD.ASC\" 0 0)\n}\n");
        EXPECT_FALSE(Compile());
        EXPECT_TRUE(HasLine(c.message));
        EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/HEAD.MMB"));
        EXPECT_EQ(g_morphProtoList, nullptr);
    }
}

TEST_F(MorphMeshTest, StopBuildEndsTheJobAfterTheAscFileInWork)
{
    {
        // Chosen once the first morph ani's source is read: the second's, then in work, is the last.
        StopAtStep stop(host, 2);
        ASSERT_TRUE(Compile());
    }
    std::vector<std::string> expected = {"Loading Morph-Script: HEAD.MMS", "HEAD.ASC", "HEAD_ANI.ASC", "HEAD_ANI.ASC",
                                         "Break building: 0 error(s), 0 warning(s)"};
    EXPECT_EQ(Texts(), expected);
    EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/HEAD.MMB"));
    EXPECT_EQ(g_morphProtoList, nullptr);

    // Decompiling: the script and the ASC file in work are written whole, then the job ends.
    ASSERT_TRUE(Compile());
    host.Clear();
    box.MakeDir("DATA/ANIMS/BACK/_compiled");
    g_jobDestDir = "\\DATA\\ANIMS\\BACK\\";
    host.GetSettings().BuildJobThread = 0;
    ASSERT_TRUE(Run(3, &DecompileMorphMesh, "HEAD"));
    EXPECT_EQ(Texts().back(), "Break building: 0 error(s), 0 warning(s)");
    EXPECT_FALSE(HasLine("decompiled OK"));
    EXPECT_EQ(box.Read("DATA/ANIMS/BACK/HEAD_ANI.ASC").substr(0, 4), "*3DS");
    EXPECT_NE(box.Read("DATA/ANIMS/BACK/HEAD.MMS").find("}\n"), std::string::npos);
}

TEST_F(MorphMeshTest, FileLayout)
{
    ASSERT_TRUE(Compile());
    zCMorphMeshProto* proto = Read("HEAD.MMB");
    // Two anis of 12 frames of 5 vertices and none: the record sizes and the empty lists.
    auto ani = std::make_unique<zCMorphMeshAni>();
    ani->morphAniName = "T_TWELVE";
    ani->numVerts = 5;
    ani->numMorphFrames = 12;
    ani->vertIndexList = {0, 1, 2, 3, 4};
    ani->morphPositions.assign(60, zVEC3(1, 2, 3));
    const zSTRING name = proto->GetName();
    std::vector<std::pair<int, std::uint32_t>> chunks;
    {
        zCMorphMeshProto empty;
        empty.SetName("EMPTY");
        proto->GetRefMesh()->AddRef();
        empty.SetRefMesh(proto->GetRefMesh());
        // The file written waits for the insert into the game; its folder is spelt ANIMS,
        // not Anims, so the path is kept whole.
        host.GetSettings().InsertInGame = 1;
        ASSERT_TRUE(empty.SaveMMB("EMPTY.MMB"));
        host.GetSettings().InsertInGame = 0;
        EXPECT_EQ(host.GetInsertFileList(), std::vector<zSTRING>{"\\DATA\\ANIMS\\_compiled\\EMPTY.MMB"});
        chunks = Chunks(box.Read("DATA/ANIMS/_compiled/EMPTY.MMB"));
        empty.AddAni(std::move(ani));
        ASSERT_TRUE(empty.SaveMMB("TWELVE.MMB"));
    }
    const std::vector<int> ids = {0xE000, 0xE020, 0xB100, 0xB1FF, 0xE010, 0xE030};
    ASSERT_EQ(chunks.size(), ids.size());
    for (std::size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(chunks[i].first, ids[i]);
    EXPECT_EQ(chunks[0].second, 0u);
    EXPECT_EQ(chunks[1].second, 4u + 6u);  // version and "EMPTY\n"
    EXPECT_EQ(chunks[3].second, 8u * 12u);  // the reference positions
    EXPECT_EQ(chunks[4].second, 2u);
    EXPECT_EQ(chunks[5].second, 2u);
    const auto twelve = Chunks(box.Read("DATA/ANIMS/_compiled/TWELVE.MMB"));
    ASSERT_EQ(twelve.size(), 6u);
    EXPECT_EQ(twelve[5].second, 2u + 9u + 29u + 20u + 720u);

    // Read back whole.
    zCMorphMeshProto* back = Read("TWELVE.MMB");
    ASSERT_EQ(back->GetNumAnis(), 1);
    EXPECT_EQ(back->GetAni(0).morphPositions[59], zVEC3(1, 2, 3));
    EXPECT_EQ(back->GetRefPositions(), proto->GetRefPositions());
    back->Release();
    proto->Release();
}

TEST_F(MorphMeshTest, DamagedFilesAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(Compile());
    const std::string good = box.Read("DATA/ANIMS/_compiled/HEAD.MMB");
    const auto chunks = Chunks(good);
    // Where the anis' chunk starts and its first record's counts lie.
    std::size_t anisAt = 0;
    for (const auto& chunk : chunks) {
        if (chunk.first == 0xE030)
            break;
        anisAt += 6 + chunk.second;
    }
    const std::size_t countsAt = good.find("R_LIFT\n", anisAt) + 7 + 21;
    auto patched = [&](std::size_t at, std::uint32_t value) {
        std::string bytes = good;
        zPutLE32(reinterpret_cast<unsigned char*>(&bytes[at]), value);
        return bytes;
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"cut short", good.substr(0, good.size() - 5)},
        {"cut in the mesh", good.substr(0, 40)},
        {"version 2", patched(12, 2)},
        {"vertex count beyond the file", patched(countsAt, 0x40000000u)},
        {"frame count beyond the file", patched(countsAt + 4, 0xFFFFFFFFu)},
        {"frames without vertices", patched(countsAt, 0)},
        {"vertex index past the reference", patched(countsAt + 8, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        box.Write("DATA/ANIMS/_compiled/HEAD.MMB", c.bytes);
        std::filesystem::remove(box.Path("DATA/ANIMS/HEAD.MMS"));
        auto* proto = new zCMorphMeshProto();
        proto->SetName("KEPT");
        EXPECT_TRUE(RunJob([&] { EXPECT_EQ(proto->LoadMMB("HEAD.MMB"), 0); }));
        EXPECT_EQ(static_cast<const std::string&>(proto->GetName()), "KEPT");
        EXPECT_EQ(proto->GetRefMesh(), nullptr);
        EXPECT_EQ(proto->GetNumAnis(), 0);
        proto->Release();
        // The decompiler says so and writes nothing.
        EXPECT_TRUE(Run(3, &DecompileMorphMesh, "HEAD.MMB"));
        EXPECT_TRUE(HasLine("File 'HEAD.MMB' have incompatible version or corrupted"));
        EXPECT_FALSE(HasLine("decompiled OK"));
        EXPECT_FALSE(box.Exists("DATA/ANIMS/HEAD.MMS"));
    }
}

TEST_F(MorphMeshTest, LoadSharesByUpperCaseName)
{
    ASSERT_TRUE(Compile());
    zCMorphMeshProto* first = zCMorphMeshProto::Load("head");
    ASSERT_NE(first, nullptr);
    zCMorphMeshProto* second = zCMorphMeshProto::Load("\\ELSEWHERE\\Head.mmb");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->refCtr, 2);
    EXPECT_EQ(zCMorphMeshProto::SearchName("head"), nullptr);  // byte for byte
    EXPECT_EQ(first->Release(), 1);
    EXPECT_EQ(second->Release(), 0);
    EXPECT_EQ(g_morphProtoList, nullptr);
}

TEST_F(MorphMeshTest, DestroyingAHeldPrototypeIsFatal)
{
    auto* proto = new zCMorphMeshProto();
    proto->AddRef();
    EXPECT_FALSE(RunJob([&] { delete proto; }));
    EXPECT_TRUE(HasLine("zMorphMeshProto: Reference-Ctr not zero!"));
    EXPECT_EQ(g_morphProtoList, nullptr);
}

TEST_F(MorphMeshTest, AFileThatCannotBeMadeEndsTheEntryWithoutOk)
{
    ASSERT_TRUE(Compile());
    const std::string compiled = box.Read("DATA/ANIMS/_compiled/HEAD.MMB");
    struct Case {
        int mode;
        void (*entry)(zSTRING&);
        const char* file;
    };
    const Case cases[] = {
        {4, &CompileMorphMesh, "\\DATA\\ANIMS\\HEAD.MMS"},
        {2, &ConvertMorphMesh, "HEAD.MMB"},
        {3, &DecompileMorphMesh, "HEAD.MMB"},
    };
    // A destination folder that does not exist: the file layer's report is fatal.
    g_jobDestDir = "\\NOWHERE\\";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        host.Clear();
        EXPECT_FALSE(Run(c.mode, c.entry, c.file));
        EXPECT_TRUE(HasLine("NOWHERE"));
        EXPECT_FALSE(HasLine("OK"));
        EXPECT_EQ(box.Read("DATA/ANIMS/_compiled/HEAD.MMB"), compiled);
        // Whatever ended the entry, it gives back what it took.
        EXPECT_EQ(g_platform, 0);
        EXPECT_EQ(g_meshFileVersion, 3);
        EXPECT_EQ(g_morphProtoList, nullptr);
        EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);
    }
}

TEST_F(MorphMeshTest, LoadCompilesAMissingMmbOnlyWhenTheScriptGivesOne)
{
    // Found from the current folder, as the name is given.
    g_currentDirectory = "\\DATA\\ANIMS\\";
    zCMorphMeshProto* proto = nullptr;
    ASSERT_TRUE(RunJob([&] { proto = zCMorphMeshProto::Load("HEAD"); }));
    ASSERT_NE(proto, nullptr);
    EXPECT_EQ(proto->GetNumAnis(), 3);
    EXPECT_TRUE(box.Exists("DATA/ANIMS/_compiled/HEAD.MMB"));
    proto->Release();

    ASSERT_TRUE(RunJob([&] { proto = zCMorphMeshProto::Load("NOBODY"); }));
    EXPECT_EQ(proto, nullptr);
    EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/NOBODY.MMB"));
    EXPECT_EQ(g_morphProtoList, nullptr);
}

TEST_F(MorphMeshTest, ConvertingTwiceGivesTheSameBytes)
{
    ASSERT_TRUE(Compile());
    const std::string compiled = box.Read("DATA/ANIMS/_compiled/HEAD.MMB");
    // Stamps an earlier run left recorded do not reach this run's file.
    g_recordedStampDates.InsertEnd(zTFileDate{2001, 1, 1, 0, 0, 0, 0});
    g_recordedStampPaths.InsertEnd("\\_WORK\\DATA\\ANIMS\\ELSEWHERE.ASC");

    ASSERT_TRUE(Run(2, &ConvertMorphMesh, "HEAD.MMB"));
    EXPECT_TRUE(HasLine("Model 'HEAD.MMB' converted OK."));
    EXPECT_EQ(g_platform, 0);
    const std::string converted = box.Read("DATA/ANIMS/_compiled/HEAD.MMB");
    EXPECT_NE(converted, compiled);
    EXPECT_EQ(converted.find("ELSEWHERE"), std::string::npos);
    EXPECT_EQ(g_recordedStampPaths.GetNum(), 0);

    // The second game's file converts back to the first game's.
    g_platform = 1;
    ASSERT_TRUE(Run(2, &ConvertMorphMesh, "HEAD.MMB"));
    EXPECT_EQ(box.Read("DATA/ANIMS/_compiled/HEAD.MMB"), compiled);

    host.Clear();
    ASSERT_TRUE(Run(2, &ConvertMorphMesh, "NOBODY.MMB"));
    EXPECT_TRUE(HasLine("File 'NOBODY.MMB' have incompatible version or corrupted"));
    EXPECT_FALSE(HasLine("converted OK"));
}

TEST_F(MorphMeshTest, DecompiledScriptAndAscFilesCompileBackToTheSameAnis)
{
    ASSERT_TRUE(Compile());
    box.MakeDir("DATA/ANIMS/BACK/_compiled");
    g_jobDestDir = "\\DATA\\ANIMS\\BACK\\";
    ASSERT_TRUE(Run(3, &DecompileMorphMesh, "HEAD"));
    EXPECT_TRUE(HasLine("Model file 'HEAD.MMB' decompiled OK"));

    const std::string script = box.Read("DATA/ANIMS/BACK/HEAD.MMS");
    EXPECT_EQ(script,
              "morphMesh (\"Head\")\n{\n\tmorphRef (\"Head.ASC\")\n"
              "\tmorphAni (\"R_LIFT\" 1 0.1 2 0.2 . \"HEAD_ANI.ASC\" 0 2 SPD:25)\n"
              "\tmorphAni (\"S_SHIFT\" 0 0 -1 0 L \"HEAD_ANI.ASC\" 3 3 SPD:30)\n"
              "\tmorphAni (\"T_SHAPE\" 999 0.5 2 0.5 SR \"HEAD.ASC\" 0 0 SPD:25)\n"
              "}\n");
    // The reference's own ASC is not a group: it is written once, as the reference mesh.
    const std::string frames = box.Read("DATA/ANIMS/BACK/HEAD_ANI.ASC");
    EXPECT_NE(frames.find("*MESH_ANIMATION"), std::string::npos);
    EXPECT_NE(frames.find("*SCENE_LASTFRAME 3"), std::string::npos);
    EXPECT_NE(frames.find("*SCENE_FRAMESPEED 25"), std::string::npos);
    EXPECT_EQ(box.Read("DATA/ANIMS/BACK/HEAD.ASC").find("*MESH_ANIMATION"), std::string::npos);

    // Compiled back from the decompiled files alone.
    box.Write("DATA/ANIMS/HEAD_ANI.ASC", "");
    g_jobDestDir = "\\DATA\\ANIMS\\AGAIN\\";
    box.MakeDir("DATA/ANIMS/AGAIN/_compiled");
    ASSERT_TRUE(Run(4, &CompileMorphMesh, "\\DATA\\ANIMS\\BACK\\HEAD.MMS"));
    box.Write("DATA/ANIMS/_compiled/AGAIN.MMB", box.Read("DATA/ANIMS/AGAIN/_compiled/HEAD.MMB"));
    zCMorphMeshProto* original = Read("HEAD.MMB");
    zCMorphMeshProto* again = Read("AGAIN.MMB");
    ASSERT_EQ(again->GetNumAnis(), original->GetNumAnis());
    for (int i = 0; i < original->GetNumAnis(); ++i) {
        const zCMorphMeshAni& a = original->GetAni(i);
        const zCMorphMeshAni& b = again->GetAni(i);
        const std::string name = a.morphAniName;
        EXPECT_EQ(static_cast<const std::string&>(b.morphAniName), name);
        EXPECT_EQ(b.layer, a.layer) << name;
        EXPECT_EQ(b.morphFlags, a.morphFlags) << name;
        EXPECT_FLOAT_EQ(b.blendInPerMs, a.blendInPerMs) << name;
        EXPECT_FLOAT_EQ(b.blendOutPerMs, a.blendOutPerMs) << name;
        EXPECT_FLOAT_EQ(b.holdTimeMs, a.holdTimeMs) << name;
        EXPECT_FLOAT_EQ(b.speedPerMs, a.speedPerMs) << name;
        ExpectSameMoves(Moves(*again, b), Moves(*original, a), name);
    }
    original->Release();
    again->Release();
}

TEST_F(MorphMeshTest, Visual)
{
    {
        zCMorphMesh plain;
        const zTBBox3D box3D = plain.GetBBox3D();
        EXPECT_EQ(box3D.mins, zVEC3(0, 0, 0));
        EXPECT_EQ(box3D.maxs, zVEC3(0, 0, 0));
        EXPECT_EQ(plain.GetProto(), nullptr);
    }
    EXPECT_EQ(zCMorphMesh().LoadVisual("NOBODY"), nullptr);
    EXPECT_EQ(g_morphProtoList, nullptr);

    // An existing morph mesh ends in the texture list's stub; nothing stays held.
    ASSERT_TRUE(Compile());
    ErrorBoxCatcher catcher;
    try {
        zCMorphMesh().LoadVisual("HEAD");
        ADD_FAILURE() << "no error box";
    } catch (const ErrorBoxShown& shown) {
        EXPECT_STREQ(shown.what(), "zCModelTexAniState::BuildTexListFromProgMesh not found");
    }
    EXPECT_EQ(g_morphProtoList, nullptr);
}

} // namespace
