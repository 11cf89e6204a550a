// Compiling a static model from a hand-written ASC export into an .mdl, and reading
// that file back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "AscFixture.h"
#include "StaticModelFixture.h"
#include "ModelServices.h"
#include "zCBinChunkFile.h"
#include "zCMaterial.h"
#include "zCModel.h"
#include "zCMeshSoftSkin.h"
#include "zCModelMeshLib.h"
#include "zCProgMeshProto.h"

namespace {

using namespace asc;

// Entry 0 a multi-material of a textured and an untextured standard material.
std::string MultiMaterial()
{
    return "*MATERIAL_LIST {\r\n\t*MATERIAL_COUNT 1\r\n"
           "\t*MATERIAL 0 {\r\n\t\t*MATERIAL_NAME \"Body\"\r\n\t\t*MATERIAL_CLASS \"Multi/Sub-Object\"\r\n"
           "\t\t*NUMSUBMTLS 2\r\n"
           "\t\t*SUBMATERIAL 0 {\r\n\t\t\t*MATERIAL_NAME \"Skin\"\r\n\t\t\t*MATERIAL_CLASS \"Standard\"\r\n"
           "\t\t\t*MATERIAL_DIFFUSE 0.5000\t0.2500\t1.0000\r\n"
           "\t\t\t*MAP_DIFFUSE {\r\n\t\t\t\t*MAP_NAME \"Map #1\"\r\n\t\t\t\t*MAP_CLASS \"Bitmap\"\r\n"
           "\t\t\t\t*BITMAP \"c:\\maps\\Skin.tga\"\r\n\t\t\t\t*BITMAP_FILTER Pyramidal\r\n\t\t\t}\r\n\t\t}\r\n"
           "\t\t*SUBMATERIAL 1 {\r\n\t\t\t*MATERIAL_NAME \"Plain\"\r\n\t\t\t*MATERIAL_CLASS \"Standard\"\r\n"
           "\t\t\t*MATERIAL_DIFFUSE 0.1000\t0.2000\t0.3000\r\n\t\t}\r\n\t}\r\n}\r\n";
}

std::string HeroAsc()
{
    std::string weights = "*MESH_SOFTSKINVERTS {\r\nZM_Skin\r\n8\r\n";
    for (int v = 0; v < 8; ++v)
        weights += v < 4 ? "2\t\"Bip01 Pelvis\"\t0.75\t\"Bip01\"\t0.25\r\n" : "1\t\"Bip01 Head\"\t1.0\r\n";
    weights += "}\r\n";
    return Header() + Scene() + MultiMaterial() + Object("Bip01", "", 0, 0, 40) +
           Object("Bip01 Pelvis", "Bip01", 0, 0, 45) + Object("Bip01 Head", "Bip01 Pelvis", 0, 0, 80) +
           Object("ZM_Body", "Bip01 Pelvis", 0, 0, 50, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 50, 3.0f)) +
           Object("ZM_Skin", "", 0, 0, 0, "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 60, 2.0f, "*MESH_SOFTSKIN")) +
           weights;
}

class CompileMdlTest : public StaticModelFixture {
protected:
    void SetUp() override
    {
        StaticModelFixture::SetUp();
        zCOption::SetStartDirectory("\\DATA");
        options.Init("", 0);
        g_jobDestDir = "\\DATA\\ANIMS\\";
        box.MakeDir("DATA/ANIMS/_compiled");
    }
    void TearDown() override
    {
        zCOption::SetStartDirectory("");
        StaticModelFixture::TearDown();
    }


    // Node name and triangle count of every node mesh, then of every soft skin.
    static std::vector<std::string> Meshes(const zCModelPrototype* proto)
    {
        std::vector<std::string> meshes;
        for (int i = 0; i < proto->nodeList.GetNum(); ++i) {
            if (auto* mesh = dynamic_cast<zCProgMeshProto*>(proto->nodeList[i]->visual))
                meshes.push_back(static_cast<const std::string&>(proto->nodeList[i]->nodeName) + " " + std::to_string(mesh->GetNumTriangles()) + " " +
                                 std::to_string(mesh->GetNumSubMeshes()));
        }
        for (int i = 0; i < proto->softSkinList.GetNum(); ++i)
            meshes.push_back("skin " + std::to_string(proto->softSkinList[i]->GetNumTriangles()));
        return meshes;
    }
};

} // namespace

TEST_F(CompileMdlTest, CompiledModelReadsBackAsTheAscDescribesIt)
{
    box.Write("DATA/ANIMS/HERO.ASC", HeroAsc());

    // What the export itself gives.
    auto* expected = new zCModelPrototype();
    expected->isStaticModel = 1;
    ASSERT_TRUE(RunJob([expected] { expected->LoadAsc(nullptr, "\\DATA\\ANIMS\\HERO.ASC", "", 0, 0, 6, -1.0f); }));
    EXPECT_TRUE(host.GetLines().empty());
    // The body mesh dresses the pelvis; the skin is no node.
    ASSERT_EQ(Parents(expected),
              (std::vector<std::string>{"BIP01 < -", "BIP01 PELVIS < BIP01", "BIP01 HEAD < BIP01 PELVIS"}));
    ASSERT_EQ(Meshes(expected), (std::vector<std::string>{"BIP01 PELVIS 12 2", "skin 12"}));
    const std::uint32_t checksum = expected->nodeChecksum;
    EXPECT_EQ(expected->CalcNodeListChecksum(), checksum);

    host.Clear();
    zSTRING source = "\\DATA\\ANIMS\\hero.asc";
    ASSERT_TRUE(RunJob([&source] { CompileMdl(source); }));
    EXPECT_EQ(host.GetErrorCount(), 0);
    EXPECT_TRUE(HasLine("Compiling Model-ASC 'hero.ASC' OK."));
    EXPECT_EQ(g_modelProtoList, expected);  // the entry's own prototype is gone

    const std::string written = box.Read("DATA/ANIMS/_compiled/hero.mdl");
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.substr(6, 4), U32(3));  // hierarchy version
    EXPECT_NE(written.find(U16(0xD000) + U32(4) + U32(0x04030506)), std::string::npos);
    EXPECT_NE(written.find(U16(0x0305)), std::string::npos);

    auto* read = new zCModelPrototype();
    {
        zCBinChunkFile file;
        ASSERT_EQ(file.Open("\\DATA\\ANIMS\\_compiled\\hero.mdl"), 0);
        ASSERT_EQ(read->ReadHierarchy(file), 1);
        ASSERT_EQ(zCModelMeshLib::ReadMdmChunks(file, read, nullptr, nullptr), 1);
    }
    EXPECT_EQ(read->modelProtoName, "HERO");
    EXPECT_EQ(Parents(read), Parents(expected));
    EXPECT_EQ(read->nodeChecksum, checksum);
    EXPECT_EQ(Meshes(read), Meshes(expected));
    auto* body = static_cast<zCProgMeshProto*>(read->SearchNode("BIP01 PELVIS")->visual);
    ASSERT_EQ(body->GetNumSubMeshes(), 2);
    EXPECT_NE(body->GetSubMesh(0).material->GetTexture(), nullptr);
    EXPECT_EQ(body->GetSubMesh(1).material->GetTexture(), nullptr);
    read->Release();
    expected->Release();
}

TEST_F(CompileMdlTest, StopBuildEndsTheCompileAfterTheAscFileWithNoModelWritten)
{
    box.Write("DATA/ANIMS/HERO.ASC", HeroAsc());
    host.GetSettings().BuildJobThread = 0;  // chosen while the source is read
    zSTRING source = "\\DATA\\ANIMS\\HERO.ASC";
    ASSERT_TRUE(RunJob([&source] { CompileMdl(source); }));
    EXPECT_EQ(Texts().back(), "Break building: 0 error(s), 0 warning(s)");
    EXPECT_FALSE(HasLine("Compiling Model-ASC"));
    EXPECT_FALSE(box.Exists("DATA/ANIMS/_compiled/HERO.mdl"));
    EXPECT_EQ(g_modelProtoList, nullptr);
}

TEST_F(CompileMdlTest, LoadingByNameRebuildsAnUnreadableCompiledModelFromItsSource)
{
    // While converting too, the rebuilt file is in this platform's format.
    g_jobMode = 2;
    box.Write("DATA/ANIMS/CHEST.ASC", HeroAsc());
    box.Write("DATA/ANIMS/_compiled/Chest.MDL", "damaged");
    zSTRING name = "Chest.ASC";
    zCModelPrototype* loaded = nullptr;
    ASSERT_TRUE(RunJob([&] { loaded = zCModelPrototype::Load(name, nullptr); }));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->fileName, "CHEST.ASC");
    EXPECT_EQ(loaded->nodeList.GetNum(), 3);
    // The damage is named; the model is made from its source all the same.
    EXPECT_TRUE(HasLine("Chunk file"));
    EXPECT_EQ(host.GetErrorCount(), 1);

    // The new compiled model is read the next time, without the source.
    std::filesystem::remove(box.Path("DATA/ANIMS/CHEST.ASC"));
    const std::string rebuilt = box.Read("DATA/ANIMS/_compiled/Chest.MDL");
    EXPECT_EQ(rebuilt.substr(0, 2), U16(0xD100));
    loaded->Release();
    ASSERT_TRUE(RunJob([&] { loaded = zCModelPrototype::Load(name, nullptr); }));
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(Meshes(loaded), (std::vector<std::string>{"BIP01 PELVIS 12 2", "skin 12"}));
    loaded->Release();
}

TEST_F(CompileMdlTest, ARegisteredMeshIsBuiltFromItsAscWhileCompiling)
{
    box.Write("DATA/ANIMS/HERO.ASC", HeroAsc());
    box.Write("DATA/ANIMS/HELMET.ASC", Header() + Scene() + MultiMaterial() + Object("Bip01", "", 0, 0, 40) +
                                           Object("Bip01 Head", "Bip01", 0, 0, 80) +
                                           Object("ZM_Helmet", "Bip01 Head", 0, 0, 85,
                                                  "\t*MATERIAL_REF 0\r\n" + BoxMesh(0, 0, 85)));
    g_jobMode = 4;
    auto* proto = new zCModelPrototype();
    ASSERT_TRUE(RunJob([proto] { proto->LoadAsc(nullptr, "\\DATA\\ANIMS\\HERO.ASC", "", 0, 0, 6, -1.0f); }));
    auto* model = new zCModel(proto);  // takes the creation reference
    ASSERT_TRUE(RunJob([model] { EXPECT_EQ(model->ApplyMeshLib("helmet.asc"), 1); }));
    EXPECT_EQ(host.GetErrorCount(), 0);
    // Written into the job's compiled folder and read back from there.
    const std::string mdm = box.Read("DATA/ANIMS/_compiled/HELMET.MDM");
    ASSERT_FALSE(mdm.empty());
    EXPECT_NE(mdm.find("BIP01 HEAD\n"), std::string::npos);
    ASSERT_EQ(model->meshLibList.GetNum(), 1);
    zCModelNodeState* head = model->SearchNode("BIP01 HEAD");
    ASSERT_NE(head, nullptr);
    ASSERT_NE(head->visual, nullptr);
    EXPECT_EQ(head->visual, model->meshLibList[0]->meshLib->nodeMeshList[0].mesh);
    EXPECT_EQ(static_cast<zCProgMeshProto*>(head->visual)->GetNumTriangles(), 12);
    model->Release();
}
