// Progressive-mesh prototypes: chunks written, read and written again byte for
// byte, the version check, damaged chunks, and meshes beyond the format's limits.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgMeshFixture.h"
#include "ResString.h"
#include "zCProgMeshBuilder.h"
#include "zCTexture.h"

namespace {

class ProgMeshProtoTest : public ProgMeshFixture {
protected:
    // A fresh prototype built from a grid mesh with the given materials.
    zCProgMeshProto* Build(int columns, int rows, const std::vector<zCMaterial*>& materials, int flags)
    {
        zCMesh mesh;
        FillGrid(mesh, columns, rows, materials);
        auto* proto = new zCProgMeshProto;
        EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, proto, nullptr, flags), 1);
        return proto;
    }
};

TEST_F(ProgMeshProtoTest, WriteReadWriteGivesTheSameBytesOnBothPlatforms)
{
    for (int platform : {zPLATFORM_FIRST_GAME, zPLATFORM_SECOND_GAME}) {
        SCOPED_TRACE(platform);
        SetPlatform(platform);
        auto* bark = new zCMaterial("BARK");
        auto* leaf = new zCMaterial("LEAF");
        zCProgMeshProto* proto = Build(5, 4, {bark, leaf}, zPM_BUILD_EDGES);
        proto->lodParams[2] = 0.03f;
        proto->SetStoredFlag(1);
        const std::string written = Write(*proto);
        proto->Release();
        // One material read back by name, the other from the archive.
        leaf->Release();

        // Chunk 0xB100 with the platform's version word, then an empty 0xB1FF.
        ASSERT_GT(written.size(), 20u);
        EXPECT_EQ(written.substr(0, 2), U16(0xB100));
        EXPECT_EQ(written.substr(6, 2), U16(platform == zPLATFORM_FIRST_GAME ? 0x0305 : 0x0905));
        EXPECT_EQ(written.substr(written.size() - 6), U16(0xB1FF) + U32(0));

        auto* read = new zCProgMeshProto;
        ASSERT_TRUE(Read(*read, written));
        EXPECT_TRUE(host.GetLines().empty());
        ASSERT_EQ(read->GetNumSubMeshes(), 2);
        EXPECT_EQ(read->GetSubMesh(0).material, bark);
        EXPECT_EQ(read->GetSubMesh(1).material->GetObjectName(), "LEAF");
        EXPECT_EQ(read->GetNumPositions(), 20);
        EXPECT_GT(read->GetCount(0, zPM_EDGES), 0);
        EXPECT_FLOAT_EQ(read->lodParams[2], 0.03f);
        EXPECT_EQ(read->GetStoredFlag(), 0);  // written as false on the second platform
        EXPECT_EQ(Write(*read), written);
        read->Release();
        bark->Release();
    }
}

TEST_F(ProgMeshProtoTest, OtherPlatformsVersionIsRefusedAndLeavesTheMeshAsItWas)
{
    auto* material = new zCMaterial("STONE");
    zCProgMeshProto* first = Build(3, 3, {material}, 0);
    const std::string fromFirst = Write(*first);
    first->Release();

    SetPlatform(zPLATFORM_SECOND_GAME);
    zCProgMeshProto* target = Build(4, 3, {material}, 0);
    const std::string before = Write(*target);
    EXPECT_FALSE(Read(*target, fromFirst));
    EXPECT_TRUE(HasLine("zProgMeshProto: wrong mesh-file version, engine: 2309, file: 773"));
    EXPECT_EQ(Write(*target), before);
    target->Release();
    material->Release();
}

TEST_F(ProgMeshProtoTest, OtherChunksAreSkippedAndReadingStopsAfterTheEndChunksHeader)
{
    auto* material = new zCMaterial("STONE");
    zCProgMeshProto* proto = Build(3, 3, {material}, 0);
    const std::string mesh = Write(*proto);
    proto->Release();
    const std::string before = U16(0x1234) + U32(3) + "abc";
    const std::string after = U16(0xE110) + U32(0);

    auto* read = new zCProgMeshProto;
    ASSERT_TRUE(Read(*read, before + mesh + after));
    EXPECT_EQ(read->GetNumPositions(), 9);
    EXPECT_EQ(input.GetFile()->Pos(), static_cast<long>((before + mesh).size()));
    read->Release();
    material->Release();
}

TEST_F(ProgMeshProtoTest, DamagedChunkIsReportedAndLeavesTheMeshAsItWas)
{
    auto* material = new zCMaterial("STONE");
    zCProgMeshProto* proto = Build(3, 3, {material}, 0);
    const std::string good = Write(*proto);
    proto->Release();
    // Chunk header 6 bytes, version 2, data size 4, the block, then the sub-mesh
    // count, the positions and normals (offset, count) and the sub-mesh table.
    const std::uint32_t chunkLength = Field(good, 2);
    const std::uint32_t size = Field(good, 8);
    const std::size_t count = 12 + size;
    const std::size_t positions = count + 1;
    const std::size_t table = count + 17;
    auto subArray = [&](int kind) { return table + 8 * static_cast<std::size_t>(kind); };

    struct Case {
        const char* name;
        std::string bytes;
        int reason;  // the message that names the fault; 0: the chunk file's own
    };
    const Case cases[] = {
        {"data size past the chunk", Patched(good, 8, chunkLength, 4), 33280},
        {"data size near 4 GB", Patched(good, 8, 0xFFFFFFF0u, 4), 33280},
        {"32 sub-meshes", Patched(good, count, 32, 1), 33281},
        {"255 sub-meshes", Patched(good, count, 255, 1), 33281},
        {"31 sub-meshes, one stored", Patched(good, count, 31, 1), 0},
        {"positions past the block", Patched(good, positions, size - 8, 4), 33282},
        {"position count that wraps 32 bits", Patched(good, positions + 4, 0x40000000u, 4), 33282},
        {"normals past the block", Patched(good, positions + 8, size, 4), 33282},
        {"triangles past the block", Patched(good, subArray(zPM_TRIANGLES), size - 4, 4), 33282},
        {"wedge count too large", Patched(good, subArray(zPM_WEDGES) + 4, 0x7FFFFFFFu, 4), 33282},
        {"count with the sign bit", Patched(good, subArray(zPM_LOD_STEPS) + 4, 0x80000000u, 4), 0},
        {"edge scores past the block", Patched(good, subArray(zPM_EDGE_SCORES), 0xFFFFFFFFu, 4), 33282},
        {"chunk ends inside the LOD parameters", Patched(good, 2, chunkLength - 8, 4), 33283},
        {"chunk ends inside the sub-mesh table", Patched(good, 2, static_cast<std::uint32_t>(table + 20 - 6), 4), 0},
        {"file ends inside the block", good.substr(0, 40), 0},
    };
    SetPlatform(zPLATFORM_FIRST_GAME);
    zCProgMeshProto* target = Build(4, 3, {material}, 0);
    const std::string before = Write(*target);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.Clear();
        EXPECT_FALSE(Read(*target, c.bytes));
        if (c.reason)
            EXPECT_TRUE(HasLine(std::string(LoadResString(c.reason)))) << ::testing::PrintToString(Texts());
        else
            EXPECT_FALSE(host.GetLines().empty());
        EXPECT_EQ(Write(*target), before);
    }
    target->Release();
    material->Release();
}

TEST_F(ProgMeshProtoTest, MeshBeyondTheFormatsLimitsIsReportedAndNotBuilt)
{
    WriteTex("SKIN-C.TEX", zTEX_FORMAT_RGB_565, 16, 16, 1, 16, 16);
    struct Case {
        const char* name;
        std::function<void(zCMesh&, std::vector<zCMaterial*>&)> make;
        const char* message;  // empty: built
    };
    auto materials = [](std::vector<zCMaterial*>& list, int n) {
        for (int i = 0; i < n; ++i)
            list.push_back(new zCMaterial(("M" + std::to_string(i)).c_str()));
    };
    const Case cases[] = {
        {"31 materials", [&](zCMesh& m, std::vector<zCMaterial*>& l) { materials(l, 31); FillGrid(m, 32, 2, l); }, ""},
        {"32 materials", [&](zCMesh& m, std::vector<zCMaterial*>& l) { materials(l, 32); FillGrid(m, 33, 2, l); },
         "has 32 materials, a progressive mesh holds at most 31"},
        {"65536 triangles", [&](zCMesh& m, std::vector<zCMaterial*>& l) { materials(l, 1); FillGrid(m, 32769, 2, l); },
         "has 65536 triangles, a progressive mesh holds at most 65535"},
        {"65537 vertices",
         [&](zCMesh& m, std::vector<zCMaterial*>& l) {
             materials(l, 1);
             FillGrid(m, 2, 2, l);
             for (int i = 4; i < 65537; ++i)
                 m.AddVertex(zVEC3(static_cast<float>(i), 0, 0));
         },
         "has 65537 vertices, a progressive mesh holds at most 65536"},
        {"every corner its own wedge",
         [&](zCMesh& m, std::vector<zCMaterial*>& l) {
             materials(l, 1);
             zSTRING texture = "SKIN.TGA";
             l[0]->BindTexture(texture);
             FillGrid(m, 106, 106, l);
             // 22050 triangles, 66150 corners: no two corners of a vertex match.
             for (int p = 0; p < m.numPoly; ++p) {
                 zVEC2 uv[3];
                 for (int k = 0; k < 3; ++k) {
                     const int c = 3 * p + k;
                     uv[k] = zVEC2(0.02f * static_cast<float>(c % 40), 0.02f * static_cast<float>(c / 40 % 40));
                 }
                 m.polyList[p]->SetTexCoords(uv[0], uv[1], uv[2]);
             }
         },
         "wedges in one material, at most 65535 fit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.Clear();
        std::vector<zCMaterial*> list;
        auto* proto = new zCProgMeshProto;
        {
            zCMesh mesh;
            c.make(mesh, list);
            const bool fits = std::string(c.message).empty();
            EXPECT_EQ(zCProgMeshProto::BuildFromMesh(&mesh, proto, nullptr, zPM_BUILD_NO_NORMALS), fits ? 1 : 0);
            if (fits) {
                EXPECT_EQ(proto->GetNumSubMeshes(), static_cast<int>(list.size()));
            } else {
                EXPECT_TRUE(HasLine(c.message)) << ::testing::PrintToString(Texts());
                EXPECT_TRUE(HasLine(std::string(mesh.meshName)));
                EXPECT_EQ(proto->GetNumSubMeshes(), 0);
                EXPECT_EQ(proto->GetNumPositions(), 0);
            }
        }
        proto->Release();
        for (zCMaterial* material : list)
            material->Release();
    }
}

} // namespace
