// Model visuals: node states from a prototype, scale and boxes, mesh libraries
// applied and detached, and the textures a library brings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ErrorBoxCatcher.h"
#include "ModelTools.h"
#include "StaticModelFixture.h"
#include "zCModel.h"
#include "zCModelTexAniState.h"

namespace {

class ModelVisualTest : public StaticModelFixture {
protected:
    // A model of the prototype, holding the reference the caller adds.
    static zCModel* ModelOf(zCModelPrototype* proto)
    {
        ++proto->refCtr;
        return new zCModel(proto);
    }

    static void ExpectBox(const zTBBox3D& box, const zVEC3& mins, const zVEC3& maxs)
    {
        EXPECT_FLOAT_EQ(box.mins.x, mins.x);
        EXPECT_FLOAT_EQ(box.mins.y, mins.y);
        EXPECT_FLOAT_EQ(box.mins.z, mins.z);
        EXPECT_FLOAT_EQ(box.maxs.x, maxs.x);
        EXPECT_FLOAT_EQ(box.maxs.y, maxs.y);
        EXPECT_FLOAT_EQ(box.maxs.z, maxs.z);
    }
};

} // namespace

TEST_F(ModelVisualTest, NodeStatesFollowThePrototypeAndDestructionReturnsTheReferences)
{
    zCModelPrototype* proto = MakeModel("HERO");
    zCMeshSoftSkin* skin = proto->softSkinList[0];
    zCVisual* head = proto->nodeList[2]->visual;
    {
        zCModel* model = ModelOf(proto);
        EXPECT_EQ(proto->refCtr, 2);
        ASSERT_EQ(model->nodeList.GetNum(), 5);
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE(i);
            const zCModelNodeState* state = model->nodeList[i];
            EXPECT_EQ(state->protoNode, proto->nodeList[i]);
            EXPECT_EQ(state->visual, proto->nodeList[i]->visual);
            EXPECT_FLOAT_EQ(state->trafo.m[1][3], proto->nodeList[i]->localMatrix.m[1][3]);
            EXPECT_EQ(state->lastAniIndex, -1);
        }
        // Each state is linked to its parent's.
        EXPECT_EQ(model->nodeList[0]->parentState, nullptr);
        EXPECT_EQ(model->nodeList[2]->parentState, model->nodeList[1]);
        EXPECT_EQ(model->SearchNode("ZM_ARMOR"), model->nodeList[4]);
        EXPECT_EQ(model->SearchNode("zm_armor"), nullptr);
        EXPECT_EQ(head->GetRefCtr(), 2);
        ASSERT_EQ(model->softSkinList.GetNum(), 1);
        EXPECT_EQ(skin->GetRefCtr(), 2);
        EXPECT_EQ(model->flags, 0x0D);
        ExpectBox(model->GetBBox3D(), zVEC3(-1, -2, -3), zVEC3(1, 2, 3));
        model->Release();
    }
    EXPECT_EQ(proto->refCtr, 1);
    EXPECT_EQ(head->GetRefCtr(), 1);
    EXPECT_EQ(skin->GetRefCtr(), 1);
    proto->Release();

    // A model of no prototype has an empty box.
    auto* empty = new zCModel();
    ExpectBox(empty->GetBBox3D(), zVEC3(0, 0, 0), zVEC3(0, 0, 0));
    EXPECT_EQ(empty->nodeList.GetNum(), 0);
    empty->Release();
}

TEST_F(ModelVisualTest, ScaleMultipliesAllThreeBoxes)
{
    zCModelPrototype* proto = MakeModel("HERO");
    zCModel* model = ModelOf(proto);
    model->SetScale(zVEC3(2, 1, 1));
    EXPECT_TRUE(model->flags & zCModel::kFlagScaled);
    ExpectBox(model->GetBBox3D(), zVEC3(-2, -2, -3), zVEC3(2, 2, 3));
    ExpectBox(model->scaledProtoBox, zVEC3(-2, -2, -3), zVEC3(2, 2, 3));
    ExpectBox(model->scaledCollisionBox, zVEC3(-1, 0, -0.5f), zVEC3(1, 1, 0.5f));

    model->SetScale(zVEC3(1, 1, 1));
    EXPECT_FALSE(model->flags & zCModel::kFlagScaled);
    ExpectBox(model->GetBBox3D(), proto->bbox3D.mins, proto->bbox3D.maxs);
    ExpectBox(model->scaledCollisionBox, proto->collisionBox.mins, proto->collisionBox.maxs);
    model->Release();
    proto->Release();
}

TEST_F(ModelVisualTest, AppliedLibraryDressesTheModelAndDetachingUndressesIt)
{
    // The library of the full model, compiled; the model itself is bare.
    zCModelPrototype* full = MakeModel("HERO");
    {
        zCBinChunkFile file;
        box.MakeDir("DATA/ANIMS/_compiled");
        ASSERT_EQ(file.Create("\\DATA\\ANIMS\\_compiled\\HERO.MDM"), 0);
        zCModelMeshLib* lib = zCModelMeshLib::Create();
        lib->BuildFromPrototype(full);
        lib->WriteMdmChunks(file, full);
        lib->Release();
    }
    full->Release();
    zCModelPrototype* bare = MakeModel("HERO");
    bare->ReleaseMeshes();
    zCModel* model = ModelOf(bare);

    g_jobMode = zJOB_DECOMPILE_MODELS;
    ASSERT_EQ(model->ApplyMeshLib("\\ANYWHERE\\hero.asc"), 1);
    EXPECT_EQ(host.GetLines().size(), 0u);
    ASSERT_EQ(model->meshLibList.GetNum(), 1);
    zCModelMeshLib* lib = model->meshLibList[0]->meshLib;
    EXPECT_EQ(lib->GetObjectName(), "HERO");
    EXPECT_EQ(lib->nodeMeshList[1].nodeIndex, 4);
    EXPECT_EQ(model->nodeList[2]->visual, lib->nodeMeshList[0].mesh);
    EXPECT_EQ(model->nodeList[4]->visual, lib->nodeMeshList[1].mesh);
    EXPECT_EQ(bare->nodeList[2]->visual, nullptr);  // the prototype stays bare
    ASSERT_EQ(model->softSkinList.GetNum(), 1);
    EXPECT_EQ(model->softSkinList[0], lib->softSkinList[0]);
    // Skin and metal, each once.
    EXPECT_EQ(model->meshLibList[0]->texAniState.GetNumTex(), 2);

    EXPECT_EQ(model->DetachMeshLib("OTHER"), 0);
    EXPECT_EQ(model->meshLibList.GetNum(), 1);
    EXPECT_EQ(model->DetachMeshLib("C:\\x\\Hero.MDM"), 1);
    EXPECT_EQ(model->meshLibList.GetNum(), 0);
    EXPECT_EQ(model->nodeList[2]->visual, nullptr);
    EXPECT_EQ(model->softSkinList.GetNum(), 0);
    // The model's reference was the library's last.
    EXPECT_EQ(zCModelMeshLib::classDef.SearchHashTable("HERO"), nullptr);
    EXPECT_EQ(model->DetachMeshLib("HERO"), 0);

    // Destroying a model detaches what is still applied. Converting writes the
    // library again, in the other game's format.
    g_jobMode = zJOB_CONVERT_MODELS;
    ASSERT_EQ(model->ApplyMeshLib("HERO"), 1);
    EXPECT_EQ(box.Read("OUT/_compiled/HERO.MDM").substr(6, 4), U32(0x04090506));
    EXPECT_EQ(g_platform, zPLATFORM_FIRST_GAME);
    model->Release();
    EXPECT_EQ(zCModelMeshLib::classDef.SearchHashTable("HERO"), nullptr);
    bare->Release();
}

TEST_F(ModelVisualTest, ConvertingWithoutTheLibraryRemembersTheFirstMissingFile)
{
    zCModelPrototype* bare = MakeModel("HERO");
    zCModel* model = ModelOf(bare);
    g_jobMode = zJOB_CONVERT_MODELS;
    g_modelLoadError = 0;
    g_lastModelFile = "";
    EXPECT_EQ(model->ApplyMeshLib("hum_body.asc"), 0);
    EXPECT_EQ(model->ApplyMeshLib("OTHER"), 0);
    EXPECT_EQ(model->ApplyMeshLib(""), 0);
    EXPECT_EQ(g_modelLoadError, 1);
    EXPECT_EQ(g_lastModelFile, "HUM_BODY.MDM");
    g_modelLoadError = 0;
    g_lastModelFile = "";
    model->Release();
    bare->Release();
}

TEST_F(ModelVisualTest, TextureListKeepsFirstAppearancesAndWarnsPastFour)
{
    struct Case {
        const char* what;
        std::vector<const char*> textures;  // one material per entry; null: untextured
        int expected;
        bool warned;
    };
    const Case cases[] = {
        {"one shared texture", {"SKIN", "SKIN", nullptr}, 1, false},
        {"four", {"A", "B", "C", "D"}, 4, false},
        {"five", {"A", "B", "C", "D", "E"}, 5, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.Clear();
        zCModelMeshLib* lib = zCModelMeshLib::Create();
        for (std::size_t i = 0; i < c.textures.size(); ++i) {
            auto* material = new zCMaterial(zSTRING("M") + zSTRING(static_cast<int>(i)) + c.what);
            if (c.textures[i]) {
                WriteTex(std::string(c.textures[i]) + "-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
                zSTRING name = c.textures[i];
                material->BindTexture(name);
            }
            zCProgMeshProto* mesh = MakeMesh({material});
            lib->AddNodeMesh(static_cast<int>(i), mesh);
            mesh->Release();
            material->Release();
        }
        zCModelTexAniState state;
        state.BuildTexListFromMeshLib(lib);
        EXPECT_EQ(state.GetNumTex(), c.expected);
        for (int i = 0; i < c.expected; ++i)
            EXPECT_EQ(state.GetTex(i)->GetObjectName(), zSTRING(c.textures[static_cast<std::size_t>(i)]) + ".TGA");
        const bool warned = host.GetWarningCount() > 0;
        EXPECT_EQ(warned, c.warned);
        if (c.warned) {
            EXPECT_EQ(host.GetLines().back().text, "Warning: zModel: Too many textures in meshLib: 5");
        }
        lib->Release();
    }
}

TEST_F(ModelVisualTest, NodeVisualsOfMeshesWithoutTextureListsReachTheStubs)
{
    ErrorBoxCatcher catcher;
    zCModelNodeState state;
    auto* mesh = new zCMesh();
    zCMeshSoftSkin* skin = MakeSkin(0);
    zCProgMeshProto* progMesh = MakeMesh({metal});
    const struct {
        zCVisual* visual;
        int buildTexList;
        const char* shown;  // null: no list and no box
    } cases[] = {
        {progMesh, 1, nullptr},
        {mesh, 0, nullptr},
        {mesh, 1, "zCModelTexAniState::BuildTexListFromMesh not found"},
        {skin, 1, "zCModelTexAniState::BuildTexListFromProgMesh not found"},
        {nullptr, 1, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown ? c.shown : "none");
        state.SetNodeVisual(nullptr, 0);
        std::string shown;
        try {
            state.SetNodeVisual(c.visual, c.buildTexList);
        } catch (const ErrorBoxShown& error) {
            shown = error.what();
        }
        EXPECT_EQ(shown, c.shown ? c.shown : "");
        EXPECT_EQ(state.visual, c.visual);
        EXPECT_EQ(state.texAniState.GetNumTex(), 0);
    }
    for (zCVisual* v : {static_cast<zCVisual*>(mesh), static_cast<zCVisual*>(skin), static_cast<zCVisual*>(progMesh)})
        EXPECT_EQ(v->Release(), 0);
}
