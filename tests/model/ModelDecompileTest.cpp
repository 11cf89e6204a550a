// Decompiling: a static model back into its ASC and compiled again, a model script
// into its set of ASC files and compiled again, and what the entries report.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "AscFixture.h"
#include "ModelServices.h"
#include "ModelTools.h"
#include "StaticModelFixture.h"
#include "zCBinChunkFile.h"
#include "zCMaterial.h"
#include "zCMeshSoftSkin.h"
#include "zCModelMeshLib.h"
#include "zCProgMeshProto.h"
#include "zCTexture.h"

namespace {

// One triangle of a mesh: its material's texture and its corners in the node's
// frame, each with its texture coordinates.
struct Triangle {
    std::string texture;
    zVEC3 corner[3];
    zVEC2 uv[3];
};

std::vector<Triangle> Triangles(const zCProgMeshProto& mesh)
{
    std::vector<Triangle> found;
    for (int s = 0; s < mesh.GetNumSubMeshes(); ++s) {
        const zCMaterial* m = mesh.GetSubMesh(s).material;
        const std::string texture = m && m->GetTexture() ? std::string(m->GetTexture()->GetObjectName()) : "-";
        for (int t = 0; t < mesh.GetCount(s, zPM_TRIANGLES); ++t) {
            Triangle tri{texture, {}, {}};
            for (int c = 0; c < 3; ++c) {
                const zTProgMeshWedge w = mesh.GetWedge(s, mesh.GetIndex(s, zPM_TRIANGLES, t, c));
                tri.corner[c] = mesh.GetPosition(w.position);
                tri.uv[c] = w.texCoord;
            }
            found.push_back(tri);
        }
    }
    return found;
}

bool Near(const zVEC3& a, const zVEC3& b, float tolerance)
{
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance && std::fabs(a.z - b.z) <= tolerance;
}

// Every triangle of a has one in b with the same texture and the same corners in the
// same turn (any first corner), positions and texture coordinates within tolerance.
::testing::AssertionResult SameGeometry(const zCProgMeshProto& a, const zCProgMeshProto& b, float tolerance)
{
    const std::vector<Triangle> left = Triangles(a);
    const std::vector<Triangle> right = Triangles(b);
    if (left.size() != right.size())
        return ::testing::AssertionFailure() << left.size() << " triangles against " << right.size();
    std::vector<bool> used(right.size(), false);
    for (std::size_t i = 0; i < left.size(); ++i) {
        bool matched = false;
        for (std::size_t j = 0; j < right.size() && !matched; ++j) {
            if (used[j] || left[i].texture != right[j].texture)
                continue;
            for (int shift = 0; shift < 3 && !matched; ++shift) {
                bool all = true;
                for (int c = 0; c < 3 && all; ++c) {
                    const int d = (c + shift) % 3;
                    const zVEC2& u = left[i].uv[c];
                    const zVEC2& v = right[j].uv[d];
                    all = Near(left[i].corner[c], right[j].corner[d], tolerance) &&
                          std::fabs(u.x - v.x) <= tolerance && std::fabs(u.y - v.y) <= tolerance;
                }
                matched = all;
            }
            if (matched)
                used[j] = true;
        }
        if (!matched) {
            const zVEC3& p = left[i].corner[0];
            return ::testing::AssertionFailure() << "triangle " << i << " (" << left[i].texture << ", first corner "
                                                 << p.x << " " << p.y << " " << p.z << ") has no match";
        }
    }
    return ::testing::AssertionSuccess();
}

class DecompileMdlTest : public StaticModelFixture {
protected:
    void SetUp() override
    {
        StaticModelFixture::SetUp();
        zCOption::SetStartDirectory("\\DATA");
        options.Init("", 0);
        box.MakeDir("DATA/ANIMS/_compiled");
    }
    void TearDown() override
    {
        zCOption::SetStartDirectory("");
        StaticModelFixture::TearDown();
    }

    // BIP01 > BIP01 PELVIS (turned a quarter about y) > BIP01 HEAD (two textures),
    // BIP01 > BIP01 ARM (a plain colour), and a soft skin that the root and the pelvis
    // move by halves.
    zCModelPrototype* MakeFigure(const char* name)
    {
        auto* proto = new zCModelPrototype();
        proto->isStaticModel = 1;
        proto->SetModelProtoName(name);
        zCModelNodeRec* root = AddNode(proto, "BIP01", nullptr, 0.0f);
        zCModelNodeRec* pelvis = AddNode(proto, "BIP01 PELVIS", "BIP01", 1.0f);
        pelvis->localMatrix.m[0][0] = pelvis->localMatrix.m[2][2] = 0.0f;
        pelvis->localMatrix.m[0][2] = 1.0f;
        pelvis->localMatrix.m[2][0] = -1.0f;
        Dress(AddNode(proto, "BIP01 HEAD", "BIP01 PELVIS", 2.0f), MakeMesh({skin, metal}));
        Dress(AddNode(proto, "BIP01 ARM", "BIP01", 3.0f), MakeMesh({plain}, 4));
        proto->rootTranslation = zVEC3(0, 0.75f, 0);
        proto->meshAndTreeFile = zSTRING(name) + ".ASC";

        // The weights place every vertex where the mesh has it.
        zMAT4 rootWorld = root->localMatrix;
        rootWorld.m[1][3] = 0.75f;
        const zMAT4 inverse[2] = {rootWorld.Inverse(), (rootWorld * pelvis->localMatrix).Inverse()};
        zCMesh mesh;
        FillGrid(mesh, 3, 2, {skin});
        auto* soft = static_cast<zCMeshSoftSkin*>(zCMeshSoftSkin::classDef.CreateNewInstance());
        zCArray<std::uint32_t> order;
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, soft, &order, 0), 1);
        soft->AllocWeightStream(order.GetNum(), 2 * order.GetNum());
        for (int k = 0; k < soft->GetNumPositions(); ++k) {
            soft->AddNumWeights(2);
            for (std::uint8_t node = 0; node < 2; ++node)
                soft->AddWeightEntry({0.5f, inverse[node] * soft->GetPosition(k), node});
        }
        soft->BuildNodeIndexList();
        soft->BuildNodeOBBs();
        proto->softSkinList.InsertEnd(soft);
        proto->CalcNodeListChecksum();
        return proto;
    }

    // An .MDL read as the decompiler reads it.
    zCModelPrototype* ReadMdl(const std::string& path)
    {
        auto* proto = new zCModelPrototype();
        proto->isStaticModel = 1;
        zCBinChunkFile file;
        EXPECT_EQ(file.Open(path.c_str()), 0) << path;
        EXPECT_EQ(proto->ReadHierarchy(file), 1);
        EXPECT_EQ(zCModelMeshLib::ReadMdmChunks(file, proto, nullptr, nullptr), 1);
        return proto;
    }

    void Decompile(const std::string& path)
    {
        g_jobMode = 3;
        zSTRING name(path.c_str());
        ASSERT_TRUE(RunJob([&name] { DecompileMdl(name); }));
    }
};

} // namespace

TEST_F(DecompileMdlTest, ADecompiledModelCompilesBackToTheSameModel)
{
    plain->color = zCOLOR(40, 90, 200, 255);
    zCModelPrototype* original = MakeFigure("HERO");
    box.Write("DATA/ANIMS/_compiled/hero.mdl", WriteMdl(original));
    original->Release();
    original = ReadMdl("\\DATA\\ANIMS\\_compiled\\hero.mdl");
    host.Clear();

    Decompile("\\DATA\\ANIMS\\_compiled\\hero.mdl");
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_TRUE(HasLine("Decompiling Model 'hero.MDL'..."));
    EXPECT_TRUE(HasLine("Model file 'hero.MDL' decompiled OK"));
    EXPECT_EQ(host.GetProgress(), 100000);
    EXPECT_EQ(g_modelProtoList, original);  // the entry's own prototype is gone
    ASSERT_TRUE(box.Exists("OUT/HERO.ASC"));
    EXPECT_TRUE(host.GetInsertFileList().empty());

    // Compiled again from the decompiled source alone.
    host.Clear();
    g_jobMode = 4;
    zSTRING source = "\\OUT\\HERO.ASC";
    ASSERT_TRUE(RunJob([&source] { CompileMdl(source); }));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_TRUE(HasLine("Compiling Model-ASC 'HERO.ASC' OK."));
    zCModelPrototype* back = ReadMdl("\\OUT\\_compiled\\HERO.mdl");

    EXPECT_EQ(back->modelProtoName, "HERO");
    EXPECT_EQ(Parents(back), Parents(original));
    EXPECT_EQ(back->nodeChecksum, original->nodeChecksum);
    const float tolerance = 1e-4f;
    EXPECT_TRUE(Near(back->rootTranslation, original->rootTranslation, tolerance));
    for (int i = 0; i < original->nodeList.GetNum() && i < back->nodeList.GetNum(); ++i) {
        const zCModelNodeRec* a = original->nodeList[i];
        const zCModelNodeRec* b = back->nodeList[i];
        SCOPED_TRACE(std::string(a->nodeName));
        if (a->parent) {
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    EXPECT_NEAR(b->localMatrix.m[r][c], a->localMatrix.m[r][c], tolerance) << r << " " << c;
        }
        auto* meshA = dynamic_cast<const zCProgMeshProto*>(a->visual);
        auto* meshB = dynamic_cast<const zCProgMeshProto*>(b->visual);
        ASSERT_EQ(meshA != nullptr, meshB != nullptr);
        if (meshA) {
            EXPECT_TRUE(SameGeometry(*meshA, *meshB, tolerance));
        }
    }
    // The arm's plain colour comes back as the colour of its mesh; a channel may lose
    // one step, since the text keeps six digits and reading truncates.
    const auto* arm = static_cast<const zCProgMeshProto*>(back->SearchNode("BIP01 ARM")->visual);
    ASSERT_EQ(arm->GetNumSubMeshes(), 1);
    const zCOLOR colour = arm->GetSubMesh(0).material->color;
    EXPECT_NEAR(colour.r, plain->color.r, 1);
    EXPECT_NEAR(colour.g, plain->color.g, 1);
    EXPECT_NEAR(colour.b, plain->color.b, 1);
    ASSERT_EQ(back->softSkinList.GetNum(), 1);
    EXPECT_TRUE(SameGeometry(*original->softSkinList[0], *back->softSkinList[0], tolerance));
    back->Release();
    original->Release();
}

TEST_F(DecompileMdlTest, AModelThatCannotBeReadIsNamedAndWritesNothing)
{
    zCModelPrototype* proto = MakeFigure("HERO");
    // The second game's model, while the first game's platform is set.
    g_platform = 1;
    SetMeshFormatVersion();
    box.Write("DATA/ANIMS/_compiled/OTHER.MDL", WriteMdl(proto));
    g_platform = 0;
    SetMeshFormatVersion();
    proto->Release();
    box.Write("DATA/ANIMS/_compiled/BROKEN.MDL", "damaged");

    const struct {
        const char* path;
        const char* message;
    } cases[] = {
        {"\\DATA\\ANIMS\\_compiled\\OTHER.MDL", "File 'OTHER.MDL' not compatible version."},
        {"\\DATA\\ANIMS\\_compiled\\BROKEN.MDL", "File 'BROKEN.MDL' not compatible version."},
        {"\\DATA\\ANIMS\\_compiled\\none.mdl", "File 'none.MDL' not found."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        host.Clear();
        Decompile(c.path);
        EXPECT_TRUE(HasLine(c.message));
        EXPECT_FALSE(HasLine("decompiled OK"));
        EXPECT_EQ(g_modelProtoList, nullptr);
        EXPECT_EQ(host.GetProgress(), 0);
    }
    EXPECT_TRUE(std::filesystem::is_empty(box.Path("OUT/_compiled")));
    EXPECT_FALSE(box.Exists("OUT/OTHER.ASC"));
    EXPECT_FALSE(box.Exists("OUT/BROKEN.ASC"));
}

// Bare names in the compiled-models folder, as the batch driver passes them.
TEST_F(DecompileMdlTest, BatchesDecompileAndConvertEveryCompiledModel)
{
    for (const char* name : {"HERO", "CHEST"}) {
        zCModelPrototype* proto = MakeFigure(name);
        box.Write(std::string("DATA/ANIMS/_compiled/") + name + ".MDL", WriteMdl(proto));
        proto->Release();
    }
    g_jobMode = 3;
    ASSERT_TRUE(RunJob([] { ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MDL", &DecompileMdl); }));
    EXPECT_EQ(host.GetErrorCount(), 0) << ::testing::PrintToString(Texts());
    EXPECT_TRUE(HasLine("Model file 'HERO.MDL' decompiled OK"));
    EXPECT_TRUE(HasLine("Model file 'CHEST.MDL' decompiled OK"));
    EXPECT_TRUE(box.Exists("OUT/HERO.ASC"));
    EXPECT_TRUE(box.Exists("OUT/CHEST.ASC"));

    host.Clear();
    g_jobMode = 2;
    ASSERT_TRUE(RunJob([] { ForEachFileInDir(DIR_COMPILED_ANIMS, "*.MDL", &ConvertMdl); }));
    EXPECT_EQ(host.GetErrorCount(), 0) << ::testing::PrintToString(Texts());
    EXPECT_TRUE(box.Exists("OUT/_compiled/HERO.MDL"));
    EXPECT_TRUE(box.Exists("OUT/_compiled/CHEST.MDL"));
}

TEST_F(DecompileMdlTest, StampsADecompileReadDoNotEndUpInTheNextConvertedFile)
{
    // Each model's stamps name its own source.
    for (const char* name : {"HERO", "CHEST"}) {
        box.Write(std::string("DATA/ANIMS/") + name + ".ASC", "*3DSMAX_ASCIIEXPORT 110\n");
        zCModelPrototype* proto = MakeFigure(name);
        box.Write(std::string("DATA/ANIMS/_compiled/") + name + ".MDL", WriteMdl(proto));
        proto->Release();
    }
    ASSERT_NE(box.Read("DATA/ANIMS/_compiled/HERO.MDL").find("HERO.ASC\n"), std::string::npos);

    Decompile("\\DATA\\ANIMS\\_compiled\\HERO.MDL");
    g_jobMode = 2;
    zSTRING chest = "\\DATA\\ANIMS\\_compiled\\CHEST.MDL";
    ASSERT_TRUE(RunJob([&chest] { ConvertMdl(chest); }));
    EXPECT_EQ(host.GetErrorCount(), 0);
    const std::string converted = box.Read("OUT/_compiled/CHEST.MDL");
    ASSERT_FALSE(converted.empty());
    EXPECT_EQ(converted.find("HERO.ASC\n"), std::string::npos);
    EXPECT_NE(converted.find("CHEST.ASC\n"), std::string::npos);
}

TEST_F(DecompileMdlTest, CompilingReportsOkOnlyWhenTheModelWasWritten)
{
    using namespace asc;
    const std::string good = Header() + Scene() + Object("Bip01", "", 0, 0, 40);
    const struct {
        const char* what;
        std::string text;
        bool written;
    } cases[] = {
        {"a sound source", good, true},
        {"a node whose parent is missing", good + Object("Bip01 Head", "Bip01 Neck", 0, 0, 80), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(box.Path("OUT/_compiled/FIGURE.mdl"));
        box.Write("DATA/ANIMS/FIGURE.ASC", c.text);
        host.Clear();
        g_jobMode = 4;
        zSTRING source = "\\DATA\\ANIMS\\FIGURE.ASC";
        ASSERT_TRUE(RunJob([&source] { CompileMdl(source); })) << ::testing::PrintToString(Texts());
        EXPECT_EQ(HasLine("Compiling Model-ASC 'FIGURE.ASC' OK."), c.written);
        EXPECT_EQ(HasLine("Compiling Model-ASC 'FIGURE.ASC' failed."), !c.written);
        EXPECT_EQ(box.Exists("OUT/_compiled/FIGURE.mdl"), c.written);
        EXPECT_EQ(host.GetProgress(), c.written ? 100000 : 0);
        host.SetProgressPos(0);
    }
}

namespace {

using namespace asc;

const char* const kHeroScript =
    "Model (\"Hero\")\r\n"
    "{\r\n"
    "  meshAndTree (\"Hero.asc\")\r\n"
    "  registerMesh (\"Helmet.ASC\")\r\n"
    "  aniEnum\r\n"
    "  {\r\n"
    "    ani (\"t_Walk\" 1 \"\" 0.1 0.2 M. \"Walk.asc\" F 5 15)\r\n"
    "    ani (\"t_Run\" 1 \"\" 0 0 . \"Walk.asc\" F 20 25)\r\n"
    "  }\r\n"
    "}\r\n";

// The sources of a model: its body with a soft skin, a helmet, and a walk whose
// root moves and turns a little every frame. The skin hangs on the root: a top-level
// object would give the model its own place as the root's.
std::string HeroAsc()
{
    std::string weights = "*MESH_SOFTSKINVERTS {\r\nZM_Skin\r\n8\r\n";
    for (int v = 0; v < 8; ++v)
        weights += v < 4 ? "2\t\"Bip01\"\t0.75\t\"Bip01 Head\"\t0.25\r\n" : "1\t\"Bip01 Head\"\t1.0\r\n";
    weights += "}\r\n";
    return Header() + Scene() + Materials() + Object("Bip01", "", 0, 0, 40) + Object("Bip01 Head", "Bip01", 0, 0, 80) +
           Object("ZM_Body", "Bip01", 0, 0, 50, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 50, 3.0f)) +
           Object("ZM_Skin", "Bip01", 0, 0, 0, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 60, 2.0f, "*MESH_SOFTSKIN")) +
           weights;
}

std::string HelmetAsc()
{
    return Header() + Scene() + Materials() + Object("Bip01", "", 0, 0, 40) + Object("Bip01 Head", "Bip01", 0, 0, 80) +
           Object("ZM_Helmet", "Bip01 Head", 0, 0, 85, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 85));
}

std::string WalkAsc()
{
    std::vector<float> xs, angles;
    for (int k = 0; k <= 30; ++k) {
        xs.push_back(static_cast<float>(k));
        angles.push_back(0.05f * static_cast<float>(k));
    }
    return Header() + Scene(0, 30) + Object("Bip01", "", 0, 0, 40, Tracks(xs, angles)) +
           Object("Bip01 Head", "Bip01", 0, 0, 80);
}

// One frame of one node of an animation, unpacked.
struct Pose {
    zQUAT rotation;
    zVEC3 position;
};

class DecompileModelScriptTest : public ModelScriptFixture {
protected:
    void SetUp() override
    {
        ModelScriptFixture::SetUp();
        WriteTex("SKIN-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
        WriteSources();
    }

    void WriteSources()
    {
        box.Write("DATA/ANIMS/HERO.MDS", kHeroScript);
        box.Write("DATA/ANIMS/HERO.ASC", HeroAsc());
        box.Write("DATA/ANIMS/HELMET.ASC", HelmetAsc());
        box.Write("DATA/ANIMS/WALK.ASC", WalkAsc());
    }

    // Compiles the script into proto, as a compile job of that game does.
    void Compile(int platform = 0)
    {
        g_jobMode = 4;
        g_platform = platform;
        SetMeshFormatVersion();
        proto->Release();
        proto = new zCModelPrototype();
        int loaded = 0;
        ASSERT_TRUE(RunJob([&] {
            zSTRING script("\\DATA\\ANIMS\\HERO.MDS");
            loaded = proto->LoadModelScript(script);
        })) << ::testing::PrintToString(Texts());
        ASSERT_EQ(loaded, 1);
    }

    void Decompile(const char* script)
    {
        g_jobMode = 3;
        g_jobDestDir = "\\OUT\\";
        zSTRING name(script);
        ASSERT_TRUE(RunJob([&name] { DecompileModelScript(name); })) << ::testing::PrintToString(Texts());
        g_jobDestDir = "\\DATA\\ANIMS\\";
    }

    // The poses of every animation, by name, frame-major.
    std::vector<std::vector<Pose>> Poses() const
    {
        std::vector<std::vector<Pose>> all;
        for (const char* name : {"T_WALK", "T_RUN"}) {
            const zCModelAni* ani = proto->SearchAni(name);
            EXPECT_NE(ani, nullptr) << name;
            all.emplace_back();
            if (!ani)
                continue;
            zCModelAni::SetPosConfig(ani->posRangeMin, ani->posStep);
            for (const zTAniSample& sample : *ani->samples) {
                Pose pose;
                zCModelAni::UnpackSample(sample, pose.rotation, pose.position);
                all.back().push_back(pose);
            }
        }
        return all;
    }

    // A mesh library from its bytes, for the prototype's hierarchy.
    zCModelMeshLib* ReadLib(const std::string& bytes)
    {
        box.Write("lib.mdm", bytes);
        zCBinChunkFile file;
        zCModelMeshLib* lib = nullptr;
        EXPECT_EQ(file.Open("\\lib.mdm"), 0);
        EXPECT_EQ(zCModelMeshLib::ReadMdmChunks(file, proto, nullptr, &lib), 1);
        return lib;
    }

    // Lines of the file that hold the text.
    int Count(const std::string& file, const std::string& text)
    {
        const std::string content = box.Read(file);
        int n = 0;
        for (std::size_t at = content.find(text); at != std::string::npos; at = content.find(text, at + 1))
            ++n;
        return n;
    }
};

} // namespace

TEST_F(DecompileModelScriptTest, AScriptDecompilesIntoAscFilesThatCompileBackToTheSameModel)
{
    // The first game decompiles the text script, the second the binary one.
    for (const int platform : {0, 1}) {
        SCOPED_TRACE(platform);
        WriteSources();
        for (const char* folder : {"DATA/ANIMS/_compiled", "OUT"})
            std::filesystem::remove_all(box.Path(folder));
        for (const char* folder : {"DATA/ANIMS/_compiled", "OUT/_compiled"})
            box.MakeDir(folder);
        Compile(platform);
        EXPECT_EQ(host.GetErrorCount(), 0) << ::testing::PrintToString(Texts());
        const std::vector<std::vector<Pose>> original = Poses();
        const int nodes = proto->nodeList.GetNum();
        const std::uint32_t checksum = proto->nodeChecksum;
        const std::string heroMdm = box.Read("DATA/ANIMS/_compiled/HERO.MDM");
        const std::string helmetMdm = box.Read("DATA/ANIMS/_compiled/HELMET.MDM");
        ASSERT_NE(heroMdm.find(U16(zMDM_CHUNK_SOFT_SKINS)), std::string::npos);
        proto->Release();
        proto = new zCModelPrototype();

        host.Clear();
        Decompile("\\DATA\\ANIMS\\HERO.MDS");
        EXPECT_EQ(host.GetErrorCount(), 0) << ::testing::PrintToString(Texts());
        EXPECT_TRUE(HasLine("Model file 'HERO.MDS' decompiled OK"));
        EXPECT_EQ(g_registeredMeshNames.GetNum(), 0);
        EXPECT_EQ(g_modelProtoList, proto);
        // The script as text, one file per mesh and one for both animations of the
        // walk, frames 5 to 25.
        zSTRING script(box.Read("OUT/HERO.MDS").c_str());
        EXPECT_NE(script.Upper().find("REGISTERMESH (\"HELMET.ASC\")"), std::string::npos);
        ASSERT_TRUE(box.Exists("OUT/HERO.ASC"));
        ASSERT_TRUE(box.Exists("OUT/HELMET.ASC"));
        ASSERT_TRUE(box.Exists("OUT/WALK.ASC"));
        EXPECT_EQ(Count("OUT/WALK.ASC", "*SCENE_FIRSTFRAME 5\r\n"), 1);
        EXPECT_EQ(Count("OUT/WALK.ASC", "*SCENE_LASTFRAME 25\r\n"), 1);
        EXPECT_EQ(Count("OUT/WALK.ASC", "*MESH {"), 0);
        // Each mesh file holds its own meshes: the body's skin once, and not in the helmet.
        EXPECT_EQ(Count("OUT/HERO.ASC", "*MESH_SOFTSKINVERTS"), 1);
        EXPECT_EQ(Count("OUT/HELMET.ASC", "*MESH_SOFTSKIN"), 0);
        EXPECT_EQ(Count("OUT/HELMET.ASC", "*MESH {"), 1);

        // Compiled again from the decompiled files alone.
        for (const char* file : {"HERO.ASC", "HELMET.ASC", "WALK.ASC"})
            box.Write(std::string("DATA/ANIMS/") + file, box.Read(std::string("OUT/") + file));
        std::filesystem::remove_all(box.Path("DATA/ANIMS/_compiled"));
        box.MakeDir("DATA/ANIMS/_compiled");
        host.Clear();
        Compile(platform);
        EXPECT_EQ(host.GetErrorCount(), 0) << ::testing::PrintToString(Texts());
        EXPECT_EQ(proto->nodeList.GetNum(), nodes);
        EXPECT_EQ(proto->nodeChecksum, checksum);
        // The same meshes in the same libraries.
        for (const auto& [file, before] : {std::pair{"HERO.MDM", heroMdm}, std::pair{"HELMET.MDM", helmetMdm}}) {
            SCOPED_TRACE(file);
            zTObjectRef<zCModelMeshLib> a(ReadLib(before));
            zTObjectRef<zCModelMeshLib> b(ReadLib(box.Read(std::string("DATA/ANIMS/_compiled/") + file)));
            ASSERT_TRUE(a && b);
            ASSERT_EQ(a->nodeMeshList.GetNum(), b->nodeMeshList.GetNum());
            for (int i = 0; i < a->nodeMeshList.GetNum(); ++i) {
                EXPECT_EQ(a->nodeMeshList[i].nodeIndex, b->nodeMeshList[i].nodeIndex);
                EXPECT_TRUE(SameGeometry(*a->nodeMeshList[i].mesh, *b->nodeMeshList[i].mesh, 1e-3f));
            }
            ASSERT_EQ(a->softSkinList.GetNum(), b->softSkinList.GetNum());
            for (int i = 0; i < a->softSkinList.GetNum(); ++i)
                EXPECT_TRUE(SameGeometry(*a->softSkinList[i], *b->softSkinList[i], 1e-3f));
        }
        const std::vector<std::vector<Pose>> back = Poses();
        ASSERT_EQ(back.size(), original.size());
        for (std::size_t a = 0; a < original.size(); ++a) {
            SCOPED_TRACE(a);
            ASSERT_EQ(back[a].size(), original[a].size());
            for (std::size_t k = 0; k < original[a].size(); ++k) {
                const Pose& p = original[a][k];
                const Pose& q = back[a][k];
                // q and -q are one rotation.
                const float dot = p.rotation.x * q.rotation.x + p.rotation.y * q.rotation.y +
                                  p.rotation.z * q.rotation.z + p.rotation.w * q.rotation.w;
                EXPECT_NEAR(std::fabs(dot), 1.0f, 1e-4f) << k;
                EXPECT_TRUE(Near(p.position, q.position, 0.02f)) << k;
            }
        }
    }
}

TEST_F(DecompileModelScriptTest, AMissingFileIsNamedAndNoOkFollows)
{
    Compile();
    const struct {
        const char* missing;
        const char* message;
        bool bodyWritten;
    } cases[] = {
        // The load itself fails: nothing is written.
        {"HERO.MDH", "File 'HERO.MDH' not found or corrupted", false},
        // A registered mesh without its library: the others are written.
        {"HELMET.MDM", "File 'HELMET.MDM' not found or corrupted", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.missing);
        const std::string path = std::string("DATA/ANIMS/_compiled/") + c.missing;
        const std::string kept = box.Read(path);
        std::filesystem::remove(box.Path(path));
        std::filesystem::remove_all(box.Path("OUT"));
        box.MakeDir("OUT/_compiled");
        host.Clear();
        Decompile("\\DATA\\ANIMS\\HERO.MDS");
        EXPECT_TRUE(HasLine(c.message)) << ::testing::PrintToString(Texts());
        EXPECT_FALSE(HasLine("decompiled OK"));
        EXPECT_EQ(g_registeredMeshNames.GetNum(), 0);
        EXPECT_EQ(box.Exists("OUT/HERO.ASC"), c.bodyWritten);
        EXPECT_FALSE(box.Exists("OUT/HELMET.ASC"));
        box.Write(path, kept);
    }
}

TEST_F(DecompileModelScriptTest, CompilingAScriptWhoseSourceReportsAnErrorIsNotOk)
{
    for (const bool broken : {false, true}) {
        SCOPED_TRACE(broken);
        std::filesystem::remove_all(box.Path("DATA/ANIMS/_compiled"));
        box.MakeDir("DATA/ANIMS/_compiled");
        // A node whose parent is missing is left out, with an error.
        box.Write("DATA/ANIMS/HERO.ASC", broken ? HeroAsc() + Object("Bip01 Neck", "Bip01 Spine", 0, 0, 60) : HeroAsc());
        host.Clear();
        g_jobMode = 4;
        zSTRING script("\\DATA\\ANIMS\\HERO.MDS");
        ASSERT_TRUE(RunJob([&script] { CompileModelScript(script); })) << ::testing::PrintToString(Texts());
        EXPECT_EQ(HasLine("Compiling Model 'HERO.MDS' OK."), !broken) << ::testing::PrintToString(Texts());
        EXPECT_EQ(HasLine("Compiling Model 'HERO.MDS' failed."), broken);
    }
}

TEST_F(DecompileModelScriptTest, StopBuildEndsACompileAfterTheAscFileInHandAndLeavesNoHalfScript)
{
    // The second game's compile writes the binary script while it reads the text.
    g_jobMode = 4;
    g_platform = 1;
    SetMeshFormatVersion();
    zSTRING script("\\DATA\\ANIMS\\HERO.MDS");
    {
        // Chosen once the walk's source is read: the run's, then in work, is the last.
        StopAtStep stop(host, 2);
        ASSERT_TRUE(RunJob([&script] { CompileModelScript(script); }));
    }
    EXPECT_EQ(Texts().back().rfind("Break building: 0 error(s)", 0), 0u) << Texts().back();
    EXPECT_FALSE(HasLine("Compiling Model"));
    for (const char* file : {"HERO.MDH", "HERO.MDM", "HERO-T_WALK.MAN"})
        EXPECT_TRUE(box.Exists(std::string("DATA/ANIMS/_compiled/") + file)) << file;
    for (const char* file : {"HERO-T_RUN.MAN", "HELMET.MDM", "HERO.MSB"})
        EXPECT_FALSE(box.Exists(std::string("DATA/ANIMS/_compiled/") + file)) << file;
    EXPECT_EQ(g_modelProtoList, proto);

    // A partial compile reuses the files made: each reused file is heeded too. The bar
    // counts the files done of the script's four, one step each.
    Compile();
    g_partialCompile = 1;
    for (int stopAt = 0; stopAt <= 3; ++stopAt) {
        SCOPED_TRACE(stopAt);
        host.Clear();
        host.GetSettings().BuildJobThread = stopAt == 0 ? 0 : 1;  // 0: chosen before the first file
        StopAtStep stop(host, stopAt);
        ASSERT_TRUE(RunJob([&script] { CompileModelScript(script); }));
        EXPECT_EQ(Texts().back(), "Break building: 0 error(s), 0 warning(s)");
        EXPECT_EQ(host.GetProgress(), stopAt * 25000);
    }
}

TEST_F(DecompileModelScriptTest, StopBuildEndsTheSetAfterTheFileInHand)
{
    Compile();
    proto->Release();
    proto = new zCModelPrototype();
    host.Clear();
    host.GetSettings().BuildJobThread = 0;  // Build/Stop Build was chosen
    Decompile("\\DATA\\ANIMS\\HERO.MDS");
    EXPECT_TRUE(box.Exists("OUT/HERO.ASC"));
    EXPECT_FALSE(box.Exists("OUT/HELMET.ASC"));
    EXPECT_FALSE(box.Exists("OUT/WALK.ASC"));
    EXPECT_FALSE(HasLine("decompiled OK"));
    EXPECT_EQ(g_registeredMeshNames.GetNum(), 0);
    EXPECT_EQ(g_modelProtoList, proto);
}
