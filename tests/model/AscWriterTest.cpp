// The ASC writer: golden text of a small model, scene values, helper names, the
// mirrored node matrix, the existing-file check and reading the text back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "StaticModelFixture.h"
#include "zCAscWriter.h"
#include "zCMeshSoftSkin.h"

class AscWriterTest : public StaticModelFixture {
protected:
    void SetUp() override
    {
        StaticModelFixture::SetUp();
        wood = new zCMaterial("BODY-WOOD");
        zSTRING texture = "SKIN.TGA";
        wood->BindTexture(texture);
        wood->color = zCOLOR(150, 0, 255, 255);
        proto = new zCModelPrototype();
        proto->rootTranslation = zVEC3(0, 1, 0);
    }
    void TearDown() override
    {
        proto->Release();
        wood->Release();
        StaticModelFixture::TearDown();
    }

    // One triangle per material, side by side, texture coordinates (0.25, 0.75) and so on.
    static zCProgMeshProto* Triangles(const std::vector<zCMaterial*>& materials)
    {
        zCMesh mesh;
        float x = 0;
        for (zCMaterial* material : materials) {
            zCPolygon* poly = mesh.AddPoly(mesh.AddVertex(zVEC3(x, 0, 0)), mesh.AddVertex(zVEC3(x, 0, 1)),
                                           mesh.AddVertex(zVEC3(x + 1, 0, 0)));
            poly->SetMaterial(material);
            poly->SetTexCoords(zVEC2(0.25f, 0.75f), zVEC2(0, 0), zVEC2(1, 1));
            x += 2;
        }
        mesh.CalcBBox3D(1);
        auto* result = static_cast<zCProgMeshProto*>(zCProgMeshProto::classDef.CreateNewInstance());
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, result, nullptr, 0), 1);
        return result;
    }

    // One triangle whose corners follow node 1 (all of the first, half of the
    // second; the other half node 0) and no node at all (the third).
    static zCMeshSoftSkin* Skin(zCMaterial* material)
    {
        zCMesh mesh;
        zCPolygon* poly = mesh.AddPoly(mesh.AddVertex(zVEC3(0, 0, 0)), mesh.AddVertex(zVEC3(0, 0, 1)),
                                       mesh.AddVertex(zVEC3(1, 0, 0)));
        poly->SetMaterial(material);
        poly->SetTexCoords(zVEC2(0, 0), zVEC2(0, 1), zVEC2(1, 0));
        mesh.CalcBBox3D(1);
        auto* result = static_cast<zCMeshSoftSkin*>(zCMeshSoftSkin::classDef.CreateNewInstance());
        zCArray<std::uint32_t> order;
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, result, &order, 0), 1);
        result->AllocWeightStream(order.GetNum(), 3);
        for (int k = 0; k < order.GetNum(); ++k) {
            switch (order[k]) {
            case 0:
                result->AddNumWeights(1);
                result->AddWeightEntry({1.0f, zVEC3(0, 1, 0), 1});
                break;
            case 1:
                result->AddNumWeights(2);
                result->AddWeightEntry({0.5f, zVEC3(0, 0, 1), 1});
                result->AddWeightEntry({0.5f, zVEC3(0, 0, 1), 0});
                break;
            default:
                result->AddNumWeights(0);
            }
        }
        result->BuildNodeIndexList();
        return result;
    }

    std::string Write(const char* fileName, int first = 0, int last = 100, int fps = 25,
                      std::vector<zTAscFrame> frames = {})
    {
        zCAscWriter writer;
        writer.SetProgramText("9.99", "Test Day");
        zTAscExportInfo info;
        info.fileName = fileName;
        info.firstFrame = first;
        info.lastFrame = last;
        info.fps = fps;
        info.frames = std::move(frames);
        return writer.WriteText(*proto, info);
    }

    // The lines holding the text, CR LF removed.
    static std::vector<std::string> Lines(const std::string& text, const std::string& part)
    {
        std::vector<std::string> found;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find("\r\n", start);
            std::string line = text.substr(start, end - start);
            if (line.find(part) != std::string::npos)
                found.push_back(line);
            start = end + 2;
        }
        return found;
    }

    zCMaterial* wood = nullptr;
    zCModelPrototype* proto = nullptr;
};

TEST_F(AscWriterTest, GoldenSmallModel)
{
    AddNode(proto, "BIP01", nullptr, 0.0f);
    Dress(AddNode(proto, "BIP01 HEAD", "BIP01", 1.0f), Triangles({wood, metal}));
    Dress(AddNode(proto, "ZM_BOX", "BIP01", 0.0f), Triangles({plain}));
    proto->softSkinList.InsertEnd(Skin(wood));
    const std::string text = Write("BODY.ASC");
    std::string expected;
#include "AscWriterGolden.inc"
    EXPECT_EQ(text, expected);
}

TEST_F(AscWriterTest, GoldenAnimation)
{
    // Three poses from frame 10: the root stands, the arm turns a quarter about the
    // engine's y axis in the second pose and moves up in the third.
    AddNode(proto, "BIP01", nullptr, 0.0f);
    AddNode(proto, "BIP01 ARM", "BIP01", 1.0f);
    const float half = std::sqrt(0.5f);
    std::vector<zTAscFrame> frames(3);
    for (int f = 0; f < 3; ++f) {
        frames[f].frame = 10 + f;
        frames[f].animated = {0, 1};
        frames[f].positions = {zVEC3(0, 1, 0), zVEC3(1, 2.0f + (f == 2 ? 1.0f : 0.0f), 0)};
        frames[f].rotations = {zQUAT(0, 0, 0, 1), f == 1 ? zQUAT(0, half, 0, half) : zQUAT(0, 0, 0, 1)};
    }
    const std::string text = Write("ARM.ASC", 10, 12, 25, frames);
    std::string expected;
#include "AscWriterGoldenAni.inc"
    EXPECT_EQ(text, expected);
}

TEST_F(AscWriterTest, SceneValues)
{
    AddNode(proto, "BIP01", nullptr, 0.0f);
    struct Case {
        int first, last, fps;
        const char* last_line;
        const char* speed;
        const char* ticks;
    };
    const Case cases[] = {
        {0, 100, 0, "\t*SCENE_LASTFRAME 100", "\t*SCENE_FRAMESPEED 0", "\t*SCENE_TICKSPERFRAME 1"},
        {0, 100, 25, "\t*SCENE_LASTFRAME 100", "\t*SCENE_FRAMESPEED 25", "\t*SCENE_TICKSPERFRAME 192"},
        {0, 100, 30, "\t*SCENE_LASTFRAME 100", "\t*SCENE_FRAMESPEED 30", "\t*SCENE_TICKSPERFRAME 160"},
        {0, 100, 7, "\t*SCENE_LASTFRAME 100", "\t*SCENE_FRAMESPEED 7", "\t*SCENE_TICKSPERFRAME 685"},
        {5, 2, 25, "\t*SCENE_LASTFRAME 106", "\t*SCENE_FRAMESPEED 25", "\t*SCENE_TICKSPERFRAME 192"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fps);
        const std::string text = Write("X.ASC", c.first, c.last, c.fps);
        EXPECT_EQ(Lines(text, "LASTFRAME"), std::vector<std::string>{c.last_line});
        EXPECT_EQ(Lines(text, "FRAMESPEED"), std::vector<std::string>{c.speed});
        EXPECT_EQ(Lines(text, "TICKSPERFRAME"), std::vector<std::string>{c.ticks});
    }
    // Without a textured material there is no material list at all.
    EXPECT_EQ(Lines(Write("X.ASC"), "*MATERIAL").size(), 0u);
}

TEST_F(AscWriterTest, HelperNamesAvoidTakenNamesAndSharedMaterialsMeetInOneGroup)
{
    AddNode(proto, "BIP01", nullptr, 0.0f);
    AddNode(proto, "DUMMY", "BIP01", 0.0f);
    AddNode(proto, "BIP01 L HAND", "BIP01", 1.0f);
    AddNode(proto, "BIP01 R HAND", "BIP01", 2.0f);
    Dress(AddNode(proto, "ZM_A", "BIP01", 0.0f), Triangles({metal}));
    Dress(AddNode(proto, "ZM_B", "BIP01", 0.0f), Triangles({wood}));
    Dress(AddNode(proto, "ZM_C", "BIP01", 0.0f), Triangles({wood, metal, skin}));
    const std::string text = Write("BODY.ASC");
    EXPECT_EQ(Lines(text, "*NODE_NAME \"Dummy"),
              (std::vector<std::string>{"\t*NODE_NAME \"Dummy\"", "\t\t*NODE_NAME \"Dummy\"", "\t*NODE_NAME \"Dummy1\"",
                                        "\t\t*NODE_NAME \"Dummy1\"", "\t*NODE_NAME \"Dummy2\"", "\t\t*NODE_NAME \"Dummy2\""}));
    // The third mesh joins the groups of the first two into the first: metal, then
    // wood, then skin.
    EXPECT_EQ(Lines(text, "*MATERIAL_COUNT"), std::vector<std::string>{"\t*MATERIAL_COUNT 1"});
    EXPECT_EQ(Lines(text, "*MATERIAL_NAME"),
              (std::vector<std::string>{"\t\t*MATERIAL_NAME \"Compound Material #1\"", "\t\t\t*MATERIAL_NAME \"HERO_METAL\"",
                                        "\t\t\t*MATERIAL_NAME \"WOOD\"", "\t\t\t*MATERIAL_NAME \"HERO_SKIN\""}));
    EXPECT_EQ(Lines(text, "*MAP_NAME"),
              (std::vector<std::string>{"\t\t\t\t*MAP_NAME \"Map #1-1\"", "\t\t\t\t*MAP_NAME \"Map #1-2\"",
                                        "\t\t\t\t*MAP_NAME \"Map #1-3\""}));
    // The scene-name prefix is taken off only in the same case.
    EXPECT_EQ(Lines(Write("body.asc"), "*MATERIAL_NAME \"BODY-WOOD\"").size(), 1u);
}

TEST_F(AscWriterTest, MeshStartingUntexturedKeepsItsTextures)
{
    AddNode(proto, "BIP01", nullptr, 0.0f);
    Dress(AddNode(proto, "ZM_MIXED", "BIP01", 0.0f), Triangles({plain, wood}));
    const std::string text = Write("X.ASC");
    EXPECT_EQ(Lines(text, "*WIREFRAME_COLOR").size(), 0u);
    EXPECT_EQ(Lines(text, "*MATERIAL_REF"), std::vector<std::string>{"\t*MATERIAL_REF 0"});
    // The textured face names its material, the plain one finds none in the group.
    std::vector<std::string> ids;
    for (const std::string& line : Lines(text, "*MESH_MTLID"))
        ids.push_back(line.substr(line.rfind(' ') + 1));
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids, (std::vector<std::string>{"-1", "0"}));
}

TEST_F(AscWriterTest, MirroredNodeGetsNegativeScale)
{
    zCModelNodeRec* node = AddNode(proto, "BIP01", nullptr, 0.0f);
    node->localMatrix.m[0][0] = -1.0f;
    EXPECT_EQ(Lines(Write("X.ASC"), "*TM_SCALE "), std::vector<std::string>{"\t\t*TM_SCALE 1\t1\t-1"});
    node->localMatrix.m[0][0] = 1.0f;
    EXPECT_EQ(Lines(Write("X.ASC"), "*TM_SCALE "), std::vector<std::string>{"\t\t*TM_SCALE 1\t1\t1"});
}

TEST_F(AscWriterTest, ExistingFileWithOtherFramesIsReportedAndOverwritten)
{
    AddNode(proto, "BIP01", nullptr, 0.0f);
    struct Case {
        const char* old;
        const char* message;
    };
    const Case cases[] = {
        {"*SCENE {\r\n\t*scene_firstframe 3\r\n\t*SCENE_LASTFRAME 100\r\n", "other index of the first frame"},
        {"*SCENE {\r\n\t*SCENE_FIRSTFRAME 0\r\n\t*SCENE_LASTFRAME 50\r\n", "other index of the last frame"},
        {"*SCENE {\r\n\t*SCENE_FIRSTFRAME 0\r\n", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.old);
        host.Clear();
        box.Write("OUT/X.ASC", c.old);
        zCAscWriter writer;
        zTAscExportInfo info;
        info.fileName = "X.ASC";
        EXPECT_TRUE(writer.WriteFile(*proto, info));
        EXPECT_EQ(HasLine("other index of the"), c.message != nullptr);
        if (c.message) {
            EXPECT_TRUE(HasLine(c.message));
        }
        EXPECT_EQ(box.Read("OUT/X.ASC").rfind("*3DSMAX_ASCIIEXPORT\t110\r\n*COMMENT \"[ Tavrelin v3.10 ] - August 2006\"\r\n", 0), 0u);
    }
}

TEST_F(AscWriterTest, WrittenTextReadsBack)
{
    AddNode(proto, "BIP01", nullptr, 0.0f);
    AddNode(proto, "BIP01 SPINE", "BIP01", 1.0f);
    Dress(AddNode(proto, "ZM_BODY", "BIP01 SPINE", 0.0f), Triangles({wood, metal}));
    proto->softSkinList.InsertEnd(Skin(wood));
    const std::string text = Write("BODY.ASC");
    box.Write("DATA/ANIMS/BODY.ASC", text);
    auto* back = new zCModelPrototype();
    const bool ok = RunJob([&] { back->LoadAsc(nullptr, "\\DATA\\ANIMS\\BODY.ASC", "T_ANI", 0, 0, 6, -1.0f); });
    ASSERT_TRUE(ok);
    std::vector<std::string> parents = Parents(back);
    // The reader hands a ZM_ mesh below a bone to that bone.
    EXPECT_EQ(parents, (std::vector<std::string>{"BIP01 < -", "BIP01 SPINE < BIP01"}));
    const zCModelNodeRec* spine = back->SearchNode("BIP01 SPINE");
    ASSERT_NE(spine, nullptr);
    EXPECT_NEAR(spine->localMatrix.m[0][3], 1.0f, 1e-4f);
    EXPECT_NEAR(spine->localMatrix.m[1][3], 2.0f, 1e-4f);
    auto* body = dynamic_cast<zCProgMeshProto*>(spine->visual);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body->GetNumTriangles(), 2);
    ASSERT_EQ(body->GetNumSubMeshes(), 2);
    EXPECT_EQ(std::string(body->GetSubMesh(0).material->GetTextureName()), "SKIN.TGA");
    ASSERT_EQ(back->softSkinList.GetNum(), 1);
    std::vector<std::vector<zTSoftSkinWeightEntry>> weights;
    ASSERT_TRUE(back->softSkinList[0]->GetWeights(weights));
    int entries = 0;
    for (const auto& position : weights)
        entries += static_cast<int>(position.size());
    EXPECT_EQ(entries, 3);
    back->Release();
}
