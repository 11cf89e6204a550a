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
        host.GetSettings().BuildJobThread = 1;
    }
    void TearDown() override
    {
        host.GetSettings().BuildJobThread = 0;
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
        if (a->parent)
            for (int r = 0; r < 4; ++r)
                for (int c = 0; c < 4; ++c)
                    EXPECT_NEAR(b->localMatrix.m[r][c], a->localMatrix.m[r][c], tolerance) << r << " " << c;
        auto* meshA = dynamic_cast<const zCProgMeshProto*>(a->visual);
        auto* meshB = dynamic_cast<const zCProgMeshProto*>(b->visual);
        ASSERT_EQ(meshA != nullptr, meshB != nullptr);
        if (meshA)
            EXPECT_TRUE(SameGeometry(*meshA, *meshB, tolerance));
    }
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
