// Fixture of the mesh-library, hierarchy and model-visual tests: a small static model
// made in memory as the ASC reader leaves it (a bone tree, node meshes, a slot mesh
// and a soft skin), chunk files written to bytes and read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ProgMeshFixture.h"
#include "zCMeshSoftSkin.h"
#include "zCModelMeshLib.h"
#include "zCModelPrototype.h"
#include "zCTexture.h"

class StaticModelFixture : public ProgMeshFixture {
protected:
    void SetUp() override
    {
        ProgMeshFixture::SetUp();
        g_jobDestDir = "\\OUT\\";
        savedStatic = g_modelKind;
        g_modelKind = zMODEL_STATIC;
        WriteTex("SKIN-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
        WriteTex("METAL-C.TEX", zTEX_FORMAT_RGB_565, 8, 8, 1, 8, 8);
        skin = new zCMaterial("HERO_SKIN");
        zSTRING texture = "SKIN.TGA";
        skin->BindTexture(texture);
        metal = new zCMaterial("HERO_METAL");
        texture = "METAL.TGA";
        metal->BindTexture(texture);
        plain = new zCMaterial("HERO_PLAIN");
        // The source a compile job's stamps take their date from.
        box.Write("HERO.ASC", "*3DSMAX_ASCIIEXPORT 110\n");
        // The output folders a job finds in place.
        for (const char* folder : {"OUT/_compiled", "BACK/_compiled", "CONVERTED/_compiled"})
            box.MakeDir(folder);
    }
    void TearDown() override
    {
        for (zCMaterial* m : {skin, metal, plain})
            m->Release();
        ClearRecordedSourceStamps();
        g_modelKind = savedStatic;
        ProgMeshFixture::TearDown();
    }

    static zCModelNodeRec* AddNode(zCModelPrototype* proto, const char* name, const char* parent, float x)
    {
        auto* node = new zCModelNodeRec();
        node->nodeName = name;
        node->localMatrix.m[0][3] = x;
        node->localMatrix.m[1][3] = 2.0f * x;
        if (parent) {
            node->parent = proto->SearchNode(parent);
            proto->FindNodeListEntry(parent, nullptr)->AddChild(node);
        } else {
            proto->nodeTree.AddChild(node);
        }
        proto->nodeList.InsertEnd(node);
        return node;
    }

    // The node takes the mesh over from its creator.
    static void Dress(zCModelNodeRec* node, zCVisual* mesh)
    {
        node->SetNodeVisual(mesh);
        mesh->Release();
    }

    zCProgMeshProto* MakeMesh(const std::vector<zCMaterial*>& materials, int columns = 3)
    {
        zCMesh mesh;
        FillGrid(mesh, columns, 3, materials);
        auto* proto = static_cast<zCProgMeshProto*>(zCProgMeshProto::classDef.CreateNewInstance());
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, proto, nullptr, 0), 1);
        return proto;
    }

    // Every vertex follows node `first` and node 0 with equal weights.
    zCMeshSoftSkin* MakeSkin(std::uint8_t first)
    {
        zCMesh mesh;
        FillGrid(mesh, 3, 2, {skin}, [](int, int) { return 0.0f; });
        auto* result = static_cast<zCMeshSoftSkin*>(zCMeshSoftSkin::classDef.CreateNewInstance());
        zCArray<std::uint32_t> order;
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, result, &order, 0), 1);
        result->AllocWeightStream(order.GetNum(), 2 * order.GetNum());
        for (int k = 0; k < order.GetNum(); ++k) {
            result->AddNumWeights(2);
            result->AddWeightEntry({0.5f, zVEC3(0, 1, 0), first});
            result->AddWeightEntry({0.5f, zVEC3(0, -1, 0), 0});
        }
        result->BuildNodeIndexList();
        result->BuildNodeOBBs();
        return result;
    }

    // BIP01 > BIP01 PELVIS > BIP01 HEAD (textured and plain materials), BIP01 >
    // ZS_RIGHTHAND (a slot mesh the library leaves out), BIP01 > ZM_ARMOR (metal),
    // and a soft skin on the pelvis.
    zCModelPrototype* MakeModel(const char* name)
    {
        auto* proto = new zCModelPrototype();
        proto->isStaticModel = 1;
        proto->SetModelProtoName(name);
        AddNode(proto, "BIP01", nullptr, 0.0f);
        AddNode(proto, "BIP01 PELVIS", "BIP01", 1.0f);
        Dress(AddNode(proto, "BIP01 HEAD", "BIP01 PELVIS", 2.0f), MakeMesh({skin, plain}));
        Dress(AddNode(proto, "ZS_RIGHTHAND", "BIP01", 3.0f), MakeMesh({metal}));
        Dress(AddNode(proto, "ZM_ARMOR", "BIP01", 4.0f), MakeMesh({metal}, 4));
        proto->softSkinList.InsertEnd(MakeSkin(1));
        proto->CalcNodeListChecksum();
        proto->bbox3D.mins = zVEC3(-1, -2, -3);
        proto->bbox3D.maxs = zVEC3(1, 2, 3);
        proto->collisionBox.mins = zVEC3(-0.5f, 0, -0.5f);
        proto->collisionBox.maxs = zVEC3(0.5f, 1, 0.5f);
        proto->rootTranslation = zVEC3(0, 0.75f, 0);
        proto->meshAndTreeFile = zSTRING(name) + ".ASC";
        return proto;
    }

    // The chunks of a whole static model: hierarchy, then library.
    std::string WriteMdl(zCModelPrototype* proto)
    {
        {
            zCBinChunkFile file;
            EXPECT_EQ(file.Create("\\out.mdl"), 0);
            proto->WriteHierarchy(file);
            zCModelMeshLib* lib = zCModelMeshLib::Create();
            lib->BuildFromPrototype(proto);
            lib->WriteMdmChunks(file, proto);
            lib->Release();
        }
        return box.Read("out.mdl");
    }

    bool HasLine(const std::string& text) const
    {
        for (const auto& line : host.GetLines())
            if (line.text.find(text) != std::string::npos)
                return true;
        return false;
    }

    // "name < parent" of every node, "-" for none.
    static std::vector<std::string> Parents(const zCModelPrototype* proto)
    {
        std::vector<std::string> parents;
        for (int i = 0; i < proto->nodeList.GetNum(); ++i) {
            const zCModelNodeRec* node = proto->nodeList[i];
            parents.push_back(node->nodeName + " < " + (node->parent ? node->parent->nodeName : "-"));
        }
        return parents;
    }

    zCMaterial* skin = nullptr;
    zCMaterial* metal = nullptr;
    zCMaterial* plain = nullptr;

private:
    int savedStatic = 0;
};
